// Start-up: one copy only, the splash while an old data file is converted, then
// the main window with a new declaration on the sheet.
#include "app/Hoja.h"
#include "app/Version.h"
#include "platform/ArchivosPosix.h"
#include "platform/Reloj.h"
#include "platform/qt/Aplicacion.h"
#include "platform/qt/CarpetaSistema.h"
#include "platform/qt/InstanciaUnicaQt.h"
#include "platform/qt/MensajesQt.h"
#include "store/Conversion.h"
#include "ui/ImpresionPrincipal.h"
#include "ui/Medicion.h"
#include "ui/VistaHoja.h"
#include "ui/frmInicio.h"
#include "ui/frmPrincipal.h"

#include <QApplication>

#include <filesystem>

int main(int argc, char** argv) {
    using namespace m817;
    const bool depuración = EsLíneaDepuración(argc, argv);
    QApplication app(argc, argv);
    const std::filesystem::path carpetaPrograma = QCoreApplication::applicationDirPath().toStdString();

    const std::string& versión = VersiónPrograma();
    CarpetaSistema carpeta(carpetaPrograma);
    // One copy per user and per folder of saved returns.
    InstanciaUnicaQt instancia(carpeta.DatosUsuario());
    if (instancia.OtraInstanciaActiva()) return 0;

    PrepararAplicación(app);
    MensajesQt mensajes;
    RelojSistema reloj;
    ArchivosPosix archivos;

    auto presentación = frmInicio::MostrarPresentación();
    QApplication::processEvents();

    if (TerminarPrograma(ConvertirArchivoDatos(archivos, carpeta.DatosUsuario(), mensajes, versión)))
        return 0;

    frmHoja1 hoja1(mensajes, reloj, carpeta, archivos);
    frmPrincipal ventana(hoja1);
    ImpresiónPrincipal impresión(ventana, versión, depuración);
    mensajes.EstablecerPadre(&ventana);
    hoja1.Form_Load();
    presentación.reset();
    ventana.show();
    ventana.Vista()->Sincronizar();
    SalirAlMostrarSiSePide(ventana, hoja1);
    return app.exec();
}
