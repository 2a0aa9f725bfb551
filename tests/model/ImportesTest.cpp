#include "model/Importes.h"

#include "support/Dobles.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <locale>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using namespace m817;

namespace {

constexpr double kMáximo = std::numeric_limits<double>::max();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Lectura {
    const char* texto;
    double esperado;
};

// clang-format off
const Lectura kLecturas[] = {
    {",", 0}, {"   ", 0}, {"-,", 0}, {"+7", 7}, {"5,", 5}, {"1,2.3", 0}, {"12abc", 0}, {"", 0}, {"-", 0},
    {"abc", 0}, {".", 0}, {"1234", 1234}, {"1.234,5", 1234.5}, {"1.234,567", 1234.57}, {"-12,5", -12.5},
    {"0,005", 0.01}, {"-0,005", -0.01}, {"1,005", 1.01}, {"  12,50 ", 12.5}, {",5", 0.5}, {"-,5", -0.5},
    {"1.2.3,4", 123.4}, {"1.000.000.000.000", 1e12}, {"999999999999,99", 999999999999.99},
    {"999.999.999.999,995", 1e12}, {"-1000000000000", -1e12}, {"-1000000000000,75", -1000000000000.75},
    {"12,3,4", 0}, {"12-", 0}, {"1 234", 0}, {"2e3", 0}, {"9.99e11", 0}, {"1000000000000", 1e12},
    {"1000000000000,75", 1e12}, {"1000000000000.75", 1000000000000.75},
    {"  1234567890123456", 1234567890123456.0}, {"1e12", 1e12}, {"1E13xyz", 1e13}, {"2.5e+12", 2.5e12},
    {"1e400", kMáximo},
};
// clang-format on

TEST(Importes, ValorImporteLeeLaNotaciónEspañolaYElValorInicialSobreElLímite) {
    for (const auto& c : kLecturas)
        EXPECT_EQ(ValorImporte(c.texto), c.esperado) << '"' << c.texto << '"';
    const std::string ceros(400, '0');
    EXPECT_EQ(ValorImporte("1" + ceros), kMáximo);
    EXPECT_EQ(ValorImporte("-1" + ceros), -kMáximo);
    EXPECT_EQ(ValorImporte("0," + ceros + "1"), 0.0);
    EXPECT_EQ(ValorImporte("1e-400"), 0.0);
    EXPECT_EQ(ValorLímiteImporte(), 1e12);
    EXPECT_TRUE(ImporteSobreLímite(-1e12));
    EXPECT_FALSE(ImporteSobreLímite(999999999999.99));
}

struct Redondeo {
    double valor;
    int n;
    std::optional<double> esperado;
};

// clang-format off
const Redondeo kRedondeos[] = {
    {2.5, 0, 3}, {1e300, 2, 1e300}, {-kMáximo, 2, -kMáximo}, {0.5, 0, 1}, {0.125, 2, 0.13},
    {-0.125, 2, -0.13}, {-2.5, 0, -3}, {1.005, 2, 1.01}, {2.675, 2, 2.68}, {1.0049999, 2, 1.0},
    {0.1 + 0.2, 2, 0.3}, {0.49999999999999994, 0, 1}, {1.234567, 4, 1.2346}, {999.995, 2, 1000},
    {-0.004, 2, 0}, {123.456, -1, 123}, {1e12 + 0.005, 2, 1000000000000.01},
    {1.2345678901234567e20, 2, 1.23456789012346e20}, {kMáximo, 2, kMáximo}, {5e-324, 2, 0},
    {kNaN, 2, std::nullopt}, {kInf, 2, std::nullopt}, {-kInf, 0, std::nullopt},
};
// clang-format on

TEST(Importes, RedondearEsDecimalConLasMitadesLejosDelCero) {
    for (const auto& c : kRedondeos) {
        const auto r = Redondear(c.valor, c.n);
        EXPECT_EQ(r, c.esperado) << c.valor << " a " << c.n;
        if (r && *r == 0) {
            EXPECT_FALSE(std::signbit(*r)) << c.valor;
        }
    }
}

struct Escritura {
    double valor;
    bool mostrarCero;
    const char* formato;
    const char* esperado;
};

// clang-format off
const Escritura kEscrituras[] = {
    {12, true, "???", "12,00"}, {12345.6, true, "???", "12.345,60"}, {123456, true, "???", "123.456,00"},
    {0, true, "General Number", "0"}, {1.005, true, "???", "1,01"}, {0, true, "???", "0,00"},
    {0, false, "???", ""}, {-0.0, false, "???", ""}, {0.001, false, "???", "0,00"},
    {-0.004, true, "???", "0,00"}, {-0.005, true, "???", "-0,01"}, {1, true, "???", "1,00"},
    {123, true, "#,##0.00", "123,00"}, {1234.5, true, "???", "1.234,50"},
    {1234567.891, true, "???", "1.234.567,89"}, {12345678.9, true, "???", "12.345.678,90"},
    {999999999999.99, true, "???", "999.999.999.999,99"},
    {999999999999.995, true, "???", "1.000.000.000.000,00"}, {0.07, true, "???", "0,07"},
    {-0.5, true, "???", "-0,50"}, {-1234.5, false, "???", "-1.234,50"},
    {-999999.999, true, "???", "-1.000.000,00"}, {1e12, true, "???", "1000000000000"},
    {-1e12, true, "???", "-1000000000000"}, {1500000000000, false, "#,##0.00", "1500000000000"},
    {1e12 + 0.75, true, "???", "1000000000001"}, {1.5e20, true, "???", "150000000000000000000"},
    {2e12, true, "General Number", "2000000000000"}, {1234.56, true, "#", "1235"}, {-0.4, true, "#", "0"},
    {7, true, "General Number", "7"}, {6.5, true, "General Number", "6,5"},
    {-12.25, true, "General Number", "-12,25"}, {0, false, "General Number", ""},
    {0.1 + 0.2, true, "General Number", "0,3"}, {1234.5, true, "0.00", "1234,50"},
    {2.0005, true, "0.000", "2,001"}, {1234567.5, true, "#,##0", "1.234.568"},
    {1234.5, true, "xyz", "1.234,50"}, {kNaN, true, "???", ""},
};
// clang-format on

TEST(Importes, FormatearImporteEnNotaciónEspañola) {
    for (const auto& c : kEscrituras)
        EXPECT_EQ(FormatearImporte(c.valor, c.mostrarCero, c.formato), c.esperado)
            << c.valor << " con \"" << c.formato << '"';
    // An overflowed sum still shows as over the limit.
    EXPECT_EQ(FormatearImporte(kInf, true, "???").substr(0, 15), "179769313486232");
    EXPECT_EQ(FormatearImporte(kInf, true, "???").size(), 309u);
    EXPECT_EQ(FormatearImporte(-kInf, true, "???").size(), 310u);
}

struct EnCasilla {
    double valor;
    bool mostrarCero;
    bool bloqueado;
    const char* esperado;
};

// clang-format off
const EnCasilla kEnCasillas[] = {
    {1e12, true, false, "1000000000000"}, {1e12, true, true, "1.000.000.000.000,00"},
    {-1e12, false, true, "-1.000.000.000.000,00"}, {2.5e12, false, false, "2500000000000"},
    {12.5, true, true, "12,50"}, {0, false, true, ""}, {0, true, true, "0,00"},
    {-1234.5, true, false, "-1.234,50"},
};
// clang-format on

TEST(Importes, TextoAlMostrarImporteSoloEnseñaCrudoLoEditable) {
    for (const auto& c : kEnCasillas)
        EXPECT_EQ(TextoAlMostrarImporte(c.valor, c.mostrarCero, "???", c.bloqueado), c.esperado)
            << c.valor << (c.bloqueado ? " bloqueada" : " editable");
}

TEST(Importes, TextoMostrarCasillaGuardaLoQueNoSeSabeEscribir) {
    // clang-format off
    const std::pair<const char*, const char*> casos[] = {
        {"0", "0"}, {"", ""}, {"1.234,50", "1.234,50"}, {"abc", "abc"}, {" abc ", "abc"}, {"0,00", "0,00"},
        {"12,3,4", "12,3,4"}, {"   ", ""}, {"1234,5", "1.234,50"}, {"  -7 ", "-7,00"},
        {"1000000000000", "1000000000000"},
    };
    // clang-format on
    for (const auto& [guardado, esperado] : casos)
        EXPECT_EQ(TextoMostrarCasilla(guardado), esperado) << '"' << guardado << '"';
    EXPECT_EQ(TextoMostrarCasilla("1000000000000", true), "1.000.000.000.000,00");
}

// Machines with a decimal comma in their settings must read and write amounts just the same. The test build
// makes es_ES.utf8 in its own folder and points LOCPATH at it.
class ConfiguraciónRegional {
  public:
    ConfiguraciónRegional() : cpp_(std::locale()), c_(std::setlocale(LC_ALL, nullptr)) {}
    ~ConfiguraciónRegional() {
        std::setlocale(LC_ALL, c_.c_str());
        std::locale::global(cpp_);
    }
    // A locale with a decimal comma, made global for C and C++; empty if there is none.
    std::string PonerConComaDecimal() {
        prueba::LocalesDePrueba();
        for (const char* nombre : {"es_ES.utf8"}) {
            if (!std::setlocale(LC_ALL, nombre)) continue;
            if (std::string(std::localeconv()->decimal_point) != ",") continue;
            try {
                std::locale::global(std::locale(nombre));
            } catch (const std::runtime_error&) {
                continue;
            }
            return nombre;
        }
        std::setlocale(LC_ALL, c_.c_str());
        return {};
    }

  private:
    std::locale cpp_;
    std::string c_;
};

// Numbers are compared as numbers: turning them into text here would itself depend on the locale.
struct Resultados {
    std::vector<double> números;
    std::vector<std::string> textos;
};

Resultados Calcular() {
    Resultados r;
    for (const auto& c : kLecturas)
        r.números.push_back(ValorImporte(c.texto));
    for (const auto& c : kRedondeos)
        r.números.push_back(Redondear(c.valor, c.n).value_or(-1));
    for (const auto& c : kEscrituras)
        r.textos.push_back(FormatearImporte(c.valor, c.mostrarCero, c.formato));
    r.textos.push_back(TextoMostrarCasilla("1234,5"));
    r.números.push_back(ValorLímiteImporte());
    return r;
}

TEST(Importes, LaConfiguraciónRegionalNoCambiaNada) {
    ConfiguraciónRegional regional;
    const Resultados antes = Calcular();
    const std::string nombre = regional.PonerConComaDecimal();
    ASSERT_FALSE(nombre.empty()) << "no es_ES.utf8 locale: the test build makes it (LOCPATH)";
    const Resultados después = Calcular();
    EXPECT_EQ(después.números, antes.números) << "under " << nombre;
    EXPECT_EQ(después.textos, antes.textos) << "under " << nombre;
}

} // namespace
