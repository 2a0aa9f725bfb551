#pragma once
// The one printer of the batch companion: each job is drawn by the program's page renderer into the PDF file
// named before it. Its profile entries live in memory only, so printing writes nothing beside the program.
#include "lote/ServiciosLote.h"

#include <map>
#include <utility>

namespace m817::lote {

class ImpresoraPdf final : public ImpresoraArchivo {
  public:
    static constexpr const char* kNombre = "Archivo PDF";
    static constexpr int kResolución = 600;

    void Destino(const std::filesystem::path& archivo) override { destino_ = archivo; }
    int Escritos() const override { return escritos_; }

    std::vector<std::optional<DatosImpresora>> Instaladas() override;
    int Actual() const override { return 1; }
    void EstablecerActual(int) override {}
    std::string PredeterminadaSistema() const override { return kNombre; }
    std::string LeerPerfil(const std::string& sección, const std::string& entrada,
                           const std::string& predeterminado) override;
    void EscribirPerfil(const std::string& sección, const std::string& entrada,
                        const std::string& valor) override;
    ResultadoImpresión Imprimir(const TrabajoImpresión& trabajo) override;

  private:
    std::filesystem::path destino_;
    int escritos_ = 0;
    std::map<std::pair<std::string, std::string>, std::string> perfil_;
};

} // namespace m817::lote
