#pragma once
// Draws a page laid out as data (texts, lines, boxes, images in twips) on any paint device:
// a printer, a PDF writer or an image. The device's resolution turns twips into its dots, so
// the page is the same on paper, in a PDF and on screen.
#include "platform/Pagina.h"

#include <QImage>

class QPainter;

namespace m817 {

// Draws the page with its top left corner at the device's origin. Bitmaps are drawn without
// smoothing and kept lossless in a PDF, so that bar codes keep their modules.
void DibujarPágina(QPainter& pintor, const Página& página);

// The page as an image of `resolución` dots per inch (white background).
QImage ImagenPágina(const Página& página, int resolución);

} // namespace m817
