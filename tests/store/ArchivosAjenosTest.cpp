// Data files that come from elsewhere or that another process is using: nothing is lost, nothing is
// written where it should not be, and nothing waits for ever.
#include "app/Hoja.h"
#include "model/Listas.h"
#include "model/Tablas.h"
#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"
#include "store/Conversion.h"
#include "store/RegistrosAntiguos.h"
#include "store/SeleccionDeclaraciones.h"
#include "store/guardar_en_bucle/RegistroEnBucle.h"
#include "support/ArchivosFallidos.h"
#include "support/Dobles.h"
#include "support/Registros.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>
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
    EXPECT_EQ(archivo.NúmeroRegistros(), 2);
    RegistroDeclaración leído;
    ASSERT_TRUE(archivo.Leer(2, leído));
    EXPECT_EQ(B(leído), dos);
    std::vector<std::int32_t> recorridos;
    ASSERT_TRUE(archivo.Recorrer([&](std::int32_t n, std::string_view b) {
        recorridos.push_back(n);
        EXPECT_TRUE(b.ends_with("\r\n"));
        return true;
    }));
    EXPECT_EQ(recorridos, (std::vector<std::int32_t>{1, 2}));

    const std::string tres = B(Registro("33333333P"));
    EXPECT_EQ(archivo.Añadir(Registro("33333333P")), 3);
    EXPECT_EQ(Leído(), uno + dos + tres);
    EXPECT_TRUE(archivo.RestoGuardado().empty());
}

TEST_F(ArchivosAjenos, OtraColaSeCopiaAparteAntesDeCubrirla) {
    const std::string uno = B(Registro("11111111H"));
    // A tail that is no record: 748 bytes without the model, and a short one.
    for (const std::string& cola : {std::string(748, 'x'), std::string("datos sueltos\r\n")}) {
        Poner(uno + cola);
        ArchivoDeclaraciones archivo(posix, Ruta());
        ASSERT_TRUE(archivo.AbrirLecturaEscritura());
        EXPECT_EQ(archivo.NúmeroRegistros(), 1);
        // A rewrite does not touch it.
        ASSERT_TRUE(archivo.Escribir(1, Registro("11111111H", "1")));
        EXPECT_TRUE(archivo.RestoGuardado().empty());
        ASSERT_EQ(archivo.Añadir(Registro("22222222J")), 2);
        const fs::path resto = archivo.RestoGuardado();
        ASSERT_FALSE(resto.empty());
        EXPECT_EQ(resto.parent_path(), carpeta.Datos());
        EXPECT_EQ(LeerArchivo(resto), cola);
        EXPECT_EQ(Leído(), B(Registro("11111111H", "1")) + B(Registro("22222222J")));
    }
    // The second one did not take the first one's name.
    EXPECT_EQ(LeerArchivo(carpeta.Datos() / "Declaraciones.txt_resto.txt"), std::string(748, 'x'));
    EXPECT_EQ(LeerArchivo(carpeta.Datos() / "Declaraciones.txt-2_resto.txt"), "datos sueltos\r\n");
}

TEST_F(ArchivosAjenos, UnArchivoQueNoEstaHechoDeRegistrosNoSeEscribe) {
    std::string lf;
    for (const auto& nif : {"11111111H", "22222222J", "33333333P"}) {
        std::string r = B(Registro(nif));
        lf += r.substr(0, 748) + "\n"; // a text-mode copy
    }
    const fs::path ajeno = carpeta.Programa() / "ajeno.txt";
    {
        std::string texto;
        for (int i = 0; i < 40; ++i)
            texto += "linea " + std::to_string(i) + " de un archivo que no es de declaraciones\n";
        std::ofstream(ajeno, std::ios::binary) << texto;
    }
    struct Caso {
        const char* nombre;
        std::function<void()> preparar;
        const char* registro; // the first record that does not end in CR LF
    };
    const Caso casos[] = {
        {"saltos LF", [&] { Poner(lf); }, "el registro 1 (bytes 1 a 750)"},
        {"enlace a otro archivo",
         [&] {
             fs::remove(Ruta());
             fs::create_symlink(ajeno, Ruta());
         },
         "el registro 1 (bytes 1 a 750)"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        c.preparar();
        const std::string antes = Leído(), ajenoAntes = LeerArchivo(ajeno);
        ArchivoDeclaraciones archivo(posix, Ruta());
        EXPECT_FALSE(archivo.AbrirLecturaEscritura());
        EXPECT_FALSE(archivo.AbrirLectura());
        const std::string problema = Utf8(archivo.Problema());
        EXPECT_NE(problema.find(Ruta().string()), std::string::npos) << problema;
        EXPECT_NE(problema.find(c.registro), std::string::npos) << problema;
        EXPECT_NE(problema.find("750 bytes terminados en CR LF"), std::string::npos) << problema;
        EXPECT_EQ(Leído(), antes);
        EXPECT_EQ(LeerArchivo(ajeno), ajenoAntes);
        EXPECT_FALSE(archivo.Añadir(Registro("44444444A")));
        EXPECT_EQ(Leído(), antes);
        fs::remove(Ruta());
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

TEST_F(ArchivosAjenos, UnaComplementariaEnBlancoCuentaComoNoComplementaria) {
    Poner(B(Registro("11111111H", "")) + B(Registro("22222222J", "1")));
    ArchivoDeclaraciones archivo(posix, Ruta());
    ASSERT_TRUE(archivo.AbrirLectura());
    const auto clave = [](const char* nif, const char* c) { return ClaveDuplicado{nif, "2010", "3T", c}; };
    EXPECT_EQ(BuscarDuplicados(archivo, clave("11111111H", "0"))->primerDuplicado, 1);
    EXPECT_EQ(BuscarDuplicados(archivo, clave("11111111H", "1"))->primerDuplicado, 0);
    EXPECT_EQ(BuscarDuplicados(archivo, clave("22222222J", "0"))->primerDuplicado, 0);
}

TEST_F(ArchivosAjenos, UnaFifoOUnaCarpetaSeDicenEnSeguida) {
    struct Caso {
        const char* nombre;
        std::function<void(const fs::path&)> crear;
        const char* dice;
    };
    const Caso casos[] = {
        {"FIFO", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); },
         "no es un archivo normal"},
        {"carpeta", [](const fs::path& p) { fs::create_directory(p); }, "es una carpeta"},
        {"dispositivo", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); },
         "no es un archivo normal"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        fs::remove_all(Ruta());
        c.crear(Ruta());
        const auto inicio = std::chrono::steady_clock::now();
        ArchivoDeclaraciones archivo(posix, Ruta());
        EXPECT_FALSE(archivo.AbrirLecturaEscritura());
        EXPECT_NE(Utf8(archivo.Problema()).find(c.dice), std::string::npos) << Utf8(archivo.Problema());

        MensajesGuion mensajes;
        mensajes.EsperarError(
            "El archivo de declaraciones " + Ruta().string() + " " +
            (std::string(c.dice) == "es una carpeta"
                 ? "es una carpeta, no un archivo."
                 : "no es un archivo normal (es una FIFO, un dispositivo u otro archivo especial)."));
        EXPECT_EQ(ConvertirArchivoDatos(posix, carpeta.Datos(), mensajes, "3.2.2"),
                  ResultadoConversión::Fallido);
        // The window's list of saved returns says the same.
        MensajesTolerantes lista;
        SeleccionDeclaraciones selección;
        EXPECT_FALSE(selección.Cargar(posix, Ruta(), lista, 0));
        ASSERT_FALSE(lista.mostrados.empty());
        EXPECT_NE(Utf8(lista.mostrados[0].texto).find(c.dice), std::string::npos);
        EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(5));
    }
}

TEST_F(ArchivosAjenos, UnaTablaQueNoEsUnArchivoNormalOEsEnormeSeRechaza) {
    const fs::path siglas = carpeta.Datos() / "Siglas.txt";
    const std::function<void()> casos[] = {
        [&] { ASSERT_EQ(::mkfifo(siglas.c_str(), 0644), 0); },
        [&] { fs::create_symlink("/dev/zero", siglas); },
        [&] {
            std::ofstream(siglas, std::ios::binary) << "\"CL\",\"CALLE\"\r\n";
            fs::resize_file(siglas, (16u << 20) + 1);
        },
    };
    for (const auto& preparar : casos) {
        fs::remove(siglas);
        preparar();
        HojaDeclaración hoja;
        MensajesGuion mensajes;
        mensajes.EsperarError("Error al cargar la tabla de Siglas");
        EXPECT_FALSE(CargarTabla(hoja, cmbSigla, kTablaSiglas, true, carpeta, mensajes));
    }
    // Exactly at the limit it is still a table.
    fs::remove(siglas);
    std::ofstream(siglas, std::ios::binary) << "CL," + std::string((16u << 20) - 5, 'A') + "\r\n";
    HojaDeclaración hoja;
    MensajesGuion mensajes;
    EXPECT_TRUE(CargarTabla(hoja, cmbSigla, kTablaSiglas, true, carpeta, mensajes));
}

// A record of the oldest layout with the base of its first line at rate 13.
std::string Antiguo(const std::string& nif, const std::string& base) {
    return prueba::Antiguo{.nif = nif, .líneas = {{base, "13"}}, .otras = {}}.Bytes();
}

const char* kPreguntaConversión =
    "Para poder continuar con la ejecución del programa se va a proceder a convertir "
    "el archivo de datos existente actualmente a la nueva versión.";

TEST_F(ArchivosAjenos, LaConversionLlevaElUltimoRegistroSinSaltoYDejaEnBlancoLoQueNoSeLee) {
    Poner(Antiguo("11111111H", "12O,00") + Antiguo("22222222J", "100") +
          Antiguo("33333333P", "12,5abc").substr(0, 547));
    MensajesGuion mensajes;
    mensajes.Esperar(kPreguntaConversión, Icono::Ninguno, Botones::AceptarCancelar, Respuesta::Aceptar);
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
    EXPECT_EQ(r(1).Valor(CampoRegistro::Casilla05), "");
    EXPECT_EQ(r(1).Valor(CampoRegistro::Casilla11), "");
    EXPECT_EQ(r(2).Valor(CampoRegistro::Casilla11), "13");
    EXPECT_EQ(r(3).Valor(CampoRegistro::NIF), "33333333P");
    EXPECT_TRUE(fs::exists(carpeta.Datos() / "Declaraciones.txt_211.txt"));
}

TEST_F(ArchivosAjenos, UnArchivoQueNoSePuedeConvertirSeExplicaSinPreguntar) {
    const std::string ceros(7500, '\0');
    Poner(ceros);
    MensajesGuion mensajes;
    mensajes.EsperarError(
        "El archivo de datos " + Ruta().string() +
        " es de una versión anterior del programa, pero no se puede convertir: el registro 1 "
        "(bytes 1 a 549) no termina con CR LF, como los registros de 549 bytes de la versión "
        "anterior.\r\nEl archivo original sigue sin cambios en " +
        Ruta().string() + ".");
    EXPECT_EQ(ConvertirArchivoDatos(posix, carpeta.Datos(), mensajes, "3.2.2"), ResultadoConversión::Fallido);
    EXPECT_EQ(Leído(), ceros);
}

// Answers the duplicate question only once another process has saved a return into the same file.
class MensajesConOtroProceso final : public ServicioMensajes {
  public:
    explicit MensajesConOtroProceso(fs::path ruta) : ruta_(std::move(ruta)) {}
    Respuesta Mostrar(const Mensaje& m) override {
        textos.push_back(Utf8(m.texto));
        if (m.icono != Icono::Pregunta) return Respuesta::Aceptar;
        const pid_t hijo = ::fork();
        if (hijo == 0) {
            ArchivosPosix posix;
            ArchivoDeclaraciones archivo(posix, ruta_);
            ::_exit(archivo.AbrirLecturaEscritura() && archivo.Añadir(Registro("99999999R")) == 2 ? 0 : 1);
        }
        int estado = 0;
        ::waitpid(hijo, &estado, 0);
        otroGuardó = WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
        return Respuesta::Sí;
    }
    void Pitido() override {}
    std::vector<std::string> textos;
    bool otroGuardó = false;

  private:
    fs::path ruta_;
};

TEST_F(ArchivosAjenos, ElNumeroDeUnaDeclaracionNuevaSeDecideTrasLaPregunta) {
    RegistroDeclaración existente = Registro("12345678Z");
    Poner(B(existente));
    MensajesConOtroProceso mensajes(Ruta());
    auto h = Ventana(mensajes);
    h->hoja.RegistroModificado = true;
    ASSERT_TRUE(h->GuardarDeclaración(true));
    ASSERT_TRUE(mensajes.otroGuardó);
    EXPECT_EQ(h->hoja.Texto(edtIdDeclaración), "3");
    const std::string bytes = Leído();
    ASSERT_EQ(bytes.size(), 3 * kLongitudRegistro);
    EXPECT_EQ(bytes.substr(0, 750), B(existente));
    EXPECT_EQ(bytes.substr(750, 750), B(Registro("99999999R")));
    EXPECT_EQ(
        RegistroDeclaración::DesdeBytes(std::string_view(bytes).substr(1500)).Valor(CampoRegistro::Nombre),
        "PRUEBA");
}

// Saving from the window over a tail says where the tail went; over a file not made of records it says why
// and writes nothing.
TEST_F(ArchivosAjenos, GuardarDesdeLaVentanaDiceQuéPasóConElArchivo) {
    const std::string línea = B(Registro("11111111H")).substr(0, 748) + "\n"; // a text-mode copy
    const std::tuple<std::string, bool, Icono, std::string> casos[] = {
        {B(Registro("11111111H")) + "resto", true, Icono::Exclamación,
         "Al final del archivo de declaraciones había datos que no formaban una declaración completa. Antes "
         "de guardar, se han copiado en " +
             (carpeta.Datos() / "Declaraciones.txt_resto.txt").string()},
        {línea + línea, false, Icono::Crítico,
         "Error al intentar guardar la declaración\rEl archivo de declaraciones " + Ruta().string() +
             " no está hecho de registros de 750 bytes terminados en CR LF: el registro 1 (bytes 1 a 750) "
             "no termina así. No se escribe nada en él."},
    };
    for (const auto& [inicial, guarda, icono, texto] : casos) {
        Poner(inicial);
        MensajesTolerantes mensajes;
        auto h = Ventana(mensajes);
        mensajes.mostrados.clear();
        EXPECT_EQ(h->GuardarDeclaración(true), guarda);
        ASSERT_EQ(mensajes.mostrados.size(), 1u);
        EXPECT_EQ(mensajes.mostrados[0].icono, icono);
        EXPECT_EQ(Utf8(mensajes.mostrados[0].texto), texto);
        if (!guarda) {
            EXPECT_EQ(Leído(), inicial);
            EXPECT_EQ(h->hoja.Texto(edtIdDeclaración), "0");
        }
    }
    EXPECT_EQ(LeerArchivo(carpeta.Datos() / "Declaraciones.txt_resto.txt"), "resto");
}

} // namespace
