#pragma once
// Files of the program's folder. Every operation reports success or failure and never throws, so the store
// can promise that a failed save leaves the data file as it was. No file stays open between two commands: an
// open file is an object, closed when it is destroyed.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace m817 {

// A lock on a whole file against other processes: readers share one, a writer holds it alone.
enum class Bloqueo {
    Compartido,
    Exclusivo,
};

// What a path names, following links.
enum class TipoRuta {
    Ninguna,
    Archivo, // a regular file: the only kind the program opens
    Carpeta,
    Otra, // a FIFO, a device, a socket: opening one could hang or never end
};

enum class ModoApertura {
    Lectura,          // the file must exist
    LecturaEscritura, // created empty if it does not exist
    Nuevo,            // created, or emptied if it exists
};

class Archivo {
  public:
    virtual ~Archivo() = default;
    // Reads up to destino.size() bytes from posición; fewer only at the end of the file. Empty on error.
    virtual std::optional<std::size_t> Leer(std::uint64_t posición, std::span<char> destino) = 0;
    // Writes every byte at posición. On failure part of them may have been written.
    virtual bool Escribir(std::uint64_t posición, std::string_view datos) = 0;
    // Flushes what was written down to the disk.
    virtual bool Sincronizar() = 0;
    virtual bool Truncar(std::uint64_t tamaño) = 0;
    virtual std::optional<std::uint64_t> Tamaño() = 0;
    // Waits a few seconds at most for the lock; false when it is not granted. Desbloquear releases it.
    virtual bool Bloquear(Bloqueo) { return true; }
    virtual void Desbloquear() {}

    // Writes at the current end of the file.
    bool Añadir(std::string_view datos);
    // Everything from posición to the end.
    bool LeerResto(std::uint64_t posición, std::string& destino);
};

class ServicioArchivos {
  public:
    virtual ~ServicioArchivos() = default;
    // Null when the file cannot be opened in that mode, or when the path is not a regular file (never waits
    // on a FIFO or a device).
    virtual std::unique_ptr<Archivo> Abrir(const std::filesystem::path& ruta, ModoApertura modo) = 0;
    virtual bool Existe(const std::filesystem::path& ruta) = 0;
    virtual bool EsCarpeta(const std::filesystem::path& ruta) = 0;
    virtual TipoRuta Tipo(const std::filesystem::path& ruta) {
        return EsCarpeta(ruta) ? TipoRuta::Carpeta : Existe(ruta) ? TipoRuta::Archivo : TipoRuta::Ninguna;
    }
    // Replaces destino in one step if it exists; destino is never missing meanwhile.
    virtual bool Renombrar(const std::filesystem::path& origen, const std::filesystem::path& destino) = 0;
    // Gives origen a second name (a link, or a complete copy where links are not possible). Fails if destino
    // exists: nothing is ever overwritten this way.
    virtual bool EnlazarOCopiar(const std::filesystem::path& origen,
                                const std::filesystem::path& destino) = 0;
    virtual bool Eliminar(const std::filesystem::path& ruta) = 0;

    // The whole file.
    bool LeerTodo(const std::filesystem::path& ruta, std::string& destino);
};

// Holds a lock for as long as it lives.
class Cerrojo {
  public:
    Cerrojo(Archivo& archivo, Bloqueo b) : archivo_(archivo), tomado_(archivo.Bloquear(b)) {}
    ~Cerrojo() {
        if (tomado_) archivo_.Desbloquear();
    }
    Cerrojo(const Cerrojo&) = delete;
    Cerrojo& operator=(const Cerrojo&) = delete;
    explicit operator bool() const { return tomado_; }

  private:
    Archivo& archivo_;
    bool tomado_;
};

} // namespace m817
