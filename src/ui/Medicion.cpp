#include "ui/Medicion.h"

#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"
#include "store/SeleccionDeclaraciones.h"
#include "ui/frmSeleccionarDeclaracion.h"

#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace m817 {

void SalirAlMostrarSiSePide(QWidget& ventana, frmHoja1& hoja1) {
    const QByteArray modo = qgetenv("M817_SALIR_AL_MOSTRAR");
    if (modo.isEmpty()) return;
    if (modo == "lista") {
        // Never freed: the process ends below without unwinding.
        auto* modelo = new SeleccionDeclaraciones;
        if (modelo->Cargar(hoja1.archivos, RutaDeclaraciones(hoja1.carpeta.Datos()), hoja1.mensajes, 0))
            (new frmSeleccionarDeclaración(*modelo, hoja1.mensajes, W("Abrir declaración"), W("&Abrir"),
                                           &ventana))
                ->show();
    }
    // Once the events of the showing (layout, first paint) have been handled.
    QTimer::singleShot(0, [] {
        std::fflush(nullptr);
        std::_Exit(0);
    });
}

} // namespace m817
