#pragma once
// Where the program lives: Datos/, Ayuda/ and the printed bitmaps are beside it.
#include <filesystem>

namespace m817 {

class ServicioCarpeta {
public:
    virtual ~ServicioCarpeta() = default;
    virtual std::filesystem::path Programa() const = 0;
    std::filesystem::path Datos() const { return Programa() / "Datos"; }
};

class CarpetaFija final : public ServicioCarpeta {
public:
    explicit CarpetaFija(std::filesystem::path p) : ruta_(std::move(p)) {}
    std::filesystem::path Programa() const override { return ruta_; }

private:
    std::filesystem::path ruta_;
};

} // namespace m817
