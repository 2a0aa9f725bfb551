#include "platform/qt/MensajesQt.h"

#include "platform/Texto1252.h"

#include <QApplication>
#include <QMessageBox>

namespace m817 {
namespace {

QMessageBox::Icon IconoQt(Icono i) {
    switch (i) {
    case Icono::Ninguno:
        return QMessageBox::NoIcon;
    case Icono::Crítico:
        return QMessageBox::Critical;
    case Icono::Pregunta:
        return QMessageBox::Question;
    case Icono::Exclamación:
        return QMessageBox::Warning;
    case Icono::Información:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BotonesQt(Botones b) {
    switch (b) {
    case Botones::Aceptar:
        return QMessageBox::Ok;
    case Botones::AceptarCancelar:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Botones::SíNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Botones::SíNoCancelar:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton BotónQt(Respuesta r) {
    switch (r) {
    case Respuesta::Aceptar:
        return QMessageBox::Ok;
    case Respuesta::Cancelar:
        return QMessageBox::Cancel;
    case Respuesta::Sí:
        return QMessageBox::Yes;
    case Respuesta::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

// A box closed with no button pressed answers as its way out would: Cancel if it
// has one, otherwise No, otherwise OK.
Respuesta RespuestaDe(QMessageBox::StandardButton b, Botones botones) {
    switch (b) {
    case QMessageBox::Ok:
        return Respuesta::Aceptar;
    case QMessageBox::Cancel:
        return Respuesta::Cancelar;
    case QMessageBox::Yes:
        return Respuesta::Sí;
    case QMessageBox::No:
        return Respuesta::No;
    default:
        break;
    }
    switch (botones) {
    case Botones::Aceptar:
        return Respuesta::Aceptar;
    case Botones::SíNo:
        return Respuesta::No;
    case Botones::AceptarCancelar:
    case Botones::SíNoCancelar:
        return Respuesta::Cancelar;
    }
    return Respuesta::Cancelar;
}

QString TextoQt(const std::string& s1252) {
    QString t = QString::fromStdString(Utf8(s1252));
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n')); // a lone CR breaks the line too
    return t;
}

} // namespace

Respuesta MensajesQt::Mostrar(const Mensaje& m) {
    QMessageBox caja(padre_.data());
    caja.setWindowTitle(TextoQt(m.título.empty() ? std::string(kTítuloAplicación) : m.título));
    caja.setTextFormat(Qt::PlainText);
    caja.setText(TextoQt(m.texto));
    caja.setIcon(IconoQt(m.icono));
    const auto botones = BotonesQt(m.botones);
    caja.setStandardButtons(botones);
    if (botones.testFlag(BotónQt(m.predeterminado))) caja.setDefaultButton(BotónQt(m.predeterminado));
    if (botones.testFlag(QMessageBox::Cancel)) caja.setEscapeButton(QMessageBox::Cancel);
    caja.exec();
    return RespuestaDe(caja.standardButton(caja.clickedButton()), m.botones);
}

void MensajesQt::Pitido() {
    QApplication::beep();
}

} // namespace m817
