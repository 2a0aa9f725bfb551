// Editing a field as a desktop text box allows: moving and selecting by word, one level of undo, select all.
// Driven through the model, as the window drives it.
#include "support/HojaPrueba.h"

#include <gtest/gtest.h>

using namespace m817;
using namespace m817::campos;

namespace {

struct Edición : ::testing::Test {
    prueba::HojaPrueba p;
    HojaDeclaración& hoja = p.hoja();
    void SetUp() override { p.Cargar(); }
    void Teclear(std::string_view texto) {
        for (char c : texto)
            hoja.Teclear(static_cast<unsigned char>(c));
    }
};

} // namespace

TEST_F(Edición, CtrlFlechasVanYSeleccionanPorPalabras) {
    p.Escribir(edtNombre, "GARCIA  LOPEZ JUAN");
    struct Paso {
        TeclaEdición tecla;
        bool mayúsculas;
        int ancla, cursor;
    };
    const Paso pasos[] = {
        {TeclaEdición::PalabraAnterior, false, 14, 14}, // start of JUAN
        {TeclaEdición::PalabraAnterior, false, 8, 8},   // start of LOPEZ, over the blank
        {TeclaEdición::PalabraAnterior, false, 0, 0},   // two blanks count as one gap
        {TeclaEdición::PalabraAnterior, false, 0, 0},
        {TeclaEdición::PalabraSiguiente, true, 0, 8}, // GARCIA and its blanks selected
        {TeclaEdición::PalabraSiguiente, true, 0, 14},
        {TeclaEdición::PalabraAnterior, true, 0, 8},
        {TeclaEdición::PalabraSiguiente, false, 14, 14}, // from the caret, the selection dropped
        {TeclaEdición::PalabraSiguiente, false, 18, 18},
        {TeclaEdición::PalabraSiguiente, false, 18, 18},
    };
    for (const Paso& paso : pasos) {
        hoja.PulsarTecla(paso.tecla, paso.mayúsculas);
        EXPECT_EQ(hoja.Estado(edtNombre).ancla, paso.ancla);
        EXPECT_EQ(hoja.Estado(edtNombre).cursor, paso.cursor);
    }
    EXPECT_EQ(hoja.Texto(edtNombre), "GARCIA  LOPEZ JUAN");
}

TEST_F(Edición, DeshacerDevuelveElTextoAnteriorALaÚltimaEdiciónYOtraVezLaRehace) {
    hoja.Enfocar(edtNombre);
    Teclear("ANA");
    EXPECT_TRUE(hoja.Deshacer()); // the typed run is one edit
    EXPECT_EQ(hoja.Texto(edtNombre), "");
    EXPECT_TRUE(hoja.Deshacer());
    EXPECT_EQ(hoja.Texto(edtNombre), "ANA");

    hoja.Teclear(kTeclaRetroceso);
    EXPECT_EQ(hoja.Texto(edtNombre), "AN");
    hoja.PulsarTecla(TeclaEdición::Inicio);
    hoja.PulsarTecla(TeclaEdición::Suprimir);
    EXPECT_EQ(hoja.Texto(edtNombre), "N");
    EXPECT_TRUE(hoja.Deshacer()); // one level: only the last deletion
    EXPECT_EQ(hoja.Texto(edtNombre), "AN");
    // Typing after a caret move starts a new edit.
    hoja.PulsarTecla(TeclaEdición::Fin);
    Teclear("A");
    hoja.PulsarTecla(TeclaEdición::Inicio);
    Teclear("J");
    EXPECT_TRUE(hoja.Deshacer());
    EXPECT_EQ(hoja.Texto(edtNombre), "ANA");

    // The edit belongs to the field being edited: moving on forgets it.
    hoja.Enfocar(edtViaPublica);
    hoja.Enfocar(edtNombre);
    EXPECT_FALSE(hoja.Deshacer());
    EXPECT_EQ(hoja.Texto(edtNombre), "ANA");
}

TEST_F(Edición, DeshacerEnUnaCasillaRecalculaYUnTextoDelProgramaLoOlvida) {
    p.Casilla(3, "1000");
    ASSERT_EQ(p.TextoCasilla(9), "50,00");
    hoja.RegistroModificado = false;
    EXPECT_TRUE(hoja.Deshacer());
    EXPECT_EQ(p.TextoCasilla(3), "");
    EXPECT_EQ(p.TextoCasilla(9), "");
    EXPECT_TRUE(hoja.RegistroModificado);

    // A paste is one edit too.
    p.ventana->entrada.Pegar("2.000");
    EXPECT_EQ(p.TextoCasilla(3), "2000");
    EXPECT_TRUE(hoja.Deshacer());
    EXPECT_EQ(p.TextoCasilla(3), "");

    // The program rewriting the field (a return put on the sheet) leaves nothing of the old edit to undo.
    Teclear("7");
    hoja.EscribirTexto(edtCasilla(3), "7");
    EXPECT_FALSE(hoja.Deshacer());
    EXPECT_EQ(p.TextoCasilla(3), "7");
}

TEST_F(Edición, SeleccionarTodoYCortarComoUnaEdición) {
    p.Escribir(edtNombre, "RUIZ");
    hoja.PulsarTecla(TeclaEdición::Fin);
    hoja.SeleccionarTodo();
    EXPECT_EQ(hoja.SelTexto(edtNombre), "RUIZ");
    hoja.BorrarSelección();
    EXPECT_EQ(hoja.Texto(edtNombre), "");
    EXPECT_TRUE(hoja.Deshacer());
    EXPECT_EQ(hoja.Texto(edtNombre), "RUIZ");
}
