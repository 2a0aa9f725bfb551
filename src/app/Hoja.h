#pragma once
// The sheet window's behaviour: it owns the return on screen and hands the events of its fields to the
// modules that react to them (lists, calculation, ...). What the sheet does lives in those modules.
#include "model/Calculo.h"
#include "model/HojaDeclaracion.h"
#include "platform/CarpetaPrograma.h"
#include "platform/Mensajes.h"
#include "platform/Reloj.h"
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

    // Checks the field with key campo (and member Index), or the whole return for an empty key. The rules are
    // handed in by the validation module through reglasValidación; without them nothing is checked.
    void ValidarCampos(std::string_view campo, int Index, bool& Cancel);
    std::function<void(std::string_view campo, int Index, bool& Cancel)> reglasValidación;

    // Brings the field that got the focus into view; handed in by the window that scrolls the sheet.
    std::function<void(IdCampo)> enfocarCampo;

    ServicioMensajes& mensajes;
    ServicioReloj& reloj;
    ServicioCarpeta& carpeta;

private:
    void Conectar();
    void Campo_Change(IdCampo id);
    void Campo_Click(IdCampo id);
    void Campo_GotFocus(IdCampo id);
    void Campo_KeyPress(IdCampo id, int& KeyAscii);
    void Campo_KeyDown(IdCampo id, TeclaEdición tecla);
    void Campo_DropDown(IdCampo id);
    void EnfocarCampo(IdCampo id);

    // What the calculation calls to check the payment and account fields.
    ValidarCamposFn validar_;
};

} // namespace m817
