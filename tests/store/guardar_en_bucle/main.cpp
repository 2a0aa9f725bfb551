// Saves returns in a loop until it is killed, for the fault tests:
//   m817_guardar_en_bucle <Declaraciones.txt> <seed> <most records>
//   m817_guardar_en_bucle <Declaraciones.txt> <id> anadir
// Each pass opens the file as the program does, then appends a new return (while the file holds fewer than
// <most records>) or saves one already there again (its next version). It prints "INTENTO <slot> <vez>"
// before the save and "OK <slot> <vez>" once the save has returned true. With "anadir" it only appends the
// returns <id> 1, 2... and prints "OK <id> <vez> <record number given>". A failed save prints "FALLO" and
// ends with 2.
#include "RegistroEnBucle.h"

#include "platform/ArchivosPosix.h"
#include "store/ArchivoDeclaraciones.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <unistd.h>

namespace {

// Straight to the output: a report must never wait in a buffer that dies with the process.
void Informar(const char* qué, std::int32_t slot, std::int32_t vez, const std::string& más = "") {
    const std::string línea =
        std::string(qué) + " " + std::to_string(slot) + " " + std::to_string(vez) + más + "\n";
    for (std::size_t hecho = 0; hecho < línea.size();) {
        const ssize_t n = ::write(STDOUT_FILENO, línea.data() + hecho, línea.size() - hecho);
        if (n <= 0) std::_Exit(3);
        hecho += static_cast<std::size_t>(n);
    }
}

} // namespace

int main(int argc, char** argv) {
    using namespace m817;
    if (argc != 4) {
        std::fprintf(stderr, "uso: %s <Declaraciones.txt> <semilla> <máximo de registros>|anadir\n", argv[0]);
        return 1;
    }
    const bool soloAñadir = std::string(argv[3]) == "anadir";
    const auto id = static_cast<std::int32_t>(std::strtol(argv[2], nullptr, 10));
    std::mt19937 azar(static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)));
    const auto máximo =
        std::max<std::int32_t>(1, static_cast<std::int32_t>(std::strtol(argv[3], nullptr, 10)));
    ArchivosPosix archivos;
    for (std::int32_t añadidos = 1;; ++añadidos) {
        ArchivoDeclaraciones archivo(archivos, argv[1]);
        const auto registros = archivo.AbrirLecturaEscritura() ? archivo.NúmeroRegistros() : std::nullopt;
        if (!registros) return Informar("FALLO", 0, 0), 2;
        if (soloAñadir) {
            const auto n = archivo.Añadir(bucle::Registro(id, añadidos));
            if (!n) return Informar("FALLO", id, añadidos), 2;
            Informar("OK", id, añadidos, " " + std::to_string(*n));
            continue;
        }
        std::int32_t slot = *registros + 1, vez = 1;
        if (*registros >= máximo || (*registros > 0 && azar() % 3 != 0)) {
            slot = 1 + static_cast<std::int32_t>(azar() % static_cast<std::uint32_t>(*registros));
            RegistroDeclaración actual;
            const auto marca = archivo.Leer(slot, actual) ? bucle::Leer(actual) : std::nullopt;
            if (!marca || marca->slot != slot) return Informar("FALLO", slot, 0), 2;
            vez = marca->vez + 1;
        }
        const auto registro = bucle::Registro(slot, vez);
        Informar("INTENTO", slot, vez);
        const bool guardado =
            slot == *registros + 1 ? archivo.Añadir(registro) == slot : archivo.Escribir(slot, registro);
        archivo.Cerrar();
        if (!guardado) return Informar("FALLO", slot, vez), 2;
        Informar("OK", slot, vez);
    }
}
