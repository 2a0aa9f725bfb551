#include "platform/qt/AyudaQt.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <vector>

namespace m817 {

namespace {

constexpr int kAncla = Qt::UserRole;

// Case and accents do not matter when looking a word up in the index.
QString Plegar(const QString& s) {
    QString d = s.normalized(QString::NormalizationForm_D);
    QString r;
    r.reserve(d.size());
    for (QChar c : d)
        if (c.category() != QChar::Mark_NonSpacing) r += c.toCaseFolded();
    return r;
}

} // namespace

VentanaAyuda::VentanaAyuda(const std::filesystem::path& archivo, QWidget* padre)
    : QWidget(padre, Qt::Window), archivo_(archivo) {
    setObjectName("VentanaAyuda");
    setWindowTitle("Ayuda del Modelo 817");

    documento_ = new QTextBrowser;
    documento_->setObjectName("documento");
    documento_->setOpenExternalLinks(false);

    contenido_ = new QTreeWidget;
    contenido_->setObjectName("contenido");
    contenido_->setHeaderHidden(true);
    contenido_->setColumnCount(1);

    buscar_ = new QLineEdit;
    buscar_->setObjectName("buscar");
    buscar_->setPlaceholderText("Escriba la palabra que busca");
    índice_ = new QListWidget;
    índice_->setObjectName("indice");
    auto* páginaÍndice = new QWidget;
    auto* columna = new QVBoxLayout(páginaÍndice);
    columna->setContentsMargins(4, 4, 4, 4);
    columna->addWidget(new QLabel("&Escriba las primeras letras:"));
    columna->addWidget(buscar_);
    columna->addWidget(índice_);
    static_cast<QLabel*>(columna->itemAt(0)->widget())->setBuddy(buscar_);

    pestañas_ = new QTabWidget;
    pestañas_->setObjectName("buscador");
    pestañas_->addTab(contenido_, "&Contenido");
    pestañas_->addTab(páginaÍndice, "Í&ndice");

    auto* división = new QSplitter(Qt::Horizontal);
    división->addWidget(pestañas_);
    división->addWidget(documento_);
    división->setStretchFactor(0, 0);
    división->setStretchFactor(1, 1);
    división->setSizes({260, 620});
    auto* marco = new QHBoxLayout(this);
    marco->setContentsMargins(0, 0, 0, 0);
    marco->addWidget(división);
    resize(900, 620);

    auto abrir = [this](const QString& ancla) {
        if (!ancla.isEmpty()) IrAAncla(ancla);
    };
    QObject::connect(contenido_, &QTreeWidget::itemActivated, this,
                     [abrir](QTreeWidgetItem* i) { abrir(i->data(0, kAncla).toString()); });
    QObject::connect(contenido_, &QTreeWidget::itemClicked, this,
                     [abrir](QTreeWidgetItem* i) { abrir(i->data(0, kAncla).toString()); });
    QObject::connect(índice_, &QListWidget::itemActivated, this,
                     [abrir](QListWidgetItem* i) { abrir(i->data(kAncla).toString()); });
    QObject::connect(buscar_, &QLineEdit::textEdited, this, [this](const QString& t) { FiltrarÍndice(t); });
    QObject::connect(buscar_, &QLineEdit::returnPressed, this, [this, abrir] {
        if (auto* i = índice_->currentItem()) abrir(i->data(kAncla).toString());
    });
    Cargar();
}

void VentanaAyuda::Cargar() {
    QFile f(QString::fromStdString(archivo_.string()));
    if (!f.open(QIODevice::ReadOnly)) {
        documento_->setPlainText("No se encuentra el archivo de ayuda " + f.fileName() + ".");
        return;
    }
    const QByteArray html = f.readAll();
    f.close();
    documento_->setSource(QUrl::fromLocalFile(f.fileName()));
    if (!documento_->documentTitle().isEmpty()) setWindowTitle(documento_->documentTitle());

    const TemasAyuda temas =
        LeerTemasAyuda(std::string_view(html.constData(), static_cast<std::size_t>(html.size())));
    std::vector<QTreeWidgetItem*> padres;
    for (const auto& t : temas.contenido) {
        const int nivel = std::min<int>(t.nivel, static_cast<int>(padres.size()));
        padres.resize(static_cast<std::size_t>(nivel));
        auto* item = padres.empty() ? new QTreeWidgetItem(contenido_) : new QTreeWidgetItem(padres.back());
        item->setText(0, QString::fromStdString(t.texto));
        item->setData(0, kAncla, QString::fromStdString(t.ancla));
        padres.push_back(item);
    }
    contenido_->expandAll();
    for (const auto& t : temas.índice) {
        auto* item = new QListWidgetItem(QString::fromStdString(t.texto), índice_);
        item->setData(kAncla, QString::fromStdString(t.ancla));
    }
}

void VentanaAyuda::FiltrarÍndice(const QString& texto) {
    const QString buscado = Plegar(texto.trimmed());
    for (int i = 0; i < índice_->count(); ++i) {
        if (Plegar(índice_->item(i)->text()).startsWith(buscado)) {
            índice_->setCurrentRow(i);
            índice_->scrollToItem(índice_->item(i), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void VentanaAyuda::IrAAncla(const QString& ancla) {
    ancla_ = ancla;
    documento_->scrollToAnchor(ancla);
}

void VentanaAyuda::MostrarBuscador() {
    pestañas_->setCurrentIndex(0);
    IrAAncla("contenido");
    contenido_->setFocus();
}

AyudaQt::~AyudaQt() {
    if (ventana_ && !ventana_->parent()) delete ventana_.data();
}

VentanaAyuda& AyudaQt::Abrir() {
    if (!ventana_) ventana_ = new VentanaAyuda(archivo_, padre_);
    ventana_->show();
    if (ventana_->isMinimized()) ventana_->showNormal();
    ventana_->raise();
    ventana_->activateWindow();
    return *ventana_;
}

void AyudaQt::MostrarContexto(int contexto) {
    VentanaAyuda& v = Abrir();
    v.IrAAncla(QString::fromStdString(AnclaContexto(contexto)));
}

void AyudaQt::MostrarTemas() {
    Abrir().MostrarBuscador();
}

} // namespace m817
