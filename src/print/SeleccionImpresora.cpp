#include "print/SeleccionImpresora.h"

#include "platform/Texto1252.h"

#include <algorithm>
#include <cmath>

namespace m817 {
namespace {

constexpr const char* kSinImpresoras = "No existe ninguna impresora instalada";
constexpr const char* kResoluciónInsuficiente =
    "La impresora no está configurada con la resolución mínima necesaria para generar la nube de puntos";

// The default-printer entry holds "name,driver,port": it belongs to the printer whose name and a
// comma begin it.
bool EsLaPredeterminada(const std::string& entrada, const std::string& nombre) {
    return entrada.size() > nombre.size() && entrada.compare(0, nombre.size(), nombre) == 0 &&
           entrada[nombre.size()] == ',';
}

std::optional<DatosImpresora> ImpresoraEn(const std::vector<std::optional<DatosImpresora>>& lista,
                                          int posición) {
    if (posición < 1 || posición > static_cast<int>(lista.size())) return std::nullopt;
    return lista[static_cast<std::size_t>(posición - 1)];
}

} // namespace

SelecciónImpresora::SelecciónImpresora(ServicioImpresoras& impresoras, ServicioMensajes& mensajes,
                                       ImpresorasElegidas& elegidas)
    : impresoras_(impresoras), mensajes_(mensajes), elegidas_(elegidas) {}

bool SelecciónImpresora::Cargar() {
    modo_ = kModoNinguno;
    cerrado_ = false;
    entradas_.clear();
    seleccionada_ = -1;
    const std::vector<std::optional<DatosImpresora>> instaladas = impresoras_.Instaladas();
    if (instaladas.empty()) {
        cerrado_ = true;
        mensajes_.Mostrar({W(kSinImpresoras), kTítuloAplicación, Icono::Exclamación, Botones::Aceptar});
        return false;
    }

    const std::string predeterminada = impresoras_.LeerPerfil("windows", "device", " ");
    const std::string sistema = impresoras_.PredeterminadaSistema();
    int porSistema = -1, integrada = -1;
    for (std::size_t i = 0; i < instaladas.size(); ++i) {
        if (!instaladas[i]) continue; // cannot be read: left out, but counted
        const DatosImpresora& d = *instaladas[i];
        const bool esPredeterminada = EsLaPredeterminada(predeterminada.substr(0, 100), d.nombre);
        entradas_.push_back({std::string("K").append(std::to_string(i + 1)), d.nombre,
                             esPredeterminada ? kIconoPredeterminada : kIconoImpresora});
        const int índice = static_cast<int>(entradas_.size()) - 1;
        if (esPredeterminada && seleccionada_ < 0) seleccionada_ = índice;
        if (d.nombre == sistema && porSistema < 0) porSistema = índice;
        if (d.integrada && integrada < 0) integrada = índice;
        // So that switching the default printer always finds its driver and port.
        impresoras_.EscribirPerfil("PrinterPorts", d.nombre, d.controlador + "," + d.puerto + ",15,45");
    }
    if (seleccionada_ < 0 && porSistema >= 0) {
        seleccionada_ = porSistema;
        entradas_[static_cast<std::size_t>(porSistema)].icono = kIconoPredeterminada;
    }
    if (seleccionada_ < 0) seleccionada_ = integrada;
    if (seleccionada_ < 0 && !entradas_.empty()) seleccionada_ = 0;
    if (seleccionada_ >= 0)
        elegidas_.ImpresoraAnterior = entradas_[static_cast<std::size_t>(seleccionada_)].texto;
    return true;
}

void SelecciónImpresora::Seleccionar(int índice) {
    seleccionada_ = índice >= 0 && índice < static_cast<int>(entradas_.size()) ? índice : -1;
}

void SelecciónImpresora::ElegirImpresora() {
    const EntradaImpresora& e = entradas_[static_cast<std::size_t>(seleccionada_)];
    impresoras_.EstablecerActual(std::stoi(e.clave.substr(1)));
    elegidas_.ImpresoraSeleccionada = e.texto;
}

void SelecciónImpresora::Cerrar() {
    cerrado_ = true;
    if (AlCerrar) AlCerrar();
}

void SelecciónImpresora::cmdBorrador_Click() {
    if (!BotonesHabilitados()) return;
    ElegirImpresora();
    modo_ = kModoBorrador;
    Cerrar();
}

void SelecciónImpresora::cmdOficial_Click() {
    if (!BotonesHabilitados()) return;
    ElegirImpresora();
    modo_ = kModoOficial;
    Cerrar();
}

void SelecciónImpresora::cmdCancelar_Click() {
    Cerrar();
}

void SelecciónImpresora::lvwImpresoras_DblClick(int índice) {
    Seleccionar(índice);
    cmdBorrador_Click();
}

void EstablecerImpresoraPredeterminada(ServicioImpresoras& impresoras, const std::string& nombre) {
    std::string puertos = impresoras.LeerPerfil("PrinterPorts", nombre, "");
    if (puertos.size() > 1024) puertos.resize(1024);
    const auto coma1 = puertos.find(',');
    const auto coma2 = coma1 == std::string::npos ? std::string::npos : puertos.find(',', coma1 + 1);
    const std::string controlador = coma1 == std::string::npos ? "" : puertos.substr(0, coma1);
    const std::string puerto = coma2 == std::string::npos ? "" : puertos.substr(coma1 + 1, coma2 - coma1 - 1);
    if (controlador.empty() || puerto.empty()) return;

    impresoras.EscribirPerfil("windows", "Device", nombre + "," + controlador + "," + puerto);
    const auto instaladas = impresoras.Instaladas();
    const auto actual = ImpresoraEn(instaladas, impresoras.Actual());
    if (actual && actual->nombre == nombre) return;
    for (std::size_t i = 0; i < instaladas.size(); ++i)
        if (instaladas[i] && instaladas[i]->nombre == nombre) {
            impresoras.EstablecerActual(static_cast<int>(i + 1));
            return;
        }
}

bool ComprobarImpresora(ServicioImpresoras& impresoras, ServicioMensajes& mensajes, int& resolución) {
    const auto instaladas = impresoras.Instaladas();
    if (instaladas.empty()) {
        MostrarError(mensajes, W(kSinImpresoras));
        return false;
    }
    const DatosImpresora actual = ImpresoraEn(instaladas, impresoras.Actual()).value_or(DatosImpresora{});
    int q = actual.calidad;
    // No resolution given, or only the medium or high class: the device pixel tells it.
    if (q == 0 || q < kCalidadBaja) {
        const double píxel = std::min(actual.anchoPíxel, actual.altoPíxel);
        if (píxel > 0) q = static_cast<int>(std::lround(kTwipsPorPulgada / píxel));
    }
    if (q < kResoluciónMínimaNube) {
        MostrarError(mensajes, W(kResoluciónInsuficiente));
        return false;
    }
    resolución = q;
    return true;
}

} // namespace m817
