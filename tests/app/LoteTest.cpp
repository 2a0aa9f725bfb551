// modelo817-lote run as the user runs it, on a data file of a few returns saved through the sheet: its lines,
// its exit statuses, the data file left byte for byte as it was, and its checks against the window's own.
#include "app/Hoja.h"
#include "app/PanelErrores.h"
#include "model/Listas.h"
#include "platform/Aleatorio.h"
#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "print/Impresion.h"
#include "store/ArchivoDeclaraciones.h"
#include "support/Dobles.h"
#include "support/ImpresorasGuion.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;
namespace fs = std::filesystem;

namespace {

const FechaHora kHoy{2010, 11, 15, 10, 0, 0};
const char* kFecha = "--fecha=2010-11-15";

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
    // The entries the error panel lists.
    std::vector<std::pair<int, std::string>> Panel() {
        std::vector<std::pair<int, std::string>> v;
        for (const auto& e : PanelErrores(h).Entradas())
            v.emplace_back(e.imagen, e.texto);
        return v;
    }

    MensajesTolerantes mensajes;
    RelojFijo reloj;
    CarpetaTemporal& carpeta;
    ArchivosPosix archivos;
    frmHoja1 h{mensajes, reloj, carpeta, archivos};
};

struct Declaración {
    const char* nif;
    const char* nombre; // UTF-8
    const char* periodo;
    bool impresa = false;
};

// Saved as a user fills it in: a payment in cash from Barcelona.
void Guardar(Ventana& v, const Declaración& d) {
    ASSERT_TRUE(v.h.NuevaDeclaración());
    v.Elegir(cmbProvincia, "8");
    v.Elegir(cmbMunicipio, "8019");
    v.Poner(cmbPeriodo, d.periodo);
    v.Poner(edtNIF, d.nif);
    v.Poner(edtNombre, d.nombre);
    v.Elegir(cmbSigla, "CL");
    v.Poner(edtViaPublica, "MAYOR");
    v.Poner(edtNumero, "1");
    v.Poner(edtCodigoPostal, "08001");
    v.Poner(edtCasilla(1), "1.000,00");
    v.Poner(edtCasilla(13), "50,00");
    v.h.hoja.EscribirValor(chkFPEfectivo, 1);
    if (d.impresa) {
        v.Poner(edtNúmeroJustificante, "8170612345673");
        v.Poner(edtFechaImpresión, "16/11/2010");
    }
    v.h.hoja.RegistroModificado = true;
    ASSERT_TRUE(v.h.GuardarDeclaración(false));
}

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

// One run of the real executable.
Resultado CorrerLote(const std::vector<std::string>& argumentos, const fs::path& trabajo) {
    std::string orden = Citado(M817_BINARY_DIR "/modelo817-lote");
    for (const auto& a : argumentos)
        orden += " " + Citado(a);
    const fs::path salida = trabajo / "salida.txt", error = trabajo / "error.txt";
    orden += " >" + Citado(salida.string()) + " 2>" + Citado(error.string());
    const int r = std::system(orden.c_str());
    Resultado res;
    res.estado = WIFEXITED(r) ? WEXITSTATUS(r) : -1;
    res.salida = LeerArchivo(salida);
    res.error = LeerArchivo(error);
    return res;
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

std::string Sustituir(std::string s, const std::string& qué, const std::string& por) {
    for (auto i = s.find(qué); i != std::string::npos; i = s.find(qué, i + por.size()))
        s.replace(i, qué.size(), por);
    return s;
}

bool Contiene(const std::string& texto, const std::string& parte) {
    return texto.find(parte) != std::string::npos;
}

// The file all tests share: 1 valid, 2 with a warning (a period other than the one in course), 3 with an
// error (a wrong NIF), 4 deleted, 5 printed, 6 valid with a comma in its name, 7 with a province the table
// does not hold (the load tells the user, and the empty list is an error).
class Lote : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        carpeta = new CarpetaTemporal;
        carpeta->CopiarTablasReales();
        Ventana v(*carpeta);
        const Declaración declaraciones[] = {
            {"12345678Z", "PEÑA ÁLVAREZ JOSÉ", "3T"}, {"11111111H", "RUIZ SOLER ANA", "2T"},
            {"12345678A", "MARTÍN GIL LUIS", "3T"},   {"22222222J", "BORRADA", "3T"},
            {"33333333P", "IMPRESA SL", "3T", true},  {"44444444A", "LÓPEZ, MARÍA", "3T"},
        };
        for (const auto& d : declaraciones)
            Guardar(v, d);
        ASSERT_TRUE(v.h.EliminarDeclaración(4));
        original = LeerArchivo(Ruta());
        RegistroDeclaración r = RegistroDeclaración::DesdeBytes(original.substr(0, kLongitudRegistro));
        r.Poner(CampoRegistro::NIF, "55555555A"); // wrong too: the second wrong NIF in a row
        r.Poner(CampoRegistro::Provincia, "99");
        original += r.Bytes();
        carpeta->EscribirDatos(kNombreArchivoDeclaraciones, original);
    }
    static void TearDownTestSuite() {
        delete carpeta;
        carpeta = nullptr;
    }
    void TearDown() override {
        EXPECT_EQ(LeerArchivo(Ruta()), original) << "el archivo de datos ha cambiado";
    }

    static fs::path Ruta() { return RutaDeclaraciones(carpeta->Datos()); }
    // The command with the test file and date.
    static Resultado Ejecutar(std::vector<std::string> argumentos) {
        argumentos.push_back("--datos=" + carpeta->Datos().string());
        argumentos.push_back(kFecha);
        return CorrerLote(argumentos, carpeta->Programa());
    }

    static CarpetaTemporal* carpeta;
    static std::string original;
};
CarpetaTemporal* Lote::carpeta = nullptr;
std::string Lote::original;

TEST_F(Lote, ElArchivoDePruebaTieneLoQueDice) {
    ASSERT_EQ(original.size(), 7 * kLongitudRegistro);
    for (int n = 1; n <= 7; ++n) {
        if (n == 4) continue;
        Ventana v(*carpeta);
        ASSERT_TRUE(v.h.AbrirDeclaración(n, n)) << n;
        const bool errores = v.h.errores.HayErrores(), avisos = v.h.errores.HayAvisos();
        EXPECT_EQ(errores, n == 3 || n == 7) << n;
        EXPECT_EQ(avisos, n == 2) << n;
    }
    EXPECT_EQ(original[3 * kLongitudRegistro], '*');
}

TEST_F(Lote, ListarUnaLíneaPorDeclaraciónViva) {
    const Resultado r = Ejecutar({"listar"});
    ASSERT_EQ(r.estado, 0) << r.error;
    const auto l = Líneas(r.salida);
    ASSERT_EQ(l.size(), 7u) << r.salida;
    EXPECT_TRUE(l[0].starts_with("Registro  N.I.F.     Apellidos y Nombre")) << l[0];
    EXPECT_TRUE(l[1].starts_with("       1  12345678Z  PEÑA ÁLVAREZ JOSÉ  ")) << l[1];
    EXPECT_TRUE(Contiene(l[1], "  2010       3T")) << l[1];
    EXPECT_FALSE(Contiene(r.salida, "BORRADA"));
    EXPECT_TRUE(l[4].starts_with("       5  33333333P")) << l[4];
    EXPECT_TRUE(l[4].ends_with("Emitida    8170612345673")) << l[4];
    EXPECT_TRUE(l[1].ends_with("3T")) << l[1];
}

TEST_F(Lote, ListarEnCSV) {
    const Resultado r = Ejecutar({"listar", "--csv"});
    ASSERT_EQ(r.estado, 0) << r.error;
    const auto l = Líneas(r.salida);
    ASSERT_EQ(l.size(), 7u);
    EXPECT_EQ(l[0], "Registro,NIF,Nombre,Ejercicio,Periodo,Complementaria,Impresión,Justificante");
    EXPECT_EQ(l[1], "1,12345678Z,PEÑA ÁLVAREZ JOSÉ,2010,3T,,,");
    EXPECT_EQ(l[4], "5,33333333P,IMPRESA SL,2010,3T,,Emitida,8170612345673");
    EXPECT_EQ(l[5], "6,44444444A,\"LÓPEZ, MARÍA\",2010,3T,,,");
    EXPECT_TRUE(r.salida.ends_with("\r\n"));
}

// Exit statuses and where the command says why (a few of the usage errors: they share one path).
struct CasoEstado {
    const char* nombre;
    std::vector<std::string> argumentos;
    int estado;
    const char* enSalida; // UTF-8 fragment of standard output, or of standard error
    const char* enError;
};

class LoteEstados : public Lote, public ::testing::WithParamInterface<CasoEstado> {};

const CasoEstado kEstados[] = {
    {"SinErrores", {"validar", "1", "6"}, 0, "2 sin errores ni avisos", ""},
    {"SoloAvisos", {"validar", "2"}, 0, "  AVISO  ", ""},
    {"ConErrores", {"validar", "3"}, 1, "  ERROR  ", ""},
    {"TodasLasVivas",
     {"validar"},
     1,
     "Resumen: 6 declaraciones revisadas: 3 sin errores ni avisos, 1 solo con "
     "avisos, 2 con errores",
     ""},
    {"Intervalo", {"validar", "5-6"}, 0, "Resumen: 2 declaraciones revisadas", ""},
    {"Eliminada",
     {"validar", "1", "4"},
     2,
     "Resumen: 1 declaración revisada",
     "Declaraciones.txt, registro 4: la declaración está eliminada"},
    {"NoExiste",
     {"validar", "9"},
     2,
     "",
     "Declaraciones.txt, registro 9: no existe (el archivo tiene 7 registros)"},
    {"NumeroMalo", {"validar", "x"}, 2, "", "número de registro no válido: «x»"},
    {"SinOrden", {}, 2, "", "falta la orden"},
    {"CsvFueraDeListar", {"validar", "--csv"}, 2, "", "--csv solo sirve con listar"},
    {"Ayuda", {"--help"}, 0, "contenido N", ""},
};

INSTANTIATE_TEST_SUITE_P(Casos, LoteEstados, ::testing::ValuesIn(kEstados),
                         [](const auto& i) { return std::string(i.param.nombre); });

TEST_P(LoteEstados, EstadoYMensaje) {
    const CasoEstado& c = GetParam();
    const Resultado r = Ejecutar(c.argumentos);
    EXPECT_EQ(r.estado, c.estado) << r.salida << r.error;
    EXPECT_TRUE(Contiene(r.salida, c.enSalida)) << r.salida;
    EXPECT_TRUE(Contiene(r.error, c.enError)) << r.error;
}

TEST_F(Lote, UnArchivoQueNoEstáSeNombra) {
    const fs::path otra = carpeta->Programa() / "otra";
    const Resultado r = CorrerLote({"validar", "--datos", otra.string()}, carpeta->Programa());
    EXPECT_EQ(r.estado, 2);
    EXPECT_TRUE(Contiene(r.error, (otra / "Declaraciones.txt").string() + ": no existe")) << r.error;
}

TEST_F(Lote, UnArchivoDeUnaVersiónAnteriorNoSeConvierte) {
    CarpetaTemporal otra;
    // A record of the shortest earlier layout: version 2.1.1.
    const std::string antiguo = " 8172.1.1" + std::string(200, ' ') + "\r\n";
    otra.EscribirDatos("Declaraciones.txt", antiguo);
    const Resultado r = CorrerLote({"listar", "--datos", otra.Datos().string()}, otra.Programa());
    EXPECT_EQ(r.estado, 2);
    EXPECT_TRUE(Contiene(r.error, "versión anterior del programa (2.1.1)")) << r.error;
    EXPECT_EQ(LeerArchivo(RutaDeclaraciones(otra.Datos())), antiguo);
}

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

TEST_F(Lote, ValidarMuestraLoQueElPanelMuestraTrasAbrir) {
    const std::pair<FechaHora, const char*> fechas[] = {{kHoy, "2010-11-15"}, {{2011, 2, 15}, "2011-02-15"}};
    for (const auto& [hoy, fecha] : fechas) {
        // Two sheets side by side, each opening several records in turn.
        const Resultado r =
            CorrerLote({"validar", "--hilos", "2", "--datos", carpeta->Datos().string(), "--fecha", fecha},
                       carpeta->Programa());
        ASSERT_EQ(r.estado, 1) << r.error;
        const auto bloques = Bloques(r.salida);
        ASSERT_EQ(bloques.size(), 6u) << r.salida;
        for (const auto& [n, entradas] : bloques) {
            // A fresh window for each: the command's single sheet must carry nothing from one to the next.
            Ventana v(*carpeta, hoy);
            v.mensajes.mostrados.clear();
            ASSERT_TRUE(v.h.AbrirDeclaración(n, n));
            EXPECT_EQ(entradas, v.Panel()) << fecha << ", registro " << n;
            // And the messages of the load, each on standard error after the file and record.
            const std::string prefijo =
                "modelo817-lote: " + Ruta().string() + ", registro " + std::to_string(n) + ": ";
            std::size_t propias = 0;
            for (const std::string& l : Líneas(r.error))
                propias += l.starts_with(prefijo);
            EXPECT_EQ(propias, v.mensajes.mostrados.size()) << r.error;
            for (const Mensaje& m : v.mensajes.mostrados)
                EXPECT_TRUE(Contiene(r.error, prefijo + Sustituir(Utf8(m.texto), "\r\n", "\n") + "\n"))
                    << r.error;
        }
        EXPECT_TRUE(Contiene(r.error, "registro 7: Se ha producido un error al leer los datos")) << r.error;
        // A year later every period is out of course: the date reaches the rules.
        EXPECT_EQ(bloques.at(1).front().first, hoy.año == 2010 ? 1 : 3) << r.salida;
    }
}

TEST_F(Lote, LaSalidaNoDependeDeLosHilos) {
    const Resultado uno = Ejecutar({"validar", "--hilos", "1"});
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
        const std::string cadena = impresión.CopiarRegistroImpresión();
        ASSERT_EQ(cadena.size(), 729u);
        EXPECT_EQ(r.salida, Utf8(cadena) + "\n");
    }
}

TEST_F(Lote, BorradoresEnPdf) {
    const fs::path pdf = carpeta->Programa() / "pdf";
    struct Caso {
        std::vector<std::string> argumentos;
        int estado;
        std::vector<const char*> archivos;
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
         "registro 3: Corrija los errores de la declaración antes de imprimir"},
    };
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
        EXPECT_EQ(escritos, std::vector<std::string>(c.archivos.begin(), c.archivos.end())) << r.error;
    }
}

} // namespace
