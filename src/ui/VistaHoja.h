#pragma once
// The sheet drawn with Qt widgets from the layout table. It keeps no state of the
// return: every key, click and focus change goes to the model, and the widgets
// show what the model holds.
#include "model/Disposicion.h"
#include "model/HojaDeclaracion.h"

#include <QWidget>

#include <array>
#include <functional>
#include <string>

class QLineEdit;

namespace m817 {

class VistaHoja : public QWidget {
public:
    explicit VistaHoja(HojaDeclaración& hoja, QWidget* padre = nullptr);

    // Twips to logical pixels (15 twips a pixel at 100 %).
    static int Px(int twips) { return (twips + 7) / 15; }
    static int Twips(int px) { return px * 15; }

    QWidget* Control(IdCampo id) const { return controles_[id]; }
    HojaDeclaración& Hoja() { return hoja_; }

    // What the window offers the fields; while unset, that way in is off. The field's menu, at a point of the
    // screen; the paste of the primary selection (middle button); text dropped on a field (Windows-1252).
    std::function<void(const QPoint& global)> alMenúContextual;
    std::function<void()> alPegarSelección;
    std::function<void(const std::string& texto)> alSoltarTexto;

    // Called by the field widgets.
    void TeclaPulsada(IdCampo id, QKeyEvent* e);
    void TextoEntrante(IdCampo id, const QString& texto);
    void FocoRecibido(IdCampo id);
    void SelecciónPorRatón(IdCampo id, int ancla, int cursor);
    bool Tabulador(bool atrás);
    void EtiquetaPulsada(const QString& nombre, int índice);
    // A click on a text field (the result amounts choose their option).
    void CampoPulsado(IdCampo id);
    void MenúContextual(IdCampo id, const QPoint& global);
    void PegarSelección(IdCampo id);
    // Text dropped at caret position `posición` of the field: false when the field does not take it.
    bool AdmiteSoltar(IdCampo id) const;
    void SoltarTexto(IdCampo id, int posición, const QString& texto);

    // Applies what the model holds to every widget now (tests and start-up).
    void Sincronizar();

private:
    void Construir();
    void Pintar(IdCampo id);
    void PintarPendientes();
    void MoverFoco(IdCampo id);
    void Pitar();

    HojaDeclaración& hoja_;
    std::array<QWidget*, kNúmeroCampos> controles_{};
    std::array<bool, kNúmeroCampos> pendiente_{};
    std::array<unsigned, kNúmeroCampos> listaMostrada_{};
    bool hayPendientes_ = false;
    int enFoco_ = 0; // a focus change coming from the model is under way
};

} // namespace m817
