#include "validation/ListaErrores.h"

#include "platform/Texto1252.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace m817 {
namespace {

// Built on first use: W() relies on tables of another file.
const std::string& TextoSinErrores() {
    static const std::string texto = W("Declaración sin errores");
    return texto;
}

// Buttons of each classic style number, in the order the default-button bits count them.
struct FormaBotones {
    Botones botones;
    std::array<Respuesta, 3> orden;
    int cuántos;
};

FormaBotones BotonesDeEstilo(int estilo) {
    switch (estilo % 16) {
    case 1:
        return {Botones::AceptarCancelar, {Respuesta::Aceptar, Respuesta::Cancelar}, 2};
    case 3:
        return {Botones::SíNoCancelar, {Respuesta::Sí, Respuesta::No, Respuesta::Cancelar}, 3};
    case 4:
        return {Botones::SíNo, {Respuesta::Sí, Respuesta::No}, 2};
    default:
        return {Botones::Aceptar, {Respuesta::Aceptar}, 1};
    }
}

Icono IconoDeEstilo(int estilo) {
    switch (estilo & 0x70) {
    case 16:
        return Icono::Crítico;
    case 32:
        return Icono::Pregunta;
    case 48:
        return Icono::Exclamación;
    case 64:
        return Icono::Información;
    default:
        return Icono::Ninguno;
    }
}

int CódigoBotón(Respuesta r) {
    switch (r) {
    case Respuesta::Aceptar:
        return ListaErrores::kBotónAceptar;
    case Respuesta::Cancelar:
        return ListaErrores::kBotónCancelar;
    case Respuesta::Sí:
        return ListaErrores::kBotónSí;
    case Respuesta::No:
        return ListaErrores::kBotónNo;
    }
    return ListaErrores::kBotónCancelar;
}

} // namespace

std::string ListaErrores::TextoEntrada(int orden, const std::string& mensaje) {
    std::string número = std::to_string(std::abs(static_cast<long>(orden)));
    if (número.size() < 4) número.insert(0, 4 - número.size(), '0');
    if (orden < 0) número.insert(0, 1, '-');
    return número + " " + mensaje;
}

int ListaErrores::AnotarError(int tipo, const std::string& clave, const std::string& mensaje, int orden,
                              int estilo) {
    if (tipo == kTipoCorrecto) {
        bool cambiado = Quitar(clave);
        if (entradas_.empty()) {
            entradas_.push_back({kClaveSinErrores, TextoSinErrores(), kImagenSinErrores});
            cambiado = true;
        }
        if (cambiado) Avisar();
        return -1;
    }

    Entrada nueva{clave, TextoEntrada(orden, mensaje), tipo + 1};
    auto it =
        std::find_if(entradas_.begin(), entradas_.end(), [&](const Entrada& e) { return e.clave == clave; });
    bool cambiado = true;
    if (it == entradas_.end()) {
        entradas_.push_back(std::move(nueva));
    } else if (it->texto != nueva.texto || it->imagen != nueva.imagen) {
        it->texto = std::move(nueva.texto);
        it->imagen = nueva.imagen;
    } else {
        cambiado = false;
    }
    const int botón = estilo >= 0 ? MostrarMensaje(mensaje, estilo) : -1;
    if (Quitar(kClaveSinErrores)) cambiado = true;
    if (cambiado) Avisar();
    return botón;
}

void ListaErrores::Restablecer(const std::vector<Entrada>& entradas) {
    if (entradas == entradas_) return;
    entradas_ = entradas;
    Avisar();
}

const ListaErrores::Entrada* ListaErrores::Buscar(const std::string& clave) const {
    auto it =
        std::find_if(entradas_.begin(), entradas_.end(), [&](const Entrada& e) { return e.clave == clave; });
    return it == entradas_.end() ? nullptr : &*it;
}

int ListaErrores::AlCambiar(Oyente oyente) {
    oyentes_.emplace_back(siguienteOyente_, std::move(oyente));
    return siguienteOyente_++;
}

void ListaErrores::QuitarOyente(int id) {
    std::erase_if(oyentes_, [id](const auto& o) { return o.first == id; });
}

bool ListaErrores::Hay(int imagen) const {
    return std::any_of(entradas_.begin(), entradas_.end(),
                       [imagen](const Entrada& e) { return e.imagen == imagen; });
}

bool ListaErrores::Quitar(const std::string& clave) {
    return std::erase_if(entradas_, [&](const Entrada& e) { return e.clave == clave; }) > 0;
}

int ListaErrores::MostrarMensaje(const std::string& mensaje, int estilo) {
    const FormaBotones forma = BotonesDeEstilo(estilo);
    const int predeterminado = std::min((estilo & 0x300) >> 8, forma.cuántos - 1);
    const Mensaje m{mensaje, kTítuloAplicación, IconoDeEstilo(estilo), forma.botones,
                    forma.orden[static_cast<std::size_t>(predeterminado)]};
    return CódigoBotón(mensajes_.Mostrar(m));
}

void ListaErrores::Avisar() {
    // A copy: a listener may register or remove listeners while being told.
    const auto oyentes = oyentes_;
    for (const auto& oyente : oyentes)
        if (oyente.second) oyente.second();
}

} // namespace m817
