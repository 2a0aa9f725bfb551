#include "ui/Medicion.h"

#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"
#include "store/SeleccionDeclaraciones.h"
#include "ui/frmSeleccionarDeclaracion.h"

#include <QAction>
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
        auto* modelo = new SelecciónDeclaraciones;
        if (modelo->Cargar(hoja1.archivos, RutaDeclaraciones(hoja1.carpeta.DatosUsuario()), hoja1.mensajes,
                           0))
            (new frmSeleccionarDeclaración(*modelo, hoja1.mensajes, W("Abrir declaración"), W("&Abrir"),
                                           &ventana))
                ->show();
    }
    if (modo == "guardar") {
        // A message box would wait for an answer nobody gives: the run ends anyway, as a failure.
        QTimer::singleShot(60'000, [] { std::_Exit(3); });
        QTimer::singleShot(0, &ventana, [&ventana, &hoja1] {
            hoja1.hoja.EscribirTexto(campos::edtNIF, "12345678Z");
            hoja1.hoja.EscribirTexto(campos::edtNombre, "PRUEBA DE INSTALACION");
            if (auto* guardar = ventana.findChild<QAction*>(QStringLiteral("mnuGuardar"))) guardar->trigger();
            std::fflush(nullptr);
            std::_Exit(
                hoja1.hoja.RegistroModificado || hoja1.hoja.Texto(campos::edtIdDeclaración) == "0" ? 4 : 0);
        });
        return;
    }
    // Once the events of the showing (layout, first paint) have been handled.
    QTimer::singleShot(0, [] {
        std::fflush(nullptr);
        std::_Exit(0);
    });
}

} // namespace m817
