#include "validation/ListaErrores.h"

#include "platform/Texto1252.h"
#include "support/Dobles.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace m817 {
namespace {

using prueba::MensajesGuion;
using L = ListaErrores;

// The list as "key|text|image" lines, texts in UTF-8.
std::vector<std::string> Ver(const ListaErrores& lista) {
    std::vector<std::string> v;
    for (const auto& e : lista.Entradas())
        v.push_back(e.clave + "|" + Utf8(e.texto) + "|" + std::to_string(e.imagen));
    return v;
}

using Lineas = std::vector<std::string>;

TEST(ListaErrores, AltasCambiosYBajas) {
    MensajesGuion mensajes;
    ListaErrores vacía(mensajes), lista(mensajes);
    vacía.AnotarError(L::kTipoCorrecto, "edtNIF", "", 0, -1); // the first clearing of an empty list
    EXPECT_EQ(Ver(vacía), (Lineas{"OK|Declaración sin errores|1"}));
    int avisos = 0, quitado = 0;
    lista.QuitarOyente(lista.AlCambiar([&] { ++quitado; }));
    lista.AlCambiar([&] { ++avisos; });

    // A warning, then an error under another key: insertion order.
    EXPECT_EQ(lista.AnotarError(L::kTipoAviso, "edtNombre", W("Nombre vacío"), 2020, -1), -1);
    EXPECT_EQ(lista.AnotarError(L::kTipoError, "edtNIF", W("N.I.F. erróneo"), 2010, -1), -1);
    EXPECT_EQ(Ver(lista), (Lineas{"edtNombre|2020 Nombre vacío|3", "edtNIF|2010 N.I.F. erróneo|2"}));
    EXPECT_TRUE(lista.HayErrores());
    EXPECT_TRUE(lista.HayAvisos());
    EXPECT_EQ(avisos, 2);

    // An error for a key that has a warning turns that entry into an error, in place.
    lista.AnotarError(L::kTipoError, "edtNombre", W("Nombre obligatorio"), 2021, -1);
    EXPECT_EQ(Ver(lista), (Lineas{"edtNombre|2021 Nombre obligatorio|2", "edtNIF|2010 N.I.F. erróneo|2"}));
    EXPECT_FALSE(lista.HayAvisos());
    EXPECT_EQ(avisos, 3);

    // The same report again changes nothing and tells nobody.
    lista.AnotarError(L::kTipoError, "edtNombre", W("Nombre obligatorio"), 2021, -1);
    EXPECT_EQ(avisos, 3);

    lista.AnotarError(L::kTipoCorrecto, "edtFax", "", 0, -1); // no entry: nothing changes
    EXPECT_EQ(avisos, 3);

    // Short order numbers get leading zeros; array members carry their index in the key.
    lista.AnotarError(L::kTipoAviso, "edtCasilla#07", W("Importe negativo"), 7, -1);
    ASSERT_NE(lista.Buscar("edtCasilla#07"), nullptr);
    EXPECT_EQ(Utf8(lista.Buscar("edtCasilla#07")->texto), "0007 Importe negativo");
    EXPECT_EQ(lista.Buscar("edtCasilla#7"), nullptr);

    lista.AnotarError(L::kTipoCorrecto, "edtNombre", "", 0, -1);
    lista.AnotarError(L::kTipoCorrecto, "edtCasilla#07", "", 0, -1);
    EXPECT_EQ(Ver(lista), (Lineas{"edtNIF|2010 N.I.F. erróneo|2"}));

    // Clearing the only entry leaves exactly the "OK" entry...
    lista.AnotarError(L::kTipoCorrecto, "edtNIF", "", 0, -1);
    EXPECT_EQ(Ver(lista), (Lineas{"OK|Declaración sin errores|1"}));
    EXPECT_FALSE(lista.HayErrores());
    EXPECT_FALSE(lista.HayAvisos());
    // ...which a further clearing keeps, and any report removes.
    const int antes = avisos;
    lista.AnotarError(L::kTipoCorrecto, "edtNIF", "", 0, -1);
    EXPECT_EQ(Ver(lista), (Lineas{"OK|Declaración sin errores|1"}));
    EXPECT_EQ(avisos, antes);
    lista.AnotarError(L::kTipoAviso, "cmbPeriodo", W("Período fuera de plazo"), 1020, -1);
    EXPECT_EQ(Ver(lista), (Lineas{"cmbPeriodo|1020 Período fuera de plazo|3"}));
    EXPECT_EQ(avisos, antes + 1);
    EXPECT_EQ(quitado, 0);
}

TEST(ListaErrores, TextoDeEntrada) {
    const std::pair<int, const char*> casos[] = {
        {0, "0000 m"}, {7, "0007 m"}, {999, "0999 m"}, {2010, "2010 m"}, {12345, "12345 m"}, {-7, "-0007 m"},
    };
    for (const auto& [orden, texto] : casos)
        EXPECT_EQ(L::TextoEntrada(orden, "m"), texto) << orden;
}

TEST(ListaErrores, EstiloMuestraElMensajeYDevuelveElBoton) {
    MensajesGuion mensajes;
    ListaErrores lista(mensajes);
    // clang-format off
    const std::tuple<int, Icono, Botones, Respuesta, int> casos[] = {
        {0, Icono::Ninguno, Botones::Aceptar, Respuesta::Aceptar, L::kBotónAceptar},
        {16, Icono::Crítico, Botones::Aceptar, Respuesta::Aceptar, L::kBotónAceptar},
        {48 + 1, Icono::Exclamación, Botones::AceptarCancelar, Respuesta::Cancelar, L::kBotónCancelar},
        {32 + 4 + 256, Icono::Pregunta, Botones::SíNo, Respuesta::No, L::kBotónNo},
        {64 + 3, Icono::Información, Botones::SíNoCancelar, Respuesta::Sí, L::kBotónSí},
    };
    // clang-format on
    for (const auto& [estilo, icono, botones, respuesta, botón] : casos) {
        mensajes.Esperar("Código postal erróneo", icono, botones, respuesta);
        EXPECT_EQ(
            lista.AnotarError(L::kTipoError, "edtCodigoPostal", W("Código postal erróneo"), 2090, estilo),
            botón)
            << estilo;
    }
    EXPECT_EQ(Ver(lista), (Lineas{"edtCodigoPostal|2090 Código postal erróneo|2"}));
    // Clearing never shows a box.
    EXPECT_EQ(lista.AnotarError(L::kTipoCorrecto, "edtCodigoPostal", W("Código postal erróneo"), 2090, 16),
              -1);
}

TEST(ListaErrores, BotonPredeterminadoDelEstilo) {
    prueba::MensajesTolerantes mensajes;
    ListaErrores lista(mensajes);
    // clang-format off
    const std::pair<int, Respuesta> casos[] = {
        {4, Respuesta::Sí}, {4 + 256, Respuesta::No}, {3 + 512, Respuesta::Cancelar},
        {1 + 256, Respuesta::Cancelar},
        {0 + 512, Respuesta::Aceptar}, // no third button: the last one
    };
    // clang-format on
    for (const auto& [estilo, predeterminado] : casos) {
        lista.AnotarError(L::kTipoAviso, "edtFax", "Fax", 2110, estilo);
        ASSERT_FALSE(mensajes.mostrados.empty());
        EXPECT_EQ(mensajes.mostrados.back().predeterminado, predeterminado) << estilo;
        EXPECT_EQ(mensajes.mostrados.back().título, kTítuloAplicación);
    }
}

} // namespace
} // namespace m817
