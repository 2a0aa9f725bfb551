#include "app/PanelErrores.h"

#include "app/Barras.h"
#include "platform/Texto1252.h"

#include <algorithm>
#include <cstdlib>

namespace m817 {

std::vector<ListaErrores::Entrada> PanelErrores::Entradas() const {
    std::vector<ListaErrores::Entrada> entradas = hoja1_.errores.Entradas();
    // The list sorts its entries by text, regardless of case.
    std::stable_sort(entradas.begin(), entradas.end(),
                     [](const auto& a, const auto& b) { return Mayúsculas(a.texto) < Mayúsculas(b.texto); });
    return entradas;
}

void PanelErrores::Mostrar(bool mostrar, bool validar) {
    if (mostrar && validar) {
        bool cancelar = false;
        hoja1_.ValidarCampos(kTodosLosCampos, -1, cancelar);
    }
    visible_ = mostrar;
}

bool PanelErrores::Redimensionar(int altoInterior) {
    altoMáximo_ = AltoMáximoPanel(altoInterior);
    if (alto_ > altoMáximo_) alto_ = altoMáximo_;
    if (visible_ && std::abs(alto_ - altoRecordado_) > 5) {
        altoRecordado_ = alto_;
        return true;
    }
    return false;
}

void PanelErrores::Arrastrar(int Y) {
    const int h = alto_;
    if (h > kAltoMínimoPanelErrores || (h < altoMáximo_ && Y < 0)) {
        // One long move downwards must not leave the panel below its minimum (or with no height at all)
        // until the next move puts it back.
        alto_ = std::max(h - Y, kAltoMínimoPanelErrores);
    } else if (h < kAltoMínimoPanelErrores) {
        alto_ = kAltoMínimoPanelErrores;
    } else if (h == kAltoMínimoPanelErrores && h >= altoMáximo_) {
        alto_ = altoMáximo_;
    }
}

RectTwips PanelErrores::Árbol(int anchoVentana) const {
    constexpr int izquierda = 20, arriba = 40;
    return {izquierda, arriba, std::max(0, anchoVentana - izquierda - 120), std::max(0, alto_ - arriba - 40)};
}

IdCampo CampoDeEntrada(std::string_view clave) {
    const auto almohadilla = clave.find('#');
    if (almohadilla == std::string_view::npos) return BuscarCampo(clave);
    std::string_view resto = clave.substr(almohadilla + 1);
    while (!resto.empty() && resto.front() == ' ')
        resto.remove_prefix(1);
    int índice = 0;
    std::size_t dígitos = 0;
    while (dígitos < resto.size() && dígitos < 9 && resto[dígitos] >= '0' && resto[dígitos] <= '9')
        índice = índice * 10 + (resto[dígitos++] - '0');
    return BuscarCampo(clave.substr(0, almohadilla), índice);
}

bool PanelErrores::IrACampo(std::string_view clave) {
    HojaDeclaración& hoja = hoja1_.hoja;
    const IdCampo id = CampoDeEntrada(clave);
    if (id == kNingúnCampo) return false;
    const auto tipo = Definición(id).tipo;
    const bool bloqueado =
        tipo != TipoCampo::Casilla && tipo != TipoCampo::Opción && hoja.Estado(id).bloqueado;
    if (!hoja.Estado(id).habilitado || bloqueado) return false;
    if (hoja.Foco() == id) {
        // Already the sheet's field: it is entered again, selected and scrolled into view.
        hoja1_.entrada.EnfocarCampo(id);
        return true;
    }
    return hoja.Enfocar(id) && hoja.Foco() == id;
}

} // namespace m817
