#include "store/Conversion.h"

#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"
#include "store/RegistrosAntiguos.h"
#include "support/ArchivosFallidos.h"
#include "support/Dobles.h"
#include "support/Registros.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

using namespace m817;
using namespace m817::prueba;
using enum CampoRegistro;

namespace {

constexpr const char* kVersión = "3.2.2";

TEST(ConversionRegistro, CadaCampoVaASuSitioYLasBasesSiguenASuTipo) {
    for (bool a : {true, false}) {
        SCOPED_TRACE(a ? "disposición A" : "disposición B");
        // 1000 at 13 gives 130; the second line at 5 is replaced by the later one; rate 4 is dropped; 61,728
        // rounds to 61,73; no base gives no quota.
        // clang-format off
        const Antiguo viejo{.disposiciónA = a, .líneas = {{"1000", "13"}, {"500,00", "5"}, {"777", "4"},
                                                          {" 1.234,56", " 5 "}, {"", "0"}, {"10,10", "20"}, {"3", ""}}};
        // clang-format on
        const auto nuevo = ConvertirRegistro(viejo.Bytes(), a ? kDisposiciónA : kDisposiciónB, kVersión);
        ASSERT_TRUE(nuevo);

        const RegistroDeclaración esperado = RegistroDeDatos("registro-convertido.txt");
        ASSERT_EQ(esperado.Valor(FechaImpresión), "15/11/2005");
        for (const auto& d : kCamposRegistro)
            EXPECT_EQ(nuevo->Campo(d.campo), esperado.Campo(d.campo)) << d.nombre;
    }
}

class ConversionTest : public ::testing::Test {
  protected:
    std::filesystem::path Datos(const std::string& nombre = kNombreArchivoDeclaraciones) const {
        return carpeta.Datos() / nombre;
    }
    ResultadoConversión Convertir(ServicioArchivos& archivos) {
        return ConvertirArchivoDatos(archivos, carpeta.Datos(), mensajes, kVersión);
    }
    long Archivos() const { return std::distance(std::filesystem::directory_iterator(carpeta.Datos()), {}); }
    void Preguntar(Respuesta r = Respuesta::Aceptar) {
        mensajes.Esperar("Para poder continuar con la ejecución del programa se va a proceder a convertir el "
                         "archivo de datos existente actualmente a la nueva versión.",
                         Icono::Ninguno, Botones::AceptarCancelar, r);
    }

    CarpetaTemporal carpeta;
    ArchivosPosix posix;
    MensajesGuion mensajes;
};

TEST_F(ConversionTest, LaVersionDelPrimerRegistroVivoDecideSiSeConvierte) {
    const std::pair<std::string, std::string> versiones[] = {
        {"*8173.2.2\r\n 8172.3.2   2010\r\n", "2.3.2"}, // the deleted first one does not count
        {"\r\n 8172.1.1\r\n", ""},                      // an empty line counts as a live record
        {"*a\r 8172.1.1\r", "2.1.1"},                   // lines may end in CR alone
    };
    for (const auto& [contenido, versión] : versiones) {
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, contenido);
        EXPECT_EQ(VersiónArchivo(*posix.Abrir(Datos(), ModoApertura::Lectura)), versión) << contenido;
    }
    // A live line tells the version without the rest being read: a huge file may have no line end at all.
    ArchivosFallidos dañado(posix);
    dañado.lecturasFallanDesde = 1;
    carpeta.EscribirDatos(kNombreArchivoDeclaraciones, " 8172.1.1" + std::string(100000, '\0'));
    EXPECT_EQ(VersiónArchivo(*dañado.Abrir(Datos(), ModoApertura::Lectura)), "2.1.1");
    // The version -> the backup's suffix ("": of the current layout, left alone).
    const std::pair<std::string, std::string> casos[] = {{"2.0.9", "_211"}, {"2.1.1", "_211"},
                                                         {"2.1.2", "_232"}, {"3.1.0", "_232"},
                                                         {"3.1.1", ""},     {"3.2.2", ""}};
    for (const auto& [versión, copia] : casos) {
        SCOPED_TRACE(versión);
        for (const auto& e : std::filesystem::directory_iterator(carpeta.Datos()))
            std::filesystem::remove(e);
        const std::string inicial = Antiguo{.disposiciónA = copia != "_232", .versión = versión}.Bytes();
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, inicial);
        if (!copia.empty()) Preguntar();
        EXPECT_EQ(Convertir(posix) == ResultadoConversión::Convertido, !copia.empty());
        EXPECT_EQ(LeerArchivo(Datos(kNombreArchivoDeclaraciones + (copia.empty() ? "" : copia + ".txt"))),
                  inicial);
        EXPECT_EQ(Archivos(), copia.empty() ? 1 : 2);
    }
}

// The program ends, leaving the old data file alone in Datos; the next start can try again.
TEST_F(ConversionTest, UnaConversionCanceladaOFallidaDejaElArchivoComoEstaba) {
    const std::string inicial = Antiguo{.líneas = {{"100", "13"}}}.Bytes();
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
        if (respuesta) Preguntar(*respuesta);
        if (respuesta != Respuesta::Cancelar)
            mensajes.EsperarError("Error al intentar convertir el archivo de datos");
        const auto r = Convertir(archivos);
        EXPECT_EQ(r, respuesta == Respuesta::Cancelar ? ResultadoConversión::Cancelado
                                                      : ResultadoConversión::Fallido);
        EXPECT_TRUE(TerminarPrograma(r));
        EXPECT_EQ(LeerArchivo(Datos()), inicial);
        EXPECT_EQ(Archivos(), 1);
    }
    EXPECT_FALSE(TerminarPrograma(ResultadoConversión::SinCambios));
    // Once the disk is sound, the same file converts; an earlier backup is never overwritten.
    carpeta.EscribirDatos("Declaraciones.txt_211.txt", "copia de otra vez");
    Preguntar();
    EXPECT_EQ(Convertir(posix), ResultadoConversión::Convertido);
    EXPECT_EQ(LeerArchivo(Datos("Declaraciones.txt_211.txt")), "copia de otra vez");
    EXPECT_EQ(LeerArchivo(Datos("Declaraciones.txt-2_211.txt")), inicial);
    EXPECT_FALSE(TerminarPrograma(ResultadoConversión::Convertido));
}

} // namespace
