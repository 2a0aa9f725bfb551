#include "platform/qt/CarpetaSistema.h"

#include <QStandardPaths>
#include <QString>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace m817 {

namespace fs = std::filesystem;

namespace {

constexpr const char* kNombre = "modelo817";

fs::path Estándar(QStandardPaths::StandardLocation dónde) {
    return fs::path(QStandardPaths::writableLocation(dónde).toStdU16String());
}

// The tables beside the executable (a read-only copy), or in the installed data folder.
fs::path CarpetaDelPrograma(const fs::path& ejecutable) {
    std::error_code e;
    if (fs::is_directory(ejecutable / "Datos", e)) return ejecutable;
    const fs::path compartida = (ejecutable / ".." / "share" / kNombre).lexically_normal();
    if (fs::is_directory(compartida / "Datos", e)) return compartida;
    return ejecutable;
}

} // namespace

bool CarpetaSistema::EsPortátil(const fs::path& carpetaEjecutable) {
    const fs::path datos = carpetaEjecutable / "Datos";
    std::error_code e;
    return fs::is_directory(datos, e) && ::access(datos.c_str(), W_OK) == 0;
}

CarpetaSistema::CarpetaSistema(const fs::path& carpetaEjecutable)
    : portátil_(EsPortátil(carpetaEjecutable)),
      programa_(portátil_ ? carpetaEjecutable : CarpetaDelPrograma(carpetaEjecutable)) {
    if (portátil_) return;
    datosUsuario_ = Estándar(QStandardPaths::GenericDataLocation) / kNombre;
    configuración_ = Estándar(QStandardPaths::GenericConfigLocation) / kNombre;
    impresiones_ = Estándar(QStandardPaths::DocumentsLocation) / "Modelo 817";
}

CarpetaSistema::~CarpetaSistema() {
    std::error_code e;
    if (!temporal_.empty()) fs::remove_all(temporal_, e);
}

fs::path CarpetaSistema::DatosUsuario() const {
    return portátil_ ? ServicioCarpeta::DatosUsuario() : datosUsuario_;
}

fs::path CarpetaSistema::Configuración() const {
    return portátil_ ? ServicioCarpeta::Configuración() : configuración_;
}

fs::path CarpetaSistema::Impresiones() const {
    return portátil_ ? ServicioCarpeta::Impresiones() : impresiones_;
}

fs::path CarpetaSistema::Temporal() const {
    if (portátil_) return ServicioCarpeta::Temporal();
    if (!temporal_.empty()) return temporal_;
    // The session's runtime folder is the user's alone and emptied at log-out; a second copy of the program
    // (another data folder) gets a folder of its own, so their prints never share a bitmap.
    fs::path base = fs::temp_directory_path();
    if (const char* r = std::getenv("XDG_RUNTIME_DIR"); r && *r == '/' && ::access(r, W_OK) == 0) base = r;
    std::string plantilla = (base / (std::string(kNombre) + "-XXXXXX")).string();
    if (::mkdtemp(plantilla.data())) temporal_ = plantilla;
    // Without a private folder the bitmaps cannot be written: the print says so when it tries.
    return temporal_.empty() ? base / kNombre : temporal_;
}

bool CarpetaSistema::CrearCarpeta(const fs::path& carpeta) const {
    if (portátil_) return true;
    std::error_code e;
    if (fs::is_directory(carpeta, e)) return true;
    // Each missing level is made the user's alone, as the user's folders are meant to be.
    fs::path hecha;
    for (const fs::path& parte : carpeta) {
        hecha /= parte;
        if (::mkdir(hecha.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return fs::is_directory(carpeta, e);
}

} // namespace m817
