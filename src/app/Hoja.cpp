#include "app/Hoja.h"

#include "app/ConstantesAyuda.h"
#include "app/NuevaDeclaracion.h"
#include "model/Ejercicio.h"
#include "model/Importes.h"
#include "model/Listas.h"
#include "model/Tablas.h"
#include "platform/Texto1252.h"

namespace m817 {

frmHoja1::frmHoja1(ServicioMensajes& m, ServicioReloj& r, ServicioCarpeta& c, ServicioArchivos& a)
    : mensajes(m), reloj(r), carpeta(c), archivos(a), errores(m), validación(hoja, errores, m, r, c),
      entrada(hoja, validación) {
    validar_ = [this](Control control, int índice) {
        bool cancelar = false;
        ValidarCampos(control, índice, cancelar);
    };
    Conectar();
}

void frmHoja1::Conectar() {
    auto& e = hoja.eventos;
    e.Change = [this](IdCampo id) { Campo_Change(id); };
    e.Click = [this](IdCampo id) { Campo_Click(id); };
    e.KeyDown = [this](IdCampo id, TeclaEdición tecla) { Campo_KeyDown(id, tecla); };
    e.ClickEtiqueta = [this](std::string_view nombre, int índice) {
        Etiqueta_Click(hoja, EtiquetaDeNombre(nombre), índice, validar_);
    };
    // Key preview, the fields' own keys, focus in and out, and Validate.
    entrada.Conectar(e);
}

void frmHoja1::Campo_Change(IdCampo id) {
    if (EsCampoLista(id)) Lista_Change(hoja, id, validar_);
    else if (int i = MiembroDe(id, Control::edtCasilla)) Casilla_Change(hoja, i, validar_);
    else if (int n = MiembroDe(id, Control::edtResultado)) edtResultado_Change(hoja, n, validar_);
}

void frmHoja1::Campo_Click(IdCampo id) {
    if (EsCampoLista(id)) Lista_Click(hoja, id, validar_);
    else if (int n = MiembroDe(id, Control::optResultado)) optResultado_Click(hoja, n, validar_);
    else if (int r = MiembroDe(id, Control::edtResultado)) edtResultado_Click(hoja, r, validar_);
    else if (id == campos::chkFPEfectivo || id == campos::chkFPCuenta) FormaPago_Click(hoja, id, validar_);
    else if (id == campos::chkSinActividad) chkSinActividad_Click(hoja);
}

void frmHoja1::Campo_KeyDown(IdCampo id, TeclaEdición tecla) {
    // Deleting a selection changes the return; Delete with nothing selected may change nothing.
    if (tecla == TeclaEdición::Suprimir && hoja.SelLongitud(id) > 0) hoja.RegistroModificado = true;
}

void frmHoja1::ValidarCampos(std::optional<Control> campo, int Index, bool& Cancel) {
    if (alValidar) alValidar(campo ? NombreControl(*campo) : std::string_view(), Index);
    validación.ValidarCampos(campo, Index, Cancel);
}

void frmHoja1::ValidarCampos(std::string_view campo, int Index, bool& Cancel) {
    if (alValidar) alValidar(campo, Index);
    validación.ValidarCampos(campo, Index, Cancel);
}

void frmHoja1::Form_Load() {
    if (reloj.Ahora().año != EjercicioPrograma)
        mensajes.Mostrar({W("El ejercicio de la versión no coincide con el actualmente en curso."),
                          kTítuloAplicación, Icono::Exclamación, Botones::Aceptar, Respuesta::Aceptar});
    CargarTabla(hoja, campos::cmbAdministracion, kTablaAdministraciones, false, carpeta, mensajes);
    CargarTabla(hoja, campos::cmbSigla, kTablaSiglas, true, carpeta, mensajes);
    CargarTabla(hoja, campos::cmbProvincia, kTablaProvincias, false, carpeta, mensajes);
    hoja.CargarEjercicio(static_cast<std::int16_t>(EjercicioPrograma));
    CargarPeriodos(hoja);
    CargarMunicipiosAdministraciones(hoja, carpeta, mensajes);
    AsignarContextosAyuda(hoja);
    NuevaDeclaración();
    hoja.sEjercicioVersión = ValorPorDefecto(hoja.Texto(campos::edtEjercicio), "0") +
                             ValorPorDefecto(hoja.Texto(campos::cmbPeriodo), "0");
    recién_ = EstadoRecién{hoja.Instantánea(), errores.Entradas(), validación.bMostrarErrorNIF,
                           validación.bMostrarErrorJustificante, ejercicioDeclaración_};
}

void frmHoja1::VolverAlEstadoRecién() {
    if (!recién_) return;
    hoja.Restablecer(recién_->hoja);
    errores.Restablecer(recién_->errores);
    validación.bMostrarErrorNIF = recién_->bMostrarErrorNIF;
    validación.bMostrarErrorJustificante = recién_->bMostrarErrorJustificante;
    ejercicioDeclaración_ = recién_->EjercicioDeclaración;
}

} // namespace m817
