#pragma once
// The two images of an official copy: the point cloud (PDF.BMP) and the bar code of the
// receipt number (CODBAR.BMP), both in the program's folder.
#include "platform/CarpetaPrograma.h"
#include "platform/CodigosBarras.h"
#include "platform/Mensajes.h"

#include <filesystem>
#include <string>

namespace m817 {

// The code left when the library could not be called at all.
inline constexpr int kNubePuntosSinBiblioteca = -9999;
// The second and fourth arguments of CREARPDF: data columns of the symbol, reserved.
inline constexpr int kColumnasNubePuntos = 16;

std::filesystem::path RutaNubePuntos(const ServicioCarpeta& carpeta);   // <temporal>/PDF.BMP
std::filesystem::path RutaCódigoBarras(const ServicioCarpeta& carpeta); // <temporal>/CODBAR.BMP

// Makes PDF.BMP from the 756-character content for a printer of `resolución` dots per
// inch. Returns the library's code: 0 when the file is written; otherwise the user has
// been shown "Error <código> al generar la nube de puntos" and why.
int GenerarNubePuntos(const std::string& contenido, int resolución, const ServicioCarpeta& carpeta,
                      ServicioCódigosBarras& biblioteca, ServicioMensajes& mensajes);

// Makes CODBAR.BMP for the receipt number. Reports nothing: a missing or stale file
// shows up as the picture the report loads.
void GenerarCódigoBarras(const std::string& númeroJustificante, const ServicioCarpeta& carpeta,
                         ServicioCódigosBarras& biblioteca);

} // namespace m817
