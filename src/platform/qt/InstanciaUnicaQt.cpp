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

#include <sys/socket.h>
#include <sys/stat.h>
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

InstanciaUnicaQt::InstanciaUnicaQt(const std::filesystem::path& carpetaDatosUsuario, QObject* padre)
    : QObject(padre), ruta_(RutaServidor(carpetaDatosUsuario)) {}

InstanciaUnicaQt::~InstanciaUnicaQt() = default;

QString InstanciaUnicaQt::NombreServidor(const std::filesystem::path& carpetaDatosUsuario) {
    const QFileInfo carpeta(QString::fromStdString(carpetaDatosUsuario.string()));
    QString ruta = carpeta.canonicalFilePath();
    if (ruta.isEmpty()) ruta = QDir::cleanPath(carpeta.absoluteFilePath());
    const QByteArray hash =
        QCryptographicHash::hash(ruta.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("modelo817-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

namespace {

// A folder of this user that nobody else can enter or write, reached without following a link.
bool CarpetaPropia(const QByteArray& ruta) {
    struct stat st {};
    return !ruta.isEmpty() && ::lstat(ruta.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
}

} // namespace

QString InstanciaUnicaQt::CarpetaServidores() {
    const QByteArray sesión = qgetenv("XDG_RUNTIME_DIR");
    if (CarpetaPropia(sesión)) return QString::fromLocal8Bit(sesión);
    // A name another user could take first: it is used only if it turns out to be ours and private.
    const QByteArray propia =
        QDir(QDir::tempPath()).filePath(QStringLiteral("modelo817-%1").arg(::getuid())).toLocal8Bit();
    ::mkdir(propia.constData(), 0700);
    return CarpetaPropia(propia) ? QString::fromLocal8Bit(propia) : QString();
}

QString InstanciaUnicaQt::RutaServidor(const std::filesystem::path& carpetaDatosUsuario) {
    const QString carpeta = CarpetaServidores();
    return carpeta.isEmpty() ? QString() : QDir(carpeta).filePath(NombreServidor(carpetaDatosUsuario));
}

bool InstanciaUnicaQt::MismoUsuario(qintptr descriptor) {
    struct ucred credenciales {};
    socklen_t largo = sizeof credenciales;
    return ::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &credenciales, &largo) == 0 &&
           largo == sizeof credenciales && credenciales.uid == ::getuid();
}

bool InstanciaUnicaQt::OtraInstanciaActiva() {
    if (otra_) return *otra_;
    // Without a folder of our own there is nowhere safe to meet: this copy runs on its own rather than let
    // another user stop it or hear from it.
    if (ruta_.isEmpty()) {
        otra_ = false;
        return false;
    }
    QLocalSocket socket;
    {
        // Two copies started together must not both decide they are the first: the
        // check and the listen happen under a lock (a crashed holder's lock is stale).
        QLockFile cerrojo(ruta_ + QStringLiteral(".lock"));
        cerrojo.tryLock(kEsperaCerrojoMs);
        socket.connectToServer(ruta_);
        otra_ = socket.waitForConnected(kEsperaConexiónMs) && MismoUsuario(socket.socketDescriptor());
        if (!*otra_) {
            socket.abort();
            Escuchar();
        }
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
    QLocalServer::removeServer(ruta_);
    servidor_->listen(ruta_);
}

void InstanciaUnicaQt::AtenderConexión() {
    while (QLocalSocket* s = servidor_->nextPendingConnection()) {
        // Only a copy of this user may ask anything.
        if (!MismoUsuario(s->socketDescriptor())) {
            s->abort();
            s->deleteLater();
            continue;
        }
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
