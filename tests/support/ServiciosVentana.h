#pragma once
// Doubles of the clipboard and the help viewer: they keep what the program did with them.
#include "platform/Ayuda.h"
#include "platform/Portapapeles.h"
#include "platform/Texto1252.h"

#include <optional>
#include <string>
#include <vector>

namespace m817::prueba {

class PortapapelesGuion final : public ServicioPortapapeles {
  public:
    void Vaciar() override {
        ++vaciados;
        texto.reset();
    }
    void PonerTexto(const std::string& t) override { texto = t; }
    bool LeerTexto(std::string& t) override {
        if (!texto) return false;
        t = *texto;
        return true;
    }
    bool LeerSelección(std::string& t) override {
        if (!selección) return false;
        t = *selección;
        return true;
    }
    // A UTF-8 text as the clipboard gives it (Windows-1252).
    void Poner(std::string_view utf8) { texto = W(utf8); }
    std::string TextoUtf8() const { return texto ? Utf8(*texto) : std::string(); }

    std::optional<std::string> texto;     // empty: no text on the clipboard
    std::optional<std::string> selección; // the primary selection
    int vaciados = 0;
};

class AyudaGuion final : public ServicioAyuda {
  public:
    void MostrarContexto(int contexto) override { pedidos.push_back(contexto); }
    // The topic finder is noted as 0.
    void MostrarTemas() override { pedidos.push_back(0); }
    std::vector<int> pedidos;
};

} // namespace m817::prueba
