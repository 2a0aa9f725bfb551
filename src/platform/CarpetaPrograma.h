#pragma once
// Where the program's files are. The program's own (reference tables in Datos/, the help) are
// beside the executable or in the installed data folder; what belongs to the user (the saved
// returns and their side files, the printer settings, the printed PDFs) is beside the program in
// a portable copy and in the user's own folders once installed.
#include <filesystem>

namespace m817 {

class ServicioCarpeta {
public:
    virtual ~ServicioCarpeta() = default;
    virtual std::filesystem::path Programa() const = 0;
    std::filesystem::path Datos() const { return Programa() / "Datos"; }
    // The folder of Declaraciones.txt, its undo side file and the conversion backups.
    virtual std::filesystem::path DatosUsuario() const { return Datos(); }
    // The printer settings (Impresoras.ini).
    virtual std::filesystem::path Configuración() const { return Programa(); }
    // Where the built-in PDF printer writes its files.
    virtual std::filesystem::path Impresiones() const { return Programa() / "Impresiones"; }
};

class CarpetaFija final : public ServicioCarpeta {
public:
    explicit CarpetaFija(std::filesystem::path p) : ruta_(std::move(p)) {}
    std::filesystem::path Programa() const override { return ruta_; }

private:
    std::filesystem::path ruta_;
};

} // namespace m817
