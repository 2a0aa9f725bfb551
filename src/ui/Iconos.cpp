#include "ui/Iconos.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace m817 {

namespace {

const QColor kTinta(0x33, 0x3d, 0x4f);
const QColor kPapel(0xff, 0xff, 0xff);
const QColor kAzul(0x2e, 0x4a, 0x7a);
const QColor kAzulClaro(0xdf, 0xe6, 0xf2);
const QColor kRojo(0xc6, 0x28, 0x28);
const QColor kVerde(0x2e, 0x7d, 0x32);
const QColor kÁmbar(0xf2, 0xa9, 0x00);
const QColor kCarpeta(0xe8, 0xb9, 0x4a);

// Drawn on a 16-unit grid, at two sizes so that the icon stays sharp on dense screens.
QIcon Dibujar(const std::function<void(QPainter&)>& dibujo) {
    QIcon icono;
    for (int lado : {16, 32}) {
        QPixmap p(lado, lado);
        p.fill(Qt::transparent);
        QPainter g(&p);
        g.setRenderHint(QPainter::Antialiasing);
        g.scale(lado / 16.0, lado / 16.0);
        dibujo(g);
        g.end();
        icono.addPixmap(p);
    }
    return icono;
}

QPen Trazo(const QColor& c, double ancho = 1.0) {
    return QPen(c, ancho, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A sheet of paper with a folded corner.
void Hoja(QPainter& g, QRectF r) {
    QPainterPath p;
    const double pliegue = 3.5;
    p.moveTo(r.left(), r.top());
    p.lineTo(r.right() - pliegue, r.top());
    p.lineTo(r.right(), r.top() + pliegue);
    p.lineTo(r.right(), r.bottom());
    p.lineTo(r.left(), r.bottom());
    p.closeSubpath();
    g.setPen(Trazo(kTinta));
    g.setBrush(kPapel);
    g.drawPath(p);
    g.setBrush(Qt::NoBrush);
    g.drawPolyline(
        QPolygonF({QPointF(r.right() - pliegue, r.top()), QPointF(r.right() - pliegue, r.top() + pliegue),
                   QPointF(r.right(), r.top() + pliegue)}));
}

void Renglones(QPainter& g, double x0, double x1, double y0, int n) {
    g.setPen(Trazo(kAzul.lighter(140), 0.9));
    for (int i = 0; i < n; ++i)
        g.drawLine(QPointF(x0, y0 + 2.2 * i), QPointF(x1, y0 + 2.2 * i));
}

void Nuevo(QPainter& g) {
    Hoja(g, QRectF(2.5, 1.5, 10, 13));
    Renglones(g, 4.5, 10.5, 6, 4);
    // A small star: a new sheet.
    g.setPen(Trazo(kÁmbar.darker(120), 1.4));
    const QPointF c(12.5, 3.5);
    g.drawLine(c + QPointF(-2.2, 0), c + QPointF(2.2, 0));
    g.drawLine(c + QPointF(0, -2.2), c + QPointF(0, 2.2));
    g.drawLine(c + QPointF(-1.5, -1.5), c + QPointF(1.5, 1.5));
    g.drawLine(c + QPointF(-1.5, 1.5), c + QPointF(1.5, -1.5));
}

void Abrir(QPainter& g) {
    g.setPen(Trazo(kCarpeta.darker(150)));
    g.setBrush(kCarpeta.darker(110));
    QPainterPath fondo;
    fondo.moveTo(1.5, 3.5);
    fondo.lineTo(6, 3.5);
    fondo.lineTo(7.5, 5);
    fondo.lineTo(13.5, 5);
    fondo.lineTo(13.5, 13.5);
    fondo.lineTo(1.5, 13.5);
    fondo.closeSubpath();
    g.drawPath(fondo);
    g.setBrush(kCarpeta);
    QPainterPath tapa;
    tapa.moveTo(1.5, 13.5);
    tapa.lineTo(4, 7.5);
    tapa.lineTo(15.5, 7.5);
    tapa.lineTo(13.5, 13.5);
    tapa.closeSubpath();
    g.drawPath(tapa);
}

void Guardar(QPainter& g) {
    g.setPen(Trazo(kAzul.darker(130)));
    g.setBrush(kAzul);
    QPainterPath disco;
    disco.moveTo(1.5, 1.5);
    disco.lineTo(12.5, 1.5);
    disco.lineTo(14.5, 3.5);
    disco.lineTo(14.5, 14.5);
    disco.lineTo(1.5, 14.5);
    disco.closeSubpath();
    g.drawPath(disco);
    g.setPen(Qt::NoPen);
    g.setBrush(kPapel);
    g.drawRect(QRectF(4, 1.5, 8, 5));
    g.setBrush(kAzul);
    g.drawRect(QRectF(9.5, 2.5, 1.5, 3));
    g.setBrush(kAzulClaro);
    g.drawRect(QRectF(3.5, 9, 9, 5.5));
}

void Eliminar(QPainter& g) {
    Hoja(g, QRectF(1.5, 1.5, 10, 13));
    Renglones(g, 3.5, 9.5, 5, 4);
    g.setPen(Trazo(kRojo, 2.2));
    g.drawLine(QPointF(8.5, 8.5), QPointF(14, 14));
    g.drawLine(QPointF(14, 8.5), QPointF(8.5, 14));
}

void Imprimir(QPainter& g) {
    g.setPen(Trazo(kTinta));
    g.setBrush(kPapel);
    g.drawRect(QRectF(4.5, 1.5, 7, 5));
    g.setBrush(QColor(0x9a, 0xa3, 0xb3));
    g.drawRoundedRect(QRectF(1.5, 6, 13, 6), 1.2, 1.2);
    g.setBrush(kPapel);
    g.drawRect(QRectF(4.5, 10, 7, 4.5));
    Renglones(g, 6, 10, 11.8, 2);
    g.setPen(Qt::NoPen);
    g.setBrush(kVerde);
    g.drawEllipse(QPointF(12.5, 8), 0.8, 0.8);
}

void Cortar(QPainter& g) {
    g.setPen(Trazo(kTinta, 1.3));
    g.drawLine(QPointF(5, 1.5), QPointF(10.2, 10));
    g.drawLine(QPointF(11, 1.5), QPointF(5.8, 10));
    g.setPen(Trazo(kRojo, 1.4));
    g.setBrush(Qt::NoBrush);
    g.drawEllipse(QPointF(4.5, 12), 2.3, 2.3);
    g.drawEllipse(QPointF(11.5, 12), 2.3, 2.3);
}

void Copiar(QPainter& g) {
    Hoja(g, QRectF(1.5, 1.5, 8, 10));
    Hoja(g, QRectF(6.5, 4.5, 8, 10));
    Renglones(g, 8, 12.5, 8, 3);
}

void Pegar(QPainter& g) {
    g.setPen(Trazo(kCarpeta.darker(170)));
    g.setBrush(QColor(0xc8, 0x93, 0x4e));
    g.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1.2, 1.2);
    g.setBrush(QColor(0x9a, 0xa3, 0xb3));
    g.drawRoundedRect(QRectF(4, 1.2, 5, 2.6), 0.8, 0.8);
    Hoja(g, QRectF(6.5, 6, 8, 9));
    Renglones(g, 8, 12.5, 9.5, 2);
}

void VerErrores(QPainter& g) {
    g.setPen(Trazo(kTinta));
    g.setBrush(kPapel);
    g.drawRect(QRectF(1.5, 1.5, 13, 13));
    const QColor marcas[] = {kRojo, kÁmbar, kRojo};
    for (int i = 0; i < 3; ++i) {
        const double y = 4.5 + 3.5 * i;
        g.setPen(Qt::NoPen);
        g.setBrush(marcas[i]);
        g.drawEllipse(QPointF(4.2, y), 1.3, 1.3);
        g.setPen(Trazo(kAzul, 1.1));
        g.drawLine(QPointF(7, y), QPointF(12.5, y));
    }
}

void Ayuda(QPainter& g) {
    g.setPen(Trazo(kAzul.darker(130)));
    g.setBrush(kAzul);
    g.drawEllipse(QRectF(1, 1, 14, 14));
    g.setPen(kPapel);
    QFont f = g.font();
    f.setBold(true);
    f.setPixelSize(11);
    g.setFont(f);
    g.drawText(QRectF(1, 1.3, 14, 14), Qt::AlignCenter, "?");
}

void SinErrores(QPainter& g) {
    g.setPen(Qt::NoPen);
    g.setBrush(kVerde);
    g.drawEllipse(QRectF(1, 1, 14, 14));
    g.setPen(Trazo(kPapel, 2));
    g.drawPolyline(QPolygonF({QPointF(4.5, 8.3), QPointF(7, 10.8), QPointF(11.5, 5.5)}));
}

void Error(QPainter& g) {
    g.setPen(Qt::NoPen);
    g.setBrush(kRojo);
    g.drawEllipse(QRectF(1, 1, 14, 14));
    g.setPen(Trazo(kPapel, 2));
    g.drawLine(QPointF(5.2, 5.2), QPointF(10.8, 10.8));
    g.drawLine(QPointF(10.8, 5.2), QPointF(5.2, 10.8));
}

void Aviso(QPainter& g) {
    QPainterPath t;
    t.moveTo(8, 1.2);
    t.lineTo(15.2, 14.5);
    t.lineTo(0.8, 14.5);
    t.closeSubpath();
    g.setPen(Trazo(kÁmbar.darker(130)));
    g.setBrush(kÁmbar);
    g.drawPath(t);
    g.setPen(Trazo(kTinta, 1.8));
    g.drawLine(QPointF(8, 5.8), QPointF(8, 9.8));
    g.drawPoint(QPointF(8, 12.3));
}

} // namespace

QIcon IconoBotón(const QString& clave) {
    static const std::pair<const char*, void (*)(QPainter&)> dibujos[] = {
        {"Nuevo", Nuevo},           {"Abrir", Abrir},   {"Guardar", Guardar}, {"Eliminar", Eliminar},
        {"Imprimir", Imprimir},     {"Cortar", Cortar}, {"Copiar", Copiar},   {"Pegar", Pegar},
        {"VerErrores", VerErrores}, {"Ayuda", Ayuda},
    };
    for (const auto& [nombre, dibujo] : dibujos)
        if (clave == QLatin1String(nombre)) return Dibujar(dibujo);
    return {};
}

QIcon IconoEntrada(int imagen) {
    switch (imagen) {
    case 1:
        return Dibujar(SinErrores);
    case 2:
        return Dibujar(Error);
    case 3:
        return Dibujar(Aviso);
    default:
        return {};
    }
}

} // namespace m817
