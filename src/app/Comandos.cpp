#include "app/Comandos.h"

#include "platform/Texto1252.h"
#include "print/Impresion.h"

#include <exception>

namespace m817 {

bool EsLíneaDepuración(int argc, const char* const* argv) {
    return argc == 2 && argv[1] && std::string_view(argv[1]) == "d";
}

ComandosPrincipal::ComandosPrincipal(frmHoja1& hoja1, ServicioPortapapeles& portapapeles,
                                     ServicioAyuda& ayuda)
    : hoja1_(hoja1), portapapeles_(portapapeles), ayuda_(ayuda) {
    auto& o = operaciones;
    o.AbrirDeclaración = [&hoja1](std::int32_t n, std::int32_t m) { return hoja1.AbrirDeclaración(n, m); };
    o.GuardarDeclaración = [&hoja1](bool bPreguntar) { return hoja1.GuardarDeclaración(bPreguntar); };
    o.EliminarDeclaración = [&hoja1](std::int32_t n) { return hoja1.EliminarDeclaración(n); };
    o.ConfirmarGuardarCambios = [&hoja1] { return hoja1.ConfirmarGuardarCambios(); };
}

bool ComandosPrincipal::Disponible(Comando c) const {
    const auto& o = operaciones;
    switch (c) {
    case Comando::CopiarDeclaración:
    case Comando::Abrir:
        return o.SeleccionarDeclaración && o.AbrirDeclaración;
    case Comando::Guardar:
        return static_cast<bool>(o.GuardarDeclaración);
    case Comando::Eliminar:
        return o.SeleccionarDeclaración && o.EliminarDeclaración;
    case Comando::Imprimir:
        return static_cast<bool>(o.Imprimir);
    default:
        return true;
    }
}

void ComandosPrincipal::ConectarImpresión(ImpresiónDeclaración& impresión, bool depuración) {
    auto& a = impresión.acciones;
    a.ValidarÚltimoCampo = [this] { return hoja1_.ValidarÚltimoCampo(); };
    a.ValidarCampos = [this] {
        bool cancelar = false;
        hoja1_.ValidarCampos(kTodosLosCampos, -1, cancelar);
    };
    a.GuardarDeclaración = [this](bool bPreguntar) {
        return operaciones.GuardarDeclaración && operaciones.GuardarDeclaración(bPreguntar);
    };
    a.EjercicioDeclaración = [this] { return static_cast<int>(hoja1_.EjercicioDeclaración()); };
    operaciones.Imprimir = [&impresión] { impresión.Imprimir(); };
    if (depuración)
        operaciones.RegistroDepuración = [&impresión] { return impresión.CopiarRegistroImpresión(); };
}

std::int32_t ComandosPrincipal::RegistroActual() const {
    const std::string texto = Recortar(hoja1_.hoja.Texto(campos::edtIdDeclaración));
    std::int64_t n = 0;
    for (char c : texto) {
        if (c < '0' || c > '9') break;
        n = n * 10 + (c - '0');
        if (n > INT32_MAX) return 0;
    }
    return static_cast<std::int32_t>(n);
}

void ComandosPrincipal::NuevaDeclaración() {
    if (hoja1_.ValidarÚltimoCampo()) hoja1_.NuevaDeclaración();
}

void ComandosPrincipal::ConDiálogo(const std::function<void()>& pasos) {
    try {
        pasos();
    } catch (const std::exception& e) {
        hoja1_.mensajes.Mostrar(
            {e.what(), kTítuloAplicación, Icono::Ninguno, Botones::Aceptar, Respuesta::Aceptar});
    }
}

std::int32_t ComandosPrincipal::Seleccionar(std::string_view títuloUtf8, std::string_view botónUtf8) {
    return operaciones.SeleccionarDeclaración({W(títuloUtf8), W(botónUtf8), RegistroActual()});
}

void ComandosPrincipal::CopiarDesde() {
    if (!Disponible(Comando::CopiarDeclaración) || !hoja1_.ValidarÚltimoCampo()) return;
    ConDiálogo([this] {
        const std::int32_t n = Seleccionar("Copiar declaración desde...", "C&opiar");
        if (n == 0) return;
        // A copy that did not load (the user kept the return on screen) leaves that return as it was.
        if (operaciones.AbrirDeclaración(n, 0)) hoja1_.hoja.RegistroModificado = true;
    });
}

void ComandosPrincipal::Abrir() {
    if (!Disponible(Comando::Abrir) || !hoja1_.ValidarÚltimoCampo()) return;
    ConDiálogo([this] {
        const std::int32_t n = Seleccionar("Abrir declaración", "&Abrir");
        if (n != 0) operaciones.AbrirDeclaración(n, n);
    });
}

void ComandosPrincipal::Guardar() {
    if (!Disponible(Comando::Guardar) || !hoja1_.ValidarÚltimoCampo()) return;
    operaciones.GuardarDeclaración(true);
}

void ComandosPrincipal::Eliminar() {
    // The only file command that does not check the field being edited first.
    if (!Disponible(Comando::Eliminar)) return;
    ConDiálogo([this] {
        const std::int32_t n = Seleccionar("Eliminar declaración", "&Eliminar");
        if (n != 0) operaciones.EliminarDeclaración(n);
    });
}

void ComandosPrincipal::Imprimir() {
    if (operaciones.Imprimir) operaciones.Imprimir();
}

bool ComandosPrincipal::Cerrar() {
    if (!hoja1_.ValidarÚltimoCampo()) return false;
    return !operaciones.ConfirmarGuardarCambios || operaciones.ConfirmarGuardarCambios();
}

void ComandosPrincipal::Cortar() {
    HojaDeclaración& hoja = hoja1_.hoja;
    const IdCampo id = hoja.Foco();
    if (id == kNingúnCampo || hoja.SelLongitud(id) == 0) return;
    portapapeles_.Vaciar();
    portapapeles_.PonerTexto(hoja.SelTexto(id));
    // A locked or disabled field only gives its text away: cutting the locked exercise, say, would leave a
    // return that can neither be saved nor typed again.
    const auto& estado = hoja.Estado(id);
    if (!estado.habilitado || estado.bloqueado) return;
    hoja.BorrarSelección();
    hoja.RegistroModificado = true;
}

void ComandosPrincipal::Copiar() {
    const HojaDeclaración& hoja = hoja1_.hoja;
    const IdCampo id = hoja.Foco();
    if (id != kNingúnCampo && hoja.SelLongitud(id) > 0) {
        portapapeles_.Vaciar();
        portapapeles_.PonerTexto(hoja.SelTexto(id));
        return;
    }
    CopiarRegistroDepuración();
}

void ComandosPrincipal::CopiarRegistroDepuración() {
    if (!operaciones.RegistroDepuración) return;
    const std::string registro = operaciones.RegistroDepuración();
    portapapeles_.Vaciar();
    portapapeles_.PonerTexto(registro);
}

void ComandosPrincipal::Pegar() {
    if (hoja1_.hoja.Foco() == kNingúnCampo) return;
    // Any failure ends the paste quietly; what went in stays.
    try {
        std::string texto;
        if (portapapeles_.LeerTexto(texto)) PegarTexto(texto);
    } catch (...) {
    }
}

void ComandosPrincipal::PegarTexto(const std::string& texto) {
    if (hoja1_.hoja.Foco() == kNingúnCampo) return;
    try {
        if (!hoja1_.entrada.Pegar(texto)) hoja1_.mensajes.Pitido();
    } catch (...) {
    }
}

void ComandosPrincipal::PegarSelección() {
    std::string texto;
    if (portapapeles_.LeerSelección(texto)) PegarTexto(texto);
}

void ComandosPrincipal::SeleccionarTodo() {
    hoja1_.hoja.SeleccionarTodo();
}

void ComandosPrincipal::AyudaDelCampo() {
    const HojaDeclaración& hoja = hoja1_.hoja;
    const IdCampo id = hoja.Foco();
    const int contexto = id == kNingúnCampo ? 0 : hoja.Estado(id).contextoAyuda;
    if (contexto > 0)
        ayuda_.MostrarContexto(contexto);
    else
        ayuda_.MostrarTemas();
}

} // namespace m817
