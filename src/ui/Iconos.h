#pragma once
// The toolbar's and the error panel's images, drawn rather than loaded from files.
#include <QIcon>
#include <QString>

namespace m817 {

// The image of a toolbar button by its key ("Nuevo", "Abrir", "Guardar", "Eliminar", "Imprimir", "Cortar",
// "Copiar", "Pegar", "VerErrores", "Ayuda"); a null icon for any other key.
QIcon IconoBotón(const QString& clave);

// The three images of the error list: 1 no errors, 2 error, 3 warning.
QIcon IconoEntrada(int imagen);

} // namespace m817
