#pragma once
// The help viewer: the program's help document, opened at a topic given by its context number, or at its
// topic finder (contents and index). Also what the viewer needs to read of the document.
#include "platform/CarpetaPrograma.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace m817 {

// "Uso de la aplicación".
inline constexpr int kContextoUso = 301;

class ServicioAyuda {
  public:
    virtual ~ServicioAyuda() = default;
    virtual void MostrarContexto(int contexto) = 0;
    virtual void MostrarTemas() = 0;
};

// The help document beside the program.
std::filesystem::path ArchivoAyuda(const ServicioCarpeta& carpeta);

// The anchor of a context number's topic in the document.
std::string AnclaContexto(int contexto);

// One line of the topic finder: its text (UTF-8, entities decoded), the anchor it leads to, and its depth in
// the contents (0 for a top-level topic).
struct TemaAyuda {
    std::string texto;
    std::string ancla;
    int nivel = 0;
};

struct TemasAyuda {
    std::vector<TemaAyuda> contenido;
    std::vector<TemaAyuda> índice;
};

// The contents are the links of the first list after the anchor "contenido"; the index, the links of the
// first list after the anchor "indice". A document without them gives empty lists.
TemasAyuda LeerTemasAyuda(std::string_view html);

} // namespace m817
