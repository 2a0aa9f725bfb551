// Saves returns in a loop until it is killed, for the fault tests:
//   m817_guardar_en_bucle <Declaraciones.txt> <seed> <most records>
//   m817_guardar_en_bucle <Declaraciones.txt> <id> anadir
// Each pass opens the file as the program does, then either appends a new return (while the file holds fewer
// than <most records>) or saves one of the returns already there again (its next version). It prints "INTENTO
// <slot> <vez>" before the save and "OK <slot> <vez>" only once the save has returned true; a failed save
// prints "FALLO" and ends with 2.
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

// Straight to the pipe: a report must never wait in a buffer that dies with the process.
void Informar(const char* qué, std::int32_t slot, std::int32_t vez) {
    const std::string línea =
        std::string(qué) + " " + std::to_string(slot) + " " + std::to_string(vez) + "\n";
    for (std::size_t hecho = 0; hecho < línea.size();) {
        const ssize_t n = ::write(STDOUT_FILENO, línea.data() + hecho, línea.size() - hecho);
        if (n <= 0) std::_Exit(3);
        hecho += static_cast<std::size_t>(n);
    }
}

int AñadirEnBucle(const std::filesystem::path& ruta, const char* id) {
    using namespace m817;
    const auto slot = static_cast<std::int32_t>(std::strtol(id, nullptr, 10));
    ArchivosPosix archivos;
    for (std::int32_t vez = 1;; ++vez) {
        ArchivoDeclaraciones archivo(archivos, ruta);
        const auto n =
            archivo.AbrirLecturaEscritura() ? archivo.Añadir(bucle::Registro(slot, vez)) : std::nullopt;
        if (!n) {
            Informar("FALLO", slot, vez);
            return 2;
        }
        const std::string línea =
            "OK " + std::to_string(slot) + " " + std::to_string(vez) + " " + std::to_string(*n) + "\n";
        if (::write(STDOUT_FILENO, línea.data(), línea.size()) != static_cast<ssize_t>(línea.size()))
            std::_Exit(3);
    }
}

} // namespace

int main(int argc, char** argv) {
    using namespace m817;
    if (argc != 4) {
        std::fprintf(stderr, "uso: %s <Declaraciones.txt> <semilla> <máximo de registros>\n", argv[0]);
        return 1;
    }
    const std::filesystem::path ruta = argv[1];
    // "anadir <id>" for the third argument's place: this copy only appends, as one of several at once,
    // and reports "OK <id> <vez> <record number given>".
    if (std::string(argv[3]) == "anadir") return AñadirEnBucle(ruta, argv[2]);
    std::mt19937 azar(static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)));
    const auto máximo =
        std::max<std::int32_t>(1, static_cast<std::int32_t>(std::strtol(argv[3], nullptr, 10)));
    ArchivosPosix archivos;
    for (;;) {
        ArchivoDeclaraciones archivo(archivos, ruta);
        const auto registros = archivo.AbrirLecturaEscritura() ? archivo.NúmeroRegistros() : std::nullopt;
        if (!registros) {
            Informar("FALLO", 0, 0);
            return 2;
        }
        std::int32_t slot = *registros + 1, vez = 1;
        if (*registros >= máximo || (*registros > 0 && azar() % 3 != 0)) {
            slot = 1 + static_cast<std::int32_t>(azar() % static_cast<std::uint32_t>(*registros));
            RegistroDeclaración actual;
            const auto marca = archivo.Leer(slot, actual) ? bucle::Leer(actual) : std::nullopt;
            if (!marca || marca->slot != slot) {
                Informar("FALLO", slot, 0);
                return 2;
            }
            vez = marca->vez + 1;
        }
        const auto registro = bucle::Registro(slot, vez);
        Informar("INTENTO", slot, vez);
        const bool guardado =
            slot == *registros + 1 ? archivo.Añadir(registro) == slot : archivo.Escribir(slot, registro);
        archivo.Cerrar();
        if (!guardado) {
            Informar("FALLO", slot, vez);
            return 2;
        }
        Informar("OK", slot, vez);
    }
}
