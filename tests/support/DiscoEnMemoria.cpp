#include "support/DiscoEnMemoria.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace m817::prueba {

DiscoEnMemoria::DiscoEnMemoria(std::filesystem::path carpeta, std::size_t bytes)
    : carpeta_(std::move(carpeta)) {
    if (::geteuid() != 0) {
        motivo_ = "montar un disco hace falta ser root";
        return;
    }
    const std::string opciones = "size=" + std::to_string(bytes) + ",mode=0755";
    if (::mount("tmpfs", carpeta_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, opciones.c_str()) != 0) {
        motivo_ = std::string("la máquina no deja montar un tmpfs: ") + std::strerror(errno);
        return;
    }
    montado_ = true;
}

DiscoEnMemoria::~DiscoEnMemoria() {
    if (montado_) ::umount2(carpeta_.c_str(), MNT_DETACH);
}

std::size_t DiscoEnMemoria::Llenar() {
    const auto ruta = carpeta_ / "relleno";
    const int fd = ::open(ruta.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return 0;
    std::size_t total = 0;
    std::array<char, 512> bloque;
    bloque.fill('r');
    // Small pieces, down to single bytes, so that no free byte of the last page is left.
    for (std::size_t trozo = bloque.size(); trozo > 0;) {
        const ssize_t n = ::write(fd, bloque.data(), trozo);
        if (n > 0)
            total += static_cast<std::size_t>(n);
        else if (n < 0 && errno == EINTR)
            continue;
        else
            trozo /= 2;
    }
    ::fsync(fd);
    ::close(fd);
    return total;
}

} // namespace m817::prueba
