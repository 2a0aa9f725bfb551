#pragma once
// The sheet window's behaviour: it owns the return on screen and hands the events of its fields to the
// modules that react to them (lists, calculation, ...). What the sheet does lives in those modules.
#include "model/Calculo.h"
#include "model/HojaDeclaracion.h"
#include "platform/Archivos.h"
#include "platform/CarpetaPrograma.h"
#include "platform/Mensajes.h"
#include "platform/Reloj.h"
#include "store/RegistroDeclaracion.h"
#include "validation/EntradaCampos.h"
#include "validation/ListaErrores.h"
#include "validation/ReglasValidacion.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace m817 {

class frmHoja1 {
public:
    frmHoja1(ServicioMensajes& mensajes, ServicioReloj& reloj, ServicioCarpeta& carpeta,
             ServicioArchivos& archivos);
    frmHoja1(const frmHoja1&) = delete;
    frmHoja1& operator=(const frmHoja1&) = delete;

    HojaDeclaración hoja;
    // The stored form of the return on screen.
    RegistroDeclaración registro;

    // Loading: exercise warning, tables, exercise, periods, municipality-administration table, help contexts,
    // a new declaration, and the exercise and period it shows. The sheet as it then stands is kept: every
    // return is opened over it (AbrirDeclaración).
    void Form_Load();

    // The saved returns of Datos/Declaraciones.txt (Declaraciones.cpp). Each returns true when it was carried
    // out; a failure has been told to the user and leaves the sheet and the file as they were.
    //
    // A new, empty return on the sheet, once the user lets the one on screen go.
    bool NuevaDeclaración();
    // Loads record NumRegistro and gives it the identity IdDeclaración (0: an unsaved copy, which never
    // carries print data).
    bool AbrirDeclaración(std::int32_t NumRegistro, std::int32_t IdDeclaración);
    // Saves the return into its own record, or after the last one when it has none yet. bPreguntar: a changed
    // return that was printed asks before it loses its print data.
    bool GuardarDeclaración(bool bPreguntar);
    // Blanks record NumRegistro and marks it deleted, after asking; the sheet keeps what it shows.
    bool EliminarDeclaración(std::int32_t NumRegistro);
    // May the return on screen be let go? Asks to save it when it has changed (Yes / No / Cancel).
    bool ConfirmarGuardarCambios();

    // Names of the fields whose stored values the last load rejected, each followed by ", ".
    const std::string& ListaCamposNoCargados() const { return listaCamposNoCargados_; }
    // The exercise of the return on screen as the last load read it; receipt numbers are made with it.
    std::int16_t EjercicioDeclaración() const { return ejercicioDeclaración_; }

    // Checks the control campo (and member Index), or the whole return for kTodosLosCampos.
    void ValidarCampos(std::optional<Control> campo, int Index, bool& Cancel);
    // The same for a control named as data ("" for the whole return).
    void ValidarCampos(std::string_view campo, int Index, bool& Cancel);
    // Told of every check asked for (the field key and index), before it runs.
    std::function<void(std::string_view campo, int Index)> alValidar;
    // The check of the field with the focus, which the user may have left for a menu.
    bool ValidarÚltimoCampo() { return validación.ValidarÚltimoCampo(); }

    ServicioMensajes& mensajes;
    ServicioReloj& reloj;
    ServicioCarpeta& carpeta;
    ServicioArchivos& archivos;
    // Kept here for the main window's error panel, which shows it.
    ListaErrores errores;
    ValidaciónDeclaración validación;
    // Key filter and field events; the window that scrolls the sheet hands in its scroll bars.
    EntradaCampos entrada;

private:
    std::string listaCamposNoCargados_;
    std::int16_t ejercicioDeclaración_ = 0;

    // Between the sheet's fields and the record image.
    void MoverPantallaARegistro();
    void MoverRegistroAPantalla();
    // The fields a load could not put on the sheet, told to the user.
    void MostrarErroresCarga();

    // What a freshly started program shows before it opens a return: the sheet, its error list, the message
    // toggles of the checks and the exercise of the return on it, as Form_Load left them.
    struct EstadoRecién {
        InstantáneaHoja hoja;
        std::vector<ListaErrores::Entrada> errores;
        bool bMostrarErrorNIF = false;
        bool bMostrarErrorJustificante = false;
        std::int16_t EjercicioDeclaración = 0;
    };
    // Puts the sheet back as Form_Load left it, so that opening a return gives what it gives on a program
    // just started, whatever the sheet held before. Nothing when Form_Load has not run.
    void VolverAlEstadoRecién();
    std::optional<EstadoRecién> recién_;

    void Conectar();
    void Campo_Change(IdCampo id);
    void Campo_Click(IdCampo id);
    void Campo_KeyDown(IdCampo id, TeclaEdición tecla);
    // The save itself, after the print data check.
    bool GuardarRegistro();

    // What the calculation calls to check the payment and account fields.
    ValidarCamposFn validar_;
};

} // namespace m817
