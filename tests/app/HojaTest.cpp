#include "app/Hoja.h"
#include "app/Barras.h"
#include "app/ConstantesAyuda.h"
#include "app/NuevaDeclaracion.h"
#include "model/Tablas.h"
#include "support/HojaPrueba.h"

#include <gtest/gtest.h>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

TEST(NuevaDeclaración, PeriodoDelTrimestreAnterior) {
    const std::pair<FechaHora, const char*> casos[] = {
        {{2010, 11, 15}, "3T"}, {{2010, 12, 31}, "3T"}, {{2010, 4, 1}, "1T"},  {{2010, 7, 1}, "2T"},
        {{2010, 10, 1}, "3T"},  {{2010, 3, 31}, "1T"},  {{2010, 2, 10}, "1T"}, // 2009: before the exercise
        {{2011, 1, 15}, "4T"},  {{2011, 4, 2}, "4T"},   {{2013, 8, 1}, "4T"},  {{2009, 6, 1}, "1T"}};
    for (auto [h, periodo] : casos)
        EXPECT_EQ(PeriodoNuevaDeclaración(h), periodo) << h.año << "-" << h.mes << "-" << h.día;
}

TEST(frmHoja1, ContextosDeAyuda) {
    HojaPrueba p;
    p.Cargar();
    // clang-format off
    const std::pair<IdCampo, int> casos[] = {
        {cmbAdministracion, 401}, {edtEjercicio, 402}, {edtJustifComp, 402}, {edtNIF, 403}, {edtFax, 403},
        {edtCasilla(1), 404}, {edtCasilla(15), 404}, {edtTipos(6), 404}, {edtCasilla(16), 405},
        {edtCasilla(22), 405}, {edtCasilla(23), 406}, {edtCasilla(26), 406}, {chkFPCuenta, 407},
        {edtCCCIng(3), 407}, {edtResultado(1), 407}, {optResultado(2), 408}, {edtCCCDev(0), 408},
        {chkSinActividad, 409}, {edtResultado(3), 409}, {edtIdDeclaración, 0}};
    // clang-format on
    for (const auto& [id, contexto] : casos)
        EXPECT_EQ(p.hoja().Estado(id).contextoAyuda, contexto) << ClaveCampo(id);
}

TEST(frmHoja1, AvisaCuandoElAñoNoEsElDelEjercicio) {
    for (int año : {2009, 2011, 2025}) {
        HojaPrueba p({año, 6, 1, 9, 0, 0});
        p.mensajes.Esperar("El ejercicio de la versión no coincide con el actualmente en curso.",
                           Icono::Exclamación, Botones::Aceptar);
        p.Cargar();
        EXPECT_EQ(p.hoja().Texto(cmbPeriodo) + p.hoja().sEjercicioVersión,
                  año < 2010 ? "1T20101T" : "4T20104T");
    }
}

TEST(frmHoja1, NuevaDeclaraciónDejaLaHojaComoRecienCargada) {
    HojaPrueba p;
    p.Cargar();
    auto& hoja = p.hoja();
    p.Escribir(edtNIF, "12345678Z");
    for (IdCampo id : {cmbAdministracion, cmbSigla, cmbProvincia})
        hoja.ElegirEntrada(id, 1);
    CargarTabla(hoja, cmbMunicipio, kTablaMunicipios, false, p.carpeta, p.mensajes, RangoProvincia(7));
    hoja.ElegirEntrada(cmbMunicipio, 0);
    hoja.Pulsar(chkComplementaria);
    p.Escribir(cmbPeriodo, "4");
    p.Casilla(3, "1000");
    p.Casilla(16, "2000");
    hoja.Pulsar(optResultado(2));
    p.Escribir(edtCCCDev(0), "2100");
    ASSERT_TRUE(hoja.OpciónSeleccionada() == 2 && hoja.RegistroModificado);

    p.ventana->registro.Poner(CampoRegistro::NIF, "12345678Z");
    p.mensajes.Esperar("¿Desea guardar los cambios efectuados en la declaración?", Icono::Pregunta,
                       Botones::SíNoCancelar, Respuesta::No);
    EXPECT_TRUE(p.ventana->NuevaDeclaración());
    EXPECT_EQ(p.ventana->registro.Valor(CampoRegistro::NIF), ""); // the record image was blanked
    for (IdCampo id : {edtNIF, edtCodigoAdministracion, cmbMunicipio, edtCCCDev(0)})
        EXPECT_EQ(hoja.Texto(id), "") << ClaveCampo(id);
    for (IdCampo id : {cmbAdministracion, cmbSigla, cmbProvincia})
        EXPECT_EQ(hoja.Posición(id), -1) << ClaveCampo(id);
    EXPECT_EQ(p.TextoCasilla(3) + p.TextoCasilla(9) + p.TextoCasilla(16) + p.TextoCasilla(26), "");
    EXPECT_EQ(hoja.Texto(cmbPeriodo) + hoja.Texto(edtIdDeclaración), "3T0");
    EXPECT_EQ(std::make_tuple(hoja.Valor(chkComplementaria), hoja.OpciónSeleccionada(),
                              hoja.Valor(chkSinActividad)),
              std::make_tuple(0, 3, 1));
    EXPECT_FALSE(p.Habilitado(edtCCCDev(0)) || hoja.RegistroModificado || !hoja.Lista(cmbMunicipio).empty());
    EXPECT_EQ(hoja.Foco(), cmbAdministracion);
}

TEST(Barras, RangosYPasosSegúnLoQueCabe) {
    Barras b = CalcularBarras({12000, 18000, 11400, 17280, 255, 255}); // smaller than the frame: no bars
    EXPECT_FALSE(b.vertical.visible || b.horizontal.visible);
    EXPECT_EQ(b.altoVisible, 18000);
    b = CalcularBarras({12000, 9000, 11400, 17280, 255, 255}); // taller only: whole-twip steps
    ASSERT_TRUE(b.vertical.visible && !b.horizontal.visible);
    EXPECT_EQ(std::tie(b.vertical.máximo, b.vertical.pasoGrande, b.vertical.pasoPequeño, b.vertical.longitud),
              std::make_tuple(8280, 4312, 431, 9000));
    b = CalcularBarras({6000, 9000, 11400, 17280, 255, 240}); // both: each shortened by the other
    ASSERT_TRUE(b.vertical.visible && b.horizontal.visible);
    EXPECT_EQ(std::tie(b.altoVisible, b.vertical.máximo, b.vertical.longitud),
              std::make_tuple(8745, 8535, 8745));
    EXPECT_EQ(std::tie(b.anchoVisible, b.horizontal.máximo, b.horizontal.longitud),
              std::make_tuple(5760, 5640, 5760));
    EXPECT_EQ(AltoMáximoPanel(9001), 3000);
}

TEST(frmHoja1, CtrlFlechaIzquierdaVaAlPrincipioDeLaPalabraSaltandoLosBlancos) {
    HojaPrueba p;
    p.Cargar();
    p.Escribir(edtNombre, "GARCIA  LOPEZ JUAN");
    for (int cursor : {14, 8, 0, 0}) { // two blanks count as one gap
        p.hoja().PulsarTecla(TeclaEdición::PalabraAnterior);
        EXPECT_EQ(p.hoja().Estado(edtNombre).cursor, cursor);
    }
}
