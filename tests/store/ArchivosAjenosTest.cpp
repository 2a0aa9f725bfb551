// Data files from elsewhere or in use by another process: nothing is lost or written where it should not be.
#include "app/Hoja.h"
#include "model/Tablas.h"
#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"
#include "store/Conversion.h"
#include "store/RegistrosAntiguos.h"
#include "store/SeleccionDeclaraciones.h"
#include "support/ArchivosFallidos.h"
#include "support/Dobles.h"
#include "support/Registros.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;
namespace fs = std::filesystem;

namespace {

std::string B(const RegistroDeclaración& r) {
    return std::string(r.Bytes());
}
RegistroDeclaración Registro(const std::string& nif, const std::string& complementaria = "0") {
    return RegistroGuardado({.nif = nif, .periodo = "3T", .complementaria = complementaria});
}

class ArchivosAjenos : public ::testing::Test {
  protected:
    fs::path Ruta() const { return RutaDeclaraciones(carpeta.Datos()); }
    void Poner(const std::string& bytes) const { carpeta.EscribirDatos(kNombreArchivoDeclaraciones, bytes); }
    std::string Leído() const { return LeerArchivo(Ruta()); }
    // The window over this folder with a new return filled in, ready to save.
    std::unique_ptr<frmHoja1> Ventana(ServicioMensajes& mensajes) {
        carpeta.CopiarTablasReales();
        auto h = std::make_unique<frmHoja1>(mensajes, reloj, carpeta, posix);
        h->Form_Load();
        EXPECT_TRUE(h->NuevaDeclaración());
        for (const auto& [id, texto] :
             {std::pair{cmbPeriodo, "3T"}, {edtNIF, "12345678Z"}, {edtNombre, "PRUEBA"}})
            h->hoja.EscribirTexto(id, texto);
        return h;
    }

    CarpetaTemporal carpeta;
    ArchivosPosix posix;
    RelojFijo reloj;
};

TEST_F(ArchivosAjenos, UnUltimoRegistroSinSaltoDeLineaEsUnRegistroYSeCompleta) {
    const std::string uno = B(Registro("11111111H")), dos = B(Registro("22222222J"));
    Poner(uno + dos.substr(0, 748));
    ArchivoDeclaraciones archivo(posix, Ruta());
    ASSERT_TRUE(archivo.AbrirLecturaEscritura());
    RegistroDeclaración leído;
    ASSERT_TRUE(archivo.Leer(2, leído));
    EXPECT_EQ(B(leído), dos);
    EXPECT_EQ(archivo.Añadir(Registro("33333333P")), 3);
    EXPECT_EQ(Leído(), uno + dos + B(Registro("33333333P")));
    EXPECT_TRUE(archivo.RestoGuardado().empty());
}

// A tail that is no record (748 bytes without the model, and a short one) is copied aside, under a free name,
// before an append covers it; a rewrite leaves it alone.
TEST_F(ArchivosAjenos, OtraColaSeCopiaAparteAntesDeCubrirla) {
    for (const std::string& cola : {std::string(748, 'x'), std::string("datos sueltos\r\n")}) {
        Poner(B(Registro("11111111H")) + cola);
        ArchivoDeclaraciones archivo(posix, Ruta());
        ASSERT_TRUE(archivo.AbrirLecturaEscritura());
        ASSERT_TRUE(archivo.Escribir(1, Registro("11111111H", "1")));
        EXPECT_TRUE(archivo.RestoGuardado().empty());
        ASSERT_EQ(archivo.Añadir(Registro("22222222J")), 2);
        EXPECT_EQ(LeerArchivo(archivo.RestoGuardado()), cola);
        EXPECT_EQ(Leído(), B(Registro("11111111H", "1")) + B(Registro("22222222J")));
    }
    EXPECT_EQ(LeerArchivo(carpeta.Datos() / "Declaraciones.txt_resto.txt"), std::string(748, 'x'));
    EXPECT_EQ(LeerArchivo(carpeta.Datos() / "Declaraciones.txt-2_resto.txt"), "datos sueltos\r\n");
}

// A text-mode copy (LF ends), and a link to another file: neither is read nor written.
TEST_F(ArchivosAjenos, UnArchivoQueNoEstaHechoDeRegistrosNoSeEscribe) {
    const fs::path ajeno = carpeta.Programa() / "ajeno.txt";
    std::ofstream(ajeno, std::ios::binary) << std::string(3000, 'a');
    const std::function<void()> casos[] = {
        [&] { Poner(B(Registro("1")).substr(0, 748) + "\n" + std::string(749, 'b')); },
        [&] { fs::create_symlink(ajeno, Ruta()); }};
    for (const auto& preparar : casos) {
        fs::remove(Ruta());
        preparar();
        const std::string antes = Leído();
        ArchivoDeclaraciones archivo(posix, Ruta());
        EXPECT_FALSE(archivo.AbrirLecturaEscritura() || archivo.AbrirLectura());
        EXPECT_EQ(Utf8(archivo.Problema()),
                  "El archivo de declaraciones " + Ruta().string() +
                      " no está hecho de registros de 750 bytes terminados en CR LF: el "
                      "registro 1 (bytes 1 a 750) no termina así. No se escribe nada en él.");
        EXPECT_FALSE(archivo.Añadir(Registro("44444444A")));
        EXPECT_EQ(Leído(), antes);
        EXPECT_EQ(LeerArchivo(ajeno), std::string(3000, 'a'));
    }
}

TEST_F(ArchivosAjenos, SinArchivoDeDeshacerLaReescrituraEsLaSencillaSincronizada) {
    Poner(B(Registro("11111111H")) + B(Registro("22222222J")));
    ArchivosFallidos archivos(posix);
    archivos.carpetaSinNuevos = true;
    ArchivoDeclaraciones archivo(archivos, Ruta());
    ASSERT_TRUE(archivo.AbrirLecturaEscritura());
    EXPECT_TRUE(archivo.Escribir(2, Registro("22222222J", "1")));
    EXPECT_TRUE(archivo.Escribir(1, RegistroBorrado()));
    EXPECT_EQ(archivo.Añadir(Registro("33333333P")), 3);
    EXPECT_EQ(Leído(), B(RegistroBorrado()) + B(Registro("22222222J", "1")) + B(Registro("33333333P")));
    EXPECT_FALSE(fs::exists(archivo.RutaDeshacer()));
}

// Said at once, by the file, the conversion and the window's list; nothing waits on a FIFO.
TEST_F(ArchivosAjenos, UnaFifoOUnaCarpetaSeDicenEnSeguida) {
    const std::pair<std::function<void()>, std::string> casos[] = {
        {[&] { ASSERT_EQ(::mkfifo(Ruta().c_str(), 0644), 0); },
         "no es un archivo normal (es una FIFO, un dispositivo u otro archivo especial)."},
        {[&] { fs::create_directory(Ruta()); }, "es una carpeta, no un archivo."},
        {[&] { fs::create_symlink("/dev/zero", Ruta()); },
         "no es un archivo normal (es una FIFO, un dispositivo u otro archivo especial)."},
    };
    for (const auto& [crear, dice] : casos) {
        fs::remove_all(Ruta());
        crear();
        ArchivoDeclaraciones archivo(posix, Ruta());
        EXPECT_FALSE(archivo.AbrirLecturaEscritura());
        EXPECT_NE(Utf8(archivo.Problema()).find(dice.substr(0, 15)), std::string::npos)
            << Utf8(archivo.Problema());
        MensajesGuion mensajes;
        mensajes.EsperarError("El archivo de declaraciones " + Ruta().string() + " " + dice);
        EXPECT_EQ(ConvertirArchivoDatos(posix, carpeta.Datos(), mensajes, "3.2.2"),
                  ResultadoConversión::Fallido);
        MensajesTolerantes lista;
        EXPECT_FALSE(SeleccionDeclaraciones().Cargar(posix, Ruta(), lista, 0));
        EXPECT_NE(Utf8(lista.mostrados.at(0).texto).find(dice.substr(0, 15)), std::string::npos);
    }
}

TEST_F(ArchivosAjenos, UnaTablaQueNoEsUnArchivoNormalOEsEnormeSeRechaza) {
    const fs::path siglas = carpeta.Datos() / "Siglas.txt";
    const std::function<void()> casos[] = {
        [&] { ASSERT_EQ(::mkfifo(siglas.c_str(), 0644), 0); },
        [&] { fs::create_symlink("/dev/zero", siglas); },
        [&] { std::ofstream(siglas) << "CL," + std::string((16u << 20) - 5, 'A') + "\r\nx"; }};
    for (const auto& preparar : casos) {
        fs::remove(siglas);
        preparar();
        HojaDeclaración hoja;
        MensajesGuion mensajes;
        mensajes.EsperarError("Error al cargar la tabla de Siglas");
        EXPECT_FALSE(CargarTabla(hoja, cmbSigla, kTablaSiglas, true, carpeta, mensajes));
    }
    fs::resize_file(siglas, 16u << 20); // exactly at the limit it is still a table
    HojaDeclaración hoja;
    MensajesGuion mensajes;
    EXPECT_TRUE(CargarTabla(hoja, cmbSigla, kTablaSiglas, true, carpeta, mensajes));
}

TEST_F(ArchivosAjenos, LaConversionLlevaElUltimoRegistroSinSaltoYDejaEnBlancoLoQueNoSeLee) {
    auto antiguo = [](const char* nif, const char* base) {
        return Antiguo{.nif = nif, .líneas = {{base, "13"}}}.Bytes();
    };
    Poner(antiguo("11111111H", "12O,00") + antiguo("22222222J", "100") +
          antiguo("33333333P", "12,5abc").substr(0, 547));
    MensajesGuion mensajes;
    mensajes.Esperar(
        "Para poder continuar con la ejecución del programa se va a proceder a convertir el archivo de "
        "datos existente actualmente a la nueva versión.",
        Icono::Ninguno, Botones::AceptarCancelar, Respuesta::Aceptar);
    mensajes.Esperar("El archivo de datos se ha convertido, pero estos importes no se han podido leer y sus "
                     "casillas han quedado en blanco:\r\nDeclaración 1 (N.I.F. 11111111H): casillas 5, 11\r\n"
                     "Declaración 3 (N.I.F. 33333333P): casillas 5, 11",
                     Icono::Exclamación, Botones::Aceptar);
    ASSERT_EQ(ConvertirArchivoDatos(posix, carpeta.Datos(), mensajes, "3.2.2"),
              ResultadoConversión::Convertido);
    const std::string nuevo = Leído();
    ASSERT_EQ(nuevo.size(), 3 * kLongitudRegistro);
    const auto r = [&](int n) {
        return RegistroDeclaración::DesdeBytes(std::string_view(nuevo).substr((n - 1) * 750));
    };
    EXPECT_EQ(r(1).Valor(CampoRegistro::Casilla05) + r(1).Valor(CampoRegistro::Casilla11), "");
    EXPECT_EQ(r(2).Valor(CampoRegistro::Casilla11), "13");
    EXPECT_EQ(r(3).Valor(CampoRegistro::NIF), "33333333P");
}

TEST_F(ArchivosAjenos, UnArchivoQueNoSePuedeConvertirSeExplicaSinPreguntar) {
    Poner(std::string(7500, '\0'));
    MensajesGuion mensajes;
    mensajes.EsperarError(
        "El archivo de datos " + Ruta().string() +
        " es de una versión anterior del programa, pero no se puede convertir: el registro 1 "
        "(bytes 1 a 549) no termina con CR LF, como los registros de 549 bytes de la versión "
        "anterior.\r\nEl archivo original sigue sin cambios en " +
        Ruta().string() + ".");
    EXPECT_EQ(ConvertirArchivoDatos(posix, carpeta.Datos(), mensajes, "3.2.2"), ResultadoConversión::Fallido);
    EXPECT_EQ(Leído(), std::string(7500, '\0'));
}

// Another process appends while the duplicate question is open: the new return takes the next free number.
TEST_F(ArchivosAjenos, ElNumeroDeUnaDeclaracionNuevaSeDecideTrasLaPregunta) {
    struct ConOtroProceso final : ServicioMensajes {
        fs::path ruta;
        bool otroGuardó = false;
        Respuesta Mostrar(const Mensaje& m) override {
            if (m.icono != Icono::Pregunta) return Respuesta::Aceptar;
            if (const pid_t hijo = ::fork(); hijo == 0) {
                ArchivosPosix posix;
                ArchivoDeclaraciones archivo(posix, ruta);
                ::_exit(archivo.AbrirLecturaEscritura() && archivo.Añadir(Registro("99999999R")) == 2 ? 0
                                                                                                      : 1);
            } else {
                int estado = 0;
                otroGuardó =
                    ::waitpid(hijo, &estado, 0) == hijo && WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
            }
            return Respuesta::Sí;
        }
        void Pitido() override {}
    } mensajes;
    mensajes.ruta = Ruta();
    Poner(B(Registro("12345678Z")));
    auto h = Ventana(mensajes);
    h->hoja.RegistroModificado = true;
    ASSERT_TRUE(h->GuardarDeclaración(true));
    ASSERT_TRUE(mensajes.otroGuardó);
    EXPECT_EQ(h->hoja.Texto(edtIdDeclaración), "3");
    const std::string bytes = Leído();
    ASSERT_EQ(bytes.substr(0, 1500), B(Registro("12345678Z")) + B(Registro("99999999R")));
    EXPECT_EQ(
        RegistroDeclaración::DesdeBytes(std::string_view(bytes).substr(1500)).Valor(CampoRegistro::Nombre),
        "PRUEBA");
}

// From the window: over a tail it says where the tail went; over a file not made of records it says why and
// writes nothing.
TEST_F(ArchivosAjenos, GuardarDesdeLaVentanaDiceQuéPasóConElArchivo) {
    const std::string línea = B(Registro("11111111H")).substr(0, 748) + "\n";
    const std::tuple<std::string, bool, Icono, std::string> casos[] = {
        {B(Registro("11111111H")) + "resto", true, Icono::Exclamación,
         "Al final del archivo de declaraciones había datos que no formaban una declaración completa. Antes "
         "de guardar, se han copiado en " +
             (carpeta.Datos() / "Declaraciones.txt_resto.txt").string()},
        {línea + línea, false, Icono::Crítico,
         "Error al intentar guardar la declaración\rEl archivo de declaraciones "},
    };
    for (const auto& [inicial, guarda, icono, texto] : casos) {
        Poner(inicial);
        MensajesTolerantes mensajes;
        auto h = Ventana(mensajes);
        mensajes.mostrados.clear();
        EXPECT_EQ(h->GuardarDeclaración(true), guarda);
        ASSERT_EQ(mensajes.mostrados.size(), 1u);
        EXPECT_EQ(mensajes.mostrados[0].icono, icono);
        EXPECT_TRUE(Utf8(mensajes.mostrados[0].texto).starts_with(texto))
            << Utf8(mensajes.mostrados[0].texto);
        EXPECT_EQ(Leído() == inicial, !guarda);
    }
}

} // namespace
