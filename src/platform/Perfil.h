#pragma once
// A profile file of the program's own, in the classic form: "[section]" lines followed by
// "entry=value" lines. Sections and entries are found without regard to case; every write is
// saved at once (a new file renamed over the old one).
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace m817 {

class PerfilIni {
  public:
    // Reads the file if it exists; a missing or unreadable file is an empty profile.
    explicit PerfilIni(std::filesystem::path ruta);

    // The value, or `predeterminado` when the entry is missing; at most `longitudMáxima`
    // characters of it (0: no limit).
    std::string Leer(const std::string& sección, const std::string& entrada,
                     const std::string& predeterminado, std::size_t longitudMáxima = 0) const;
    // Sets the entry (creating its section) and saves. False when the file could not be written.
    bool Escribir(const std::string& sección, const std::string& entrada, const std::string& valor);

    // The file's text as it is saved.
    std::string Texto() const;

  private:
    struct Sección {
        std::string nombre;
        std::vector<std::pair<std::string, std::string>> entradas;
    };
    void Analizar(const std::string& texto);
    bool Guardar() const;

    std::filesystem::path ruta_;
    std::vector<Sección> secciones_;
};

} // namespace m817
