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
using V = std::vector<std::string>;

TEST(ClaveAlfabética, EmpaquetaYDesempaquetaLasLetras) {
    EXPECT_EQ(ClaveAlfabética("CL"), 17228);
    EXPECT_EQ(CódigoATexto(0xD1 * 256 + 65), W("ÑA"));
    EXPECT_EQ(CódigoATexto(0x7FFFFFFF), "\x7F\xFF\xFF\xFF"); // four bytes when the first is below 128
    for (std::string fuera : {std::string(), std::string("\x80") + "AAA", std::string("ABCDE")})
        EXPECT_FALSE(ClaveAlfabética(fuera)) << fuera;
}

TEST(LeerRegistrosTabla, CamposEntreComillasRecortadosYLíneas) {
    auto r = LeerRegistrosTabla(" 01 , Alava \r\n\"02\",\"Bonillo, El\"\n\r\n03,\"  x \"  \r\n04,\r\n05,U");
    ASSERT_TRUE(r);
    V leídos;
    for (const auto& e : *r)
        leídos.push_back(e.código + "|" + e.texto);
    EXPECT_EQ(leídos, (V{"01|Alava", "02|Bonillo, El", "03|  x ", "04|", "05|U"}));
    for (std::string_view mala : {"01\r\n", "01,a,b\r\n", "\"01,a\r\n", "\"01\"x,a\r\n", "01,\"a\"b\r\n"})
        EXPECT_FALSE(LeerRegistrosTabla(mala)) << mala;
}

class CargaTablas : public ::testing::Test {
  protected:
    HojaDeclaración hoja;
    MensajesGuion mensajes;
    CarpetaTemporal carpeta;

    bool Cargar(IdCampo lista, std::string_view nombre, bool alfabética,
                std::optional<RangoCódigos> rango = {}, const CarpetaTemporal* en = nullptr) {
        return CargarTabla(hoja, lista, nombre, alfabética, en ? *en : carpeta, mensajes, rango);
    }
    V Textos(IdCampo id) {
        V t;
        for (const auto& e : hoja.Lista(id))
            t.push_back(Utf8(e.texto));
        return t;
    }
};

TEST_F(CargaTablas, LetrasEnOrdenAlfabéticoYCódigosNuméricosEnSuRango) {
    carpeta.EscribirDatos("Siglas.txt", W("CL,Calle\r\nCM,Camino\r\nAV,Avenida\r\n\"PZ\",\"Plaza, la\"\r\n"));
    ASSERT_TRUE(Cargar(cmbSigla, "Siglas", true));
    EXPECT_EQ(Textos(cmbSigla), (V{"Avenida", "Calle", "Camino", "Plaza, la"}));
    carpeta.EscribirDatos("Provincias.txt", "08,Barcelona\r\n07,Illes Balears\r\n");
    ASSERT_TRUE(Cargar(cmbProvincia, "Provincias", false));
    SeleccionarCódigoCombo(hoja, cmbProvincia, "08", false); // compared as text: no leading zeros
    EXPECT_EQ(hoja.Posición(cmbProvincia), -1);
    carpeta.EscribirDatos("Municipios.txt",
                          "06999,A\r\n07000,P\r\n-0000000000000000001,O\r\n07999,U\r\n08000,D\r\n");
    ASSERT_TRUE(Cargar(cmbMunicipio, "Municipios", false, RangoProvincia(7)));
    EXPECT_EQ(Textos(cmbMunicipio), (V{"P", "U"}));
}

TEST_F(CargaTablas, UnaTablaQueNoSePuedeLeerAvisaYDejaLaListaVacía) {
    // clang-format off
    const std::tuple<const char*, std::optional<std::string>, bool> casos[] = { // none: no file at all
        {"sin archivo", std::nullopt, false}, {"código con letras", "1,Uno\r\nx2,Dos\r\n", false},
        {"código decimal", "1.5,Uno\r\n", false}, {"código de más de 32 bits", "1,Uno\r\n2147483648,Dos\r\n", false},
        {"dos signos", "+-5,Uno\r\n", false}, {"letras que no caben", "CL,Calle\r\nABCDE,Largo\r\n", true},
    };
    // clang-format on
    for (const auto& [descripción, bytes, alfabética] : casos) {
        SCOPED_TRACE(descripción);
        carpeta.EscribirDatos("Provincias.txt", "01,Previa\r\n");
        ASSERT_TRUE(Cargar(cmbProvincia, "Provincias", alfabética));
        std::filesystem::remove(carpeta.Datos() / "Provincias.txt");
        if (bytes) carpeta.EscribirDatos("Provincias.txt", *bytes);
        mensajes.EsperarError("Error al cargar la tabla de Provincias");
        EXPECT_FALSE(Cargar(cmbProvincia, "Provincias", alfabética));
        EXPECT_TRUE(hoja.Lista(cmbProvincia).empty() && hoja.Texto(cmbProvincia).empty());
    }
}

// What was read is kept by the file's path, size and time; a table written this very second may change again
// within the clock's step, so it is read afresh every time.
TEST_F(CargaTablas, UnaTablaCambiadaRecienEscritaODeOtraCarpetaSeLeeDeNuevo) {
    const auto ruta = carpeta.Datos() / "Municipios.txt";
    const auto hace = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    auto cargar = [&](const CarpetaTemporal& c) {
        EXPECT_TRUE(Cargar(cmbMunicipio, "Municipios", false, RangoProvincia(7), &c));
        return Textos(cmbMunicipio);
    };
    // Each change below is no longer and leaves another old time, as a copy from elsewhere would.
    for (const auto& [texto, minutos] : {std::pair{"Palma", 0}, {"Pollo", 1}, {"Poll", 1}}) {
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
}

TEST_F(CargaTablas, RelaciónMunicipiosAdministraciones) {
    carpeta.EscribirDatos("Municipios-Administraciones.txt", "7001,701\r\n");
    ASSERT_TRUE(CargarMunicipiosAdministraciones(hoja, carpeta, mensajes));
    // A repeated municipality stops the reading there; what came before stays usable.
    carpeta.EscribirDatos("Municipios-Administraciones.txt",
                          "9059,901\r\n9061,901\r\n9059,902\r\n12001,1201\r\n");
    mensajes.EsperarError("Error al cargar la tabla de relación Municipios-Administraciones");
    EXPECT_FALSE(CargarMunicipiosAdministraciones(hoja, carpeta, mensajes));
    using M = std::map<std::string, std::string>;
    EXPECT_EQ(M(hoja.colMunicipiosAdministraciones.begin(), hoja.colMunicipiosAdministraciones.end()),
              (M{{"9059", "901"}, {"9061", "901"}})); // a new collection each time
}

TEST_F(CargaTablas, LasTablasRealesEstánCompletasYCasan) {
    carpeta.CopiarTablasReales();
    ASSERT_TRUE(Cargar(cmbAdministracion, "Administraciones", false) &&
                Cargar(cmbMunicipio, "Municipios", false));
    ASSERT_TRUE(CargarMunicipiosAdministraciones(hoja, carpeta, mensajes));
    EXPECT_EQ(hoja.colMunicipiosAdministraciones.size(), 8131u);
    std::set<std::string> administraciones;
    for (const auto& e : hoja.Lista(cmbAdministracion))
        administraciones.insert(std::to_string(e.código));
    for (const auto& e : hoja.Lista(cmbMunicipio))
        EXPECT_TRUE(administraciones.count(hoja.colMunicipiosAdministraciones[std::to_string(e.código)]))
            << e.código;
}

TEST(ListasHoja, RetrocesoYPeriodoDeDos) {
    HojaPrueba p;
    p.Cargar();
    p.Escribir(cmbSigla, "c");
    p.hoja().Teclear(kTeclaRetroceso); // the caret stood after the C: nothing left
    EXPECT_EQ(p.Texto(cmbSigla), "");
    p.Escribir(cmbPeriodo, "4T1"); // completed to 4T, then full at two
    EXPECT_EQ(p.Texto(cmbPeriodo), "4T");
}

TEST(ListasHoja, SóloDosCifrasDe01a12SonUnMes) {
    for (const char* t : {"01", "09", "10", "12"})
        EXPECT_TRUE(EsMesPeriodo(t)) << t;
    for (const char* t : {"00", "13", "19", "1", "1T", "20"})
        EXPECT_FALSE(EsMesPeriodo(t)) << t;
}
