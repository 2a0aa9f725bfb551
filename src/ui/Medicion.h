#pragma once
// Start-up measuring runs. With the environment variable M817_SALIR_AL_MOSTRAR set, the program ends as soon
// as its window has been shown, so that a script can time the start and read the peak memory. With the value
// "lista" it first opens the saved-declaration list over Datos/Declaraciones.txt, whose rows are what a large
// file costs in memory.
#include "app/Hoja.h"

class QWidget;

namespace m817 {

void SalirAlMostrarSiSePide(QWidget& ventana, frmHoja1& hoja1);

} // namespace m817
