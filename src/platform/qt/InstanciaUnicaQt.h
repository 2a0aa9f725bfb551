#pragma once
// One copy of the program per user and program folder, over a local socket.
// The first copy listens; a later one connects, asks it to raise its windows
// and is told to end.
#include "platform/InstanciaUnica.h"

#include <QObject>
#include <QString>

#include <filesystem>
#include <optional>

class QLocalServer;
class QLocalSocket;

namespace m817 {

class InstanciaUnicaQt final : public QObject, public ServicioInstancia {
    Q_OBJECT
  public:
    // Two installs in different folders are different programs and do not see each other.
    explicit InstanciaUnicaQt(const std::filesystem::path& carpetaPrograma, QObject* padre = nullptr);
    ~InstanciaUnicaQt() override;

    // The first call decides and the answer holds for the life of the object; when
    // it is false this copy is the one listening, so keep the object alive.
    bool OtraInstanciaActiva() override;

    // The socket name: the user and a hash of the folder's absolute path.
    static QString NombreServidor(const std::filesystem::path& carpetaPrograma);

  signals:
    // A later copy asked this one to raise its windows, and they were raised.
    void VentanasElevadas();

  private:
    void PedirQueSeEleve(QLocalSocket& socket);
    void Escuchar();
    void AtenderConexión();
    void LeerPetición(QLocalSocket* s);

    QString nombre_;
    QLocalServer* servidor_ = nullptr;
    std::optional<bool> otra_;
};

// Raises every top-level window of this program that is on screen (its title
// begins "Modelo 817"): first to the top, then restored if it was minimised.
void ElevarVentanasDelPrograma();

} // namespace m817
