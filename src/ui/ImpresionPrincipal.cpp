#include "ui/ImpresionPrincipal.h"

#include "platform/Aleatorio.h"
#include "platform/qt/CodigosBarrasZint.h"
#include "platform/qt/EscritorioQt.h"
#include "platform/qt/ImpresorasQt.h"
#include "print/Impresion.h"
#include "ui/frmAtencion.h"
#include "ui/frmPrincipal.h"
#include "ui/frmSeleccionarImpresora.h"

#include <QApplication>

namespace m817 {

struct ImpresiónPrincipal::Servicios {
    Servicios(frmHoja1& h, const std::string& versión)
        : impresoras(h.carpeta, h.reloj), impresión(h.hoja, h.errores, h.mensajes, h.reloj, h.carpeta,
                                                    impresoras, códigos, aleatorio, versión) {
        impresión.escritorio = &escritorio;
    }
    ImpresorasQt impresoras;
    CódigosBarrasZint códigos;
    AleatorioSistema aleatorio;
    EscritorioQt escritorio;
    ImpresiónDeclaración impresión;
};

ImpresiónPrincipal::ImpresiónPrincipal(frmPrincipal& ventana, const std::string& versión, bool depuración)
    : s_(std::make_unique<Servicios>(ventana.Hoja1(), versión)) {
    ventana.Comandos().ConectarImpresión(s_->impresión, depuración);
    auto& a = s_->impresión.acciones;
    frmPrincipal* v = &ventana;
    // Errors or warnings found before a print are shown; the check has just run.
    a.MostrarPanelErrores = [v] { v->MostrarPanelErrores(true, false); };
    a.MostrarSelecciónImpresora = [v](SelecciónImpresora& s) {
        return frmSeleccionarImpresora::Mostrar(s, v);
    };
    a.MostrarAtención = [v] { frmAtencion::Mostrar(v); };
    a.ProcesarEventos = [] { QApplication::processEvents(); };
    ventana.ActualizarComandos();
}

ImpresiónPrincipal::~ImpresiónPrincipal() = default;

} // namespace m817
