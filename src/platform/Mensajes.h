#pragma once
// Message boxes. Texts and titles are Windows-1252.
#include <string>

namespace m817 {

enum class Icono { Ninguno, Crítico, Pregunta, Exclamación, Información };
enum class Botones { Aceptar, AceptarCancelar, SíNo, SíNoCancelar };
enum class Respuesta { Aceptar, Cancelar, Sí, No };

struct Mensaje {
    std::string texto;
    std::string título;        // empty: the application title
    Icono icono = Icono::Ninguno;
    Botones botones = Botones::Aceptar;
    Respuesta predeterminado = Respuesta::Aceptar;
};

class ServicioMensajes {
public:
    virtual ~ServicioMensajes() = default;
    virtual Respuesta Mostrar(const Mensaje& m) = 0;
    virtual void Pitido() = 0;
};

// The application title, also the title of a message box that names none.
inline constexpr const char* kTítuloAplicación = "Modelo 817";

// The usual shapes: an error (critical icon, OK), a question (Yes/No, No by default).
Respuesta MostrarError(ServicioMensajes& s, const std::string& texto);
Respuesta Preguntar(ServicioMensajes& s, const std::string& texto, const std::string& título = kTítuloAplicación);

} // namespace m817
