#include "support/ArchivosFallidos.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace m817::prueba {

namespace {
// A refusal says why, as the system would.
bool Falla(int causa) {
    errno = causa;
    return false;
}
} // namespace

class ArchivoFallido final : public Archivo {
  public:
    ArchivoFallido(ArchivosFallidos& servicio, std::unique_ptr<Archivo> real)
        : servicio_(servicio), real_(std::move(real)) {}

    std::optional<std::size_t> Leer(std::uint64_t posición, std::span<char> destino) override {
        if (servicio_.lecturasFallan || posición >= servicio_.lecturasFallanDesde.value_or(UINT64_MAX))
            return Falla(EIO), std::nullopt;
        if (servicio_.lecturasCortas && destino.size() > 1)
            return real_->Leer(posición, destino.first(destino.size() / 2));
        return real_->Leer(posición, destino);
    }

    bool Escribir(std::uint64_t posición, std::string_view datos) override {
        const int n = ++servicio_.escrituras;
        if (servicio_.escrituraQueLlena_ && n >= *servicio_.escrituraQueLlena_ && !servicio_.discoLleno_) {
            servicio_.discoLleno_ = true;
            const auto parte = std::min(servicio_.bytesAntesDeLlenar_, datos.size());
            real_->Escribir(posición, datos.substr(0, parte));
            return Falla(ENOSPC);
        }
        if (servicio_.discoLleno_) {
            const auto tamaño = real_->Tamaño().value_or(0);
            if (posición + datos.size() > tamaño) {
                if (posición < tamaño)
                    real_->Escribir(posición, datos.substr(0, static_cast<std::size_t>(tamaño - posición)));
                return Falla(ENOSPC);
            }
        }
        return real_->Escribir(posición, datos);
    }

    bool Sincronizar() override { return servicio_.sincronizacionFalla ? Falla(EIO) : real_->Sincronizar(); }

    bool Truncar(std::uint64_t tamaño) override {
        if (servicio_.discoLleno_ && tamaño > real_->Tamaño().value_or(0)) return Falla(ENOSPC);
        return real_->Truncar(tamaño);
    }

    std::optional<std::uint64_t> Tamaño() override {
        const int n = ++servicio_.tamaños;
        if (servicio_.tamañoQueFalla_ && n >= *servicio_.tamañoQueFalla_) return std::nullopt;
        return real_->Tamaño();
    }
    bool Bloquear(Bloqueo b) override { return real_->Bloquear(b); }
    void Desbloquear() override { real_->Desbloquear(); }

  private:
    ArchivosFallidos& servicio_;
    std::unique_ptr<Archivo> real_;
};

void ArchivosFallidos::LlenarDiscoEnEscritura(int n, std::size_t escritos) {
    escrituraQueLlena_ = escrituras + n;
    bytesAntesDeLlenar_ = escritos;
    discoLleno_ = false;
}

std::unique_ptr<Archivo> ArchivosFallidos::Abrir(const std::filesystem::path& ruta, ModoApertura modo) {
    if (soloLectura && modo != ModoApertura::Lectura) return Falla(EACCES), nullptr;
    auto real = real_.Abrir(ruta, modo);
    if (!real) return nullptr;
    return std::make_unique<ArchivoFallido>(*this, std::move(real));
}

bool ArchivosFallidos::Renombrar(const std::filesystem::path& origen, const std::filesystem::path& destino) {
    if (soloLectura || renombradosFallan) return Falla(renombradosFallan ? EPERM : EACCES);
    return real_.Renombrar(origen, destino);
}

bool ArchivosFallidos::EnlazarOCopiar(const std::filesystem::path& origen,
                                      const std::filesystem::path& destino) {
    if (soloLectura || enlacesFallan) return Falla(enlacesFallan ? EPERM : EACCES);
    return real_.EnlazarOCopiar(origen, destino);
}

bool ArchivosFallidos::Eliminar(const std::filesystem::path& ruta) {
    return soloLectura ? Falla(EACCES) : real_.Eliminar(ruta);
}

} // namespace m817::prueba
