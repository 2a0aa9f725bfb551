#pragma once
// A return written straight into the sheet model, with every printed field filled, and the print
// record it must give, built piece by piece from the record's declared layout.
#include "model/Tablas.h"
#include "platform/Texto1252.h"
#include "print/RegistroImpresion.h"

#include <map>
#include <string>
#include <string_view>

namespace m817::prueba {

inline void Elegir(HojaDeclaración& h, IdCampo lista, std::string_view textoUtf8, std::int32_t código) {
    h.AñadirEntrada(lista, {W("Otra entrada"), 99});
    h.AñadirEntrada(lista, {W(textoUtf8), código});
    h.EscribirTexto(lista, W(textoUtf8));
}

// 1.234,56 in box 1 at 13 %, a negative result, a complementary return paid by debit.
inline void RellenarHojaCompleta(HojaDeclaración& h) {
    using namespace campos;
    const auto t = [&](IdCampo id, std::string_view utf8) { h.EscribirTexto(id, W(utf8)); };
    Elegir(h, cmbAdministracion, "Palma", 701);
    t(edtCodigoAdministracion, "701");
    t(edtEjercicio, "2010");
    h.AñadirEntrada(cmbPeriodo, {"4T", 4});
    t(cmbPeriodo, "4T");
    h.EscribirValor(chkComplementaria, 1);
    t(edtJustifComp, "8170612345676");
    t(edtNIF, "12345678Z");
    t(edtNombre, "PEÑA GARCÍA, MARÍA");
    Elegir(h, cmbSigla, "Calle", *ClaveAlfabética("CL"));
    t(edtViaPublica, "MAYOR");
    t(edtNumero, "12");
    t(edtEscalera, "A");
    t(edtPiso, "3");
    t(edtPuerta, "IZDA");
    t(edtTelefono, "971123456");
    Elegir(h, cmbProvincia, "Illes Balears", 7);
    Elegir(h, cmbMunicipio, "Alaró", 7001);
    t(edtCodigoPostal, "07340");
    t(edtFax, "971654321");
    t(edtCasilla(1), "1.234,56");
    for (int i = 1; i <= 6; ++i)
        t(edtTipos(i), std::to_string(std::array{7, 2, 5, 9, 13, 20}[i - 1]));
    t(edtTipos(6), "6,5");
    t(edtCasilla(7), "86,42");
    t(edtCasilla(15), "86,42");
    t(edtCasilla(16), "2.000");
    t(edtCasilla(22), "2.000,00");
    t(edtCasilla(23), "-1.913,58");
    t(edtCasilla(26), "-1.913,58");
    t(edtResultado(2), "1.913,58");
    h.EscribirValor(chkFPCuenta, 1);
    t(edtCCCIng(0), "2100");
    t(edtCCCIng(1), "0418");
    t(edtCCCIng(2), "45");
    t(edtCCCIng(3), "0200051332");
    t(edtCCCDev(0), "0000");
    t(edtCCCDev(1), "0000");
    t(edtCCCDev(2), "00");
    t(edtCCCDev(3), "0000000000");
}

// The Windows-1252 letters of `patrónUtf8` repeated to `n` characters.
inline std::string Repetir(std::string_view patrónUtf8, std::size_t n) {
    const std::string p = W(patrónUtf8);
    std::string r;
    for (std::size_t i = 0; r.size() < n; ++i)
        r += p[i % p.size()];
    return r;
}

// The return of RellenarHojaCompleta with every text it prints at its full width in letters outside
// ASCII: the heaviest text there can be for the point cloud, whose content is otherwise digits.
inline void RellenarHojaLetrasAcentuadas(HojaDeclaración& h) {
    using namespace campos;
    RellenarHojaCompleta(h);
    h.EscribirTexto(edtNombre, Repetir("ÑÁÉÍÓÚÜÇ", 75));
    h.EscribirTexto(edtViaPublica, Repetir("ÚÜÇÑÁÉÍÓ", 50));
    h.EscribirTexto(edtEscalera, W("Ñº"));
    h.EscribirTexto(edtPiso, W("ºª"));
    h.EscribirTexto(edtPuerta, W("IZDª"));
}

// Every box of the return filled with a large amount, every result, both accounts and both ways of
// payment, and every text at its full width in the widest letters.
inline void RellenarHojaTodasLasCasillas(HojaDeclaración& h) {
    using namespace campos;
    const auto t = [&](IdCampo id, std::string_view utf8) { h.EscribirTexto(id, W(utf8)); };
    RellenarHojaCompleta(h);
    h.EscribirTexto(edtNombre, Repetir("WMÑ", 75));
    h.EscribirTexto(edtViaPublica, Repetir("MWÑ", 50));
    t(edtEscalera, "WM");
    t(edtPiso, "MW");
    t(edtPuerta, "WMÑW");
    t(edtTelefono, "003497112345678");
    t(edtFax, "003497165432109");
    for (int i = 1; i <= 26; ++i)
        t(edtCasilla(i), std::to_string(100 + 7 * i) + "." + std::to_string(876 - 3 * i) + ".543.210," +
                             std::to_string(10 + i));
    for (int i = 1; i <= 6; ++i)
        t(edtTipos(i), std::to_string(10 + i) + "," + std::to_string(10 + 3 * i));
    for (int i = 1; i <= 3; ++i)
        t(edtResultado(i), std::to_string(900 + i) + ".123.456.789," + std::to_string(40 + i));
    h.EscribirValor(chkFPEfectivo, 1);
    t(edtCCCDev(0), "2038");
    t(edtCCCDev(1), "1234");
    t(edtCCCDev(2), "56");
    t(edtCCCDev(3), "7890123456");
}

inline std::string Rellenar(std::string_view s, std::size_t ancho) {
    std::string r(s);
    r.resize(ancho, ' ');
    return r;
}

inline std::string Cero() {
    return " 00000000000000";
}

// What RellenarHojaCompleta must give, printed on 5 December 2026.
inline std::string RegistroCompletoEsperado() {
    std::string r = "817" + Rellenar("701", 5) + "2010" + "4T" + "1" + "8170612345676" + "12345678Z" +
                    Rellenar(W("PEÑA GARCÍA, MARÍA"), 75) + "CL" + Rellenar("MAYOR", 50) + "00012" + "A " +
                    "3 " + "IZDA" + Rellenar("971123456", 15) + "07" + "07001" + "07340" +
                    Rellenar("971654321", 15) + " 00000000123456";
    for (int i = 2; i <= 6; ++i)
        r += Cero();
    r += "070002000500090013000650"; // the six rates
    const std::map<int, std::string> casillas = {{7, " 00000000008642"},  {15, " 00000000008642"},
                                                 {16, " 00000000200000"}, {22, " 00000000200000"},
                                                 {23, "-00000000191358"}, {26, "-00000000191358"}};
    for (int i = 7; i <= 26; ++i)
        r += casillas.contains(i) ? casillas.at(i) : Cero();
    r += Cero() + " 00000000191358";                    // results 1 and 2
    r += "01";                                          // cash, debit
    r += "21000418450200051332" + std::string(20, '0'); // the two accounts
    return r + Cero() + "0" + "05122026";               // result 3, no activity, the date
}

} // namespace m817::prueba
