#pragma once
// The platform services as the batch companion sees them: message boxes become lines on standard error and
// questions are refused, the data file can only be read, the clock may be fixed, and drafts go to files.
#include "platform/Archivos.h"
#include "platform/Impresoras.h"
#include "platform/Mensajes.h"
#include "platform/Reloj.h"

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace m817::lote {

// Every message box is written to the stream (UTF-8, one line per line of its text), after the context
// the command sets (the file and record it is working on). Nobody is there to answer: a question gets the
// refusing answer (No, or Cancel where there is one), unless its text is one the command line accepted.
class MensajesLote final : public ServicioMensajes {
  public:
    explicit MensajesLote(std::ostream& error) : error_(error) {}

    Respuesta Mostrar(const Mensaje& m) override;
    void Pitido() override {}

    // UTF-8, e.g. "/datos/Declaraciones.txt, registro 3"; empty for none.
    std::string contexto;
    // Questions (Windows-1252 texts) answered Yes.
    std::vector<std::string> aceptadas;

    // Counts since the last Reiniciar(): questions refused and error boxes (critical icon) shown.
    int rechazadas = 0;
    int errores = 0;
    void Reiniciar() { rechazadas = errores = 0; }

  private:
    std::ostream& error_;
};

// The files through which the sheet reaches the data file: only opening for reading is allowed, and the
// data file the program would use (Datos/Declaraciones.txt beside it) is the one the command line names.
class ArchivosSoloLectura final : public ServicioArchivos {
  public:
    ArchivosSoloLectura(ServicioArchivos& real, std::filesystem::path rutaPrograma,
                        std::filesystem::path rutaElegida)
        : real_(real), rutaPrograma_(std::move(rutaPrograma)), rutaElegida_(std::move(rutaElegida)) {}

    std::unique_ptr<Archivo> Abrir(const std::filesystem::path& ruta, ModoApertura modo) override;
    bool Existe(const std::filesystem::path& ruta) override { return real_.Existe(Ruta(ruta)); }
    bool EsCarpeta(const std::filesystem::path& ruta) override { return real_.EsCarpeta(Ruta(ruta)); }
    TipoRuta Tipo(const std::filesystem::path& ruta) override { return real_.Tipo(Ruta(ruta)); }
    bool Renombrar(const std::filesystem::path&, const std::filesystem::path&) override { return Negar(); }
    bool EnlazarOCopiar(const std::filesystem::path&, const std::filesystem::path&) override {
        return Negar();
    }
    bool Eliminar(const std::filesystem::path&) override { return Negar(); }

    // Attempts to change a file, all refused.
    int negadas = 0;

  private:
    const std::filesystem::path& Ruta(const std::filesystem::path& ruta) const;
    bool Negar() {
        ++negadas;
        return false;
    }

    ServicioArchivos& real_;
    std::filesystem::path rutaPrograma_;
    std::filesystem::path rutaElegida_;
};

// --fecha: the same day and time whenever it is asked.
class RelojFijo final : public ServicioReloj {
  public:
    explicit RelojFijo(FechaHora f) : f_(f) {}
    FechaHora Ahora() const override { return f_; }

  private:
    FechaHora f_;
};

// The printer drafts are sent to: each job becomes the file named before it is sent.
class ImpresoraArchivo : public ServicioImpresoras {
  public:
    virtual void Destino(const std::filesystem::path& archivo) = 0;
    // Jobs written to their files so far.
    virtual int Escritos() const = 0;
};

} // namespace m817::lote
