#include "platform/ArchivosPosix.h"
#include "store/ArchivoDeclaraciones.h"
#include "store/Conversion.h"
#include "store/RegistrosAntiguos.h"
#include "store/guardar_en_bucle/RegistroEnBucle.h"
#include "support/ArchivosFallidos.h"
#include "support/Dobles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <map>
#include <random>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace m817;
using namespace m817::prueba;
namespace fs = std::filesystem;
using Archivos = std::map<std::string, std::string>;
using Operación = std::function<bool(ServicioArchivos&)>;

namespace {

// Saving loops killed `espera` after the first prints: what each printed up to its last whole line, if
// killed.
std::vector<std::optional<std::string>> MatarTras(const fs::path& ruta,
                                                  const std::vector<std::string>& argumentos,
                                                  std::chrono::microseconds espera) {
    std::vector<std::pair<pid_t, fs::path>> bucles;
    for (const auto& args : argumentos) {
        const fs::path salida = ruta.parent_path().parent_path() / ("salida" + std::to_string(bucles.size()));
        const std::string orden = "exec '" M817_BINARY_DIR "/m817_guardar_en_bucle' '" + ruta.string() +
                                  "' " + args + " > '" + salida.string() + "'";
        const char* argv[] = {"sh", "-c", orden.c_str(), nullptr};
        pid_t pid = -1;
        ::posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ);
        bucles.emplace_back(pid, salida);
    }
    for (int i = 0; i < 200'000 && LeerArchivo(bucles[0].second).empty(); ++i) // however slowly it starts
        ::usleep(100);
    ::usleep(static_cast<useconds_t>(espera.count()));
    std::vector<std::optional<std::string>> r;
    for (const auto& [pid, salida] : bucles) {
        int estado = 0;
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &estado, 0);
        const std::string s = LeerArchivo(salida);
        r.push_back(WIFSIGNALED(estado) && WTERMSIG(estado) == SIGKILL
                        ? std::optional(s.substr(0, s.rfind('\n') + 1))
                        : std::nullopt);
    }
    return r;
}

// After each kill every record is a whole version of its own return: the last one reported saved, or later.
TEST(GuardarEnBucle, MatarloEnCualquierMomentoNoPierdeNingunGuardado) {
    CarpetaTemporal carpeta;
    const auto ruta = RutaDeclaraciones(carpeta.Datos());
    ArchivosPosix posix;
    std::mt19937 azar(817);
    std::map<std::int32_t, std::int32_t> guardado; // slot -> the version it holds at least
    int guardados = 0, muertesAMedias = 0;
    for (int vuelta = 0; vuelta < 200; ++vuelta) {
        const auto salida =
            MatarTras(ruta, {std::to_string(azar()) + " 400"}, std::chrono::microseconds(azar() % 40'000));
        std::istringstream líneas(salida.at(0).value()); // throws if the loop ended by itself
        std::string qué;
        for (bucle::Marca m; líneas >> qué >> m.slot >> m.vez;)
            if (qué == "OK") guardado[m.slot] = m.vez, ++guardados;
        muertesAMedias += qué == "INTENTO";
        ArchivoDeclaraciones archivo(posix, ruta);
        const std::int32_t registros = archivo.AbrirLectura() ? archivo.NúmeroRegistros().value_or(0) : 0;
        ASSERT_GE(registros, guardado.empty() ? 0 : guardado.rbegin()->first) << "se perdió un registro";
        for (std::int32_t slot = 1; slot <= registros; ++slot) {
            RegistroDeclaración leído;
            ASSERT_TRUE(archivo.Leer(slot, leído));
            const auto marca = bucle::Leer(leído);
            ASSERT_TRUE(marca && marca->slot == slot && marca->vez >= guardado[slot]) << "registro " << slot;
            guardado[slot] = marca->vez;
        }
    }
    EXPECT_TRUE(guardados >= 100 && muertesAMedias >= 50)
        << guardados << " " << muertesAMedias; // not vacuous
}

// The record number of an append is decided under the file's lock: neither loop overwrites the other's.
TEST(AñadirEnParalelo, DosBuclesQueAñadenNoSePisanNiAlMatarlos) {
    CarpetaTemporal carpeta;
    const auto ruta = RutaDeclaraciones(carpeta.Datos());
    std::mt19937 azar(750);
    std::map<std::int32_t, bucle::Marca> confirmados; // record number -> the return it was given to
    for (int vuelta = 0; vuelta < 30; ++vuelta) {
        const auto salidas = MatarTras(
            ruta, {std::to_string(2 * vuelta + 1) + " anadir", std::to_string(2 * vuelta + 2) + " anadir"},
            std::chrono::microseconds(5'000 + azar() % 40'000));
        std::istringstream líneas(salidas.at(0).value_or("") + salidas.at(1).value_or(""));
        ASSERT_TRUE(salidas[0] && salidas[1]) << "un bucle terminó por sí solo";
        std::string qué;
        bucle::Marca m;
        for (std::int32_t n = 0; líneas >> qué >> m.slot >> m.vez >> n; confirmados[n] = m)
            ASSERT_TRUE(qué == "OK" && !confirmados.contains(n))
                << "el registro " << n << " se dio dos veces";
        const std::string bytes = LeerArchivo(ruta);
        for (const auto& [n, m] : confirmados)
            ASSERT_EQ(bytes.substr((n - 1) * kLongitudRegistro, kLongitudRegistro),
                      bucle::Registro(m.slot, m.vez).Bytes())
                << "el registro " << n << " se perdió o fue pisado";
    }
    EXPECT_GE(confirmados.size(), 60u); // not vacuous
}

// A run lists its steps, the changes it makes, and dies at step `muerte`: before it, or halfway through a
// write.
std::vector<std::string> pasos;
std::size_t muerte = 0;
bool aMedias = false;

void Paso(const char* qué, const std::function<void()>& mitad = {}) {
    pasos.emplace_back(qué);
    if (pasos.size() != muerte) return;
    if (aMedias && mitad) mitad();
    ::raise(SIGKILL);
}

struct ArchivoQueMuere final : Archivo {
    explicit ArchivoQueMuere(std::unique_ptr<Archivo> r) : real(std::move(r)) {}
    std::unique_ptr<Archivo> real;
    std::optional<std::size_t> Leer(std::uint64_t p, std::span<char> d) override { return real->Leer(p, d); }
    bool Escribir(std::uint64_t p, std::string_view d) override {
        Paso("Escribir", [&] { real->Escribir(p, d.substr(0, d.size() / 2)); });
        return real->Escribir(p, d);
    }
    bool Sincronizar() override { return Paso("Sincronizar"), real->Sincronizar(); }
    bool Truncar(std::uint64_t t) override { return Paso("Truncar"), real->Truncar(t); }
    std::optional<std::uint64_t> Tamaño() override { return real->Tamaño(); }
};

struct ArchivosQueMueren final : ServicioArchivos {
    using Ruta = const fs::path&;
    ArchivosPosix real;
    std::unique_ptr<Archivo> Abrir(Ruta r, ModoApertura m) override {
        if (m != ModoApertura::Lectura) Paso("Abrir");
        auto a = real.Abrir(r, m);
        return a ? std::make_unique<ArchivoQueMuere>(std::move(a)) : nullptr;
    }
    bool Existe(Ruta r) override { return real.Existe(r); }
    bool EsCarpeta(Ruta r) override { return real.EsCarpeta(r); }
    bool Renombrar(Ruta o, Ruta d) override { return Paso("Renombrar"), real.Renombrar(o, d); }
    bool EnlazarOCopiar(Ruta o, Ruta d) override { return Paso("EnlazarOCopiar"), real.EnlazarOCopiar(o, d); }
    bool Eliminar(Ruta r) override { return Paso("Eliminar"), real.Eliminar(r); }
};

class MuerteEnCadaPaso : public ::testing::Test {
  protected:
    fs::path Datos() const { return carpeta.Datos() / kNombreArchivoDeclaraciones; }
    Archivos Carpeta(bool sinRestos = false) const {
        Archivos archivos;
        for (const auto& e : fs::directory_iterator(carpeta.Datos()))
            if (!sinRestos || !e.path().string().ends_with(kSufijoResto))
                archivos[e.path().filename().string()] = LeerArchivo(e.path());
        return archivos;
    }
    void Empezar(const std::string& bytes) const {
        fs::remove_all(carpeta.Datos());
        fs::create_directory(carpeta.Datos());
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, bytes);
    }
    std::vector<std::string> Pasos(const std::string& inicial, const Operación& operación) {
        Empezar(inicial);
        pasos.clear();
        ArchivosQueMueren archivos;
        EXPECT_TRUE(operación(archivos));
        return pasos.push_back("fin"), pasos;
    }
    void CadaMuerte(const std::string& inicial, const Operación& op, std::function<void(std::string)> tras) {
        const auto todos = Pasos(inicial, op);
        for (std::size_t k = 1; k <= todos.size(); ++k)
            for (bool aMitad : {false, true}) {
                if (aMitad && todos[k - 1] != "Escribir") continue;
                SCOPED_TRACE((aMitad ? "a medias del paso " : "antes del paso ") + std::to_string(k) + " (" +
                             todos[k - 1] + ")");
                MorirEn(inicial, k, aMitad, op);
                tras(todos[k - 1]);
            }
    }
    void MorirEn(const std::string& inicial, std::size_t k, bool aMitad, const Operación& operación) {
        Empezar(inicial);
        const pid_t pid = ::fork();
        if (pid == 0) {
            pasos.clear(), muerte = k, aMedias = aMitad;
            ArchivosQueMueren archivos;
            operación(archivos);
            ::raise(SIGKILL);
        }
        int estado = 0;
        ::waitpid(pid, &estado, 0);
        ASSERT_TRUE(WIFSIGNALED(estado) && WTERMSIG(estado) == SIGKILL);
    }

    CarpetaTemporal carpeta;
    ArchivosPosix posix;
};

std::string Registros(std::int32_t desde, std::int32_t hasta, std::int32_t vez = 1) {
    std::string bytes;
    for (std::int32_t slot = desde; slot <= hasta; ++slot)
        bytes += bucle::Registro(slot, vez).Bytes();
    return bytes;
}

TEST_F(MuerteEnCadaPaso, UnGuardadoInterrumpidoDejaLaVersionAnteriorOLaNueva) {
    // The record saved after six (6 straddles 4096 bytes, 7 appends), and a cut record's bytes after them.
    for (const auto& [slot, cola] : {std::pair{6, 0}, {1, 0}, {7, 0}, {7, 500}, {6, 300}}) {
        SCOPED_TRACE(std::to_string(slot) + " " + std::to_string(cola));
        const std::string inicial = Registros(1, 6) + Registros(7, 7, 9).substr(0, cola);
        const auto nuevo = bucle::Registro(slot, 2);
        auto guardar = [&](ServicioArchivos& archivos) {
            ArchivoDeclaraciones archivo(archivos, Datos());
            return archivo.AbrirLecturaEscritura() && archivo.Escribir(slot, nuevo);
        };
        std::string después = inicial;
        después.replace((slot - 1) * kLongitudRegistro, slot == 7 ? cola : kLongitudRegistro, nuevo.Bytes());
        CadaMuerte(inicial, guardar, [&](const std::string&) {
            ArchivoDeclaraciones archivo(posix, Datos());
            ASSERT_TRUE(archivo.AbrirLectura());
            EXPECT_EQ(Carpeta(slot == 7).size(), 1u); // nothing of the save is left beside the file
            RegistroDeclaración leído;
            if (slot <= 6 || archivo.NúmeroRegistros() == 7) {
                ASSERT_TRUE(archivo.Leer(slot, leído));
                EXPECT_TRUE(leído == nuevo || (slot <= 6 && leído == bucle::Registro(slot, 1))) << "mezcla";
            }
            archivo.Cerrar();
            EXPECT_TRUE(guardar(posix));
            EXPECT_EQ(Carpeta(slot == 7), (Archivos{{kNombreArchivoDeclaraciones, después}}));
        });
    }
}

// What a cut rewrite leaves beside the file is only used on its own record, and kept while it cannot be.
TEST_F(MuerteEnCadaPaso, LoQueDejaUnaReescrituraCortadaSoloSeAplicaASuRegistro) {
    const std::string inicial = Registros(1, 6);
    auto guardar = [&](ServicioArchivos& archivos) {
        ArchivoDeclaraciones archivo(archivos, Datos());
        return archivo.AbrirLecturaEscritura() && archivo.Escribir(6, bucle::Registro(6, 2));
    };
    const auto todos = Pasos(inicial, guardar); // halfway through the last write, the record's own
    const std::size_t última = todos.rend() - std::find(todos.rbegin(), todos.rend(), "Escribir");
    auto cortar = [&] {
        MorirEn(inicial, última, true, guardar);
        ASSERT_TRUE(Carpeta().size() == 2 && LeerArchivo(Datos()) != inicial);
    };
    for (const std::string& otro : {Registros(1, 7, 3), Registros(11, 16)}) {
        cortar();
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, otro);
        ArchivoDeclaraciones archivo(posix, Datos());
        ASSERT_TRUE(archivo.AbrirLecturaEscritura());
        EXPECT_EQ(Carpeta(), (Archivos{{kNombreArchivoDeclaraciones, otro}}));
    }
    for (const char* fallo : {"disco lleno", "lecturas", "solo lectura"}) { // the side file waits for later
        cortar();
        ArchivosFallidos fallidos(posix);
        fallidos.soloLectura = fallo[0] == 's';
        fallidos.lecturasFallan = fallo[0] == 'l';
        if (fallo[0] == 'd') fallidos.LlenarDiscoEnEscritura(1, 0);
        ArchivoDeclaraciones archivo(fallidos, Datos());
        RegistroDeclaración l; // a reader sees the record as it was, and the others as they are
        EXPECT_TRUE(fallo[0] != 's' ||
                    (archivo.AbrirLectura() && archivo.Leer(6, l) && l == bucle::Registro(6, 1) &&
                     archivo.Leer(1, l) && l == bucle::Registro(1, 1)));
        EXPECT_FALSE(archivo.AbrirLecturaEscritura()) << fallo;
        EXPECT_EQ(Carpeta().size(), 2u) << fallo;
        if (fallo[0] != 's') continue;
        fallidos.soloLectura = false;
        ASSERT_TRUE(archivo.AbrirLecturaEscritura());
        EXPECT_EQ(Carpeta(), (Archivos{{kNombreArchivoDeclaraciones, inicial}}));
    }
}

// The data file is the old one or the whole new one, the old one then backed up; the next start ends the job.
TEST_F(MuerteEnCadaPaso, UnaConversionInterrumpidaDejaElArchivoViejoOElNuevoYSiempreLaCopia) {
    for (const DisposiciónAntigua* d : {&kDisposiciónA, &kDisposiciónB}) {
        SCOPED_TRACE(d->sufijoCopia);
        Antiguo a{.disposiciónA = d == &kDisposiciónA, .versión = d == &kDisposiciónA ? "2.1.1" : "2.3.2"};
        std::string viejo;
        for (int i = 1; i <= 9; ++i)
            viejo += (a.marca = i == 4 ? '*' : ' ', a.nif = std::to_string(i),
                      a.líneas = {{std::to_string(i), "13"}}, a.Bytes());
        const auto nuevo = ConvertirContenido(viejo, *d, "3.2.2");
        ASSERT_TRUE(nuevo && nuevo->size() == 8 * kLongitudRegistro);
        auto convertir = [&](ServicioArchivos& archivos) {
            MensajesTolerantes mensajes; // OK to the question
            return ConvertirArchivoDatos(archivos, carpeta.Datos(), mensajes, "3.2.2") ==
                   ResultadoConversión::Convertido;
        };
        CadaMuerte(viejo, convertir, [&](const std::string& paso) {
            auto archivos = Carpeta();
            const std::string datos = archivos[kNombreArchivoDeclaraciones];
            ASSERT_TRUE(datos == viejo || datos == *nuevo) << "el archivo de datos mezcla los dos";
            EXPECT_NE(datos == viejo, paso == "fin"); // the rename is the last step
            EXPECT_EQ(convertir(posix), datos == viejo);
            archivos = Carpeta(); // the new file and whole backups of the old one
            ASSERT_GE(std::erase_if(archivos,
                                    [&](const auto& a) {
                                        return a.first.ends_with(d->sufijoCopia) && a.second == viejo;
                                    }),
                      1u);
            EXPECT_EQ(archivos, (Archivos{{kNombreArchivoDeclaraciones, *nuevo}}));
        });
    }
}

} // namespace
