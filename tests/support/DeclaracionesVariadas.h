#pragma once
// Saved returns of every kind, for the tests that open many of them one after another: valid ones, ones with
// warnings or errors, and stored values the program never writes itself (a period "7T", payment by account
// with nothing to pay, a province the table does not hold...). The codes are in both the small tables of
// HojaPrueba and the real ones.
#include "store/RegistroDeclaracion.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace m817::prueba {

// A bank account with correct control digits, and one with wrong ones.
std::string CuentaCorrecta();
inline constexpr const char* kCuentaErrónea = "12345678901234567890";

// One record drawn at random.
RegistroDeclaración DeclaraciónAlAzar(std::mt19937& azar);

// Records made on purpose: payment by account set although nothing is due with a wrong account, a refund
// chosen in the fourth quarter, stored months 10 to 12, periods that are not one, codes not in their lists.
std::vector<RegistroDeclaración> DeclaracionesPreparadas();

} // namespace m817::prueba
