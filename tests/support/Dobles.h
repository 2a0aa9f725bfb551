#pragma once
// Scripted doubles of the platform services.
#include "platform/CarpetaPrograma.h"
#include "platform/Mensajes.h"
#include "platform/Reloj.h"

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

namespace m817::prueba {

// Every message the code shows must have been announced with Esperar(), with
// its exact text, title, icon and buttons; the double gives the scripted answer.
// An unexpected message fails the test that is running.
class MensajesGuion final : public ServicioMensajes {
  public:
    ~MensajesGuion() override;
    // Texts and titles in UTF-8, as written in the tests.
    MensajesGuion& Esperar(const std::string& textoUtf8, Icono icono, Botones botones,
                           Respuesta respuesta = Respuesta::Aceptar,
                           const std::string& títuloUtf8 = kTítuloAplicación);
    // An error box (critical icon, OK) with the title "Modelo 817".
    MensajesGuion& EsperarError(const std::string& textoUtf8);
    // A question (Yes/No, question icon) and the answer to give.
    MensajesGuion& EsperarPregunta(const std::string& textoUtf8, Respuesta respuesta,
                                   const std::string& títuloUtf8 = kTítuloAplicación);
    // The message announced last must also have this default button.
    MensajesGuion& Predeterminado(Respuesta botón);

    Respuesta Mostrar(const Mensaje& m) override;
    void Pitido() override { ++pitidos; }

    bool Pendientes() const { return !guion_.empty(); }
    // Every message shown, texts in UTF-8.
    std::vector<std::string> mostrados;
    int pitidos = 0;

  private:
    struct Paso {
        Mensaje esperado;
        Respuesta respuesta;
        bool comprobarPredeterminado = false;
    };
    std::deque<Paso> guion_;
};

// Answers everything with a fixed reply and remembers what was shown.
class MensajesTolerantes final : public ServicioMensajes {
  public:
    Respuesta Mostrar(const Mensaje& m) override;
    void Pitido() override { ++pitidos; }
    std::vector<Mensaje> mostrados;
    Respuesta respuesta = Respuesta::Aceptar;
    int pitidos = 0;
};

class RelojFijo final : public ServicioReloj {
  public:
    explicit RelojFijo(FechaHora f = {2010, 11, 15, 10, 0, 0}) : ahora(f) {}
    FechaHora Ahora() const override { return ahora; }
    FechaHora ahora;
};

// A fresh program folder in the temporary directory, removed afterwards.
class CarpetaTemporal final : public ServicioCarpeta {
  public:
    CarpetaTemporal();
    ~CarpetaTemporal() override;
    std::filesystem::path Programa() const override { return ruta_; }
    // Writes Datos/<nombre> with the given Windows-1252 (or raw) bytes.
    void EscribirDatos(const std::string& nombre, const std::string& bytes) const;
    // Copies the real reference tables of the repository into Datos/.
    void CopiarTablasReales() const;

  private:
    std::filesystem::path ruta_;
};

std::string LeerArchivo(const std::filesystem::path& p);

// The test build makes es_ES.utf8 in its own folder; LOCPATH leads there (ctest sets it, a test binary run by
// hand gets it here).
void LocalesDePrueba();

} // namespace m817::prueba
