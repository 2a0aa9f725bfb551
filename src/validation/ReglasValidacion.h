#pragma once
// What is wrong with the return on the sheet: the rules of every field, run for one field when it is left
// (with the refusals that keep the user in it) or for the whole return, each one filing its error or warning
// under the field's key in the error list, or clearing that key.
#include "model/Calculo.h"
#include "model/HojaDeclaracion.h"
#include "platform/CarpetaPrograma.h"
#include "platform/Mensajes.h"
#include "platform/Reloj.h"
#include "validation/ListaErrores.h"

#include <bitset>
#include <optional>
#include <string>
#include <string_view>

namespace m817 {

// Exercises before this one are refused.
inline constexpr int kPrimerEjercicio = 1993;

// The period key: the year in decimal and the last two characters of "00" followed by the period
// (2005 and "3T" give 20053T; 2005 and "7" give 200507).
std::string ClavePeriodo(int año, std::string_view periodo);
// The quarter in course: year and quarter of the date three months before hoy, then "T" (15 August 2005:
// 20052T).
std::string TrimestreEnCurso(const FechaHora& hoy);
// The month in course: year and two-digit month of the date one month before hoy (15 January 2006: 200512).
std::string MesEnCurso(const FechaHora& hoy);
// The exercise as the rules read it: the text as a 16-bit whole number, 0 when it is empty, not a number or
// out of range.
int AñoEjercicio(std::string_view texto);

// The control to check when the whole return is checked.
inline constexpr std::optional<Control> kTodosLosCampos{};

class ValidaciónDeclaración {
  public:
    ValidaciónDeclaración(HojaDeclaración& hoja, ListaErrores& errores, ServicioMensajes& mensajes,
                          const ServicioReloj& reloj, const ServicioCarpeta& carpeta);
    ValidaciónDeclaración(const ValidaciónDeclaración&) = delete;
    ValidaciónDeclaración& operator=(const ValidaciónDeclaración&) = delete;

    // campo: a control (edtNIF, edtCasilla, edtCCCIng, ...) and Index its array member (-1 when it is
    // none), or kTodosLosCampos for the whole return. A value that may not stay in the field (a text not in
    // its list, a period that cannot be repaired, an amount over the limit) shows its message, gives the
    // field the focus back, sets Cancel and ends the call. Cancel is never set back to false.
    void ValidarCampos(std::optional<Control> campo, int Index, bool& Cancel);
    // The same for a control named as data ("edtNIF"; "" for the whole return); a name that is no control
    // checks nothing.
    void ValidarCampos(std::string_view campo, int Index, bool& Cancel);

    // The whole return, run after a saved return has been put on the sheet: besides the error list, the
    // caption of every field whose value its checks reject (a text not in its list, a text with characters
    // that are not allowed, an exercise or period that is not one) is appended, followed by ", ", to
    // ListaCamposNoCargados.
    void ValidarCarga(std::string& ListaCamposNoCargados);

    // The check of the field that has the focus, as a command does before it runs; false when the field
    // refuses its value. True when no field has the focus.
    bool ValidarÚltimoCampo();

    // Armed by leaving edtNIF / edtJustifComp: the next wrong number found shows its message box; a wrong
    // number found while disarmed arms it again without a box.
    bool bMostrarErrorNIF = false;
    bool bMostrarErrorJustificante = false;

    // While a new return is put on the sheet: the municipality does not lock the administration.
    class CargaNueva {
      public:
        explicit CargaNueva(ValidaciónDeclaración& v) : v_(v) { v_.bCargando_ = true; }
        ~CargaNueva() { v_.bCargando_ = false; }
        CargaNueva(const CargaNueva&) = delete;
        CargaNueva& operator=(const CargaNueva&) = delete;

      private:
        ValidaciónDeclaración& v_;
    };
    bool Cargando() const { return bCargando_; }

  private:
    struct Llamada;

    bool Administración(Llamada& ll);
    void Ejercicio(const Llamada& ll);
    bool Periodo(Llamada& ll);
    void Complementaria();
    void ADeducir();
    void Justificante(const Llamada& ll);
    void NIF(const Llamada& ll);
    void TextoLibre(const Llamada& ll, IdCampo id, const std::string* obligatorio, int tipo,
                    const std::string& mensaje, int desplazamiento);
    // The content check of a free-text or number field; in load mode a failure names the field.
    bool Contenido(IdCampo id, std::string texto, int tipo);
    bool Provincia(Llamada& ll);
    bool Municipio(Llamada& ll);
    void AdministraciónDelMunicipio();
    void CódigoPostal(const Llamada& ll);
    bool Casillas(Llamada& ll);
    bool Casilla(Llamada& ll, int i);
    void CuentaIngreso(const Llamada& ll);
    void CuentaDevolución(const Llamada& ll);

    // The checks the calculation asks for while a check runs (their refusals cancel nothing).
    ValidarCamposFn ValidarAnidado();
    // Steps shared by the five list fields when one is left; false when the value is refused.
    bool PasosLista(Llamada& ll, IdCampo id, const std::string& errónea);
    void RecortarCampo(IdCampo id);
    bool Detener(Llamada& ll, IdCampo id, const std::string& mensaje);
    void Error(IdCampo id, const std::string& mensaje, int desplazamiento = 0);
    void Aviso(IdCampo id, const std::string& mensaje, int desplazamiento = 0);
    void Correcto(IdCampo id);
    // Load mode: the field's caption goes to the list of fields not loaded (once per load).
    void NoCargado(IdCampo id);

    HojaDeclaración& hoja_;
    ListaErrores& errores_;
    ServicioMensajes& mensajes_;
    const ServicioReloj& reloj_;
    const ServicioCarpeta& carpeta_;
    bool bCargando_ = false;
    std::string* noCargados_ = nullptr;
    std::bitset<kNúmeroCampos> yaNoCargados_;
};

} // namespace m817
