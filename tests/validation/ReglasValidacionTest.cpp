#include "validation/Contenido.h"
#include "validation/HojaConReglas.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

namespace {

// Worked out by hand: 817061234567 % 7 = 4 and 803061234567 % 7 = 4 give the check digit 3; the account
// 2100 0418 .. 0200051332 has the control digits 4 and 5.
const std::string kJustificante817 = "8170612345673", kJustificante803 = "8030612345673";
const std::string kCuentaVálida = "21000418450200051332";

void PonerCuenta(HojaConReglas& h, IdCampo (*parte)(int), const std::string& código) {
    const std::size_t desde[] = {0, 4, 8, 10}, largo[] = {4, 4, 2, 10};
    for (int i = 0; i <= 3; ++i)
        h.hoja().EscribirTexto(parte(i), desde[i] < código.size() ? código.substr(desde[i], largo[i]) : "");
}

// A result to pay: box 13 alone gives box 26.
void APagar(HojaConReglas& h) {
    h.Poner(edtCasilla(13), "100");
}

// A refund in the fourth quarter, with the refund option chosen.
void ADevolver(HojaConReglas& h) {
    h.Poner(cmbPeriodo, "4T");
    h.Poner(edtCasilla(16), "100");
    h.hoja().SeleccionarOpción(optResultado(2));
}

} // namespace

TEST(ValoresDeLaLlamada, ClaveDelPeriodoTrimestreYMesEnCurso) {
    EXPECT_EQ(ClavePeriodo(2005, "3T"), "20053T");
    EXPECT_EQ(ClavePeriodo(2005, "07"), "200507");
    EXPECT_EQ(ClavePeriodo(2005, "7"), "200507");
    EXPECT_EQ(ClavePeriodo(2010, ""), "201000");
    EXPECT_EQ(ClavePeriodo(0, "1T"), "01T");

    struct Caso {
        FechaHora hoy;
        const char* trimestre;
        const char* mes;
    };
    const Caso casos[] = {
        {{2005, 8, 15}, "20052T", "200507"},  {{2006, 1, 15}, "20054T", "200512"},
        {{2010, 3, 31}, "20094T", "201002"},  {{2010, 4, 1}, "20101T", "201003"},
        {{2010, 11, 15}, "20103T", "201010"}, {{2011, 2, 28}, "20104T", "201101"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(TrimestreEnCurso(c.hoy), c.trimestre) << c.hoy.año << "-" << c.hoy.mes;
        EXPECT_EQ(MesEnCurso(c.hoy), c.mes) << c.hoy.año << "-" << c.hoy.mes;
    }
}

TEST(ValoresDeLaLlamada, EjercicioComoEnteroDe16Bits) {
    const std::pair<const char*, int> casos[] = {
        {"2010", 2010},   {" 1992 ", 1992}, {"", 0},   {"20a0", 0}, {"-5", -5},
        {"32767", 32767}, {"32768", 0},     {"+7", 7}, {"-", 0},    {"2010,5", 0},
    };
    for (const auto& [texto, año] : casos)
        EXPECT_EQ(AñoEjercicio(texto), año) << texto;
}

TEST(ComprobarContenido, TiposVacíoYListaDeCamposNoCargados) {
    struct Caso {
        const char* texto;
        int tipo;
        bool permitirVacío;
        bool bien;
        const char* resultado;
    };
    const Caso casos[] = {
        {"  Peña García ", kContenidoTexto, true, true, "PEÑA GARCIA"},
        {"O'Brien", kContenidoTexto, true, false, "O\x07"},
        {"", kContenidoTexto, true, true, ""},
        {"   ", kContenidoDígitos, true, true, ""},
        {"", kContenidoDígitos, false, true, "0"},
        {" 0701 ", kContenidoDígitos, true, true, "0701"},
        {"07 01", kContenidoDígitos, true, false, "07\x07"},
        {"12a", kContenidoDígitos, true, false, "12\x07"},
    };
    for (const auto& c : casos) {
        std::string texto = W(c.texto), lista;
        EXPECT_EQ(ComprobarContenido("Campo", texto, c.tipo, c.permitirVacío, &lista), c.bien) << c.texto;
        EXPECT_EQ(texto, W(c.resultado)) << c.texto;
        EXPECT_EQ(lista, c.bien ? "" : "Campo, ") << c.texto;
    }
    // Without a name, or without a list, nothing is collected.
    std::string texto = "a/b", lista;
    EXPECT_FALSE(ComprobarContenido("", texto, kContenidoTexto, true, &lista));
    EXPECT_EQ(lista, "");
}

TEST(ValidarCampos, UnaDeclaraciónNuevaListaExactamenteSusObligatorios) {
    HojaConReglas h;
    h.ValidarTodo();
    std::map<std::string, std::string> entradas;
    for (const auto& clave : h.Claves())
        entradas[clave] = h.Entrada(clave);
    const std::map<std::string, std::string> esperadas = {
        {"cmbAdministracion", "E 0010 Administración tributaria obligatoria"},
        {"edtNIF", "E 2010 N.I.F. obligatorio"},
        {"edtNombre", "E 2020 Apellidos y nombre / Razón social obligatorio"},
        {"cmbSigla", "E 2030 Tipo de vía obligatorio"},
        {"edtViaPublica", "E 2040 Nombre de la vía pública obligatorio"},
        {"cmbProvincia", "E 2100 Provincia obligatoria"},
        {"cmbMunicipio", "E 2110 Municipio obligatorio"},
        {"edtCodigoPostal", "E 2120 Código postal obligatorio"},
    };
    EXPECT_EQ(entradas, esperadas);
}

// ---- every rule of every block ----------------------------------------------------------------------------

struct CasoRegla {
    const char* nombre;
    std::function<void(HojaConReglas&)> preparar;
    const char* campo; // "" for the whole return
    int Index;
    const char* clave;
    const char* esperado; // "E …" error, "A …" warning, "" no entry
};

class Regla : public ::testing::TestWithParam<CasoRegla> {};

TEST_P(Regla, AnotaSuMensajeClaveTipoYOrden) {
    const CasoRegla& c = GetParam();
    HojaConReglas h;
    if (c.preparar) c.preparar(h);
    EXPECT_FALSE(h.Validar(c.campo, c.Index));
    EXPECT_EQ(h.Entrada(c.clave), c.esperado);
}

namespace {

using H = HojaConReglas;

auto Texto(IdCampo id, const char* t) {
    return [id, t](H& h) { h.Poner(id, t); };
}
auto Casilla(int i, const char* t) {
    return Texto(edtCasilla(i), t);
}
auto Complementaria(const char* casilla25) {
    return [casilla25](H& h) {
        h.hoja().EscribirValor(chkComplementaria, 1);
        h.Poner(edtCasilla(25), casilla25);
    };
}
auto Cuota9(const char* cuota) {
    return [cuota](H& h) {
        h.Poner(edtCasilla(3), "1000"); // rate 5: 50,00
        h.Poner(edtCasilla(9), cuota);
    };
}
auto Postal(const char* provincia, const char* código) {
    return [provincia, código](H& h) {
        if (*provincia) h.Elegir(cmbProvincia, provincia);
        h.Poner(edtCodigoPostal, código);
    };
}
auto PagoEnCuenta(std::string código) {
    return [código](H& h) {
        APagar(h);
        h.hoja().EscribirValor(chkFPCuenta, 1);
        PonerCuenta(h, edtCCCIng, código);
    };
}
auto Devolución(std::string código) {
    return [código](H& h) {
        ADevolver(h);
        PonerCuenta(h, edtCCCDev, código);
    };
}

const CasoRegla kReglas[] = {
    // 1: administration
    {"AdministracionVacia", nullptr, "cmbAdministracion", -1, "cmbAdministracion",
     "E 0010 Administración tributaria obligatoria"},
    {"AdministracionElegida", [](H& h) { h.Elegir(cmbAdministracion, "701"); }, "cmbAdministracion", -1,
     "cmbAdministracion", ""},
    // 2: exercise
    {"EjercicioVacio", Texto(edtEjercicio, ""), "edtEjercicio", -1, "edtEjercicio",
     "E 1010 Ejercicio obligatorio"},
    {"EjercicioNoNumerico", Texto(edtEjercicio, "20a0"), "edtEjercicio", -1, "edtEjercicio",
     "E 1010 Ejercicio obligatorio"},
    {"Ejercicio1992", Texto(edtEjercicio, "1992"), "edtEjercicio", -1, "edtEjercicio",
     "E 1011 Ejercicio no puede ser anterior al año 1993"},
    {"Ejercicio1993", Texto(edtEjercicio, "1993"), "edtEjercicio", -1, "edtEjercicio",
     "A 1012 El ejercicio no coincide con el ejercicio de la versión"},
    {"EjercicioDeLaVersion", nullptr, "edtEjercicio", -1, "edtEjercicio", ""},
    // 3: period (the whole return: the field's own check would refuse a value not in the list)
    {"PeriodoVacio", Texto(cmbPeriodo, ""), "", -1, "cmbPeriodo", "E 1020 Periodo obligatorio"},
    {"Periodo13", Texto(cmbPeriodo, "13"), "", -1, "cmbPeriodo", "E 1021 Periodo erróneo"},
    {"Periodo0T", Texto(cmbPeriodo, "0T"), "", -1, "cmbPeriodo", "E 1021 Periodo erróneo"},
    {"TrimestreNoEnCurso", Texto(cmbPeriodo, "2T"), "", -1, "cmbPeriodo",
     "A 1022 El periodo de liquidación seleccionado no se corresponde con el actualmente en curso"},
    {"TrimestreEnCurso", Texto(cmbPeriodo, "3T"), "", -1, "cmbPeriodo", ""},
    {"MesEnCurso", Texto(cmbPeriodo, "10"), "", -1, "cmbPeriodo", ""},
    {"MesNoEnCurso", Texto(cmbPeriodo, "09"), "", -1, "cmbPeriodo",
     "A 1022 El periodo de liquidación seleccionado no se corresponde con el actualmente en curso"},
    {"TrimestreDeOtroEjercicio", Texto(edtEjercicio, "2009"), "", -1, "cmbPeriodo",
     "A 1022 El periodo de liquidación seleccionado no se corresponde con el actualmente en curso"},
    // 4: complementary flag
    {"JustificanteSinComplementaria", Texto(edtJustifComp, "8170612345670"), "chkComplementaria", -1,
     "chkComplementaria", "E 1030 Casilla de autoliquidación complementaria obligatoria"},
    {"JustificanteConComplementaria",
     [](H& h) {
         h.Poner(edtJustifComp, "8170612345670");
         h.hoja().EscribirValor(chkComplementaria, 1);
     },
     "chkComplementaria", -1, "chkComplementaria", ""},
    // 5: box 25 from the flag's side, and rules c and d from the box's side
    {"ComplementariaSinADeducir", Complementaria(""), "chkComplementaria", -1, "edtCasilla#25",
     "A 3270 No se ha consignado importe a deducir en la declaración complementaria"},
    {"ADeducirSinComplementaria", Casilla(25, "10"), "chkComplementaria", -1, "edtCasilla#25",
     "E 3271 A deducir solamente para autoliquidaciones complementarias"},
    {"ComplementariaConADeducir", Complementaria("10"), "chkComplementaria", -1, "edtCasilla#25", ""},
    {"Casilla25VaciaEnComplementaria", Complementaria(""), "edtCasilla", 25, "edtCasilla#25",
     "A 3273 No se ha consignado importe a deducir en la declaración complementaria"},
    {"Casilla25SinComplementaria", Casilla(25, "10"), "edtCasilla", 25, "edtCasilla#25",
     "E 3274 A deducir solamente para autoliquidaciones complementarias"},
    // 6: receipt number
    {"JustificanteObligatorio", Complementaria("10"), "edtJustifComp", -1, "edtJustifComp",
     "E 1040 Nº de justificante obligatorio"},
    {"JustificanteErroneo", Texto(edtJustifComp, "1234"), "edtJustifComp", -1, "edtJustifComp",
     "E 1041 Nº de justificante erróneo"},
    {"JustificanteDeOtroModelo", [](H& h) { h.Poner(edtJustifComp, kJustificante803); }, "edtJustifComp",
     -1, "edtJustifComp", "A 1042 Nº de justificante no coincide con el modelo actual"},
    {"JustificanteBueno", [](H& h) { h.Poner(edtJustifComp, kJustificante817); }, "edtJustifComp", -1,
     "edtJustifComp", ""},
    // 7: tax number
    {"NIFVacio", nullptr, "edtNIF", -1, "edtNIF", "E 2010 N.I.F. obligatorio"},
    {"NIFErroneo", Texto(edtNIF, "12345678A"), "edtNIF", -1, "edtNIF", "E 2011 N.I.F. erróneo"},
    {"NIFBueno", Texto(edtNIF, " 12345678z "), "edtNIF", -1, "edtNIF", ""},
    // 8 to 16: name and address
    {"NombreVacio", nullptr, "edtNombre", -1, "edtNombre",
     "E 2020 Apellidos y nombre / Razón social obligatorio"},
    {"NombreNoPermitido", Texto(edtNombre, "O'Brien"), "edtNombre", -1, "edtNombre",
     "E 2021 Apellidos y nombre / Razón social contiene caracteres no permitidos"},
    {"NombreBueno", Texto(edtNombre, "Peña García, S.L."), "edtNombre", -1, "edtNombre", ""},
    {"SiglaVacia", nullptr, "cmbSigla", -1, "cmbSigla", "E 2030 Tipo de vía obligatorio"},
    {"SiglaElegida", [](H& h) { h.Elegir(cmbSigla, "CL"); }, "cmbSigla", -1, "cmbSigla", ""},
    {"ViaVacia", nullptr, "edtViaPublica", -1, "edtViaPublica",
     "E 2040 Nombre de la vía pública obligatorio"},
    {"ViaNoPermitida", Texto(edtViaPublica, "Mayor/3"), "edtViaPublica", -1, "edtViaPublica",
     "E 2041 Nombre de la vía pública contiene caracteres no permitidos"},
    {"NumeroVacio", nullptr, "edtNumero", -1, "edtNumero", ""},
    {"NumeroConLetra", Texto(edtNumero, "12a"), "edtNumero", -1, "edtNumero",
     "E 2050 Número de la vía pública contiene caracteres no perimitidos"},
    {"FaxNoPermitido", Texto(edtFax, "(971)"), "edtFax", -1, "edtFax",
     "E 2130 Fax contiene caracteres no perimitidos"},
    {"DireccionOpcionalBuena", Texto(edtPuerta, "izda"), "edtPuerta", -1, "edtPuerta", ""},
    // 17, 18: province and municipality
    {"ProvinciaVacia", nullptr, "cmbProvincia", -1, "cmbProvincia", "E 2100 Provincia obligatoria"},
    {"ProvinciaElegida", [](H& h) { h.Elegir(cmbProvincia, "7"); }, "cmbProvincia", -1, "cmbProvincia", ""},
    {"MunicipioVacio", nullptr, "cmbMunicipio", -1, "cmbMunicipio", "E 2110 Municipio obligatorio"},
    {"MunicipioElegido",
     [](H& h) {
         h.Elegir(cmbProvincia, "7");
         h.Validar("cmbProvincia");
         h.Elegir(cmbMunicipio, "7040");
     },
     "cmbMunicipio", -1, "cmbMunicipio", ""},
    // 20: postal code
    {"PostalVacio", nullptr, "edtCodigoPostal", -1, "edtCodigoPostal", "E 2120 Código postal obligatorio"},
    {"PostalConLetra", Postal("", "07a01"), "edtCodigoPostal", -1, "edtCodigoPostal",
     "E 2120 Codigo Postal contiene caracteres no permitidos"},
    {"PostalDeOtraProvincia", Postal("8", "07001"), "edtCodigoPostal", -1, "edtCodigoPostal",
     "E 2121 Código postal incoherente con la provincia"},
    {"PostalSinProvincia", Postal("", "07001"), "edtCodigoPostal", -1, "edtCodigoPostal", ""},
    {"PostalDeCuatroCifras", Postal("7", "7001"), "edtCodigoPostal", -1, "edtCodigoPostal", ""},
    {"PostalCoherente", Postal("9", "09001"), "cmbProvincia", -1, "edtCodigoPostal", ""},
    // 21: boxes, rules a to h
    {"CuotaSinBase", Casilla(7, "10"), "edtCasilla", 7, "edtCasilla#07",
     "E 3080 Si se rellena la casilla 07 es obligatorio rellenar la casilla 01"},
    {"CasillaSobreLimite", Casilla(13, "1000000000000"), "", -1, "edtCasilla#13",
     "E 3152 El importe de la casilla 13 debe ser menor de 1.000.000.000.000"},
    {"TotalSobreLimite",
     [](H& h) {
         h.Poner(edtCasilla(13), "999999999999");
         h.Poner(edtCasilla(14), "999999999999");
     },
     "", -1, "edtCasilla#15", "E 3172 El importe de la casilla 15 debe ser menor de 1.000.000.000.000"},
    {"CuotaDifiereMucho", Cuota9("56"), "edtCasilla", 3, "edtCasilla#09",
     "E 3105 El importe de la casilla 09 difiere mucho del producto de la base imponible por el tipo de "
     "gravamen"},
    {"CuotaDifiere5", Cuota9("55"), "edtCasilla", 3, "edtCasilla#09",
     "E 3105 El importe de la casilla 09 difiere mucho del producto de la base imponible por el tipo de "
     "gravamen"},
    {"CuotaDifiere499", Cuota9("54,99"), "edtCasilla", 3, "edtCasilla#09",
     "A 3106 El importe de la casilla 09 no coincide con el producto de la base imponible por el tipo de "
     "gravamen"},
    {"CuotaCoincide", Cuota9("50"), "edtCasilla", 9, "edtCasilla#09", ""},
    {"Negativa13", Casilla(13, "-5"), "", -1, "edtCasilla#13",
     "E 3157 No se admiten valores negativos en la casilla  13"},
    {"Negativa24", Casilla(24, "-5"), "", -1, "edtCasilla#24",
     "E 3267 No se admiten valores negativos en la casilla  24"},
    {"Negativa14", Casilla(14, "-5"), "", -1, "edtCasilla#14", ""},
    // 22: payment and its account
    {"FormaDePagoObligatoria", APagar, "chkFPEfectivo", -1, "chkFPEfectivo",
     "E 4010 Forma de pago obligatorio"},
    {"PagoEnEfectivo",
     [](H& h) {
         APagar(h);
         h.hoja().EscribirValor(chkFPEfectivo, 1);
     },
     "chkFPEfectivo", -1, "chkFPEfectivo", ""},
    {"SinResultadoNoHayFormaDePago", nullptr, "chkFPEfectivo", -1, "chkFPEfectivo", ""},
    {"CuentaIngresoVacia", PagoEnCuenta(""), "edtCCCIng", 0, "edtCCCIng#0",
     "E 4030 Código Cuenta Cliente obligatorio"},
    {"CuentaIngreso19", PagoEnCuenta(kCuentaVálida.substr(0, 19)), "edtCCCIng", 3, "edtCCCIng#0",
     "E 4030 Código Cuenta Cliente incompleto"},
    {"CuentaIngresoErronea", PagoEnCuenta("21000418000200051332"), "chkFPCuenta", -1, "edtCCCIng#0",
     "E 4030 Código Cuenta Cliente erróneo"},
    {"CuentaIngresoBuena", PagoEnCuenta(kCuentaVálida), "edtCCCIng", 0, "edtCCCIng#0", ""},
    {"CuentaIngresoCerrada",
     [](H& h) {
         PagoEnCuenta("")(h);
         h.hoja().EscribirValor(chkFPEfectivo, 1);
     },
     "chkFPEfectivo", -1, "edtCCCIng#0", ""},
    // 23: refund account
    {"CuentaDevolucionVacia", Devolución(""), "edtCCCDev", 0, "edtCCCDev#0",
     "E 5010 Código Cuenta Cliente obligatorio"},
    {"CuentaDevolucion19", Devolución(kCuentaVálida.substr(0, 19)), "edtCCCDev", 0, "edtCCCDev#0",
     "E 5010 Código Cuenta Cliente incompleto"},
    {"CuentaDevolucionBuena", Devolución(kCuentaVálida), "edtCCCDev", 0, "edtCCCDev#0", ""},
    {"SinDevolucionNoHayCuenta", Casilla(16, "100"), "edtCCCDev", 0, "edtCCCDev#0", ""},
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Bloques, Regla, ::testing::ValuesIn(kReglas),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST(ValidarCampos, ElNIFQuedaRecortadoYEnMayúsculas) {
    HojaConReglas h;
    h.Poner(edtNIF, " x1234567l ");
    h.Validar("edtNIF");
    EXPECT_EQ(h.hoja().Texto(edtNIF), "X1234567L");
    EXPECT_EQ(h.Entrada("edtNIF"), "");
}

TEST(ValidarCampos, ElCampoQueSeDejaSeRecortaYLaValidaciónCompletaNoToca) {
    const std::pair<IdCampo, std::string> casos[] = {
        {edtJustifComp, kJustificante817}, {edtNombre, "RUIZ"},  {edtFax, "12"},
        {edtCodigoPostal, "07001"},           {edtCCCDev(2), "12"}, {edtCCCIng(1), "12"},
    };
    for (const auto& [id, valor] : casos) {
        HojaConReglas h;
        h.Poner(id, " " + valor + " ");
        h.ValidarTodo();
        EXPECT_EQ(h.hoja().Texto(id), " " + valor + " ") << ClaveCampo(id);
        h.Validar(Definición(id).nombre, Definición(id).índice);
        EXPECT_EQ(h.hoja().Texto(id), valor) << ClaveCampo(id);
    }
}

TEST(ValidarCampos, UnaCasillaRevalidaSuCuotaYLasCalculadas) {
    HojaConReglas h;
    h.Poner(edtCasilla(14), "999999999999"); // with box 7, box 15 goes over the limit
    for (int i : {7, 8, 10})
        h.Poner(edtCasilla(i), "10");
    h.Poner(edtCasilla(13), "-5");

    h.Validar("edtCasilla", 2);
    EXPECT_NE(h.Entrada("edtCasilla#08"), "");
    EXPECT_NE(h.Entrada("edtCasilla#15"), "");
    for (const char* no : {"edtCasilla#07", "edtCasilla#10", "edtCasilla#13"})
        EXPECT_EQ(h.Entrada(no), "") << no;

    h.Validar("edtTipos", 4);
    EXPECT_NE(h.Entrada("edtCasilla#10"), "");
    EXPECT_EQ(h.Entrada("edtCasilla#13"), "");
}

TEST(ValidarCampos, LaCasillaSeRecortaFormateaYRecalcula) {
    HojaConReglas h;
    h.Poner(edtCasilla(3), " 1000 ");
    h.Validar("edtCasilla", 3);
    EXPECT_EQ(h.hoja().Texto(edtCasilla(3)), "1.000,00");
    EXPECT_EQ(h.hoja().Texto(edtCasilla(9)), "50,00");
    EXPECT_EQ(h.hoja().Texto(edtCasilla(26)), "50,00");
}

// ---- the refusals that keep the user in the field
// ----------------------------------------------------------

struct CasoParada {
    IdCampo campo;
    const char* tecleado;
    const char* mensaje;
    const char* clave; // the field's entry, which the refusal leaves as it was
};

class Parada : public ::testing::TestWithParam<CasoParada> {};

TEST_P(Parada, MensajeFocoEnElCampoCancelYNadaMás) {
    const CasoParada& c = GetParam();
    HojaConReglas h;
    h.ValidarTodo();
    const std::string antes = h.Entrada(c.clave);
    // A later block of the same call would clear the postal code's entry.
    h.Poner(edtCodigoPostal, "07001");
    const std::string postalAntes = h.Entrada("edtCodigoPostal");

    h.p.Escribir(c.campo, c.tecleado);
    h.p.mensajes.EsperarError(c.mensaje);
    EXPECT_FALSE(h.hoja().Tabular());
    EXPECT_FALSE(h.p.mensajes.Pendientes());
    EXPECT_EQ(h.hoja().Foco(), c.campo);
    EXPECT_EQ(h.Entrada(c.clave), antes);
    EXPECT_EQ(h.Entrada("edtCodigoPostal"), postalAntes);

    // The check alone reports the refusal through Cancel.
    h.p.mensajes.EsperarError(c.mensaje);
    EXPECT_TRUE(h.Validar(Definición(c.campo).nombre, Definición(c.campo).índice));
}

INSTANTIATE_TEST_SUITE_P(
    Campos, Parada,
    ::testing::Values(CasoParada{cmbAdministracion, "Zz", "Administración errónea", "cmbAdministracion"},
                      CasoParada{cmbPeriodo, "13", "Período erróneo", "cmbPeriodo"},
                      CasoParada{cmbPeriodo, "T", "Período erróneo", "cmbPeriodo"},
                      CasoParada{cmbSigla, "Zz", "Tipo de vía errónea", "cmbSigla"},
                      CasoParada{cmbProvincia, "Zz", "Provincia errónea", "cmbProvincia"},
                      CasoParada{edtCasilla(13), "1000000000000",
                                 "El importe de la casilla 13 debe ser menor de 1.000.000.000.000",
                                 "edtCasilla#13"},
                      CasoParada{edtCasilla(7), "-1000000000000",
                                 "El importe de la casilla 07 debe ser menor de 1.000.000.000.000",
                                 "edtCasilla#07"}));

TEST(ValidarCampos, MunicipioFueraDeSuListaSeRechaza) {
    HojaConReglas h;
    h.p.Escribir(cmbProvincia, "Bar");
    ASSERT_TRUE(h.hoja().Tabular());
    h.p.Escribir(cmbMunicipio, "Barc");
    ASSERT_TRUE(h.hoja().Tabular());
    ASSERT_TRUE(h.hoja().Estado(cmbAdministracion).bloqueado);
    h.p.Escribir(cmbMunicipio, "Palma"); // a municipality of another province
    h.p.mensajes.EsperarError("Municipio erróneo");
    EXPECT_FALSE(h.hoja().Tabular());
    EXPECT_EQ(h.hoja().Foco(), cmbMunicipio);
    // Refused, it reaches no later rule: the administration the last municipality fixed stays.
    EXPECT_TRUE(h.hoja().Estado(cmbAdministracion).bloqueado);
    EXPECT_EQ(h.hoja().Texto(edtCodigoAdministracion), "801");
}

TEST(ValidarCampos, UnDígitoEnElPeriodoEsUnMes) {
    HojaConReglas h;
    h.p.Escribir(cmbPeriodo, "7");
    ASSERT_TRUE(h.hoja().Tabular()); // leaving checks it twice: neither refuses the month
    EXPECT_EQ(h.hoja().Texto(cmbPeriodo), "07");
    EXPECT_EQ(h.Entrada("cmbPeriodo"),
              "A 1022 El periodo de liquidación seleccionado no se corresponde con el actualmente en curso");
    h.p.Escribir(cmbPeriodo, "10"); // a month of two digits stays as it is
    ASSERT_TRUE(h.hoja().Tabular());
    EXPECT_EQ(h.hoja().Texto(cmbPeriodo), "10");
    h.p.Escribir(cmbPeriodo, "13");
    h.p.mensajes.EsperarError("Período erróneo");
    EXPECT_FALSE(h.hoja().Tabular());
}

// ---- province, municipality and administration
// ---------------------------------------------------------------

TEST(ValidarCampos, LaProvinciaCargaSusMunicipiosYElMunicipioFijaLaAdministración) {
    HojaConReglas h;
    auto& hoja = h.hoja();
    auto textos = [&](IdCampo id) {
        std::vector<std::string> t;
        for (const auto& e : hoja.Lista(id))
            t.push_back(Utf8(e.texto));
        return t;
    };

    h.p.Escribir(cmbProvincia, "Bur");
    ASSERT_TRUE(hoja.Tabular());
    EXPECT_EQ(textos(cmbMunicipio), (std::vector<std::string>{"Burgos", "Cabia, La"}));
    EXPECT_EQ(hoja.Foco(), cmbMunicipio);

    h.p.Escribir(cmbMunicipio, "Cab");
    ASSERT_TRUE(hoja.Tabular());
    EXPECT_EQ(hoja.Texto(cmbAdministracion), "Burgos");
    EXPECT_EQ(hoja.Texto(edtCodigoAdministracion), "901");
    EXPECT_TRUE(hoja.Estado(cmbAdministracion).bloqueado);
    EXPECT_EQ(hoja.Estado(cmbAdministracion).fondo, kFondoCalculado);
    EXPECT_EQ(h.Entrada("cmbAdministracion"), "");

    // Another province: its municipalities, and the administration is free again.
    h.p.Escribir(cmbProvincia, "Ill");
    ASSERT_TRUE(hoja.Tabular());
    EXPECT_EQ(textos(cmbMunicipio), (std::vector<std::string>{"Alaró", "Palma"}));
    EXPECT_EQ(hoja.Texto(cmbMunicipio), "");
    EXPECT_FALSE(hoja.Estado(cmbAdministracion).bloqueado);
    EXPECT_EQ(hoja.Estado(cmbAdministracion).fondo, kFondoBlanco);

    // Leaving the province unchanged does not reload its municipalities.
    h.p.Escribir(cmbMunicipio, "Pal");
    ASSERT_TRUE(hoja.Tabular());
    ASSERT_TRUE(hoja.Enfocar(cmbProvincia));
    ASSERT_TRUE(hoja.Tabular());
    EXPECT_EQ(hoja.Texto(cmbMunicipio), "Palma");
    EXPECT_TRUE(hoja.Estado(cmbAdministracion).bloqueado);

    // Emptying the province empties the municipality list.
    h.p.Escribir(cmbProvincia, "");
    ASSERT_TRUE(hoja.Tabular());
    EXPECT_TRUE(hoja.Lista(cmbMunicipio).empty());
    EXPECT_FALSE(hoja.Estado(cmbAdministracion).bloqueado);
}

TEST(ValidarCampos, SinRelaciónOMientrasSeCargaLaAdministraciónQuedaLibre) {
    HojaConReglas h;
    auto& hoja = h.hoja();
    h.Elegir(cmbProvincia, "9");
    h.Validar("cmbProvincia");
    h.Elegir(cmbMunicipio, "9059");
    h.Validar("cmbMunicipio");
    ASSERT_TRUE(hoja.Estado(cmbAdministracion).bloqueado);

    {
        ValidaciónDeclaración::CargaNueva carga(h.validación);
        h.Validar("cmbMunicipio");
        EXPECT_FALSE(hoja.Estado(cmbAdministracion).bloqueado);
        EXPECT_EQ(hoja.Estado(cmbAdministracion).fondo, kFondoBlanco);
    }

    hoja.colMunicipiosAdministraciones.erase("9059");
    h.Validar("cmbMunicipio");
    h.ValidarTodo();
    EXPECT_FALSE(hoja.Estado(cmbAdministracion).bloqueado);
    EXPECT_EQ(hoja.Texto(cmbAdministracion), "Burgos"); // the earlier choice stays
}

// ---- the message toggles
// ---------------------------------------------------------------------------------------

struct CasoAviso {
    IdCampo campo;
    const char* valor;
    const char* mensaje;
};

class Conmutador : public ::testing::TestWithParam<CasoAviso> {};

TEST_P(Conmutador, AlSalirYLuegoCadaDosValidacionesCompletas) {
    const CasoAviso& c = GetParam();
    HojaConReglas h;
    h.p.Escribir(c.campo, c.valor);
    h.p.mensajes.EsperarError(c.mensaje);
    ASSERT_TRUE(h.hoja().Tabular()); // shown, but the user may leave
    EXPECT_FALSE(h.p.mensajes.Pendientes());
    for (int vuelta = 1; vuelta <= 4; ++vuelta) {
        if (vuelta % 2 == 0) h.p.mensajes.EsperarError(c.mensaje);
        h.ValidarTodo();
        EXPECT_FALSE(h.p.mensajes.Pendientes()) << vuelta;
    }
    EXPECT_EQ(h.p.mensajes.mostrados.size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Mensajes, Conmutador,
                         ::testing::Values(CasoAviso{edtNIF, "12345678A", "N.I.F. erróneo"},
                                           CasoAviso{edtJustifComp, "8170612345679",
                                                     "Nº de justificante erróneo"}));

// ---- load mode
// -----------------------------------------------------------------------------------------------------

TEST(ValidarCarga, NombraUnaVezCadaCampoCuyoValorSeRechaza) {
    HojaConReglas h;
    h.Poner(edtEjercicio, "20x0");
    h.Poner(cmbPeriodo, "13");
    h.Poner(edtNombre, "O'Brien");
    h.Poner(cmbSigla, "Zz"); // no entry of the list
    h.Poner(edtNumero, "12a");
    h.Poner(edtFax, "(971)");
    h.Poner(edtCodigoPostal, "07a01");
    h.Poner(edtNIF, "12345678A"); // wrong, but loaded as it is
    std::string lista = "Previo, ";
    h.validación.ValidarCarga(lista);
    EXPECT_EQ(Utf8(lista),
              "Previo, EJERCICIO, PERÍODO, Apellidos y nombre / Razón social, Tipo de vía, Número, "
              "Fax, Código postal, ");
    EXPECT_EQ(h.Entrada("edtNombre"),
              "E 2021 Apellidos y nombre / Razón social contiene caracteres no permitidos");

    // A second load names them again (and the wrong number's box shows, as on every second check); out of
    // load mode nothing is collected.
    std::string otra;
    h.p.mensajes.EsperarError("N.I.F. erróneo");
    h.validación.ValidarCarga(otra);
    h.ValidarTodo();
    EXPECT_EQ(Utf8(otra), "EJERCICIO, PERÍODO, Apellidos y nombre / Razón social, Tipo de vía, Número, Fax, "
                          "Código postal, ");
}

TEST(ValidarÚltimoCampo, CompruebaElCampoConElFoco) {
    HojaConReglas h;
    h.p.Escribir(edtNombre, "Ruiz");
    EXPECT_TRUE(h.validación.ValidarÚltimoCampo());
    EXPECT_EQ(h.Entrada("edtNombre"), "");
    h.p.Escribir(cmbProvincia, "Zz");
    h.p.mensajes.EsperarError("Provincia errónea");
    EXPECT_FALSE(h.validación.ValidarÚltimoCampo());
    EXPECT_EQ(h.hoja().Foco(), cmbProvincia);
}
