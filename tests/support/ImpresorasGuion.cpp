#include "support/ImpresorasGuion.h"

#include "platform/Texto1252.h"

#include <fstream>

namespace m817::prueba {

DatosImpresora Impresora(const std::string& nombre, int calidad, double píxel) {
    DatosImpresora d;
    d.nombre = nombre;
    d.calidad = calidad;
    d.anchoPíxel = d.altoPíxel = píxel > 0 ? píxel : (calidad > 0 ? 1440.0 / calidad : 0);
    d.controlador = "winspool";
    d.puerto = "Ne0" + std::to_string(nombre.size() % 10) + ":";
    return d;
}

std::string ImpresorasGuion::LeerPerfil(const std::string& sección, const std::string& entrada,
                                        const std::string& predeterminado) {
    const auto i = perfil.find({Mayúsculas(sección), Mayúsculas(entrada)});
    return i == perfil.end() ? predeterminado : i->second;
}

void ImpresorasGuion::EscribirPerfil(const std::string& sección, const std::string& entrada,
                                     const std::string& valor) {
    perfil[{Mayúsculas(sección), Mayúsculas(entrada)}] = valor;
}

std::string ImpresorasGuion::Perfil(const std::string& sección, const std::string& entrada) const {
    const auto i = perfil.find({Mayúsculas(sección), Mayúsculas(entrada)});
    return i == perfil.end() ? "" : i->second;
}

ResultadoImpresión ImpresorasGuion::Imprimir(const TrabajoImpresión& trabajo) {
    if (alImprimir) alImprimir(trabajo);
    const std::string device = Perfil("windows", "device");
    std::string destino = device.substr(0, device.find(','));
    bool instalada = false;
    for (const auto& d : instaladas)
        instalada = instalada || (d && d->nombre == destino);
    if (!instalada && actual >= 1 && actual <= static_cast<int>(instaladas.size()) && instaladas[actual - 1])
        destino = instaladas[actual - 1]->nombre;
    ResultadoImpresión r;
    if (!resultados.empty()) {
        r = resultados.front();
        resultados.pop_front();
    }
    impresos.push_back({trabajo, destino});
    últimoArchivo_.clear();
    for (const auto& d : instaladas)
        if (d && d->integrada && d->nombre == destino && r.Correcto())
            últimoArchivo_ = carpetaArchivos / (trabajo.título + ".pdf");
    return r;
}

namespace {
void Poner32(std::string& b, std::size_t p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[p + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
bool Escribir(const std::filesystem::path& ruta, const std::string& bytes) {
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(f);
}
} // namespace

std::string BmpMonocromo(int ancho, int alto, int resolución) {
    const std::size_t bytesFila = static_cast<std::size_t>((ancho + 31) / 32 * 4);
    const std::size_t datos = 14 + 40 + 8;
    std::string b(datos + bytesFila * static_cast<std::size_t>(alto), '\0');
    b.replace(0, 2, "BM");
    Poner32(b, 2, static_cast<std::uint32_t>(b.size()));
    Poner32(b, 10, static_cast<std::uint32_t>(datos));
    Poner32(b, 14, 40);
    Poner32(b, 18, static_cast<std::uint32_t>(ancho));
    Poner32(b, 22, static_cast<std::uint32_t>(alto));
    b[26] = 1; // planes
    b[28] = 1; // bits per pixel
    const auto porMetro = static_cast<std::uint32_t>(resolución / 0.0254 + 0.5);
    Poner32(b, 38, porMetro);
    Poner32(b, 42, porMetro);
    Poner32(b, 46, 2);
    Poner32(b, 54, 0x00FFFFFF); // index 0 white, 1 black
    return b;
}

int CódigosBarrasPrueba::CREARPDF(const std::string& contenido, int, int resolución, int,
                                  const std::filesystem::path& ruta, int& ancho, int& alto) {
    contenidos.push_back(contenido);
    resoluciones.push_back(resolución);
    if (códigoNube != código_barras::kCorrecto) return códigoNube;
    if (!Escribir(ruta, BmpMonocromo(anchoNube, altoNube, resolución))) return código_barras::kErrorArchivo;
    return ancho = anchoNube, alto = altoNube, código_barras::kCorrecto;
}

int CódigosBarrasPrueba::CREARBARRA(const std::string& número, const std::filesystem::path& ruta) {
    números.push_back(número);
    if (!escribirBarra) return código_barras::kErrorArchivo;
    return Escribir(ruta, BmpMonocromo(1056, 288, 600)) ? código_barras::kCorrecto
                                                        : código_barras::kErrorArchivo;
}

} // namespace m817::prueba
