#include "platform/qt/EscritorioQt.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace m817 {

bool EscritorioQt::AbrirCarpeta(const std::filesystem::path& carpeta) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdU16String(carpeta.u16string())));
}

} // namespace m817
