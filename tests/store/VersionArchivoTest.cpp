#include "store/Conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace m817;

namespace {

// A file whose first block holds the start of a line with no end, and which cannot be read beyond it: a huge
// file of one line (say 2 GB of zeros) must not be read to its end to learn its version.
class SoloPrimerBloque : public Archivo {
  public:
    explicit SoloPrimerBloque(std::string comienzo) : comienzo_(std::move(comienzo)) {}
    std::optional<std::size_t> Leer(std::uint64_t posición, std::span<char> destino) override {
        if (posición > 0) return std::nullopt;
        std::fill(destino.begin(), destino.end(), '\0');
        std::memcpy(destino.data(), comienzo_.data(), std::min(comienzo_.size(), destino.size()));
        return destino.size();
    }
    bool Escribir(std::uint64_t, std::string_view) override { return false; }
    bool Sincronizar() override { return false; }
    bool Truncar(std::uint64_t) override { return false; }
    std::optional<std::uint64_t> Tamaño() override { return std::nullopt; }

  private:
    std::string comienzo_;
};

} // namespace

TEST(VersionArchivo, UnaLíneaVivaSinFinDaSuVersiónSinLeerElResto) {
    SoloPrimerBloque vivo(" 8172.1.1");
    EXPECT_EQ(VersiónArchivo(vivo), "2.1.1");
    // A deleted line must be read to its end to reach the next one: here that read fails.
    SoloPrimerBloque eliminado("*8172.1.1");
    EXPECT_EQ(VersiónArchivo(eliminado), std::nullopt);
}
