#pragma once
// Message boxes on screen. Button texts come from Qt's Spanish translation,
// installed by PrepararAplicación.
#include "platform/Mensajes.h"

#include <QPointer>
#include <QWidget>

namespace m817 {

class MensajesQt final : public ServicioMensajes {
  public:
    explicit MensajesQt(QWidget* padre = nullptr) : padre_(padre) {}
    // The window the boxes are centred on and modal to (the main window once it exists).
    void EstablecerPadre(QWidget* padre) { padre_ = padre; }

    Respuesta Mostrar(const Mensaje& m) override;
    void Pitido() override;

  private:
    QPointer<QWidget> padre_;
};

} // namespace m817
