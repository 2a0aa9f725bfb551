#include "support/Dobles.h"

#include "platform/Texto1252.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace m817::prueba {
namespace {

const char* Nombre(Icono i) {
    constexpr const char* kNombres[] = {"sin icono", "crítico", "pregunta", "exclamación", "información"};
    return kNombres[static_cast<int>(i)];
}

std::string Describir(const Mensaje& m) {
    std::ostringstream o;
    o << "\"" << Utf8(m.texto) << "\" [título \"" << Utf8(m.título) << "\", " << Nombre(m.icono)
      << ", botones " << static_cast<int>(m.botones) << ", predeterminado "
      << static_cast<int>(m.predeterminado) << "]";
    return o.str();
}

} // namespace

MensajesGuion::~MensajesGuion() {
    for (const auto& p : guion_)
        ADD_FAILURE() << "No se mostró el mensaje esperado " << Describir(p.esperado);
}

MensajesGuion& MensajesGuion::Esperar(const std::string& textoUtf8, Icono icono, Botones botones,
                                      Respuesta respuesta, const std::string& títuloUtf8) {
    guion_.push_back({{W(textoUtf8), W(títuloUtf8), icono, botones, Respuesta::Aceptar}, respuesta});
    return *this;
}

MensajesGuion& MensajesGuion::EsperarError(const std::string& textoUtf8) {
    return Esperar(textoUtf8, Icono::Crítico, Botones::Aceptar, Respuesta::Aceptar);
}

MensajesGuion& MensajesGuion::EsperarPregunta(const std::string& textoUtf8, Respuesta respuesta,
                                              const std::string& títuloUtf8) {
    return Esperar(textoUtf8, Icono::Pregunta, Botones::SíNo, respuesta, títuloUtf8);
}

MensajesGuion& MensajesGuion::Predeterminado(Respuesta botón) {
    guion_.back().esperado.predeterminado = botón;
    guion_.back().comprobarPredeterminado = true;
    return *this;
}

Respuesta MensajesGuion::Mostrar(const Mensaje& m) {
    mostrados.push_back(Utf8(m.texto));
    if (guion_.empty()) {
        ADD_FAILURE() << "Mensaje inesperado " << Describir(m);
        return Respuesta::Cancelar;
    }
    Paso p = guion_.front();
    guion_.pop_front();
    std::string título = m.título.empty() ? kTítuloAplicación : m.título;
    if (m.texto != p.esperado.texto || título != p.esperado.título || m.icono != p.esperado.icono ||
        m.botones != p.esperado.botones ||
        (p.comprobarPredeterminado && m.predeterminado != p.esperado.predeterminado))
        ADD_FAILURE() << "Mensaje " << Describir(m) << "\n  esperado " << Describir(p.esperado);
    return p.respuesta;
}

Respuesta MensajesTolerantes::Mostrar(const Mensaje& m) {
    mostrados.push_back(m);
    if (m.botones == Botones::Aceptar) return Respuesta::Aceptar;
    return respuesta;
}

CarpetaTemporal::CarpetaTemporal() {
    static std::atomic<int> n{0};
    ruta_ = std::filesystem::temp_directory_path() /
            ("m817-" + std::to_string(::getpid()) + "-" + std::to_string(n++));
    std::filesystem::remove_all(ruta_);
    std::filesystem::create_directories(ruta_ / "Datos");
}

CarpetaTemporal::~CarpetaTemporal() {
    std::error_code ec;
    std::filesystem::remove_all(ruta_, ec);
}

void CarpetaTemporal::EscribirDatos(const std::string& nombre, const std::string& bytes) const {
    std::ofstream f(ruta_ / "Datos" / nombre, std::ios::binary | std::ios::trunc);
    f << bytes;
}

void CarpetaTemporal::CopiarTablasReales() const {
    for (const auto& e :
         std::filesystem::directory_iterator(std::filesystem::path(M817_SOURCE_DIR) / "Datos"))
        if (e.path().extension() == ".txt" && e.path().filename() != "Declaraciones.txt")
            std::filesystem::copy_file(e.path(), ruta_ / "Datos" / e.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing);
}

std::string LeerArchivo(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream o;
    o << f.rdbuf();
    return o.str();
}

void LocalesDePrueba() {
    ::setenv("LOCPATH", M817_BINARY_DIR "/locales", 0);
}

} // namespace m817::prueba
