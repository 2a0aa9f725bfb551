#include "ui/VistaHoja.h"

#include "platform/Texto1252.h"
#include "ui/Accesibilidad.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QTimer>
#include <QWheelEvent>

namespace m817 {
namespace {

QString AQt(const std::string& cp1252) {
    return QString::fromStdString(Utf8(cp1252));
}

QColor ColorBGR(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

Qt::Alignment Alinear(Alineación a) {
    switch (a) {
    case Alineación::Derecha:
        return Qt::AlignRight | Qt::AlignVCenter;
    case Alineación::Centro:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

// Tab and Shift+Tab move through the model's focus order, not Qt's chain.
bool EsTabulador(QEvent* e, bool& atrás) {
    if (e->type() != QEvent::KeyPress) return false;
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Backtab || (k->key() == Qt::Key_Tab && (k->modifiers() & Qt::ShiftModifier))) {
        atrás = true;
        return true;
    }
    atrás = false;
    return k->key() == Qt::Key_Tab && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

// What the widget of every field hands to the model: Tab and Shift+Tab, as a step of the model's focus
// order, and the focus it receives.
template <class Base> class CampoReenviado : public Base {
  public:
    CampoReenviado(VistaHoja* vista, IdCampo id, QWidget* padre) : Base(padre), vista_(vista), id_(id) {}

  protected:
    // True when the event was a Tab, now handed on.
    bool Tabular(QEvent* e) {
        bool atrás = false;
        if (!EsTabulador(e, atrás)) return false;
        vista_->Tabulador(atrás);
        return true;
    }
    bool event(QEvent* e) override { return Tabular(e) || Base::event(e); }
    void focusInEvent(QFocusEvent* e) override {
        Base::focusInEvent(e);
        vista_->FocoRecibido(id_);
    }

    VistaHoja* vista_;
    IdCampo id_;
};

// A one-line text box: the model does the editing.
class CampoTexto : public CampoReenviado<QLineEdit> {
  public:
    CampoTexto(VistaHoja* vista, IdCampo id, QWidget* padre) : CampoReenviado(vista, id, padre) {
        setDragEnabled(false);
        // Dropped text is pasted through the model, never inserted by the box itself.
        setAcceptDrops(true);
        setAttribute(Qt::WA_InputMethodEnabled, true);
    }

  protected:
    bool event(QEvent* e) override {
        if (Tabular(e)) return true;
        if (e->type() == QEvent::ShortcutOverride) {
            // Keys with Ctrl belong to the window's commands (cut, copy, paste, open…), and so do
            // Shift+Insert (paste), F1 (the field's help) and F6 (to the error list).
            auto* k = static_cast<QKeyEvent*>(e);
            if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier) || k->key() == Qt::Key_F1 ||
                k->key() == Qt::Key_F6 ||
                (k->key() == Qt::Key_Insert && (k->modifiers() & Qt::ShiftModifier))) {
                e->ignore();
                return false;
            }
            e->accept();
            return true;
        }
        return QLineEdit::event(e);
    }
    void keyPressEvent(QKeyEvent* e) override { vista_->TeclaPulsada(id_, e); }
    void inputMethodEvent(QInputMethodEvent* e) override {
        if (!e->commitString().isEmpty()) vista_->TextoEntrante(id_, e->commitString());
        e->accept();
    }
    void focusOutEvent(QFocusEvent* e) override {
        QLineEdit::focusOutEvent(e);
        // The model keeps the selection; the box just stops showing it.
        if (e->reason() != Qt::PopupFocusReason && hasSelectedText()) setCursorPosition(cursorPosition());
    }
    void mousePressEvent(QMouseEvent* e) override {
        QLineEdit::mousePressEvent(e);
        Informar();
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        QLineEdit::mouseMoveEvent(e);
        Informar();
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::MiddleButton) {
            // The primary selection goes through the model's paste, not straight into the box.
            Informar();
            vista_->PegarSelección(id_);
            e->accept();
            return;
        }
        QLineEdit::mouseReleaseEvent(e);
        Informar();
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
            vista_->CampoPulsado(id_);
    }
    void contextMenuEvent(QContextMenuEvent* e) override {
        vista_->MenúContextual(id_, e->globalPos());
        e->accept();
    }
    void dragEnterEvent(QDragEnterEvent* e) override {
        if (e->mimeData()->hasText() && vista_->AdmiteSoltar(id_))
            e->acceptProposedAction();
        else
            e->ignore();
    }
    void dragMoveEvent(QDragMoveEvent* e) override {
        if (e->mimeData()->hasText() && vista_->AdmiteSoltar(id_))
            e->acceptProposedAction();
        else
            e->ignore();
    }
    void dragLeaveEvent(QDragLeaveEvent* e) override { e->accept(); }
    void dropEvent(QDropEvent* e) override {
        if (!e->mimeData()->hasText() || !vista_->AdmiteSoltar(id_)) {
            e->ignore();
            return;
        }
        // Copied, never moved: the text stays where it came from.
        e->setDropAction(Qt::CopyAction);
        e->accept();
        vista_->SoltarTexto(id_, cursorPositionAt(e->position().toPoint()), e->mimeData()->text());
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        QLineEdit::mouseDoubleClickEvent(e);
        Informar();
    }

  private:
    void Informar() {
        if (vista_->Hoja().Foco() != id_) return;
        int cursor = cursorPosition();
        int ancla = cursor;
        if (hasSelectedText()) ancla = selectionStart() == cursor ? selectionEnd() : selectionStart();
        vista_->SelecciónPorRatón(id_, ancla, cursor);
    }
};

// A list field: an editable combo box whose typing is the model's.
class CampoLista : public CampoReenviado<QComboBox> {
  public:
    CampoLista(VistaHoja* vista, IdCampo id, QWidget* padre) : CampoReenviado(vista, id, padre) {
        setEditable(true);
        setLineEdit(new CampoTexto(vista, id, this));
        setInsertPolicy(QComboBox::NoInsert);
        setCompleter(nullptr);
        setMaxVisibleItems(16);
        // A wheel turned over the sheet scrolls it: it neither takes the focus nor changes a closed list.
        setFocusPolicy(Qt::StrongFocus);
        connect(this, qOverload<int>(&QComboBox::activated), this,
                [this](int i) { vista_->Hoja().ElegirEntrada(id_, i); });
    }
    void showPopup() override {
        vista_->Hoja().AbrirDesplegable(id_);
        QComboBox::showPopup();
    }

  protected:
    // An open list takes the wheel in its own window; over the closed one it goes on to the sheet.
    void wheelEvent(QWheelEvent* e) override { e->ignore(); }
};

// Check boxes and options change only through the model.
template <class Base> class Pulsable : public CampoReenviado<Base> {
  public:
    Pulsable(VistaHoja* vista, IdCampo id, QWidget* padre) : CampoReenviado<Base>(vista, id, padre) {
        this->setFocusPolicy(Qt::StrongFocus);
        if constexpr (std::is_same_v<Base, QRadioButton>) this->setAutoExclusive(false);
    }

  protected:
    void nextCheckState() override { this->vista_->Hoja().Pulsar(this->id_); }
    void checkStateSet() override {}
    bool event(QEvent* e) override {
        if (this->Tabular(e)) return true;
        if (e->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(e);
            if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
                this->vista_->TeclaPulsada(this->id_, k);
                return true;
            }
        }
        return Base::event(e);
    }
};

class EtiquetaHoja : public QLabel {
  public:
    EtiquetaHoja(VistaHoja* vista, const ElementoHoja& e, QWidget* padre)
        : QLabel(padre), vista_(vista), nombre_(QString::fromUtf8(e.nombre.data(), e.nombre.size())),
          índice_(e.índice) {
        if (!nombre_.isEmpty()) setCursor(Qt::PointingHandCursor);
    }

  protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (!nombre_.isEmpty() && e->button() == Qt::LeftButton) vista_->EtiquetaPulsada(nombre_, índice_);
        QLabel::mousePressEvent(e);
    }

  private:
    VistaHoja* vista_;
    QString nombre_;
    int índice_;
};

const QColor kTinta(0x1F, 0x2A, 0x44);
const QColor kFondoDesactivado(0xD9, 0xDB, 0xDF);
const QColor kBanda(0x2E, 0x4A, 0x7A);

} // namespace

VistaHoja::VistaHoja(HojaDeclaración& hoja, QWidget* padre) : QWidget(padre), hoja_(hoja) {
    setObjectName("frmHoja1");
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0xFB, 0xFA, 0xF6));
    p.setColor(QPalette::WindowText, kTinta);
    setPalette(p);
    setFixedSize(Px(kAnchoHoja), Px(kAltoHoja));
    Construir();
    HacerAccesibleHoja(*this);
    hoja_.AlRedibujar([this](IdCampo id) { Pintar(id); });
    hoja_.AlMoverFoco([this](IdCampo id) { MoverFoco(id); });
    Sincronizar();
}

void VistaHoja::Construir() {
    for (const auto& e : DisposiciónHoja()) {
        QRect r(Px(e.x), Px(e.y), Px(e.ancho), Px(e.alto));
        QFont fuente = font();
        fuente.setPointSizeF(e.puntos);
        fuente.setBold(e.negrita);
        QString texto = QString::fromUtf8(e.texto.data(), static_cast<int>(e.texto.size()));
        switch (e.clase) {
        case ClaseElemento::Marco: {
            auto* m = new QFrame(this);
            m->setFrameShape(QFrame::Box);
            m->setStyleSheet("QFrame { border: 1px solid #2e4a7a; background: transparent; }");
            m->setGeometry(r);
            m->lower();
            break;
        }
        case ClaseElemento::Banda: {
            auto* b = new EtiquetaHoja(this, e, this);
            b->setText("      " + texto);
            b->setFont(fuente);
            b->setStyleSheet("QLabel { background: #2e4a7a; color: white; padding-left: 4px; }");
            b->setGeometry(r);
            break;
        }
        case ClaseElemento::Etiqueta:
        case ClaseElemento::Número: {
            auto* l = new EtiquetaHoja(this, e, this);
            l->setText(texto);
            l->setFont(fuente);
            l->setWordWrap(e.alto > 400);
            l->setAlignment(e.alto > 400 ? Qt::AlignLeft | Qt::AlignTop : Alinear(e.alineación));
            if (e.clase == ClaseElemento::Número)
                l->setStyleSheet("QLabel { background: #dfe6f2; border: 1px solid #2e4a7a; }");
            l->setGeometry(r);
            break;
        }
        case ClaseElemento::Campo: {
            const auto& d = Definición(e.campo);
            QWidget* w = nullptr;
            switch (d.tipo) {
            case TipoCampo::Texto: {
                auto* t = new CampoTexto(this, e.campo, this);
                t->setAlignment(Alinear(d.alineación));
                w = t;
                break;
            }
            case TipoCampo::Lista:
                w = new CampoLista(this, e.campo, this);
                break;
            case TipoCampo::Casilla: {
                auto* c = new Pulsable<QCheckBox>(this, e.campo, this);
                // The complementary box stands on the right of its own caption.
                if (e.campo != campos::chkComplementaria) c->setText(texto);
                w = c;
                break;
            }
            case TipoCampo::Opción:
                w = new Pulsable<QRadioButton>(this, e.campo, this);
                break;
            }
            QFont f = font();
            f.setPointSizeF(d.tipo == TipoCampo::Casilla ? 8 : 9);
            f.setBold(d.negrita);
            w->setFont(f);
            w->setObjectName(QString::fromStdString(ClaveCampo(e.campo)));
            w->setGeometry(r);
            controles_[e.campo] = w;
            break;
        }
        }
    }
    // Options sit on their heading bars.
    for (int n = 1; n <= 3; ++n)
        controles_[campos::optResultado(n)]->raise();
}

void VistaHoja::Sincronizar() {
    for (IdCampo id = 0; id < kNúmeroCampos; ++id)
        pendiente_[id] = true;
    hayPendientes_ = true;
    PintarPendientes();
}

void VistaHoja::Pintar(IdCampo id) {
    // Many writes may hit one field in one pass of the model: draw once, afterwards.
    pendiente_[id] = true;
    if (hayPendientes_) return;
    hayPendientes_ = true;
    QTimer::singleShot(0, this, [this] { PintarPendientes(); });
}

void VistaHoja::PintarPendientes() {
    if (!hayPendientes_) return;
    hayPendientes_ = false;
    for (IdCampo id = 0; id < kNúmeroCampos; ++id) {
        if (!pendiente_[id]) continue;
        pendiente_[id] = false;
        QWidget* w = controles_[id];
        if (!w) continue;
        const auto& s = hoja_.Estado(id);
        w->setEnabled(s.habilitado);
        w->setVisible(s.visible);
        QLineEdit* edición = nullptr;
        if (auto* combo = dynamic_cast<QComboBox*>(w)) {
            if (listaMostrada_[id] != s.versiónLista || combo->count() != static_cast<int>(s.lista.size())) {
                QStringList textos;
                textos.reserve(static_cast<int>(s.lista.size()));
                for (const auto& e : s.lista)
                    textos << AQt(e.texto);
                QSignalBlocker bloqueo(combo);
                combo->clear();
                combo->addItems(textos);
                listaMostrada_[id] = s.versiónLista;
            }
            {
                QSignalBlocker bloqueo(combo);
                combo->setCurrentIndex(s.posición);
            }
            edición = combo->lineEdit();
        } else if (auto* t = dynamic_cast<QLineEdit*>(w)) {
            edición = t;
        } else if (auto* b = dynamic_cast<QAbstractButton*>(w)) {
            QSignalBlocker bloqueo(b);
            b->setChecked(s.valor != 0);
        }
        if (edición) {
            QString texto = AQt(s.texto);
            if (edición->text() != texto) edición->setText(texto);
            edición->setReadOnly(s.bloqueado);
            // As a classic text box, a field shows its selection only while it has the focus.
            if (s.ancla != s.cursor && edición->hasFocus())
                edición->setSelection(s.ancla, s.cursor - s.ancla);
            else
                edición->setCursorPosition(s.cursor);
            // A disabled box shows it: greyed, whatever its background while it is open.
            QPalette p = edición->palette();
            p.setColor(QPalette::Active, QPalette::Base, ColorBGR(s.fondo));
            p.setColor(QPalette::Inactive, QPalette::Base, ColorBGR(s.fondo));
            p.setColor(QPalette::Disabled, QPalette::Base, kFondoDesactivado);
            edición->setPalette(p);
        }
    }
}

void VistaHoja::MoverFoco(IdCampo id) {
    if (id == kNingúnCampo || !controles_[id]) return;
    PintarPendientes();
    QWidget* w = controles_[id];
    if (w->hasFocus()) return;
    ++enFoco_;
    w->setFocus(Qt::OtherFocusReason);
    --enFoco_;
}

void VistaHoja::FocoRecibido(IdCampo id) {
    Pintar(id); // its selection shows now
    if (enFoco_ || hoja_.Foco() == id) return;
    if (!hoja_.Enfocar(id)) MoverFoco(hoja_.Foco());
    PintarPendientes();
}

bool VistaHoja::Tabulador(bool atrás) {
    bool ok = hoja_.Tabular(atrás);
    PintarPendientes();
    return ok;
}

void VistaHoja::Pitar() {
    QApplication::beep();
}

void VistaHoja::TextoEntrante(IdCampo id, const QString& texto) {
    if (hoja_.Foco() != id) return;
    bool rechazada = false;
    for (QChar ch : texto) {
        std::string b = W(QString(ch).toStdString());
        if (b.size() != 1 || (b[0] == '?' && ch != QChar('?'))) {
            rechazada = true;
            continue;
        }
        if (!hoja_.Teclear(static_cast<unsigned char>(b[0]))) rechazada = true;
    }
    if (rechazada) Pitar();
    PintarPendientes();
}

void VistaHoja::TeclaPulsada(IdCampo id, QKeyEvent* e) {
    if (hoja_.Foco() != id) return;
    const bool mayús = e->modifiers() & Qt::ShiftModifier;
    const bool control = e->modifiers() & Qt::ControlModifier;
    if (e->matches(QKeySequence::Undo)) {
        hoja_.Deshacer();
        PintarPendientes();
        return;
    }
    switch (e->key()) {
    case Qt::Key_Left:
        hoja_.PulsarTecla(control ? TeclaEdición::PalabraAnterior : TeclaEdición::Izquierda, mayús);
        break;
    case Qt::Key_Right:
        hoja_.PulsarTecla(control ? TeclaEdición::PalabraSiguiente : TeclaEdición::Derecha, mayús);
        break;
    case Qt::Key_Home:
        hoja_.PulsarTecla(TeclaEdición::Inicio, mayús);
        break;
    case Qt::Key_End:
        hoja_.PulsarTecla(TeclaEdición::Fin, mayús);
        break;
    case Qt::Key_Delete:
        hoja_.PulsarTecla(TeclaEdición::Suprimir, mayús);
        break;
    case Qt::Key_Backspace:
        if (!hoja_.Teclear(kTeclaRetroceso)) Pitar();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!hoja_.Teclear(kTeclaIntro)) Pitar();
        break;
    case Qt::Key_Escape:
        if (!hoja_.Teclear(kTeclaEscape)) Pitar();
        break;
    default:
        if (!e->text().isEmpty() && e->text().at(0).isPrint() &&
            !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            TextoEntrante(id, e->text());
        else
            e->ignore();
        return;
    }
    PintarPendientes();
}

void VistaHoja::SelecciónPorRatón(IdCampo id, int ancla, int cursor) {
    hoja_.EstablecerCursor(id, ancla, cursor);
}

void VistaHoja::CampoPulsado(IdCampo id) {
    // The focus move may have been refused; only the field that has it is clicked.
    if (hoja_.Foco() != id || Definición(id).tipo != TipoCampo::Texto) return;
    hoja_.Pulsar(id);
    PintarPendientes();
}

void VistaHoja::MenúContextual(IdCampo id, const QPoint& global) {
    if (hoja_.Foco() != id || !alMenúContextual) return;
    PintarPendientes();
    alMenúContextual(global);
}

void VistaHoja::PegarSelección(IdCampo id) {
    if (hoja_.Foco() != id || !alPegarSelección) return;
    alPegarSelección();
    PintarPendientes();
}

bool VistaHoja::AdmiteSoltar(IdCampo id) const {
    return alSoltarTexto && hoja_.PuedeRecibirFoco(id) && !hoja_.Estado(id).bloqueado;
}

void VistaHoja::SoltarTexto(IdCampo id, int posición, const QString& texto) {
    if (!AdmiteSoltar(id)) return;
    // As a click there would: the field takes the focus (its check may refuse), then the caret goes to the
    // point.
    if (hoja_.Foco() != id && !hoja_.Enfocar(id)) {
        PintarPendientes();
        return;
    }
    hoja_.EstablecerCursor(id, posición, posición);
    alSoltarTexto(W(texto.toStdString()));
    PintarPendientes();
}

void VistaHoja::EtiquetaPulsada(const QString& nombre, int índice) {
    if (hoja_.eventos.ClickEtiqueta) hoja_.eventos.ClickEtiqueta(nombre.toStdString(), índice);
    PintarPendientes();
}

} // namespace m817
