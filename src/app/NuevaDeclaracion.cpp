#include "app/NuevaDeclaracion.h"

#include "model/Ejercicio.h"

namespace m817 {

std::string PeriodoNuevaDeclaración(const FechaHora& hoy) {
    int año = hoy.año, mes = hoy.mes - 3;
    if (mes < 1) {
        mes += 12;
        --año;
    }
    if (año > EjercicioPrograma) return "4T";
    if (año < EjercicioPrograma) return "1T";
    return std::to_string((mes - 1) / 3 + 1) + "T";
}

} // namespace m817
