#include "model/Tablas.h"
#include "model/Listas.h"
#include "support/Dobles.h"
#include "support/HojaPrueba.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <set>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

namespace {

std::vector<std::string> Textos(const HojaDeclaración& hoja, IdCampo id) {
    std::vector<std::string> t;
    for (const auto& e : hoja.Lista(id))
        t.push_back(Utf8(e.texto));
    return t;
}

} // namespace

TEST(ClaveAlfabética, EmpaquetaYDesempaquetaLasLetras) {
    struct Caso {
        std::string letras;
        std::int32_t número;
    };
    // clang-format off
    const Caso casos[] = {
        {"CL", 17228}, {"AB", 16706}, {"A", 65}, {W("ÑA"), 0xD1 * 256 + 65},
        {"\xFF\xFF\xFF", 0xFFFFFF},         // three bytes of any value fit
        {"\x7F\xFF\xFF\xFF", 0x7FFFFFFF},   // four when the first is below 128
    };
    // clang-format on
    for (const auto& c : casos) {
        EXPECT_EQ(ClaveAlfabética(c.letras), c.número) << Utf8(c.letras);
        EXPECT_EQ(CódigoATexto(c.número), c.letras) << c.número;
    }
    for (std::string fuera : {std::string(),
                              std::string("\x80"
                                          "AAA"),
                              std::string("ABCDE")})
        EXPECT_FALSE(ClaveAlfabética(fuera)) << fuera;
}

TEST(LeerRegistrosTabla, CamposEntreComillasRecortadosYLíneas) {
    auto r = LeerRegistrosTabla("  01 ,  Alava  \r\n\"02\",\"Bonillo, El\"\n\r\n"
                                "03,\"  x \"  \r\n04,\r\n05,Ultima");
    ASSERT_TRUE(r);
    ASSERT_EQ(r->size(), 5u);
    std::vector<std::string> leídos;
    for (const auto& e : *r)
        leídos.push_back(e.código + "|" + e.texto);
    EXPECT_EQ(leídos,
              (std::vector<std::string>{"01|Alava", "02|Bonillo, El", "03|  x ", "04|", "05|Ultima"}));
    for (std::string_view mala : {"01\r\n", "01,a,b\r\n", "\"01,a\r\n", "\"01\"x,a\r\n", "01,\"a\"b\r\n"})
        EXPECT_FALSE(LeerRegistrosTabla(mala)) << mala;
}

class CargaTablas : public ::testing::Test {
  protected:
    HojaDeclaración hoja;
    MensajesGuion mensajes;
    CarpetaTemporal carpeta;

    bool Cargar(IdCampo lista, std::string_view nombre, bool alfabética,
                const std::optional<RangoCódigos>& rango = std::nullopt) {
        return CargarTabla(hoja, lista, nombre, alfabética, carpeta, mensajes, rango);
    }
};

TEST_F(CargaTablas, LetrasEnOrdenAlfabéticoConSuCódigo) {
    carpeta.EscribirDatos("Siglas.txt", W("CL,Calle\r\nCM,Camino\r\nAV,Avenida\r\n\"PZ\",\"Plaza, la\"\r\n"));
    ASSERT_TRUE(Cargar(cmbSigla, "Siglas", true));
    EXPECT_EQ(Textos(hoja, cmbSigla), (std::vector<std::string>{"Avenida", "Calle", "Camino", "Plaza, la"}));
    EXPECT_EQ(hoja.Lista(cmbSigla)[1].código, 17228);

    SeleccionarCódigoCombo(hoja, cmbSigla, "CL", true);
    EXPECT_EQ(hoja.Texto(cmbSigla), "Calle");
    EXPECT_EQ(CódigoCombo(hoja, cmbSigla, true), "CL");
    SeleccionarCódigoCombo(hoja, cmbSigla, "XX", true);
    EXPECT_EQ(hoja.Posición(cmbSigla), -1);
    EXPECT_EQ(hoja.Texto(cmbSigla), "");
    EXPECT_EQ(CódigoCombo(hoja, cmbSigla, true), "");
}

TEST_F(CargaTablas, CódigosNuméricosSinCerosDelanteYElRangoComparadoComoTexto) {
    carpeta.EscribirDatos("Provincias.txt", "08,Barcelona\r\n07,Illes Balears\r\n");
    ASSERT_TRUE(Cargar(cmbProvincia, "Provincias", false));
    SeleccionarCódigoCombo(hoja, cmbProvincia, "08", false);
    EXPECT_EQ(hoja.Posición(cmbProvincia), -1);
    SeleccionarCódigoCombo(hoja, cmbProvincia, "8", false);
    EXPECT_EQ(CódigoCombo(hoja, cmbProvincia, false), "8");
    auto códigos = [&] {
        std::set<std::int32_t> c;
        for (const auto& e : hoja.Lista(cmbMunicipio))
            c.insert(e.código);
        return c;
    };
    carpeta.EscribirDatos("Municipios.txt", "00000000006005,U\r\n-0000000000000000001,O\r\n2147483647,M\r\n");
    ASSERT_TRUE(Cargar(cmbMunicipio, "Municipios", false));
    EXPECT_EQ(códigos(), (std::set<std::int32_t>{6005, -1, 2147483647}));
    carpeta.EscribirDatos("Municipios.txt",
                          "06999,A\r\n07000,P\r\n07040,Pa\r\n07999,U\r\n08000,D\r\n7050,C\r\n");
    ASSERT_TRUE(Cargar(cmbMunicipio, "Municipios", false, RangoProvincia(7)));
    EXPECT_EQ(códigos(), (std::set<std::int32_t>{7000, 7040, 7999}));
}

TEST_F(CargaTablas, UnaTablaQueNoSePuedeLeerAvisaYDejaLaListaVacía) {
    struct Caso {
        const char* descripción;
        std::optional<std::string> bytes; // none: no file at all
        bool alfabética = false;
    };
    std::string todos;
    for (int b = 0; b < 256; ++b)
        todos += static_cast<char>(b);
    // clang-format off
    const Caso casos[] = {
        {"sin archivo", std::nullopt}, {"código con letras", "1,Uno\r\nx2,Dos\r\n"},
        {"código decimal", "1.5,Uno\r\n"}, {"código de más de 32 bits", "1,Uno\r\n2147483648,Dos\r\n"},
        {"código vacío", ",Nada\r\n"}, {"dos signos", "+-5,Uno\r\n"}, {"dos menos", "--5,Uno\r\n"},
        {"un solo campo", "1,Uno\r\n2\r\n"}, {"comillas sin cerrar", "1,\"Uno\r\n"},
        {"letras que no caben", "CL,Calle\r\nABCDE,Largo\r\n", true}, {"todos los bytes", todos},
        {"todos los bytes, letras", todos, true},
    };
    // clang-format on
    for (const auto& c : casos) {
        SCOPED_TRACE(c.descripción);
        carpeta.EscribirDatos("Provincias.txt", "01,Previa\r\n");
        ASSERT_TRUE(Cargar(cmbProvincia, "Provincias", c.alfabética));
        std::filesystem::remove(carpeta.Datos() / "Provincias.txt");
        if (c.bytes) carpeta.EscribirDatos("Provincias.txt", *c.bytes);
        mensajes.EsperarError("Error al cargar la tabla de Provincias");
        EXPECT_FALSE(Cargar(cmbProvincia, "Provincias", c.alfabética));
        EXPECT_TRUE(hoja.Lista(cmbProvincia).empty());
        EXPECT_EQ(hoja.Texto(cmbProvincia), "");
        EXPECT_FALSE(mensajes.Pendientes());
    }
}

// What was read is kept by the file's path, size and time; a table written this very second may change again
// within the clock's step, so it is read afresh every time.
TEST_F(CargaTablas, UnaTablaCambiadaRecienEscritaODeOtraCarpetaSeLeeDeNuevo) {
    const auto ruta = carpeta.Datos() / "Municipios.txt";
    const auto hace = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    auto cargar = [&](const CarpetaTemporal& c) {
        EXPECT_TRUE(CargarTabla(hoja, cmbMunicipio, "Municipios", false, c, mensajes, RangoProvincia(7)));
        return Textos(hoja, cmbMunicipio);
    };
    using V = std::vector<std::string>;
    // Each change below is no longer and leaves another old time, as a copy from elsewhere would.
    const std::pair<const char*, int> versiones[] = {{"Palma", 0}, {"Pollo", 1}, {"Poll", 1}};
    for (const auto& [texto, minutos] : versiones) {
        carpeta.EscribirDatos("Municipios.txt", std::string("07040,") + texto + "\r\n");
        std::filesystem::last_write_time(ruta, hace + std::chrono::minutes(minutos));
        EXPECT_EQ(cargar(carpeta), V{texto});
    }
    CarpetaTemporal otra;
    otra.EscribirDatos("Municipios.txt", "07040,Pala\r\n");
    std::filesystem::last_write_time(otra.Datos() / "Municipios.txt", hace + std::chrono::minutes(1));
    for (int vuelta = 0; vuelta < 10; ++vuelta) { // more turns than the tables kept
        ASSERT_EQ(cargar(otra), V{"Pala"});
        ASSERT_EQ(cargar(carpeta), V{"Poll"});
    }
    carpeta.EscribirDatos("Municipios.txt", "07040,Pela\r\n");
    const auto ahora = std::filesystem::last_write_time(ruta);
    EXPECT_EQ(cargar(carpeta), V{"Pela"});
    carpeta.EscribirDatos("Municipios.txt", "07040,Pelo\r\n");
    std::filesystem::last_write_time(ruta, ahora);
    EXPECT_EQ(cargar(carpeta), V{"Pelo"});
    std::filesystem::remove(ruta);
    mensajes.EsperarError("Error al cargar la tabla de Municipios");
    EXPECT_FALSE(CargarTabla(hoja, cmbMunicipio, "Municipios", false, carpeta, mensajes, RangoProvincia(7)));
    EXPECT_TRUE(hoja.Lista(cmbMunicipio).empty());
}

TEST_F(CargaTablas, RelaciónMunicipiosAdministraciones) {
    carpeta.EscribirDatos("Municipios-Administraciones.txt", "7001,701\r\n8019,801\r\n");
    ASSERT_TRUE(CargarMunicipiosAdministraciones(hoja, carpeta, mensajes));
    EXPECT_EQ(hoja.colMunicipiosAdministraciones.at("8019"), "801");

    // A repeated municipality stops the reading there; what came before stays usable.
    carpeta.EscribirDatos("Municipios-Administraciones.txt",
                          "9059,901\r\n9061,901\r\n9059,902\r\n12001,1201\r\n");
    mensajes.EsperarError("Error al cargar la tabla de relación Municipios-Administraciones");
    EXPECT_FALSE(CargarMunicipiosAdministraciones(hoja, carpeta, mensajes));
    EXPECT_EQ(hoja.colMunicipiosAdministraciones.size(), 2u);
    EXPECT_EQ(hoja.colMunicipiosAdministraciones.at("9059"), "901");
    EXPECT_EQ(hoja.colMunicipiosAdministraciones.count("12001"), 0u);
    EXPECT_EQ(hoja.colMunicipiosAdministraciones.count("7001"), 0u); // a new collection each time

    std::filesystem::remove(carpeta.Datos() / "Municipios-Administraciones.txt");
    mensajes.EsperarError("Error al cargar la tabla de relación Municipios-Administraciones");
    EXPECT_FALSE(CargarMunicipiosAdministraciones(hoja, carpeta, mensajes));
    EXPECT_TRUE(hoja.colMunicipiosAdministraciones.empty());
}

TEST_F(CargaTablas, LasTablasRealesEstánCompletasYCasan) {
    carpeta.CopiarTablasReales();
    ASSERT_TRUE(Cargar(cmbProvincia, "Provincias", false));
    ASSERT_TRUE(Cargar(cmbAdministracion, "Administraciones", false));
    ASSERT_TRUE(Cargar(cmbSigla, "Siglas", true));
    ASSERT_TRUE(Cargar(cmbMunicipio, "Municipios", false));
    ASSERT_TRUE(CargarMunicipiosAdministraciones(hoja, carpeta, mensajes));
    EXPECT_EQ(hoja.Lista(cmbProvincia).size(), 52u);
    EXPECT_EQ(hoja.Lista(cmbMunicipio).size(), 8131u);
    EXPECT_GE(hoja.Lista(cmbSigla).size(), 20u);
    EXPECT_EQ(hoja.colMunicipiosAdministraciones.size(), 8131u);

    std::set<std::string> administraciones, provincias;
    for (const auto& e : hoja.Lista(cmbAdministracion))
        administraciones.insert(std::to_string(e.código));
    for (const auto& e : hoja.Lista(cmbProvincia))
        provincias.insert(std::to_string(e.código));
    for (const auto& e : hoja.Lista(cmbMunicipio)) {
        std::string clave = std::to_string(e.código);
        auto a = hoja.colMunicipiosAdministraciones.find(clave);
        ASSERT_NE(a, hoja.colMunicipiosAdministraciones.end()) << clave;
        EXPECT_TRUE(administraciones.count(a->second)) << clave << " -> " << a->second;
        EXPECT_TRUE(provincias.count(std::to_string(e.código / 1000))) << clave;
    }
    for (const auto& e : hoja.Lista(cmbSigla))
        EXPECT_EQ(CódigoATexto(e.código).size(), 2u) << Utf8(e.texto);

    ASSERT_TRUE(Cargar(cmbMunicipio, "Municipios", false, RangoProvincia(9)));
    EXPECT_EQ(hoja.Lista(cmbMunicipio).size(), 371u);
}

// ---- the list fields as the user types in them ------------------------------------------------------

class ListasHoja : public ::testing::Test {
  protected:
    void SetUp() override { p.Cargar(); }
    HojaPrueba p;
    HojaDeclaración& hoja = p.hoja();
};

TEST_F(ListasHoja, CompletaConLaPrimeraEntradaYDejaElRestoSeleccionado) {
    p.Escribir(cmbSigla, "c");
    EXPECT_EQ(hoja.Texto(cmbSigla), "Calle");
    EXPECT_EQ(hoja.SelTexto(cmbSigla), "alle");
    EXPECT_EQ(CódigoCombo(hoja, cmbSigla, true), "CL");

    hoja.Teclear('m');                     // replaces the completion; nothing begins with CM
    EXPECT_EQ(hoja.Texto(cmbSigla), "CM"); // typed letters are upper-cased
    EXPECT_EQ(hoja.Posición(cmbSigla), -1);
    EXPECT_EQ(hoja.SelLongitud(cmbSigla), 0);
    EXPECT_EQ(hoja.Cursor(cmbSigla), 2);

    hoja.Teclear(kTeclaRetroceso); // one character back, completed again
    EXPECT_EQ(hoja.Texto(cmbSigla), "Calle");
    EXPECT_EQ(hoja.SelTexto(cmbSigla), "alle");

    hoja.Teclear(kTeclaRetroceso); // the caret stood after the C: nothing left
    EXPECT_EQ(hoja.Texto(cmbSigla), "");

    p.Escribir(cmbSigla, "pl");
    EXPECT_EQ(hoja.Texto(cmbSigla), "Plaza");
    EXPECT_EQ(hoja.SelTexto(cmbSigla), "aza");
    hoja.Teclear(kTeclaEscape);
    EXPECT_EQ(hoja.Texto(cmbSigla), "");
    EXPECT_EQ(hoja.Posición(cmbSigla), -1);
}

TEST_F(ListasHoja, ElPeriodoAdmiteDosCaracteres) {
    p.Escribir(cmbPeriodo, "4");
    EXPECT_EQ(hoja.Texto(cmbPeriodo), "4T");
    EXPECT_EQ(hoja.SelTexto(cmbPeriodo), "T");
    hoja.Teclear('T');
    EXPECT_EQ(hoja.Texto(cmbPeriodo), "4T");
    hoja.Teclear('1');
    EXPECT_EQ(hoja.Texto(cmbPeriodo), "4T");
    hoja.Teclear(kTeclaEscape);
    EXPECT_EQ(hoja.Texto(cmbPeriodo), "");
    // Other lists have no limit.
    p.Escribir(cmbProvincia, "illes balearsx");
    EXPECT_EQ(hoja.Texto(cmbProvincia), "Illes BalearsX");
}

TEST_F(ListasHoja, LaAdministraciónMuestraSuCódigo) {
    hoja.ElegirEntrada(cmbAdministracion, 0);
    EXPECT_EQ(hoja.Texto(cmbAdministracion), "Barcelona");
    EXPECT_EQ(hoja.Texto(edtCodigoAdministracion), "801");
    EXPECT_TRUE(hoja.RegistroModificado);
    p.Escribir(cmbAdministracion, "x");
    EXPECT_EQ(hoja.Texto(edtCodigoAdministracion), "");
    p.Escribir(cmbAdministracion, "bu");
    EXPECT_EQ(hoja.Texto(edtCodigoAdministracion), "901");
}

TEST_F(ListasHoja, OtraProvinciaQuitaElMunicipio) {
    auto elegirProvincia = [&](const char* código) {
        hoja.Enfocar(cmbProvincia);
        SeleccionarCódigoCombo(hoja, cmbProvincia, código, false);
        // Reloading the municipalities belongs to leaving the province; done by hand here.
        CargarTabla(hoja, cmbMunicipio, kTablaMunicipios, false, p.carpeta, p.mensajes,
                    RangoProvincia(std::stoi(código)));
    };
    elegirProvincia("7");
    hoja.ElegirEntrada(cmbMunicipio, 1);
    ASSERT_EQ(hoja.Texto(cmbMunicipio), "Palma");

    hoja.ElegirEntrada(cmbProvincia, hoja.Posición(cmbProvincia)); // the same province again
    EXPECT_EQ(hoja.Texto(cmbMunicipio), "Palma");

    hoja.ElegirEntrada(cmbProvincia, 0); // Barcelona
    EXPECT_EQ(hoja.Texto(cmbProvincia), "Barcelona");
    EXPECT_EQ(hoja.Texto(cmbMunicipio), "");
    EXPECT_EQ(hoja.Posición(cmbMunicipio), -1);

    // Opening the drop-down counts as entering the field.
    hoja.Enfocar(edtNIF);
    hoja.iProvinciaAnterior = -1;
    hoja.AbrirDesplegable(cmbProvincia);
    EXPECT_EQ(hoja.iProvinciaAnterior, hoja.Posición(cmbProvincia));
}
