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
    // Where a print run writes the bar-code bitmaps (PDF.BMP, CODBAR.BMP) that its page then loads.
    virtual std::filesystem::path Temporal() const { return Programa(); }
    // Makes one of the user's folders above, with its parents, before a file is first written in it; false
    // when it cannot be made. A portable copy makes none: its folders are the ones it came with.
    virtual bool CrearCarpeta(const std::filesystem::path&) const { return true; }
};

class CarpetaFija final : public ServicioCarpeta {
public:
    explicit CarpetaFija(std::filesystem::path p) : ruta_(std::move(p)) {}
    std::filesystem::path Programa() const override { return ruta_; }

private:
    std::filesystem::path ruta_;
};

} // namespace m817
