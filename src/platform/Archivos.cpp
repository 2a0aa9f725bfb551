#include "platform/Archivos.h"

#include <array>

namespace m817 {

bool Archivo::Añadir(std::string_view datos) {
    const auto tamaño = Tamaño();
    return tamaño && Escribir(*tamaño, datos);
}

bool Archivo::LeerResto(std::uint64_t posición, std::string& destino) {
    destino.clear();
    const auto tamaño = Tamaño();
    if (!tamaño) return false;
    if (*tamaño > posición) destino.resize(static_cast<std::size_t>(*tamaño - posición));
    std::size_t hecho = 0;
    while (hecho < destino.size()) {
        const auto leídos = Leer(posición + hecho, std::span<char>(destino).subspan(hecho));
        if (!leídos) return false;
        if (*leídos == 0) break; // shrunk meanwhile
        hecho += *leídos;
    }
    destino.resize(hecho);
    // Grown meanwhile: take the rest too.
    std::array<char, 4096> más;
    for (;;) {
        const auto leídos = Leer(posición + destino.size(), más);
        if (!leídos) return false;
        if (*leídos == 0) return true;
        destino.append(más.data(), *leídos);
    }
}

bool ServicioArchivos::LeerTodo(const std::filesystem::path& ruta, std::string& destino) {
    destino.clear();
    auto archivo = Abrir(ruta, ModoApertura::Lectura);
    return archivo && archivo->LeerResto(0, destino);
}

} // namespace m817
