#include "print/NubePuntos.h"

#include "platform/CausaSistema.h"
#include "platform/Texto1252.h"

#include <system_error>

namespace m817 {

std::filesystem::path RutaNubePuntos(const ServicioCarpeta& carpeta) {
    return carpeta.Temporal() / "PDF.BMP";
}

std::filesystem::path RutaCódigoBarras(const ServicioCarpeta& carpeta) {
    return carpeta.Temporal() / "CODBAR.BMP";
}

int GenerarNubePuntos(const std::string& contenido, int resolución, const ServicioCarpeta& carpeta,
                      ServicioCódigosBarras& biblioteca, ServicioMensajes& mensajes) {
    const std::filesystem::path ruta = RutaNubePuntos(carpeta);
    std::error_code ignorado;
    std::filesystem::remove(ruta, ignorado);

    int código = kNubePuntosSinBiblioteca;
    std::string causa;
    try {
        int ancho = 0, alto = 0;
        código = biblioteca.CREARPDF(contenido, kColumnasNubePuntos, resolución, 0, ruta, ancho, alto);
    } catch (const std::exception& e) {
        causa = e.what();
    } catch (...) {
    }
    if (código == código_barras::kCorrecto) return código;

    std::string texto = "Error <" + std::to_string(código) + "> al generar la nube de puntos";
    if (código == kNubePuntosSinBiblioteca)
        texto += "\r\r" + causa;
    else if (código == código_barras::kErrorArchivo)
        texto += "\r" + LíneaCausa(ruta, CausaEscritura(ruta.parent_path()));
    else if (código == código_barras::kResoluciónInsuficiente)
        texto += W("\r\rLa impresora no está configurada con la resolución mínima necesaria para generar la "
                   "nube de puntos");
    MostrarError(mensajes, texto);
    return código;
}

void GenerarCódigoBarras(const std::string& númeroJustificante, const ServicioCarpeta& carpeta,
                         ServicioCódigosBarras& biblioteca) {
    try {
        biblioteca.CREARBARRA(númeroJustificante, RutaCódigoBarras(carpeta));
    } catch (...) {
        // Nothing to report: the report shows whatever picture it then loads.
    }
}

} // namespace m817
