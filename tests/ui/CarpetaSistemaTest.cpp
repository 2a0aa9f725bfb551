// Where the program's folders are once installed, or as a copy whose data cannot be written: the user's own.
#include "platform/qt/CarpetaSistema.h"
#include "support/Dobles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

using namespace m817;
namespace fs = std::filesystem;

namespace {

// Sets an environment variable for the life of the object.
struct Variable {
    Variable(const char* nombre, const std::string& valor) : nombre_(nombre) {
        if (const char* v = std::getenv(nombre)) antes_ = v;
        setenv(nombre, valor.c_str(), 1);
    }
    ~Variable() { antes_ ? setenv(nombre_, antes_->c_str(), 1) : unsetenv(nombre_); }
    const char* nombre_;
    std::optional<std::string> antes_;
};

} // namespace

TEST(CarpetaSistema, InstaladaOConDatosDeSoloLecturaLeeSusTablasYGuardaEnLasCarpetasDelUsuario) {
    prueba::CarpetaTemporal raíz;
    const fs::path r = raíz.Programa();
    fs::create_directories(r / "usr/bin");
    fs::create_directories(r / "usr/share/modelo817/Datos");
    Variable datos("XDG_DATA_HOME", (r / "datos").string());
    Variable configuración("XDG_CONFIG_HOME", (r / "config").string());
    fs::path temporal;
    {
        CarpetaSistema c(r / "usr/bin");
        EXPECT_EQ(c.Datos(), r / "usr/share/modelo817/Datos");
        EXPECT_EQ(c.DatosUsuario(), r / "datos/modelo817");
        EXPECT_EQ(c.Configuración(), r / "config/modelo817");
        // Nothing is made until it is needed; then the user's alone.
        EXPECT_FALSE(fs::exists(r / "datos"));
        ASSERT_TRUE(c.CrearCarpeta(c.DatosUsuario()));
        EXPECT_EQ(fs::status(r / "datos/modelo817").permissions() & fs::perms::all, fs::perms::owner_all);
        // The print's bitmaps go to a folder of this process's own, gone at its end.
        temporal = c.Temporal();
        EXPECT_EQ(fs::status(temporal).permissions() & fs::perms::all, fs::perms::owner_all);
    }
    EXPECT_FALSE(fs::exists(temporal));

    // A copy whose data folder is read-only, seen by an ordinary user (root writes anywhere): 1 when right.
    fs::permissions(r, fs::perms(0755));
    fs::permissions(raíz.Datos(), fs::perms(0555));
    const pid_t hijo = ::fork();
    if (hijo == 0) {
        const bool corriente = ::geteuid() != 0 || (::setgid(65534) == 0 && ::setuid(65534) == 0);
        CarpetaSistema c(r);
        ::_exit(corriente && !c.Portátil() && c.Datos() == raíz.Datos() &&
                c.DatosUsuario() == r / "datos/modelo817");
    }
    int estado = 0;
    EXPECT_TRUE(::waitpid(hijo, &estado, 0) == hijo && WIFEXITED(estado) && WEXITSTATUS(estado) == 1);
    fs::permissions(raíz.Datos(), fs::perms(0755));
}
