#include "validation/ListaErrores.h"

#include "platform/Texto1252.h"
#include "support/Dobles.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace m817;
using L = ListaErrores;
using Lineas = std::vector<std::string>;

// The list as "key|text|image" lines, texts in UTF-8.
Lineas Ver(const ListaErrores& lista) {
    Lineas v;
    for (const auto& e : lista.Entradas())
        v.push_back(e.clave + "|" + Utf8(e.texto) + "|" + std::to_string(e.imagen));
    return v;
}

TEST(ListaErrores, AltasCambiosYBajas) {
    prueba::MensajesGuion mensajes;
    ListaErrores lista(mensajes);
    int avisos = 0;
    lista.AlCambiar([&] { ++avisos; });
    EXPECT_EQ(lista.AnotarError(L::kTipoAviso, "edtNombre", W("Nombre vacío"), 2020, -1), -1);
    lista.AnotarError(L::kTipoError, "edtNIF", W("N.I.F. erróneo"), 2010, -1);
    EXPECT_EQ(Ver(lista), (Lineas{"edtNombre|2020 Nombre vacío|3", "edtNIF|2010 N.I.F. erróneo|2"}));
    EXPECT_TRUE(lista.HayErrores() && lista.HayAvisos());
    // An error on a warning's key turns it into an error in place; the same again tells nobody.
    for (int i = 0; i < 2; ++i)
        lista.AnotarError(L::kTipoError, "edtNombre", W("Nombre obligatorio"), 2021, -1);
    EXPECT_EQ(Ver(lista), (Lineas{"edtNombre|2021 Nombre obligatorio|2", "edtNIF|2010 N.I.F. erróneo|2"}));
    lista.AnotarError(L::kTipoCorrecto, "edtFax", "", 0, -1); // no entry: nothing changes
    EXPECT_EQ(avisos, 3);
    // Clearing the last entry leaves the "OK" entry, which a further clearing keeps and any report removes.
    for (const char* clave : {"edtNombre", "edtNIF", "edtNIF"})
        lista.AnotarError(L::kTipoCorrecto, clave, "", 0, -1);
    EXPECT_EQ(Ver(lista), (Lineas{"OK|Declaración sin errores|1"}));
    EXPECT_FALSE(lista.HayErrores() || lista.HayAvisos());
    EXPECT_EQ(avisos, 5);
    lista.AnotarError(L::kTipoAviso, "cmbPeriodo", W("Período fuera de plazo"), 7, -1);
    EXPECT_EQ(Ver(lista), (Lineas{"cmbPeriodo|0007 Período fuera de plazo|3"}));
}

TEST(ListaErrores, EstiloMuestraElMensajeYDevuelveElBoton) {
    prueba::MensajesGuion mensajes;
    ListaErrores lista(mensajes);
    using R = Respuesta;
    const std::string m = W("Código postal erróneo");
    // clang-format off
    const std::tuple<int, Icono, Botones, Respuesta, R, int> casos[] = {
        {16 + 512, Icono::Crítico, Botones::Aceptar, R::Aceptar, R::Aceptar, L::kBotónAceptar}, // no third: the last
        {48 + 1 + 512, Icono::Exclamación, Botones::AceptarCancelar, R::Cancelar, R::Cancelar, L::kBotónCancelar},
        {32 + 4 + 256, Icono::Pregunta, Botones::SíNo, R::No, R::No, L::kBotónNo},
        {64 + 3, Icono::Información, Botones::SíNoCancelar, R::Sí, R::Sí, L::kBotónSí},
        {3 + 512, Icono::Ninguno, Botones::SíNoCancelar, R::Sí, R::Cancelar, L::kBotónSí},
    };
    // clang-format on
    for (const auto& [estilo, icono, botones, respuesta, predeterminado, botón] : casos) {
        mensajes.Esperar("Código postal erróneo", icono, botones, respuesta).Predeterminado(predeterminado);
        EXPECT_EQ(lista.AnotarError(L::kTipoError, "edtCodigoPostal", m, 2090, estilo), botón) << estilo;
    }
    EXPECT_EQ(lista.AnotarError(L::kTipoCorrecto, "edtCodigoPostal", m, 2090, 16),
              -1); // clearing shows no box
}
