#include "validation/Identificadores.h"

#include "platform/Texto1252.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

namespace m817 {
namespace {

// ---- character filter -----------------------------------------------------------------------------

struct CasoFiltro {
    const char* descripción;
    int tecla;              // key code (Windows-1252)
    std::string permitidos; // as typed by the caller; empty = defaults
    std::string reemplazos;
    bool permitido;
    int resultado;
};

TEST(FiltrarCaracter, TablaDeTeclas) {
    const CasoFiltro casos[] = {
        {"fuera de byte", 300, "", "", false, kCódigoRechazo},
        {"negativo", -5, "", "", false, kCódigoRechazo},
        {"retroceso", kTeclaRetroceso, "", "", true, kTeclaRetroceso},
        {"tabulador", kTeclaTabulador, "0123456789", "", true, kTeclaTabulador},
        {"escape", kTeclaEscape, "0123456789", "", true, kTeclaEscape},
        {"intro sin salto de campo", kTeclaIntro, "", "", true, kTeclaIntro},
        {"t del período", 't', "0123456789T", "", true, 'T'},
        {"Q en el período", 'Q', "0123456789T", "", false, kCódigoRechazo},
        {"letra en dígitos", 'a', "0123456789", "", false, kCódigoRechazo},
        {"punto decimal a coma", '.', "0123456789,.", "0123456789,,", true, ','},
        {"menos permitido", '-', "0123456789-", "", true, '-'},
        {"reemplazo corto: identidad", 'x', "0X", "Z", true, 'X'},
    };
    for (const auto& caso : casos) {
        int tecla = caso.tecla;
        EXPECT_EQ(
            FiltrarCarácter(tecla, std::string_view(caso.permitidos), std::string_view(caso.reemplazos)),
            caso.permitido)
            << caso.descripción;
        EXPECT_EQ(tecla, caso.resultado) << caso.descripción;
    }
}

TEST(FiltrarCaracter, IntroPasaAlCampoSiguienteSoloSiSeLePide) {
    int tecla = kTeclaIntro;
    bool siguiente = false;
    EXPECT_TRUE(FiltrarCarácter(tecla, "0123456789", "", &siguiente));
    EXPECT_EQ(tecla, 0);
    EXPECT_TRUE(siguiente);

    // The flag is cleared by any other key.
    tecla = '5';
    EXPECT_TRUE(FiltrarCarácter(tecla, "0123456789", "", &siguiente));
    EXPECT_FALSE(siguiente);
    tecla = 'A';
    EXPECT_FALSE(FiltrarCarácter(tecla, "0123456789", "", &siguiente));
    EXPECT_FALSE(siguiente);
    EXPECT_EQ(tecla, kCódigoRechazo);
}

// Every byte against the rule stated in words: letters (with ñ), accented vowels of any kind, digits
// and "-,. " pass, upper-cased and without accents; the four control keys stay; the rest is refused.
TEST(FiltrarCaracter, CadaByteConLasTablasPorDefecto) {
    const std::string vocales = W("áéíóúàèìòùäëïöüÁÉÍÓÚÀÈÌÒÙÄËÏÖÜ");
    const std::string plana = "AEIOUAEIOUAEIOUAEIOUAEIOUAEIOU";
    const char eñe = W("ñ")[0], EÑE = W("Ñ")[0];
    for (int b = 0; b < 256; ++b) {
        const char ch = static_cast<char>(b);
        int esperado = kCódigoRechazo;
        if (b == 8 || b == 9 || b == 13 || b == 27)
            esperado = b;
        else if (ch >= 'A' && ch <= 'Z')
            esperado = b;
        else if (ch >= 'a' && ch <= 'z')
            esperado = b - 'a' + 'A';
        else if ((ch >= '0' && ch <= '9') || ch == '-' || ch == ',' || ch == '.' || ch == ' ')
            esperado = b;
        else if (ch == eñe || ch == EÑE)
            esperado = static_cast<unsigned char>(EÑE);
        else if (auto p = vocales.find(ch); p != std::string::npos)
            esperado = plana[p];

        int tecla = b;
        EXPECT_EQ(FiltrarCarácter(tecla), esperado != kCódigoRechazo) << "byte " << b;
        EXPECT_EQ(tecla, esperado) << "byte " << b;
    }
}

TEST(NormalizarTexto, Tabla) {
    struct Caso {
        const char* texto; // UTF-8
        const char* permitidos;
        bool permitido;
        std::string resultado; // UTF-8, except the bell
    } const casos[] = {
        {"Peña García", "", true, "PEÑA GARCIA"},
        {"àèìòù ÄËÏÖÜ", "", true, "AEIOU AEIOU"},
        {"", "", true, ""},
        {"", "0123456789", true, ""},
        {"O'Donnell", "", false, "O\x07"},
        {"calle 5ª", "", false, "CALLE 5\x07"},
        {"12a4", "0123456789", false, "12\x07"},
        {"0042", "0123456789", true, "0042"},
        {"linea\tdos", "", true, "LINEA\tDOS"},
    };
    for (const auto& caso : casos) {
        std::string texto = W(caso.texto);
        EXPECT_EQ(NormalizarTexto(texto, std::string_view(caso.permitidos)), caso.permitido) << caso.texto;
        EXPECT_EQ(texto, W(caso.resultado)) << caso.texto;
    }
}

// ---- tax identification number ---------------------------------------------------------------------

struct CasoNIF {
    const char* nif;
    bool válido;
    const char* escrito; // what ValidarNIF leaves in its argument
};

TEST(ValidarNIF, Ejemplos) {
    const CasoNIF casos[] = {
        {" 12345678z ", true, "12345678Z"},
        {"12345678Z", true, "12345678Z"},
        {"12345678A", false, "12345678A"},
        {"12345678", false, "12345678"},
        {"1234567L", true, "1234567L"}, // read as 01234567L
        {"00000000T", true, "00000000T"},
        {"X1234567L", true, "X1234567L"}, // read as 01234567L
        {"x1234567l", true, "X1234567L"},
        {"Y1234567X", true, "Y1234567X"}, // 11234567 % 23 = 10
        {"Z1234567R", true, "Z1234567R"}, // 21234567 % 23 = 1
        {"Y1234567L", false, "Y1234567L"},
        {"K1234567L", true, "K1234567L"},
        {"L1234567L", true, "L1234567L"},
        {"M1234567L", true, "M1234567L"},
        {"K1234567T", false, "K1234567T"},
        {"K1234567", false, "K1234567"},
        {"K12345A7L", false, "K12345A7L"},
        {"1234 5678Z", false, "1234 5678Z"},
        {"12345678Z99", true, "12345678Z99"}, // beyond the ninth is not examined
        {"A58818501", true, "A58818501"},
        {"A5881850A", true, "A5881850A"},
        {"A5881850B", false, "A5881850B"},
        {"A58818502", false, "A58818502"},
        {"B1234567K", false, "B1234567K"}, // K is no control letter
        {"H58818501", true, "H58818501"},
        {"H5881850A", false, "H5881850A"},
        {"P5881850A", true, "P5881850A"},
        {"P58818501", false, "P58818501"},
        {"I58818501", false, "I58818501"},
        {"O1234567L", false, "O1234567L"},
        {"T1234567L", false, "T1234567L"},
        {"A5881850", false, "A5881850"},
        {"A58A18501", false, "A58A18501"},
        {"", false, ""},
        {"   ", false, ""},
        {"9", false, "9"},
        {" ñ1234567l ", false, "Ñ1234567L"},
    };
    for (const auto& caso : casos) {
        std::string nif = W(caso.nif);
        EXPECT_EQ(ValidarNIF(nif), caso.válido) << caso.nif;
        EXPECT_EQ(nif, W(caso.escrito)) << caso.nif;
    }
}

// ---- bank account code -----------------------------------------------------------------------------

// Control digit as usually stated: weights 6,3,7,9,10,5,8,4,2,1 from the right.
int ControlBanco(const std::string& dígitos) {
    static const int pesos[] = {6, 3, 7, 9, 10, 5, 8, 4, 2, 1};
    int suma = 0;
    for (std::size_t i = 0; i < dígitos.size(); ++i)
        suma += (dígitos[dígitos.size() - 1 - i] - '0') * pesos[i];
    const int c = 11 - suma % 11;
    return c == 11 ? 0 : c == 10 ? 1 : c;
}

TEST(ValidarCCC, Ejemplos) {
    EXPECT_EQ(DígitoControlCCC("0012345678", 3), ControlBanco("12345678"));
    EXPECT_EQ(DígitoControlCCC("1234567890", 1), ControlBanco("1234567890"));
    EXPECT_EQ(DígitoControlCCC("0000000000", 1), 0);                         // 11 gives 0
    EXPECT_EQ(DígitoControlCCC("0000000001", 1), 5);                         // 11 - 6
    EXPECT_EQ(DígitoControlCCC("1000000000", 1), 1);                         // 11 - 1 = 10 gives 1
    EXPECT_EQ(DígitoControlCCC("0000000100", 1), 4);                         // weight 7
    EXPECT_EQ(DígitoControlCCC("12", 1), DígitoControlCCC("1200000000", 1)); // missing counts as 0
    EXPECT_EQ(DígitoControlCCC("99", 3), 0); // positions 1 and 2 are not weighed

    struct Caso {
        const char* ccc;
        bool válido;
    } const casos[] = {
        {"20852066623456789011", true},  {"01821234860011223344", true},
        {"20852066263456789011", false},                                 // control digits swapped
        {"20852066 23456789011", false}, {"2085206662345678901", false}, // nineteen characters
        {"0000000000", false},           {"", false},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(ValidarCCC(caso.ccc), caso.válido) << caso.ccc;
}

TEST(ValidarCCC, CerosRechazadosAunqueCuadren) {
    const std::string oficina = "2066", cuenta = "3456789011";
    std::string ccc = "0000" + oficina + char('0' + ControlBanco("0000" + oficina)) +
                      char('0' + ControlBanco(cuenta)) + cuenta;
    EXPECT_FALSE(ValidarCCC(ccc));
    ccc = "2085" + oficina + char('0' + ControlBanco("2085" + oficina)) + '0' + "0000000000";
    EXPECT_EQ(ControlBanco("0000000000"), 0);
    EXPECT_FALSE(ValidarCCC(ccc));
}

// ---- receipt number ---------------------------------------------------------------------------------

std::string ConControl(const std::string& doce) {
    return doce + static_cast<char>('0' + (7 - std::stoll(doce) % 7) % 7);
}

TEST(ValidarJustificante, Tabla) {
    struct Caso {
        std::string número;
        bool válido;
        bool otroModelo;
    } const casos[] = {
        {ConControl("817061234567"), true, false},
        {ConControl("817061234567") + "X", true, false}, // beyond the thirteenth is not examined
        {ConControl("803061234567"), true, true},
        {ConControl("806000000000"), true, true},
        {ConControl("809999999999"), true, true},
        {ConControl("824061234567"), true, true},
        {ConControl("856061234567"), true, true},
        {ConControl("872061234567"), true, true},
        {ConControl("999061234567"), false, false},
        {ConControl("818061234567"), false, false},
        {"817061234567", false, false}, // twelve characters
        {"", false, false},
        {"81706123456A0", false, false},
        {"A17061234567"
         "0",
         false, false},
    };
    for (const auto& caso : casos) {
        bool otro = !caso.otroModelo; // must be overwritten
        EXPECT_EQ(ValidarJustificante(caso.número, otro), caso.válido) << caso.número;
        EXPECT_EQ(otro, caso.otroModelo) << caso.número;
    }
    // Every other check digit is wrong.
    const std::string bueno = ConControl("817061234567");
    for (char k = '0'; k <= '9'; ++k) {
        bool otro = true;
        EXPECT_EQ(ValidarJustificante(bueno.substr(0, 12) + k, otro), k == bueno[12]) << k;
        EXPECT_FALSE(otro);
    }
}

TEST(ValidarJustificante, NumerosCompuestos) {
    std::mt19937 g(13);
    std::uniform_int_distribution<long> siete(0, 9999999);
    for (int i = 0; i < 300; ++i) {
        const long n = i == 0 ? 0 : i == 1 ? 9999999 : siete(g);
        const int ejercicio = 2000 + i % 30;
        const std::string número = ComponerJustificante(ejercicio, n);
        char relleno[8];
        std::snprintf(relleno, sizeof relleno, "%07ld", n);
        const std::string doce = "817" + std::to_string(ejercicio % 10) + "6" + relleno;
        EXPECT_EQ(número, ConControl(doce));
        EXPECT_EQ(DígitoControlJustificante(doce), número[12] - '0');
        bool otro = true;
        EXPECT_TRUE(ValidarJustificante(número, otro)) << número;
        EXPECT_FALSE(otro);
    }
    EXPECT_EQ(ComponerJustificante(2010, 1234567).substr(0, 5), "81706");
    EXPECT_EQ(DígitoControlJustificante("81706123456"), -1);
    EXPECT_EQ(DígitoControlJustificante("81706123456x"), -1);
}


} // namespace
} // namespace m817
