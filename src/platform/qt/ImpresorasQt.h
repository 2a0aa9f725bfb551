#pragma once
// The printers of this machine as Qt sees them (CUPS), plus one built-in printer that writes
// each job to a PDF file in the folder of printed PDFs (ServicioCarpeta::Impresiones). This
// platform keeps no printer profile of its own, so the "windows" and "PrinterPorts" entries live
// in Impresoras.ini in the settings folder.
#include "platform/CarpetaPrograma.h"
#include "platform/Impresoras.h"
#include "platform/Perfil.h"
#include "platform/Reloj.h"

#include <filesystem>
#include <string>
#include <vector>

namespace m817 {

class ImpresorasQt final : public ServicioImpresoras {
  public:
    static constexpr const char* kNombrePdf = "Archivo PDF";
    static constexpr int kResoluciónPdf = 600;

    ImpresorasQt(const ServicioCarpeta& carpeta, ServicioReloj& reloj);

    std::vector<std::optional<DatosImpresora>> Instaladas() override;
    int Actual() const override;
    void EstablecerActual(int posición) override;
    std::string PredeterminadaSistema() const override;
    std::string LeerPerfil(const std::string& sección, const std::string& entrada,
                           const std::string& predeterminado) override;
    void EscribirPerfil(const std::string& sección, const std::string& entrada,
                        const std::string& valor) override;
    ResultadoImpresión Imprimir(const TrabajoImpresión& trabajo) override;

    std::filesystem::path CarpetaImpresiones() const { return carpeta_.Impresiones(); }
    std::filesystem::path ÚltimoArchivo() const override { return últimoArchivo_; }

  private:
    void Enumerar();
    ResultadoImpresión ImprimirPdf(const TrabajoImpresión& trabajo);
    ResultadoImpresión ImprimirEnSistema(const std::string& nombre, const TrabajoImpresión& trabajo);

    const ServicioCarpeta& carpeta_;
    ServicioReloj& reloj_;
    PerfilIni perfil_;
    std::vector<std::optional<DatosImpresora>> lista_;
    std::string actual_; // name of the program's current printer
    std::filesystem::path últimoArchivo_;
};

} // namespace m817
