// The single-instance socket is out of other users' reach: in a folder only this user can enter, and a
// connection from another user is not taken for a copy of the program.
#include "platform/qt/InstanciaUnicaQt.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace m817;

namespace {

constexpr uid_t kOtroUsuario = 65534;

sockaddr_un Dirección(const std::string& ruta) {
    sockaddr_un d{};
    d.sun_family = AF_UNIX;
    ruta.copy(d.sun_path, sizeof d.sun_path - 1);
    return d;
}

// Connects to `ruta` from a child process running as another user; the child's exit code is 0 when it
// connected.
pid_t ConectarComoOtroUsuario(const std::string& ruta) {
    const pid_t hijo = ::fork();
    if (hijo == 0) {
        if (::setgid(kOtroUsuario) != 0 || ::setuid(kOtroUsuario) != 0) ::_exit(3);
        const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const sockaddr_un d = Dirección(ruta);
        ::_exit(::connect(s, reinterpret_cast<const sockaddr*>(&d), sizeof d) == 0 ? 0 : 1);
    }
    return hijo;
}

int Esperar(pid_t hijo) {
    int estado = 0;
    ::waitpid(hijo, &estado, 0);
    return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
}

} // namespace

TEST(InstanciaPrivada, ElSocketEstaEnUnaCarpetaQueSoloAbreElUsuario) {
    QTemporaryDir datos;
    const QString ruta = InstanciaUnicaQt::RutaServidor(datos.path().toStdString());
    ASSERT_FALSE(ruta.isEmpty());
    const QString carpeta = QFileInfo(ruta).absolutePath();
    EXPECT_NE(QDir::cleanPath(carpeta), QDir::cleanPath(QDir::tempPath()));
    struct stat st {};
    ASSERT_EQ(::lstat(carpeta.toLocal8Bit().constData(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_uid, ::getuid());
    EXPECT_EQ(st.st_mode & 077, 0u);

    // Another user cannot reach a running copy's socket.
    InstanciaUnicaQt primera(datos.path().toStdString());
    ASSERT_FALSE(primera.OtraInstanciaActiva());
    ASSERT_TRUE(QFileInfo::exists(ruta));
    if (::getuid() != 0) GTEST_SKIP() << "only root can act as another user";
    EXPECT_EQ(Esperar(ConectarComoOtroUsuario(ruta.toStdString())), 1);
}

// Puts an environment variable back as it was, set or not, when it goes.
class Variable {
  public:
    explicit Variable(const char* nombre)
        : nombre_(nombre), estaba_(qEnvironmentVariableIsSet(nombre)), valor_(qgetenv(nombre)) {}
    ~Variable() {
        if (estaba_)
            qputenv(nombre_, valor_);
        else
            qunsetenv(nombre_);
    }

  private:
    const char* nombre_;
    bool estaba_;
    QByteArray valor_;
};

TEST(InstanciaPrivada, UnaCarpetaTemporalDeOtroUsuarioNoSeUsa) {
    if (::getuid() != 0) GTEST_SKIP() << "only root can make a folder of another user";
    QTemporaryDir temporal;
    const Variable tmpdir("TMPDIR"), sesión("XDG_RUNTIME_DIR");
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", temporal.path().toLocal8Bit());
    // Another user took the name first.
    const QByteArray tomada =
        QDir(temporal.path()).filePath(QStringLiteral("modelo817-%1").arg(::getuid())).toLocal8Bit();
    ASSERT_EQ(::mkdir(tomada.constData(), 0777), 0);
    ASSERT_EQ(::chown(tomada.constData(), kOtroUsuario, kOtroUsuario), 0);
    EXPECT_TRUE(InstanciaUnicaQt::CarpetaServidores().isEmpty());
    // And the program still starts, on its own.
    InstanciaUnicaQt copia("/datos/de/prueba");
    EXPECT_FALSE(copia.OtraInstanciaActiva());
}

TEST(InstanciaPrivada, SoloSeAtiendeAlMismoUsuario) {
    if (::getuid() != 0) GTEST_SKIP() << "only root can act as another user";
    QTemporaryDir carpeta;
    ::chmod(carpeta.path().toLocal8Bit().constData(), 0777);
    const std::string ruta = (carpeta.path() + "/s").toStdString();
    const int servidor = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const sockaddr_un d = Dirección(ruta);
    ASSERT_EQ(::bind(servidor, reinterpret_cast<const sockaddr*>(&d), sizeof d), 0);
    ::chmod(ruta.c_str(), 0777);
    ASSERT_EQ(::listen(servidor, 2), 0);

    const pid_t hijo = ConectarComoOtroUsuario(ruta);
    const int ajeno = ::accept(servidor, nullptr, nullptr);
    EXPECT_EQ(Esperar(hijo), 0);
    EXPECT_FALSE(InstanciaUnicaQt::MismoUsuario(ajeno));

    const int cliente = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::connect(cliente, reinterpret_cast<const sockaddr*>(&d), sizeof d), 0);
    const int propio = ::accept(servidor, nullptr, nullptr);
    EXPECT_TRUE(InstanciaUnicaQt::MismoUsuario(propio));
    EXPECT_TRUE(InstanciaUnicaQt::MismoUsuario(cliente));
    for (int fd : {ajeno, cliente, propio, servidor})
        ::close(fd);
}
