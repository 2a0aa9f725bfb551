#include "lote/ServiciosLote.h"

#include "platform/Texto1252.h"

#include <algorithm>

namespace m817::lote {

namespace {

// Message texts break their lines with CR LF or a lone CR; a terminal wants LF.
std::string Líneas(std::string_view texto1252) {
    std::string s;
    for (std::size_t i = 0; i < texto1252.size(); ++i) {
        const char c = texto1252[i];
        if (c == '\r') {
            s += '\n';
            if (i + 1 < texto1252.size() && texto1252[i + 1] == '\n') ++i;
        } else {
            s += c;
        }
    }
    return Utf8(s);
}

Respuesta Rechazo(Botones b) {
    switch (b) {
    case Botones::Aceptar:
        return Respuesta::Aceptar;
    case Botones::SíNo:
        return Respuesta::No;
    case Botones::AceptarCancelar:
    case Botones::SíNoCancelar:
        return Respuesta::Cancelar;
    }
    return Respuesta::Cancelar;
}

} // namespace

Respuesta MensajesLote::Mostrar(const Mensaje& m) {
    const std::string prefijo = "modelo817-lote: " + (contexto.empty() ? std::string() : contexto + ": ");
    error_ << prefijo << Líneas(m.texto) << '\n';
    if (m.icono == Icono::Crítico) ++errores;
    if (m.botones == Botones::Aceptar) return Respuesta::Aceptar;

    if (std::find(aceptadas.begin(), aceptadas.end(), m.texto) != aceptadas.end()) {
        error_ << prefijo << "(pregunta respondida «Sí» por la línea de órdenes)\n";
        return Respuesta::Sí;
    }
    ++rechazadas;
    const Respuesta r = Rechazo(m.botones);
    error_ << prefijo << "(pregunta sin respuesta posible en una ejecución por lotes: se responde «"
           << (r == Respuesta::No ? "No" : "Cancelar") << "» y la operación no se hace)\n";
    return r;
}

const std::filesystem::path& ArchivosSoloLectura::Ruta(const std::filesystem::path& ruta) const {
    return ruta.lexically_normal() == rutaPrograma_.lexically_normal() ? rutaElegida_ : ruta;
}

std::unique_ptr<Archivo> ArchivosSoloLectura::Abrir(const std::filesystem::path& ruta, ModoApertura modo) {
    if (modo != ModoApertura::Lectura) {
        Negar();
        return nullptr;
    }
    return real_.Abrir(Ruta(ruta), modo);
}

} // namespace m817::lote
