#include "validation/Contenido.h"
#include "validation/HojaConReglas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

namespace {

using H = HojaConReglas;
using Preparar = std::function<void(H&)>;

// Worked out by hand: the account has the control digits 4 and 5.
const std::string kCuentaVálida = "21000418450200051332";

void PonerCuenta(H& h, IdCampo (*parte)(int), const std::string& código) {
    const std::size_t desde[] = {0, 4, 8, 10}, largo[] = {4, 4, 2, 10};
    for (int i = 0; i <= 3; ++i)
        h.hoja().EscribirTexto(parte(i), desde[i] < código.size() ? código.substr(desde[i], largo[i]) : "");
}
Preparar Texto(IdCampo id, const char* t) {
    return [id, t](H& h) { h.Poner(id, t); };
}
Preparar Casilla(int i, const char* t) {
    return Texto(edtCasilla(i), t);
}
Preparar Complementaria(const char* c25) {
    return [c25](H& h) { h.hoja().EscribirValor(chkComplementaria, 1), h.Poner(edtCasilla(25), c25); };
}
Preparar Cuota9(const char* cuota) { // base 1000 at rate 5: 50,00
    return [cuota](H& h) { h.Poner(edtCasilla(3), "1000"), h.Poner(edtCasilla(9), cuota); };
}
Preparar Postal(const char* provincia, const char* código) {
    return [provincia, código](H& h) {
        if (*provincia) h.Elegir(cmbProvincia, provincia);
        h.Poner(edtCodigoPostal, código);
    };
}
Preparar PagoEnCuenta(std::string código) { // box 13 alone gives a result to pay
    return [código](H& h) {
        h.Poner(edtCasilla(13), "100"), h.hoja().EscribirValor(chkFPCuenta, 1);
        PonerCuenta(h, edtCCCIng, código);
    };
}

} // namespace

TEST(ValoresDeLaLlamada, PeriodoEnCursoYEjercicio) {
    EXPECT_EQ(ClavePeriodo(2005, "7"), "200507");
    // clang-format off
    const std::tuple<FechaHora, const char*, const char*> casos[] = {
        {{2006, 1, 15}, "20054T", "200512"}, {{2010, 3, 31}, "20094T", "201002"}, {{2010, 4, 1}, "20101T", "201003"}};
    for (const auto& [hoy, trimestre, mes] : casos) {
        EXPECT_EQ(TrimestreEnCurso(hoy), trimestre) << hoy.año << "-" << hoy.mes;
        EXPECT_EQ(MesEnCurso(hoy), mes) << hoy.año << "-" << hoy.mes;
    }
    for (const auto& [texto, año] :
         {std::pair{" 1992 ", 1992}, {"20a0", 0}, {"-5", -5}, {"32767", 32767}, {"32768", 0}})
        EXPECT_EQ(AñoEjercicio(texto), año) << texto;
    // clang-format on
}

// Leaving a field trims it (a box is formatted too); checking the whole return touches no text.
TEST(ValidarCampos, ElCampoQueSeDejaSeRecortaYLaValidaciónCompletaNoToca) {
    // clang-format off
    const std::tuple<IdCampo, const char*, const char*> casos[] = {{edtJustifComp, " 8170612345673 ", "8170612345673"},
        {edtCCCDev(2), " 12 ", "12"}, {edtCasilla(3), " 1000 ", "1.000,00"}, {cmbSigla, " Calle ", "Calle"}};
    // clang-format on
    for (const auto& [id, valor, queda] : casos) {
        H h;
        h.Poner(id, valor);
        h.ValidarTodo();
        EXPECT_EQ(h.hoja().Texto(id), valor) << ClaveCampo(id);
        h.Validar(Definición(id).nombre, Definición(id).índice);
        EXPECT_EQ(h.hoja().Texto(id), queda) << ClaveCampo(id);
    }
}

TEST(ValidarCampos, UnaDeclaraciónNuevaListaExactamenteSusObligatorios) {
    H h;
    h.ValidarTodo();
    std::map<std::string, std::string> entradas;
    for (const auto& e : h.errores.Entradas())
        entradas[e.clave] = h.Entrada(e.clave);
    // clang-format off
    const std::map<std::string, std::string> esperadas = {
        {"cmbAdministracion", "E 0010 Administración tributaria obligatoria"}, {"edtNIF", "E 2010 N.I.F. obligatorio"},
        {"edtNombre", "E 2020 Apellidos y nombre / Razón social obligatorio"},
        {"cmbSigla", "E 2030 Tipo de vía obligatorio"}, {"cmbProvincia", "E 2100 Provincia obligatoria"},
        {"edtViaPublica", "E 2040 Nombre de la vía pública obligatorio"},
        {"cmbMunicipio", "E 2110 Municipio obligatorio"}, {"edtCodigoPostal", "E 2120 Código postal obligatorio"},
    };
    // clang-format on
    EXPECT_EQ(entradas, esperadas);
}

TEST(ValidarCampos, CadaReglaAnotaSuMensajeClaveYTipo) {
    // campo "" checks the whole return; esperado begins the entry ("E code" error, "A code" warning), ""
    // none.
    struct Caso {
        Preparar preparar;
        const char* campo;
        int índice;
        const char *clave, *esperado;
    };
    // clang-format off
    const Caso casos[] = {
        {Texto(edtEjercicio, "20a0"), "edtEjercicio", -1, "edtEjercicio", "E 1010"},
        {Texto(edtEjercicio, "1992"), "edtEjercicio", -1, "edtEjercicio",
         "E 1011 Ejercicio no puede ser anterior al año 1993"},
        {Texto(edtEjercicio, "1993"), "edtEjercicio", -1, "edtEjercicio", "A 1012"},
        {Texto(cmbPeriodo, ""), "", -1, "cmbPeriodo", "E 1020"},
        {Texto(cmbPeriodo, "13"), "", -1, "cmbPeriodo", "E 1021"},
        {Texto(cmbPeriodo, "2T"), "", -1, "cmbPeriodo", "A 1022"},
        {Texto(cmbPeriodo, "3T"), "", -1, "cmbPeriodo", ""},
        {Texto(edtEjercicio, "2009"), "", -1, "cmbPeriodo", "A 1022"},
        {Texto(edtJustifComp, "8170612345670"), "chkComplementaria", -1, "chkComplementaria", "E 1030"},
        {[](H& h) { h.Poner(edtJustifComp, "8170612345670"), h.hoja().EscribirValor(chkComplementaria, 1); },
         "chkComplementaria", -1, "chkComplementaria", ""},
        {Complementaria(""), "chkComplementaria", -1, "edtCasilla#25", "A 3270"},
        {Casilla(25, "10"), "chkComplementaria", -1, "edtCasilla#25", "E 3271"},
        {Complementaria(""), "edtCasilla", 25, "edtCasilla#25",
         "A 3273 No se ha consignado importe a deducir en la declaración complementaria"},
        {Casilla(25, "10"), "edtCasilla", 25, "edtCasilla#25", "E 3274"},
        {Complementaria("10"), "edtJustifComp", -1, "edtJustifComp", "E 1040"},
        {Texto(edtJustifComp, "1234"), "edtJustifComp", -1, "edtJustifComp", "E 1041"},
        {Texto(edtJustifComp, "8030612345673"), "edtJustifComp", -1, "edtJustifComp", "A 1042"},
        {Texto(edtNIF, "12345678A"), "edtNIF", -1, "edtNIF", "E 2011"},
        {Texto(edtNombre, "O'Brien"), "edtNombre", -1, "edtNombre", "E 2021"},
        {Texto(edtViaPublica, "Mayor/3"), "edtViaPublica", -1, "edtViaPublica", "E 2041"},
        {Texto(edtNumero, "12a"), "edtNumero", -1, "edtNumero", "E 2050"},
        {Texto(edtFax, "(971)"), "edtFax", -1, "edtFax", "E 2130"},
        {Postal("", "07a01"), "edtCodigoPostal", -1, "edtCodigoPostal",
         "E 2120 Codigo Postal contiene caracteres no permitidos"},
        {Postal("8", "07001"), "edtCodigoPostal", -1, "edtCodigoPostal", "E 2121"},
        {Postal("7", "7001"), "edtCodigoPostal", -1, "edtCodigoPostal", ""},
        {Postal("9", "09001"), "cmbProvincia", -1, "edtCodigoPostal", ""},
        {Casilla(7, "10"), "edtCasilla", 7, "edtCasilla#07", "E 3080"},
        {Casilla(13, "1000000000000"), "", -1, "edtCasilla#13", "E 3152"},
        {[](H& h) { h.Poner(edtCasilla(13), "999999999999"), h.Poner(edtCasilla(14), "999999999999"); }, "", -1,
         "edtCasilla#15", "E 3172"},
        {[](H& h) { h.Poner(edtCasilla(4), "1000"), h.Poner(edtCasilla(10), "500"); }, "edtCasilla", 4, "edtCasilla#10",
         "E 3115 El importe de la casilla 10 difiere mucho del producto de la base imponible por el tipo de gravamen"},
        {Cuota9("54,99"), "edtCasilla", 3, "edtCasilla#09", "A 3106"},
        {Casilla(13, "-5"), "", -1, "edtCasilla#13", "E 3157 No se admiten valores negativos en la casilla  13"},
        {Casilla(14, "-5"), "", -1, "edtCasilla#14", ""},
        {Casilla(13, "100"), "chkFPEfectivo", -1, "chkFPEfectivo", "E 4010"},
        {PagoEnCuenta(""), "edtCCCIng", 0, "edtCCCIng#0", "E 4030"},
        {PagoEnCuenta("21000418000200051332"), "chkFPCuenta", -1, "edtCCCIng#0", "E 4030"},
        {PagoEnCuenta(kCuentaVálida), "edtCCCIng", 0, "edtCCCIng#0", ""},
        {[](H& h) { h.Poner(cmbPeriodo, "4T"), h.Poner(edtCasilla(16), "1");
             h.hoja().SeleccionarOpción(optResultado(2)); }, "edtCCCDev", 0, "edtCCCDev#0", "E 5010"},
    };
    // clang-format on
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.campo) + " " + c.clave + " " + c.esperado);
        H h;
        c.preparar(h);
        EXPECT_FALSE(h.Validar(c.campo, c.índice));
        EXPECT_EQ(h.Entrada(c.clave).substr(0, *c.esperado ? std::strlen(c.esperado) : std::string::npos),
                  c.esperado);
    }
}

TEST(ValidarCampos, UnRechazoDejaAlUsuarioEnElCampoYNadaMás) {
    // clang-format off
    const std::tuple<IdCampo, const char*, const char*, const char*> casos[] = {
        {cmbPeriodo, "13", "Período erróneo", "cmbPeriodo"}, {cmbSigla, "Zz", "Tipo de vía errónea", "cmbSigla"},
        {cmbProvincia, "Zz", "Provincia errónea", "cmbProvincia"}, {edtCasilla(7), "-1000000000000",
         "El importe de la casilla 07 debe ser menor de 1.000.000.000.000", "edtCasilla#07"},
    };
    // clang-format on
    for (const auto& [campo, tecleado, mensaje, clave] : casos) {
        SCOPED_TRACE(tecleado);
        H h;
        h.ValidarTodo();
        h.Poner(edtCodigoPostal, "07001"); // a later block of the same call would clear its entry
        const std::string antes = h.Entrada(clave), postalAntes = h.Entrada("edtCodigoPostal");
        h.p.Escribir(campo, tecleado);
        h.p.mensajes.EsperarError(mensaje);
        EXPECT_FALSE(h.hoja().Tabular());
        EXPECT_FALSE(h.p.mensajes.Pendientes());
        EXPECT_EQ(h.hoja().Foco(), campo);
        EXPECT_EQ(h.Entrada(clave), antes);
        EXPECT_EQ(h.Entrada("edtCodigoPostal"), postalAntes);
    }
}

TEST(ValidarCampos, LaProvinciaCargaSusMunicipiosYElMunicipioFijaLaAdministración) {
    H h;
    auto& hoja = h.hoja();
    auto escribir = [&](IdCampo id, const char* texto) {
        h.p.Escribir(id, texto);
        return hoja.Tabular();
    };
    ASSERT_TRUE(escribir(cmbProvincia, "Bur"));
    ASSERT_EQ(hoja.Lista(cmbMunicipio).size(), 2u);
    EXPECT_EQ(Utf8(hoja.Lista(cmbMunicipio)[1].texto), "Cabia, La");
    ASSERT_TRUE(escribir(cmbMunicipio, "Cab"));
    EXPECT_EQ(hoja.Texto(edtCodigoAdministracion), "901");
    EXPECT_TRUE(hoja.Estado(cmbAdministracion).bloqueado);
    // Another province: its municipalities, and the administration is free again.
    ASSERT_TRUE(escribir(cmbProvincia, "Ill"));
    EXPECT_EQ(Utf8(hoja.Lista(cmbMunicipio).at(0).texto), "Alaró");
    EXPECT_EQ(hoja.Texto(cmbMunicipio), "");
    EXPECT_FALSE(hoja.Estado(cmbAdministracion).bloqueado);
    ASSERT_TRUE(escribir(cmbMunicipio, "Pal"));
    // A municipality of another province is refused before any later rule: the administration stays.
    h.p.mensajes.EsperarError("Municipio erróneo");
    EXPECT_FALSE(escribir(cmbMunicipio, "Barc"));
    EXPECT_EQ(hoja.Texto(edtCodigoAdministracion), "701");
}

TEST(ValidarCarga, NombraUnaVezCadaCampoCuyoValorSeRechaza) {
    H h;
    const std::pair<IdCampo, const char*> valores[] = {
        {edtEjercicio, "20x0"}, {cmbPeriodo, "13"}, {edtNombre, "O'Brien"},     {cmbSigla, "Zz"},
        {edtNumero, "12a"},     {edtFax, "(971)"},  {edtCodigoPostal, "07a01"}, {edtNIF, "12345678A"}};
    for (const auto& [id, valor] : valores) // the wrong tax number is loaded as it is
        h.Poner(id, valor);
    const char* const nombres = "EJERCICIO, PERÍODO, Apellidos y nombre / Razón social, Tipo de vía, Número, "
                                "Fax, Código postal, ";
    std::string lista = "Previo, ";
    h.validación.ValidarCarga(lista);
    EXPECT_EQ(Utf8(lista), std::string("Previo, ") + nombres);
}
