#pragma once
// A loaded sheet window, its field checks and error list, driven as a user drives it.
#include "model/Listas.h"
#include "support/HojaPrueba.h"
#include "validation/EntradaCampos.h"
#include "validation/ListaErrores.h"
#include "validation/ReglasValidacion.h"

#include <gtest/gtest.h>

#include <string>

namespace m817::prueba {

class HojaConReglas {
  public:
    explicit HojaConReglas(FechaHora hoy = {2010, 11, 15, 10, 0, 0}) : p(hoy) { p.Cargar(); }

    HojaDeclaración& hoja() { return p.hoja(); }

    void ValidarTodo() { EXPECT_FALSE(Validar("")); }
    bool Validar(std::string_view campo, int Index = -1) {
        bool cancelar = false;
        validación.ValidarCampos(campo, Index, cancelar);
        return cancelar;
    }

    // The entry under the key as "E 2010 message" (error) or "A ..." (warning), UTF-8; empty when absent.
    std::string Entrada(const std::string& clave) const {
        const auto* e = errores.Buscar(clave);
        if (!e) return {};
        const char* clase = e->imagen == ListaErrores::kImagenError   ? "E "
                            : e->imagen == ListaErrores::kImagenAviso ? "A "
                                                                      : "? ";
        return clase + Utf8(e->texto);
    }

    // A value set by the program, as a saved return would put it.
    void Poner(IdCampo id, std::string_view utf8) { hoja().EscribirTexto(id, W(utf8)); }
    void Elegir(IdCampo lista, std::string_view código) {
        SeleccionarCódigoCombo(hoja(), lista, código, ListaAlfabética(lista));
    }

    HojaPrueba p;
    ListaErrores& errores = p.ventana->errores;
    ValidaciónDeclaración& validación = p.ventana->validación;
    EntradaCampos& entrada = p.ventana->entrada;
};

} // namespace m817::prueba
