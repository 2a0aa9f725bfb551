#include "platform/qt/DibujoInforme.h"

#include "platform/Texto1252.h"

#include <QPaintDevice>
#include <QPainter>

namespace m817 {
namespace {

QColor Color(std::uint32_t rgb) {
    return QColor(QRgb(0xFF000000u | rgb));
}

struct Escala {
    double x, y;
    QRectF Rect(const ElementoPágina& e) const {
        return {e.izquierda * x, e.arriba * y, e.ancho * x, e.alto * y};
    }
};

void DibujarTexto(QPainter& p, const Escala& k, const ElementoPágina& e) {
    if (e.texto.empty()) return;
    // Where the family is missing, a font of the same widths, else any sans serif.
    QFont fuente;
    fuente.setFamilies({QString::fromStdString(e.fuente.familia), QStringLiteral("Liberation Sans"),
                        QStringLiteral("Arimo"), QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica")});
    fuente.setStyleHint(QFont::SansSerif);
    fuente.setPointSizeF(e.fuente.puntos);
    fuente.setBold(e.fuente.negrita);
    fuente.setItalic(e.fuente.cursiva);
    p.setFont(fuente);
    p.setPen(Color(e.colorTexto));
    int banderas = e.centradoVertical ? Qt::AlignVCenter : Qt::AlignTop;
    switch (e.alineación) {
    case AlineaciónTexto::Izquierda:
        banderas |= Qt::AlignLeft;
        break;
    case AlineaciónTexto::Centro:
        banderas |= Qt::AlignHCenter;
        break;
    case AlineaciónTexto::Derecha:
        banderas |= Qt::AlignRight;
        break;
    }
    banderas |= e.ajustarLíneas ? Qt::TextWordWrap : Qt::TextSingleLine;
    p.drawText(k.Rect(e), banderas, QString::fromStdString(Utf8(e.texto)));
}

QPen Pluma(const Escala& k, const ElementoPágina& e) {
    QPen pluma(Color(e.colorLínea));
    pluma.setWidthF(e.grosor * k.x);
    pluma.setJoinStyle(Qt::MiterJoin);
    return pluma;
}

void DibujarRectángulo(QPainter& p, const Escala& k, const ElementoPágina& e) {
    p.setPen(e.borde ? Pluma(k, e) : QPen(Qt::NoPen));
    p.setBrush(e.opaco ? QBrush(Color(e.colorFondo)) : QBrush(Qt::NoBrush));
    p.drawRect(k.Rect(e));
}

void DibujarLínea(QPainter& p, const Escala& k, const ElementoPágina& e) {
    p.setPen(Pluma(k, e));
    p.drawLine(QPointF(e.izquierda * k.x, e.arriba * k.y),
               QPointF((e.izquierda + e.ancho) * k.x, (e.arriba + e.alto) * k.y));
}

void DibujarImagen(QPainter& p, const Escala& k, const ElementoPágina& e) {
    if (e.imagen.empty()) return;
    const QImage imagen =
        QImage::fromData(reinterpret_cast<const uchar*>(e.imagen.data()), static_cast<int>(e.imagen.size()));
    if (imagen.isNull()) return;
    if (imagen.depth() == 1) {
        // A PDF keeps a two-colour image as a 1-bit stencil, painted with the pen, only when
        // index 0 is black; otherwise it goes in at 32 bits a pixel, far bigger and slower.
        QImage mono = imagen.convertToFormat(QImage::Format_Mono);
        const QList<QRgb> tabla = mono.colorTable();
        if (tabla.size() == 2 && qGray(tabla[0]) > qGray(tabla[1])) {
            mono.invertPixels();
            mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        }
        if (mono.colorTable() == QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}) {
            p.setPen(Qt::black);
            p.drawImage(k.Rect(e), mono);
            return;
        }
    }
    p.drawImage(k.Rect(e), imagen);
}

} // namespace

void DibujarPágina(QPainter& p, const Página& página) {
    const QPaintDevice* d = p.device();
    const Escala k{d->logicalDpiX() / kTwipsPorPulgada, d->logicalDpiY() / kTwipsPorPulgada};
    p.save();
    p.setRenderHint(QPainter::LosslessImageRendering, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    for (const ElementoPágina& e : página.elementos) {
        if (!e.visible) continue;
        switch (e.clase) {
        case ClaseElementoPágina::Texto:
            DibujarTexto(p, k, e);
            break;
        case ClaseElementoPágina::Rectángulo:
            DibujarRectángulo(p, k, e);
            break;
        case ClaseElementoPágina::Línea:
            DibujarLínea(p, k, e);
            break;
        case ClaseElementoPágina::Imagen:
            DibujarImagen(p, k, e);
            break;
        }
    }
    p.restore();
}

QImage ImagenPágina(const Página& página, int resolución) {
    const auto puntos = [&](double twips) { return qRound(twips * resolución / kTwipsPorPulgada); };
    QImage imagen(puntos(página.ancho), puntos(página.alto), QImage::Format_RGB32);
    const int porMetro = qRound(resolución / 0.0254);
    imagen.setDotsPerMeterX(porMetro);
    imagen.setDotsPerMeterY(porMetro);
    imagen.fill(Qt::white);
    QPainter p(&imagen);
    DibujarPágina(p, página);
    return imagen;
}

} // namespace m817
