// modelo817-lote validar gives one verdict per return, the one the window gives it: the same bytes with any
// number of sheets side by side and in any order, each return's lines those of checking it alone, and every
// stored period judged as the window's panel judges it when the return is opened.
#include "app/Hoja.h"
#include "app/PanelErrores.h"
#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"
#include "support/DeclaracionesVariadas.h"
#include "support/Dobles.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace m817;
using namespace m817::prueba;
namespace fs = std::filesystem;

namespace {

const FechaHora kHoy{2010, 11, 15, 10, 0, 0};
const char* kFecha = "--fecha=2010-11-15";

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

// One run of the real executable on the data file of `datos`, as of 15 November 2010.
Resultado Validar(const CarpetaTemporal& datos, std::vector<std::string> argumentos) {
    std::string orden = Citado(M817_BINARY_DIR "/modelo817-lote") + " validar";
    argumentos.push_back("--datos=" + datos.Datos().string());
    argumentos.push_back(kFecha);
    for (const auto& a : argumentos)
        orden += " " + Citado(a);
    const fs::path salida = datos.Programa() / "salida.txt", error = datos.Programa() / "error.txt";
    orden += " >" + Citado(salida.string()) + " 2>" + Citado(error.string());
    const int r = std::system(orden.c_str());
    Resultado res;
    res.estado = WIFEXITED(r) ? WEXITSTATUS(r) : -1;
    res.salida = LeerArchivo(salida);
    res.error = LeerArchivo(error);
    return res;
}

// The lines of standard output by record ("Registro n: ..." and its entries), and the summary.
struct Salida {
    std::map<int, std::string> bloques;
    std::vector<int> orden;
    std::string resumen;
};
Salida Partir(const std::string& salida) {
    Salida s;
    std::istringstream in(salida);
    int actual = 0;
    for (std::string l; std::getline(in, l);) {
        if (l.starts_with("Registro ")) {
            actual = std::atoi(l.c_str() + 9);
            s.orden.push_back(actual);
        } else if (l.starts_with("Resumen: ")) {
            s.resumen = l;
            actual = 0;
            continue;
        }
        s.bloques[actual] += l + "\n";
    }
    return s;
}

// Standard error by record: every line names its file and record.
std::map<int, std::string> ErroresPorRegistro(const std::string& error, const fs::path& ruta) {
    std::map<int, std::string> m;
    const std::string prefijo = "modelo817-lote: " + ruta.string() + ", registro ";
    std::istringstream in(error);
    int actual = 0;
    for (std::string l; std::getline(in, l);) {
        if (l.starts_with(prefijo)) actual = std::atoi(l.c_str() + prefijo.size());
        m[actual] += l + "\n";
    }
    return m;
}

bool Contiene(const std::string& texto, const std::string& parte) {
    return texto.find(parte) != std::string::npos;
}

class LoteValidar : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        carpeta = new CarpetaTemporal;
        carpeta->EscribirDatos(kNombreArchivoDeclaraciones, ArchivoVariado(kRegistros, 817));
        uno = new Resultado(Validar(*carpeta, {"--hilos", "1"}));
    }
    static void TearDownTestSuite() {
        delete uno;
        delete carpeta;
    }
    static fs::path Ruta() { return RutaDeclaraciones(carpeta->Datos()); }

    static constexpr std::size_t kRegistros = 1000;
    static CarpetaTemporal* carpeta;
    static Resultado* uno; // the whole file on one sheet
};
CarpetaTemporal* LoteValidar::carpeta = nullptr;
Resultado* LoteValidar::uno = nullptr;

TEST_F(LoteValidar, LosMismosBytesConUnoDosYDieciséisHilos) {
    // A few returns have an exercise that is not a number: they cannot be opened, which is status 2.
    ASSERT_EQ(uno->estado, 2) << uno->error;
    const Salida s = Partir(uno->salida);
    ASSERT_EQ(s.orden.size(), kRegistros);
    EXPECT_TRUE(s.resumen.starts_with("Resumen: ")) << s.resumen;
    EXPECT_TRUE(s.resumen.ends_with(" sin abrir.")) << s.resumen;
    for (const char* hilos : {"2", "16"}) {
        const Resultado r = Validar(*carpeta, {"--hilos", hilos});
        EXPECT_EQ(r.estado, uno->estado) << hilos;
        EXPECT_TRUE(r.salida == uno->salida) << hilos << " hilos: la salida difiere";
        EXPECT_TRUE(r.error == uno->error) << hilos << " hilos: la salida de errores difiere";
    }

    // Payment by account with nothing to pay and a bad account is always its error, whatever came before.
    int vistas = 0;
    for (std::size_t i = DeclaracionesPreparadas().size(); i < kRegistros; ++i) {
        if (i % 3 != 0) continue;
        const int n = static_cast<int>(i) + 1;
        EXPECT_TRUE(Contiene(s.bloques.at(n), "  ERROR  4030 Código Cuenta Cliente erróneo\n"))
            << s.bloques.at(n);
        ++vistas;
    }
    EXPECT_GT(vistas, 300);
}

TEST_F(LoteValidar, EnCualquierOrdenCadaRegistroDiceLoMismo) {
    std::vector<int> números;
    for (std::size_t n = 1; n <= kRegistros; ++n)
        números.push_back(static_cast<int>(n));
    std::shuffle(números.begin(), números.end(), std::mt19937(12));
    std::vector<std::string> argumentos = {"--hilos", "16"};
    for (int n : números)
        argumentos.push_back(std::to_string(n));
    const Resultado r = Validar(*carpeta, argumentos);
    EXPECT_EQ(r.estado, uno->estado);

    const Salida en = Partir(r.salida), todo = Partir(uno->salida);
    EXPECT_EQ(en.orden, números);
    EXPECT_EQ(en.resumen, todo.resumen);
    const auto errores = ErroresPorRegistro(r.error, Ruta()),
               erroresTodo = ErroresPorRegistro(uno->error, Ruta());
    for (int n : números) {
        EXPECT_EQ(en.bloques.at(n), todo.bloques.at(n)) << "registro " << n;
        EXPECT_EQ(errores.contains(n) ? errores.at(n) : "", erroresTodo.contains(n) ? erroresTodo.at(n) : "")
            << "registro " << n;
    }
}

TEST_F(LoteValidar, CadaRegistroDiceLoQueDiceSolo) {
    // "validar N" for the prepared records and a spread of the random ones (a process each costs a Qt start),
    // a few processes at a time, each into files of its own.
    const fs::path solos = carpeta->Programa() / "solos";
    fs::create_directories(solos);
    std::vector<std::size_t> muestra;
    for (std::size_t n = 1; n <= kRegistros; ++n)
        if (n <= DeclaracionesPreparadas().size() || n % 23 == 0) muestra.push_back(n);
    std::string números;
    for (std::size_t n : muestra) números += std::to_string(n) + " ";
    const std::string destino = Citado(solos.string()) + "/{}";
    const std::string orden = "printf '%s\\n' " + números + "| xargs -P 4 -I {} sh -c " +
                              Citado(Citado(M817_BINARY_DIR "/modelo817-lote") + " validar {} --datos=" +
                                     Citado(carpeta->Datos().string()) + " " + kFecha + " >" + destino +
                                     ".salida 2>" + destino + ".error; echo $? >" + destino + ".estado");
    ASSERT_EQ(std::system(orden.c_str()), 0);

    const Salida todo = Partir(uno->salida);
    const auto erroresTodo = ErroresPorRegistro(uno->error, Ruta());
    for (std::size_t n : muestra) {
        const int registro = static_cast<int>(n);
        const std::string base = (solos / std::to_string(n)).string();
        const Salida s = Partir(LeerArchivo(base + ".salida"));
        ASSERT_EQ(s.orden, std::vector<int>{registro}) << LeerArchivo(base + ".error");
        EXPECT_EQ(s.bloques.at(registro), todo.bloques.at(registro)) << "registro " << n;
        // Its status says what its lines say: an entry ERROR is 1, a return that does not open 2.
        const std::string& b = s.bloques.at(registro);
        const int estado = Contiene(b, "No se ha podido abrir") ? 2 : Contiene(b, "  ERROR  ") ? 1 : 0;
        EXPECT_EQ(LeerArchivo(base + ".estado"), std::to_string(estado) + "\n") << "registro " << n;
        const auto errores = ErroresPorRegistro(LeerArchivo(base + ".error"), Ruta());
        EXPECT_EQ(errores.contains(registro) ? errores.at(registro) : "",
                  erroresTodo.contains(registro) ? erroresTodo.at(registro) : "")
            << "registro " << n;
    }
}

// The window: a program started for the return, its error panel after opening it.
std::string PanelDeLaVentana(CarpetaTemporal& c, int n, std::vector<std::string>& mensajes) {
    MensajesTolerantes m;
    RelojFijo reloj(kHoy);
    ArchivosPosix archivos;
    frmHoja1 h(m, reloj, c, archivos);
    h.Form_Load();
    if (!h.AbrirDeclaración(n, n)) return "(no se abre)";
    std::string s;
    for (const auto& e : PanelErrores(h).Entradas()) {
        const char* marca = e.imagen == ListaErrores::kImagenError   ? "ERROR"
                            : e.imagen == ListaErrores::kImagenAviso ? "AVISO"
                                                                     : "OK   ";
        s += std::string("  ") + marca + "  " + Utf8(e.texto) + "\n";
    }
    for (const auto& msg : m.mostrados)
        mensajes.push_back(Utf8(msg.texto));
    return s;
}

TEST(LoteValidarPeriodos, CadaPeriodoGuardadoRecibeElVeredictoDeLaVentana) {
    CarpetaTemporal c;
    c.CopiarTablasReales();
    const char* periodos[] = {"1T", "2T", "3T", "4T", "01", "05", "09", "10", "11", "12",
                              "5",  "3",  "",   "13", "7T", "0T", "1A", "00", "T",  "t4"};
    std::string bytes;
    for (const char* periodo : periodos) {
        // Each after one whose administration is fixed by its municipality: the window's focus then moves
        // on to the period.
        RegistroDeclaración r = DeclaracionesPreparadas().front();
        bytes += r.Bytes();
        r.Poner(CampoRegistro::Periodo, periodo);
        bytes += r.Bytes();
    }
    c.EscribirDatos(kNombreArchivoDeclaraciones, bytes);

    for (const char* hilos : {"1", "2"}) {
        const Resultado r = Validar(c, {"--hilos", hilos});
        EXPECT_FALSE(Contiene(r.error, "Período erróneo")) << r.error;
        const Salida s = Partir(r.salida);
        const auto errores = ErroresPorRegistro(r.error, RutaDeclaraciones(c.Datos()));
        for (std::size_t i = 0; i < std::size(periodos); ++i) {
            const int n = static_cast<int>(2 * i + 2);
            std::vector<std::string> mensajes;
            const std::string panel = PanelDeLaVentana(c, n, mensajes);
            const std::string& bloque = s.bloques.at(n);
            EXPECT_EQ(bloque.substr(bloque.find('\n') + 1), panel) << "periodo «" << periodos[i] << "»";
            const std::string propios = errores.contains(n) ? errores.at(n) : "";
            for (const std::string& m : mensajes)
                EXPECT_TRUE(Contiene(propios, m.substr(0, 40))) << propios;
            if (mensajes.empty()) {
                EXPECT_EQ(propios, "") << "periodo «" << periodos[i] << "»";
            }
        }
        EXPECT_TRUE(Contiene(s.bloques.at(16), "  OK     Declaración sin errores\n"))
            << s.bloques.at(16); // "10"
        EXPECT_TRUE(Contiene(s.bloques.at(30), "  ERROR  1021 Periodo erróneo\n"))
            << s.bloques.at(30); // "7T"
    }
}

} // namespace
