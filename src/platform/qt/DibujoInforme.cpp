#include "platform/qt/DibujoInforme.h"

#include "platform/Texto1252.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <limits>

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

QFont Fuente(const ElementoPágina& e, double puntos) {
    // Where the family is missing, a font of the same widths, else any sans serif.
    QFont fuente;
    fuente.setFamilies({QString::fromStdString(e.fuente.familia), QStringLiteral("Liberation Sans"),
                        QStringLiteral("Arimo"), QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica")});
    fuente.setStyleHint(QFont::SansSerif);
    fuente.setPointSizeF(puntos);
    fuente.setBold(e.fuente.negrita);
    fuente.setItalic(e.fuente.cursiva);
    return fuente;
}

// A text set in its box: the size it takes and its lines.
struct Composición {
    QFont fuente;
    QStringList líneas;
    double altoLínea = 0;
};

// The text at that size in at most `máximoLíneas` lines of `ancho`, all within `alto`; broken at
// spaces, or inside a word longer than a line. False when it does not fit.
bool Componer(const QString& texto, const QFont& fuente, QPaintDevice* d, const QSizeF& caja,
              int máximoLíneas, Composición& c) {
    const QFontMetricsF medidas(fuente, d);
    c.fuente = fuente;
    c.altoLínea = medidas.height();
    c.líneas.clear();
    if (máximoLíneas == 1) {
        c.líneas << texto;
        return medidas.horizontalAdvance(texto) <= caja.width() && c.altoLínea <= caja.height();
    }
    QTextLayout capa(texto, fuente, d);
    QTextOption opción;
    opción.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    capa.setTextOption(opción);
    capa.beginLayout();
    for (QTextLine l = capa.createLine(); l.isValid(); l = capa.createLine()) {
        l.setLineWidth(caja.width());
        if (l.naturalTextWidth() > caja.width()) {
            capa.endLayout();
            return false;
        }
        c.líneas << texto.mid(l.textStart(), l.textLength()).trimmed();
    }
    capa.endLayout();
    return c.líneas.size() <= máximoLíneas && c.líneas.size() * c.altoLínea <= caja.height();
}

// Every text is shown whole: at its own size when it fits; else smaller, down to kPuntosMínimos; past
// that on two lines when the box is tall enough; and only if even that fails, smaller still. A text
// that wraps by design keeps its lines and only gets smaller.
constexpr double kPuntosMínimos = 6.0;
constexpr double kPasoPuntos = 0.1;

Composición Ajustar(const ElementoPágina& e, const QString& texto, QPaintDevice* d, const QSizeF& caja) {
    const double propio = e.fuente.puntos;
    Composición c;
    const int máximoLíneas = e.ajustarLíneas ? std::numeric_limits<int>::max() : 1;
    if (Componer(texto, Fuente(e, propio), d, caja, máximoLíneas, c)) return c;
    // Trailing blanks of a stored field are not worth a smaller size.
    QString t = texto;
    while (t.endsWith(u' '))
        t.chop(1);
    const auto probar = [&](double desde, double hasta, int líneas) {
        for (double p = desde; p >= hasta - 1e-9; p -= kPasoPuntos)
            if (Componer(t, Fuente(e, p), d, caja, líneas, c)) return true;
        return false;
    };
    const double mínimo = std::min(propio, kPuntosMínimos);
    if (probar(propio, mínimo, máximoLíneas)) return c;
    if (!e.ajustarLíneas && probar(propio, mínimo, 2)) return c;
    // A box too small even for that: the largest size at which it fits, on one line or two.
    for (double p = mínimo - kPasoPuntos; p > kPasoPuntos; p -= kPasoPuntos)
        if (Componer(t, Fuente(e, p), d, caja, máximoLíneas, c) ||
            (!e.ajustarLíneas && Componer(t, Fuente(e, p), d, caja, 2, c)))
            return c;
    return c;
}

void DibujarTexto(QPainter& p, const Escala& k, const ElementoPágina& e) {
    if (e.texto.empty()) return;
    const QRectF caja = k.Rect(e);
    const Composición c = Ajustar(e, QString::fromStdString(Utf8(e.texto)), p.device(), caja.size());
    p.setFont(c.fuente);
    p.setPen(Color(e.colorTexto));
    int horizontal = Qt::AlignLeft;
    switch (e.alineación) {
    case AlineaciónTexto::Izquierda:
        break;
    case AlineaciónTexto::Centro:
        horizontal = Qt::AlignHCenter;
        break;
    case AlineaciónTexto::Derecha:
        horizontal = Qt::AlignRight;
        break;
    }
    if (c.líneas.size() == 1) {
        p.drawText(caja,
                   horizontal | Qt::TextSingleLine | (e.centradoVertical ? Qt::AlignVCenter : Qt::AlignTop),
                   c.líneas.front());
        return;
    }
    const double alto = c.líneas.size() * c.altoLínea;
    double y = e.centradoVertical ? caja.top() + (caja.height() - alto) / 2 : caja.top();
    for (const QString& línea : c.líneas) {
        p.drawText(QRectF(caja.left(), y, caja.width(), c.altoLínea),
                   horizontal | Qt::AlignTop | Qt::TextSingleLine, línea);
        y += c.altoLínea;
    }
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
