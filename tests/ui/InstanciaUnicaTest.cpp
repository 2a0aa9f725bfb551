// One copy of the program per folder and user: a second copy raises the first and ends; the socket's folder
// is the user's alone.
#include "platform/qt/InstanciaUnicaQt.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <memory>
#include <unistd.h>
#include <vector>

using namespace m817;

namespace {

// One run of the stand-in program on a program folder.
class Copia {
  public:
    explicit Copia(const QString& carpeta, QStringList más = {}) {
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p_.setProcessEnvironment(entorno);
        p_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p_.start(QStringLiteral(M817_BINARY_DIR "/m817_instancia_auxiliar"), QStringList{carpeta} + más);
    }
    // Closing its input ends a first copy cleanly, which takes its socket away.
    ~Copia() {
        if (p_.state() == QProcess::NotRunning) return;
        p_.closeWriteChannel();
        if (!p_.waitForFinished(5000)) Matar();
    }
    QString Línea(int ms = 10000) {
        while (!p_.canReadLine() && p_.waitForReadyRead(ms)) {
        }
        return QString::fromUtf8(p_.readLine()).trimmed();
    }
    bool Terminar(int ms = 10000) {
        return p_.waitForFinished(ms) && p_.exitStatus() == QProcess::NormalExit;
    }
    void Matar() {
        p_.kill();
        p_.waitForFinished(5000);
    }
    int Código() const { return p_.exitCode(); }

  private:
    QProcess p_;
};

class InstanciaÚnicaProcesos : public ::testing::Test {
  protected:
    QTemporaryDir carpeta;
    QTemporaryDir otraCarpeta;
};

} // namespace

TEST_F(InstanciaÚnicaProcesos, DosInstalacionesEnCarpetasDistintasNoSeEstorban) {
    Copia deUna(carpeta.path());
    ASSERT_EQ(deUna.Línea(), "primera");
    Copia deOtra(otraCarpeta.path());
    EXPECT_EQ(deOtra.Línea(), "primera");
}

TEST_F(InstanciaÚnicaProcesos, UnaCopiaCaídaNoImpideArrancarYLaSegundaElevaLaPrimera) {
    const QString socket = InstanciaUnicaQt::RutaServidor(carpeta.path().toStdString());
    {
        Copia caída(carpeta.path());
        ASSERT_EQ(caída.Línea(), "primera");
        caída.Matar();
    }
    ASSERT_TRUE(QFileInfo::exists(socket)) << "the killed copy should have left its socket behind";

    Copia nueva(carpeta.path());
    ASSERT_EQ(nueva.Línea(), "primera");
    Copia otra(carpeta.path());
    EXPECT_EQ(otra.Línea(), "segunda");
    ASSERT_TRUE(otra.Terminar());
    EXPECT_EQ(otra.Código(), 0);
    // Only the window whose title begins exactly "Modelo 817" was restored.
    EXPECT_EQ(nueva.Línea(), "elevada propia=normal ajena=minimizada");
}

TEST_F(InstanciaÚnicaProcesos, VariasCopiasQueMiranALaVezDejanUnaSolaPrimera) {
    // All of them look at the same moment, once every one has started.
    const auto ahora = std::chrono::system_clock::now().time_since_epoch();
    const auto hora = std::chrono::duration_cast<std::chrono::milliseconds>(ahora).count() + 2000;
    std::vector<std::unique_ptr<Copia>> copias;
    for (int i = 0; i < 6; ++i)
        copias.push_back(std::make_unique<Copia>(carpeta.path(), QStringList{QString::number(hora)}));
    int primeras = 0, segundas = 0;
    for (auto& c : copias) {
        const QString l = c->Línea();
        primeras += l == "primera";
        segundas += l == "segunda";
    }
    EXPECT_EQ(primeras, 1);
    EXPECT_EQ(segundas, 5);
}

// Another spelling of the same folder is the same program; another folder or user is another.
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
}
