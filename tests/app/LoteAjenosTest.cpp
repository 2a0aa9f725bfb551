// modelo817-lote on files that come from elsewhere: not made of records, cut, special, huge, torn by a killed
// save, with control characters in their names; and drafts that never write through a link or leave a cut
// PDF.
#include "app/Hoja.h"
#include "model/Listas.h"
#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"
#include "support/DiscoEnMemoria.h"
#include "support/Dobles.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;
namespace fs = std::filesystem;

namespace {

std::string B(const RegistroDeclaración& r) {
    return std::string(r.Bytes());
}

struct Resultado {
    int estado = -1;
    std::string salida, error;
};

Resultado Correr(const std::vector<std::string>& argumentos, const CarpetaTemporal& c) {
    std::string orden = M817_BINARY_DIR "/modelo817-lote";
    for (const auto& a : argumentos)
        orden += " '" + a + "'";
    orden += " --datos='" + c.Datos().string() + "' --fecha=2010-11-15";
    const fs::path salida = c.Programa() / "salida.txt", error = c.Programa() / "error.txt";
    orden += " >'" + salida.string() + "' 2>'" + error.string() + "'";
    const int r = std::system(orden.c_str());
    return {WIFEXITED(r) ? WEXITSTATUS(r) : -1, LeerArchivo(salida), LeerArchivo(error)};
}

bool Contiene(const std::string& texto, const std::string& parte) {
    return texto.find(parte) != std::string::npos;
}

RegistroDeclaración Registro(const std::string& nif, const std::string& nombre) {
    RegistroDeclaración r;
    r.Poner(CampoRegistro::Modelo, "817");
    r.Poner(CampoRegistro::Ejercicio, "2010");
    r.Poner(CampoRegistro::Periodo, "3T");
    r.Poner(CampoRegistro::NIF, nif);
    r.Poner(CampoRegistro::Nombre, nombre);
    return r;
}

std::string Ruta(const CarpetaTemporal& c) {
    return RutaDeclaraciones(c.Datos()).string();
}

TEST(LoteAjenos, UnArchivoQueNoEstaHechoDeRegistrosSeRechazaConEstado2) {
    CarpetaTemporal c;
    c.CopiarTablasReales();
    const std::string uno = B(Registro("11111111H", "UNO"));
    const std::string bytes = uno + uno.substr(0, 748) + "\n" + uno;
    c.EscribirDatos(kNombreArchivoDeclaraciones, bytes);
    for (const char* orden : {"listar", "validar"}) {
        const Resultado r = Correr({orden}, c);
        EXPECT_EQ(r.estado, 2) << orden;
        EXPECT_TRUE(Contiene(r.error, Ruta(c))) << r.error;
        EXPECT_TRUE(Contiene(r.error, "el registro 2 (bytes 751 a 1500) no termina así")) << r.error;
        EXPECT_EQ(r.salida, "");
    }
    EXPECT_EQ(LeerArchivo(Ruta(c)), bytes);
}

TEST(LoteAjenos, UnUltimoRegistroSinSaltoDeLineaSeLista) {
    CarpetaTemporal c;
    c.EscribirDatos(kNombreArchivoDeclaraciones,
                    B(Registro("11111111H", "UNO")) + B(Registro("22222222J", "DOS")).substr(0, 748));
    const Resultado r = Correr({"listar", "--csv"}, c);
    EXPECT_EQ(r.estado, 0) << r.error;
    EXPECT_TRUE(Contiene(r.salida, "\r\n2,22222222J,DOS,2010,3T,,,\r\n")) << r.salida;
}

TEST(LoteAjenos, UnaFifoYUnArchivoDispersoEnormeTerminanEnSeguidaYSinMemoria) {
    CarpetaTemporal c;
    ASSERT_EQ(::mkfifo(Ruta(c).c_str(), 0644), 0);
    const auto inicio = std::chrono::steady_clock::now();
    Resultado r = Correr({"listar"}, c);
    EXPECT_EQ(r.estado, 2);
    EXPECT_TRUE(Contiene(r.error, "no es un archivo normal")) << r.error;
    EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(10));

    fs::remove(Ruta(c));
    c.EscribirDatos(kNombreArchivoDeclaraciones, B(Registro("11111111H", "UNO")));
    fs::resize_file(Ruta(c), 2'000'000'000);
    r = Correr({"listar"}, c);
    EXPECT_EQ(r.estado, 2);
    EXPECT_TRUE(Contiene(r.error, "tiene 2666666 registros, más de los 32767")) << r.error;
    rusage uso{};
    ::getrusage(RUSAGE_CHILDREN, &uso);
    EXPECT_LT(uso.ru_maxrss, 500 * 1024) << "KB"; // far below the gigabytes of reading it whole
}

// FNV-1a of the side file's body, as eight hex digits.
std::string Suma(std::string_view s) {
    std::uint32_t h = 2166136261u;
    for (const char ch : s)
        h = (h ^ static_cast<unsigned char>(ch)) * 16777619u;
    char t[9];
    std::snprintf(t, sizeof t, "%08X", h);
    return t;
}

TEST(LoteAjenos, UnRegistroAMedioGuardarSeMuestraComoEraSinEscribirNada) {
    CarpetaTemporal c;
    const std::string viejo = B(Registro("11111111H", "VIEJO")), nuevo = B(Registro("22222222J", "NUEVO"));
    const std::string roto = nuevo.substr(0, 40) + viejo.substr(40);
    std::string deshacer = "00001" + viejo + nuevo;
    deshacer += Suma(deshacer);
    c.EscribirDatos(kNombreArchivoDeclaraciones, roto);
    c.EscribirDatos(std::string(kNombreArchivoDeclaraciones) + kSufijoDeshacer, deshacer);

    const Resultado r = Correr({"listar", "--csv"}, c);
    EXPECT_EQ(r.estado, 0) << r.error;
    EXPECT_TRUE(Contiene(r.salida, "1,11111111H,VIEJO,")) << r.salida;
    EXPECT_TRUE(Contiene(r.error, "registro 1: el registro quedó a medio guardar")) << r.error;
    EXPECT_EQ(LeerArchivo(Ruta(c)), roto);
    EXPECT_EQ(LeerArchivo(Ruta(c) + kSufijoDeshacer), deshacer);
}

TEST(LoteAjenos, LosCaracteresDeControlSeEscapanYLasFormulasSeNeutralizan) {
    CarpetaTemporal c;
    c.EscribirDatos(kNombreArchivoDeclaraciones, B(Registro("11111111H", "A\x1b[2JB\nX")) +
                                                     B(Registro("-2", "=HIPERVINCULO(\"x\")")) +
                                                     B(Registro("@3", "+SUMA")) + B(Registro("4", "\tTAB")));
    Resultado r = Correr({"listar"}, c);
    EXPECT_EQ(r.estado, 0) << r.error;
    EXPECT_TRUE(Contiene(r.salida, "A\\x1B[2JB\\x0AX")) << r.salida;
    EXPECT_FALSE(Contiene(r.salida, "\x1b")) << r.salida;
    EXPECT_TRUE(Contiene(r.salida, "\\x09TAB")) << r.salida;

    r = Correr({"listar", "--csv"}, c);
    EXPECT_EQ(r.estado, 0) << r.error;
    EXPECT_TRUE(Contiene(r.salida, "\r\n2,'-2,\"'=HIPERVINCULO(\"\"x\"\")\",2010")) << r.salida;
    EXPECT_TRUE(Contiene(r.salida, "\r\n3,'@3,'+SUMA,2010")) << r.salida;
    EXPECT_TRUE(Contiene(r.salida, "\r\n4,4,'\tTAB,2010")) << r.salida;
}

// A return without errors, saved through the sheet.
void GuardarVálida(CarpetaTemporal& c) {
    MensajesTolerantes mensajes;
    mensajes.respuesta = Respuesta::Sí;
    RelojFijo reloj;
    ArchivosPosix archivos;
    frmHoja1 h(mensajes, reloj, c, archivos);
    h.Form_Load();
    ASSERT_TRUE(h.NuevaDeclaración());
    auto elegir = [&](IdCampo lista, std::string_view código) {
        SeleccionarCódigoCombo(h.hoja, lista, código, ListaAlfabética(lista));
        bool cancelar = false;
        h.ValidarCampos(Definición(lista).nombre, -1, cancelar);
    };
    elegir(cmbProvincia, "8");
    elegir(cmbMunicipio, "8019");
    h.hoja.EscribirTexto(cmbPeriodo, "3T");
    h.hoja.EscribirTexto(edtNIF, "12345678Z");
    h.hoja.EscribirTexto(edtNombre, W("PEÑA"));
    elegir(cmbSigla, "CL");
    h.hoja.EscribirTexto(edtViaPublica, "MAYOR");
    h.hoja.EscribirTexto(edtNumero, "1");
    h.hoja.EscribirTexto(edtCodigoPostal, "08001");
    h.hoja.EscribirTexto(edtCasilla(1), "1.000,00");
    h.hoja.EscribirTexto(edtCasilla(13), "50,00");
    h.hoja.EscribirValor(chkFPEfectivo, 1);
    ASSERT_TRUE(h.GuardarDeclaración(false));
}

TEST(LoteAjenos, UnBorradorSustituyeElEnlaceSinSeguirloYNoDejaPdfCortado) {
    CarpetaTemporal c;
    c.CopiarTablasReales();
    GuardarVálida(c);
    const fs::path pdf = c.Programa() / "pdf", víctima = c.Programa() / "victima.txt";
    fs::create_directories(pdf);
    std::ofstream(víctima) << "no se toca";
    const fs::path destino = pdf / "borrador-00001-12345678Z.pdf";
    fs::create_symlink(víctima, destino);
    Resultado r = Correr({"borrador", "1", "--pdf", pdf.string()}, c);
    ASSERT_EQ(r.estado, 0) << r.error;
    EXPECT_EQ(LeerArchivo(víctima), "no se toca");
    EXPECT_FALSE(fs::is_symlink(destino));
    EXPECT_TRUE(LeerArchivo(destino).starts_with("%PDF"));
    EXPECT_EQ(std::distance(fs::directory_iterator(pdf), fs::directory_iterator()), 1);

    // A disk too small for the PDF: nothing under its name, no temporary file left.
    const fs::path lleno = c.Programa() / "lleno";
    fs::create_directories(lleno);
    DiscoEnMemoria disco(lleno, 16 * 1024);
    if (!disco.Montado()) GTEST_SKIP() << disco.Motivo();
    r = Correr({"borrador", "1", "--pdf", lleno.string()}, c);
    EXPECT_EQ(r.estado, 2) << r.error;
    EXPECT_TRUE(fs::is_empty(lleno));
}

TEST(LoteAjenos, ContenidoDeUnRegistroQueNoSeLeeEnteroTerminaConError) {
    CarpetaTemporal c;
    c.CopiarTablasReales();
    GuardarVálida(c);
    std::string bytes = LeerArchivo(Ruta(c));
    RegistroDeclaración r = RegistroDeclaración::DesdeBytes(bytes);
    r.Poner(CampoRegistro::Provincia, "99");
    c.EscribirDatos(kNombreArchivoDeclaraciones, bytes + B(r));
    EXPECT_EQ(Correr({"contenido", "1"}, c).estado, 0);
    const Resultado malo = Correr({"contenido", "2"}, c);
    EXPECT_NE(malo.estado, 0);
    EXPECT_EQ(malo.salida, "");
    EXPECT_TRUE(Contiene(malo.error, "no se ha podido leer la declaración entera")) << malo.error;
}

} // namespace
