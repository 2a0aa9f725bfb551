// Two saving loops that only append, on one file, killed together at random moments: the record number of
// each append is decided under the file's lock, so no confirmed return is ever overwritten by the other.
#include "store/ArchivoDeclaraciones.h"
#include "store/guardar_en_bucle/RegistroEnBucle.h"
#include "support/Dobles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <random>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace m817;
using namespace m817::prueba;

namespace {

struct Bucle {
    pid_t pid = -1;
    int salida = -1;
    std::string leído;
};

Bucle Lanzar(const std::filesystem::path& archivo, int id) {
    int tubo[2];
    if (::pipe2(tubo, O_CLOEXEC) != 0) return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(tubo[1], STDOUT_FILENO);
        const std::string programa = M817_BINARY_DIR "/m817_guardar_en_bucle", textoId = std::to_string(id);
        ::execl(programa.c_str(), programa.c_str(), archivo.c_str(), textoId.c_str(), "anadir", nullptr);
        ::_exit(127);
    }
    ::close(tubo[1]);
    return {pid, tubo[0], {}};
}

// Reads what the loops print for `espera`, then kills them and reads the rest.
void MatarTras(std::vector<Bucle>& bucles, std::chrono::microseconds espera) {
    const auto fin = std::chrono::steady_clock::now() + espera;
    char bloque[4096];
    while (std::chrono::steady_clock::now() < fin) {
        std::vector<pollfd> p;
        for (auto& b : bucles)
            p.push_back({b.salida, POLLIN, 0});
        if (::poll(p.data(), p.size(), 1) <= 0) continue;
        for (std::size_t i = 0; i < p.size(); ++i)
            if (p[i].revents & POLLIN)
                if (const ssize_t n = ::read(bucles[i].salida, bloque, sizeof bloque); n > 0)
                    bucles[i].leído.append(bloque, static_cast<std::size_t>(n));
    }
    for (auto& b : bucles) {
        ::kill(b.pid, SIGKILL);
        ::waitpid(b.pid, nullptr, 0);
        for (ssize_t n; (n = ::read(b.salida, bloque, sizeof bloque)) > 0;)
            b.leído.append(bloque, static_cast<std::size_t>(n));
        ::close(b.salida);
    }
}

TEST(AñadirEnParalelo, DosBuclesQueAñadenNoSePisanNiAlMatarlos) {
    CarpetaTemporal carpeta;
    const auto ruta = RutaDeclaraciones(carpeta.Datos());
    std::mt19937 azar(750);
    std::map<std::int32_t, bucle::Marca> confirmados; // record number -> the return it was given to
    int añadidos = 0;
    for (int vuelta = 0; vuelta < 30; ++vuelta) {
        SCOPED_TRACE("vuelta " + std::to_string(vuelta));
        // Each run's loops carry new ids, so that the returns of every run are told apart.
        const int a = 2 * vuelta + 1, b = 2 * vuelta + 2;
        std::vector<Bucle> bucles = {Lanzar(ruta, a), Lanzar(ruta, b)};
        MatarTras(bucles, std::chrono::microseconds(5'000 + azar() % 40'000));
        for (const auto& bl : bucles) {
            std::istringstream líneas(bl.leído.substr(0, bl.leído.rfind('\n') + 1));
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
    // Not a vacuous pass: both loops appended, many times.
    EXPECT_GE(añadidos, 60);
}

} // namespace
