#pragma once
// The main window: menus, toolbar, the sheet inside a frame moved by two scroll bars, and the error panel at
// the bottom. What its commands do is in app/Comandos.h and the panel's rules in app/PanelErrores.h; this
// window draws them and connects its actions to them.
#include "app/Comandos.h"
#include "app/Hoja.h"
#include "app/PanelErrores.h"

#include <QMainWindow>

#include <map>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QScrollBar;
class QToolBar;
class QToolButton;
class QWheelEvent;

namespace m817 {

class AyudaQt;
class BordeErrores;
class PortapapelesQt;
class VistaHoja;
class ÁrbolErrores;

class frmPrincipal : public QMainWindow {
  public:
    // With the system clipboard and the help window over the program's help document.
    explicit frmPrincipal(frmHoja1& hoja1, QWidget* padre = nullptr);
    frmPrincipal(frmHoja1& hoja1, ServicioPortapapeles& portapapeles, ServicioAyuda& ayuda,
                 QWidget* padre = nullptr);
    ~frmPrincipal() override;

    frmHoja1& Hoja1() { return hoja1_; }
    ComandosPrincipal& Comandos() { return comandos_; }
    PanelErrores& Panel() { return panel_; }
    // The help viewer when the window made its own (null when one was handed in).
    AyudaQt* Ayuda() const { return ayudaQt_.get(); }

    VistaHoja* Vista() const { return vista_; }
    QScrollBar* vScrollBar() const { return vScrollBar_; }
    QScrollBar* hScrollBar() const { return hScrollBar_; }
    QWidget* Marco() const { return marco_; }
    QToolBar* tlbPrincipal() const { return tlbPrincipal_; }
    QWidget* pctErrores() const { return pctErrores_; }
    BordeErrores* pctBordeErrores() const { return pctBordeErrores_; }
    ÁrbolErrores* trvErrores() const { return trvErrores_; }
    // A menu item by its control name ("mnuAbrir", "mnuVerErrores", ...), a toolbar button's action by its
    // key ("Abrir", "VerErrores", and "NuevaDeclaración" / "CopiarDeclaración" of the drop-down).
    QAction* Menú(const QString& nombre) const;
    QAction* Botón(const QString& clave) const;

    void vScrollBar_Change();
    void hScrollBar_Change();
    // Lays out the frame: minimum size, error panel, scroll bars, the sheet's place, the focused field in
    // view.
    void Form_Resize();

    // The check of the sheet's field with the focus, which a menu or a button may have skipped.
    bool ValidarÚltimoCampo() { return hoja1_.ValidarÚltimoCampo(); }
    // Shows or hides the error panel, with the whole-return check first when both are true.
    void MostrarPanelErrores(bool mostrar, bool validar);
    // Enables the commands whose operations exist (after one has been wired in Comandos().operaciones).
    void ActualizarComandos();

    // F6: from the sheet to the error list (shown first if hidden) and back.
    void AlternarPanelErrores();

  protected:
    bool eventFilter(QObject* objeto, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    // The scroll bars as the sheet's field entry sees them, in twips.
    class Desplazamiento final : public DesplazamientoHoja {
      public:
        explicit Desplazamiento(frmPrincipal& v) : v_(v) {}
        int ValorV() const override;
        void FijarV(int valor) override;
        int MínimoV() const override;
        int MáximoV() const override;
        int ValorH() const override;
        void FijarH(int valor) override;
        int MínimoH() const override;
        int MáximoH() const override;
        int AltoVisible() const override { return v_.altoVisible_; }
        int AnchoVisible() const override { return v_.anchoVisible_; }

      private:
        frmPrincipal& v_;
    };

    void Construir();
    void CrearMenús();
    void CrearMenúArchivo(QMenuBar* barra);
    void CrearMenúEdición(QMenuBar* barra);
    void CrearMenúVer(QMenuBar* barra);
    void CrearMenúAyuda(QMenuBar* barra);
    // Keys of the sheet that are commands too: Shift+Insert pastes, F1 opens the field's topic, F6 the errors.
    void CrearAtajosHoja();
    void CrearBarra();
    void Form_Load();
    void RellenarErrores();
    void IrAEntrada(const std::string& clave);
    void CrearMenúCampo();
    void MostrarMenúCampo(const QPoint& global);
    // The window's first size and place: as much of the sheet as the screen it opens on allows, centred.
    void ColocarAlInicio();
    // The wheel over the sheet scrolls it (with Shift, sideways).
    bool RuedaSobreHoja(QWheelEvent* e);
    QAction* NuevaAcción(const QString& texto, const QString& nombre, Comando c,
                         void (ComandosPrincipal::*orden)());

    frmHoja1& hoja1_;
    std::unique_ptr<PortapapelesQt> portapapelesQt_;
    std::unique_ptr<AyudaQt> ayudaQt_;
    ComandosPrincipal comandos_;
    PanelErrores panel_;
    Desplazamiento desplazamiento_{*this};

    QWidget* interior_ = nullptr;
    QWidget* marco_ = nullptr;
    VistaHoja* vista_ = nullptr;
    QScrollBar* vScrollBar_ = nullptr;
    QScrollBar* hScrollBar_ = nullptr;
    QWidget* esquina_ = nullptr; // the square between the two bars
    QMenu* menúCampo_ = nullptr;
    BordeErrores* pctBordeErrores_ = nullptr;
    QWidget* pctErrores_ = nullptr;
    ÁrbolErrores* trvErrores_ = nullptr;
    QToolBar* tlbPrincipal_ = nullptr;
    QToolButton* botónNuevo_ = nullptr;
    std::map<QString, QAction*> menús_;
    std::map<QString, QAction*> botones_;
    std::vector<std::pair<Comando, QAction*>> acciones_;
    int oyenteErrores_ = 0;
    bool erroresPendientes_ = false;
    int altoVisible_ = 0; // twips of the sheet in view, as the last resize left them
    int anchoVisible_ = 0;
};

} // namespace m817
