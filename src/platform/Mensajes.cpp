#include "platform/Mensajes.h"

namespace m817 {

Respuesta MostrarError(ServicioMensajes& s, const std::string& texto) {
    return s.Mostrar({texto, kTítuloAplicación, Icono::Crítico, Botones::Aceptar, Respuesta::Aceptar});
}

Respuesta Preguntar(ServicioMensajes& s, const std::string& texto, const std::string& título) {
    return s.Mostrar({texto, título, Icono::Pregunta, Botones::SíNo, Respuesta::No});
}

} // namespace m817
