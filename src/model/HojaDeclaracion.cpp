#include "model/HojaDeclaracion.h"

#include "platform/Texto1252.h"

#include <algorithm>

namespace m817 {

HojaDeclaración::HojaDeclaración() {
    for (IdCampo id = 0; id < kNúmeroCampos; ++id) {
        const auto& d = Definición(id);
        auto& c = campos_[id];
        if (d.calculado) {
            c.bloqueado = true;
            c.fondo = kFondoCalculado;
        }
        if (d.oculto) c.visible = false;
    }
    for (int i = 0; i <= 3; ++i) campos_[campos::edtCCCIng(i)].habilitado = false;
    campos_[campos::edtFechaImpresión].habilitado = false;
}

void HojaDeclaración::Redibujar(IdCampo id) {
    for (auto& f : alRedibujar_) f(id);
}

// ---- values ---------------------------------------------------------------------------

void HojaDeclaración::CambiarTexto(IdCampo id, std::string texto, int ancla, int cursor) {
    auto& c = campos_[id];
    bool cambia = c.texto != texto;
    if (cambia) c.texto = std::move(texto);
    // The program wrote the field (a return opened, a box formatted), even with the text it had: its last
    // edit is no longer the user's to undo.
    if (ediciones_ == 0 && id == deshacer_.campo) deshacer_ = {};
    int n = static_cast<int>(c.texto.size());
    c.ancla = std::clamp(ancla, 0, n);
    c.cursor = std::clamp(cursor, 0, n);
    Redibujar(id);
    if (cambia && eventos.Change) eventos.Change(id);
}

namespace {
int EntradaExacta(const std::vector<EntradaLista>& lista, const std::string& texto) {
    if (texto.empty()) return -1;
    std::string clave = Mayúsculas(texto);
    for (std::size_t i = 0; i < lista.size(); ++i)
        if (Mayúsculas(lista[i].texto) == clave) return static_cast<int>(i);
    return -1;
}
} // namespace

void HojaDeclaración::EscribirTexto(IdCampo id, const std::string& texto) {
    auto& c = campos_[id];
    if (Definición(id).tipo == TipoCampo::Lista) c.posición = EntradaExacta(c.lista, texto);
    // As a text box does, a text written by the program leaves the caret at the start.
    CambiarTexto(id, texto, 0, 0);
}

void HojaDeclaración::EscribirValor(IdCampo id, int valor) {
    if (Definición(id).tipo == TipoCampo::Opción) {
        if (valor) SeleccionarOpción(id);
        else if (campos_[id].valor) {
            campos_[id].valor = 0;
            Redibujar(id);
        }
        return;
    }
    auto& c = campos_[id];
    if (c.valor == valor) return;
    c.valor = valor;
    Redibujar(id);
    if (eventos.Click) eventos.Click(id);
}

void HojaDeclaración::SeleccionarOpción(IdCampo id) {
    if (campos_[id].valor) return;
    for (int n = 1; n <= 3; ++n) {
        IdCampo o = campos::optResultado(n);
        if (o != id && campos_[o].valor) {
            campos_[o].valor = 0;
            Redibujar(o);
        }
    }
    campos_[id].valor = 1;
    Redibujar(id);
    if (eventos.Click) eventos.Click(id);
}

void HojaDeclaración::QuitarOpciones() {
    for (int n = 1; n <= 3; ++n) {
        IdCampo o = campos::optResultado(n);
        if (campos_[o].valor) {
            campos_[o].valor = 0;
            Redibujar(o);
        }
    }
}

int HojaDeclaración::OpciónSeleccionada() const {
    for (int n = 1; n <= 3; ++n)
        if (campos_[campos::optResultado(n)].valor) return n;
    return 0;
}

// ---- lists ------------------------------------------------------------------------------

void HojaDeclaración::VaciarLista(IdCampo id) {
    EstablecerLista(id, {});
}

void HojaDeclaración::AñadirEntrada(IdCampo id, EntradaLista e) {
    auto& lista = campos_[id].lista;
    std::string clave = ClaveOrdenación(e.texto);
    auto dónde = std::upper_bound(lista.begin(), lista.end(), clave, [](const std::string& k, const EntradaLista& x) {
        return k < ClaveOrdenación(x.texto);
    });
    int pos = static_cast<int>(dónde - lista.begin());
    lista.insert(dónde, std::move(e));
    ++campos_[id].versiónLista;
    auto& sel = campos_[id].posición;
    if (sel >= pos) ++sel;
    Redibujar(id);
}

void HojaDeclaración::EstablecerLista(IdCampo id, std::vector<EntradaLista> entradas) {
    // One key per entry and one sort: what adding them one by one would give, without a key per comparison.
    std::vector<std::pair<std::string, std::size_t>> claves;
    claves.reserve(entradas.size());
    for (std::size_t i = 0; i < entradas.size(); ++i) claves.emplace_back(ClaveOrdenación(entradas[i].texto), i);
    std::stable_sort(claves.begin(), claves.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    auto& c = campos_[id];
    c.lista.clear();
    c.lista.reserve(entradas.size());
    for (const auto& [clave, i] : claves) c.lista.push_back(std::move(entradas[i]));
    ++c.versiónLista;
    c.posición = -1;
    CambiarTexto(id, "", 0, 0); // redraws
}

void HojaDeclaración::SeleccionarEntrada(IdCampo id, int posición) {
    auto& c = campos_[id];
    if (posición < -1 || posición >= static_cast<int>(c.lista.size())) posición = -1;
    bool elegida = posición >= 0 && posición != c.posición;
    c.posición = posición;
    std::string texto = posición >= 0 ? c.lista[posición].texto : std::string();
    int n = static_cast<int>(texto.size());
    CambiarTexto(id, std::move(texto), 0, n);
    if (elegida && eventos.Click) eventos.Click(id);
}

// ---- states -------------------------------------------------------------------------------

void HojaDeclaración::Habilitar(IdCampo id, bool sí) {
    if (campos_[id].habilitado == sí) return;
    campos_[id].habilitado = sí;
    Redibujar(id);
}

void HojaDeclaración::Bloquear(IdCampo id, bool sí) {
    if (campos_[id].bloqueado == sí) return;
    campos_[id].bloqueado = sí;
    Redibujar(id);
}

void HojaDeclaración::Mostrar(IdCampo id, bool sí) {
    if (campos_[id].visible == sí) return;
    campos_[id].visible = sí;
    Redibujar(id);
}

void HojaDeclaración::Colorear(IdCampo id, std::uint32_t fondoBGR) {
    if (campos_[id].fondo == fondoBGR) return;
    campos_[id].fondo = fondoBGR;
    Redibujar(id);
}

bool HojaDeclaración::EsBloqueado(IdCampo id) const {
    auto tipo = Definición(id).tipo;
    if (tipo == TipoCampo::Casilla || tipo == TipoCampo::Opción) return true;
    return campos_[id].bloqueado;
}

bool HojaDeclaración::PuedeRecibirFoco(IdCampo id) const {
    return id >= 0 && id < kNúmeroCampos && campos_[id].habilitado && campos_[id].visible;
}

// ---- caret and selection ---------------------------------------------------------------------

int HojaDeclaración::SelInicio(IdCampo id) const { return std::min(campos_[id].ancla, campos_[id].cursor); }

int HojaDeclaración::SelLongitud(IdCampo id) const {
    return std::abs(campos_[id].ancla - campos_[id].cursor);
}

std::string HojaDeclaración::SelTexto(IdCampo id) const {
    const auto& t = campos_[id].texto;
    int inicio = std::min(SelInicio(id), static_cast<int>(t.size()));
    return t.substr(inicio, SelLongitud(id));
}

void HojaDeclaración::EstablecerSelección(IdCampo id, int inicio, int longitud) {
    EstablecerCursor(id, inicio, inicio + longitud);
}

void HojaDeclaración::EstablecerCursor(IdCampo id, int ancla, int cursor) {
    auto& c = campos_[id];
    int n = static_cast<int>(c.texto.size());
    ancla = std::clamp(ancla, 0, n);
    cursor = std::clamp(cursor, 0, n);
    if (c.ancla == ancla && c.cursor == cursor) return;
    c.ancla = ancla;
    c.cursor = cursor;
    Redibujar(id);
}

void HojaDeclaración::ReemplazarSelección(IdCampo id, const std::string& texto) {
    const auto& c = campos_[id];
    int inicio = SelInicio(id);
    std::string nuevo = c.texto.substr(0, inicio) + texto + c.texto.substr(inicio + SelLongitud(id));
    Editar(id, std::move(nuevo), inicio + static_cast<int>(texto.size()));
}

void HojaDeclaración::Editar(IdCampo id, std::string texto, int cursor) {
    auto& c = campos_[id];
    if (Definición(id).tipo == TipoCampo::Lista) c.posición = EntradaExacta(c.lista, texto);
    CambiarTexto(id, std::move(texto), cursor, cursor);
}

// ---- what the user does -------------------------------------------------------------------------

bool HojaDeclaración::Enfocar(IdCampo destino) {
    if (destino == foco_) return true;
    if (destino != kNingúnCampo && !PuedeRecibirFoco(destino)) return false;
    IdCampo anterior = foco_;
    if (anterior != kNingúnCampo) {
        bool cancelar = false;
        if (eventos.Validate) eventos.Validate(anterior, cancelar);
        if (cancelar) {
            // The view may already show the other field: tell it where the focus stays.
            for (auto& f : alMoverFoco_) f(anterior);
            return false;
        }
    }
    foco_ = destino;
    deshacer_ = {}; // undo belongs to the field being edited
    if (anterior != kNingúnCampo && eventos.LostFocus) eventos.LostFocus(anterior);
    for (auto& f : alMoverFoco_) f(foco_);
    if (foco_ == destino && destino != kNingúnCampo && eventos.GotFocus) eventos.GotFocus(destino);
    return true;
}

IdCampo HojaDeclaración::SiguienteCampo(IdCampo desde, bool atrás) const {
    auto orden = OrdenFoco();
    int n = static_cast<int>(orden.size());
    auto it = std::find(orden.begin(), orden.end(), desde);
    int pos = it == orden.end() ? (atrás ? n : -1) : static_cast<int>(it - orden.begin());
    for (int paso = 1; paso <= n; ++paso) {
        int i = ((pos + (atrás ? -paso : paso)) % n + n) % n;
        if (PuedeRecibirFoco(orden[i])) return orden[i];
    }
    return kNingúnCampo;
}

bool HojaDeclaración::Tabular(bool atrás) {
    IdCampo siguiente = SiguienteCampo(foco_, atrás);
    return siguiente != kNingúnCampo && Enfocar(siguiente);
}

bool HojaDeclaración::InsertarCarácter(char c) {
    IdCampo id = foco_;
    if (id == kNingúnCampo) return false;
    const auto& d = Definición(id);
    if (d.tipo != TipoCampo::Texto && d.tipo != TipoCampo::Lista) return false;
    if (campos_[id].bloqueado) return false;
    int largo = static_cast<int>(campos_[id].texto.size()) - SelLongitud(id) + 1;
    if (d.tipo == TipoCampo::Texto && d.longitudMáxima > 0 && largo > d.longitudMáxima) return false;
    ReemplazarSelección(id, std::string(1, c));
    return true;
}

bool HojaDeclaración::Teclear(int KeyAscii) {
    IdCampo id = foco_;
    if (id == kNingúnCampo) return false;
    const TextoConCursor antes = EmpezarEdición(id);
    const bool aceptada = TeclearEnEdición(KeyAscii);
    AcabarEdición(id, antes, KeyAscii >= 32 && KeyAscii < 256);
    return aceptada;
}

bool HojaDeclaración::TeclearEnEdición(int KeyAscii) {
    IdCampo id = foco_;
    int k = KeyAscii;
    if (eventos.KeyPreview) eventos.KeyPreview(id, k);
    if (k == 0) return true; // taken by the sheet
    if (k == kCódigoRechazo) return false;
    if (k == kTeclaIntro) { // Enter moves on, as Tab does
        Tabular();
        return true;
    }
    tabuladorPendiente_ = false;
    if (eventos.KeyPress) eventos.KeyPress(id, k);
    bool aceptada = true;
    if (k == 0) {
        aceptada = true;
    } else if (k == kCódigoRechazo) {
        aceptada = false;
    } else if (k == kTeclaRetroceso) {
        const auto& c = campos_[id];
        if (!c.bloqueado && foco_ == id) {
            if (SelLongitud(id) > 0) ReemplazarSelección(id, "");
            else if (c.cursor > 0) {
                std::string t = c.texto;
                int cur = c.cursor;
                t.erase(cur - 1, 1);
                Editar(id, std::move(t), cur - 1);
            }
        }
    } else if (k >= 32 && k < 256 && foco_ == id) {
        aceptada = InsertarCarácter(static_cast<char>(k));
    }
    if (tabuladorPendiente_) {
        tabuladorPendiente_ = false;
        Tabular();
    }
    return aceptada;
}

void HojaDeclaración::EnviarTabulador() { tabuladorPendiente_ = true; }

namespace {
// Words are runs of characters between blanks, as a one-line text box counts them.
int PalabraAnterior(const std::string& t, int desde) {
    int i = desde;
    while (i > 0 && t[static_cast<std::size_t>(i - 1)] == ' ')
        --i;
    while (i > 0 && t[static_cast<std::size_t>(i - 1)] != ' ')
        --i;
    return i;
}
int PalabraSiguiente(const std::string& t, int desde) {
    int i = desde, n = static_cast<int>(t.size());
    while (i < n && t[static_cast<std::size_t>(i)] != ' ')
        ++i;
    while (i < n && t[static_cast<std::size_t>(i)] == ' ')
        ++i;
    return i;
}
} // namespace

void HojaDeclaración::PulsarTecla(TeclaEdición tecla, bool mayúsculas) {
    IdCampo id = foco_;
    if (id == kNingúnCampo) return;
    auto tipo = Definición(id).tipo;
    if (tipo != TipoCampo::Texto && tipo != TipoCampo::Lista) return;
    const TextoConCursor antes = EmpezarEdición(id);
    if (eventos.KeyDown) eventos.KeyDown(id, tecla);
    if (foco_ == id) {
        const auto& c = campos_[id];
        int n = static_cast<int>(c.texto.size());
        int inicio = SelInicio(id), fin = inicio + SelLongitud(id);
        auto mover = [&](int destino, int sinSelección) {
            if (mayúsculas)
                EstablecerCursor(id, c.ancla, destino);
            else
                EstablecerCursor(id, sinSelección, sinSelección);
        };
        switch (tecla) {
        case TeclaEdición::Izquierda:
            mover(std::max(0, c.cursor - 1), inicio == fin ? std::max(0, c.cursor - 1) : inicio);
            break;
        case TeclaEdición::Derecha:
            mover(std::min(n, c.cursor + 1), inicio == fin ? std::min(n, c.cursor + 1) : fin);
            break;
        case TeclaEdición::Inicio:
            mover(0, 0);
            break;
        case TeclaEdición::Fin:
            mover(n, n);
            break;
        case TeclaEdición::PalabraAnterior: {
            const int p = PalabraAnterior(c.texto, c.cursor);
            mover(p, p);
            break;
        }
        case TeclaEdición::PalabraSiguiente: {
            const int p = PalabraSiguiente(c.texto, c.cursor);
            mover(p, p);
            break;
        }
        case TeclaEdición::Suprimir:
            if (c.bloqueado) break;
            if (inicio != fin)
                ReemplazarSelección(id, "");
            else if (c.cursor < n) {
                std::string t = c.texto;
                int cur = c.cursor;
                t.erase(cur, 1);
                Editar(id, std::move(t), cur);
            }
            break;
        }
    }
    AcabarEdición(id, antes, false);
}

// ---- edits as one step, and their undo ----------------------------------------------------------------

HojaDeclaración::TextoConCursor HojaDeclaración::EmpezarEdición(IdCampo id) {
    ++ediciones_;
    return Foto(id);
}

void HojaDeclaración::AcabarEdición(IdCampo id, const TextoConCursor& antes, bool escritura) {
    --ediciones_;
    // An edit that moved the focus on (a full account box, Enter) is not this field's to undo.
    if (foco_ != id || campos_[id].texto == antes.texto) return;
    auto& d = deshacer_;
    const bool sigue = escritura && d.escritura && d.campo == id && antes.texto == d.después.texto &&
                       antes.ancla == d.después.ancla && antes.cursor == d.después.cursor;
    if (!sigue) {
        d.campo = id;
        d.antes = antes;
    }
    d.después = Foto(id);
    d.escritura = escritura;
}

bool HojaDeclaración::Pegar(const std::string& caracteres) {
    IdCampo id = foco_;
    if (id == kNingúnCampo) return false;
    const TextoConCursor antes = EmpezarEdición(id);
    bool rechazada = false;
    for (char c : caracteres) {
        if (foco_ != id) break;
        int k = static_cast<unsigned char>(c);
        if (eventos.KeyPreview) eventos.KeyPreview(id, k);
        if (k == kCódigoRechazo) {
            rechazada = true;
            continue;
        }
        // Line ends and tabs the filter lets through are keys, not characters of a one-line field.
        if (k < 32) continue;
        if (!InsertarCarácter(static_cast<char>(k))) rechazada = true;
    }
    AcabarEdición(id, antes, false);
    return !rechazada;
}

void HojaDeclaración::BorrarSelección() {
    IdCampo id = foco_;
    if (id == kNingúnCampo || SelLongitud(id) == 0) return;
    const TextoConCursor antes = EmpezarEdición(id);
    ReemplazarSelección(id, "");
    AcabarEdición(id, antes, false);
}

void HojaDeclaración::SeleccionarTodo() {
    if (foco_ == kNingúnCampo) return;
    EstablecerCursor(foco_, 0, static_cast<int>(campos_[foco_].texto.size()));
}

bool HojaDeclaración::Deshacer() {
    IdCampo id = foco_;
    if (id == kNingúnCampo || deshacer_.campo != id) return false;
    const auto& c = campos_[id];
    if (c.bloqueado || !c.habilitado || c.texto != deshacer_.después.texto) return false;
    const TextoConCursor actual = Foto(id);
    const TextoConCursor vuelta = deshacer_.antes;
    ++ediciones_;
    if (Definición(id).tipo == TipoCampo::Lista) campos_[id].posición = EntradaExacta(c.lista, vuelta.texto);
    CambiarTexto(id, vuelta.texto, vuelta.ancla, vuelta.cursor);
    --ediciones_;
    if (foco_ != id) return true;
    // One level: undoing again puts the edit back.
    deshacer_.antes = actual;
    deshacer_.después = Foto(id);
    deshacer_.escritura = false;
    RegistroModificado = true;
    return true;
}

void HojaDeclaración::ElegirEntrada(IdCampo id, int posición) {
    if (foco_ != id && !Enfocar(id)) return;
    if (campos_[id].bloqueado) return;
    SeleccionarEntrada(id, posición);
}

void HojaDeclaración::AbrirDesplegable(IdCampo id) {
    if (eventos.DropDown) eventos.DropDown(id);
}

void HojaDeclaración::Pulsar(IdCampo id) {
    if (!PuedeRecibirFoco(id)) return;
    if (foco_ != id && !Enfocar(id)) return;
    auto tipo = Definición(id).tipo;
    if (tipo == TipoCampo::Casilla) EscribirValor(id, campos_[id].valor ? 0 : 1);
    else if (tipo == TipoCampo::Opción) SeleccionarOpción(id);
    else if (tipo == TipoCampo::Texto && eventos.Click) eventos.Click(id);
}

void HojaDeclaración::CargarEjercicio(std::int16_t Ejercicio) {
    EscribirTexto(campos::edtEjercicio, std::to_string(Ejercicio));
}

// ---- the sheet as a whole -------------------------------------------------------------------------

InstantáneaHoja HojaDeclaración::Instantánea() const {
    InstantáneaHoja s;
    s.campos = campos_;
    s.foco = foco_;
    s.RegistroModificado = RegistroModificado;
    s.BaseAnterior = BaseAnterior;
    s.TipoAnterior = TipoAnterior;
    s.bSuspenderRecalculo = bSuspenderRecalculo;
    s.bRecalculando = bRecalculando;
    s.bCambioInterno = bCambioInterno_;
    s.provinciaDeMunicipios = provinciaDeMunicipios_;
    s.sPeriodoResultado = sPeriodoResultado;
    return s;
}

void HojaDeclaración::Restablecer(const InstantáneaHoja& s) {
    for (IdCampo id = 0; id < kNúmeroCampos; ++id) {
        auto& c = campos_[id];
        const auto& o = s.campos[id];
        // A list that changed since the snapshot is put back under a version never used, so that a view that
        // drew it reloads it; the lists loaded once keep their version and are not copied.
        if (c.versiónLista != o.versiónLista) {
            const unsigned versión = c.versiónLista + 1;
            c.lista = o.lista;
            c.versiónLista = versión;
        }
        c.texto = o.texto;
        c.valor = o.valor;
        c.posición = o.posición;
        c.habilitado = o.habilitado;
        c.bloqueado = o.bloqueado;
        c.visible = o.visible;
        c.fondo = o.fondo;
        c.ancla = o.ancla;
        c.cursor = o.cursor;
        c.contextoAyuda = o.contextoAyuda;
    }
    RegistroModificado = s.RegistroModificado;
    BaseAnterior = s.BaseAnterior;
    TipoAnterior = s.TipoAnterior;
    bSuspenderRecalculo = s.bSuspenderRecalculo;
    bRecalculando = s.bRecalculando;
    bCambioInterno_ = s.bCambioInterno;
    provinciaDeMunicipios_ = s.provinciaDeMunicipios;
    sPeriodoResultado = s.sPeriodoResultado;
    foco_ = kNingúnCampo;
    tabuladorPendiente_ = false;
    for (IdCampo id = 0; id < kNúmeroCampos; ++id) Redibujar(id);
    if (s.foco != kNingúnCampo && PuedeRecibirFoco(s.foco)) Enfocar(s.foco);
}

} // namespace m817
