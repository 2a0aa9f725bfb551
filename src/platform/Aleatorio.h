#pragma once
// Random numbers for the receipt numbers. The generator is seeded once, when the program starts,
// from a high-resolution clock, so that two prints within the same second still differ.
#include <cstdint>
#include <random>

namespace m817 {

class ServicioAleatorio {
  public:
    virtual ~ServicioAleatorio() = default;
    // A number r with 0 <= r < 1.
    virtual double Siguiente() = 0;
};

class AleatorioSistema final : public ServicioAleatorio {
  public:
    AleatorioSistema(); // seeded from the clock
    explicit AleatorioSistema(std::uint64_t semilla) : motor_(semilla) {}
    void Sembrar(std::uint64_t semilla) { motor_.seed(semilla); }
    double Siguiente() override;

  private:
    std::mt19937_64 motor_;
};

} // namespace m817
