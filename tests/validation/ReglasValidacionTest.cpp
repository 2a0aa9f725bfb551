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

// Worked out by hand: 817061234567 % 7 = 4 gives the check digit 3; the account has the control digits 4
// and 5.
const std::string kJustificante817 = "8170612345673", kCuentaVálida = "21000418450200051332";
const char* const kNoEnCurso =
    "A 1022 El periodo de liquidación seleccionado no se corresponde con el actualmente en curso";

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
Preparar Elegir(IdCampo id, const char* código) {
    return [id, código](H& h) { h.Elegir(id, código); };
}
Preparar Complementaria(const char* casilla25) {
    return [casilla25](H& h) {
        h.hoja().EscribirValor(chkComplementaria, 1);
        h.Poner(edtCasilla(25), casilla25);
    };
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
Preparar PagoEnCuenta(std::string código, bool efectivo = false) { // box 13 alone gives a result to pay
    return [código, efectivo](H& h) {
        h.Poner(edtCasilla(13), "100");
        h.hoja().EscribirValor(chkFPCuenta, 1);
        PonerCuenta(h, edtCCCIng, código);
        if (efectivo) h.hoja().EscribirValor(chkFPEfectivo, 1);
    };
}
Preparar Devolución(std::string código) {
    return [código](H& h) {
        h.Poner(cmbPeriodo, "4T");
        h.Poner(edtCasilla(16), "100");
        h.hoja().SeleccionarOpción(optResultado(2));
        PonerCuenta(h, edtCCCDev, código);
    };
}

} // namespace

TEST(ValoresDeLaLlamada, PeriodoEnCursoYEjercicio) {
    EXPECT_EQ(ClavePeriodo(2005, "3T"), "20053T");
    EXPECT_EQ(ClavePeriodo(2005, "7"), "200507");
    EXPECT_EQ(ClavePeriodo(2010, ""), "201000");
    // clang-format off
    const std::tuple<FechaHora, const char*, const char*> casos[] = {
        {{2006, 1, 15}, "20054T", "200512"}, {{2010, 3, 31}, "20094T", "201002"},
        {{2010, 4, 1}, "20101T", "201003"}, {{2010, 11, 15}, "20103T", "201010"},
    };
    // clang-format on
    for (const auto& [hoy, trimestre, mes] : casos) {
        EXPECT_EQ(TrimestreEnCurso(hoy), trimestre) << hoy.año << "-" << hoy.mes;
        EXPECT_EQ(MesEnCurso(hoy), mes) << hoy.año << "-" << hoy.mes;
    }
    const std::pair<const char*, int> años[] = {{" 1992 ", 1992}, {"", 0},      {"20a0", 0},  {"-5", -5},
                                                {"32767", 32767}, {"32768", 0}, {"2010,5", 0}};
    for (const auto& [texto, año] : años)
        EXPECT_EQ(AñoEjercicio(texto), año) << texto;
}

TEST(ComprobarContenido, TiposVacíoYListaDeCamposNoCargados) {
    // clang-format off
    const std::tuple<const char*, int, bool, bool, const char*> casos[] = {
        {"  Peña García ", kContenidoTexto, true, true, "PEÑA GARCIA"},
        {"O'Brien", kContenidoTexto, true, false, "O\x07"}, {"   ", kContenidoDígitos, true, true, ""},
        {"", kContenidoDígitos, false, true, "0"}, {" 0701 ", kContenidoDígitos, true, true, "0701"},
        {"07 01", kContenidoDígitos, true, false, "07\x07"},
    };
    // clang-format on
    for (const auto& [entrada, tipo, permitirVacío, bien, resultado] : casos) {
        std::string texto = W(entrada), lista;
        EXPECT_EQ(ComprobarContenido("Campo", texto, tipo, permitirVacío, &lista), bien) << entrada;
        EXPECT_EQ(texto, W(resultado)) << entrada;
        EXPECT_EQ(lista, bien ? "" : "Campo, ") << entrada;
    }
    std::string texto = "a/b", lista;
    EXPECT_FALSE(ComprobarContenido("", texto, kContenidoTexto, true, &lista));
    EXPECT_EQ(lista, "");
}

TEST(ValidarCampos, UnaDeclaraciónNuevaListaExactamenteSusObligatorios) {
    H h;
    h.ValidarTodo();
    std::map<std::string, std::string> entradas;
    for (const auto& clave : h.Claves())
        entradas[clave] = h.Entrada(clave);
    // clang-format off
    const std::map<std::string, std::string> esperadas = {
        {"cmbAdministracion", "E 0010 Administración tributaria obligatoria"},
        {"edtNIF", "E 2010 N.I.F. obligatorio"},
        {"edtNombre", "E 2020 Apellidos y nombre / Razón social obligatorio"},
        {"cmbSigla", "E 2030 Tipo de vía obligatorio"},
        {"edtViaPublica", "E 2040 Nombre de la vía pública obligatorio"},
        {"cmbProvincia", "E 2100 Provincia obligatoria"}, {"cmbMunicipio", "E 2110 Municipio obligatorio"},
        {"edtCodigoPostal", "E 2120 Código postal obligatorio"},
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
        const char* clave;
        const char* esperado;
    };
    // clang-format off
    const Caso casos[] = {
        {Elegir(cmbAdministracion, "701"), "cmbAdministracion", -1, "cmbAdministracion", ""},
        {Texto(edtEjercicio, "20a0"), "edtEjercicio", -1, "edtEjercicio", "E 1010"},
        {Texto(edtEjercicio, "1992"), "edtEjercicio", -1, "edtEjercicio",
         "E 1011 Ejercicio no puede ser anterior al año 1993"},
        {Texto(edtEjercicio, "1993"), "edtEjercicio", -1, "edtEjercicio", "A 1012"},
        {nullptr, "edtEjercicio", -1, "edtEjercicio", ""},
        {Texto(cmbPeriodo, ""), "", -1, "cmbPeriodo", "E 1020"},
        {Texto(cmbPeriodo, "13"), "", -1, "cmbPeriodo", "E 1021"},
        {Texto(cmbPeriodo, "0T"), "", -1, "cmbPeriodo", "E 1021"},
        {Texto(cmbPeriodo, "2T"), "", -1, "cmbPeriodo", "A 1022"},
        {Texto(cmbPeriodo, "3T"), "", -1, "cmbPeriodo", ""},
        {Texto(cmbPeriodo, "10"), "", -1, "cmbPeriodo", ""},
        {Texto(cmbPeriodo, "09"), "", -1, "cmbPeriodo", "A 1022"},
        {Texto(edtEjercicio, "2009"), "", -1, "cmbPeriodo", "A 1022"},
        {Texto(edtJustifComp, "8170612345670"), "chkComplementaria", -1, "chkComplementaria", "E 1030"},
        {[](H& h) { h.Poner(edtJustifComp, "8170612345670"), h.hoja().EscribirValor(chkComplementaria, 1); },
         "chkComplementaria", -1, "chkComplementaria", ""},
        {Complementaria(""), "chkComplementaria", -1, "edtCasilla#25", "A 3270"},
        {Casilla(25, "10"), "chkComplementaria", -1, "edtCasilla#25", "E 3271"},
        {Complementaria("10"), "chkComplementaria", -1, "edtCasilla#25", ""},
        {Complementaria(""), "edtCasilla", 25, "edtCasilla#25",
         "A 3273 No se ha consignado importe a deducir en la declaración complementaria"},
        {Casilla(25, "10"), "edtCasilla", 25, "edtCasilla#25", "E 3274"},
        {Complementaria("10"), "edtJustifComp", -1, "edtJustifComp", "E 1040"},
        {Texto(edtJustifComp, "1234"), "edtJustifComp", -1, "edtJustifComp", "E 1041"},
        {Texto(edtJustifComp, "8030612345673"), "edtJustifComp", -1, "edtJustifComp", "A 1042"},
        {Texto(edtJustifComp, "8170612345673"), "edtJustifComp", -1, "edtJustifComp", ""},
        {Texto(edtNIF, "12345678A"), "edtNIF", -1, "edtNIF", "E 2011"},
        {Texto(edtNIF, " 12345678z "), "edtNIF", -1, "edtNIF", ""},
        {Texto(edtNombre, "O'Brien"), "edtNombre", -1, "edtNombre", "E 2021"},
        {Texto(edtNombre, "Peña García, S.L."), "edtNombre", -1, "edtNombre", ""},
        {Elegir(cmbSigla, "CL"), "cmbSigla", -1, "cmbSigla", ""},
        {Texto(edtViaPublica, "Mayor/3"), "edtViaPublica", -1, "edtViaPublica", "E 2041"},
        {nullptr, "edtNumero", -1, "edtNumero", ""},
        {Texto(edtNumero, "12a"), "edtNumero", -1, "edtNumero", "E 2050"},
        {Texto(edtFax, "(971)"), "edtFax", -1, "edtFax", "E 2130"},
        {Elegir(cmbProvincia, "7"), "cmbProvincia", -1, "cmbProvincia", ""},
        {[](H& h) { h.Elegir(cmbProvincia, "7"), h.Validar("cmbProvincia"), h.Elegir(cmbMunicipio, "7040"); },
         "cmbMunicipio", -1, "cmbMunicipio", ""},
        {Postal("", "07a01"), "edtCodigoPostal", -1, "edtCodigoPostal",
         "E 2120 Codigo Postal contiene caracteres no permitidos"},
        {Postal("8", "07001"), "edtCodigoPostal", -1, "edtCodigoPostal", "E 2121"},
        {Postal("", "07001"), "edtCodigoPostal", -1, "edtCodigoPostal", ""},
        {Postal("7", "7001"), "edtCodigoPostal", -1, "edtCodigoPostal", ""},
        {Postal("9", "09001"), "cmbProvincia", -1, "edtCodigoPostal", ""},
        {Casilla(7, "10"), "edtCasilla", 7, "edtCasilla#07", "E 3080"},
        {Casilla(13, "1000000000000"), "", -1, "edtCasilla#13", "E 3152"},
        {[](H& h) { h.Poner(edtCasilla(13), "999999999999"), h.Poner(edtCasilla(14), "999999999999"); }, "",
         -1, "edtCasilla#15", "E 3172"},
        {Cuota9("55"), "edtCasilla", 3, "edtCasilla#09",
         "E 3105 El importe de la casilla 09 difiere mucho del producto de la base imponible por el tipo de "
         "gravamen"},
        {Cuota9("54,99"), "edtCasilla", 3, "edtCasilla#09", "A 3106"},
        {Cuota9("50"), "edtCasilla", 9, "edtCasilla#09", ""},
        {Casilla(13, "-5"), "", -1, "edtCasilla#13",
         "E 3157 No se admiten valores negativos en la casilla  13"},
        {Casilla(24, "-5"), "", -1, "edtCasilla#24", "E 3267"},
        {Casilla(14, "-5"), "", -1, "edtCasilla#14", ""},
        {Casilla(13, "100"), "chkFPEfectivo", -1, "chkFPEfectivo", "E 4010"},
        {[](H& h) { h.Poner(edtCasilla(13), "100"), h.hoja().EscribirValor(chkFPEfectivo, 1); },
         "chkFPEfectivo", -1, "chkFPEfectivo", ""},
        {nullptr, "chkFPEfectivo", -1, "chkFPEfectivo", ""},
        {PagoEnCuenta(""), "edtCCCIng", 0, "edtCCCIng#0", "E 4030"},
        {PagoEnCuenta(kCuentaVálida.substr(0, 19)), "edtCCCIng", 3, "edtCCCIng#0", "E 4030"},
        {PagoEnCuenta("21000418000200051332"), "chkFPCuenta", -1, "edtCCCIng#0", "E 4030"},
        {PagoEnCuenta(kCuentaVálida), "edtCCCIng", 0, "edtCCCIng#0", ""},
        {PagoEnCuenta("", true), "chkFPEfectivo", -1, "edtCCCIng#0", ""},
        {Devolución(""), "edtCCCDev", 0, "edtCCCDev#0", "E 5010"},
        {Devolución(kCuentaVálida.substr(0, 19)), "edtCCCDev", 0, "edtCCCDev#0", "E 5010"},
        {Devolución(kCuentaVálida), "edtCCCDev", 0, "edtCCCDev#0", ""},
        {Casilla(16, "100"), "edtCCCDev", 0, "edtCCCDev#0", ""},
    };
    // clang-format on
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.campo) + " " + c.clave + " " + c.esperado);
        H h;
        if (c.preparar) c.preparar(h);
        EXPECT_FALSE(h.Validar(c.campo, c.índice));
        const std::string entrada = h.Entrada(c.clave);
        EXPECT_EQ(entrada.substr(0, *c.esperado ? std::strlen(c.esperado) : std::string::npos), c.esperado);
    }
}

TEST(ValidarCampos, ElCampoQueSeDejaSeRecortaYLaValidaciónCompletaNoToca) {
    // clang-format off
    const std::tuple<IdCampo, std::string, std::string> casos[] = {
        {edtJustifComp, kJustificante817, kJustificante817}, {edtNombre, "RUIZ", "RUIZ"},
        {edtCodigoPostal, "07001", "07001"}, {edtCCCDev(2), "12", "12"}, {edtCCCIng(1), "12", "12"},
        {edtCasilla(3), "1000", "1.000,00"}, {cmbSigla, "Calle", "Calle"},
    };
    // clang-format on
    for (const auto& [id, valor, queda] : casos) {
        H h;
        h.Poner(id, " " + valor + " ");
        h.ValidarTodo();
        EXPECT_EQ(h.hoja().Texto(id), " " + valor + " ") << ClaveCampo(id);
        h.Validar(Definición(id).nombre, Definición(id).índice);
        EXPECT_EQ(h.hoja().Texto(id), queda) << ClaveCampo(id);
        EXPECT_EQ(h.Entrada(ClaveCampo(id)), "") << ClaveCampo(id);
        if (id == edtCasilla(3)) { // and recalculates
            EXPECT_EQ(h.hoja().Texto(edtCasilla(26)), "50,00");
        }
    }
    H h; // the tax number is also put in capitals
    h.Poner(edtNIF, " x1234567l ");
    h.Validar("edtNIF");
    EXPECT_EQ(h.hoja().Texto(edtNIF), "X1234567L");
}

TEST(ValidarCampos, UnaCasillaRevalidaSuCuotaYLasCalculadas) {
    H h;
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

TEST(ValidarCampos, UnRechazoDejaAlUsuarioEnElCampoYNadaMás) {
    // clang-format off
    const std::tuple<IdCampo, const char*, const char*, const char*> casos[] = {
        {cmbAdministracion, "Zz", "Administración errónea", "cmbAdministracion"},
        {cmbPeriodo, "13", "Período erróneo", "cmbPeriodo"},
        {cmbSigla, "Zz", "Tipo de vía errónea", "cmbSigla"},
        {cmbProvincia, "Zz", "Provincia errónea", "cmbProvincia"},
        {edtCasilla(7), "-1000000000000", "El importe de la casilla 07 debe ser menor de 1.000.000.000.000",
         "edtCasilla#07"},
    };
    // clang-format on
    for (const auto& [campo, tecleado, mensaje, clave] : casos) {
        SCOPED_TRACE(tecleado);
        H h;
        h.ValidarTodo();
        const std::string antes = h.Entrada(clave);
        h.Poner(edtCodigoPostal, "07001"); // a later block of the same call would clear its entry
        const std::string postalAntes = h.Entrada("edtCodigoPostal");
        h.p.Escribir(campo, tecleado);
        h.p.mensajes.EsperarError(mensaje);
        EXPECT_FALSE(h.hoja().Tabular());
        EXPECT_FALSE(h.p.mensajes.Pendientes());
        EXPECT_EQ(h.hoja().Foco(), campo);
        EXPECT_EQ(h.Entrada(clave), antes);
        EXPECT_EQ(h.Entrada("edtCodigoPostal"), postalAntes);
        h.p.mensajes.EsperarError(mensaje);
        EXPECT_TRUE(h.Validar(Definición(campo).nombre, Definición(campo).índice));
    }
}

TEST(ValidarCampos, UnDígitoEnElPeriodoEsUnMes) {
    H h;
    h.p.Escribir(cmbPeriodo, "7");
    ASSERT_TRUE(h.hoja().Tabular());
    EXPECT_EQ(h.hoja().Texto(cmbPeriodo), "07");
    EXPECT_EQ(h.Entrada("cmbPeriodo"), kNoEnCurso);
}

TEST(ValidarCampos, LaProvinciaCargaSusMunicipiosYElMunicipioFijaLaAdministración) {
    H h;
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
    h.p.Escribir(cmbMunicipio, "Cab");
    ASSERT_TRUE(hoja.Tabular());
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

    // A municipality of another province is refused before any later rule: the administration stays.
    h.p.Escribir(cmbMunicipio, "Barc");
    h.p.mensajes.EsperarError("Municipio erróneo");
    EXPECT_FALSE(hoja.Tabular());
    EXPECT_EQ(hoja.Foco(), cmbMunicipio);
    EXPECT_EQ(hoja.Texto(edtCodigoAdministracion), "701");

    h.p.Escribir(cmbMunicipio, "Pal");
    ASSERT_TRUE(hoja.Tabular());
    h.p.Escribir(cmbProvincia, "");
    ASSERT_TRUE(hoja.Tabular());
    EXPECT_TRUE(hoja.Lista(cmbMunicipio).empty());
    EXPECT_FALSE(hoja.Estado(cmbAdministracion).bloqueado);
}

TEST(ValidarCampos, SinRelaciónOMientrasSeCargaLaAdministraciónQuedaLibre) {
    H h;
    auto& hoja = h.hoja();
    h.Elegir(cmbProvincia, "9");
    h.Validar("cmbProvincia");
    h.Elegir(cmbMunicipio, "9059");
    h.Validar("cmbMunicipio");
    ASSERT_TRUE(hoja.Estado(cmbAdministracion).bloqueado);
    hoja.bCargando = true;
    h.Validar("cmbMunicipio");
    EXPECT_FALSE(hoja.Estado(cmbAdministracion).bloqueado);
    hoja.bCargando = false;
    hoja.colMunicipiosAdministraciones.erase("9059");
    h.Validar("cmbMunicipio");
    h.ValidarTodo();
    EXPECT_FALSE(hoja.Estado(cmbAdministracion).bloqueado);
    EXPECT_EQ(hoja.Texto(cmbAdministracion), "Burgos"); // the earlier choice stays
}

TEST(ValidarCampos, ElMensajeAlSalirSeRepiteCadaDosValidacionesCompletas) {
    const std::pair<IdCampo, const char*> casos[] = {{edtNIF, "12345678A"}, {edtJustifComp, "8170612345679"}};
    const char* mensajes[] = {"N.I.F. erróneo", "Nº de justificante erróneo"};
    for (int i = 0; i < 2; ++i) {
        H h;
        h.p.Escribir(casos[i].first, casos[i].second);
        h.p.mensajes.EsperarError(mensajes[i]);
        ASSERT_TRUE(h.hoja().Tabular()); // shown, but the user may leave
        for (int vuelta = 1; vuelta <= 4; ++vuelta) {
            if (vuelta % 2 == 0) h.p.mensajes.EsperarError(mensajes[i]);
            h.ValidarTodo();
            EXPECT_FALSE(h.p.mensajes.Pendientes()) << vuelta;
        }
        EXPECT_EQ(h.p.mensajes.mostrados.size(), 3u);
    }
}

TEST(ValidarCarga, NombraUnaVezCadaCampoCuyoValorSeRechaza) {
    H h;
    h.Poner(edtEjercicio, "20x0");
    h.Poner(cmbPeriodo, "13");
    h.Poner(edtNombre, "O'Brien");
    h.Poner(cmbSigla, "Zz"); // no entry of the list
    h.Poner(edtNumero, "12a");
    h.Poner(edtFax, "(971)");
    h.Poner(edtCodigoPostal, "07a01");
    h.Poner(edtNIF, "12345678A"); // wrong, but loaded as it is
    const char* const nombres = "EJERCICIO, PERÍODO, Apellidos y nombre / Razón social, Tipo de vía, Número, "
                                "Fax, Código postal, ";
    std::string lista = "Previo, ";
    h.validación.ValidarCarga(lista);
    EXPECT_EQ(Utf8(lista), std::string("Previo, ") + nombres);
    EXPECT_EQ(h.Entrada("edtNombre"),
              "E 2021 Apellidos y nombre / Razón social contiene caracteres no permitidos");
    // A second load names them again (and shows the wrong number, as every second check does).
    std::string otra;
    h.p.mensajes.EsperarError("N.I.F. erróneo");
    h.validación.ValidarCarga(otra);
    h.ValidarTodo();
    EXPECT_EQ(Utf8(otra), nombres);
}

TEST(ValidarÚltimoCampo, CompruebaElCampoConElFoco) {
    H h;
    h.p.Escribir(edtNombre, "Ruiz");
    EXPECT_TRUE(h.validación.ValidarÚltimoCampo());
    h.p.Escribir(cmbProvincia, "Zz");
    h.p.mensajes.EsperarError("Provincia errónea");
    EXPECT_FALSE(h.validación.ValidarÚltimoCampo());
    EXPECT_EQ(h.hoja().Foco(), cmbProvincia);
}
