#include "print/NubePuntos.h"

#include "platform/Texto1252.h"
#include "support/Dobles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

namespace m817 {
namespace {

using prueba::CarpetaTemporal;
using prueba::MensajesGuion;

// Stands for the library: answers with a scripted code (or cannot be called at all)
// and remembers how it was called and what the folder held at that moment.
class BibliotecaGuion final : public ServicioCódigosBarras {
  public:
    int código = 0;
    std::optional<std::string> noDisponible; // the system's reason (UTF-8), when the call cannot be made

    struct Llamada {
        std::string contenido;
        int columnas, resolución, reservado;
        std::filesystem::path ruta;
        int anchoAlEntrar, altoAlEntrar;
        bool archivoExistía;
    };
    std::vector<Llamada> llamadas;
    std::vector<std::pair<std::string, std::filesystem::path>> barras;

    int CREARPDF(const std::string& contenido, int columnas, int resolución, int reservado,
                 const std::filesystem::path& ruta, int& ancho, int& alto) override {
        if (noDisponible) throw BibliotecaNoDisponible(W(*noDisponible));
        llamadas.push_back(
            {contenido, columnas, resolución, reservado, ruta, ancho, alto, std::filesystem::exists(ruta)});
        ancho = 1035;
        alto = 372;
        return código;
    }
    int CREARBARRA(const std::string& número, const std::filesystem::path& ruta) override {
        if (noDisponible) throw BibliotecaNoDisponible(W(*noDisponible));
        barras.emplace_back(número, ruta);
        return código;
    }
};

const std::string kContenido = W("817") + std::string(745, ' ') + "20101205";

TEST(GenerarNubePuntos, LlamaALaBibliotecaYDevuelveSuCódigoConSuMensaje) {
    const char* const kNube =
        "Error <6> al generar la nube de puntos\r\rLa impresora no está configurada con la "
        "resolución mínima necesaria para generar la nube de puntos";
    const std::tuple<int, std::optional<std::string>, std::string> casos[] = {
        {0, std::nullopt, ""},
        {6, std::nullopt, kNube},
        {2, std::nullopt, "Error <2> al generar la nube de puntos"},
        {105, std::nullopt, "Error <105> al generar la nube de puntos"},
        {-1, std::nullopt, "Error <-1> al generar la nube de puntos"},
        {-9999, "No se encuentra la biblioteca de códigos de barras",
         "Error <-9999> al generar la nube de puntos\r\rNo se encuentra la biblioteca de códigos de barras"},
    };
    for (const auto& [código, noDisponible, mensaje] : casos) {
        CarpetaTemporal carpeta;
        BibliotecaGuion biblioteca;
        biblioteca.código = código;
        biblioteca.noDisponible = noDisponible;
        MensajesGuion mensajes;
        // A file that could not be written is named, with no reason when its folder takes files.
        const std::string archivo =
            código == código_barras::kErrorArchivo ? "\r" + (carpeta.Programa() / "PDF.BMP").string() : "";
        if (!mensaje.empty()) mensajes.EsperarError(mensaje + archivo);
        EXPECT_EQ(GenerarNubePuntos(kContenido, 360, carpeta, biblioteca, mensajes), código);
        if (noDisponible) continue;
        ASSERT_EQ(biblioteca.llamadas.size(), 1u);
        const auto& l = biblioteca.llamadas[0];
        EXPECT_EQ(l.contenido, kContenido);
        EXPECT_EQ(std::tuple(l.columnas, l.resolución, l.reservado, l.anchoAlEntrar, l.altoAlEntrar),
                  std::tuple(16, 360, 0, 0, 0));
        EXPECT_EQ(l.ruta, carpeta.Programa() / "PDF.BMP");
    }
}

TEST(GenerarNubePuntos, BorraElMapaAnteriorAntesDeLlamarYSigueSiNoPuede) {
    struct Caso {
        const char* nombre;
        bool borrable; // a directory with something inside cannot be removed
    };
    for (const Caso c : {Caso{"archivo", true}, Caso{"carpeta ocupada", false}}) {
        SCOPED_TRACE(c.nombre);
        CarpetaTemporal carpeta;
        const auto ruta = carpeta.Programa() / "PDF.BMP";
        if (c.borrable) {
            std::ofstream(ruta) << "viejo";
        } else {
            std::filesystem::create_directories(ruta / "dentro");
        }
        BibliotecaGuion biblioteca;
        MensajesGuion mensajes;

        EXPECT_EQ(GenerarNubePuntos(kContenido, 600, carpeta, biblioteca, mensajes), 0);
        ASSERT_EQ(biblioteca.llamadas.size(), 1u);
        EXPECT_EQ(biblioteca.llamadas[0].archivoExistía, !c.borrable);
    }
}

TEST(GenerarCódigoBarras, PasaElNúmeroYNoAvisaNiAunSinBiblioteca) {
    CarpetaTemporal carpeta;
    BibliotecaGuion biblioteca;
    biblioteca.código = 2;
    GenerarCódigoBarras("8170612345676", carpeta, biblioteca);
    ASSERT_EQ(biblioteca.barras.size(), 1u);
    EXPECT_EQ(biblioteca.barras[0].first, "8170612345676");
    EXPECT_EQ(biblioteca.barras[0].second, carpeta.Programa() / "CODBAR.BMP");

    biblioteca.noDisponible = "sin biblioteca";
    EXPECT_NO_THROW(GenerarCódigoBarras("8170612345676", carpeta, biblioteca));
}

} // namespace
} // namespace m817
