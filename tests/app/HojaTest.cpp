// The sheet window's own rules: a new return, help contexts, editing a field as a desktop text box allows
// (words, one level of undo), the scroll bars and the version.
#include "app/Hoja.h"
#include "app/Barras.h"
#include "app/ConstantesAyuda.h"
#include "app/NuevaDeclaracion.h"
#include "app/Version.h"
#include "model/Tablas.h"
#include "support/HojaPrueba.h"

#include <gtest/gtest.h>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

namespace {
const char* kAvisoEjercicio = "El ejercicio de la versión no coincide con el actualmente en curso.";
}

TEST(NuevaDeclaración, PeriodoDelTrimestreAnterior) {
    struct Caso {
        FechaHora hoy;
        const char* periodo;
    };
    const Caso casos[] = {
        {{2010, 11, 15}, "3T"}, {{2010, 12, 31}, "3T"}, {{2010, 4, 1}, "1T"},  {{2010, 7, 1}, "2T"},
        {{2010, 10, 1}, "3T"},  {{2010, 3, 31}, "1T"},  {{2010, 2, 10}, "1T"}, // 2009: before the exercise
        {{2011, 1, 15}, "4T"},  {{2011, 4, 2}, "4T"},   {{2013, 8, 1}, "4T"},  {{2009, 6, 1}, "1T"}};
    for (const auto& c : casos) {
        FechaHora h = c.hoy;
        EXPECT_EQ(PeriodoNuevaDeclaración(h), c.periodo) << h.año << "-" << h.mes << "-" << h.día;
    }
}

TEST(frmHoja1, ContextosDeAyuda) {
    HojaPrueba p;
    p.Cargar();
    const std::pair<IdCampo, int> casos[] = {{cmbAdministracion, 401},
                                             {edtEjercicio, 402},
                                             {edtJustifComp, 402},
                                             {edtNIF, 403},
                                             {edtFax, 403},
                                             {edtCasilla(1), 404},
                                             {edtCasilla(15), 404},
                                             {edtTipos(6), 404},
                                             {edtCasilla(16), 405},
                                             {edtCasilla(22), 405},
                                             {edtCasilla(23), 406},
                                             {edtCasilla(26), 406},
                                             {chkFPCuenta, 407},
                                             {edtCCCIng(3), 407},
                                             {edtResultado(1), 407},
                                             {optResultado(2), 408},
                                             {edtCCCDev(0), 408},
                                             {chkSinActividad, 409},
                                             {edtResultado(3), 409},
                                             {edtIdDeclaración, 0}};
    for (const auto& [id, contexto] : casos)
        EXPECT_EQ(p.hoja().Estado(id).contextoAyuda, contexto) << ClaveCampo(id);
}

TEST(frmHoja1, AvisaCuandoElAñoNoEsElDelEjercicio) {
    for (int año : {2009, 2011, 2025}) {
        HojaPrueba p({año, 6, 1, 9, 0, 0});
        p.mensajes.Esperar(kAvisoEjercicio, Icono::Exclamación, Botones::Aceptar);
        p.Cargar();
        EXPECT_EQ(p.hoja().Texto(cmbPeriodo), año < 2010 ? "1T" : "4T");
        EXPECT_EQ(p.hoja().sEjercicioVersion, std::string("2010") + (año < 2010 ? "1T" : "4T"));
    }
}

TEST(frmHoja1, NuevaDeclaraciónDejaLaHojaComoRecienCargada) {
    HojaPrueba p;
    p.Cargar();
    auto& hoja = p.hoja();
    p.Escribir(edtNIF, "12345678Z");
    hoja.ElegirEntrada(cmbAdministracion, 0);
    hoja.ElegirEntrada(cmbSigla, 1);
    hoja.ElegirEntrada(cmbProvincia, 2);
    CargarTabla(hoja, cmbMunicipio, kTablaMunicipios, false, p.carpeta, p.mensajes, RangoProvincia(7));
    hoja.ElegirEntrada(cmbMunicipio, 0);
    hoja.Pulsar(chkComplementaria);
    p.Escribir(cmbPeriodo, "4");
    p.Casilla(3, "1000");
    p.Casilla(16, "2000");
    hoja.Pulsar(optResultado(2));
    p.Escribir(edtCCCDev(0), "2100");
    ASSERT_EQ(hoja.OpciónSeleccionada(), 2);
    ASSERT_TRUE(hoja.RegistroModificado);

    p.ventana->registro.Poner(CampoRegistro::NIF, "12345678Z");
    p.mensajes.Esperar("¿Desea guardar los cambios efectuados en la declaración?", Icono::Pregunta,
                       Botones::SíNoCancelar, Respuesta::No);
    EXPECT_TRUE(p.ventana->NuevaDeclaración());
    EXPECT_EQ(p.ventana->registro.Valor(CampoRegistro::NIF), ""); // the record image was blanked
    for (IdCampo id : {edtNIF, cmbAdministracion, edtCodigoAdministracion, cmbSigla, cmbProvincia,
                       cmbMunicipio, edtCCCDev(0)})
        EXPECT_EQ(hoja.Texto(id), "") << ClaveCampo(id);
    for (IdCampo id : {cmbAdministracion, cmbSigla, cmbProvincia})
        EXPECT_EQ(hoja.Posición(id), -1);
    EXPECT_TRUE(hoja.Lista(cmbMunicipio).empty());
    EXPECT_EQ(hoja.Valor(chkComplementaria), 0);
    EXPECT_EQ(hoja.Texto(cmbPeriodo), "3T");
    for (int i = 1; i <= 26; ++i)
        EXPECT_EQ(p.TextoCasilla(i), "") << i;
    EXPECT_EQ(hoja.OpciónSeleccionada(), 3);
    EXPECT_EQ(hoja.Valor(chkSinActividad), 1);
    EXPECT_FALSE(p.Habilitado(edtCCCDev(0)));
    EXPECT_EQ(hoja.Texto(edtIdDeclaración), "0");
    EXPECT_FALSE(hoja.RegistroModificado);
    EXPECT_EQ(hoja.Foco(), cmbAdministracion);
}

namespace {
struct Edición : ::testing::Test {
    HojaPrueba p;
    HojaDeclaración& hoja = p.hoja();
    void SetUp() override { p.Cargar(); }
    void Teclear(std::string_view texto) {
        for (char c : texto)
            hoja.Teclear(static_cast<unsigned char>(c));
    }
};

TEST_F(Edición, CtrlFlechasVanYSeleccionanPorPalabras) {
    p.Escribir(edtNombre, "GARCIA  LOPEZ JUAN");
    struct Paso {
        TeclaEdición tecla;
        bool mayúsculas;
        int ancla, cursor;
    };
    const Paso pasos[] = {
        {TeclaEdición::PalabraAnterior, false, 14, 14}, // start of JUAN
        {TeclaEdición::PalabraAnterior, false, 8, 8},   // start of LOPEZ, over the blank
        {TeclaEdición::PalabraAnterior, false, 0, 0},   // two blanks count as one gap
        {TeclaEdición::PalabraAnterior, false, 0, 0},
        {TeclaEdición::PalabraSiguiente, true, 0, 8}, // GARCIA and its blanks selected
        {TeclaEdición::PalabraSiguiente, true, 0, 14},
        {TeclaEdición::PalabraAnterior, true, 0, 8},
        {TeclaEdición::PalabraSiguiente, false, 14, 14}, // from the caret, the selection dropped
        {TeclaEdición::PalabraSiguiente, false, 18, 18},
        {TeclaEdición::PalabraSiguiente, false, 18, 18}};
    for (const Paso& paso : pasos) {
        hoja.PulsarTecla(paso.tecla, paso.mayúsculas);
        EXPECT_EQ(hoja.Estado(edtNombre).ancla, paso.ancla);
        EXPECT_EQ(hoja.Estado(edtNombre).cursor, paso.cursor);
    }
    EXPECT_EQ(hoja.Texto(edtNombre), "GARCIA  LOPEZ JUAN");
}

TEST_F(Edición, DeshacerDevuelveElTextoAnteriorALaÚltimaEdiciónYOtraVezLaRehace) {
    hoja.Enfocar(edtNombre);
    Teclear("ANA");
    EXPECT_TRUE(hoja.Deshacer()); // the typed run is one edit
    EXPECT_EQ(hoja.Texto(edtNombre), "");
    EXPECT_TRUE(hoja.Deshacer());
    EXPECT_EQ(hoja.Texto(edtNombre), "ANA");

    hoja.Teclear(kTeclaRetroceso);
    EXPECT_EQ(hoja.Texto(edtNombre), "AN");
    hoja.PulsarTecla(TeclaEdición::Inicio);
    hoja.PulsarTecla(TeclaEdición::Suprimir);
    EXPECT_EQ(hoja.Texto(edtNombre), "N");
    EXPECT_TRUE(hoja.Deshacer()); // one level: only the last deletion
    EXPECT_EQ(hoja.Texto(edtNombre), "AN");
    // Typing after a caret move starts a new edit.
    hoja.PulsarTecla(TeclaEdición::Fin);
    Teclear("A");
    hoja.PulsarTecla(TeclaEdición::Inicio);
    Teclear("J");
    EXPECT_TRUE(hoja.Deshacer());
    EXPECT_EQ(hoja.Texto(edtNombre), "ANA");

    // The edit belongs to the field being edited: moving on forgets it.
    hoja.Enfocar(edtViaPublica);
    hoja.Enfocar(edtNombre);
    EXPECT_FALSE(hoja.Deshacer());
    EXPECT_EQ(hoja.Texto(edtNombre), "ANA");
}

TEST_F(Edición, DeshacerEnUnaCasillaRecalculaYUnTextoDelProgramaLoOlvida) {
    p.Casilla(3, "1000");
    ASSERT_EQ(p.TextoCasilla(9), "50,00");
    hoja.RegistroModificado = false;
    EXPECT_TRUE(hoja.Deshacer());
    EXPECT_EQ(p.TextoCasilla(3), "");
    EXPECT_EQ(p.TextoCasilla(9), "");
    EXPECT_TRUE(hoja.RegistroModificado);

    // A paste is one edit too.
    p.ventana->entrada.Pegar("2.000");
    EXPECT_EQ(p.TextoCasilla(3), "2000");
    EXPECT_TRUE(hoja.Deshacer());
    EXPECT_EQ(p.TextoCasilla(3), "");

    // The program rewriting the field (a return put on the sheet) leaves nothing of the old edit to undo.
    Teclear("7");
    hoja.EscribirTexto(edtCasilla(3), "7");
    EXPECT_FALSE(hoja.Deshacer());
    EXPECT_EQ(p.TextoCasilla(3), "7");
}

TEST(Barras, RangosYPasosSegúnLoQueCabe) {
    // A sheet smaller than the frame: no bars.
    Barras b = CalcularBarras({12000, 18000, 11400, 17280, 255, 255});
    EXPECT_FALSE(b.vertical.visible || b.horizontal.visible);
    EXPECT_EQ(b.altoVisible, 18000);
    // Taller only: the vertical bar, whole-twip steps.
    b = CalcularBarras({12000, 9000, 11400, 17280, 255, 255});
    ASSERT_TRUE(b.vertical.visible && !b.horizontal.visible);
    EXPECT_EQ(b.vertical.máximo, 8280);
    EXPECT_EQ(b.vertical.pasoGrande, 4312);
    EXPECT_EQ(b.vertical.pasoPequeño, 431);
    EXPECT_EQ(b.vertical.longitud, 9000);
    // Narrower and shorter: both bars, each shortened by the other in the corner.
    b = CalcularBarras({6000, 9000, 11400, 17280, 255, 240});
    ASSERT_TRUE(b.vertical.visible && b.horizontal.visible);
    EXPECT_EQ(b.altoVisible, 8745);
    EXPECT_EQ(b.vertical.máximo, 8535);
    EXPECT_EQ(b.anchoVisible, 5760);
    EXPECT_EQ(b.horizontal.máximo, 5640);
    EXPECT_EQ(b.vertical.longitud, 8745);
    EXPECT_EQ(b.horizontal.longitud, 5760);
    EXPECT_EQ(AltoMáximoPanel(9001), 3000);
}

TEST(Versión, MayorMenorYCuartoNúmeroSinCerosALaIzquierda) {
    // The file version's third number never reaches these calls: 3.2.0.2 -> (3, 2, 2), this build.
    EXPECT_EQ(ConstruirVersión(10, 0, 15), "10.0.15");
    EXPECT_EQ(ConstruirVersión(2, 11, 100), "2.11.100");
    EXPECT_EQ(VersiónPrograma(), "3.2.2");
}
} // namespace
