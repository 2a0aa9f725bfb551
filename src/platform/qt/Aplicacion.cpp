#include "platform/qt/Aplicacion.h"

#include "platform/Mensajes.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

namespace m817 {
namespace {
const char* const kNombreTraductor = "m817_qtbase_es";
}

bool PrepararAplicación(QApplication& app) {
    const QString título = QString::fromUtf8(kTítuloAplicación);
    QApplication::setApplicationName(título);
    // No display name: on X11 Qt would append it to every caption ("ATENCIÓN — Modelo 817").
    // The desktop ties the windows to the menu entry and its icon, where one is installed.
    QGuiApplication::setDesktopFileName(QStringLiteral("es.modelo817.Modelo817"));
    if (const QIcon icono = QIcon::fromTheme(QStringLiteral("es.modelo817.Modelo817")); !icono.isNull())
        QApplication::setWindowIcon(icono);

    if (app.findChild<QTranslator*>(kNombreTraductor, Qt::FindDirectChildrenOnly)) return true;
    auto* traductor = new QTranslator(&app);
    traductor->setObjectName(kNombreTraductor);
    if (!traductor->load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traductor;
        return false;
    }
    return QApplication::installTranslator(traductor);
}

} // namespace m817
