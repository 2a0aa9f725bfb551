#include "platform/qt/InstanciaUnicaQt.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

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

TEST_F(InstanciaÚnicaProcesos, LaSegundaCopiaElevaLaVentanaDeLaPrimeraYTermina) {
    Copia primera(carpeta.path());
    ASSERT_EQ(primera.Línea(), "primera");

    Copia segunda(carpeta.path());
    EXPECT_EQ(segunda.Línea(), "segunda");
    ASSERT_TRUE(segunda.Terminar());
    EXPECT_EQ(segunda.Código(), 0);

    // Only the window whose title begins exactly "Modelo 817" was restored.
    EXPECT_EQ(primera.Línea(), "elevada propia=normal ajena=minimizada");
}

TEST_F(InstanciaÚnicaProcesos, DosInstalacionesEnCarpetasDistintasNoSeEstorban) {
    Copia deUna(carpeta.path());
    ASSERT_EQ(deUna.Línea(), "primera");
    Copia deOtra(otraCarpeta.path());
    EXPECT_EQ(deOtra.Línea(), "primera");
}

TEST_F(InstanciaÚnicaProcesos, ElSocketQueDejaUnaCopiaCaídaNoImpideArrancar) {
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

TEST(InstanciaÚnicaQt, ElNombreDependeDeLaCarpetaYDelUsuario) {
    QTemporaryDir base;
    ASSERT_TRUE(QDir(base.path()).mkpath(QStringLiteral("a/b")));
    const std::string ruta = (base.path() + "/a/b").toStdString();
    const QString nombre = InstanciaUnicaQt::NombreServidor(ruta);

    for (const std::string& misma : {ruta + "/", base.path().toStdString() + "/a/./b", ruta + "/../b"})
        EXPECT_EQ(InstanciaUnicaQt::NombreServidor(misma), nombre) << misma;
    for (const std::string& otra :
         {base.path().toStdString() + "/a", ruta + "c", std::string("/no/existe/b")})
        EXPECT_NE(InstanciaUnicaQt::NombreServidor(otra), nombre) << otra;
    EXPECT_TRUE(nombre.contains(QStringLiteral("-%1-").arg(::getuid()))) << nombre.toStdString();
}

TEST(InstanciaÚnicaQt, ElevaYRestauraSoloLasVentanasVisiblesDelPrograma) {
    struct Caso {
        const char* título;
        Qt::WindowStates antes;
        bool visible;
        Qt::WindowStates después;
        bool visibleDespués;
    };
    const Caso casos[] = {
        {"Modelo 817", Qt::WindowMinimized, true, Qt::WindowNoState, true},
        {"Modelo 817 - Hoja", Qt::WindowMinimized, true, Qt::WindowNoState, true},
        // Restored to the maximised state it had before it was minimised.
        {"Modelo 817", Qt::WindowMinimized | Qt::WindowMaximized, true, Qt::WindowMaximized, true},
        {"Modelo 817", Qt::WindowNoState, true, Qt::WindowNoState, true},
        {"modelo 817", Qt::WindowMinimized, true, Qt::WindowMinimized, true},
        {"Modelo 81", Qt::WindowMinimized, true, Qt::WindowMinimized, true},
        {"", Qt::WindowMinimized, true, Qt::WindowMinimized, true},
        // A window of the program not yet shown stays hidden.
        {"Modelo 817", Qt::WindowNoState, false, Qt::WindowNoState, false},
    };
    std::vector<std::unique_ptr<QWidget>> ventanas;
    for (const auto& c : casos) {
        auto w = std::make_unique<QWidget>();
        w->setWindowTitle(QString::fromUtf8(c.título));
        w->setWindowState(c.antes);
        if (c.visible) w->show();
        ventanas.push_back(std::move(w));
    }
    ElevarVentanasDelPrograma();
    for (size_t i = 0; i < ventanas.size(); ++i) {
        const auto& c = casos[i];
        EXPECT_EQ(ventanas[i]->windowState() & ~Qt::WindowActive, c.después) << i << " " << c.título;
        EXPECT_EQ(ventanas[i]->isVisible(), c.visibleDespués) << i << " " << c.título;
    }
}
