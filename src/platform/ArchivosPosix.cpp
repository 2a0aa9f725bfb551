#include "platform/ArchivosPosix.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace m817 {

namespace {

int Reintentando(auto llamada) {
    int r;
    do
        r = llamada();
    while (r < 0 && errno == EINTR);
    return r;
}

void SincronizarCarpeta(const std::filesystem::path& archivo);

class ArchivoPosix final : public Archivo {
  public:
    // nuevoEn: the path of a file this open created, whose name is only durable once its folder is synced.
    ArchivoPosix(int fd, std::filesystem::path nuevoEn) : fd_(fd), nuevoEn_(std::move(nuevoEn)) {}
    ~ArchivoPosix() override { ::close(fd_); }
    ArchivoPosix(const ArchivoPosix&) = delete;
    ArchivoPosix& operator=(const ArchivoPosix&) = delete;

    std::optional<std::size_t> Leer(std::uint64_t posición, std::span<char> destino) override {
        std::size_t hecho = 0;
        while (hecho < destino.size()) {
            const ssize_t n = ::pread(fd_, destino.data() + hecho, destino.size() - hecho,
                                      static_cast<off_t>(posición + hecho));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return std::nullopt;
            if (n == 0) break;
            hecho += static_cast<std::size_t>(n);
        }
        return hecho;
    }

    bool Escribir(std::uint64_t posición, std::string_view datos) override {
        std::size_t hecho = 0;
        while (hecho < datos.size()) {
            const ssize_t n = ::pwrite(fd_, datos.data() + hecho, datos.size() - hecho,
                                       static_cast<off_t>(posición + hecho));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            hecho += static_cast<std::size_t>(n);
        }
        return true;
    }

    bool Sincronizar() override {
        if (Reintentando([this] { return ::fsync(fd_); }) != 0) return false;
        if (!nuevoEn_.empty()) {
            SincronizarCarpeta(nuevoEn_);
            nuevoEn_.clear();
        }
        return true;
    }

    bool Truncar(std::uint64_t tamaño) override {
        return Reintentando([&] { return ::ftruncate(fd_, static_cast<off_t>(tamaño)); }) == 0;
    }

    std::optional<std::uint64_t> Tamaño() override {
        struct stat st {};
        if (::fstat(fd_, &st) != 0) return std::nullopt;
        return static_cast<std::uint64_t>(st.st_size);
    }

    // A writer holds the lock for a few milliseconds; one that holds it much longer is stuck, and waiting for
    // it forever would hang the window.
    bool Bloquear(Bloqueo b) override {
        const int operación = (b == Bloqueo::Exclusivo ? LOCK_EX : LOCK_SH) | LOCK_NB;
        const auto límite = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        for (;;) {
            if (::flock(fd_, operación) == 0) return true;
            if (errno != EWOULDBLOCK && errno != EINTR) return false;
            if (std::chrono::steady_clock::now() > límite) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    void Desbloquear() override { ::flock(fd_, LOCK_UN); }

  private:
    int fd_;
    std::filesystem::path nuevoEn_;
};

// A rename or a new name is only durable once the folder that holds it is synced.
void SincronizarCarpeta(const std::filesystem::path& archivo) {
    std::filesystem::path carpeta = archivo.parent_path();
    if (carpeta.empty()) carpeta = ".";
    const int fd = ::open(carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool Copiar(const std::filesystem::path& origen, const std::filesystem::path& destino) {
    const int de = ::open(origen.c_str(), O_RDONLY | O_CLOEXEC);
    if (de < 0) return false;
    const int a = ::open(destino.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (a < 0) {
        ::close(de);
        return false;
    }
    bool bien = true;
    std::array<char, 65536> bloque;
    for (;;) {
        const ssize_t n = ::read(de, bloque.data(), bloque.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            bien = n == 0;
            break;
        }
        for (ssize_t hecho = 0; bien && hecho < n;) {
            const ssize_t m = ::write(a, bloque.data() + hecho, static_cast<std::size_t>(n - hecho));
            if (m < 0 && errno == EINTR) continue;
            if (m <= 0)
                bien = false;
            else
                hecho += m;
        }
        if (!bien) break;
    }
    bien = bien && ::fsync(a) == 0;
    bien = (::close(a) == 0) && bien;
    ::close(de);
    // A half copy must not pass for a backup.
    if (!bien) ::unlink(destino.c_str());
    return bien;
}

} // namespace

std::unique_ptr<Archivo> ArchivosPosix::Abrir(const std::filesystem::path& ruta, ModoApertura modo) {
    int flags = O_CLOEXEC;
    switch (modo) {
    case ModoApertura::Lectura:
        flags |= O_RDONLY;
        break;
    case ModoApertura::LecturaEscritura:
        flags |= O_RDWR | O_CREAT;
        break;
    case ModoApertura::Nuevo:
        flags |= O_RDWR | O_CREAT | O_TRUNC;
        break;
    }
    const bool creará = (flags & O_CREAT) != 0 && !Existe(ruta);
    // Not blocking, so that a FIFO does not wait for a writer; a regular file is then used as usual.
    const int fd = Reintentando([&] { return ::open(ruta.c_str(), flags | O_NONBLOCK, 0644); });
    if (fd < 0) return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<ArchivoPosix>(fd, creará ? ruta : std::filesystem::path());
}

bool ArchivosPosix::Existe(const std::filesystem::path& ruta) {
    struct stat st {};
    return ::stat(ruta.c_str(), &st) == 0;
}

bool ArchivosPosix::EsCarpeta(const std::filesystem::path& ruta) {
    struct stat st {};
    return ::stat(ruta.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

TipoRuta ArchivosPosix::Tipo(const std::filesystem::path& ruta) {
    struct stat st {};
    if (::stat(ruta.c_str(), &st) != 0) return TipoRuta::Ninguna;
    return S_ISREG(st.st_mode) ? TipoRuta::Archivo : S_ISDIR(st.st_mode) ? TipoRuta::Carpeta : TipoRuta::Otra;
}

bool ArchivosPosix::Renombrar(const std::filesystem::path& origen, const std::filesystem::path& destino) {
    if (::rename(origen.c_str(), destino.c_str()) != 0) return false;
    SincronizarCarpeta(destino);
    return true;
}

bool ArchivosPosix::EnlazarOCopiar(const std::filesystem::path& origen,
                                   const std::filesystem::path& destino) {
    if (::link(origen.c_str(), destino.c_str()) != 0) {
        // Only a file system without links gets a copy; any other refusal stands.
        if (errno != EPERM && errno != EXDEV && errno != ENOTSUP && errno != EMLINK) return false;
        if (!Copiar(origen, destino)) return false;
    }
    SincronizarCarpeta(destino);
    return true;
}

bool ArchivosPosix::Eliminar(const std::filesystem::path& ruta) {
    if (::unlink(ruta.c_str()) != 0) return false;
    SincronizarCarpeta(ruta);
    return true;
}

bool EscribirPorNombreTemporal(const std::filesystem::path& destino,
                               const std::function<bool(int)>& escribir) {
    std::filesystem::path carpeta = destino.parent_path();
    if (carpeta.empty()) carpeta = ".";
    // A new name of our own (O_EXCL): nobody can have put a link there first.
    std::string plantilla = (carpeta / ("." + destino.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkostemp(plantilla.data(), O_CLOEXEC);
    if (fd < 0) return false;
    const std::filesystem::path temporal = plantilla;
    bool bien = ::fchmod(fd, 0644) == 0;
    try {
        bien = bien && escribir(fd);
    } catch (...) {
        bien = false;
    }
    bien = bien && Reintentando([fd] { return ::fsync(fd); }) == 0;
    bien = (::close(fd) == 0) && bien;
    // rename() replaces the name itself, whatever it pointed to.
    if (bien && ::rename(temporal.c_str(), destino.c_str()) == 0) {
        SincronizarCarpeta(destino);
        return true;
    }
    ::unlink(temporal.c_str());
    return false;
}

} // namespace m817
