#include "model/Listas.h"

#include "model/Tablas.h"
#include "platform/Texto1252.h"

namespace m817 {

bool EsCampoLista(IdCampo id) {
    using namespace campos;
    return id == cmbAdministracion || id == cmbPeriodo || id == cmbSigla || id == cmbProvincia ||
           id == cmbMunicipio;
}

bool ListaAlfabética(IdCampo id) { return id == campos::cmbSigla; }

int LongitudMáximaLista(IdCampo id) { return id == campos::cmbPeriodo ? 2 : 0; }

std::string TextoCódigo(const EntradaLista& e, bool alfabética) {
    return alfabética ? CódigoATexto(e.código) : std::to_string(e.código);
}

std::string CódigoCombo(const HojaDeclaración& hoja, IdCampo lista, bool alfabética) {
    int pos = hoja.Posición(lista);
    if (pos < 0 || pos >= static_cast<int>(hoja.Lista(lista).size())) return {};
    return TextoCódigo(hoja.Lista(lista)[pos], alfabética);
}

void SeleccionarCódigoCombo(HojaDeclaración& hoja, IdCampo lista, std::string_view código, bool alfabética) {
    const auto& entradas = hoja.Lista(lista);
    int elegida = -1;
    for (std::size_t i = 0; i < entradas.size(); ++i) {
        if (TextoCódigo(entradas[i], alfabética) == código) {
            elegida = static_cast<int>(i);
            break;
        }
    }
    hoja.SeleccionarEntrada(lista, elegida);
}

void AutocompletarLista(HojaDeclaración& hoja, IdCampo lista) {
    // The key filter takes the accents off typed letters: compare with the list's own sort key, so that the
    // entries a text reaches are the ones it sorts among.
    const std::string tecleado = ClaveOrdenación(hoja.Texto(lista));
    if (tecleado.empty()) return;
    int n = static_cast<int>(tecleado.size());
    const auto& entradas = hoja.Lista(lista);
    for (std::size_t i = 0; i < entradas.size(); ++i) {
        if (ClaveOrdenación(entradas[i].texto).starts_with(tecleado)) {
            hoja.SeleccionarEntrada(lista, static_cast<int>(i));
            break;
        }
    }
    int largo = static_cast<int>(hoja.Texto(lista).size());
    hoja.EstablecerSelección(lista, n, largo > n ? largo - n : 0);
}

void TeclaLista(HojaDeclaración& hoja, IdCampo lista, int& KeyAscii, int longitudMáxima) {
    if (hoja.Estado(lista).bloqueado) return;
    const std::string& texto = hoja.Texto(lista);
    int inicio = hoja.SelInicio(lista);
    if (KeyAscii == kTeclaRetroceso) {
        std::string resto = inicio == 0 ? texto.substr(0, texto.empty() ? 0 : texto.size() - 1)
                                        : texto.substr(0, static_cast<std::size_t>(inicio - 1));
        hoja.EscribirTexto(lista, resto);
        // The character is gone already: the key itself must not take a second one.
        KeyAscii = 0;
    } else if (KeyAscii == kTeclaEscape) {
        hoja.EscribirTexto(lista, "");
    } else if (longitudMáxima != 0 &&
               static_cast<int>(texto.size()) - hoja.SelLongitud(lista) >= longitudMáxima) {
        KeyAscii = 0;
    }
}

bool EsMesPeriodo(std::string_view t) {
    return t.size() == 2 &&
           ((t[0] == '0' && t[1] >= '1' && t[1] <= '9') || (t[0] == '1' && t[1] >= '0' && t[1] <= '2'));
}

bool PeriodoCompleto(const HojaDeclaración& hoja, std::string_view texto) {
    if (EsMesPeriodo(texto)) return true;
    const std::string clave = Mayúsculas(texto);
    for (const auto& e : hoja.Lista(campos::cmbPeriodo))
        if (!clave.empty() && Mayúsculas(e.texto) == clave) return true;
    return false;
}

void Lista_Change(HojaDeclaración& hoja, IdCampo lista, const ValidarCamposFn& validar) {
    AutocompletarLista(hoja, lista);
    if (lista == campos::cmbAdministracion) {
        hoja.EscribirTexto(campos::edtCodigoAdministracion, CódigoCombo(hoja, lista, false));
    } else if (lista == campos::cmbPeriodo) {
        // The refund option depends on the period: it is worked out again when the period becomes another
        // whole value, so that retyping it (Escape, "4") drops no refund on the way, and checking a period
        // that has not changed leaves a return as it was opened. Leaving the field settles the result on
        // whatever it then holds (the period's check).
        const std::string& periodo = hoja.Texto(lista);
        if (periodo != hoja.sPeriodoResultado && PeriodoCompleto(hoja, periodo))
            ActualizarResultado(hoja, validar);
    } else if (lista == campos::cmbProvincia) {
        // Another province: the municipality chosen no longer belongs to it.
        if (!hoja.EsProvinciaDeMunicipios(hoja.Posición(lista)))
            hoja.SeleccionarEntrada(campos::cmbMunicipio, -1);
    }
}

void Lista_Click(HojaDeclaración& hoja, IdCampo lista, const ValidarCamposFn& validar) {
    Lista_Change(hoja, lista, validar);
    hoja.RegistroModificado = true;
}

void Lista_KeyPress(HojaDeclaración& hoja, IdCampo lista, int& KeyAscii) {
    TeclaLista(hoja, lista, KeyAscii, LongitudMáximaLista(lista));
}

void Lista_GotFocus(HojaDeclaración& hoja, IdCampo lista) {
    if (lista == campos::cmbProvincia) hoja.RecordarProvinciaDeMunicipios(hoja.Posición(lista));
}

} // namespace m817
