#include "validation/Contenido.h"

#include "platform/Texto1252.h"
#include "validation/Identificadores.h"

namespace m817 {

bool ComprobarContenido(std::string_view campo, std::string& texto, int tipo, bool permitirVacío,
                        std::string* ListaCamposNoCargados) {
    std::string t = Recortar(texto);
    if (t.empty() && !permitirVacío) t.push_back('0');
    bool bien = true;
    if (tipo == kContenidoTexto)
        bien = NormalizarTexto(t);
    else if (tipo == kContenidoDígitos)
        bien = NormalizarTexto(t, "0123456789");
    texto = std::move(t);
    if (!bien && !campo.empty() && ListaCamposNoCargados) {
        ListaCamposNoCargados->append(campo);
        ListaCamposNoCargados->append(", ");
    }
    return bien;
}

} // namespace m817
