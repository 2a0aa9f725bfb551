// The main window's commands, driven on a loaded sheet: the check of the field being edited before each
// command, the clipboard commands through the key filter, help, and closing.
#include "app/Comandos.h"
#include "print/Impresion.h"
#include "support/HojaPrueba.h"
#include "support/ImpresorasGuion.h"
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
    std::vector<std::string> llamadas; // operations the commands reached, in order
    std::int32_t elegido = 7;          // what the selection dialog returns

    Comandos() {
        p.Cargar();
        auto& o = comandos.operaciones;
        o.SeleccionarDeclaración = [this](const PeticiónSelección& s) {
            llamadas.push_back("Seleccionar " + Utf8(s.título) + "|" + Utf8(s.botón) + "|" +
                               std::to_string(s.registroActual));
            return elegido;
        };
        o.AbrirDeclaración = [this](std::int32_t n, std::int32_t m) {
            llamadas.push_back("Abrir " + std::to_string(n) + "," + std::to_string(m));
            return true;
        };
        o.GuardarDeclaración = [this](bool preguntar) {
            llamadas.push_back(std::string("Guardar ") + (preguntar ? "preguntando" : "sin preguntar"));
            return true;
        };
        o.EliminarDeclaración = [this](std::int32_t n) {
            llamadas.push_back("Eliminar " + std::to_string(n));
            return true;
        };
        o.ConfirmarGuardarCambios = [this] {
            llamadas.push_back("Confirmar");
            return confirmar;
        };
    }
    HojaDeclaración& hoja() { return p.hoja(); }
    // Puts the caret in a field that will refuse to be left: a province not in the list.
    void CampoErróneo() {
        p.Escribir(cmbProvincia, "Zz");
        hoja().RegistroModificado = false;
    }
    bool confirmar = true;
};

// ---- commands and the check of the field being edited ---------------------------------------------------

struct CasoOrden {
    const char* nombre;
    void (ComandosPrincipal::*orden)();
    bool compruebaAntes;
    std::vector<std::string> llamadas;
};

const CasoOrden kCasosOrden[] = {
    {"Copiar desde",
     &ComandosPrincipal::CopiarDesde,
     true,
     {"Seleccionar Copiar declaración desde...|C&opiar|0", "Abrir 7,0"}},
    {"Abrir", &ComandosPrincipal::Abrir, true, {"Seleccionar Abrir declaración|&Abrir|0", "Abrir 7,7"}},
    {"Guardar", &ComandosPrincipal::Guardar, true, {"Guardar preguntando"}},
    {"Eliminar",
     &ComandosPrincipal::Eliminar,
     false,
     {"Seleccionar Eliminar declaración|&Eliminar|0", "Eliminar 7"}}};

TEST(ComandosPrincipal, LosDeArchivoCompruebanAntesElCampoSalvoEliminar) {
    for (const auto& c : kCasosOrden) {
        SCOPED_TRACE(c.nombre);
        {
            Comandos t;
            t.CampoErróneo();
            if (c.compruebaAntes) t.p.mensajes.EsperarError("Provincia errónea");
            (t.comandos.*c.orden)();
            EXPECT_EQ(t.llamadas, c.compruebaAntes ? std::vector<std::string>{} : c.llamadas);
            EXPECT_FALSE(t.p.mensajes.Pendientes());
        }
        {
            Comandos t;
            t.p.Escribir(edtNombre, "Ruiz");
            (t.comandos.*c.orden)();
            EXPECT_EQ(t.llamadas, c.llamadas);
        }
    }
}

TEST(ComandosPrincipal, UnaCopiaQueNoSeCargaNoMarcaLaHojaComoModificada) {
    Comandos t;
    t.comandos.operaciones.AbrirDeclaración = [](std::int32_t, std::int32_t) { return false; };
    t.comandos.CopiarDesde();
    EXPECT_FALSE(t.hoja().RegistroModificado);
}

TEST(ComandosPrincipal, NadaElegidoNoAbreNiElimina) {
    for (auto orden :
         {&ComandosPrincipal::CopiarDesde, &ComandosPrincipal::Abrir, &ComandosPrincipal::Eliminar}) {
        Comandos t;
        t.elegido = 0;
        (t.comandos.*orden)();
        ASSERT_EQ(t.llamadas.size(), 1u);
        EXPECT_EQ(t.llamadas[0].rfind("Seleccionar ", 0), 0u);
        EXPECT_FALSE(t.hoja().RegistroModificado);
    }
}

TEST(ComandosPrincipal, LaCopiaQuedaModificadaYElDiálogoRecibeElRegistroEnPantalla) {
    Comandos t;
    t.hoja().EscribirTexto(edtIdDeclaración, "12");
    t.comandos.CopiarDesde();
    EXPECT_EQ(t.llamadas,
              (std::vector<std::string>{"Seleccionar Copiar declaración desde...|C&opiar|12", "Abrir 7,0"}));
    EXPECT_TRUE(t.hoja().RegistroModificado);
    t.llamadas.clear();
    t.comandos.Abrir();
    EXPECT_EQ(t.llamadas.front(), "Seleccionar Abrir declaración|&Abrir|12");
}

TEST(ComandosPrincipal, UnErrorDentroDeUnComandoDeDiálogoMuestraSuTexto) {
    for (auto orden :
         {&ComandosPrincipal::CopiarDesde, &ComandosPrincipal::Abrir, &ComandosPrincipal::Eliminar}) {
        Comandos t;
        t.comandos.operaciones.AbrirDeclaración = [](std::int32_t, std::int32_t) -> bool {
            throw std::runtime_error("Disco no preparado");
        };
        t.comandos.operaciones.EliminarDeclaración = [](std::int32_t) -> bool {
            throw std::runtime_error("Disco no preparado");
        };
        t.p.mensajes.Esperar("Disco no preparado", Icono::Ninguno, Botones::Aceptar);
        (t.comandos.*orden)();
        EXPECT_FALSE(t.p.mensajes.Pendientes());
    }
}

TEST(ComandosPrincipal, NuevaDeclaraciónSóloConElCampoCorrecto) {
    Comandos t;
    t.p.Escribir(edtNombre, "Ruiz");
    t.CampoErróneo();
    t.p.mensajes.EsperarError("Provincia errónea");
    t.comandos.NuevaDeclaración();
    EXPECT_EQ(t.p.Texto(edtNombre), "RUIZ");

    t.hoja().EscribirTexto(cmbProvincia, "");
    t.hoja().RegistroModificado = false;
    t.comandos.NuevaDeclaración();
    EXPECT_EQ(t.p.Texto(edtNombre), "");
}

TEST(ComandosPrincipal, CerrarCompruebaElCampoYPreguntaPorLosCambios) {
    Comandos t;
    t.CampoErróneo();
    t.p.mensajes.EsperarError("Provincia errónea");
    EXPECT_FALSE(t.comandos.Cerrar());
    EXPECT_TRUE(t.llamadas.empty());

    t.hoja().EscribirTexto(cmbProvincia, "");
    t.confirmar = false; // Cancel in the save question
    EXPECT_FALSE(t.comandos.Cerrar());
    t.confirmar = true;
    EXPECT_TRUE(t.comandos.Cerrar());
    EXPECT_EQ(t.llamadas, (std::vector<std::string>{"Confirmar", "Confirmar"}));
}

// ---- clipboard ------------------------------------------------------------------------------------------

struct CasoPegar {
    IdCampo campo;
    const char* previo; // text written in the field first
    int selInicio, selLargo;
    const char* portapapeles; // UTF-8; null: no text on the clipboard
    const char* esperado;
    int pitidos;
};

TEST(Pegar, CadaCarácterPasaElFiltroComoSiSeTecleara) {
    const CasoPegar casos[] = {
        {edtJustifComp, "", 0, 0, "12a3", "123", 1},
        {edtJustifComp, "", 0, 0, "12a4", "124", 1},
        {edtJustifComp, "", 0, 0, "abc", "", 1},
        {edtNombre, "", 0, 0, "peña núñez", "PEÑA NUÑEZ", 0},
        {edtNombre, "ABCDEF", 2, 2, "xy", "ABXYEF", 0},
        {edtNIF, "", 0, 0, "123456789012", "123456789", 1},   // the field is full at nine
        {cmbPeriodo, "", 0, 2, "4t", "4T", 0},                // over the preset "3T"
        {edtCasilla(13), "", 0, 0, "-5.5", "5,5", 1},         // no minus in box 13
        {edtCasilla(14), "", 0, 0, "-1.234,5", "-1234,5", 0}, // a whole amount: its points group thousands
        {edtCasilla(14), "", 0, 0, "-1,2,5", "-1,25", 1},     // one comma only
        {edtCasilla(14), "-7", 0, 0, "3", "-7", 1},           // nothing before the minus
        {edtCasilla(1), "", 0, 0, "12\r\n", "12", 1},         // the line feed is refused, Enter not typed
        {edtCasilla(15), "", 0, 0, "5", "", 1},               // a computed box is locked
        {edtNombre, "RUIZ", 0, 0, nullptr, "RUIZ", 0}};
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(ClaveCampo(c.campo)) + " <- " +
                     (c.portapapeles ? c.portapapeles : "(nada)"));
        Comandos t;
        if (*c.previo) t.hoja().EscribirTexto(c.campo, W(c.previo));
        ASSERT_TRUE(t.hoja().Enfocar(c.campo));
        t.hoja().EstablecerSelección(c.campo, c.selInicio, c.selLargo);
        t.hoja().RegistroModificado = false;
        if (c.portapapeles) t.portapapeles.Poner(c.portapapeles);
        t.comandos.Pegar();
        EXPECT_EQ(Utf8(t.hoja().Texto(c.campo)), c.esperado);
        EXPECT_EQ(t.p.mensajes.pitidos, c.pitidos);
        EXPECT_EQ(t.hoja().RegistroModificado, std::string(c.esperado) != c.previo);
    }
}

TEST(Pegar, LasCasillasRecalculanComoAlTeclear) {
    Comandos t;
    ASSERT_TRUE(t.hoja().Enfocar(edtCasilla(4)));
    t.portapapeles.Poner("1000");
    t.comandos.Pegar();
    EXPECT_EQ(t.p.TextoCasilla(4), "1000");
    EXPECT_EQ(t.p.TextoCasilla(10), "90,00"); // 9 % of box 04
}

struct CasoCortar {
    IdCampo campo;
    const char* texto;
    int selInicio, selLargo;
    bool cortar;              // Cortar, else Copiar
    const char* portapapeles; // null: left alone
    const char* queda;
};

TEST(CortarYCopiar, ElTextoElegidoVaAlPortapapeles) {
    const CasoCortar casos[] = {{edtNombre, "PEREZ", 0, 3, true, "PER", "EZ"},
                                {edtNombre, "PEREZ", 0, 3, false, "PER", "PEREZ"},
                                {edtNombre, "PEREZ", 2, 0, true, nullptr, "PEREZ"},
                                {edtNombre, "PEREZ", 2, 0, false, nullptr, "PEREZ"},
                                // A locked field gives its text away but keeps it.
                                {edtEjercicio, "2010", 0, 4, true, "2010", "2010"}};
    for (const auto& c : casos) {
        SCOPED_TRACE(ClaveCampo(c.campo) + (c.cortar ? " cortar " : " copiar ") + std::to_string(c.selLargo));
        Comandos t;
        t.hoja().EscribirTexto(c.campo, c.texto);
        ASSERT_TRUE(t.hoja().Enfocar(c.campo));
        t.hoja().EstablecerSelección(c.campo, c.selInicio, c.selLargo);
        t.hoja().RegistroModificado = false;
        t.portapapeles.Poner("antes");
        c.cortar ? t.comandos.Cortar() : t.comandos.Copiar();
        EXPECT_EQ(t.portapapeles.TextoUtf8(), c.portapapeles ? c.portapapeles : "antes");
        EXPECT_EQ(t.hoja().Texto(c.campo), c.queda);
        EXPECT_EQ(t.hoja().RegistroModificado, std::string(c.queda) != c.texto);
    }
}

TEST(CortarYCopiar, SinSelecciónCopiaElRegistroSóloEnDepuración) {
    Comandos t;
    ASSERT_TRUE(t.hoja().Enfocar(edtNombre));
    t.portapapeles.Poner("antes");
    t.comandos.Copiar();
    EXPECT_EQ(t.portapapeles.TextoUtf8(), "antes");

    t.comandos.operaciones.RegistroDepuración = [] { return std::string("<817 registro>"); };
    t.comandos.Copiar();
    EXPECT_EQ(t.portapapeles.TextoUtf8(), "<817 registro>");
    EXPECT_EQ(t.portapapeles.vaciados, 1);
}

TEST(CortarYCopiar, SóloLaLíneaDeÓrdenesExactamenteDEsDepuración) {
    struct Caso {
        std::vector<const char*> argv;
        bool depuración;
    };
    const Caso casos[] = {{{"modelo817", "d"}, true},
                          {{"modelo817"}, false},
                          {{"modelo817", "D"}, false},
                          {{"modelo817", "d", "d"}, false},
                          {{"modelo817", "-d"}, false}};
    for (const auto& c : casos)
        EXPECT_EQ(EsLíneaDepuración(static_cast<int>(c.argv.size()), c.argv.data()), c.depuración)
            << c.argv.size();
}

// ---- help -----------------------------------------------------------------------------------------------

} // namespace
