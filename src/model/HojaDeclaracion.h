#pragma once
// The return as the sheet holds it: one value and a few display states per field,
// the caret and selection of the field being edited, and which field has the
// focus. Every write, by the user or by the program, raises the same events;
// writing the value a field already holds raises nothing. The behaviour of the
// sheet (lists, calculation, checks, key filter) hangs on those events.
#include "model/Catalogo.h"
#include "platform/Teclas.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace m817 {

struct EntradaLista {
    std::string texto;   // display text (Windows-1252)
    std::int32_t código; // number, or the packed letters of a letter code
};

struct EstadoCampo {
    std::string texto;
    int valor = 0;                  // check box: 0/1; option: 1 when selected
    int posición = -1;              // chosen list entry, -1 for none
    std::vector<EntradaLista> lista; // kept in alphabetical order of the texts
    unsigned versiónLista = 0;       // grows with every change of the entries
    bool habilitado = true;
    bool bloqueado = false;
    bool visible = true;
    std::uint32_t fondo = kFondoBlanco;
    int ancla = 0;                  // selection runs from ancla to cursor
    int cursor = 0;
    int contextoAyuda = 0;
};

// Keys a one-line text box handles itself (besides typed characters). The word keys are Ctrl+Left and
// Ctrl+Right: to the start of the word before the caret, to the start of the next word.
enum class TeclaEdición { Izquierda, Derecha, Inicio, Fin, Suprimir, PalabraAnterior, PalabraSiguiente };


// The sheet's event handlers, one slot per event kind, set when the window is wired.
struct EventosHoja {
    std::function<void(IdCampo)> Change;                 // text of a text or list field changed
    std::function<void(IdCampo)> Click;                  // list entry chosen, box value changed, option selected
    std::function<void(IdCampo)> GotFocus;
    std::function<void(IdCampo, int& KeyAscii)> KeyPreview; // the sheet sees every key first
    std::function<void(IdCampo, int& KeyAscii)> KeyPress;   // then the field's own handler
    std::function<void(IdCampo, TeclaEdición)> KeyDown;
    std::function<void(IdCampo, bool& Cancel)> Validate;
    std::function<void(IdCampo)> LostFocus;
    std::function<void(IdCampo)> DropDown;
    // A click on a caption of the sheet that has a layout name (a section heading 1-6, the amount
    // caption or letter of a result 1-3).
    std::function<void(std::string_view nombre, int índice)> ClickEtiqueta;
};

// What a sheet holds of the return on it: every field (its list included), the members of the sheet and the
// field with the focus. The tables the sheet was loaded with (colMunicipiosAdministraciones,
// sEjercicioVersión) are no part of it.
struct InstantáneaHoja {
    std::array<EstadoCampo, kNúmeroCampos> campos;
    IdCampo foco = kNingúnCampo;
    bool RegistroModificado = false;
    std::array<double, 7> BaseAnterior{};
    std::array<double, 7> TipoAnterior{};
    bool bSuspenderRecalculo = false;
    bool bRecalculando = false;
    bool bCambioInterno = false;
    std::optional<int> provinciaDeMunicipios = -1;
    std::string sPeriodoResultado;
};

class HojaDeclaración {
public:
    HojaDeclaración();
    HojaDeclaración(const HojaDeclaración&) = delete;
    HojaDeclaración& operator=(const HojaDeclaración&) = delete;

    EventosHoja eventos;

    // Views listen here: a field's value or states changed, the focus moved.
    using Oyente = std::function<void(IdCampo)>;
    void AlRedibujar(Oyente f) { alRedibujar_.push_back(std::move(f)); }
    void AlMoverFoco(Oyente f) { alMoverFoco_.push_back(std::move(f)); }

    // ---- values -----------------------------------------------------------------
    const EstadoCampo& Estado(IdCampo id) const { return campos_[id]; }
    const std::string& Texto(IdCampo id) const { return campos_[id].texto; }
    void EscribirTexto(IdCampo id, const std::string& texto);
    int Valor(IdCampo id) const { return campos_[id].valor; }
    void EscribirValor(IdCampo id, int valor);       // check box; raises Click when it changes
    void SeleccionarOpción(IdCampo id);              // option; the others of its group clear
    void QuitarOpciones();                           // no option selected (raises nothing)
    int OpciónSeleccionada() const;                  // 1..3, or 0

    // ---- lists --------------------------------------------------------------------
    const std::vector<EntradaLista>& Lista(IdCampo id) const { return campos_[id].lista; }
    void VaciarLista(IdCampo id);                    // entries, choice and text emptied
    void AñadirEntrada(IdCampo id, EntradaLista e);  // inserted at its alphabetical place
    // The whole list at once, in alphabetical order (equal texts keep their given order); nothing chosen.
    void EstablecerLista(IdCampo id, std::vector<EntradaLista> entradas);
    int Posición(IdCampo id) const { return campos_[id].posición; }
    void SeleccionarEntrada(IdCampo id, int posición); // text follows; Click when an entry is chosen

    // ---- states -------------------------------------------------------------------
    void Habilitar(IdCampo id, bool sí);
    void Bloquear(IdCampo id, bool sí);
    void Mostrar(IdCampo id, bool sí);
    void Colorear(IdCampo id, std::uint32_t fondoBGR);
    void AsignarContextoAyuda(IdCampo id, int contexto) { campos_[id].contextoAyuda = contexto; }
    // Whether the user could type in the field (a box or option counts as locked).
    bool EsBloqueado(IdCampo id) const;
    bool PuedeRecibirFoco(IdCampo id) const;

    // ---- caret and selection --------------------------------------------------------
    int SelInicio(IdCampo id) const;
    int SelLongitud(IdCampo id) const;
    std::string SelTexto(IdCampo id) const;
    int Cursor(IdCampo id) const { return campos_[id].cursor; }
    void EstablecerSelección(IdCampo id, int inicio, int longitud); // caret at the end
    void EstablecerCursor(IdCampo id, int ancla, int cursor);
    // Replaces the selection with the text (no length check) and raises Change.
    void ReemplazarSelección(IdCampo id, const std::string& texto);

    // ---- what the user does -----------------------------------------------------------
    IdCampo Foco() const { return foco_; }
    // Moves the focus: Validate of the field left (which may cancel), its LostFocus,
    // then GotFocus of the new one. False when the move was cancelled.
    bool Enfocar(IdCampo destino);
    // The next (or previous) field of the focus order that can take the focus.
    IdCampo SiguienteCampo(IdCampo desde, bool atrás = false) const;
    bool Tabular(bool atrás = false);
    // A typed character: key preview, the field's handler, then the edit itself.
    // False when the key was refused (the view beeps).
    bool Teclear(int KeyAscii);
    void PulsarTecla(TeclaEdición tecla, bool mayúsculas = false);
    void ElegirEntrada(IdCampo id, int posición); // picked from the drop-down list
    void AbrirDesplegable(IdCampo id);
    void Pulsar(IdCampo id);                      // click on a field: box, option, or text (raises Click)
    // Inserts one accepted character at the selection of the field with the focus
    // (false when the field is locked or full).
    bool InsertarCarácter(char c);
    // A key handler asks for a Tab: the focus moves on once the key has been inserted.
    void EnviarTabulador();
    // Pasted characters into the field with the focus, as one edit: each passes the key preview as if typed
    // and, when accepted, replaces the selection. False when any was refused (the view beeps).
    bool Pegar(const std::string& caracteres);
    // Cut's edit: the selection of the field with the focus goes, as one edit.
    void BorrarSelección();
    // The whole text of the field with the focus selected.
    void SeleccionarTodo();
    // One level of undo, as a one-line text box has: the field with the focus gets back the text it had
    // before its last edit (a run of typed characters, a deletion, a paste, a cut), and undoing again redoes
    // it. An edit is forgotten when the focus moves or the program writes the field. False when there is
    // none.
    bool Deshacer();

    // ---- members of the sheet ------------------------------------------------------------
    bool RegistroModificado = false;
    std::array<double, 7> BaseAnterior{};  // 1..6
    std::array<double, 7> TipoAnterior{};  // 1..6
    bool bSuspenderRecalculo = false;
    bool bRecalculando = false; // a calculation pass is running: the changes it makes start no other
    // The province the municipality list was last filled for: its list position when the province field was
    // entered or a return was loaded. Forgotten, it is not known, so that the next check of the province
    // loads its municipalities whatever the sheet showed before.
    void RecordarProvinciaDeMunicipios(int posición) { provinciaDeMunicipios_ = posición; }
    void OlvidarProvinciaDeMunicipios() { provinciaDeMunicipios_.reset(); }
    bool EsProvinciaDeMunicipios(int posición) const { return provinciaDeMunicipios_ == posición; }
    std::optional<int> ProvinciaDeMunicipios() const { return provinciaDeMunicipios_; }

    // A payment box written by the program, not clicked: its handler must not take it for the user's choice.
    // The mark lasts while the guard lives, or until the handler takes it.
    class CambioInterno {
      public:
        explicit CambioInterno(HojaDeclaración& hoja) : hoja_(hoja) { hoja_.bCambioInterno_ = true; }
        ~CambioInterno() { hoja_.bCambioInterno_ = false; }
        CambioInterno(const CambioInterno&) = delete;
        CambioInterno& operator=(const CambioInterno&) = delete;

      private:
        HojaDeclaración& hoja_;
    };
    bool EsCambioInterno() const { return bCambioInterno_; }
    // The mark, cleared as it is read.
    bool TomarCambioInterno() { return std::exchange(bCambioInterno_, false); }
    // The period the result logic last worked with: checking a period that has not changed since runs it
    // no more.
    std::string sPeriodoResultado;
    std::unordered_map<std::string, std::string> colMunicipiosAdministraciones;
    std::string sEjercicioVersión;

    void CargarEjercicio(std::int16_t Ejercicio);

    // ---- the sheet as a whole ------------------------------------------------------------------
    InstantáneaHoja Instantánea() const;
    // Every field and member back as the snapshot holds them, with none of the events of a change (the views
    // draw every field again); then the focus enters the snapshot's field as from outside the sheet: its
    // GotFocus runs, and no field is validated or left.
    void Restablecer(const InstantáneaHoja& s);

private:
    bool bCambioInterno_ = false;
    std::optional<int> provinciaDeMunicipios_ = -1;
    struct TextoConCursor {
        std::string texto;
        int ancla = 0, cursor = 0;
    };
    // The field's text before its last edit, and what that edit left.
    struct EdiciónAnotada {
        IdCampo campo = kNingúnCampo;
        TextoConCursor antes, después;
        bool escritura = false; // a typed character: the next one joins the same edit
    };
    TextoConCursor Foto(IdCampo id) const { return {campos_[id].texto, campos_[id].ancla, campos_[id].cursor}; }
    // A user's edit of the field with the focus runs between these two; handlers may write the field
    // meanwhile.
    TextoConCursor EmpezarEdición(IdCampo id);
    bool TeclearEnEdición(int KeyAscii);
    void AcabarEdición(IdCampo id, const TextoConCursor& antes, bool escritura);

    void Redibujar(IdCampo id);
    void CambiarTexto(IdCampo id, std::string texto, int ancla, int cursor); // raises Change when it differs
    void Editar(IdCampo id, std::string texto, int cursor);                 // a user edit of the text

    std::array<EstadoCampo, kNúmeroCampos> campos_;
    IdCampo foco_ = kNingúnCampo;
    bool tabuladorPendiente_ = false;
    int ediciones_ = 0; // user edits under way
    EdiciónAnotada deshacer_;
    std::vector<Oyente> alRedibujar_;
    std::vector<Oyente> alMoverFoco_;
};

} // namespace m817
