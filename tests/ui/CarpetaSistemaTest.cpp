// Where the program's folders are: beside a portable copy, and in the installed data folder and the user's
// own folders (from the XDG variables) once installed.
#include "platform/qt/CarpetaSistema.h"
#include "support/Dobles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace m817;
namespace fs = std::filesystem;

namespace {

// Sets an environment variable for the life of the object.
class Variable {
  public:
    Variable(const char* nombre, const std::string& valor) : nombre_(nombre) {
        if (const char* v = std::getenv(nombre)) antes_ = v;
        setenv(nombre, valor.c_str(), 1);
    }
    ~Variable() { antes_ ? setenv(nombre_, antes_->c_str(), 1) : unsetenv(nombre_); }

  private:
    const char* nombre_;
    std::optional<std::string> antes_;
};

fs::perms Permisos(const fs::path& p) {
    return fs::status(p).permissions() & fs::perms::all;
}

} // namespace

TEST(CarpetaSistema, InstaladoLeeLasTablasDeShareYGuardaEnLasCarpetasDelUsuario) {
    prueba::CarpetaTemporal raíz;
    const fs::path r = raíz.Programa();
    fs::remove_all(r / "Datos");
    fs::create_directories(r / "usr/bin");
    fs::create_directories(r / "usr/share/modelo817/Datos");
    Variable datos("XDG_DATA_HOME", (r / "datos").string());
    Variable configuración("XDG_CONFIG_HOME", (r / "config").string());
    Variable casa("HOME", (r / "casa").string());
    Variable ejecución("XDG_RUNTIME_DIR", (r / "ejecucion").string());
    fs::create_directories(r / "ejecucion");

    fs::path temporal;
    {
        CarpetaSistema c(r / "usr/bin");
        EXPECT_FALSE(c.Portátil());
        EXPECT_EQ(c.Programa(), r / "usr/share/modelo817");
        EXPECT_EQ(c.Datos(), r / "usr/share/modelo817/Datos");
        EXPECT_EQ(c.DatosUsuario(), r / "datos/modelo817");
        EXPECT_EQ(c.Configuración(), r / "config/modelo817");
        EXPECT_EQ(c.Impresiones().filename(), "Modelo 817");
        EXPECT_EQ(c.Impresiones().parent_path().parent_path(), r / "casa");
        // Nothing is made until it is needed; then the user's alone.
        EXPECT_FALSE(fs::exists(r / "datos"));
        ASSERT_TRUE(c.CrearCarpeta(c.DatosUsuario()));
        EXPECT_TRUE(fs::is_directory(r / "datos/modelo817"));
        EXPECT_EQ(Permisos(r / "datos/modelo817"), fs::perms::owner_all);
        // The print's bitmaps go to a folder of this process's own, gone at its end.
        temporal = c.Temporal();
        EXPECT_EQ(temporal.parent_path(), r / "ejecucion");
        EXPECT_TRUE(fs::is_directory(temporal));
        EXPECT_EQ(Permisos(temporal), fs::perms::owner_all);
        EXPECT_EQ(c.Temporal(), temporal);
        EXPECT_NE(CarpetaSistema(r / "usr/bin").Temporal(), temporal);
    }
    EXPECT_FALSE(fs::exists(temporal));
}

// Root writes in any folder, so there the check runs as an ordinary user in a child process.
template <typename F> bool ComoUsuarioCorriente(F&& comprobar) {
    if (::geteuid() != 0) return comprobar();
    const pid_t hijo = ::fork();
    if (hijo == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
        ::_exit(comprobar() ? 0 : 1);
    }
    int estado = 0;
    return hijo > 0 && ::waitpid(hijo, &estado, 0) == hijo && WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
}

TEST(CarpetaSistema, UnaCopiaConDatosDeSoloLecturaLeeSusTablasYGuardaEnLasDelUsuario) {
    prueba::CarpetaTemporal copia;
    fs::permissions(copia.Programa(), fs::perms(0755));
    fs::permissions(copia.Datos(), fs::perms(0555));
    Variable datos("XDG_DATA_HOME", (copia.Programa() / "datos").string());
    EXPECT_TRUE(ComoUsuarioCorriente([&] {
        CarpetaSistema c(copia.Programa());
        return !c.Portátil() && c.Datos() == copia.Datos() &&
               c.DatosUsuario() == copia.Programa() / "datos/modelo817";
    }));
    fs::permissions(copia.Datos(), fs::perms(0755));
}
