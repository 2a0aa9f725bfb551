#include "platform/qt/InstanciaUnicaQt.h"

#include "platform/Texto1252.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QWidget>

#include <unistd.h>

namespace m817 {
namespace {

const QByteArray kPetición = "elevar\n";
const QByteArray kRespuesta = "hecho\n";
// A second copy ends within a second even if the first one does not answer.
constexpr int kEsperaCerrojoMs = 400;
constexpr int kEsperaConexiónMs = 250;
constexpr int kEsperaRespuestaMs = 250;

} // namespace

InstanciaUnicaQt::InstanciaUnicaQt(const std::filesystem::path& carpetaPrograma, QObject* padre)
    : QObject(padre), nombre_(NombreServidor(carpetaPrograma)) {}

InstanciaUnicaQt::~InstanciaUnicaQt() = default;

QString InstanciaUnicaQt::NombreServidor(const std::filesystem::path& carpetaPrograma) {
    const QFileInfo carpeta(QString::fromStdString(carpetaPrograma.string()));
    QString ruta = carpeta.canonicalFilePath();
    if (ruta.isEmpty()) ruta = QDir::cleanPath(carpeta.absoluteFilePath());
    const QByteArray hash =
        QCryptographicHash::hash(ruta.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("modelo817-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

bool InstanciaUnicaQt::OtraInstanciaActiva() {
    if (otra_) return *otra_;
    QLocalSocket socket;
    {
        // Two copies started together must not both decide they are the first: the
        // check and the listen happen under a lock (a crashed holder's lock is stale).
        QLockFile cerrojo(QDir(QDir::tempPath()).filePath(nombre_ + QStringLiteral(".lock")));
        cerrojo.tryLock(kEsperaCerrojoMs);
        socket.connectToServer(nombre_);
        otra_ = socket.waitForConnected(kEsperaConexiónMs);
        if (!*otra_) Escuchar();
    }
    if (*otra_) PedirQueSeEleve(socket);
    return *otra_;
}

void InstanciaUnicaQt::PedirQueSeEleve(QLocalSocket& socket) {
    // The answer is awaited only so that the first copy's windows are up before
    // this one ends; a first copy too busy to answer does not hold us.
    const QDeadlineTimer plazo(kEsperaRespuestaMs);
    socket.write(kPetición);
    socket.waitForBytesWritten(static_cast<int>(plazo.remainingTime()));
    while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState &&
           socket.waitForReadyRead(static_cast<int>(plazo.remainingTime()))) {
    }
    socket.abort();
}

void InstanciaUnicaQt::Escuchar() {
    servidor_ = new QLocalServer(this);
    servidor_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(servidor_, &QLocalServer::newConnection, this, &InstanciaUnicaQt::AtenderConexión);
    // Nobody answered on the name: a socket file still there was left by a copy that crashed.
    QLocalServer::removeServer(nombre_);
    servidor_->listen(nombre_);
}

void InstanciaUnicaQt::AtenderConexión() {
    while (QLocalSocket* s = servidor_->nextPendingConnection()) {
        connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        connect(s, &QLocalSocket::readyRead, this, [this, s] { LeerPetición(s); });
        LeerPetición(s);
    }
}

void InstanciaUnicaQt::LeerPetición(QLocalSocket* s) {
    if (!s->canReadLine()) {
        if (s->bytesAvailable() > kPetición.size()) s->abort(); // not one of ours
        return;
    }
    const QByteArray línea = s->readLine();
    if (línea == kPetición) {
        ElevarVentanasDelPrograma();
        s->write(kRespuesta);
        s->flush();
        emit VentanasElevadas();
    }
    s->disconnectFromServer();
}

void ElevarVentanasDelPrograma() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || !EsVentanaDelPrograma(W(w->windowTitle().toStdString()))) continue;
        w->raise();
        if (w->isMinimized()) w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
        w->activateWindow();
    }
}

} // namespace m817
