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

namespace {
bool Leer(QClipboard::Mode modo, std::string& texto) {
    auto* p = QGuiApplication::clipboard();
    if (!p || (modo == QClipboard::Selection && !p->supportsSelection())) return false;
    const QMimeData* datos = p->mimeData(modo);
    if (!datos || !datos->hasText()) return false;
    texto = W(datos->text().toStdString());
    return true;
}
} // namespace

bool PortapapelesQt::LeerTexto(std::string& texto) {
    return Leer(QClipboard::Clipboard, texto);
}

bool PortapapelesQt::LeerSelección(std::string& texto) {
    return Leer(QClipboard::Selection, texto);
}

} // namespace m817
