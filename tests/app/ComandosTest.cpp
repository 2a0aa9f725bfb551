#include "app/Comandos.h"
#include "support/HojaPrueba.h"
#include "support/ServiciosVentana.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

namespace {

struct Comandos {
    HojaPrueba p;
    PortapapelesGuion portapapeles;
    AyudaGuion ayuda;
    ComandosPrincipal comandos{*p.ventana, portapapeles, ayuda};
    std::string llamadas;     // operations the commands reached, in order
    std::int32_t elegido = 7; // what the selection dialog returns
    bool confirmar = true;

    Comandos() {
        p.Cargar();
        auto& o = comandos.operaciones;
        o.SeleccionarDeclaración = [this](const PeticiónSelección& s) {
            llamadas += "Seleccionar " + Utf8(s.título) + "|" + Utf8(s.botón) + "|" +
                        std::to_string(s.registroActual);
            return elegido;
        };
        o.AbrirDeclaración = [this](std::int32_t n, std::int32_t m) {
            return llamadas += "; Abrir " + std::to_string(n) + "," + std::to_string(m), true;
        };
        o.GuardarDeclaración = [this](bool b) { return llamadas += b ? "Guardar" : "?", true; };
        o.EliminarDeclaración = [this](int n) { return llamadas += "; Eliminar " + std::to_string(n), true; };
        o.ConfirmarGuardarCambios = [this] { return llamadas += "Confirmar ", confirmar; };
    }
};

TEST(ComandosPrincipal, LosDeArchivoCompruebanAntesElCampoYAbrenLoElegido) {
    // The command, whether it checks the field first, its calls with record 7 chosen (the sheet shows 12).
    const std::tuple<void (ComandosPrincipal::*)(), bool, const char*> casos[] = {
        {&ComandosPrincipal::CopiarDesde, true,
         "Seleccionar Copiar declaración desde...|C&opiar|12; Abrir 7,0"},
        {&ComandosPrincipal::Abrir, true, "Seleccionar Abrir declaración|&Abrir|12; Abrir 7,7"},
        {&ComandosPrincipal::Guardar, true, "Guardar"},
        {&ComandosPrincipal::Eliminar, false, "Seleccionar Eliminar declaración|&Eliminar|12; Eliminar 7"}};
    for (const auto& [orden, compruebaAntes, llamadas] : casos) {
        SCOPED_TRACE(llamadas);
        Comandos t;
        t.p.Escribir(cmbProvincia, "Zz"); // a province not in the list: the field refuses to be left
        t.p.hoja().EscribirTexto(edtIdDeclaración, "12");
        t.p.hoja().RegistroModificado = false;
        if (compruebaAntes) t.p.mensajes.EsperarError("Provincia errónea");
        (t.comandos.*orden)();
        EXPECT_EQ(t.llamadas, compruebaAntes ? "" : llamadas);
        EXPECT_FALSE(t.p.mensajes.Pendientes());

        t.p.hoja().EscribirTexto(cmbProvincia, "");
        t.llamadas.clear();
        (t.comandos.*orden)();
        EXPECT_EQ(t.llamadas, llamadas);
        // A copy is a new return: changed. Nothing else was typed.
        EXPECT_EQ(t.p.hoja().RegistroModificado, orden == &ComandosPrincipal::CopiarDesde);
        if (orden == &ComandosPrincipal::Guardar) continue;

        t.elegido = 0; // nothing chosen: no open, no delete
        t.llamadas.clear();
        (t.comandos.*orden)();
        EXPECT_EQ(t.llamadas, std::string(llamadas).substr(0, std::string(llamadas).find(';')));

        t.elegido = 7; // an error inside the operation shows its text
        auto falla = [](auto...) -> bool { throw std::runtime_error("Disco no preparado"); };
        t.comandos.operaciones.AbrirDeclaración = falla;
        t.comandos.operaciones.EliminarDeclaración = falla;
        t.p.mensajes.Esperar("Disco no preparado", Icono::Ninguno, Botones::Aceptar);
        (t.comandos.*orden)();
        EXPECT_FALSE(t.p.mensajes.Pendientes());
    }
}

TEST(ComandosPrincipal, UnaCopiaQueNoSeCargaNoMarcaLaHojaComoModificada) {
    Comandos t;
    t.comandos.operaciones.AbrirDeclaración = [](std::int32_t, std::int32_t) { return false; };
    t.comandos.CopiarDesde();
    EXPECT_FALSE(t.p.hoja().RegistroModificado);
}

TEST(ComandosPrincipal, CerrarCompruebaElCampoYPreguntaPorLosCambios) {
    Comandos t;
    t.p.Escribir(cmbProvincia, "Zz");
    t.p.mensajes.EsperarError("Provincia errónea");
    EXPECT_FALSE(t.comandos.Cerrar());
    t.p.hoja().EscribirTexto(cmbProvincia, "");
    t.confirmar = false; // Cancel in the save question
    EXPECT_FALSE(t.comandos.Cerrar());
    t.confirmar = true;
    EXPECT_TRUE(t.comandos.Cerrar());
    EXPECT_EQ(t.llamadas, "Confirmar Confirmar ");
}

TEST(Portapapeles, PegarPasaCadaCarácterPorElFiltroYCortarOCopiarLoElegido) {
    // Field, text before, selection, command, clipboard before (null: none), text after, clipboard after,
    // beeps.
    const std::tuple<IdCampo, const char*, int, int, char, const char*, const char*, const char*, int>
        casos[] = {
            {edtJustifComp, "", 0, 0, 'P', "12a3", "123", "12a3", 1},
            {edtNombre, "ABCDEF", 2, 2, 'P', "peña", "ABPEÑAEF", "peña", 0},
            {edtNIF, "", 0, 0, 'P', "123456789012", "123456789", "123456789012", 1}, // full at nine
            {cmbPeriodo, "", 0, 2, 'P', "4t", "4T", "4t", 0},                        // over the preset "3T"
            {edtCasilla(14), "", 0, 0, 'P', "-1.234,5", "-1234,5", "-1.234,5", 0},   // points group thousands
            {edtCasilla(14), "", 0, 0, 'P', "-1,2,5", "-1,25", "-1,2,5", 1},         // not a grouped amount
            {edtCasilla(1), "", 0, 0, 'P', "12\r\n", "12", "12\r\n", 1},             // Enter is not typed
            {edtCasilla(15), "", 0, 0, 'P', "5", "", "5", 1},                        // computed: locked
            {edtNombre, "RUIZ", 0, 0, 'P', nullptr, "RUIZ", "", 0},
            {edtNombre, "PEREZ", 0, 3, 'X', "antes", "EZ", "PER", 0},
            {edtNombre, "PEREZ", 0, 3, 'C', "antes", "PEREZ", "PER", 0},
            {edtNombre, "PEREZ", 2, 0, 'X', "antes", "PEREZ", "antes", 0},
            {edtNombre, "PEREZ", 2, 0, 'C', "antes", "PEREZ", "antes", 0},
            {edtEjercicio, "2010", 0, 4, 'X', "antes", "2010", "2010",
             0}}; // locked: gives its text, keeps it
    for (const auto& [campo, previo, inicio, largo, orden, antes, queda, después, pitidos] : casos) {
        SCOPED_TRACE(ClaveCampo(campo) + " " + orden + " " + (antes ? antes : "(nada)"));
        Comandos t;
        if (*previo) t.p.hoja().EscribirTexto(campo, W(previo));
        ASSERT_TRUE(t.p.hoja().Enfocar(campo));
        t.p.hoja().EstablecerSelección(campo, inicio, largo);
        t.p.hoja().RegistroModificado = false;
        if (antes) t.portapapeles.Poner(antes);
        orden == 'P' ? t.comandos.Pegar() : orden == 'X' ? t.comandos.Cortar() : t.comandos.Copiar();
        EXPECT_EQ(Utf8(t.p.hoja().Texto(campo)), queda);
        EXPECT_EQ(t.portapapeles.TextoUtf8(), después);
        EXPECT_EQ(t.p.mensajes.pitidos, pitidos);
        EXPECT_EQ(t.p.hoja().RegistroModificado, std::string(queda) != previo);
    }
    Comandos t; // a pasted amount recalculates as a typed one
    ASSERT_TRUE(t.p.hoja().Enfocar(edtCasilla(4)));
    t.portapapeles.Poner("1000");
    t.comandos.Pegar();
    EXPECT_EQ(t.p.TextoCasilla(10), "90,00"); // 9 % of box 04
}

} // namespace
