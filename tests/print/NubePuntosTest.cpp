#include "print/NubePuntos.h"

#include "support/Dobles.h"

#include <gtest/gtest.h>

using namespace m817;
using V = std::vector<std::string>;

namespace {

// Stands for the library: answers with a scripted code, or cannot be called at all, and notes each call.
struct BibliotecaGuion final : ServicioCódigosBarras {
    int código = 0;
    std::optional<std::string> noDisponible; // the system's reason, when the library cannot be called
    V llamadas;

    int CREARPDF(const std::string& contenido, int columnas, int resolución, int reservado,
                 const std::filesystem::path& ruta, int&, int&) override {
        return Llamar(contenido + "|" + std::to_string(columnas) + "|" + std::to_string(resolución) + "|" +
                      std::to_string(reservado) + "|" + ruta.string());
    }
    int CREARBARRA(const std::string& número, const std::filesystem::path& ruta) override {
        return Llamar(número + "|" + ruta.string());
    }
    int Llamar(const std::string& llamada) {
        if (noDisponible) throw BibliotecaNoDisponible(*noDisponible);
        return llamadas.push_back(llamada), código;
    }
};

} // namespace

TEST(GenerarNubePuntos, LlamaALaBibliotecaYDevuelveSuCódigoConSuMensaje) {
    const std::string contenido = "817" + std::string(745, ' ') + "20101205",
                      e = "> al generar la nube de puntos";
    using Caso = std::tuple<int, std::optional<std::string>, std::string>;
    for (const auto& [código, falta, mensaje] : {Caso{2, {}, "Error <2" + e + "\r"},
                                                 {-1, {}, "Error <-1" + e},
                                                 {-9999, "Falta", "Error <-9999" + e + "\r\rFalta"}}) {
        prueba::CarpetaTemporal carpeta;
        BibliotecaGuion biblioteca;
        biblioteca.código = código, biblioteca.noDisponible = falta;
        prueba::MensajesGuion mensajes;
        const std::string ruta = (carpeta.Programa() / "PDF.BMP").string();
        mensajes.EsperarError(mensaje + (código == 2 ? ruta : ""));
        EXPECT_EQ(GenerarNubePuntos(contenido, 360, carpeta, biblioteca, mensajes), código);
        EXPECT_EQ(biblioteca.llamadas, falta ? V{} : V{contenido + "|16|360|0|" + ruta});
    }
}

TEST(GenerarCódigoBarras, PasaElNúmeroYNoAvisaNiAunSinBiblioteca) {
    prueba::CarpetaTemporal carpeta;
    BibliotecaGuion biblioteca;
    GenerarCódigoBarras("8170612345676", carpeta, biblioteca);
    EXPECT_EQ(biblioteca.llamadas, V{"8170612345676|" + (carpeta.Programa() / "CODBAR.BMP").string()});
    biblioteca.noDisponible = "sin biblioteca";
    EXPECT_NO_THROW(GenerarCódigoBarras("8170612345676", carpeta, biblioteca));
}
