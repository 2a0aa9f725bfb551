#pragma once
// One copy of the program per user and data folder, over a local socket in a folder only the user can enter.
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
    // One copy per user and data folder: two copies that would save into the same returns see each other,
    // two users or two data folders do not.
    explicit InstanciaUnicaQt(const std::filesystem::path& carpetaDatosUsuario, QObject* padre = nullptr);
    ~InstanciaUnicaQt() override;

    // The first call decides and the answer holds for the life of the object; when
    // it is false this copy is the one listening, so keep the object alive.
    bool OtraInstanciaActiva() override;

    // The socket name: the user and a hash of the folder's absolute path.
    static QString NombreServidor(const std::filesystem::path& carpetaDatosUsuario);
    // The folder of the sockets, which only this user can enter: $XDG_RUNTIME_DIR, or a private folder of
    // the user in the temporary folder. Empty when neither can be trusted (another user made it).
    static QString CarpetaServidores();
    // The socket itself; empty as above.
    static QString RutaServidor(const std::filesystem::path& carpetaDatosUsuario);
    // Whether the other end of a connected local socket runs as this user.
    static bool MismoUsuario(qintptr descriptor);

  signals:
    // A later copy asked this one to raise its windows, and they were raised.
    void VentanasElevadas();

  private:
    void PedirQueSeEleve(QLocalSocket& socket);
    void Escuchar();
    void AtenderConexión();
    void LeerPetición(QLocalSocket* s);

    QString ruta_;
    QLocalServer* servidor_ = nullptr;
    std::optional<bool> otra_;
};

// Raises every top-level window of this program that is on screen (its title
// begins "Modelo 817"): first to the top, then restored if it was minimised.
void ElevarVentanasDelPrograma();

} // namespace m817
