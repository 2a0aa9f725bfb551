#pragma once
// The errors and warnings found on the return on screen, at most one entry per
// field key, in the order they were first reported. The error panel draws it
// and finds the field again by the key; printing reads the kinds.
#include "platform/Mensajes.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace m817 {

class ListaErrores {
  public:
    // Kinds passed to AnotarError.
    static constexpr int kTipoError = 1;
    static constexpr int kTipoAviso = 2;
    static constexpr int kTipoCorrecto = -1; // the field is valid now: remove its entry
    // Images of the entries.
    static constexpr int kImagenSinErrores = 1;
    static constexpr int kImagenError = 2;
    static constexpr int kImagenAviso = 3;
    // The entry shown when nothing is wrong; its text is "Declaración sin errores".
    static constexpr const char* kClaveSinErrores = "OK";
    // Style that shows no message box.
    static constexpr int kSinMensaje = -1;

    // Buttons returned by AnotarError, in the classic message-box numbering.
    static constexpr int kBotónAceptar = 1;
    static constexpr int kBotónCancelar = 2;
    static constexpr int kBotónSí = 6;
    static constexpr int kBotónNo = 7;

    struct Entrada {
        std::string clave; // field key: control name, or name "#" index (edtCasilla#07)
        std::string texto; // order number "0000", a space, the message (Windows-1252)
        int imagen = 0;    // kImagenSinErrores, kImagenError or kImagenAviso
        friend bool operator==(const Entrada&, const Entrada&) = default;
    };

    using Oyente = std::function<void()>;

    explicit ListaErrores(ServicioMensajes& mensajes) : mensajes_(mensajes) {}

    // tipo kTipoCorrecto: removes the entry of `clave` (a missing one is no error); when the list is
    //   left empty, adds the "OK" entry. `mensaje`, `orden` and `estilo` are ignored.
    // any other tipo: adds the entry of `clave`, or replaces its text and image in place, with the
    //   image tipo + 1 and the text `orden` (at least four digits) + " " + `mensaje`; removes the "OK"
    //   entry. With `estilo` >= 0 it also shows `mensaje` in a message box titled "Modelo 817":
    //     estilo % 16        buttons: 0 OK, 1 OK/Cancel, 3 Yes/No/Cancel, 4 Yes/No (others: OK)
    //     estilo & 0x70      icon: 16 critical, 32 question, 48 exclamation, 64 information, else none
    //     estilo & 0x300     default button: 0 the first, 256 the second, 512 the third (or the last)
    // Returns the button pressed (kBotón...), or -1 when no box was shown.
    // The listeners are told once after every call that changed the list.
    int AnotarError(int tipo, const std::string& clave, const std::string& mensaje, int orden, int estilo);

    const std::vector<Entrada>& Entradas() const { return entradas_; }
    // The entries of an earlier moment, in their order; the listeners are told when that changes the list.
    void Restablecer(const std::vector<Entrada>& entradas);
    const Entrada* Buscar(const std::string& clave) const;
    bool HayErrores() const { return Hay(kImagenError); }
    bool HayAvisos() const { return Hay(kImagenAviso); }

    // Registers a listener told after every change; the number returned removes it again.
    int AlCambiar(Oyente oyente);
    void QuitarOyente(int id);

    // The text of an entry: `orden` formatted "0000", a space, `mensaje`.
    static std::string TextoEntrada(int orden, const std::string& mensaje);

  private:
    bool Hay(int imagen) const;
    bool Quitar(const std::string& clave);
    int MostrarMensaje(const std::string& mensaje, int estilo);
    void Avisar();

    ServicioMensajes& mensajes_;
    std::vector<Entrada> entradas_;
    std::vector<std::pair<int, Oyente>> oyentes_;
    int siguienteOyente_ = 1;
};

} // namespace m817
