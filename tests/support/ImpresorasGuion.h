#pragma once
// Scripted doubles for printing: installed printers with a profile in memory that keep every job
// they are sent, and a bar-code library that writes plain bitmaps of a chosen size.
#include "platform/CodigosBarras.h"
#include "platform/Escritorio.h"
#include "platform/Impresoras.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace m817::prueba {

// A printer that reports `calidad` (dots per inch, or a quality class) and a device pixel of
// 1440 / dpi twips (none for a class).
DatosImpresora Impresora(const std::string& nombre, int calidad, double píxel = 0);

class ImpresorasGuion final : public ServicioImpresoras {
  public:
    // The printers in the system's order; an empty element cannot be read.
    std::vector<std::optional<DatosImpresora>> instaladas;
    int actual = 0;
    std::string predeterminadaSistema;

    std::vector<std::optional<DatosImpresora>> Instaladas() override { return instaladas; }
    int Actual() const override { return actual; }
    void EstablecerActual(int posición) override { actual = posición; }
    std::string PredeterminadaSistema() const override { return predeterminadaSistema; }
    std::string LeerPerfil(const std::string& sección, const std::string& entrada,
                           const std::string& predeterminado) override;
    void EscribirPerfil(const std::string& sección, const std::string& entrada,
                        const std::string& valor) override;
    ResultadoImpresión Imprimir(const TrabajoImpresión& trabajo) override;

    // The profile, entries keyed by section and entry in upper case.
    std::map<std::pair<std::string, std::string>, std::string> perfil;
    std::string Perfil(const std::string& sección, const std::string& entrada) const;

    struct Impreso {
        TrabajoImpresión trabajo;
        std::string impresora; // the printer it went to
    };
    std::vector<Impreso> impresos;
    // Results of the next jobs, in order; once used up every job prints.
    std::deque<ResultadoImpresión> resultados;
    // Called as each job arrives (to look at the program's files at that moment).
    std::function<void(const TrabajoImpresión&)> alImprimir;

    // A job printed on a built-in printer (integrada) is said to be written to
    // carpetaArchivos/<title>.pdf; nothing is written.
    std::filesystem::path carpetaArchivos = "/impresiones";
    std::filesystem::path ÚltimoArchivo() const override { return últimoArchivo_; }

  private:
    std::filesystem::path últimoArchivo_;
};

// The desktop: remembers the folders it was asked to open.
class EscritorioGuion final : public ServicioEscritorio {
  public:
    bool AbrirCarpeta(const std::filesystem::path& carpeta) override {
        abiertas.push_back(carpeta);
        return abre;
    }
    std::vector<std::filesystem::path> abiertas;
    bool abre = true;
};

// A 1-bit BMP of that size, carrying its resolution in the header.
std::string BmpMonocromo(int ancho, int alto, int resolución);

class CódigosBarrasPrueba final : public ServicioCódigosBarras {
  public:
    int CREARPDF(const std::string& contenido, int columnas, int resolución, int reservado,
                 const std::filesystem::path& ruta, int& ancho, int& alto) override;
    int CREARBARRA(const std::string& número, const std::filesystem::path& ruta) override;

    // The point cloud it writes: pixels at the resolution it is asked for.
    int anchoNube = 2040, altoNube = 720;
    int códigoNube = código_barras::kCorrecto;
    bool escribirBarra = true;
    std::vector<std::string> contenidos; // every CREARPDF content
    std::vector<int> resoluciones;
    std::vector<std::string> números; // every CREARBARRA number
};

} // namespace m817::prueba
