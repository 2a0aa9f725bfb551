#pragma once
#include "model/Tablas.h"
#include "platform/Texto1252.h"
#include "print/RegistroImpresion.h"

namespace m817::prueba {

using namespace campos;

inline void Elegir(HojaDeclaración& h, IdCampo lista, std::string_view textoUtf8, std::int32_t código) {
    h.AñadirEntrada(lista, {W("Otra entrada"), 99}), h.AñadirEntrada(lista, {W(textoUtf8), código});
    h.EscribirTexto(lista, W(textoUtf8));
}

// 1.234,56 in box 1 at 7 %, a negative result, a complementary return paid by debit.
inline void RellenarHojaCompleta(HojaDeclaración& h) {
    Elegir(h, cmbAdministracion, "Palma", 701), Elegir(h, cmbSigla, "Calle", *ClaveAlfabética("CL"));
    Elegir(h, cmbProvincia, "Illes Balears", 7), Elegir(h, cmbMunicipio, "Alaró", 7001);
    h.EscribirValor(chkComplementaria, 1), h.EscribirValor(chkFPCuenta, 1);
    // clang-format off
    const std::pair<IdCampo, const char*> textos[] = {
        {edtCodigoAdministracion, "701"}, {edtEjercicio, "2010"}, {cmbPeriodo, "4T"}, {edtJustifComp, "8170612345676"},
        {edtNIF, "12345678Z"}, {edtNombre, "PEÑA GARCÍA, MARÍA"}, {edtViaPublica, "MAYOR"}, {edtNumero, "12"},
        {edtEscalera, "A"}, {edtPiso, "3"}, {edtPuerta, "IZDA"}, {edtTelefono, "971123456"}, {edtCodigoPostal, "07340"},
        {edtFax, "971654321"}, {edtCasilla(1), "1.234,56"}, {edtTipos(1), "7"}, {edtTipos(2), "2"}, {edtTipos(3), "5"},
        {edtTipos(4), "9"}, {edtTipos(5), "13"}, {edtTipos(6), "6,5"}, {edtCasilla(7), "86,42"},
        {edtCasilla(15), "86,42"}, {edtCasilla(16), "2.000"}, {edtCasilla(22), "2.000,00"},
        {edtCasilla(23), "-1.913,58"}, {edtCasilla(26), "-1.913,58"}, {edtResultado(2), "1.913,58"},
        {edtCCCIng(0), "2100"}, {edtCCCIng(1), "0418"}, {edtCCCIng(2), "45"}, {edtCCCIng(3), "0200051332"},
        {edtCCCDev(0), "0000"}, {edtCCCDev(1), "0000"}, {edtCCCDev(2), "00"}, {edtCCCDev(3), "0000000000"},
    };
    // clang-format on
    for (const auto& [id, texto] : textos)
        h.EscribirTexto(id, W(texto));
}

inline std::string Repetir(std::string_view patrónUtf8, std::size_t n) {
    const std::string p = W(patrónUtf8);
    std::string r;
    while (r.size() < n)
        r += p[r.size() % p.size()];
    return r;
}

// Every text printed at its full width in letters outside ASCII: the heaviest text for the point cloud.
inline void RellenarHojaLetrasAcentuadas(HojaDeclaración& h) {
    RellenarHojaCompleta(h);
    h.EscribirTexto(edtNombre, Repetir("ÑÁÉÍÓÚÜÇ", 75)),
        h.EscribirTexto(edtViaPublica, Repetir("ÚÜÇÑÁÉÍÓ", 50));
    h.EscribirTexto(edtEscalera, W("Ñº")), h.EscribirTexto(edtPiso, W("ºª")),
        h.EscribirTexto(edtPuerta, W("IZDª"));
}

// Every box, result, account and way of payment filled, every text at its full width in the widest letters.
inline void RellenarHojaTodasLasCasillas(HojaDeclaración& h) {
    RellenarHojaCompleta(h), h.EscribirValor(chkFPEfectivo, 1);
    // clang-format off
    for (const auto& [id, texto] : {std::pair{edtNombre, Repetir("WMÑ", 75)}, {edtViaPublica, Repetir("MWÑ", 50)},
             {edtEscalera, "WM"}, {edtPiso, "MW"}, {edtPuerta, "WM\xD1W"}, {edtTelefono, "003497112345678"},
             {edtFax, "003497165432109"}, {edtCCCDev(0), "2038"}, {edtCCCDev(1), "1234"}, {edtCCCDev(2), "56"},
             {edtCCCDev(3), "7890123456"}})
        h.EscribirTexto(id, texto);
    for (int i = 1; i <= 26; ++i) { // box i: 107.873.543.210,11 and so on; rate i: 11,13; result i: 901.123.456.789,41
        h.EscribirTexto(edtCasilla(i), std::to_string(100 + 7 * i) + "." + std::to_string(876 - 3 * i) + ".543.210,"
                                       + std::to_string(10 + i));
        if (i <= 6) h.EscribirTexto(edtTipos(i), std::to_string(10 + i) + "," + std::to_string(10 + 3 * i));
        if (i <= 3) h.EscribirTexto(edtResultado(i), "90" + std::to_string(i) + ".123.456.789,4" + std::to_string(i));
    }
    // clang-format on
}

inline std::string Rellenar(std::string s, std::size_t ancho) {
    return s.resize(ancho, ' '), s;
}

// What RellenarHojaCompleta must give, printed on 5 December 2026.
inline std::string RegistroCompletoEsperado() {
    const std::string c = " 00000000000000", c7 = " 00000000008642", c16 = " 00000000200000",
                      c23 = "-00000000191358";
    // clang-format off
    return "817" "701  " "2010" "4T" "1" "8170612345676" "12345678Z" + Rellenar(W("PEÑA GARCÍA, MARÍA"), 75) + "CL" +
        Rellenar("MAYOR", 50) + "00012" "A " "3 " "IZDA" + Rellenar("971123456", 15) + "07" "07001" "07340" +
        Rellenar("971654321", 15) + " 00000000123456" + Repetir(c, 75) + "070002000500090013000650" + // the rates
        c7 + Repetir(c, 105) + c7 + c16 + Repetir(c, 75) + c16 + c23 + Repetir(c, 30) + c23 + // boxes 7 to 26
        c + " 00000000191358" "01" "21000418450200051332" + std::string(20, '0') + // results 1, 2; cash, debit
        c + "0" "05122026"; // result 3, no activity, the date
    // clang-format on
}

} // namespace m817::prueba
