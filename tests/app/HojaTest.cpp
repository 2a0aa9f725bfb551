#include "app/ConstantesAyuda.h"
#include "app/Hoja.h"
#include "app/NuevaDeclaracion.h"
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
        {{2011, 1, 15}, "4T"},  {{2011, 4, 2}, "4T"},   {{2013, 8, 1}, "4T"},  {{2009, 6, 1}, "1T"},
    };
    for (const auto& c : casos) {
        FechaHora h = c.hoy;
        EXPECT_EQ(PeriodoNuevaDeclaración(h), c.periodo) << h.año << "-" << h.mes << "-" << h.día;
    }
}

TEST(frmHoja1, ContextosDeAyuda) {
    HojaPrueba p;
    p.Cargar();
    const std::pair<IdCampo, int> casos[] = {
        {cmbAdministracion, 401}, {edtEjercicio, 402},     {edtJustifComp, 402},  {edtNIF, 403},
        {edtFax, 403},            {edtCasilla(1), 404},    {edtCasilla(15), 404}, {edtTipos(6), 404},
        {edtCasilla(16), 405},    {edtCasilla(22), 405},   {edtCasilla(23), 406}, {edtCasilla(26), 406},
        {chkFPCuenta, 407},       {edtCCCIng(3), 407},     {edtResultado(1), 407}, {optResultado(2), 408},
        {edtCCCDev(0), 408},      {chkSinActividad, 409},  {edtResultado(3), 409}, {edtIdDeclaración, 0},
    };
    for (const auto& [id, contexto] : casos)
        EXPECT_EQ(p.hoja().Estado(id).contextoAyuda, contexto) << ClaveCampo(id);
}

TEST(frmHoja1, AvisaCuandoElAñoNoEsElDelEjercicio) {
    for (int año : {2009, 2011, 2025}) {
        HojaPrueba p({año, 6, 1, 9, 0, 0});
        p.mensajes.Esperar(kAvisoEjercicio, Icono::Exclamación, Botones::Aceptar);
        p.Cargar();
        EXPECT_EQ(p.hoja().Texto(cmbPeriodo), año < 2010 ? "1T" : "4T");
        EXPECT_EQ(p.hoja().sEjercicioVersión, std::string("2010") + (año < 2010 ? "1T" : "4T"));
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
    for (IdCampo id :
         {edtNIF, cmbAdministracion, edtCodigoAdministracion, cmbSigla, cmbProvincia, cmbMunicipio, edtCCCDev(0)})
        EXPECT_EQ(hoja.Texto(id), "") << ClaveCampo(id);
    for (IdCampo id : {cmbAdministracion, cmbSigla, cmbProvincia}) EXPECT_EQ(hoja.Posición(id), -1);
    EXPECT_TRUE(hoja.Lista(cmbMunicipio).empty());
    EXPECT_EQ(hoja.Valor(chkComplementaria), 0);
    EXPECT_EQ(hoja.Texto(cmbPeriodo), "3T");
    for (int i = 1; i <= 26; ++i) EXPECT_EQ(p.TextoCasilla(i), "") << i;
    EXPECT_EQ(hoja.OpciónSeleccionada(), 3);
    EXPECT_EQ(hoja.Valor(chkSinActividad), 1);
    EXPECT_FALSE(p.Habilitado(edtCCCDev(0)));
    EXPECT_EQ(hoja.Texto(edtIdDeclaración), "0");
    EXPECT_FALSE(hoja.RegistroModificado);
    EXPECT_EQ(hoja.Foco(), cmbAdministracion);
}

TEST(frmHoja1, SuprimirUnaSelecciónModificaLaDeclaración) {
    HojaPrueba p;
    p.Cargar();
    auto& hoja = p.hoja();
    p.Escribir(edtNombre, "PEREZ");
    hoja.RegistroModificado = false;
    hoja.PulsarTecla(TeclaEdición::Fin);
    hoja.PulsarTecla(TeclaEdición::Suprimir); // nothing selected, nothing after the caret
    EXPECT_FALSE(hoja.RegistroModificado);
    hoja.PulsarTecla(TeclaEdición::Izquierda, true);
    hoja.PulsarTecla(TeclaEdición::Suprimir);
    EXPECT_EQ(hoja.Texto(edtNombre), "PERE");
    EXPECT_TRUE(hoja.RegistroModificado);
}
