#include "store/SeleccionDeclaraciones.h"

#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace m817 {

namespace {

using enum CampoRegistro;
using namespace std::string_view_literals;

// Where each stored field a row shows sits in the row, in this order.
constexpr std::array<CampoRegistro, 7> kCamposFila = {
    NIF, Nombre, Ejercicio, Periodo, Complementaria, FechaImpresión, NúmeroJustificante};
struct Trozo {
    std::size_t posición, ancho;
};
constexpr std::array<Trozo, 7> kTrozosFila = {
    {{0, 9}, {9, 75}, {84, 4}, {88, 2}, {90, 1}, {91, 10}, {101, 13}}};
constexpr std::size_t kNIF = 0, kNombre = 1, kEjercicio = 2, kPeriodo = 3, kComplementaria = 4, kFecha = 5,
                      kJustificante = 6;

// The widest text of each column. When rows are sorted by several columns in turn, each text counts as padded
// to its column's width with zero bytes, which sort before any character, as a shorter text does: so the
// columns laid end to end sort as the columns one after the other.
constexpr std::array<std::size_t, kColumnasSelección> kAnchoColumna = {9, 75, 4, 2, 1, 7, 10, 13};

std::string_view SinBlancos(std::string_view s) {
    // Names are mostly padding: skip it eight blanks at a time.
    constexpr std::uint64_t kOchoBlancos = 0x2020202020202020;
    std::uint64_t palabra = 0;
    while (s.size() >= 8 && (std::memcpy(&palabra, s.data() + s.size() - 8, 8), palabra == kOchoBlancos))
        s.remove_suffix(8);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    return s;
}

// The list compares texts as the platform's list control does: letter case and accents aside.
const std::array<unsigned char, 256>& TablaOrden() {
    static const std::array<unsigned char, 256> tabla = [] {
        std::array<unsigned char, 256> t{};
        for (int c = 0; c < 256; ++c)
            t[static_cast<std::size_t>(c)] =
                static_cast<unsigned char>(ClaveOrdenación(std::string(1, static_cast<char>(c)))[0]);
        return t;
    }();
    return tabla;
}

std::uint64_t GrandeFinal(const unsigned char* p) {
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i)
        v = v << 8 | p[i];
    return v;
}

// Sort entries: the first 24 bytes of the row's key as three numbers, which settle nearly every comparison
// without touching the keys, the row's present position, and the row.
constexpr std::size_t kPalabras = 3;
struct Elemento {
    std::array<std::uint64_t, kPalabras> prefijo;
    std::uint32_t posición, fila;
};

unsigned Byte(const Elemento& e, std::size_t k) {
    return static_cast<unsigned>(e.prefijo[k / 8] >> (56 - 8 * (k % 8))) & 0xFFu;
}

// Distributes by the prefix bytes from k on, the first byte first; what the bytes cannot separate (a small
// bucket, or equal prefixes) goes to the full comparison. The result is the one std::sort gives with `menor`,
// which orders all entries strictly; it is only faster, as a click on a list of thousands of rows needs.
template <class Menor>
void OrdenarPorBytes(Elemento* a, Elemento* aux, std::size_t n, std::size_t k, const Menor& menor) {
    std::array<std::uint32_t, 256> cuenta;
    for (;; ++k) {
        if (n <= 32 || k == 8 * kPalabras) {
            std::sort(a, a + n, menor);
            return;
        }
        cuenta.fill(0);
        for (std::size_t i = 0; i < n; ++i)
            ++cuenta[Byte(a[i], k)];
        if (cuenta[Byte(a[0], k)] != n) break; // all share this byte: look at the next one
    }
    std::array<std::uint32_t, 256> inicio;
    std::uint32_t suma = 0;
    for (std::size_t b = 0; b < 256; ++b) {
        inicio[b] = suma;
        suma += cuenta[b];
    }
    auto siguiente = inicio;
    for (std::size_t i = 0; i < n; ++i)
        aux[siguiente[Byte(a[i], k)]++] = a[i];
    std::copy(aux, aux + n, a);
    for (std::size_t b = 0; b < 256; ++b)
        if (cuenta[b] > 1) OrdenarPorBytes(a + inicio[b], aux + inicio[b], cuenta[b], k + 1, menor);
}

} // namespace

std::array<ColumnaSelección, kColumnasSelección> ColumnasSelección(int anchoLista) {
    using enum Alineación;
    return {{
        {"NIF", "N.I.F.", 1200, Izquierda},
        {"Nombre", "Apellidos y Nombre", anchoLista - 4125, Izquierda},
        {"Ejercicio", "Ejercicio", 1000, Centro},
        {"Periodo", "Periodo", 1000, Centro},
        {"Complementaria", "Complementaria", 900, Centro},
        {W("Impresión"), W("Impresión"), 900, Centro},
        {W("FechaImpresión"), "", 0, Centro},
        {W("NúmeroJustificate"), "", 0, Centro},
    }};
}

std::string_view SelecciónDeclaraciones::Texto(std::size_t fila, int columna) const {
    return filas_[orden_[fila]].Texto(columna);
}

bool SelecciónDeclaraciones::Cargar(ServicioArchivos& archivos, const std::filesystem::path& ruta,
                                    ServicioMensajes& mensajes, std::int32_t numRegistroActual) {
    filas_.clear();
    orden_.clear();
    seleccionada_.reset();
    columnaOrden_ = 0;
    descendente_ = false;
    numRegistroSeleccionado_ = 0;

    // A file that is no file of records says what is wrong with it.
    std::string problema;
    if (archivos.Existe(ruta) && !Llenar(archivos, ruta, numRegistroActual, problema)) {
        MostrarError(mensajes, problema.empty() ? TextoErrorCargarDeclaraciones() : problema);
        filas_.clear();
        seleccionada_.reset();
    }
    if (filas_.empty()) {
        mensajes.Mostrar({TextoNingunaDeclaración(), kTítuloAplicación, Icono::Exclamación, Botones::Aceptar,
                          Respuesta::Aceptar});
        return false;
    }
    orden_.resize(filas_.size());
    for (std::uint32_t i = 0; i < orden_.size(); ++i)
        orden_[i] = i;
    PulsarEncabezado(1);
    // A saved return that is no longer in the list leaves the first row selected too: the list always has
    // one.
    if (!seleccionada_) seleccionada_ = orden_.front();
    return true;
}

bool SelecciónDeclaraciones::Llenar(ServicioArchivos& archivos, const std::filesystem::path& ruta,
                                    std::int32_t numRegistroActual, std::string& problema) {
    ArchivoDeclaraciones archivo(archivos, ruta);
    if (!archivo.AbrirLectura()) {
        problema = archivo.Problema();
        return false;
    }
    if (const auto registros = archivo.NúmeroRegistros())
        filas_.reserve(static_cast<std::size_t>(*registros));
    return archivo.Recorrer([&](std::int32_t n, std::string_view bytes) {
        if (bytes[0] != ' ') return true;
        if (n == numRegistroActual) seleccionada_ = static_cast<std::uint32_t>(filas_.size());
        Añadir(bytes, n);
        return true;
    });
}

void SelecciónDeclaraciones::Añadir(std::string_view bytes, std::int32_t registro) {
    // Where the fields of a row are in the record.
    static const std::array<std::size_t, kCamposFila.size()> posiciones = [] {
        std::array<std::size_t, kCamposFila.size()> p{};
        for (std::size_t i = 0; i < p.size(); ++i)
            p[i] = Definición(kCamposFila[i]).posición;
        return p;
    }();
    Fila& f = filas_.emplace_back();
    f.registro = registro;
    for (std::size_t i = 0; i < kCamposFila.size(); ++i)
        std::memcpy(f.campos.data() + kTrozosFila[i].posición, bytes.data() + posiciones[i],
                    kTrozosFila[i].ancho);
    auto campo = [&f](std::size_t i) {
        return SinBlancos({f.campos.data() + kTrozosFila[i].posición, kTrozosFila[i].ancho});
    };
    for (std::size_t i : {kNIF, kNombre, kEjercicio, kPeriodo}) {
        const std::string_view t = campo(i);
        f.inicio[i] = static_cast<std::uint8_t>(t.data() - f.campos.data());
        f.largo[i] = static_cast<std::uint8_t>(t.size());
    }
    f.complementaria = campo(kComplementaria) == "1"sv;
    f.emitida = !campo(kFecha).empty();
}

std::string_view SelecciónDeclaraciones::Fila::Texto(int columna) const {
    auto entero = [this](std::size_t i) {
        return std::string_view(campos.data() + kTrozosFila[i].posición, kTrozosFila[i].ancho);
    };
    switch (columna) {
    case 1:
    case 2:
    case 3:
    case 4: {
        const auto i = static_cast<std::size_t>(columna - 1);
        return {campos.data() + inicio[i], largo[i]};
    }
    case 5:
        return complementaria ? "C"sv : ""sv;
    case 6:
        return emitida ? "Emitida"sv : ""sv;
    case 7:
        return entero(kFecha);
    case 8:
        return entero(kJustificante);
    default:
        return {};
    }
}

std::optional<std::size_t> SelecciónDeclaraciones::FilaSeleccionada() const {
    if (!seleccionada_) return std::nullopt;
    const auto i = std::find(orden_.begin(), orden_.end(), *seleccionada_);
    if (i == orden_.end()) return std::nullopt;
    return static_cast<std::size_t>(i - orden_.begin());
}

void SelecciónDeclaraciones::SeleccionarFila(std::size_t fila) {
    if (fila < orden_.size()) seleccionada_ = orden_[fila];
}

namespace {

// The columns a click on a heading sorts by, as successive keys.
struct ClavesOrden {
    std::array<int, kColumnasSelección> columnas{};
    std::size_t cuántas = 0;
    std::span<const int> Claves() const { return {columnas.data(), cuántas}; }
};

ClavesOrden ClavesDeColumna(int columna) {
    // The list sorts by one column at a time, keeping the earlier order among equals. Sorting by every column
    // from the last down to the clicked one (N.I.F., name), or by the partner column, the name and then the
    // clicked one (the others), orders the rows by these columns in turn, then as they were: one sort with
    // the columns as successive keys and the present position as the last gives the same rows in the same
    // order.
    ClavesOrden k;
    auto& [columnas, cuántas] = k;
    if (columna <= 2) {
        for (int c = columna; c <= kColumnasSelección; ++c)
            columnas[cuántas++] = c;
    } else {
        // Ejercicio goes with Periodo and Periodo with Ejercicio; Complementaria with the name, Impresión
        // with the N.I.F.
        // (Complementaria's partner is the name itself: once is enough.)
        for (int c : {columna, 2, 7 - columna})
            if (std::find(columnas.begin(), columnas.begin() + cuántas, c) == columnas.begin() + cuántas)
                columnas[cuántas++] = c;
    }
    return k;
}

} // namespace

void SelecciónDeclaraciones::PulsarEncabezado(int columna) {
    if (columna < 1 || columna > 6) return;
    descendente_ = columna == columnaOrden_ ? !descendente_ : false;
    columnaOrden_ = columna;
    Ordenar(ClavesDeColumna(columna).Claves());
}

void SelecciónDeclaraciones::Ordenar(std::span<const int> claves) {
    const auto& tabla = TablaOrden();
    const bool desc = descendente_;

    // Built in file order, the order of the rows in memory; each row carries its present position. For a
    // descending sort the prefixes are complemented, so that one ascending comparison serves both directions.
    std::vector<std::uint32_t> posiciones(orden_.size());
    for (std::uint32_t p = 0; p < orden_.size(); ++p)
        posiciones[orden_[p]] = p;
    std::vector<Elemento> elementos(orden_.size());
    for (std::uint32_t fila = 0; fila < elementos.size(); ++fila) {
        unsigned char bytes[8 * kPalabras] = {};
        std::size_t n = 0;
        for (int c : claves) {
            const std::string_view t = filas_[fila].Texto(c);
            const std::size_t ancho =
                std::min(kAnchoColumna[static_cast<std::size_t>(c - 1)], sizeof bytes - n);
            for (std::size_t i = 0; i < std::min(t.size(), ancho); ++i)
                bytes[n + i] = tabla[static_cast<unsigned char>(t[i])];
            n += ancho;
            if (n == sizeof bytes) break;
        }
        Elemento& e = elementos[fila];
        for (std::size_t w = 0; w < kPalabras; ++w) {
            e.prefijo[w] = GrandeFinal(bytes + 8 * w);
            if (desc) e.prefijo[w] = ~e.prefijo[w];
        }
        e.posición = posiciones[fila];
        e.fila = fila;
    }
    // Rows whose prefixes are equal: the whole texts, column by column.
    auto resto = [&](std::uint32_t x, std::uint32_t y) {
        for (int c : claves) {
            const std::string_view a = filas_[x].Texto(c);
            const std::string_view b = filas_[y].Texto(c);
            if (a == b) continue; // the common case among rows whose prefixes tie
            for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
                const int ca = i < a.size() ? tabla[static_cast<unsigned char>(a[i])] : 0;
                const int cb = i < b.size() ? tabla[static_cast<unsigned char>(b[i])] : 0;
                if (ca != cb) return desc ? cb - ca : ca - cb;
            }
        }
        return 0;
    };
    auto menor = [&](const Elemento& x, const Elemento& y) {
        for (std::size_t w = 0; w < kPalabras; ++w)
            if (x.prefijo[w] != y.prefijo[w]) return x.prefijo[w] < y.prefijo[w];
        if (const int r = resto(x.fila, y.fila)) return r < 0;
        return x.posición < y.posición;
    };
    std::vector<Elemento> aux(elementos.size());
    OrdenarPorBytes(elementos.data(), aux.data(), elementos.size(), 0, menor);
    for (std::size_t p = 0; p < elementos.size(); ++p)
        orden_[p] = elementos[p].fila;
}

bool SelecciónDeclaraciones::Elegir(ServicioMensajes& mensajes, std::string_view títuloDiálogo) {
    const auto fila = FilaSeleccionada();
    if (!fila) return false;
    const bool abreOElimina = títuloDiálogo.find("Eliminar") != std::string_view::npos ||
                              títuloDiálogo.find("Abrir") != std::string_view::npos;
    if (abreOElimina && !Texto(*fila, 6).empty() &&
        Preguntar(mensajes, TextoAvisoImpresa(*fila), kTítuloAviso) != Respuesta::Sí)
        return false;
    numRegistroSeleccionado_ = Registro(*fila);
    return true;
}

std::string SelecciónDeclaraciones::TextoAvisoImpresa(std::size_t fila) const {
    auto t = [&](int c) { return std::string(Texto(fila, c)); };
    return W("La declaración seleccionada ya ha sido impresa.") + "\r\r" + "     N.I.F.: \t\t" + t(1) + "\r" +
           "     Nombre: \t" + t(2) + "\r" + W("     Fec.Impresión: \t") + t(7) + "\r" +
           W("     Nº Justificante: \t") + t(8) + "\r\r" + W("¿Continuar con la operación?");
}

std::string TextoNingunaDeclaración() {
    return W("No existe ninguna declaración grabada");
}

std::string TextoErrorCargarDeclaraciones() {
    return "Error al cargar la tabla de declaraciones guardadas";
}

} // namespace m817
