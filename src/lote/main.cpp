// modelo817-lote: the batch companion of the program. Qt is started only for drafts, on the offscreen
// platform, since nothing is shown.
#include "lote/ImpresoraPdf.h"
#include "lote/Lote.h"
#include "platform/ArchivosPosix.h"
#include "platform/Reloj.h"
#include "platform/qt/CarpetaSistema.h"
#include "platform/qt/CodigosBarrasZint.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QString>
#include <QtGlobal>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

// Qt's own complaints go to standard error like the program's, except the one about a missing runtime folder
// of the session, which a batch run without a login session always meets and which says nothing about the
// drafts.
void MensajeQt(QtMsgType tipo, const QMessageLogContext&, const QString& texto) {
    if (tipo == QtDebugMsg || tipo == QtInfoMsg || texto.startsWith(QStringLiteral("QStandardPaths:")))
        return;
    std::cerr << "modelo817-lote: Qt: " << texto.toStdString() << '\n';
}

} // namespace

int main(int argc, char** argv) {
    using namespace m817;
    using namespace m817::lote;

    const std::vector<std::string> argumentos(argv + (argc > 0 ? 1 : 0), argv + argc);
    const LecturaArgumentos l = LeerArgumentos(argumentos);
    if (!l.error.empty()) {
        std::cerr << "modelo817-lote: " << l.error << "\nPruebe «modelo817-lote --help».\n";
        return kSalidaFallo;
    }

    qInstallMessageHandler(MensajeQt);
    std::unique_ptr<QCoreApplication> app;
    if (l.opciones.orden == Orden::Borrador) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }

    ArchivosPosix archivos;
    RelojSistema reloj;
    CódigosBarrasZint códigos;
    CarpetaSistema carpeta(QCoreApplication::applicationDirPath().toStdString());
    Entorno entorno{carpeta,   archivos,  reloj,
                    std::cout, std::cerr, [] { return std::make_unique<ImpresoraPdf>(); },
                    &códigos};
    const int salida = Ejecutar(l.opciones, entorno);
    std::cout.flush();
    return salida;
}
