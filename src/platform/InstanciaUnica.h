#pragma once
// One copy of the program at a time: a second copy asks the first to raise its
// windows and ends without showing anything.
#include <string>
#include <string_view>

namespace m817 {

class ServicioInstancia {
public:
    virtual ~ServicioInstancia() = default;
    // True when another copy runs; that copy has then been asked to raise its windows.
    virtual bool OtraInstanciaActiva() = 0;
};

// Whether a top-level window title belongs to this program: its first ten
// characters are exactly "Modelo 817".
bool EsVentanaDelPrograma(std::string_view título);

} // namespace m817
