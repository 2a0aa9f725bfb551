#include "store/Conversion.h"

#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"
#include "store/RegistrosAntiguos.h"
#include "support/ArchivosFallidos.h"
#include "support/Dobles.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

using namespace m817;
using namespace m817::prueba;
using enum CampoRegistro;

namespace {

constexpr const char* kVersión = "3.2.2";
constexpr const char* kPregunta =
    "Para poder continuar con la ejecución del programa se va a proceder a convertir el "
    "archivo de datos existente actualmente a la nueva versión.";

// A file of the current layout.
std::string ArchivoActual(const std::string& versión) {
    RegistroDeclaración r;
    r.Poner(Modelo, "817");
    r.Poner(Versión, versión);
    return std::string(r.Bytes());
}

TEST(ConversionRegistro, CadaCampoVaASuSitioYLasBasesSiguenASuTipo) {
    for (bool a : {true, false}) {
        SCOPED_TRACE(a ? "disposición A" : "disposición B");
        Antiguo viejo;
        viejo.disposiciónA = a;
        viejo.líneas = {
            {"1000", "13"},       // the quota worked out: 130
            {"500,00", "5"},      // replaced by the later line of rate 5
            {"777", "4"},         // no such rate any more: dropped
            {" 1.234,56", " 5 "}, // 61,728 rounds to 61,73
            {"", "0"},            // no base, no quota
            {"10,10", "20"},
            {"3", ""},
        };
        const auto nuevo = ConvertirRegistro(viejo.Bytes(), a ? kDisposiciónA : kDisposiciónB, kVersión);
        ASSERT_TRUE(nuevo);

        RegistroDeclaración esperado;
        // clang-format off
        const std::pair<CampoRegistro, std::string> campos[] = {
            {Modelo, "817"}, {Versión, "3.2.2"}, {Ejercicio, "2010"}, {Periodo, "2T"}, {Administración, "28"},
            {NIF, "12345678Z"}, {Nombre, W("PEÑA LÓPEZ")}, {Sigla, "CL"}, {ViaPública, "MAYOR"},
            {Número, "7"}, {Escalera, "A"}, {Piso, "3"}, {Puerta, "IZDA"}, {Teléfono, "915551234"},
            {Provincia, "28"}, {Municipio, "28079"}, {CódigoPostal, "28013"}, {Fax, "915554321"},
            {Casilla03, "1.234,56"}, {Casilla05, "1000"}, {Casilla06, "10,10"}, {Casilla09, "61,73"},
            {Casilla11, "130"}, {Casilla12, "2,02"}, {Casilla16, "O1"}, {Casilla17, "O2"}, {Casilla18, "O3"},
            {Casilla19, "O4"}, {Casilla20, "O5"}, {Casilla24, "O6"}, {FPEfectivo, "0"}, {FPCuenta, "0"},
            {CCCDevEntidad, "2100"}, {CCCDevOficina, "0418"}, {CCCDevDígitos, "45"},
            {CCCDevCuenta, "0200051332"}, {Resultado, "D"}, {NúmeroJustificante, "8170512345678"},
            {FechaImpresión, "15/11/2005"},
        };
        // clang-format on
        for (const auto& [campo, valor] : campos)
            esperado.Poner(campo, valor);
        for (const auto& d : kCamposRegistro)
            EXPECT_EQ(nuevo->Campo(d.campo), esperado.Campo(d.campo)) << d.nombre;
    }
}

TEST(ConversionRegistro, LoQueNoEncajaEnSuDisposicionNoSeConvierte) {
    Antiguo bueno;
    bueno.líneas = {{"100", "13"}};
    Antiguo importeMalo = bueno;
    importeMalo.líneas = {{"12a", "13"}};
    Antiguo importeIngles = bueno;
    importeIngles.líneas = {{"1,000.50", "13"}};
    Antiguo importeSinTipo = bueno; // a bad amount on a dropped line goes with it
    importeSinTipo.líneas = {{"12a", "4"}};
    std::string sinFinal = bueno.Bytes();
    sinFinal[547] = 'x';

    EXPECT_TRUE(ConvertirRegistro(bueno.Bytes(), kDisposiciónA, kVersión));
    // An amount that cannot be read is left blank, with its quota.
    for (const Antiguo* a : {&importeMalo, &importeIngles}) {
        std::vector<int> vaciadas;
        const auto r = ConvertirRegistro(a->Bytes(), kDisposiciónA, kVersión, &vaciadas);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->Valor(CampoRegistro::Casilla05), "");
        EXPECT_EQ(vaciadas, (std::vector<int>{5, 11}));
    }
    EXPECT_TRUE(ConvertirRegistro(importeSinTipo.Bytes(), kDisposiciónA, kVersión));
    EXPECT_FALSE(ConvertirRegistro(sinFinal, kDisposiciónA, kVersión));
    EXPECT_FALSE(ConvertirRegistro(bueno.Bytes().substr(0, 548), kDisposiciónA, kVersión));
    EXPECT_FALSE(ConvertirRegistro(bueno.Bytes(), kDisposiciónB, kVersión));
}

class ConversionTest : public ::testing::Test {
  protected:
    std::filesystem::path Datos(const std::string& nombre = kNombreArchivoDeclaraciones) const {
        return carpeta.Datos() / nombre;
    }
    bool Existe(const std::string& nombre) const { return std::filesystem::exists(Datos(nombre)); }
    ResultadoConversión Convertir(ServicioArchivos& archivos) {
        return ConvertirArchivoDatos(archivos, carpeta.Datos(), mensajes, kVersión);
    }
    ResultadoConversión Convertir() { return Convertir(posix); }
    std::vector<std::filesystem::path> ArchivosDeDatos() const {
        std::vector<std::filesystem::path> v;
        for (const auto& e : std::filesystem::directory_iterator(carpeta.Datos()))
            v.push_back(e.path().filename());
        std::sort(v.begin(), v.end());
        return v;
    }

    CarpetaTemporal carpeta;
    ArchivosPosix posix;
    MensajesGuion mensajes;
};

TEST_F(ConversionTest, LaVersionDelPrimerRegistroVivoDecide) {
    struct Caso {
        std::string contenido;
        std::string versión;
    };
    const Caso casos[] = {
        {"", ""},
        {"*8173.2.2\r\n*8172.1.1\r\n", ""},             // only deleted records
        {"*8173.2.2\r\n 8172.3.2   2010\r\n", "2.3.2"}, // the deleted first one does not count
        {"\r\n 8172.1.1\r\n", ""},                      // an empty line counts as a live record
        {" 8173.2.2  ", "3.2.2"},                       // a last line without its end
        {"*a\r 8172.1.1\r", "2.1.1"},                   // lines may end in CR alone
        {" 81", ""},
        {std::string(70000, '*') + "\r\n 8172.0", "2.0"}, // a long deleted line
    };
    for (const auto& c : casos) {
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, c.contenido);
        auto archivo = posix.Abrir(Datos(), ModoApertura::Lectura);
        ASSERT_TRUE(archivo);
        EXPECT_EQ(VersiónArchivo(*archivo), c.versión) << c.contenido.substr(0, 30);
    }
}

TEST_F(ConversionTest, SoloSeConviertenLasVersionesAnterioresALaDisposicionActual) {
    struct Caso {
        std::string versión;
        const char* copia; // null: the file is left alone
    };
    // clang-format off
    const Caso casos[] = {
        {"2.0.9", "Declaraciones.txt_211.txt"}, {"2.1.1", "Declaraciones.txt_211.txt"},
        {"2.1.2", "Declaraciones.txt_232.txt"}, {"2.3.2", "Declaraciones.txt_232.txt"},
        {"3.1.0", "Declaraciones.txt_232.txt"}, {"3.1.1", nullptr}, {"3.2.2", nullptr},
    };
    // clang-format on
    for (const auto& c : casos) {
        SCOPED_TRACE(c.versión);
        for (const auto& e : std::filesystem::directory_iterator(carpeta.Datos()))
            std::filesystem::remove(e);
        Antiguo viejo;
        viejo.versión = c.versión;
        viejo.disposiciónA = c.copia && std::string_view(c.copia).ends_with("_211.txt");
        const std::string inicial = c.copia ? viejo.Bytes() : ArchivoActual(c.versión);
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, inicial);
        if (c.copia)
            mensajes.Esperar(kPregunta, Icono::Ninguno, Botones::AceptarCancelar, Respuesta::Aceptar);

        EXPECT_EQ(Convertir(), c.copia ? ResultadoConversión::Convertido : ResultadoConversión::SinCambios);
        if (c.copia) {
            EXPECT_EQ(LeerArchivo(Datos(c.copia)), inicial);
            EXPECT_EQ(LeerArchivo(Datos()).size(), 750u);
            EXPECT_EQ(ArchivosDeDatos(),
                      (std::vector<std::filesystem::path>{kNombreArchivoDeclaraciones, c.copia}));
        } else {
            EXPECT_EQ(LeerArchivo(Datos()), inicial);
            EXPECT_EQ(ArchivosDeDatos().size(), 1u);
        }
    }
}

TEST_F(ConversionTest, LasBorradasDesaparecenYLasDemasSeNumeranDeNuevoUnaVez) {
    Antiguo borrada, primera, segunda;
    borrada.marca = '*';
    borrada.versión = "3.2.2"; // a deleted record's version does not count
    primera.nif = "11111111H";
    segunda.nif = "22222222J";
    segunda.versión = "2.0.0";
    carpeta.EscribirDatos(kNombreArchivoDeclaraciones, ArchivoAntiguo({borrada, borrada}));
    EXPECT_EQ(Convertir(), ResultadoConversión::SinCambios); // nothing alive: nothing asked
    carpeta.EscribirDatos(kNombreArchivoDeclaraciones, ArchivoAntiguo({borrada, primera, segunda}));
    carpeta.EscribirDatos("Declaraciones.txt_211.txt", "copia de otra vez");    // never overwritten
    carpeta.EscribirDatos("Declaraciones.txt_311.txt", std::string(2000, 'x')); // left from another time
    mensajes.Esperar(kPregunta, Icono::Ninguno, Botones::AceptarCancelar, Respuesta::Aceptar);
    ASSERT_EQ(Convertir(), ResultadoConversión::Convertido);
    EXPECT_EQ(LeerArchivo(Datos("Declaraciones.txt_211.txt")), "copia de otra vez");
    EXPECT_EQ(LeerArchivo(Datos("Declaraciones.txt-2_211.txt")), ArchivoAntiguo({borrada, primera, segunda}));
    EXPECT_FALSE(Existe("Declaraciones.txt_311.txt"));

    ArchivoDeclaraciones archivo(posix, Datos());
    ASSERT_TRUE(archivo.AbrirLectura());
    EXPECT_EQ(archivo.NúmeroRegistros(), 2);
    RegistroDeclaración r;
    ASSERT_TRUE(archivo.Leer(1, r));
    EXPECT_EQ(r.Valor(NIF), "11111111H");
    ASSERT_TRUE(archivo.Leer(2, r));
    EXPECT_EQ(r.Valor(NIF), "22222222J");
    EXPECT_EQ(r.Valor(Versión), kVersión);
    archivo.Cerrar();

    // Converted once: the next start leaves it alone and asks nothing.
    const std::string convertido = LeerArchivo(Datos());
    carpeta.EscribirDatos("Declaraciones.txt_311.txt", "a medias");
    EXPECT_EQ(Convertir(), ResultadoConversión::SinCambios);
    EXPECT_EQ(LeerArchivo(Datos()), convertido);
    EXPECT_FALSE(Existe("Declaraciones.txt_311.txt"));
}

// A conversion that cannot finish, or that the user cancels, leaves the old data file, and nothing else, in
// Datos; the program ends and the next start can try again.
TEST_F(ConversionTest, UnaConversionCanceladaOFallidaDejaElArchivoComoEstaba) {
    Antiguo a;
    a.líneas = {{"100", "13"}};
    const std::string inicial = a.Bytes();
    const std::pair<std::function<void(ArchivosFallidos&)>, std::optional<Respuesta>> casos[] = {
        {[](ArchivosFallidos&) {}, Respuesta::Cancelar},
        {[](ArchivosFallidos& f) { f.soloLectura = true; }, Respuesta::Aceptar},
        {[](ArchivosFallidos& f) { f.LlenarDiscoEnEscritura(1, 100); }, Respuesta::Aceptar},
        {[](ArchivosFallidos& f) { f.sincronizacionFalla = true; }, Respuesta::Aceptar},
        {[](ArchivosFallidos& f) { f.enlacesFallan = true; }, Respuesta::Aceptar},
        {[](ArchivosFallidos& f) { f.renombradosFallan = true; }, Respuesta::Aceptar},
        {[](ArchivosFallidos& f) { f.lecturasFallan = true; }, std::nullopt}, // unreadable: not asked
    };
    for (const auto& [preparar, respuesta] : casos) {
        SCOPED_TRACE(&preparar - &casos[0].first);
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, inicial);
        ArchivosFallidos archivos(posix);
        preparar(archivos);
        if (respuesta) mensajes.Esperar(kPregunta, Icono::Ninguno, Botones::AceptarCancelar, *respuesta);
        if (respuesta != Respuesta::Cancelar)
            mensajes.EsperarError("Error al intentar convertir el archivo de datos");
        const auto r = Convertir(archivos);
        EXPECT_EQ(r, respuesta == Respuesta::Cancelar ? ResultadoConversión::Cancelado
                                                      : ResultadoConversión::Fallido);
        EXPECT_TRUE(TerminarPrograma(r));
        EXPECT_EQ(LeerArchivo(Datos()), inicial);
        EXPECT_EQ(ArchivosDeDatos(), (std::vector<std::filesystem::path>{kNombreArchivoDeclaraciones}));
    }
    EXPECT_FALSE(TerminarPrograma(ResultadoConversión::SinCambios));
    // Once the disk is sound, the same file converts.
    mensajes.Esperar(kPregunta, Icono::Ninguno, Botones::AceptarCancelar, Respuesta::Aceptar);
    EXPECT_EQ(Convertir(), ResultadoConversión::Convertido);
    EXPECT_FALSE(TerminarPrograma(ResultadoConversión::Convertido));
}

} // namespace
