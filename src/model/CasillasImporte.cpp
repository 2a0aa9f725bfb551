#include "model/CasillasImporte.h"

#include <algorithm>

namespace m817 {

void MostrarImporte(HojaDeclaración& hoja, IdCampo casilla, double valor, bool mostrarCero,
                    std::string_view formato) {
    hoja.EscribirTexto(casilla,
                       TextoAlMostrarImporte(valor, mostrarCero, formato, hoja.Estado(casilla).bloqueado));
}

void MostrarCasilla(HojaDeclaración& hoja, IdCampo casilla, std::string_view almacenado) {
    hoja.EscribirTexto(casilla, TextoMostrarCasilla(almacenado, hoja.Estado(casilla).bloqueado));
}

void QuitarPuntos(HojaDeclaración& hoja, int i) {
    IdCampo id = campos::edtCasilla(i);
    hoja.bSuspenderRecalculo = true;
    while (hoja.Texto(id).find('.') != std::string::npos) {
        const std::string& antes = hoja.Texto(id);
        // The caret keeps its place among the digits instead of jumping to the start.
        auto puntosAntes = [&](int pos) {
            return static_cast<int>(std::count(antes.begin(), antes.begin() + pos, '.'));
        };
        int ancla = hoja.Estado(id).ancla, cursor = hoja.Estado(id).cursor;
        ancla -= puntosAntes(ancla);
        cursor -= puntosAntes(cursor);
        hoja.EscribirTexto(id, SinPuntos(antes));
        hoja.EstablecerCursor(id, ancla, cursor);
    }
    hoja.bSuspenderRecalculo = false;
}

double ValorCasilla(const HojaDeclaración& hoja, int i) {
    return ValorImporte(hoja.Texto(campos::edtCasilla(i)));
}

} // namespace m817
