#include "model/Importes.h"

#include "support/Dobles.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <fstream>
#include <iomanip>
#include <limits>
#include <locale>
#include <sstream>

using namespace m817;

namespace {

using Fila = std::pair<std::string, std::vector<std::string>>; // the kind of case and its fields

const std::vector<Fila>& Casos() {
    static const std::vector<Fila> filas = [] {
        std::vector<Fila> f;
        std::ifstream archivo(M817_SOURCE_DIR "/tests/datos/importes.txt");
        for (std::string línea; std::getline(archivo, línea);) {
            if (línea.empty() || línea[0] == '#') continue;
            std::istringstream in(línea);
            Fila fila;
            in >> fila.first >> std::ws;
            for (std::string c; in.peek() != EOF && (in.peek() == '"' ? in >> std::quoted(c) : in >> c);
                 in >> std::ws)
                fila.second.push_back(c);
            f.push_back(fila);
        }
        return f;
    }();
    return filas;
}

// Without the locale: the locale test runs these very conversions under a decimal comma.
double Número(const std::string& t) {
    double d = 0;
    std::from_chars(t.data(), t.data() + t.size(), d);
    return d;
}
std::string Texto(std::optional<double> d) {
    char b[64];
    return d ? std::string(b, std::to_chars(b, b + sizeof b, *d).ptr) : "none";
}

std::string Resultado(const Fila& f) {
    const auto& [tipo, c] = f;
    if (tipo == "leer") return Texto(ValorImporte(c[0]) + 0.0); // -0 reads as 0
    if (tipo == "redondear") return Texto(Redondear(Número(c[0]), std::stoi(c[1])));
    if (tipo == "formatear") return FormatearImporte(Número(c[0]), c[1] == "1", c[2]);
    if (tipo == "mostrar") return TextoAlMostrarImporte(Número(c[0]), c[1] == "1", "???", c[2] == "1");
    return tipo == "casilla" ? TextoMostrarCasilla(c[0], c[1] == "1") : "unknown kind";
}

TEST(Importes, LeerRedondearYEscribirEnNotaciónEspañola) {
    ASSERT_GT(Casos().size(), 120u);
    for (const auto& [tipo, c] : Casos()) {
        const bool número = (tipo == "leer" || tipo == "redondear") && c.back() != "none";
        EXPECT_EQ(Resultado({tipo, c}), número ? Texto(Número(c.back())) : c.back())
            << tipo << " \"" << c[0] << '"';
    }
    const std::string ceros(400, '0');
    EXPECT_EQ(ValorImporte("-1" + ceros), -std::numeric_limits<double>::max());
    EXPECT_EQ(ValorLímiteImporte(), 1e12);
    EXPECT_TRUE(ImporteSobreLímite(-1e12) && !ImporteSobreLímite(999999999999.99));
    const double inf =
        std::numeric_limits<double>::infinity(); // an overflowed sum still shows as over the limit
    EXPECT_EQ(FormatearImporte(inf, true, "???").substr(0, 15), "179769313486232");
    EXPECT_EQ(FormatearImporte(inf, true, "???").size(), 309u);
    EXPECT_EQ(FormatearImporte(-inf, true, "???").size(), 310u);
}

// A decimal comma in the machine's settings changes nothing; the test build makes es_ES.utf8 (LOCPATH).
TEST(Importes, LaConfiguraciónRegionalNoCambiaNada) {
    auto todos = [] {
        std::vector<std::string> r;
        for (const auto& f : Casos())
            r.push_back(Resultado(f));
        return r;
    };
    const auto antes = todos();
    struct Restaurar {
        std::string c = std::setlocale(LC_ALL, nullptr);
        std::locale cpp;
        ~Restaurar() { std::setlocale(LC_ALL, c.c_str()), std::locale::global(cpp); }
    } restaurar;
    prueba::LocalesDePrueba();
    ASSERT_TRUE(std::setlocale(LC_ALL, "es_ES.utf8"))
        << "no es_ES.utf8 locale: the test build makes it (LOCPATH)";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    std::locale::global(std::locale("es_ES.utf8"));
    EXPECT_EQ(todos(), antes);
}

} // namespace
