#pragma once
// What the fuzz targets share: the input as text, a check that stops the run, a message box that answers
// everything, files in memory and a program folder of the process's own.
#include "platform/Archivos.h"
#include "platform/CarpetaPrograma.h"
#include "platform/Mensajes.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace m817::fuzz {

inline std::string_view Texto(const std::uint8_t* datos, std::size_t tamaño) {
    return {reinterpret_cast<const char*>(datos), tamaño};
}

// A broken promise of the code under test is a finding, like a crash: it stops the run and keeps the input.
#define M817_COMPROBAR(condición)                                                                            \
    do {                                                                                                     \
        if (!(condición)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: falla la comprobación %s\n", __FILE__, __LINE__, #condición);       \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)

// OK to every box, Yes to every question; counts what it was shown.
class MensajesQueAceptan final : public ServicioMensajes {
  public:
    Respuesta Mostrar(const Mensaje& m) override {
        ++mostrados;
        últimoTexto = m.texto;
        return m.botones == Botones::Aceptar || m.botones == Botones::AceptarCancelar ? Respuesta::Aceptar
                                                                                      : Respuesta::Sí;
    }
    void Pitido() override {}
    int mostrados = 0;
    std::string últimoTexto;
};

// Files held in memory, with the service's promises: a link shares the bytes, renames replace in one step,
// writing past the end fills the gap with zero bytes.
class ArchivosMemoria final : public ServicioArchivos {
  public:
    using Contenido = std::shared_ptr<std::string>;

    void Carpeta(const std::filesystem::path& ruta) { carpetas_.insert(ruta.lexically_normal()); }
    void Poner(const std::filesystem::path& ruta, std::string_view bytes) {
        archivos_[ruta.lexically_normal()] = std::make_shared<std::string>(bytes);
    }
    // Null when there is no such file.
    const std::string* Leer(const std::filesystem::path& ruta) const {
        const auto i = archivos_.find(ruta.lexically_normal());
        return i == archivos_.end() ? nullptr : i->second.get();
    }
    std::size_t NúmeroArchivos() const { return archivos_.size(); }

    std::unique_ptr<Archivo> Abrir(const std::filesystem::path& ruta, ModoApertura modo) override {
        const auto clave = ruta.lexically_normal();
        if (carpetas_.count(clave) || !carpetas_.count(clave.parent_path())) return nullptr;
        auto i = archivos_.find(clave);
        if (i == archivos_.end()) {
            if (modo == ModoApertura::Lectura) return nullptr;
            i = archivos_.emplace(clave, std::make_shared<std::string>()).first;
        } else if (modo == ModoApertura::Nuevo) {
            i->second->clear();
        }
        return std::make_unique<ArchivoMemoria>(i->second);
    }
    bool Existe(const std::filesystem::path& ruta) override {
        const auto clave = ruta.lexically_normal();
        return archivos_.count(clave) || carpetas_.count(clave);
    }
    bool EsCarpeta(const std::filesystem::path& ruta) override {
        return carpetas_.count(ruta.lexically_normal()) != 0;
    }
    bool Renombrar(const std::filesystem::path& origen, const std::filesystem::path& destino) override {
        const auto o = origen.lexically_normal(), d = destino.lexically_normal();
        const auto i = archivos_.find(o);
        if (i == archivos_.end() || carpetas_.count(d) || !carpetas_.count(d.parent_path())) return false;
        Contenido c = i->second;
        archivos_.erase(i);
        archivos_[d] = std::move(c);
        return true;
    }
    bool EnlazarOCopiar(const std::filesystem::path& origen, const std::filesystem::path& destino) override {
        const auto o = origen.lexically_normal(), d = destino.lexically_normal();
        const auto i = archivos_.find(o);
        if (i == archivos_.end() || Existe(d) || !carpetas_.count(d.parent_path())) return false;
        archivos_[d] = i->second;
        return true;
    }
    bool Eliminar(const std::filesystem::path& ruta) override {
        return archivos_.erase(ruta.lexically_normal()) != 0;
    }

  private:
    class ArchivoMemoria final : public Archivo {
      public:
        explicit ArchivoMemoria(Contenido c) : c_(std::move(c)) {}
        std::optional<std::size_t> Leer(std::uint64_t posición, std::span<char> destino) override {
            if (posición >= c_->size()) return 0;
            const auto n = std::min<std::size_t>(destino.size(), c_->size() - posición);
            std::copy_n(c_->data() + posición, n, destino.data());
            return n;
        }
        bool Escribir(std::uint64_t posición, std::string_view datos) override {
            if (c_->size() < posición + datos.size()) c_->resize(posición + datos.size(), '\0');
            std::copy(datos.begin(), datos.end(), c_->begin() + static_cast<std::ptrdiff_t>(posición));
            return true;
        }
        bool Sincronizar() override { return true; }
        bool Truncar(std::uint64_t tamaño) override {
            c_->resize(tamaño, '\0');
            return true;
        }
        std::optional<std::uint64_t> Tamaño() override { return c_->size(); }

      private:
        Contenido c_;
    };

    std::map<std::filesystem::path, Contenido> archivos_;
    std::set<std::filesystem::path> carpetas_;
};

// A program folder with Datos/ in the temporary directory, one per process, removed at exit. The tables are
// read with the standard streams, so they have to be real files.
class CarpetaDelProceso final : public ServicioCarpeta {
  public:
    static CarpetaDelProceso& Una() {
        static CarpetaDelProceso c;
        return c;
    }
    std::filesystem::path Programa() const override { return ruta_; }
    void Escribir(std::string_view nombre, std::string_view bytes) const {
        std::ofstream f(Datos() / std::string(nombre), std::ios::binary | std::ios::trunc);
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        M817_COMPROBAR(f.good());
    }
    ~CarpetaDelProceso() override {
        std::error_code e;
        std::filesystem::remove_all(ruta_, e);
    }

  private:
    CarpetaDelProceso()
        : ruta_(std::filesystem::temp_directory_path() / ("m817-fuzz-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(Datos());
    }
    std::filesystem::path ruta_;
};

} // namespace m817::fuzz
