#include "platform/Aleatorio.h"

#include <chrono>

namespace m817 {

AleatorioSistema::AleatorioSistema() {
    const auto tics = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::random_device dispositivo;
    std::seed_seq semilla{static_cast<std::uint64_t>(tics), static_cast<std::uint64_t>(dispositivo())};
    motor_.seed(semilla);
}

double AleatorioSistema::Siguiente() {
    // 53 random bits: every value is below 1, as the receipt number needs.
    return static_cast<double>(motor_() >> 11) * 0x1.0p-53;
}

} // namespace m817
