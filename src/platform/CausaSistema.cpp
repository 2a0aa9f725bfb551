#include "platform/CausaSistema.h"

#include "platform/Texto1252.h"

#include <array>
#include <cerrno>
#include <utility>

#include <stdlib.h>
#include <unistd.h>

namespace m817 {

namespace {

struct Causa {
    int número;
    const char* texto;
};

// The reasons a file of the user's can meet; any other is given by its number.
constexpr std::array kCausas = {
    Causa{EACCES, "Permiso denegado"},
    Causa{EPERM, "Operación no permitida"},
    Causa{ENOSPC, "No queda espacio en el dispositivo"},
    Causa{EDQUOT, "Se ha superado la cuota de disco"},
    Causa{EROFS, "Sistema de archivos de solo lectura"},
    Causa{ENOENT, "No existe el archivo o la carpeta"},
    Causa{ENOTDIR, "No es una carpeta"},
    Causa{EISDIR, "Es una carpeta"},
    Causa{EEXIST, "El archivo ya existe"},
    Causa{EIO, "Error de entrada/salida"},
    Causa{EFBIG, "Archivo demasiado grande"},
    Causa{ENAMETOOLONG, "Nombre de archivo demasiado largo"},
    Causa{ELOOP, "Demasiados niveles de enlaces simbólicos"},
    Causa{EMFILE, "Demasiados archivos abiertos"},
    Causa{ENFILE, "Demasiados archivos abiertos en el sistema"},
    Causa{EBUSY, "Dispositivo o recurso ocupado"},
    Causa{ETXTBSY, "Archivo de texto ocupado"},
    Causa{EAGAIN, "Recurso no disponible temporalmente"},
    Causa{ENOMEM, "No hay memoria suficiente"},
    Causa{ENXIO, "No existe el dispositivo o la dirección"},
    Causa{ENODEV, "No existe el dispositivo"},
    Causa{EINVAL, "Argumento no válido"},
    Causa{ESTALE, "Archivo remoto ya no disponible"},
};

} // namespace

std::string TextoCausa(int errnum) {
    if (errnum == 0) return {};
    for (const Causa& c : kCausas)
        if (c.número == errnum) return c.texto;
    return "Error del sistema " + std::to_string(errnum);
}

std::string LíneaCausa(const std::filesystem::path& archivo, int errnum) {
    std::string línea = archivo.string();
    if (errnum != 0) línea += ": " + TextoCausa(errnum);
    return W(línea);
}

int CausaEscritura(const std::filesystem::path& carpeta) {
    std::error_code e;
    std::filesystem::create_directories(carpeta, e);
    if (e) return e.value();
    std::string nombre = (carpeta / ".modelo817-XXXXXX").string();
    const int fd = ::mkstemp(nombre.data());
    if (fd < 0) return errno;
    // One block: a full disk refuses it even where an empty file still fits.
    const std::string bloque(4096, ' ');
    int causa = 0;
    if (::write(fd, bloque.data(), bloque.size()) != static_cast<ssize_t>(bloque.size()) || ::fsync(fd) != 0)
        causa = errno != 0 ? errno : EIO;
    ::close(fd);
    ::unlink(nombre.c_str());
    return causa;
}

template <typename F> auto ArchivosConCausa::Medir(const std::filesystem::path& ruta, F&& operación) {
    errno = 0;
    auto r = std::forward<F>(operación)();
    if (!r) Anotar(ruta, errno);
    return r;
}

void ArchivosConCausa::Anotar(const std::filesystem::path& ruta, int errnum) {
    if (fallo_) return;
    fallo_ = true;
    archivo_ = ruta;
    causa_ = errnum;
}

std::string ArchivosConCausa::Línea(const std::filesystem::path& predeterminado) const {
    return fallo_ ? LíneaCausa(archivo_, causa_) : LíneaCausa(predeterminado, 0);
}

class ArchivoConCausa final : public Archivo {
  public:
    ArchivoConCausa(ArchivosConCausa& s, std::filesystem::path ruta, std::unique_ptr<Archivo> real)
        : s_(s), ruta_(std::move(ruta)), real_(std::move(real)) {}
    std::optional<std::size_t> Leer(std::uint64_t posición, std::span<char> destino) override {
        return s_.Medir(ruta_, [&] { return real_->Leer(posición, destino); });
    }
    bool Escribir(std::uint64_t posición, std::string_view datos) override {
        return s_.Medir(ruta_, [&] { return real_->Escribir(posición, datos); });
    }
    bool Sincronizar() override {
        return s_.Medir(ruta_, [&] { return real_->Sincronizar(); });
    }
    bool Truncar(std::uint64_t tamaño) override {
        return s_.Medir(ruta_, [&] { return real_->Truncar(tamaño); });
    }
    std::optional<std::uint64_t> Tamaño() override {
        return s_.Medir(ruta_, [&] { return real_->Tamaño(); });
    }
    bool Bloquear(Bloqueo b) override {
        return s_.Medir(ruta_, [&] { return real_->Bloquear(b); });
    }
    void Desbloquear() override { real_->Desbloquear(); }

  private:
    ArchivosConCausa& s_;
    std::filesystem::path ruta_;
    std::unique_ptr<Archivo> real_;
};

std::unique_ptr<Archivo> ArchivosConCausa::Abrir(const std::filesystem::path& ruta, ModoApertura modo) {
    auto real = Medir(ruta, [&] { return real_.Abrir(ruta, modo); });
    if (!real) return nullptr;
    return std::make_unique<ArchivoConCausa>(*this, ruta, std::move(real));
}

bool ArchivosConCausa::Renombrar(const std::filesystem::path& origen, const std::filesystem::path& destino) {
    return Medir(destino, [&] { return real_.Renombrar(origen, destino); });
}

bool ArchivosConCausa::EnlazarOCopiar(const std::filesystem::path& origen,
                                      const std::filesystem::path& destino) {
    return Medir(destino, [&] { return real_.EnlazarOCopiar(origen, destino); });
}

bool ArchivosConCausa::Eliminar(const std::filesystem::path& ruta) {
    return Medir(ruta, [&] { return real_.Eliminar(ruta); });
}

} // namespace m817
