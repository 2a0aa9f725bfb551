#pragma once
// What a screen reader says and what shows where the keyboard is: every field of the sheet is named by its
// caption (a numbered box by its number too: "Casilla 07 – Cuota devengada"), the toolbar's buttons by their
// commands, the error list's entries by their kind and text, and the field with the focus has a frame that
// shows whatever the style draws.
#include "model/Catalogo.h"

#include <QString>

class QWidget;

namespace m817 {

class VistaHoja;
class frmPrincipal;

// The name a screen reader gives the field.
QString NombreAccesible(IdCampo id);
// An entry of the error list as read aloud: "Error: …", "Aviso: …".
QString TextoAccesibleEntrada(int imagen, const QString& texto);

// Names the sheet's controls and frames the focused one.
void HacerAccesibleHoja(VistaHoja& vista);
// Names the main window's toolbar buttons, error list and scroll bars.
void HacerAccesibleVentana(frmPrincipal& ventana);

} // namespace m817
