#include "platform/qt/PortapapelesQt.h"

#include "platform/Texto1252.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

namespace m817 {

void PortapapelesQt::Vaciar() {
    if (auto* p = QGuiApplication::clipboard()) p->clear();
}

void PortapapelesQt::PonerTexto(const std::string& texto) {
    if (auto* p = QGuiApplication::clipboard()) p->setText(QString::fromStdString(Utf8(texto)));
}

bool PortapapelesQt::LeerTexto(std::string& texto) {
    auto* p = QGuiApplication::clipboard();
    if (!p) return false;
    const QMimeData* datos = p->mimeData();
    if (!datos || !datos->hasText()) return false;
    texto = W(datos->text().toStdString());
    return true;
}

} // namespace m817
