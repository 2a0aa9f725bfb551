#pragma once
// The sheet window's behaviour: it owns the return on screen and hands the events of its fields to the
// modules that react to them (lists, calculation, ...). What the sheet does lives in those modules.
#include "model/Calculo.h"
#include "model/HojaDeclaracion.h"
#include "platform/CarpetaPrograma.h"
#include "platform/Mensajes.h"
#include "platform/Reloj.h"
#include "store/RegistroDeclaracion.h"
#include "validation/EntradaCampos.h"
#include "validation/ListaErrores.h"
#include "validation/ReglasValidacion.h"
#include "store/RegistroDeclaracion.h"

#include <functional>
#include <string_view>

namespace m817 {

class frmHoja1 {
public:
    frmHoja1(ServicioMensajes& mensajes, ServicioReloj& reloj, ServicioCarpeta& carpeta);
    frmHoja1(const frmHoja1&) = delete;
    frmHoja1& operator=(const frmHoja1&) = delete;

    HojaDeclaración hoja;
    // The stored form of the return on screen.
    RegistroDeclaración registro;

    // Loading: exercise warning, tables, exercise, periods, municipality-administration table, help contexts,
    // a new declaration, and the exercise and period it shows.
    void Form_Load();

    // A new, empty return on the sheet.
    bool NuevaDeclaración();

    // Checks the field with key campo (and member Index), or the whole return for an empty key.
    void ValidarCampos(std::string_view campo, int Index, bool& Cancel);
    // Told of every check asked for (the field key and index), before it runs.
    std::function<void(std::string_view campo, int Index)> alValidar;
    // The check of the field with the focus, which the user may have left for a menu.
    bool ValidarÚltimoCampo() { return validación.ValidarÚltimoCampo(); }

    ServicioMensajes& mensajes;
    ServicioReloj& reloj;
    ServicioCarpeta& carpeta;
    // Kept here for the main window's error panel, which shows it.
    ListaErrores errores;
    ValidaciónDeclaración validación;
    // Key filter and field events; the window that scrolls the sheet hands in its scroll bars.
    EntradaCampos entrada;

private:
    void Conectar();
    void Campo_Change(IdCampo id);
    void Campo_Click(IdCampo id);
    void Campo_KeyDown(IdCampo id, TeclaEdición tecla);

    // What the calculation calls to check the payment and account fields.
    ValidarCamposFn validar_;
};

} // namespace m817
