#include "ui/frmSeleccionarDeclaracion.h"

#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace m817 {

namespace {

QString Qt1252(std::string_view s) {
    return QString::fromStdString(Utf8(s));
}

Qt::Alignment Alinear(Alineación a) {
    switch (a) {
    case Alineación::Centro:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case Alineación::Derecha:
        return Qt::AlignRight | Qt::AlignVCenter;
    case Alineación::Izquierda:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

// The rows of the selection model as Qt's views read them: texts are converted only for the rows on screen,
// so a file of thousands of returns fills and sorts as fast as the model does.
class ModeloListaDeclaraciones final : public QAbstractTableModel {
  public:
    explicit ModeloListaDeclaraciones(const SelecciónDeclaraciones& s) : s_(s) {}

    int rowCount(const QModelIndex& padre) const override {
        return padre.isValid() ? 0 : static_cast<int>(s_.NúmeroFilas());
    }
    int columnCount(const QModelIndex& padre) const override {
        return padre.isValid() ? 0 : kColumnasSelección;
    }

    QVariant data(const QModelIndex& i, int rol) const override {
        if (!i.isValid()) return {};
        const int columna = i.column() + 1;
        if (rol == Qt::DisplayRole) return Qt1252(s_.Texto(static_cast<std::size_t>(i.row()), columna));
        if (rol == Qt::TextAlignmentRole)
            return Alinear(s_.Columnas()[static_cast<std::size_t>(i.column())].alineación).toInt();
        if (rol == Qt::UserRole) return s_.Registro(static_cast<std::size_t>(i.row()));
        return {};
    }

    QVariant headerData(int sección, Qt::Orientation o, int rol) const override {
        if (o != Qt::Horizontal || sección < 0 || sección >= kColumnasSelección) return {};
        const auto& c = s_.Columnas()[static_cast<std::size_t>(sección)];
        if (rol == Qt::DisplayRole) return Qt1252(c.encabezado);
        if (rol == Qt::TextAlignmentRole) return Alinear(c.alineación).toInt();
        return {};
    }

    // The model's rows change order: the views read them all again.
    void Reordenar(const std::function<void()>& cambio) {
        beginResetModel();
        cambio();
        endResetModel();
    }

  private:
    const SelecciónDeclaraciones& s_;
};

frmSeleccionarDeclaración::frmSeleccionarDeclaración(SelecciónDeclaraciones& modelo,
                                                     ServicioMensajes& mensajes, std::string título,
                                                     const std::string& botón, QWidget* padre)
    : QDialog(padre), modelo_(modelo), mensajes_(mensajes), título_(std::move(título)),
      lista_(std::make_unique<ModeloListaDeclaraciones>(modelo)) {
    setObjectName(QStringLiteral("frmSeleccionarDeclaración"));
    setWindowTitle(Qt1252(título_));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    lvwDeclaraciones = new QTreeView(this);
    lvwDeclaraciones->setObjectName(QStringLiteral("lvwDeclaraciones"));
    lvwDeclaraciones->setRootIsDecorated(false);
    lvwDeclaraciones->setUniformRowHeights(true);
    lvwDeclaraciones->setItemsExpandable(false);
    lvwDeclaraciones->setAllColumnsShowFocus(true);
    lvwDeclaraciones->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwDeclaraciones->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwDeclaraciones->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwDeclaraciones->setModel(lista_.get());

    // Widths are in twips, as the model gives them.
    modelo_.AnchoLista(kAnchoLista);
    const double píxelesPorTwip = logicalDpiX() / 1440.0;
    auto píxeles = [&](int twips) { return static_cast<int>(twips * píxelesPorTwip + 0.5); };
    QHeaderView* encabezado = lvwDeclaraciones->header();
    encabezado->setStretchLastSection(false);
    encabezado->setSectionsMovable(false);
    encabezado->setSectionsClickable(true);
    encabezado->setSortIndicatorShown(true);
    int anchoColumnas = 0;
    for (int c = 0; c < kColumnasSelección; ++c) {
        const int ancho = modelo_.Columnas()[static_cast<std::size_t>(c)].ancho;
        if (ancho <= 0) {
            lvwDeclaraciones->setColumnHidden(c, true);
        } else {
            // Never narrower than its caption, sort mark included: "Complementaria" does not fit 900 twips.
            const int px = std::max(píxeles(ancho), encabezado->sectionSizeHint(c));
            lvwDeclaraciones->setColumnWidth(c, px);
            anchoColumnas += px;
        }
    }
    // Wide enough for every column, with room for the vertical scroll bar of a long list.
    lvwDeclaraciones->setMinimumSize(anchoColumnas + 2 * lvwDeclaraciones->frameWidth() +
                                         lvwDeclaraciones->verticalScrollBar()->sizeHint().width(),
                                     píxeles(3600));

    cmdSeleccionar = new QPushButton(Qt1252(botón), this);
    cmdSeleccionar->setObjectName(QStringLiteral("cmdSeleccionar"));
    cmdSeleccionar->setDefault(true);
    cmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    cmdCancelar->setAutoDefault(false);

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdSeleccionar);
    botones->addWidget(cmdCancelar);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(lvwDeclaraciones);
    todo->addLayout(botones);

    connect(lvwDeclaraciones->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& actual) {
                if (actual.isValid()) modelo_.SeleccionarFila(static_cast<std::size_t>(actual.row()));
            });
    connect(lvwDeclaraciones, &QTreeView::doubleClicked, this, [this](const QModelIndex& i) {
        if (!i.isValid()) return;
        modelo_.SeleccionarFila(static_cast<std::size_t>(i.row()));
        Elegido();
    });
    connect(encabezado, &QHeaderView::sectionClicked, this, [this](int s) { Encabezado_Click(s); });
    connect(cmdSeleccionar, &QPushButton::clicked, this, [this] { Elegido(); });
    connect(cmdCancelar, &QPushButton::clicked, this, [this] { reject(); });
    connect(this, &QDialog::rejected, this, [this] { modelo_.Cancelar(); });

    MostrarSelección();
    lvwDeclaraciones->setFocus();
}

frmSeleccionarDeclaración::~frmSeleccionarDeclaración() {
    // The view lets go of the rows before they go.
    lvwDeclaraciones->setModel(nullptr);
}

int frmSeleccionarDeclaración::FilaActual() const {
    const QModelIndex i = lvwDeclaraciones->currentIndex();
    return i.isValid() ? i.row() : -1;
}

void frmSeleccionarDeclaración::Elegido() {
    if (modelo_.Elegir(mensajes_, título_)) accept();
}

void frmSeleccionarDeclaración::Encabezado_Click(int sección) {
    const int columna = sección + 1;
    if (columna < 1 || columna > kColumnasSelección ||
        modelo_.Columnas()[static_cast<std::size_t>(sección)].ancho <= 0)
        return;
    lista_->Reordenar([&] { modelo_.PulsarEncabezado(columna); });
    MostrarSelección();
}

void frmSeleccionarDeclaración::MostrarSelección() {
    if (modelo_.ColumnaOrden() > 0)
        lvwDeclaraciones->header()->setSortIndicator(
            modelo_.ColumnaOrden() - 1, modelo_.Descendente() ? Qt::DescendingOrder : Qt::AscendingOrder);
    const auto fila = modelo_.FilaSeleccionada();
    if (!fila) return;
    const QModelIndex i = lista_->index(static_cast<int>(*fila), 0);
    lvwDeclaraciones->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
    lvwDeclaraciones->scrollTo(i);
}

std::int32_t frmSeleccionarDeclaración::Elegir(QWidget* padre, const std::string& título,
                                               const std::string& botón, std::int32_t numRegistroActual,
                                               ServicioArchivos& archivos, const std::filesystem::path& datos,
                                               ServicioMensajes& mensajes) {
    SelecciónDeclaraciones modelo;
    if (!modelo.Cargar(archivos, RutaDeclaraciones(datos), mensajes, numRegistroActual)) return 0;
    frmSeleccionarDeclaración diálogo(modelo, mensajes, título, botón, padre);
    diálogo.exec();
    return modelo.NumRegistroSeleccionado();
}

} // namespace m817
