// Nothing saved is lost when the process dies: a saving loop killed at random moments, and a conversion
// killed at every one of its file operations.
#include "platform/ArchivosPosix.h"
#include "store/ArchivoDeclaraciones.h"
#include "store/Conversion.h"
#include "store/RegistrosAntiguos.h"
#include "store/guardar_en_bucle/RegistroEnBucle.h"
#include "support/ArchivosFallidos.h"
#include "support/DiscoEnMemoria.h"
#include "support/Dobles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <map>
#include <optional>
#include <poll.h>
#include <random>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

using namespace m817;
using namespace m817::prueba;

namespace {

struct Guardado {
    std::int32_t slot = 0, vez = 0;
    bool operator==(const Guardado&) const = default;
};

// Runs one saving loop per list of arguments, keeps their pipes empty meanwhile (so that no loop ever waits
// on one), kills them all with SIGKILL `espera` after the first line any of them prints (however slowly the
// machine starts them) and gives all each printed; an empty optional when a loop ended by itself.
std::vector<std::optional<std::string>> MatarTras(const std::vector<std::vector<std::string>>& argumentos,
                                                  std::chrono::microseconds espera) {
    const std::string programa = M817_BINARY_DIR "/m817_guardar_en_bucle";
    std::vector<pid_t> pids;
    std::vector<pollfd> tubos;
    for (const auto& args : argumentos) {
        int tubo[2];
        if (::pipe2(tubo, O_CLOEXEC) != 0) return {};
        std::vector<char*> argv = {const_cast<char*>(programa.c_str())};
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        posix_spawn_file_actions_t acciones;
        posix_spawn_file_actions_init(&acciones);
        posix_spawn_file_actions_adddup2(&acciones, tubo[1], STDOUT_FILENO);
        pid_t pid = 0;
        if (::posix_spawn(&pid, programa.c_str(), &acciones, nullptr, argv.data(), environ) != 0) pid = -1;
        posix_spawn_file_actions_destroy(&acciones);
        ::close(tubo[1]);
        pids.push_back(pid);
        tubos.push_back({tubo[0], POLLIN, 0});
    }
    std::vector<std::string> salidas(pids.size());
    char bloque[4096];
    auto leer = [&](std::size_t i) {
        const ssize_t n = ::read(tubos[i].fd, bloque, sizeof bloque);
        if (n > 0) salidas[i].append(bloque, static_cast<std::size_t>(n));
        return n > 0;
    };
    auto fin = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (bool empezado = false;;) {
        if (!empezado && std::ranges::any_of(salidas, [](const auto& t) { return t.find('\n') != t.npos; })) {
            empezado = true;
            fin = std::chrono::steady_clock::now() + espera;
        }
        const auto ns =
            std::chrono::duration_cast<std::chrono::nanoseconds>(fin - std::chrono::steady_clock::now())
                .count();
        if (ns <= 0) break;
        const timespec t{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
        if (::ppoll(tubos.data(), tubos.size(), &t, nullptr) <= 0) continue;
        for (std::size_t i = 0; i < tubos.size(); ++i)
            if (tubos[i].revents & (POLLIN | POLLHUP) && !leer(i)) tubos[i].fd = -tubos[i].fd - 1; // closed
    }
    std::vector<std::optional<std::string>> r;
    for (std::size_t i = 0; i < pids.size(); ++i) {
        ::kill(pids[i], SIGKILL);
        int estado = 0;
        ::waitpid(pids[i], &estado, 0);
        if (tubos[i].fd < 0) tubos[i].fd = -tubos[i].fd - 1;
        while (leer(i)) {
        }
        ::close(tubos[i].fd);
        const bool matado = pids[i] > 0 && WIFSIGNALED(estado) && WTERMSIG(estado) == SIGKILL;
        // A line cut by the kill was never finished, so its save was never reported.
        r.push_back(matado ? std::optional(salidas[i].substr(0, salidas[i].rfind('\n') + 1)) : std::nullopt);
    }
    return r;
}

struct Vuelta {
    std::vector<Guardado> confirmados; // "OK" lines, in order
    std::optional<Guardado> enCurso;   // the last "INTENTO" without its "OK"
    std::string error;                 // what the loop's output or end says went wrong
};

Vuelta MatarBucle(const std::filesystem::path& archivo, std::uint32_t semilla, std::int32_t máximo,
                  std::chrono::microseconds espera) {
    Vuelta v;
    const auto salida =
        MatarTras({{archivo.string(), std::to_string(semilla), std::to_string(máximo)}}, espera);
    if (salida.empty() || !salida[0]) return v.error = "el bucle terminó por sí solo", v;
    std::istringstream líneas(*salida[0]);
    std::string qué;
    Guardado g;
    while (líneas >> qué >> g.slot >> g.vez) {
        if (qué == "INTENTO") {
            v.enCurso = g;
        } else if (qué == "OK" && v.enCurso == g) {
            v.confirmados.push_back(g);
            v.enCurso.reset();
        } else {
            v.error += "línea inesperada: " + qué + "\n";
        }
    }
    return v;
}

struct Medio {
    const char* nombre;
    bool enMemoria;                   // a tmpfs: saves take microseconds, so kills land inside them often
    std::int32_t máximoRegistros;     // the loop stops appending there
    std::chrono::microseconds espera; // the longest a loop runs before it is killed
};

class GuardarEnBucle : public ::testing::TestWithParam<Medio> {};

// 200 kills at random moments. After each one the file holds whole records only (a record cut short
// would have to be the append that was running: the count ignores it and the next save takes its place),
// every record reads, and each slot holds exactly the last version whose save reported success, or the
// version whose save was running when the loop died.
TEST_P(GuardarEnBucle, MatarloEnCualquierMomentoNoPierdeNingunGuardado) {
    const Medio& medio = GetParam();
    CarpetaTemporal carpeta;
    std::optional<DiscoEnMemoria> disco;
    if (medio.enMemoria) {
        disco.emplace(carpeta.Datos(), 16u << 20);
        if (!disco->Montado()) GTEST_SKIP() << disco->Motivo();
    }
    const auto ruta = RutaDeclaraciones(carpeta.Datos());
    ArchivosPosix posix;
    std::mt19937 azar(817);

    std::map<std::int32_t, std::int32_t> enArchivo; // slot -> version the file holds
    int guardados = 0, vueltasConGuardados = 0, muertesAMedias = 0, colas = 0;
    for (int vuelta = 0; vuelta < 200; ++vuelta) {
        SCOPED_TRACE("vuelta " + std::to_string(vuelta));
        const auto espera =
            std::chrono::microseconds(azar() % static_cast<std::uint32_t>(medio.espera.count()));
        const Vuelta v = MatarBucle(ruta, azar(), medio.máximoRegistros, espera);
        ASSERT_EQ(v.error, "");
        for (const auto& g : v.confirmados)
            enArchivo[g.slot] = g.vez;
        guardados += static_cast<int>(v.confirmados.size());
        vueltasConGuardados += !v.confirmados.empty();
        muertesAMedias += v.enCurso.has_value();

        const std::string bytes = std::filesystem::exists(ruta) ? LeerArchivo(ruta) : std::string();
        const auto enteros = static_cast<std::int32_t>(bytes.size() / kLongitudRegistro);
        if (const std::size_t cola = bytes.size() % kLongitudRegistro; cola != 0) {
            ++colas;
            ASSERT_TRUE(v.enCurso && v.enCurso->slot == enteros + 1) << "cola de " << cola << " bytes";
            EXPECT_EQ(std::string_view(bytes).substr(bytes.size() - cola),
                      bucle::Registro(v.enCurso->slot, v.enCurso->vez).Bytes().substr(0, cola));
        }

        ArchivoDeclaraciones archivo(posix, ruta);
        if (enteros > 0) {
            ASSERT_TRUE(archivo.AbrirLectura());
            ASSERT_EQ(archivo.NúmeroRegistros(), enteros);
        }
        for (std::int32_t slot = 1; slot <= enteros; ++slot) {
            RegistroDeclaración leído;
            ASSERT_TRUE(archivo.Leer(slot, leído)) << "registro " << slot;
            const auto último = enArchivo.find(slot);
            if (último != enArchivo.end() && leído == bucle::Registro(slot, último->second)) continue;
            if (v.enCurso && v.enCurso->slot == slot && leído == bucle::Registro(slot, v.enCurso->vez)) {
                enArchivo[slot] = v.enCurso->vez; // written, only its report was cut off
                continue;
            }
            const auto marca = bucle::Leer(leído);
            FAIL() << "el registro " << slot << " no es ni su última versión guardada ("
                   << (último == enArchivo.end() ? 0 : último->second) << ") ni la que se estaba guardando; "
                   << (marca ? "es la " + std::to_string(marca->vez) + " del " + std::to_string(marca->slot)
                             : std::string("mezcla dos versiones"));
        }
        for (const auto& [slot, vez] : enArchivo)
            ASSERT_LE(slot, enteros) << "se perdió el guardado " << vez << " del registro " << slot;
    }
    // Not a vacuous pass: the loop did save, and was often killed in the middle of a save.
    EXPECT_GE(guardados, 100);
    EXPECT_GE(vueltasConGuardados, 50);
    EXPECT_GE(muertesAMedias, 50);
    RecordProperty("guardados", guardados);
    RecordProperty("muertesAMedias", muertesAMedias);
    RecordProperty("colas", colas);
}

INSTANTIATE_TEST_SUITE_P(Medios, GuardarEnBucle,
                         ::testing::Values(Medio{"Disco", false, 400, std::chrono::microseconds(40'000)},
                                           Medio{"Memoria", true, 60, std::chrono::microseconds(5'000)}),
                         [](const auto& i) { return std::string(i.param.nombre); });

// Two loops that only append, on one file, killed together at random moments: the record number of each
// append is decided under the file's lock, so no confirmed return is ever overwritten by the other.
TEST(AñadirEnParalelo, DosBuclesQueAñadenNoSePisanNiAlMatarlos) {
    CarpetaTemporal carpeta;
    const auto ruta = RutaDeclaraciones(carpeta.Datos());
    std::mt19937 azar(750);
    std::map<std::int32_t, bucle::Marca> confirmados; // record number -> the return it was given to
    int añadidos = 0;
    for (int vuelta = 0; vuelta < 30; ++vuelta) {
        SCOPED_TRACE("vuelta " + std::to_string(vuelta));
        // Each run's loops carry new ids, so that the returns of every run are told apart.
        const auto salidas = MatarTras({{ruta.string(), std::to_string(2 * vuelta + 1), "anadir"},
                                        {ruta.string(), std::to_string(2 * vuelta + 2), "anadir"}},
                                       std::chrono::microseconds(5'000 + azar() % 40'000));
        for (const auto& salida : salidas) {
            ASSERT_TRUE(salida) << "un bucle terminó por sí solo";
            std::istringstream líneas(*salida);
            std::string qué;
            bucle::Marca m;
            std::int32_t n = 0;
            while (líneas >> qué >> m.slot >> m.vez >> n) {
                ASSERT_EQ(qué, "OK");
                ASSERT_FALSE(confirmados.contains(n)) << "el registro " << n << " se dio dos veces";
                confirmados[n] = m;
                ++añadidos;
            }
        }
        const std::string bytes = LeerArchivo(ruta);
        for (const auto& [n, m] : confirmados) {
            ASSERT_LE(static_cast<std::size_t>(n) * kLongitudRegistro, bytes.size()) << "se perdió el " << n;
            const auto leído =
                RegistroDeclaración::DesdeBytes(std::string_view(bytes).substr((n - 1) * kLongitudRegistro));
            ASSERT_EQ(leído, bucle::Registro(m.slot, m.vez)) << "el registro " << n << " fue pisado";
        }
    }
    EXPECT_GE(añadidos, 60); // both loops appended, many times
}

// Over the real files, dies with SIGKILL at its k-th operation that changes something: just before it or,
// for a write, once half its bytes are in. Reads are not counted: dying before one is dying after the change
// before it.
class ArchivosQueMueren final : public ServicioArchivos {
  public:
    ArchivosQueMueren(ServicioArchivos& real, std::size_t muerte, bool aMedias)
        : real_(real), muerte_(muerte), aMedias_(aMedias) {}

    // What was done, in order ("Escribir" for a write): a run that does not die tells how many steps there
    // are.
    std::vector<std::string> pasos;

    void Paso(const char* qué, const std::function<void()>& mitad = {}) {
        pasos.emplace_back(qué);
        if (pasos.size() != muerte_) return;
        if (aMedias_ && mitad) mitad();
        ::raise(SIGKILL);
    }

    std::unique_ptr<Archivo> Abrir(const std::filesystem::path& ruta, ModoApertura modo) override {
        if (modo != ModoApertura::Lectura) Paso("Abrir");
        auto real = real_.Abrir(ruta, modo);
        return real ? std::make_unique<ArchivoQueMuere>(*this, std::move(real)) : nullptr;
    }
    bool Existe(const std::filesystem::path& ruta) override { return real_.Existe(ruta); }
    bool EsCarpeta(const std::filesystem::path& ruta) override { return real_.EsCarpeta(ruta); }
    bool Renombrar(const std::filesystem::path& origen, const std::filesystem::path& destino) override {
        Paso("Renombrar");
        return real_.Renombrar(origen, destino);
    }
    bool EnlazarOCopiar(const std::filesystem::path& origen, const std::filesystem::path& destino) override {
        Paso("EnlazarOCopiar");
        return real_.EnlazarOCopiar(origen, destino);
    }
    bool Eliminar(const std::filesystem::path& ruta) override {
        Paso("Eliminar");
        return real_.Eliminar(ruta);
    }

  private:
    class ArchivoQueMuere final : public Archivo {
      public:
        ArchivoQueMuere(ArchivosQueMueren& s, std::unique_ptr<Archivo> real)
            : s_(s), real_(std::move(real)) {}
        std::optional<std::size_t> Leer(std::uint64_t posición, std::span<char> destino) override {
            return real_->Leer(posición, destino);
        }
        bool Escribir(std::uint64_t posición, std::string_view datos) override {
            s_.Paso("Escribir", [&] { real_->Escribir(posición, datos.substr(0, datos.size() / 2)); });
            return real_->Escribir(posición, datos);
        }
        bool Sincronizar() override {
            s_.Paso("Sincronizar");
            return real_->Sincronizar();
        }
        bool Truncar(std::uint64_t tamaño) override {
            s_.Paso("Truncar");
            return real_->Truncar(tamaño);
        }
        std::optional<std::uint64_t> Tamaño() override { return real_->Tamaño(); }

      private:
        ArchivosQueMueren& s_;
        std::unique_ptr<Archivo> real_;
    };

    ServicioArchivos& real_;
    std::size_t muerte_;
    bool aMedias_;
};

// Where a run dies: before step k, or halfway through the write that is step k.
struct Muerte {
    std::size_t paso;
    bool aMedias;
    std::string Describir() const {
        return (aMedias ? "a medias del paso " : "antes del paso ") + std::to_string(paso);
    }
};

// Every way to die in a run of an operation that takes these steps, the last one being just after it ends.
std::vector<Muerte> MuertesPosibles(const std::vector<std::string>& pasos) {
    std::vector<Muerte> muertes;
    for (std::size_t k = 1; k <= pasos.size(); ++k) {
        muertes.push_back({k, false});
        if (pasos[k - 1] == "Escribir") muertes.push_back({k, true});
    }
    muertes.push_back({pasos.size() + 1, false});
    return muertes;
}

// Runs operación over the real files in a child process that dies as told. True when the child died.
bool MorirDurante(const Muerte& m, const std::function<bool(ServicioArchivos&)>& operación) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ArchivosPosix posix;
        ArchivosQueMueren archivos(posix, m.paso, m.aMedias);
        const bool hecho = operación(archivos);
        if (m.paso > archivos.pasos.size()) ::raise(SIGKILL);
        std::_Exit(hecho ? 0 : 1);
    }
    int estado = 0;
    ::waitpid(pid, &estado, 0);
    return WIFSIGNALED(estado) && WTERMSIG(estado) == SIGKILL;
}

class MuerteEnCadaPaso : public ::testing::Test {
  protected:
    std::filesystem::path Datos(const std::string& nombre = kNombreArchivoDeclaraciones) const {
        return carpeta.Datos() / nombre;
    }
    // The files of Datos and their bytes.
    std::map<std::string, std::string> Carpeta() const {
        std::map<std::string, std::string> archivos;
        for (const auto& e : std::filesystem::directory_iterator(carpeta.Datos()))
            archivos[e.path().filename().string()] = LeerArchivo(e.path());
        return archivos;
    }
    void Vaciar() const {
        for (const auto& e : std::filesystem::directory_iterator(carpeta.Datos()))
            std::filesystem::remove_all(e.path());
    }
    // The steps of the operation when nothing goes wrong.
    std::vector<std::string> Pasos(const std::function<bool(ServicioArchivos&)>& operación) {
        ArchivosQueMueren archivos(posix, 0, false);
        EXPECT_TRUE(operación(archivos));
        return archivos.pasos;
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

// A save killed at any step: once the file is opened again, the rewritten return is either its old record or
// its new one, never a mix, the other records are as they were, and nothing of the save is left beside it.
TEST_F(MuerteEnCadaPaso, UnGuardadoInterrumpidoDejaLaVersionAnteriorOLaNueva) {
    struct Caso {
        const char* nombre;
        std::int32_t slot; // 7 appends; record 6 straddles the first 4096 bytes
        std::size_t cola;  // bytes of a cut record after the six whole ones
    };
    const Caso casos[] = {{"reescribir", 6, 0},
                          {"reescribir el primero", 1, 0},
                          {"añadir", 7, 0},
                          {"añadir sobre una cola", 7, 500},
                          {"reescribir con cola", 6, 300}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        const std::string inicial = Registros(1, 6) + std::string(Registros(7, 7, 9)).substr(0, c.cola);
        const auto nuevo = bucle::Registro(c.slot, 2);
        auto guardar = [&](ServicioArchivos& archivos) {
            ArchivoDeclaraciones archivo(archivos, Datos());
            return archivo.AbrirLecturaEscritura() && archivo.Escribir(c.slot, nuevo);
        };
        Vaciar();
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, inicial);
        const auto pasos = Pasos(guardar);
        for (const auto& m : MuertesPosibles(pasos)) {
            SCOPED_TRACE(m.Describir());
            Vaciar();
            carpeta.EscribirDatos(kNombreArchivoDeclaraciones, inicial);
            ASSERT_TRUE(MorirDurante(m, guardar));

            ArchivoDeclaraciones archivo(posix, Datos());
            ASSERT_TRUE(archivo.AbrirLectura());
            // Only what the program itself keeps is in Datos: the data file, and the tail an append covers.
            auto archivos = Carpeta();
            if (c.slot == 7)
                std::erase_if(archivos, [](const auto& a) { return a.first.ends_with(kSufijoResto); });
            ASSERT_EQ(archivos.size(), 1u) << archivos.rbegin()->first;
            const std::string bytes = archivos.begin()->second;
            for (std::int32_t slot = 1; slot <= 6; ++slot) {
                if (slot == c.slot) continue;
                EXPECT_EQ(std::string_view(bytes).substr((slot - 1) * kLongitudRegistro, kLongitudRegistro),
                          bucle::Registro(slot, 1).Bytes())
                    << "registro " << slot;
            }
            RegistroDeclaración leído;
            if (c.slot <= 6) {
                ASSERT_TRUE(archivo.Leer(c.slot, leído));
                EXPECT_TRUE(leído == bucle::Registro(c.slot, 1) || leído == nuevo)
                    << "mezcla: " << (bucle::Leer(leído) ? "" : "ni la versión 1 ni la 2");
            } else if (archivo.NúmeroRegistros() == 7) {
                ASSERT_TRUE(archivo.Leer(7, leído));
                EXPECT_EQ(leído, nuevo);
            }
            archivo.Cerrar();

            // The next save goes through and leaves exactly the records.
            ArchivoDeclaraciones siguiente(posix, Datos());
            ASSERT_TRUE(siguiente.AbrirLecturaEscritura());
            EXPECT_TRUE(siguiente.Escribir(c.slot, nuevo));
            siguiente.Cerrar();
            std::string esperado = Registros(1, 6);
            if (c.slot == 7)
                esperado += nuevo.Bytes();
            else
                esperado.replace((c.slot - 1) * kLongitudRegistro, kLongitudRegistro, nuevo.Bytes()),
                    esperado += std::string(Registros(7, 7, 9)).substr(0, c.cola);
            // A tail that the append covered is kept beside the file, never lost.
            auto carpetaDespués = Carpeta();
            if (c.slot == 7)
                std::erase_if(carpetaDespués, [](const auto& a) { return a.first.ends_with(kSufijoResto); });
            EXPECT_EQ(carpetaDespués,
                      (std::map<std::string, std::string>{{kNombreArchivoDeclaraciones, esperado}}));
        }
    }
}

// What a rewrite cut short leaves beside the file is only used on the record it was cut on: a data file put
// back from a copy after the crash is left alone, and a folder that cannot be written keeps it for later.
TEST_F(MuerteEnCadaPaso, LoQueDejaUnaReescrituraCortadaSoloSeAplicaASuRegistro) {
    const std::string inicial = Registros(1, 6);
    const auto nuevo = bucle::Registro(6, 2);
    auto guardar = [&](ServicioArchivos& archivos) {
        ArchivoDeclaraciones archivo(archivos, Datos());
        return archivo.AbrirLecturaEscritura() && archivo.Escribir(6, nuevo);
    };
    auto cortar = [&] {
        Vaciar();
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, inicial);
        const auto pasos = Pasos(guardar);
        // The record's own write is the last one.
        const auto última = std::find(pasos.rbegin(), pasos.rend(), "Escribir");
        Vaciar();
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, inicial);
        ASSERT_TRUE(MorirDurante({static_cast<std::size_t>(pasos.rend() - última), true}, guardar));
        ASSERT_EQ(Carpeta().size(), 2u);
        ASSERT_NE(LeerArchivo(Datos()), inicial);
    };

    // Another file in its place: a copy of the same returns one version later, and one of other returns.
    for (const std::string& otro : {Registros(1, 7, 3), Registros(11, 16)}) {
        cortar();
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, otro);
        ArchivoDeclaraciones archivo(posix, Datos());
        ASSERT_TRUE(archivo.AbrirLecturaEscritura());
        EXPECT_EQ(Carpeta(), (std::map<std::string, std::string>{{kNombreArchivoDeclaraciones, otro}}));
    }

    // A disk that refuses the write that would put the record back: the file is not opened for writing and
    // the side file stays.
    cortar();
    ArchivosFallidos lleno(posix);
    lleno.LlenarDiscoEnEscritura(1, 0);
    ArchivoDeclaraciones sinSitio(lleno, Datos());
    EXPECT_FALSE(sinSitio.AbrirLecturaEscritura());
    EXPECT_EQ(Carpeta().size(), 2u);
    sinSitio.Cerrar();

    // A folder that refuses writes: reading goes on, writing waits until the record can be put back.
    cortar();
    ArchivosFallidos soloLectura(posix);
    soloLectura.soloLectura = true;
    ArchivoDeclaraciones archivo(soloLectura, Datos());
    EXPECT_TRUE(archivo.AbrirLectura());
    EXPECT_FALSE(archivo.AbrirLecturaEscritura());
    EXPECT_EQ(Carpeta().size(), 2u);
    soloLectura.soloLectura = false;
    ASSERT_TRUE(archivo.AbrirLecturaEscritura());
    EXPECT_EQ(Carpeta(), (std::map<std::string, std::string>{{kNombreArchivoDeclaraciones, inicial}}));
}

bool TerminaEn(const std::string& nombre, std::string_view final) {
    return nombre.size() >= final.size() &&
           nombre.compare(nombre.size() - final.size(), final.size(), final) == 0;
}

// A conversion killed at any step: the data file is the old one or the whole new one, never a mix; once it
// is the new one, the old one is kept under its backup name; and the next start ends the job, leaving the
// new file and, beside it, nothing but whole backups of the old one.
TEST_F(MuerteEnCadaPaso, UnaConversionInterrumpidaDejaElArchivoViejoOElNuevoYSiempreLaCopia) {
    constexpr const char* kVersión = "3.2.2";
    for (const DisposiciónAntigua* d : {&kDisposiciónA, &kDisposiciónB}) {
        SCOPED_TRACE(d->sufijoCopia);
        std::string viejo;
        for (int i = 1; i <= 9; ++i)
            viejo += Antiguo{.disposiciónA = d == &kDisposiciónA,
                             .marca = i == 4 ? '*' : ' ',
                             .versión = d == &kDisposiciónA ? "2.1.1" : "2.3.2",
                             .nif = std::to_string(10'000'000 + i) + "X",
                             .líneas = {{std::to_string(1000 + i), "13"}}}
                         .Bytes();
        const auto nuevo = ConvertirContenido(viejo, *d, kVersión);
        ASSERT_TRUE(nuevo && nuevo->size() == 8 * kLongitudRegistro);
        auto convertir = [&](ServicioArchivos& archivos) {
            MensajesTolerantes mensajes; // OK to the question
            return ConvertirArchivoDatos(archivos, carpeta.Datos(), mensajes, kVersión) ==
                   ResultadoConversión::Convertido;
        };
        Vaciar();
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, viejo);
        const auto pasos = Pasos(convertir);
        // The converted file written and synced, the backup name given, the rename.
        ASSERT_GE(pasos.size(), 4u);
        EXPECT_EQ(pasos.back(), "Renombrar");
        for (const auto& m : MuertesPosibles(pasos)) {
            SCOPED_TRACE(m.Describir() + " (" + (m.paso <= pasos.size() ? pasos[m.paso - 1] : "fin") + ")");
            Vaciar();
            carpeta.EscribirDatos(kNombreArchivoDeclaraciones, viejo);
            ASSERT_TRUE(MorirDurante(m, convertir));

            auto archivos = Carpeta();
            const std::string datos = archivos[kNombreArchivoDeclaraciones];
            ASSERT_TRUE(datos == viejo || datos == *nuevo)
                << "el archivo de datos mezcla los dos (" << datos.size() << " bytes)";
            bool copia = false;
            for (const auto& [nombre, bytes] : archivos)
                copia = copia || (TerminaEn(nombre, d->sufijoCopia) && bytes == viejo);
            EXPECT_TRUE(datos == viejo || copia) << "convertido sin copia del viejo";

            MensajesTolerantes mensajes;
            EXPECT_EQ(ConvertirArchivoDatos(posix, carpeta.Datos(), mensajes, kVersión),
                      datos == viejo ? ResultadoConversión::Convertido : ResultadoConversión::SinCambios);
            archivos = Carpeta();
            EXPECT_EQ(archivos[kNombreArchivoDeclaraciones], *nuevo);
            ASSERT_GE(archivos.size(), 2u);
            for (const auto& [nombre, bytes] : archivos) {
                if (nombre == kNombreArchivoDeclaraciones) continue;
                EXPECT_TRUE(TerminaEn(nombre, d->sufijoCopia)) << nombre;
                EXPECT_EQ(bytes, viejo) << nombre;
            }
        }
    }
}

} // namespace
