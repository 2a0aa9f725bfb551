#pragma once
// Start-up measuring runs. With the environment variable M817_SALIR_AL_MOSTRAR set, the program ends as soon
// as its window has been shown, so that a script can time the start and read the peak memory. With the value
// "lista" it first opens the saved-declaration list over Datos/Declaraciones.txt, whose rows are what a large
// file costs in memory. With "guardar" it first saves a sample return through the window's "Guardar" command,
// and ends with status 0 only when it was saved: a check of an installed copy, run without anyone at the
// screen.
#include "app/Hoja.h"

class QWidget;

namespace m817 {

void SalirAlMostrarSiSePide(QWidget& ventana, frmHoja1& hoja1);

} // namespace m817
