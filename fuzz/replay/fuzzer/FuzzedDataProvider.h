#pragma once
// For the corpus replay built without clang: the part of libFuzzer's FuzzedDataProvider the targets use, with
// its reading rules (integers taken from the end of the input, most significant byte last; the rest of the
// bytes from the front), so that every stored input means here what it meant to the fuzzer.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <type_traits>

class FuzzedDataProvider {
  public:
    FuzzedDataProvider(const std::uint8_t* datos, std::size_t tamaño) : datos_(datos), quedan_(tamaño) {}

    template <typename T> T ConsumeIntegralInRange(T mínimo, T máximo) {
        static_assert(std::is_integral_v<T> && sizeof(T) <= sizeof(std::uint64_t));
        if (mínimo > máximo) std::abort();
        const std::uint64_t rango = static_cast<std::uint64_t>(máximo) - static_cast<std::uint64_t>(mínimo);
        std::uint64_t valor = 0;
        for (std::size_t bits = 0; bits < sizeof(T) * CHAR_BIT && (rango >> bits) > 0 && quedan_ != 0;
             bits += CHAR_BIT)
            valor = (valor << CHAR_BIT) | datos_[--quedan_];
        if (rango != std::numeric_limits<std::uint64_t>::max()) valor %= rango + 1;
        return static_cast<T>(static_cast<std::uint64_t>(mínimo) + valor);
    }
    template <typename T> T ConsumeIntegral() {
        return ConsumeIntegralInRange(std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
    }
    bool ConsumeBool() { return (ConsumeIntegral<std::uint8_t>() & 1) != 0; }
    std::string ConsumeRemainingBytesAsString() {
        std::string s(reinterpret_cast<const char*>(datos_), quedan_);
        datos_ += quedan_;
        quedan_ = 0;
        return s;
    }

  private:
    const std::uint8_t* datos_;
    std::size_t quedan_;
};
