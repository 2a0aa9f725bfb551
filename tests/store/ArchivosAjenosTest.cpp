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

const auto B = [](const RegistroDeclaración& r) { return std::string(r.Bytes()); };
const auto Registro = [](const char* nif, const char* c = "0") {
    return RegistroGuardado({.nif = nif, .periodo = "3T", .complementaria = c});
};

class ArchivosAjenos : public ::testing::Test {
  protected:
    fs::path Ruta() const { return RutaDeclaraciones(carpeta.Datos()); }
    void Poner(const std::string& bytes) const { carpeta.EscribirDatos(kNombreArchivoDeclaraciones, bytes); }
    std::string Leído() const { return LeerArchivo(Ruta()); }

    CarpetaTemporal carpeta;
    ArchivosPosix posix;
};

// A last record without its line end is a record and is completed; any other tail (748 bytes without the
// model, a short one) is copied aside, under a free name, before an append covers it. A rewrite leaves it.
TEST_F(ArchivosAjenos, UnaColaSeCompletaOSeCopiaAparteAntesDeCubrirla) {
    const std::string dos = B(Registro("22222222J"));
    for (const std::string& cola : {dos.substr(0, 748), std::string(748, 'x'), std::string("suelto\r\n")}) {
        Poner(B(Registro("11111111H")) + cola);
        ArchivoDeclaraciones archivo(posix, Ruta());
        ASSERT_TRUE(archivo.AbrirLecturaEscritura());
        ASSERT_TRUE(archivo.Escribir(1, Registro("11111111H", "1")));
        const bool registro = cola == dos.substr(0, 748);
        ASSERT_EQ(archivo.Añadir(Registro("3")), registro ? 3 : 2);
        EXPECT_EQ(Leído(), B(Registro("11111111H", "1")) + (registro ? dos : "") + B(Registro("3")));
        EXPECT_EQ(LeerArchivo(archivo.RestoGuardado()), registro ? "" : cola);
    }
    EXPECT_EQ(LeerArchivo(carpeta.Datos() / "Declaraciones.txt_resto.txt"), std::string(748, 'x'));
    EXPECT_EQ(LeerArchivo(carpeta.Datos() / "Declaraciones.txt-2_resto.txt"), "suelto\r\n");
}

TEST_F(ArchivosAjenos, UnaCopiaConSaltosLFOUnEnlaceAOtroArchivoNoSeLeenNiSeEscriben) {
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
        EXPECT_FALSE(archivo.Añadir(Registro("4")));
        EXPECT_EQ(Leído(), antes);
        EXPECT_EQ(LeerArchivo(ajeno), std::string(3000, 'a'));
    }
}

// Said at once by the file, the conversion and the window's list; nothing waits on a FIFO.
TEST_F(ArchivosAjenos, UnaFifoOUnaCarpetaSeDicenEnSeguida) {
    const std::string especial =
        "no es un archivo normal (es una FIFO, un dispositivo u otro archivo especial).";
    const std::pair<std::function<void()>, std::string> casos[] = {
        {[&] { ASSERT_EQ(::mkfifo(Ruta().c_str(), 0644), 0); }, especial},
        {[&] { fs::create_directory(Ruta()); }, "es una carpeta, no un archivo."},
        {[&] { fs::create_symlink("/dev/zero", Ruta()); }, especial}};
    for (const auto& [crear, dice] : casos) {
        fs::remove_all(Ruta());
        crear();
        EXPECT_FALSE(ArchivoDeclaraciones(posix, Ruta()).AbrirLecturaEscritura());
        MensajesGuion mensajes;
        mensajes.EsperarError("El archivo de declaraciones " + Ruta().string() + " " + dice);
        EXPECT_EQ(ConvertirArchivoDatos(posix, carpeta.Datos(), mensajes, "3.2.2"),
                  ResultadoConversión::Fallido);
        MensajesTolerantes lista;
        EXPECT_FALSE(SelecciónDeclaraciones().Cargar(posix, Ruta(), lista, 0));
        EXPECT_NE(Utf8(lista.mostrados.at(0).texto).find(dice.substr(0, 15)), std::string::npos);
    }
}

TEST_F(ArchivosAjenos, UnaTablaQueNoEsUnArchivoNormalOEsEnormeSeRechaza) {
    const fs::path siglas = carpeta.Datos() / "Siglas.txt";
    const std::function<void()> casos[] = {
        [&] { ASSERT_EQ(::mkfifo(siglas.c_str(), 0644), 0); },
        [&] { fs::create_symlink("/dev/zero", siglas); },
        [&] { std::ofstream(siglas) << "CL," + std::string((16u << 20) - 5, 'A') + "\r\nx"; }};
    MensajesGuion mensajes;
    HojaDeclaración hoja;
    for (const auto& preparar : casos) {
        fs::remove(siglas);
        preparar();
        mensajes.EsperarError("Error al cargar la tabla de Siglas");
        EXPECT_FALSE(CargarTabla(hoja, cmbSigla, kTablaSiglas, true, carpeta, mensajes));
    }
    fs::resize_file(siglas, 16u << 20); // exactly at the limit it is still a table
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
    EXPECT_EQ(RegistroDeclaración::DesdeBytes(nuevo).Valor(CampoRegistro::Casilla11), "");
}

// Another process appends while the duplicate question is open: the new return takes the next free number.
TEST_F(ArchivosAjenos, ElNumeroDeUnaDeclaracionNuevaSeDecideTrasLaPregunta) {
    struct ConOtroProceso final : ServicioMensajes {
        fs::path ruta;
        int estado = -1;
        Respuesta Mostrar(const Mensaje& m) override {
            if (m.icono != Icono::Pregunta) return Respuesta::Aceptar;
            const pid_t hijo = ::fork();
            if (hijo == 0) {
                ArchivosPosix posix;
                ArchivoDeclaraciones archivo(posix, ruta);
                ::_exit(archivo.AbrirLecturaEscritura() && archivo.Añadir(Registro("9")) == 2 ? 0 : 1);
            }
            ::waitpid(hijo, &estado, 0);
            return Respuesta::Sí;
        }
        void Pitido() override {}
    } mensajes;
    mensajes.ruta = Ruta();
    Poner(B(Registro("12345678Z")));
    carpeta.CopiarTablasReales();
    RelojFijo reloj;
    frmHoja1 h(mensajes, reloj, carpeta, posix);
    h.Form_Load();
    ASSERT_TRUE(h.NuevaDeclaración());
    for (const auto& [id, texto] :
         {std::pair{cmbPeriodo, "3T"}, {edtNIF, "12345678Z"}, {edtNombre, "PRUEBA"}})
        h.hoja.EscribirTexto(id, texto);
    h.hoja.RegistroModificado = true;
    ASSERT_TRUE(h.GuardarDeclaración(true));
    ASSERT_EQ(mensajes.estado, 0); // the other process saved
    EXPECT_EQ(h.hoja.Texto(edtIdDeclaración), "3");
    const std::string bytes = Leído();
    ASSERT_EQ(bytes.substr(0, 1500), B(Registro("12345678Z")) + B(Registro("9")));
    EXPECT_EQ(
        RegistroDeclaración::DesdeBytes(std::string_view(bytes).substr(1500)).Valor(CampoRegistro::Nombre),
        "PRUEBA");
}

} // namespace
