#include "store/SeleccionDeclaraciones.h"

#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"
#include "support/ArchivosFallidos.h"
#include "support/Dobles.h"
#include "support/Registros.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <vector>

using namespace m817;
using namespace m817::prueba;
using enum CampoRegistro;

namespace {

Guardada Viva(Guardada g, bool viva) {
    g.viva = viva;
    return g;
}

// Record numbers 1 to 6. Rows 1, 4 and 6 share a name (4 in lower case), 2 and 5 differ only in the
// complementary flag, 1, 3 and 6 share the N.I.F.
// clang-format off
const Guardada kDeclaraciones[] = {
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
    void EscribirArchivo(std::string extra = "") {
        std::string bytes;
        for (const auto& d : kDeclaraciones)
            bytes += RegistroGuardado(d).Bytes();
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, bytes + extra);
    }
    std::filesystem::path Ruta() const { return RutaDeclaraciones(carpeta.Datos()); }
    std::vector<std::int32_t> Orden() const {
        std::vector<std::int32_t> o;
        for (std::size_t i = 0; i < modelo.NúmeroFilas(); ++i)
            o.push_back(modelo.Registro(i));
        return o;
    }
    void EsperarNinguna() {
        mensajes.Esperar("No existe ninguna declaración grabada", Icono::Exclamación, Botones::Aceptar);
    }

    CarpetaTemporal carpeta;
    ArchivosPosix posix;
    MensajesGuion mensajes;
    SeleccionDeclaraciones modelo;
};

TEST_F(SeleccionDeclaracionesTest, LasFilasMuestranLasDeclaracionesVivas) {
    std::string bytes;
    for (int i = 0; i < 3; ++i)
        bytes += RegistroGuardado(Viva(kDeclaraciones[i], i != 0)).Bytes();
    carpeta.EscribirDatos(kNombreArchivoDeclaraciones, bytes + "cortado");
    ASSERT_TRUE(modelo.Cargar(posix, Ruta(), mensajes, 0));
    ASSERT_EQ(modelo.NúmeroFilas(), 2u); // the deleted record 1 and the cut tail are not rows
    EXPECT_EQ(modelo.Registro(0), 2);
    const std::vector<std::string> esperados = {"11111111H", "ZAPATA ANA", "2010",       "1T",
                                                "C",         "Emitida",    "15/11/2010", "8170612345681"};
    for (int c = 1; c <= 8; ++c)
        EXPECT_EQ(modelo.Texto(0, c), esperados[static_cast<std::size_t>(c - 1)]) << c;
    EXPECT_EQ(modelo.Registro(1), 3);
    EXPECT_EQ(Utf8(modelo.Texto(1, 2)), "ÁLVAREZ PEDRO");
    EXPECT_EQ(modelo.Texto(1, 5), "");
    EXPECT_EQ(modelo.Texto(1, 6), "");
    EXPECT_EQ(modelo.Texto(1, 7), std::string(10, ' ')); // hidden columns keep the stored width
    EXPECT_EQ(modelo.Texto(1, 8), std::string(13, ' '));

    const auto columnas = ColumnasSelección(9000);
    EXPECT_EQ(columnas[1].ancho, 9000 - 4125);
    EXPECT_EQ(columnas[6].ancho, 0);
    EXPECT_EQ(columnas[7].ancho, 0);
    EXPECT_EQ(Utf8(columnas[7].clave), "NúmeroJustificate");
}

TEST_F(SeleccionDeclaracionesTest, SinNadaQueElegirSeAvisaYNoSeMuestra) {
    // No file, only deleted records, an empty file, and one that cannot be read (its own error first).
    const std::optional<std::string> archivos[] = {
        std::nullopt, std::string(RegistroGuardado(Viva(kDeclaraciones[0], false)).Bytes()), "", "legible"};
    ArchivosFallidos fallidos(posix);
    for (const auto& bytes : archivos) {
        if (bytes == "legible") {
            EscribirArchivo();
            fallidos.lecturasFallan = true;
            mensajes.EsperarError("Error al cargar la tabla de declaraciones guardadas");
        } else if (bytes) {
            carpeta.EscribirDatos(kNombreArchivoDeclaraciones, *bytes);
        }
        EsperarNinguna();
        EXPECT_FALSE(modelo.Cargar(fallidos, Ruta(), mensajes, 3));
        EXPECT_EQ(modelo.NúmeroFilas(), 0u);
        EXPECT_EQ(modelo.NumRegistroSeleccionado(), 0);
    }
}

TEST_F(SeleccionDeclaracionesTest, SeSeleccionaLaDeclaracionEnPantallaOLaPrimera) {
    EscribirArchivo();
    const std::pair<std::int32_t, std::int32_t> casos[] = {
        {3, 3}, // the saved return on screen
        {0, 5}, // an unsaved one: the first row in N.I.F. order
        {6, 6},
        {9, 5}, // a return that is no longer in the file
    };
    for (const auto& [enPantalla, seleccionado] : casos) {
        ASSERT_TRUE(modelo.Cargar(posix, Ruta(), mensajes, enPantalla));
        ASSERT_TRUE(modelo.FilaSeleccionada());
        EXPECT_EQ(modelo.Registro(*modelo.FilaSeleccionada()), seleccionado) << enPantalla;
        EXPECT_EQ(modelo.NumRegistroSeleccionado(), 0);
        // The selection follows its row through a sort.
        modelo.PulsarEncabezado(2);
        EXPECT_EQ(modelo.Registro(*modelo.FilaSeleccionada()), seleccionado) << enPantalla;
    }
}

// After loading (N.I.F. ascending), the clicked column once and once more. N.I.F. reverses; the name (case
// and accents aside) sorts then by every column to its right; the exercise then by name and period, the
// period by name and exercise, the others by name; full ties keep the order they had.
struct Orden {
    int columna;
    std::vector<std::int32_t> primero;
    std::vector<std::int32_t> segundo;
};

// clang-format off
const Orden kÓrdenes[] = {
    {1, {4, 1, 6, 3, 2, 5}, {5, 2, 3, 6, 1, 4}}, {2, {3, 6, 4, 1, 5, 2}, {2, 5, 1, 4, 6, 3}},
    {3, {3, 6, 4, 1, 5, 2}, {5, 2, 1, 4, 6, 3}}, {4, {4, 5, 2, 1, 6, 3}, {3, 6, 1, 5, 2, 4}},
    {5, {3, 1, 4, 5, 6, 2}, {2, 6, 5, 1, 4, 3}}, {6, {3, 6, 1, 5, 4, 2}, {2, 4, 5, 6, 1, 3}},
};
// clang-format on

TEST_F(SeleccionDeclaracionesTest, CadaColumnaOrdenaEnLosDosSentidos) {
    EscribirArchivo();
    for (const auto& o : kÓrdenes) {
        SCOPED_TRACE("columna " + std::to_string(o.columna));
        ASSERT_TRUE(modelo.Cargar(posix, Ruta(), mensajes, 0));
        EXPECT_EQ(Orden(), (std::vector<std::int32_t>{5, 2, 3, 6, 1, 4}));
        EXPECT_EQ(modelo.ColumnaOrden(), 1);
        modelo.PulsarEncabezado(o.columna);
        EXPECT_EQ(Orden(), o.primero);
        EXPECT_EQ(modelo.Descendente(), o.columna == 1);
        modelo.PulsarEncabezado(o.columna);
        EXPECT_EQ(Orden(), o.segundo);
        EXPECT_EQ(modelo.Descendente(), o.columna != 1);
    }
}

// The list as the description of the dialog sorts it: one stable pass per column. A long list with many equal
// values takes the fast path of the model, which must give exactly these rows.
struct FilaReferencia {
    std::int32_t registro;
    std::array<std::string, 8> textos;
    std::array<std::string, 8> claves{};
};

// Positions in the list of rows, sorted in place.
using OrdenReferencia = std::vector<std::size_t>;

void Pasada(const std::vector<FilaReferencia>& filas, OrdenReferencia& orden, int columna, bool descendente) {
    const auto c = static_cast<std::size_t>(columna - 1);
    std::stable_sort(orden.begin(), orden.end(), [&](std::size_t a, std::size_t b) {
        const auto &ka = filas[a].claves[c], &kb = filas[b].claves[c];
        return descendente ? kb < ka : ka < kb;
    });
}

void Pulsar(const std::vector<FilaReferencia>& filas, OrdenReferencia& orden, int columna, bool descendente) {
    if (columna <= 2) {
        for (int c = 8; c >= columna; --c)
            Pasada(filas, orden, c, descendente);
    } else {
        const int pareja = 7 - columna; // Periodo for Ejercicio, Ejercicio for Periodo, name, N.I.F.
        for (int c : {pareja, 2, columna})
            Pasada(filas, orden, c, descendente);
    }
}

TEST_F(SeleccionDeclaracionesTest, UnaListaLargaOrdenaComoLasPasadasSucesivas) {
    std::mt19937 azar(1252);
    const char* const nombres[] = {"GARCÍA",  "garcía", "GARCIA", "ÁLVAREZ",
                                   "alvarez", "PEÑA",   "PENA",   "ZAPATA"};
    std::string bytes;
    std::vector<FilaReferencia> referencia;
    for (std::int32_t n = 1; n <= 1200; ++n) {
        const bool impresa = azar() % 3 == 0;
        const Guardada d{std::to_string(10000000 + azar() % 120) + "ABZ"[azar() % 3],
                         std::string(nombres[azar() % 8]) + " " + nombres[azar() % 8] +
                             (azar() % 4 == 0 ? ", ANA MARÍA DE LOS ÁNGELES" : ""),
                         std::to_string(2008 + azar() % 3),
                         std::string(1, "1234"[azar() % 4]) + "T",
                         azar() % 5 == 0 ? "1" : "0",
                         impresa ? (azar() % 2 ? "15/11/2010" : "01/02/2010") : "",
                         impresa ? "817061234567" + std::to_string(azar() % 10) : "",
                         azar() % 10 != 0};
        const auto r = RegistroGuardado(d);
        bytes += r.Bytes();
        if (!d.viva) continue;
        referencia.push_back({n,
                              {d.nif, W(d.nombre), d.ejercicio, d.periodo, d.complementaria == "1" ? "C" : "",
                               impresa ? "Emitida" : "", std::string(r.Campo(FechaImpresión)),
                               std::string(r.Campo(NúmeroJustificante))}});
    }
    for (auto& f : referencia)
        for (std::size_t c = 0; c < f.textos.size(); ++c)
            f.claves[c] = ClaveOrdenación(f.textos[c]);
    carpeta.EscribirDatos(kNombreArchivoDeclaraciones, bytes);
    OrdenReferencia orden(referencia.size());
    for (std::size_t i = 0; i < orden.size(); ++i)
        orden[i] = i;
    auto registros = [&] {
        std::vector<std::int32_t> v;
        for (auto i : orden)
            v.push_back(referencia[i].registro);
        return v;
    };

    ASSERT_TRUE(modelo.Cargar(posix, Ruta(), mensajes, 0));
    Pulsar(referencia, orden, 1, false);
    ASSERT_EQ(Orden(), registros());
    // Each column twice, in an order that leaves ties to the earlier sorts; the hidden ones sort nothing.
    for (int columna : {3, 3, 7, 2, 5, 5, 8, 6, 4, 4, 1, 6, 2, 2, 1, 1}) {
        if (columna > 6) {
            modelo.PulsarEncabezado(columna);
            ASSERT_EQ(Orden(), registros());
            continue;
        }
        const bool descendente = columna == modelo.ColumnaOrden() && !modelo.Descendente();
        modelo.PulsarEncabezado(columna);
        Pulsar(referencia, orden, columna, descendente);
        ASSERT_EQ(Orden(), registros()) << "columna " << columna;
        ASSERT_EQ(modelo.Descendente(), descendente);
    }
}

struct Elección {
    const char* título; // UTF-8
    std::int32_t registro;
    bool pregunta;
    Respuesta respuesta;
    std::int32_t elegido;
};

// clang-format off
const Elección kElecciones[] = {
    {"Abrir declaración", 2, true, Respuesta::Sí, 2}, {"Abrir declaración", 2, true, Respuesta::No, 0},
    {"Eliminar declaración", 2, true, Respuesta::Sí, 2}, {"Eliminar declaración", 2, true, Respuesta::No, 0},
    {"Copiar declaración desde...", 2, false, Respuesta::No, 2}, // copies never carry print data
    {"Abrir declaración", 5, false, Respuesta::No, 5},           // not printed
    {"Eliminar declaración", 1, false, Respuesta::No, 1},
};
// clang-format on

TEST_F(SeleccionDeclaracionesTest, ElegirUnaDeclaracionImpresaPreguntaAlAbrirOEliminar) {
    EscribirArchivo();
    for (const auto& e : kElecciones) {
        SCOPED_TRACE(std::string(e.título) + " " + std::to_string(e.registro));
        ASSERT_TRUE(modelo.Cargar(posix, Ruta(), mensajes, e.registro));
        if (e.pregunta)
            mensajes.EsperarPregunta(
                "La declaración seleccionada ya ha sido impresa.\r\r     N.I.F.: \t\t11111111H\r"
                "     Nombre: \tZAPATA ANA\r     Fec.Impresión: \t15/11/2010\r"
                "     Nº Justificante: \t8170612345681\r\r¿Continuar con la operación?",
                e.respuesta, "Aviso");
        EXPECT_EQ(modelo.Elegir(mensajes, W(e.título)), e.elegido != 0);
        EXPECT_EQ(modelo.NumRegistroSeleccionado(), e.elegido);
        EXPECT_FALSE(mensajes.Pendientes());
    }
}

TEST_F(SeleccionDeclaracionesTest, CancelarNoEligeNada) {
    EscribirArchivo();
    ASSERT_TRUE(modelo.Cargar(posix, Ruta(), mensajes, 0));
    modelo.SeleccionarFila(3);
    modelo.SeleccionarFila(modelo.NúmeroFilas()); // past the last row: the selection stays
    ASSERT_TRUE(modelo.Elegir(mensajes, W("Copiar declaración desde...")));
    EXPECT_EQ(modelo.NumRegistroSeleccionado(), 6);
    modelo.Cancelar();
    EXPECT_EQ(modelo.NumRegistroSeleccionado(), 0);
}

} // namespace
