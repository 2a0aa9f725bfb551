#include "ui/frmPrincipal.h"

#include "app/Barras.h"
#include "platform/Texto1252.h"
#include "platform/qt/AyudaQt.h"
#include "platform/qt/PortapapelesQt.h"
#include "ui/Accesibilidad.h"
#include "ui/Iconos.h"
#include "ui/VistaErrores.h"
#include "ui/VistaHoja.h"
#include "ui/frmInicio.h"
#include "ui/frmSeleccionarDeclaracion.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

namespace m817 {

namespace {
constexpr int kAnchoMínimo = 12000 / 3; // twips
constexpr int kAltoMínimo = 6000;
constexpr int kAltoBordeErrores = 5; // pixels
} // namespace

frmPrincipal::frmPrincipal(frmHoja1& hoja1, QWidget* padre)
    : QMainWindow(padre), hoja1_(hoja1), portapapelesQt_(std::make_unique<PortapapelesQt>()),
      ayudaQt_(std::make_unique<AyudaQt>(ArchivoAyuda(hoja1.carpeta), this)),
      comandos_(hoja1, *portapapelesQt_, *ayudaQt_), panel_(hoja1) {
    Construir();
}

frmPrincipal::frmPrincipal(frmHoja1& hoja1, ServicioPortapapeles& portapapeles, ServicioAyuda& ayuda,
                           QWidget* padre)
    : QMainWindow(padre), hoja1_(hoja1), comandos_(hoja1, portapapeles, ayuda), panel_(hoja1) {
    Construir();
}

frmPrincipal::~frmPrincipal() {
    hoja1_.entrada.FijarDesplazamiento(nullptr);
    hoja1_.errores.QuitarOyente(oyenteErrores_);
}

void frmPrincipal::Construir() {
    setObjectName("frmPrincipal");
    interior_ = new QWidget(this);
    interior_->setObjectName("interior");
    setCentralWidget(interior_);

    marco_ = new QWidget(interior_);
    marco_->setObjectName("marco");
    marco_->setAutoFillBackground(true);
    QPalette p = marco_->palette();
    p.setColor(QPalette::Window, QColor(0x8a, 0x93, 0xa3));
    marco_->setPalette(p);
    vista_ = new VistaHoja(hoja1_.hoja, marco_);
    vScrollBar_ = new QScrollBar(Qt::Vertical, marco_);
    hScrollBar_ = new QScrollBar(Qt::Horizontal, marco_);
    vScrollBar_->setObjectName("vScrollBar");
    hScrollBar_->setObjectName("hScrollBar");
    // The corner between the bars is the frame's own, not a view of the sheet beneath.
    esquina_ = new QWidget(marco_);
    esquina_->setObjectName("esquinaBarras");
    esquina_->setAutoFillBackground(true);
    esquina_->setPalette(QApplication::palette());
    esquina_->hide();
    marco_->installEventFilter(this);
    // No room to scroll until the first layout: a field focused while loading must not move the sheet.
    vScrollBar_->setRange(0, 0);
    hScrollBar_->setRange(0, 0);
    // Dragging the thumb moves the sheet continuously, as a change does.
    connect(vScrollBar_, &QScrollBar::valueChanged, this, [this] { vScrollBar_Change(); });
    connect(hScrollBar_, &QScrollBar::valueChanged, this, [this] { hScrollBar_Change(); });

    pctBordeErrores_ = new BordeErrores(interior_);
    pctBordeErrores_->alArrastrar = [this](int Y) {
        panel_.Arrastrar(Y);
        Form_Resize();
    };
    pctErrores_ = new QWidget(interior_);
    pctErrores_->setObjectName("pctErrores");
    trvErrores_ = new ÁrbolErrores(pctErrores_);
    trvErrores_->alRecibirFoco = [this] { panel_.AlRecibirFoco(); };
    trvErrores_->alElegir = [this](const std::string& clave) { IrAEntrada(clave); };
    oyenteErrores_ = hoja1_.errores.AlCambiar([this] {
        // A full check changes many entries: the tree is filled once, afterwards.
        if (erroresPendientes_) return;
        erroresPendientes_ = true;
        QTimer::singleShot(0, this, [this] {
            erroresPendientes_ = false;
            RellenarErrores();
        });
    });

    CrearMenús();
    CrearBarra();
    CrearMenúCampo();
    vista_->alMenúContextual = [this](const QPoint& global) { MostrarMenúCampo(global); };
    vista_->alPegarSelección = [this] { comandos_.PegarSelección(); };
    vista_->alSoltarTexto = [this](const std::string& texto) { comandos_.PegarTexto(texto); };
    HacerAccesibleVentana(*this);
    setMinimumSize(VistaHoja::Px(kAnchoMínimo), VistaHoja::Px(kAltoMínimo));
    hoja1_.entrada.FijarDesplazamiento(&desplazamiento_);
    comandos_.operaciones.SeleccionarDeclaración = [this](const PeticiónSelección& s) {
        return frmSeleccionarDeclaración::Elegir(this, s.título, s.botón, s.registroActual, hoja1_.archivos,
                                                 hoja1_.carpeta.DatosUsuario(), hoja1_.mensajes);
    };
    Form_Load();
    ActualizarComandos();
}

QAction* frmPrincipal::NuevaAcción(const QString& texto, const QString& nombre, Comando c,
                                   void (ComandosPrincipal::*orden)()) {
    auto* a = new QAction(texto, this);
    a->setObjectName(nombre);
    menús_[nombre] = a;
    if (orden) connect(a, &QAction::triggered, this, [this, orden] { (comandos_.*orden)(); });
    acciones_.emplace_back(c, a);
    return a;
}

void frmPrincipal::CrearMenús() {
    QMenuBar* barra = menuBar();
    CrearMenúArchivo(barra);
    CrearMenúEdición(barra);
    CrearMenúVer(barra);
    CrearMenúAyuda(barra);
    CrearAtajosHoja();
}

void frmPrincipal::CrearMenúArchivo(QMenuBar* barra) {
    using C = ComandosPrincipal;
    QMenu* mnuArchivo = barra->addMenu("&Archivo");
    mnuArchivo->setObjectName("mnuArchivo");
    QMenu* mnuNueva = mnuArchivo->addMenu("&Nuevo");
    mnuNueva->setObjectName("mnuNueva");
    mnuNueva->menuAction()->setObjectName("mnuNueva");
    menús_["mnuNueva"] = mnuNueva->menuAction();
    mnuNueva->addAction(NuevaAcción("&Nueva declaración", "mnuNuevaDeclaración", Comando::NuevaDeclaración,
                                    &C::NuevaDeclaración));
    mnuNueva->addAction(
        NuevaAcción("&Copiar desde...", "mnuCopiarDeclaración", Comando::CopiarDeclaración, &C::CopiarDesde));
    QAction* a = NuevaAcción("&Abrir", "mnuAbrir", Comando::Abrir, &C::Abrir);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    mnuArchivo->addAction(a);
    a = NuevaAcción("&Guardar", "mnuGuardar", Comando::Guardar, &C::Guardar);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    mnuArchivo->addAction(a);
    mnuArchivo->addAction(NuevaAcción("&Eliminar", "mnuEliminar", Comando::Eliminar, &C::Eliminar));
    mnuArchivo->addSeparator()->setObjectName("mnusep1");
    a = NuevaAcción("Im&primir", "mnuImprimir", Comando::Imprimir, &C::Imprimir);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuArchivo->addAction(a);
    mnuArchivo->addSeparator()->setObjectName("mnusep3");
    a = NuevaAcción("Sa&lir", "mnuSalir", Comando::Salir, nullptr);
    connect(a, &QAction::triggered, this, [this] { close(); });
    mnuArchivo->addAction(a);
}

void frmPrincipal::CrearMenúEdición(QMenuBar* barra) {
    using C = ComandosPrincipal;
    QMenu* mnuEdición = barra->addMenu("&Edición");
    mnuEdición->setObjectName("mnuEdición");
    QAction* a = NuevaAcción("Cor&tar", "mnuCortar", Comando::Cortar, &C::Cortar);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    mnuEdición->addAction(a);
    a = NuevaAcción("&Copiar", "mnuCopiar", Comando::Copiar, &C::Copiar);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    mnuEdición->addAction(a);
    a = NuevaAcción("&Pegar", "mnuPegar", Comando::Pegar, &C::Pegar);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    mnuEdición->addAction(a);
}

void frmPrincipal::CrearMenúVer(QMenuBar* barra) {
    QMenu* mnuVer = barra->addMenu("&Ver");
    mnuVer->setObjectName("mnuVer");
    QAction* a = NuevaAcción("Ver &Errores", "mnuVerErrores", Comando::VerErrores, nullptr);
    a->setCheckable(true);
    // The check mark has already turned: it now says what was asked for.
    connect(a, &QAction::triggered, this, [this](bool marcado) { MostrarPanelErrores(marcado, true); });
    mnuVer->addAction(a);
}

void frmPrincipal::CrearMenúAyuda(QMenuBar* barra) {
    using C = ComandosPrincipal;
    QMenu* mnuAyuda = barra->addMenu("Ay&uda");
    mnuAyuda->setObjectName("mnuAyuda");
    mnuAyuda->addAction(NuevaAcción("&Uso de la aplicación", "mnuUso", Comando::Uso, &C::UsoDeLaAplicación));
    mnuAyuda->addAction(NuevaAcción("&Temas de Ayuda", "mnuTemas", Comando::Temas, &C::TemasDeAyuda));
    mnuAyuda->addSeparator()->setObjectName("mnusep2");
    QAction* a = NuevaAcción("&Acerca de...", "mnuAcercade", Comando::AcercaDe, nullptr);
    connect(a, &QAction::triggered, this, [this] { frmInicio::MostrarAcercaDe(this); });
    mnuAyuda->addAction(a);
}

void frmPrincipal::CrearAtajosHoja() {
    auto* pegar = new QAction(this);
    pegar->setObjectName("PegarMayúsInsert");
    pegar->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Insert));
    connect(pegar, &QAction::triggered, this, [this] { comandos_.Pegar(); });
    addAction(pegar);
    auto* ayudaCampo = new QAction(this);
    ayudaCampo->setObjectName("AyudaCampo");
    ayudaCampo->setShortcut(QKeySequence(Qt::Key_F1));
    connect(ayudaCampo, &QAction::triggered, this, [this] { comandos_.AyudaDelCampo(); });
    addAction(ayudaCampo);
    auto* f6 = new QAction(this);
    f6->setObjectName("AlternarPanelErrores");
    f6->setShortcut(QKeySequence(Qt::Key_F6));
    connect(f6, &QAction::triggered, this, [this] { AlternarPanelErrores(); });
    addAction(f6);
}

void frmPrincipal::CrearMenúCampo() {
    using C = ComandosPrincipal;
    menúCampo_ = new QMenu(this);
    menúCampo_->setObjectName("mnuCampo");
    const std::pair<const char*, void (C::*)()> elementos[] = {
        {"Cor&tar", &C::Cortar},
        {"&Copiar", &C::Copiar},
        {"&Pegar", &C::Pegar},
        {"&Seleccionar todo", &C::SeleccionarTodo},
    };
    for (auto [texto, orden] : elementos) {
        QAction* a = menúCampo_->addAction(QString::fromUtf8(texto));
        connect(a, &QAction::triggered, this, [this, orden] {
            (comandos_.*orden)();
            vista_->Sincronizar();
        });
    }
}

void frmPrincipal::MostrarMenúCampo(const QPoint& global) {
    const HojaDeclaración& hoja = hoja1_.hoja;
    const IdCampo id = hoja.Foco();
    if (id == kNingúnCampo) return;
    const auto& estado = hoja.Estado(id);
    const bool selección = hoja.SelLongitud(id) > 0;
    const bool editable = estado.habilitado && !estado.bloqueado;
    const auto acciones = menúCampo_->actions();
    acciones[0]->setEnabled(selección && editable);
    acciones[1]->setEnabled(selección);
    acciones[2]->setEnabled(editable);
    acciones[3]->setEnabled(!estado.texto.empty());
    menúCampo_->popup(global);
}

void frmPrincipal::AlternarPanelErrores() {
    if (trvErrores_->hasFocus()) {
        // Back to the field the user was in.
        if (QWidget* w = vista_->Control(hoja1_.hoja.Foco())) w->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    if (!panel_.Visible()) MostrarPanelErrores(true, true);
    if (!trvErrores_->currentItem() && trvErrores_->topLevelItemCount() > 0)
        trvErrores_->setCurrentItem(trvErrores_->topLevelItem(0));
    trvErrores_->setFocus(Qt::ShortcutFocusReason);
}

void frmPrincipal::CrearBarra() {
    tlbPrincipal_ = addToolBar("tlbPrincipal");
    tlbPrincipal_->setObjectName("tlbPrincipal");
    tlbPrincipal_->setMovable(false);
    tlbPrincipal_->setFloatable(false);
    tlbPrincipal_->setIconSize(QSize(20, 20));
    tlbPrincipal_->setContextMenuPolicy(Qt::PreventContextMenu);
    tlbPrincipal_->toggleViewAction()->setEnabled(false);

    auto botón = [this](const QString& clave, const QString& consejo, Comando c,
                        void (ComandosPrincipal::*orden)()) {
        auto* a = new QAction(IconoBotón(clave), consejo, this);
        a->setObjectName(clave);
        a->setToolTip(consejo);
        if (orden) connect(a, &QAction::triggered, this, [this, orden] { (comandos_.*orden)(); });
        botones_[clave] = a;
        acciones_.emplace_back(c, a);
        return a;
    };
    using C = ComandosPrincipal;

    // "Nuevo" makes a new declaration; its drop-down also offers a copy of a saved one.
    QAction* nuevo = botón("Nuevo", "Nueva declaración", Comando::NuevaDeclaración, &C::NuevaDeclaración);
    auto* desplegable = new QMenu(this);
    desplegable->setObjectName("NuevoDesplegable");
    QAction* entrada =
        botón("NuevaDeclaración", "Nueva declaración", Comando::NuevaDeclaración, &C::NuevaDeclaración);
    entrada->setIcon({});
    desplegable->addAction(entrada);
    entrada = botón("CopiarDeclaración", "Copiar desde...", Comando::CopiarDeclaración, &C::CopiarDesde);
    entrada->setIcon({});
    desplegable->addAction(entrada);
    botónNuevo_ = new QToolButton(tlbPrincipal_);
    botónNuevo_->setObjectName("Nuevo");
    botónNuevo_->setDefaultAction(nuevo);
    botónNuevo_->setMenu(desplegable);
    botónNuevo_->setPopupMode(QToolButton::MenuButtonPopup);
    botónNuevo_->setAutoRaise(true);
    botónNuevo_->setIconSize(tlbPrincipal_->iconSize());
    tlbPrincipal_->addWidget(botónNuevo_);

    tlbPrincipal_->addAction(botón("Abrir", "Abrir declaración", Comando::Abrir, &C::Abrir));
    tlbPrincipal_->addAction(botón("Guardar", "Guardar declaración", Comando::Guardar, &C::Guardar));
    tlbPrincipal_->addAction(botón("Eliminar", "Eliminar declaración", Comando::Eliminar, &C::Eliminar));
    tlbPrincipal_->addAction(botón("Imprimir", "Imprimir declaración", Comando::Imprimir, &C::Imprimir));
    tlbPrincipal_->addSeparator();
    tlbPrincipal_->addAction(botón("Cortar", "Cortar", Comando::Cortar, &C::Cortar));
    tlbPrincipal_->addAction(botón("Copiar", "Copiar", Comando::Copiar, &C::Copiar));
    tlbPrincipal_->addAction(botón("Pegar", "Pegar", Comando::Pegar, &C::Pegar));
    tlbPrincipal_->addSeparator();
    QAction* ver = botón("VerErrores", "Ver errores de la declaración", Comando::VerErrores, nullptr);
    ver->setCheckable(true);
    connect(ver, &QAction::triggered, this, [this](bool pulsado) { MostrarPanelErrores(pulsado, true); });
    tlbPrincipal_->addAction(ver);
    tlbPrincipal_->addSeparator();
    tlbPrincipal_->addAction(botón("Ayuda", "Ayuda", Comando::Temas, &C::TemasDeAyuda));
    for (const auto& [clave, a] : botones_)
        if (QWidget* w = tlbPrincipal_->widgetForAction(a); w && w != botónNuevo_) w->setObjectName(clave);
}

QAction* frmPrincipal::Menú(const QString& nombre) const {
    auto it = menús_.find(nombre);
    return it == menús_.end() ? nullptr : it->second;
}

QAction* frmPrincipal::Botón(const QString& clave) const {
    auto it = botones_.find(clave);
    return it == botones_.end() ? nullptr : it->second;
}

void frmPrincipal::ActualizarComandos() {
    for (const auto& [c, a] : acciones_)
        a->setEnabled(comandos_.Disponible(c));
}

void frmPrincipal::Form_Load() {
    MostrarPanelErrores(false, false);
    setWindowTitle(kTítuloAplicación);
    ColocarAlInicio();
}

void frmPrincipal::ColocarAlInicio() {
    QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen();
    const QSize deseado(VistaHoja::Px(kAnchoHoja) + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8,
                        820);
    if (!pantalla) {
        resize(deseado);
        return;
    }
    // Room is left for the title bar and borders, which are not known until the window is shown.
    const QRect libre = pantalla->availableGeometry();
    const QSize tamaño = deseado.boundedTo(libre.size() - QSize(16, 48)).expandedTo(minimumSize());
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, tamaño, libre));
}

bool frmPrincipal::eventFilter(QObject* objeto, QEvent* e) {
    if (objeto == marco_ && e->type() == QEvent::Wheel) return RuedaSobreHoja(static_cast<QWheelEvent*>(e));
    return QMainWindow::eventFilter(objeto, e);
}

bool frmPrincipal::RuedaSobreHoja(QWheelEvent* e) {
    const bool lateral = e->modifiers() & Qt::ShiftModifier;
    const QPoint píxeles = e->pixelDelta();
    const QPoint ángulo = e->angleDelta();
    // A notch (120) moves three rows of the sheet's fields.
    const int paso = QApplication::wheelScrollLines() * VistaHoja::Px(300);
    auto desplazar = [&](QScrollBar* barra, int píxelesDelta, int ánguloDelta) {
        const int d = píxelesDelta != 0 ? píxelesDelta : ánguloDelta * paso / 120;
        barra->setValue(barra->value() - d);
    };
    if (lateral)
        desplazar(hScrollBar_, píxeles.y() ? píxeles.y() : píxeles.x(), ángulo.y() ? ángulo.y() : ángulo.x());
    else if (ángulo.y() != 0 || píxeles.y() != 0)
        desplazar(vScrollBar_, píxeles.y(), ángulo.y());
    else
        desplazar(hScrollBar_, píxeles.x(), ángulo.x());
    e->accept();
    return true;
}

void frmPrincipal::vScrollBar_Change() {
    vista_->move(vista_->x(), -vScrollBar_->value());
}
void frmPrincipal::hScrollBar_Change() {
    vista_->move(-hScrollBar_->value(), vista_->y());
}

void frmPrincipal::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    Form_Resize();
}

void frmPrincipal::showEvent(QShowEvent* e) {
    // The resize that comes with the first showing arrives before the window counts as visible.
    QMainWindow::showEvent(e);
    Form_Resize();
}

void frmPrincipal::Form_Resize() {
    // Before the window is first shown its inside has no real size yet: a third of it would cap the panel.
    if (!interior_ || !isVisible() || isMinimized()) return;
    // The smallest size (4000 x 6000 twips) is the window's minimum: Qt sets a smaller one back.
    const int w = interior_->width(), h = interior_->height();

    // The panel and its bar at the bottom, the panel no higher than a third of the inside.
    const bool repintar = panel_.Redimensionar(VistaHoja::Twips(h));
    const int altoPanel = panel_.Visible() ? VistaHoja::Px(panel_.Alto()) : 0;
    const int altoBorde = panel_.Visible() ? kAltoBordeErrores : 0;
    pctErrores_->setGeometry(0, h - altoPanel, w, altoPanel);
    pctBordeErrores_->setGeometry(0, h - altoPanel - altoBorde, w, altoBorde);
    const RectTwips árbol = panel_.Árbol(VistaHoja::Twips(width()));
    trvErrores_->setGeometry(VistaHoja::Px(árbol.x), VistaHoja::Px(árbol.y), VistaHoja::Px(árbol.ancho),
                             VistaHoja::Px(árbol.alto));
    if (repintar) pctErrores_->update();
    marco_->setGeometry(0, 0, w, h - altoPanel - altoBorde);

    const int grosor = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const MedidasVentana m{VistaHoja::Twips(marco_->width()),
                           VistaHoja::Twips(marco_->height()),
                           kAnchoHoja,
                           kAltoHoja,
                           VistaHoja::Twips(grosor),
                           VistaHoja::Twips(grosor)};
    const Barras b = CalcularBarras(m);
    altoVisible_ = b.altoVisible;
    anchoVisible_ = b.anchoVisible;
    auto colocar = [](QScrollBar* barra, const EstadoBarra& e, QRect r) {
        barra->setVisible(e.visible);
        if (!e.visible) {
            // Back to its edge: the change handler puts the sheet there.
            barra->setRange(0, 0);
            barra->setValue(0);
            return;
        }
        barra->setGeometry(r);
        barra->setRange(0, VistaHoja::Px(e.máximo));
        barra->setPageStep(std::max(1, VistaHoja::Px(e.pasoGrande)));
        barra->setSingleStep(std::max(1, VistaHoja::Px(e.pasoPequeño)));
    };
    const int mw = marco_->width(), mh = marco_->height();
    colocar(vScrollBar_, b.vertical, QRect(mw - grosor, 0, grosor, VistaHoja::Px(b.vertical.longitud)));
    colocar(hScrollBar_, b.horizontal, QRect(0, mh - grosor, VistaHoja::Px(b.horizontal.longitud), grosor));
    vScrollBar_Change();
    hScrollBar_Change();
    vScrollBar_->raise();
    hScrollBar_->raise();
    esquina_->setVisible(b.vertical.visible && b.horizontal.visible);
    esquina_->setGeometry(mw - grosor, mh - grosor, grosor, grosor);
    esquina_->raise();

    if (hoja1_.hoja.Foco() != kNingúnCampo) hoja1_.entrada.EnfocarCampo(hoja1_.hoja.Foco());
}

void frmPrincipal::MostrarPanelErrores(bool mostrar, bool validar) {
    panel_.Mostrar(mostrar, validar);
    // The resize shows the horizontal bar again when it is needed.
    if (mostrar) hScrollBar_->hide();
    for (QAction* a : {Menú("mnuVerErrores"), Botón("VerErrores")}) {
        if (!a) continue;
        QSignalBlocker bloqueo(a);
        a->setChecked(mostrar);
    }
    pctErrores_->setVisible(mostrar);
    pctBordeErrores_->setVisible(mostrar);
    if (mostrar) RellenarErrores();
    Form_Resize();
}

void frmPrincipal::RellenarErrores() {
    std::vector<LíneaErrores> líneas;
    for (const auto& e : panel_.Entradas())
        líneas.push_back({e.clave, QString::fromStdString(Utf8(e.texto)), e.imagen});
    trvErrores_->Llenar(líneas);
}

void frmPrincipal::IrAEntrada(const std::string& clave) {
    if (!panel_.IrACampo(clave)) return;
    // The field may already have been the sheet's: the keyboard goes back to it from the list.
    if (QWidget* w = vista_->Control(hoja1_.hoja.Foco())) w->setFocus(Qt::OtherFocusReason);
}

void frmPrincipal::closeEvent(QCloseEvent* e) {
    // The sheet closes first; a field that does not pass, or Cancel in the save question, keeps it open.
    if (!comandos_.Cerrar()) {
        e->ignore();
        return;
    }
    e->accept();
    QCoreApplication::quit();
}

// ---- the scroll bars in twips ---------------------------------------------------------------------------

int frmPrincipal::Desplazamiento::ValorV() const {
    return VistaHoja::Twips(v_.vScrollBar_->value());
}
void frmPrincipal::Desplazamiento::FijarV(int valor) {
    v_.vScrollBar_->setValue(VistaHoja::Px(valor));
}
int frmPrincipal::Desplazamiento::MínimoV() const {
    return VistaHoja::Twips(v_.vScrollBar_->minimum());
}
int frmPrincipal::Desplazamiento::MáximoV() const {
    return VistaHoja::Twips(v_.vScrollBar_->maximum());
}
int frmPrincipal::Desplazamiento::ValorH() const {
    return VistaHoja::Twips(v_.hScrollBar_->value());
}
void frmPrincipal::Desplazamiento::FijarH(int valor) {
    v_.hScrollBar_->setValue(VistaHoja::Px(valor));
}
int frmPrincipal::Desplazamiento::MínimoH() const {
    return VistaHoja::Twips(v_.hScrollBar_->minimum());
}
int frmPrincipal::Desplazamiento::MáximoH() const {
    return VistaHoja::Twips(v_.hScrollBar_->maximum());
}

} // namespace m817
