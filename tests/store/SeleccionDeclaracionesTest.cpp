#include "store/SeleccionDeclaraciones.h"

#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"
#include "support/ArchivosFallidos.h"
#include "support/Dobles.h"
#include "support/Registros.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace m817;
using namespace m817::prueba;

namespace {

// Rows 1, 4, 6 share a name (4 in lower case), 2 and 5 differ only in being complementary, 1, 3, 6 the NIF.
// clang-format off
const Guardada borrada{.viva = false}, kDeclaraciones[] = {
    {"22222222J", "GARCÍA LUIS", "2010", "2T", "0", "", ""},
    {"11111111H", "ZAPATA ANA", "2010", "1T", "1", "15/11/2010", "8170612345681"},
    {"22222222J", "ÁLVAREZ PEDRO", "2009", "4T", "0", "", ""},
    {"33333333P", "garcía luis", "2010", "1T", "0", "01/10/2010", "8170600000017"},
    {"11111111H", "ZAPATA ANA", "2010", "1T", "0", "", ""},
    {"22222222J", "GARCÍA LUIS", "2009", "3T", "1", "", ""},
};
// clang-format on

class SeleccionDeclaracionesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string bytes;
        for (const auto& d : kDeclaraciones)
            bytes += RegistroGuardado(d).Bytes();
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, bytes);
    }
    std::filesystem::path Ruta() const { return RutaDeclaraciones(carpeta.Datos()); }
    std::vector<std::int32_t> Orden() const {
        std::vector<std::int32_t> o;
        for (std::size_t i = 0; i < modelo.NúmeroFilas(); ++i)
            o.push_back(modelo.Registro(i));
        return o;
    }

    CarpetaTemporal carpeta;
    ArchivosPosix posix;
    MensajesGuion mensajes;
    SelecciónDeclaraciones modelo;
};

TEST_F(SeleccionDeclaracionesTest, LasFilasMuestranLasDeclaracionesVivas) {
    carpeta.EscribirDatos(kNombreArchivoDeclaraciones,
                          ArchivoDe({borrada, kDeclaraciones[1], kDeclaraciones[2]}) + "cortado");
    ASSERT_TRUE(modelo.Cargar(posix, Ruta(), mensajes, 0));
    ASSERT_EQ(Orden(), (std::vector<std::int32_t>{2, 3}));
    std::string fila;
    for (int c = 1; c <= 8; ++c)
        fila += std::string(modelo.Texto(0, c)) + "|";
    EXPECT_EQ(fila, "11111111H|ZAPATA ANA|2010|1T|C|Emitida|15/11/2010|8170612345681|");
    EXPECT_TRUE(modelo.Texto(1, 5).empty() && modelo.Texto(1, 6).empty());
}

TEST_F(SeleccionDeclaracionesTest, SinNadaQueElegirSeAvisaYNoSeMuestra) {
    const std::optional<std::string> archivos[] = {std::nullopt, ArchivoDe({borrada}), "",
                                                   "ilegible"}; // its own error first
    ArchivosFallidos fallidos(posix);
    for (const auto& bytes : archivos) {
        std::filesystem::remove(Ruta());
        if (bytes == "ilegible") {
            SetUp();
            fallidos.lecturasFallan = true;
            mensajes.EsperarError("Error al cargar la tabla de declaraciones guardadas");
        } else if (bytes) {
            carpeta.EscribirDatos(kNombreArchivoDeclaraciones, *bytes);
        }
        mensajes.Esperar("No existe ninguna declaración grabada", Icono::Exclamación, Botones::Aceptar);
        EXPECT_FALSE(modelo.Cargar(fallidos, Ruta(), mensajes, 3));
        EXPECT_EQ(modelo.NúmeroFilas(), 0u);
    }
}

// Ties: the name sorts by every column to its right, exercise and period by name then each other, others by
// name.
TEST_F(SeleccionDeclaracionesTest, CadaColumnaOrdenaEnLosDosSentidos) {
    using O = std::vector<std::int32_t>;
    const std::tuple<int, O, O> órdenes[] = {
        // clang-format off
        {1, {4, 1, 6, 3, 2, 5}, {5, 2, 3, 6, 1, 4}}, {2, {3, 6, 4, 1, 5, 2}, {2, 5, 1, 4, 6, 3}},
        {3, {3, 6, 4, 1, 5, 2}, {5, 2, 1, 4, 6, 3}}, {4, {4, 5, 2, 1, 6, 3}, {3, 6, 1, 5, 2, 4}},
        {5, {3, 1, 4, 5, 6, 2}, {2, 6, 5, 1, 4, 3}}, {6, {3, 6, 1, 5, 4, 2}, {2, 4, 5, 6, 1, 3}}};
    // clang-format on
    for (const auto& [columna, primero, segundo] : órdenes) {
        ASSERT_TRUE(modelo.Cargar(posix, Ruta(), mensajes, 0));
        EXPECT_EQ(Orden(), (O{5, 2, 3, 6, 1, 4}));
        modelo.PulsarEncabezado(columna);
        EXPECT_EQ(Orden(), primero) << columna;
        EXPECT_EQ(modelo.Descendente(), columna == 1);
        modelo.PulsarEncabezado(columna);
        EXPECT_EQ(Orden(), segundo) << columna;
    }
}

TEST_F(SeleccionDeclaracionesTest, ElegirUnaDeclaracionImpresaPreguntaAlAbrirOEliminar) {
    const std::tuple<const char*, int, bool, Respuesta, int> elecciones[] = {
        // clang-format off
        {"Eliminar declaración", 2, true, Respuesta::Sí, 2}, {"Eliminar declaración", 2, true, Respuesta::No, 0},
        {"Copiar declaración desde...", 2, false, Respuesta::No, 2},
        {"Abrir declaración", 5, false, Respuesta::No, 5}}; // not printed
    // clang-format on
    for (const auto& [título, registro, pregunta, respuesta, elegido] : elecciones) {
        SCOPED_TRACE(std::string(título) + " " + std::to_string(registro));
        ASSERT_TRUE(modelo.Cargar(posix, Ruta(), mensajes, registro));
        if (pregunta)
            mensajes.EsperarPregunta(
                "La declaración seleccionada ya ha sido impresa.\r\r     N.I.F.: \t\t11111111H\r"
                "     Nombre: \tZAPATA ANA\r     Fec.Impresión: \t15/11/2010\r"
                "     Nº Justificante: \t8170612345681\r\r¿Continuar con la operación?",
                respuesta, "Aviso");
        EXPECT_EQ(modelo.Elegir(mensajes, W(título)), elegido != 0);
        EXPECT_EQ(modelo.NumRegistroSeleccionado(), elegido);
    }
    modelo.SeleccionarFila(3);
    modelo.SeleccionarFila(modelo.NúmeroFilas()); // past the last row: the selection stays
    ASSERT_TRUE(modelo.Elegir(mensajes, W("Copiar declaración desde...")));
    EXPECT_EQ(modelo.NumRegistroSeleccionado(), 6);
    modelo.Cancelar();
    EXPECT_EQ(modelo.NumRegistroSeleccionado(), 0);
}

} // namespace

TEST_F(SeleccionDeclaracionesTest, ElNIFDesempataHastaLaÚltimaColumna) {
    const Guardada otroJustificante{"11111111H", "ZAPATA ANA", "2010", "1T", "1", "15/11/2010", "8170612345692"};
    carpeta.EscribirDatos(kNombreArchivoDeclaraciones, ArchivoDe({otroJustificante, kDeclaraciones[1]}));
    ASSERT_TRUE(modelo.Cargar(posix, Ruta(), mensajes, 0));
    for (const auto& esperado : {std::vector<std::int32_t>{1, 2}, {2, 1}}) {
        modelo.PulsarEncabezado(1);
        EXPECT_EQ(Orden(), esperado);
    }
}
