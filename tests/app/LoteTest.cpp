// modelo817-lote run as the user runs it: its lines, its exit statuses, the data file left byte for byte as
// it was, its verdicts against the window's own, and files that come from elsewhere.
#include "app/Hoja.h"
#include "app/PanelErrores.h"
#include "model/Listas.h"
#include "platform/Aleatorio.h"
#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "print/Impresion.h"
#include "store/ArchivoDeclaraciones.h"
#include "support/DiscoEnMemoria.h"
#include "support/Dobles.h"
#include "support/ImpresorasGuion.h"
#include "support/Registros.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;
namespace fs = std::filesystem;

namespace {

const FechaHora kHoy{2010, 11, 15, 10, 0, 0};

struct Resultado {
    int estado = -1;
    std::string salida, error; // UTF-8
};

std::string Citado(const std::string& s) {
    std::string c = "'";
    for (char ch : s)
        c += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return c + "'";
}

// One run of the real executable on the data file of `c`.
Resultado Correr(std::vector<std::string> argumentos, const CarpetaTemporal& c,
                 const std::string& fecha = "2010-11-15") {
    argumentos.insert(argumentos.end(), {"--datos=" + c.Datos().string(), "--fecha=" + fecha});
    std::string orden = Citado(M817_BINARY_DIR "/modelo817-lote");
    for (const auto& a : argumentos)
        orden += " " + Citado(a);
    const fs::path salida = c.Programa() / "salida.txt", error = c.Programa() / "error.txt";
    orden += " >" + Citado(salida.string()) + " 2>" + Citado(error.string());
    const int r = std::system(orden.c_str());
    return {WIFEXITED(r) ? WEXITSTATUS(r) : -1, LeerArchivo(salida), LeerArchivo(error)};
}

bool Contiene(const std::string& texto, const std::string& parte) {
    return texto.find(parte) != std::string::npos;
}

std::vector<std::string> Líneas(const std::string& texto) {
    std::vector<std::string> v;
    std::istringstream s(texto);
    for (std::string l; std::getline(s, l);) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        v.push_back(l);
    }
    return v;
}

// A sheet over the real reference tables, as the window loads it; its questions are all answered Yes.
struct Ventana {
    explicit Ventana(CarpetaTemporal& c, FechaHora hoy = kHoy) : reloj(hoy), carpeta(c) {
        mensajes.respuesta = Respuesta::Sí;
        h.Form_Load();
    }
    void Poner(IdCampo id, std::string_view utf8) { h.hoja.EscribirTexto(id, W(utf8)); }
    void Elegir(IdCampo lista, std::string_view código) {
        SeleccionarCódigoCombo(h.hoja, lista, código, ListaAlfabética(lista));
        bool cancelar = false;
        h.ValidarCampos(Definición(lista).nombre, -1, cancelar);
    }
    // Saved as a user fills it in: a payment in cash from Barcelona.
    void Guardar(const char* nif, const char* nombre, const char* periodo, bool impresa = false) {
        ASSERT_TRUE(h.NuevaDeclaración());
        Elegir(cmbProvincia, "8");
        Elegir(cmbMunicipio, "8019");
        Elegir(cmbSigla, "CL");
        const std::pair<IdCampo, const char*> campos[] = {{cmbPeriodo, periodo},
                                                          {edtNIF, nif},
                                                          {edtNombre, nombre},
                                                          {edtViaPublica, "MAYOR"},
                                                          {edtNumero, "1"},
                                                          {edtCodigoPostal, "08001"},
                                                          {edtCasilla(1), "1.000,00"},
                                                          {edtCasilla(13), "50,00"}};
        for (auto [id, texto] : campos)
            Poner(id, texto);
        h.hoja.EscribirValor(chkFPEfectivo, 1);
        if (impresa) {
            Poner(edtNúmeroJustificante, "8170612345673");
            Poner(edtFechaImpresión, "16/11/2010");
        }
        h.hoja.RegistroModificado = true;
        ASSERT_TRUE(h.GuardarDeclaración(false));
    }

    MensajesTolerantes mensajes;
    RelojFijo reloj;
    CarpetaTemporal& carpeta;
    ArchivosPosix archivos;
    frmHoja1 h{mensajes, reloj, carpeta, archivos};
};

// validar's blocks: record number -> (image, text in Windows-1252) of each entry line.
std::map<int, std::vector<std::pair<int, std::string>>> Bloques(const std::string& salida) {
    std::map<int, std::vector<std::pair<int, std::string>>> b;
    int actual = 0;
    for (const std::string& l : Líneas(salida)) {
        if (l.starts_with("Registro ")) {
            actual = std::atoi(l.c_str() + 9);
            b[actual];
        } else if (l.starts_with("  ") && actual > 0) {
            const std::string marca = l.substr(2, 5);
            const int imagen = marca == "ERROR" ? 2 : marca == "AVISO" ? 3 : marca == "OK   " ? 1 : 0;
            b[actual].emplace_back(imagen, W(l.substr(9)));
        }
    }
    return b;
}

// validar on two sheets side by side gives each return what a fresh window's panel shows after opening it,
// and the messages of its load on standard error after the file and record.
std::map<int, std::vector<std::pair<int, std::string>>> ComoLaVentana(CarpetaTemporal& c, FechaHora hoy,
                                                                      const std::string& fecha) {
    const Resultado r = Correr({"validar", "--hilos", "2"}, c, fecha);
    EXPECT_EQ(r.estado, 1) << r.error;
    const auto bloques = Bloques(r.salida);
    for (const auto& [n, entradas] : bloques) {
        Ventana v(c, hoy);
        v.mensajes.mostrados.clear();
        EXPECT_TRUE(v.h.AbrirDeclaración(n, n));
        std::vector<std::pair<int, std::string>> panel;
        for (const auto& e : PanelErrores(v.h).Entradas())
            panel.emplace_back(e.imagen, e.texto);
        EXPECT_EQ(entradas, panel) << fecha << ", registro " << n;
        const std::string prefijo = "modelo817-lote: " + RutaDeclaraciones(c.Datos()).string() +
                                    ", registro " + std::to_string(n) + ": ";
        std::size_t propias = 0;
        for (const std::string& l : Líneas(r.error))
            propias += l.starts_with(prefijo);
        EXPECT_EQ(propias, v.mensajes.mostrados.size()) << r.error;
        for (const Mensaje& m : v.mensajes.mostrados) {
            std::string texto = Utf8(m.texto);
            for (auto i = texto.find("\r\n"); i != std::string::npos; i = texto.find("\r\n", i))
                texto.replace(i, 2, "\n");
            EXPECT_TRUE(Contiene(r.error, prefijo + texto + "\n")) << r.error;
        }
    }
    return bloques;
}

// The file most tests share: 1 valid, 2 with a warning (a period other than the one in course), 3 with an
// error (a wrong NIF), 4 deleted, 5 printed, 6 valid with a comma in its name, 7 with a province the table
// does not hold (the load tells the user, and the empty list is an error).
class Lote : public ::testing::Test {
  protected:
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
        original = LeerArchivo(Ruta());
        RegistroDeclaración r = RegistroDeclaración::DesdeBytes(original.substr(0, kLongitudRegistro));
        r.Poner(CampoRegistro::NIF, "55555555A");
        r.Poner(CampoRegistro::Provincia, "99");
        original += r.Bytes();
        carpeta->EscribirDatos(kNombreArchivoDeclaraciones, original);
    }
    static void TearDownTestSuite() { delete carpeta; }
    void TearDown() override {
        EXPECT_EQ(LeerArchivo(Ruta()), original) << "el archivo de datos ha cambiado";
    }

    static fs::path Ruta() { return RutaDeclaraciones(carpeta->Datos()); }
    static Resultado Ejecutar(std::vector<std::string> argumentos) { return Correr(argumentos, *carpeta); }

    static inline CarpetaTemporal* carpeta = nullptr;
    static inline std::string original;
};

TEST_F(Lote, ListarEnColumnasYEnCSV) {
    Resultado r = Ejecutar({"listar"});
    ASSERT_EQ(r.estado, 0) << r.error;
    auto l = Líneas(r.salida);
    ASSERT_EQ(l.size(), 7u) << r.salida;
    EXPECT_TRUE(l[0].starts_with("Registro  N.I.F.     Apellidos y Nombre")) << l[0];
    EXPECT_TRUE(l[1].starts_with("       1  12345678Z  PEÑA ÁLVAREZ JOSÉ  ")) << l[1];
    EXPECT_TRUE(l[1].ends_with("  2010       3T")) << l[1];
    EXPECT_TRUE(l[4].starts_with("       5  33333333P")) << l[4];
    EXPECT_TRUE(l[4].ends_with("Emitida    8170612345673")) << l[4];

    r = Ejecutar({"listar", "--csv"});
    ASSERT_EQ(r.estado, 0) << r.error;
    l = Líneas(r.salida);
    ASSERT_EQ(l.size(), 7u);
    EXPECT_EQ(l[0], "Registro,NIF,Nombre,Ejercicio,Periodo,Complementaria,Impresión,Justificante");
    EXPECT_EQ(l[1], "1,12345678Z,PEÑA ÁLVAREZ JOSÉ,2010,3T,,,");
    EXPECT_EQ(l[4], "5,33333333P,IMPRESA SL,2010,3T,,Emitida,8170612345673");
    EXPECT_EQ(l[5], "6,44444444A,\"LÓPEZ, MARÍA\",2010,3T,,,");
    EXPECT_TRUE(r.salida.ends_with("\r\n"));
}

TEST_F(Lote, EstadoYMensajeDeCadaOrden) {
    struct Caso {
        std::vector<std::string> argumentos;
        int estado;
        bool enError;      // the text is on standard error, else on standard output
        const char* texto; // UTF-8
    };
    const Caso casos[] = {
        {{"validar", "1", "6"}, 0, false, "2 sin errores ni avisos"},
        {{"validar", "2"}, 0, false, "  AVISO  "},
        {{"validar", "3"}, 1, false, "  ERROR  "},
        {{"validar"},
         1,
         false,
         "6 declaraciones revisadas: 3 sin errores ni avisos, 1 solo con avisos, 2 con errores"},
        {{"validar", "5-6"}, 0, false, "Resumen: 2 declaraciones revisadas"},
        {{"validar", "1", "4"}, 2, true, "Declaraciones.txt, registro 4: la declaración está eliminada"},
        {{"validar", "9"},
         2,
         true,
         "Declaraciones.txt, registro 9: no existe (el archivo tiene 7 registros)"},
        {{"validar", "x"}, 2, true, "número de registro no válido: «x»"},
        {{}, 2, true, "falta la orden"},
        {{"validar", "--csv"}, 2, true, "--csv solo sirve con listar"},
        {{"--help"}, 0, false, "contenido N"},
        {{"contenido", "7"}, 2, true, "no se ha podido leer la declaración entera"}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        const Resultado r = Ejecutar(c.argumentos);
        EXPECT_EQ(r.estado, c.estado) << r.salida << r.error;
        EXPECT_TRUE(Contiene(c.enError ? r.error : r.salida, c.texto)) << r.salida << r.error;
        if (c.argumentos.size() == 2 && c.argumentos[0] == "contenido") {
            EXPECT_EQ(r.salida, "");
        }
    }
}

TEST_F(Lote, ValidarMuestraLoQueElPanelMuestraTrasAbrir) {
    const auto bloques = ComoLaVentana(*carpeta, kHoy, "2010-11-15");
    ASSERT_EQ(bloques.size(), 6u);
    EXPECT_EQ(bloques.at(1).front().first, 1);
    // A year later every period is out of course: the date reaches the rules.
    EXPECT_EQ(ComoLaVentana(*carpeta, {2011, 2, 15}, "2011-02-15").at(1).front().first, 3);
}

TEST_F(Lote, LaSalidaNoDependeDeLosHilos) {
    const Resultado uno = Ejecutar({"validar", "--hilos", "1"});
    EXPECT_TRUE(Contiene(uno.error, "registro 7: Se ha producido un error al leer los datos")) << uno.error;
    for (const char* hilos : {"3", "7"}) {
        const Resultado varios = Ejecutar({"validar", "--hilos", hilos});
        EXPECT_EQ(varios.estado, uno.estado);
        EXPECT_EQ(varios.salida, uno.salida) << hilos;
        EXPECT_EQ(varios.error, uno.error) << hilos;
    }
}

TEST_F(Lote, ContenidoEsLaCadenaDeLaCopiaDeDepuración) {
    for (int n : {1, 5}) {
        const Resultado r = Ejecutar({"contenido", std::to_string(n)});
        ASSERT_EQ(r.estado, 0) << r.error;
        Ventana v(*carpeta);
        ASSERT_TRUE(v.h.AbrirDeclaración(n, n));
        ImpresorasGuion impresoras;
        CódigosBarrasPrueba códigos;
        AleatorioSistema aleatorio(1);
        ImpresiónDeclaración impresión(v.h.hoja, v.h.errores, v.mensajes, v.reloj, v.carpeta, impresoras,
                                       códigos, aleatorio, "3.2.2");
        const std::string cadena = impresión.CopiarRegistroImpresion();
        ASSERT_EQ(cadena.size(), 729u);
        EXPECT_EQ(r.salida, Utf8(cadena) + "\n");
    }
}

TEST_F(Lote, BorradoresEnPdf) {
    const fs::path pdf = carpeta->Programa() / "pdf";
    struct Caso {
        std::vector<std::string> argumentos;
        int estado;
        std::vector<std::string> archivos;
        const char* enError;
    };
    const Caso casos[] = {
        {{"borrador", "1", "5"}, 0, {"borrador-00001-12345678Z.pdf", "borrador-00005-33333333P.pdf"}, ""},
        // Nobody answers the print's question about the warnings: no draft.
        {{"borrador", "2"}, 1, {}, "¿Continuar con la impresión?\n"},
        {{"borrador", "2", "--aceptar-avisos"}, 0, {"borrador-00002-11111111H.pdf"}, "respondida «Sí»"},
        {{"borrador", "3", "1"},
         1,
         {"borrador-00001-12345678Z.pdf"},
         "registro 3: Corrija los errores de la declaración antes de imprimir"}};
    for (const Caso& c : casos) {
        fs::remove_all(pdf);
        auto argumentos = c.argumentos;
        argumentos.insert(argumentos.end(), {"--pdf", pdf.string()});
        const Resultado r = Ejecutar(argumentos);
        EXPECT_EQ(r.estado, c.estado) << argumentos[1] << r.error;
        EXPECT_TRUE(Contiene(r.error, c.enError)) << r.error;
        std::vector<std::string> escritos;
        for (const auto& e : fs::directory_iterator(pdf)) {
            escritos.push_back(e.path().filename().string());
            EXPECT_TRUE(LeerArchivo(e.path()).starts_with("%PDF")) << e.path();
            EXPECT_TRUE(Contiene(r.salida, e.path().string())) << r.salida;
        }
        std::sort(escritos.begin(), escritos.end());
        EXPECT_EQ(escritos, c.archivos) << r.error;
    }

    // A link in the draft's place is replaced, not followed.
    fs::remove_all(pdf);
    fs::create_directories(pdf);
    const fs::path víctima = carpeta->Programa() / "victima.txt",
                   destino = pdf / "borrador-00001-12345678Z.pdf";
    std::ofstream(víctima) << "no se toca";
    fs::create_symlink(víctima, destino);
    ASSERT_EQ(Ejecutar({"borrador", "1", "--pdf", pdf.string()}).estado, 0);
    EXPECT_EQ(LeerArchivo(víctima), "no se toca");
    EXPECT_FALSE(fs::is_symlink(destino));
    EXPECT_TRUE(LeerArchivo(destino).starts_with("%PDF"));

    // A disk too small for the PDF: nothing under its name, no temporary file left.
    const fs::path lleno = carpeta->Programa() / "lleno";
    fs::create_directories(lleno);
    DiscoEnMemoria disco(lleno, 16 * 1024);
    if (!disco.Montado()) GTEST_SKIP() << disco.Motivo();
    EXPECT_EQ(Ejecutar({"borrador", "1", "--pdf", lleno.string()}).estado, 2);
    EXPECT_TRUE(fs::is_empty(lleno));
}

TEST(LoteValidarPeriodos, CadaPeriodoGuardadoRecibeElVeredictoDeLaVentana) {
    CarpetaTemporal c;
    c.CopiarTablasReales();
    Ventana(c).Guardar("12345678Z", "PEÑA", "3T");
    const std::string primera = LeerArchivo(RutaDeclaraciones(c.Datos()));
    const char* periodos[] = {"10", "5", "", "7T", "13", "t4"};
    std::string bytes;
    for (const char* periodo : periodos) {
        // Each after one whose administration is fixed by its municipality: the window's focus then moves
        // on to the period.
        RegistroDeclaración r = RegistroDeclaración::DesdeBytes(primera);
        r.Poner(CampoRegistro::Periodo, periodo);
        bytes += primera + std::string(r.Bytes());
    }
    c.EscribirDatos(kNombreArchivoDeclaraciones, bytes);
    const auto bloques = ComoLaVentana(c, kHoy, "2010-11-15");
    EXPECT_EQ(bloques.at(2), (std::vector<std::pair<int, std::string>>{{1, W("Declaración sin errores")}}));
    EXPECT_EQ(bloques.at(8).front(), (std::pair<int, std::string>{2, W("1021 Periodo erróneo")}));
}

// Names from elsewhere are shown escaped, and no CSV cell starts a spreadsheet formula.
TEST(LoteAjenos, LosCaracteresDeControlSeEscapanYLasFórmulasSeNeutralizan) {
    auto B = [](const char* nif, const char* nombre) {
        return std::string(RegistroGuardado({.nif = nif, .nombre = nombre, .periodo = "3T"}).Bytes());
    };
    CarpetaTemporal c;
    c.EscribirDatos(kNombreArchivoDeclaraciones, B("11111111H", "A\x1b[2JB\nX") +
                                                     B("-2", "=HIPERVINCULO(\"x\")") + B("@3", "+SUMA") +
                                                     B("4", "\tTAB"));
    Resultado r = Correr({"listar"}, c);
    EXPECT_EQ(r.estado, 0) << r.error;
    EXPECT_TRUE(Contiene(r.salida, "A\\x1B[2JB\\x0AX")) << r.salida;
    EXPECT_FALSE(Contiene(r.salida, "\x1b")) << r.salida;
    EXPECT_TRUE(Contiene(r.salida, "\\x09TAB")) << r.salida;
    r = Correr({"listar", "--csv"}, c);
    EXPECT_TRUE(Contiene(r.salida, "\r\n2,'-2,\"'=HIPERVINCULO(\"\"x\"\")\",2010")) << r.salida;
    EXPECT_TRUE(Contiene(r.salida, "\r\n3,'@3,'+SUMA,2010")) << r.salida;
    EXPECT_TRUE(Contiene(r.salida, "\r\n4,4,'\tTAB,2010")) << r.salida;
}

// The batch only reads: a record a killed save left half-written is shown as it was, and neither the data
// file nor the side file that would mend it is touched.
TEST(LoteAjenos, UnRegistroAMedioGuardarSeMuestraComoEraSinEscribirNada) {
    CarpetaTemporal c;
    const std::string viejo(RegistroGuardado({.nif = "11111111H", .nombre = "VIEJO"}).Bytes()),
        nuevo(RegistroGuardado({.nif = "22222222J", .nombre = "NUEVO"}).Bytes());
    const std::string roto = nuevo.substr(0, 40) + viejo.substr(40);
    std::string deshacer = "00001" + viejo + nuevo; // record number, old and new bytes, FNV-1a of all that
    std::uint32_t h = 2166136261u;
    for (const char ch : deshacer)
        h = (h ^ static_cast<unsigned char>(ch)) * 16777619u;
    char suma[9];
    std::snprintf(suma, sizeof suma, "%08X", h);
    deshacer += suma;
    c.EscribirDatos(kNombreArchivoDeclaraciones, roto);
    c.EscribirDatos(std::string(kNombreArchivoDeclaraciones) + kSufijoDeshacer, deshacer);
    const Resultado r = Correr({"listar", "--csv"}, c);
    EXPECT_EQ(r.estado, 0) << r.error;
    EXPECT_TRUE(Contiene(r.salida, "1,11111111H,VIEJO,")) << r.salida;
    EXPECT_TRUE(Contiene(r.error, "registro 1: el registro quedó a medio guardar")) << r.error;
    EXPECT_EQ(LeerArchivo(RutaDeclaraciones(c.Datos())), roto);
    EXPECT_EQ(LeerArchivo(c.Datos() / (std::string(kNombreArchivoDeclaraciones) + kSufijoDeshacer)),
              deshacer);
}

TEST(LoteAjenos, UnArchivoDeUnaVersiónAnteriorNoSeConvierte) {
    CarpetaTemporal c;
    const std::string antiguo = " 8172.1.1" + std::string(200, ' ') + "\r\n"; // the shortest earlier layout
    c.EscribirDatos(kNombreArchivoDeclaraciones, antiguo);
    const Resultado r = Correr({"listar"}, c);
    EXPECT_EQ(r.estado, 2);
    EXPECT_TRUE(Contiene(r.error, "versión anterior del programa (2.1.1)")) << r.error;
    EXPECT_EQ(LeerArchivo(RutaDeclaraciones(c.Datos())), antiguo);
}

TEST(LoteAjenos, SinArchivoUnaFifoOUnArchivoEnormeTerminanEnSeguidaYSinMemoria) {
    CarpetaTemporal c;
    const std::string ruta = RutaDeclaraciones(c.Datos()).string();
    Resultado r = Correr({"listar"}, c);
    EXPECT_EQ(r.estado, 2);
    EXPECT_TRUE(Contiene(r.error, ruta + ": no existe")) << r.error;

    ASSERT_EQ(::mkfifo(ruta.c_str(), 0644), 0);
    r = Correr({"listar"}, c); // a reader that opened the fifo would wait here for ever
    EXPECT_EQ(r.estado, 2);
    EXPECT_TRUE(Contiene(r.error, "no es un archivo normal")) << r.error;

    fs::remove(ruta);
    c.EscribirDatos(kNombreArchivoDeclaraciones, ArchivoDe({Guardada{}}));
    fs::resize_file(ruta, 2'000'000'000);
    r = Correr({"listar"}, c);
    EXPECT_EQ(r.estado, 2);
    EXPECT_TRUE(Contiene(r.error, "tiene 2666666 registros, más de los 32767")) << r.error;
    rusage uso{};
    ::getrusage(RUSAGE_CHILDREN, &uso);
    EXPECT_LT(uso.ru_maxrss, 500 * 1024) << "KB"; // far below the gigabytes of reading it whole
}

} // namespace
