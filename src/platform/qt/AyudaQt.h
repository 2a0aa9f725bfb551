#pragma once
// The help viewer: a window with the help document in a text browser, beside a topic finder with its
// contents and its index. One window serves every request; it is raised and moved to the topic asked for.
#include "platform/Ayuda.h"

#include <QPointer>
#include <QWidget>

#include <filesystem>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;

namespace m817 {

class VentanaAyuda final : public QWidget {
  public:
    explicit VentanaAyuda(const std::filesystem::path& archivo, QWidget* padre = nullptr);

    void IrAAncla(const QString& ancla);
    void MostrarBuscador();

    QTextBrowser* Documento() const { return documento_; }
    QTabWidget* Pestañas() const { return pestañas_; }
    QTreeWidget* Contenido() const { return contenido_; }
    QListWidget* Índice() const { return índice_; }
    QLineEdit* Buscar() const { return buscar_; }
    // The anchor last moved to.
    const QString& AnclaActual() const { return ancla_; }

  private:
    void Cargar();
    void FiltrarÍndice(const QString& texto);

    std::filesystem::path archivo_;
    QTextBrowser* documento_;
    QTabWidget* pestañas_;
    QTreeWidget* contenido_;
    QListWidget* índice_;
    QLineEdit* buscar_;
    QString ancla_;
};

class AyudaQt final : public ServicioAyuda {
  public:
    AyudaQt(std::filesystem::path archivo, QWidget* padre = nullptr)
        : archivo_(std::move(archivo)), padre_(padre) {}
    ~AyudaQt() override;
    void EstablecerArchivo(std::filesystem::path archivo) { archivo_ = std::move(archivo); }

    void MostrarContexto(int contexto) override;
    void MostrarTemas() override;

    // The window, once help has been asked for.
    VentanaAyuda* Ventana() const { return ventana_; }

  private:
    VentanaAyuda& Abrir();

    std::filesystem::path archivo_;
    QPointer<QWidget> padre_;
    QPointer<VentanaAyuda> ventana_;
};

} // namespace m817
