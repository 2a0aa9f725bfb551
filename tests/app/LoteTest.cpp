// modelo817-lote as the user runs it: exit statuses, the data file untouched, the window's verdicts, odd
// files.
#include "app/PanelErrores.h"
#include "model/Listas.h"
#include "platform/Aleatorio.h"
#include "print/Impresion.h"
#include "store/ArchivoDeclaraciones.h"
#include "support/DiscoEnMemoria.h"
#include "support/HojaPrueba.h"
#include "support/ImpresorasGuion.h"
#include "support/Registros.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;
namespace fs = std::filesystem;

namespace {

struct Resultado {
    int estado = -1;
    std::string salida, error; // UTF-8
};

// One run of the real executable on the data file of `c`; no argument holds a quote.
Resultado Correr(std::vector<std::string> orden, const CarpetaTemporal& c, std::string fecha = "2010-11-15") {
    orden.insert(orden.end(), {"--datos=" + c.Datos().string(), "--fecha=" + fecha});
    std::string línea = M817_BINARY_DIR "/modelo817-lote";
    for (const auto& a : orden)
        línea += " '" + a + "'";
    const fs::path salida = c.Programa() / "salida.txt", error = c.Programa() / "error.txt";
    const int r = std::system((línea + " >'" + salida.string() + "' 2>'" + error.string() + "'").c_str());
    return {WIFEXITED(r) ? WEXITSTATUS(r) : -1, LeerArchivo(salida), LeerArchivo(error)};
}

const auto Contiene = [](const std::string& texto, const std::string& parte) {
    return texto.find(parte) != std::string::npos;
};

// A sheet over the real reference tables, as the window loads it; its questions are all answered Yes.
struct Ventana {
    explicit Ventana(CarpetaTemporal& c, FechaHora hoy = {2010, 11, 15, 10, 0, 0}) : reloj(hoy), carpeta(c) {
        mensajes.respuesta = Respuesta::Sí;
        h.Form_Load();
    }
    // Saved as a user fills it in: a payment in cash from Barcelona.
    void Guardar(const char* nif, const char* nombre, const char* periodo, bool impresa = false) {
        ASSERT_TRUE(h.NuevaDeclaración());
        for (auto [lista, código] :
             {std::pair{cmbProvincia, "8"}, {cmbMunicipio, "8019"}, {cmbSigla, "CL"}}) {
            SeleccionarCódigoCombo(h.hoja, lista, código, ListaAlfabética(lista));
            bool cancelar = false;
            h.ValidarCampos(Definición(lista).nombre, -1, cancelar);
        }
        // clang-format off
        const std::pair<IdCampo, const char*> campos[] = {{cmbPeriodo, periodo}, {edtNIF, nif}, {edtNombre, nombre},
            {edtViaPublica, "MAYOR"}, {edtNumero, "1"}, {edtCodigoPostal, "08001"}, {edtCasilla(1), "1.000,00"},
            {edtCasilla(13), "50,00"}, {edtNúmeroJustificante, impresa ? "8170612345673" : ""},
            {edtFechaImpresión, impresa ? "16/11/2010" : ""}};
        // clang-format on
        for (auto [id, texto] : campos)
            h.hoja.EscribirTexto(id, W(texto));
        h.hoja.EscribirValor(chkFPEfectivo, 1);
        h.hoja.RegistroModificado = true;
        ASSERT_TRUE(h.GuardarDeclaración(false));
    }

    MensajesTolerantes mensajes;
    RelojFijo reloj;
    CarpetaTemporal& carpeta;
    ArchivosPosix archivos;
    frmHoja1 h{mensajes, reloj, carpeta, archivos};
};

// Record -> (image, Windows-1252 text) of each entry.
using Bloques = std::map<int, std::vector<std::pair<int, std::string>>>;

// validar on two threads gives each return what a fresh window's panel shows after opening it.
Bloques ComoLaVentana(CarpetaTemporal& c, FechaHora hoy = {2010, 11, 15}, std::string fecha = "2010-11-15") {
    const Resultado r = Correr({"validar", "--hilos", "2"}, c, fecha);
    EXPECT_EQ(r.estado, 1) << r.error;
    Bloques bloques;
    int actual = 0;
    std::istringstream salida(r.salida);
    for (std::string l; std::getline(salida, l);) {
        if (l.ends_with('\r')) l.pop_back();
        if (l.starts_with("Registro ")) bloques[actual = std::atoi(l.c_str() + 9)];
        const std::string marca = l.size() > 9 && l.starts_with("  ") ? l.substr(2, 5) : "";
        const int imagen = marca == "ERROR" ? 2 : marca == "AVISO" ? 3 : marca == "OK   " ? 1 : 0;
        if (imagen && actual > 0) bloques[actual].emplace_back(imagen, W(l.substr(9)));
    }
    for (const auto& [n, entradas] : bloques) {
        Ventana v(c, hoy);
        EXPECT_TRUE(v.h.AbrirDeclaración(n, n));
        std::vector<std::pair<int, std::string>> panel;
        for (const auto& e : PanelErrores(v.h).Entradas())
            panel.emplace_back(e.imagen, e.texto);
        EXPECT_EQ(entradas, panel) << fecha << ", registro " << n;
    }
    return bloques;
}

// 1 valid, 2 with a warning (a period not in course), 3 with an error (a wrong NIF), 4 deleted, 5 printed, 6
// valid with a comma in its name, 7 with a province the table lacks (the load says so; the empty list is an
// error).
struct Lote : ::testing::Test {
    static void SetUpTestSuite() {
        carpeta = new CarpetaTemporal;
        carpeta->CopiarTablasReales();
        Ventana v(*carpeta);
        v.Guardar("12345678Z", "PEÑA ÁLVAREZ JOSÉ", "3T");
        v.Guardar("11111111H", "RUIZ SOLER ANA", "2T");
        v.Guardar("12345678A", "MARTÍN GIL LUIS", "3T");
        v.Guardar("22222222J", "BORRADA", "3T");
        v.Guardar("33333333P", "IMPRESA SL", "3T", true);
        v.Guardar("44444444A", "LÓPEZ, MARÍA", "3T");
        ASSERT_TRUE(v.h.EliminarDeclaración(4));
        original = LeerArchivo(RutaDeclaraciones(carpeta->Datos()));
        RegistroDeclaración r = RegistroDeclaración::DesdeBytes(original.substr(0, kLongitudRegistro));
        r.Poner(CampoRegistro::NIF, "55555555A");
        r.Poner(CampoRegistro::Provincia, "99");
        carpeta->EscribirDatos(kNombreArchivoDeclaraciones, original += r.Bytes());
    }
    static void TearDownTestSuite() { delete carpeta; }
    void TearDown() override { EXPECT_EQ(LeerArchivo(RutaDeclaraciones(carpeta->Datos())), original); }
    static Resultado Ejecutar(std::vector<std::string> argumentos) { return Correr(argumentos, *carpeta); }

    static inline CarpetaTemporal* carpeta = nullptr;
    static inline std::string original;
};

TEST_F(Lote, EstadoYMensajeDeCadaOrden) {
    // clang-format off
    const std::tuple<std::vector<std::string>, int, bool, const char*> casos[] = { // status, on stderr, text
        {{"validar", "1", "6"}, 0, false, "2 sin errores ni avisos"},
        {{"validar", "3"}, 1, false, "  ERROR  "},
        {{"validar"}, 1, false, "6 declaraciones revisadas: 3 sin errores ni avisos, 1 solo con avisos, 2 con errores"},
        {{"validar", "1", "4"}, 2, true, "Declaraciones.txt, registro 4: la declaración está eliminada"},
        {{"validar", "9"}, 2, true, "Declaraciones.txt, registro 9: no existe (el archivo tiene 7 registros)"},
        {{"contenido", "7"}, 2, true, "no se ha podido leer la declaración entera"}};
    // clang-format on
    for (const auto& [argumentos, estado, enError, texto] : casos) {
        const Resultado r = Ejecutar(argumentos);
        EXPECT_EQ(r.estado, estado) << texto << r.salida << r.error;
        EXPECT_TRUE(Contiene(enError ? r.error : r.salida, texto)) << texto << r.salida << r.error;
    }
}

TEST_F(Lote, ValidarYContenidoDanLoQueDaLaVentana) {
    EXPECT_EQ(ComoLaVentana(*carpeta).size(), 6u);
    EXPECT_EQ(ComoLaVentana(*carpeta, {2011, 2, 15}, "2011-02-15").at(1).front().first, 3); // out of course
    const Resultado uno = Ejecutar({"validar", "--hilos", "1"}),
                    siete = Ejecutar({"validar", "--hilos", "7"});
    EXPECT_TRUE(Contiene(uno.error, "registro 7: Se ha producido un error al leer los datos")) << uno.error;
    EXPECT_EQ(std::tie(siete.estado, siete.salida, siete.error), std::tie(uno.estado, uno.salida, uno.error));
    for (int n : {1, 5}) { // contenido is the window's debug copy
        const Resultado r = Ejecutar({"contenido", std::to_string(n)});
        ASSERT_EQ(r.estado, 0) << r.error;
        Ventana v(*carpeta);
        ASSERT_TRUE(v.h.AbrirDeclaración(n, n));
        ImpresorasGuion impresoras;
        CódigosBarrasPrueba códigos;
        AleatorioSistema aleatorio(1);
        const std::string cadena = ImpresiónDeclaración(v.h.hoja, v.h.errores, v.mensajes, v.reloj, v.carpeta,
                                                        impresoras, códigos, aleatorio, "3.2.2")
                                       .CopiarRegistroImpresión();
        EXPECT_EQ(r.salida, Utf8(cadena) + "\n");
    }
    CarpetaTemporal c; // each stored period gets the window's verdict
    c.CopiarTablasReales();
    Ventana(c).Guardar("12345678Z", "PEÑA", "3T");
    const std::string primera = LeerArchivo(RutaDeclaraciones(c.Datos()));
    std::string bytes;
    for (const char* periodo : {"10", "5", "", "7T", "13", "t4"}) {
        // Each after one whose municipality fixes the administration: the window's focus then is the period.
        RegistroDeclaración r = RegistroDeclaración::DesdeBytes(primera);
        r.Poner(CampoRegistro::Periodo, periodo);
        bytes += primera + std::string(r.Bytes());
    }
    c.EscribirDatos(kNombreArchivoDeclaraciones, bytes);
    const auto bloques = ComoLaVentana(c);
    EXPECT_EQ(bloques.at(2), (std::vector<std::pair<int, std::string>>{{1, W("Declaración sin errores")}}));
    EXPECT_EQ(bloques.at(8).front(), (std::pair<int, std::string>{2, W("1021 Periodo erróneo")}));
}

TEST_F(Lote, BorradoresEnPdfSinSeguirEnlacesNiDejarRestos) {
    const fs::path pdf = carpeta->Programa() / "pdf", uno = pdf / "borrador-00001-12345678Z.pdf";
    const Resultado r = Ejecutar({"borrador", "1", "5", "--pdf", pdf.string()});
    for (const fs::path& f : {uno, pdf / "borrador-00005-33333333P.pdf"})
        EXPECT_TRUE(r.estado == 0 && LeerArchivo(f).starts_with("%PDF") && Contiene(r.salida, f.string()))
            << r.error;
    const fs::path víctima =
        carpeta->Programa() / "victima.txt"; // a link in the draft's place is not followed
    std::ofstream(víctima) << "no se toca";
    fs::remove(uno);
    fs::create_symlink(víctima, uno);
    ASSERT_EQ(Ejecutar({"borrador", "1", "--pdf", pdf.string()}).estado, 0);
    EXPECT_EQ(LeerArchivo(víctima), "no se toca");
    EXPECT_TRUE(!fs::is_symlink(uno) && LeerArchivo(uno).starts_with("%PDF"));
    const fs::path lleno = carpeta->Programa() / "lleno"; // too small for the PDF: nothing left there
    fs::create_directories(lleno);
    DiscoEnMemoria disco(lleno, 16 * 1024);
    if (!disco.Montado()) GTEST_SKIP() << disco.Motivo();
    EXPECT_EQ(Ejecutar({"borrador", "1", "--pdf", lleno.string()}).estado, 2);
    EXPECT_TRUE(fs::is_empty(lleno));
}

// The batch only reads: a record a killed save left half-written is shown as it was, the file that would mend
// it untouched; names from elsewhere are shown escaped, and no CSV cell starts a spreadsheet formula.
TEST(LoteAjenos, SeMuestranSinTocarlosYLoIlegibleTerminaEnSeguida) {
    auto B = [](const char* nif, const char* nombre) {
        return std::string(RegistroGuardado({.nif = nif, .nombre = nombre, .periodo = "3T"}).Bytes());
    };
    CarpetaTemporal c;
    const std::string ruta = RutaDeclaraciones(c.Datos()).string(), viejo = B("11111111H", "VIEJO");
    const std::string roto = B("22222222J", "NUEVO").substr(0, 40) + viejo.substr(40);
    std::string deshacer = "00001" + viejo + B("22222222J", "NUEVO"); // number, old, new, FNV-1a of all that
    std::uint32_t h = 2166136261u;
    for (const char ch : deshacer)
        h = (h ^ static_cast<unsigned char>(ch)) * 16777619u;
    char suma[9];
    std::snprintf(suma, sizeof suma, "%08X", h);
    c.EscribirDatos(std::string(kNombreArchivoDeclaraciones) + kSufijoDeshacer, deshacer += suma);
    const std::string archivo =
        roto + B("-2", "=HIPERVINCULO(\"x\")") + B("@3", "A\x1b[2JB\nX") + B("4", "\tTAB");
    c.EscribirDatos(kNombreArchivoDeclaraciones, archivo);
    Resultado r = Correr({"listar", "--csv"}, c);
    EXPECT_TRUE(r.estado == 0 && Contiene(r.salida, "1,11111111H,VIEJO,") &&
                Contiene(r.salida, "\r\n4,4,'\tTAB,2010") &&
                Contiene(r.salida, "\r\n2,'-2,\"'=HIPERVINCULO(\"\"x\"\")\",2010"))
        << r.salida;
    EXPECT_TRUE(Contiene(r.error, "registro 1: el registro quedó a medio guardar")) << r.error;
    r = Correr({"listar"}, c);
    EXPECT_TRUE(Contiene(r.salida, "A\\x1B[2JB\\x0AX") && !Contiene(r.salida, "\x1b")) << r.salida;
    EXPECT_EQ(LeerArchivo(ruta) + LeerArchivo(ruta + kSufijoDeshacer), archivo + deshacer);

    // An earlier layout is not converted; no file, a fifo or a huge file end at once and without memory.
    const std::string antiguo = " 8172.1.1" + std::string(200, ' ') + "\r\n"; // the shortest earlier layout
    c.EscribirDatos(kNombreArchivoDeclaraciones, antiguo);
    r = Correr({"listar"}, c);
    EXPECT_TRUE(r.estado == 2 && Contiene(r.error, "versión anterior del programa (2.1.1)")) << r.error;
    EXPECT_EQ(LeerArchivo(ruta), antiguo);
    fs::remove(ruta), fs::remove(ruta + kSufijoDeshacer);
    r = Correr({"listar"}, c);
    EXPECT_TRUE(r.estado == 2 && Contiene(r.error, ruta + ": no existe")) << r.error;
    ASSERT_EQ(::mkfifo(ruta.c_str(), 0644), 0);
    r = Correr({"listar"}, c); // a reader that opened the fifo would wait here for ever
    EXPECT_TRUE(r.estado == 2 && Contiene(r.error, "no es un archivo normal")) << r.error;
    fs::remove(ruta);
    c.EscribirDatos(kNombreArchivoDeclaraciones, ArchivoDe({Guardada{}}));
    fs::resize_file(ruta, 2'000'000'000);
    r = Correr({"listar"}, c);
    EXPECT_TRUE(r.estado == 2 && Contiene(r.error, "tiene 2666666 registros, más de los 32767")) << r.error;
    rusage uso{};
    ::getrusage(RUSAGE_CHILDREN, &uso);
    EXPECT_LT(uso.ru_maxrss, 500 * 1024) << "KB"; // far below the gigabytes of reading it whole
}

} // namespace
