#include "store/SeleccionDeclaraciones.h"

#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"

#include <algorithm>
#include <numeric>

namespace m817 {

namespace {

std::string_view SinBlancos(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

std::string_view CampoDe(std::string_view bytes, CampoRegistro c) {
    const auto& d = Definición(c);
    return bytes.substr(d.posición, d.ancho);
}

FilaSelección Fila(std::int32_t n, std::string_view bytes) {
    using enum CampoRegistro;
    FilaSelección f;
    f.registro = n;
    f.textos[0] = SinBlancos(CampoDe(bytes, NIF));
    f.textos[1] = SinBlancos(CampoDe(bytes, Nombre));
    f.textos[2] = SinBlancos(CampoDe(bytes, Ejercicio));
    f.textos[3] = SinBlancos(CampoDe(bytes, Periodo));
    f.textos[4] = SinBlancos(CampoDe(bytes, Complementaria)) == "1" ? "C" : "";
    f.textos[5] = SinBlancos(CampoDe(bytes, FechaImpresión)).empty() ? "" : "Emitida";
    f.textos[6] = CampoDe(bytes, FechaImpresión);
    f.textos[7] = CampoDe(bytes, NúmeroJustificante);
    return f;
}

// The list compares texts as the platform's list control does: letter case and accents aside.
std::array<std::string, kColumnasSelección> Claves(const FilaSelección& f) {
    std::array<std::string, kColumnasSelección> c;
    for (std::size_t i = 0; i < c.size(); ++i)
        c[i] = ClaveOrdenación(f.textos[i]);
    return c;
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

bool SeleccionDeclaraciones::Cargar(ServicioArchivos& archivos, const std::filesystem::path& ruta,
                                    ServicioMensajes& mensajes, std::int32_t numRegistroActual) {
    filas_.clear();
    claves_.clear();
    seleccionado_ = 0;
    columnaOrden_ = 0;
    descendente_ = false;
    numRegistroSeleccionado_ = 0;

    if (archivos.Existe(ruta) && !Llenar(archivos, ruta, numRegistroActual)) {
        MostrarError(mensajes, TextoErrorCargarDeclaraciones());
        filas_.clear();
        claves_.clear();
        seleccionado_ = 0;
    }
    if (filas_.empty()) {
        mensajes.Mostrar({TextoNingunaDeclaración(), kTítuloAplicación, Icono::Exclamación, Botones::Aceptar,
                          Respuesta::Aceptar});
        return false;
    }
    PulsarEncabezado(1);
    // A saved return that is no longer in the list leaves the first row selected too: the list always has
    // one.
    if (seleccionado_ == 0) seleccionado_ = filas_.front().registro;
    return true;
}

bool SeleccionDeclaraciones::Llenar(ServicioArchivos& archivos, const std::filesystem::path& ruta,
                                    std::int32_t numRegistroActual) {
    ArchivoDeclaraciones archivo(archivos, ruta);
    if (!archivo.AbrirLectura()) return false;
    if (const auto registros = archivo.NúmeroRegistros()) {
        filas_.reserve(static_cast<std::size_t>(*registros));
        claves_.reserve(static_cast<std::size_t>(*registros));
    }
    return archivo.Recorrer([&](std::int32_t n, std::string_view bytes) {
        if (bytes[0] != ' ') return true;
        filas_.push_back(Fila(n, bytes));
        claves_.push_back(Claves(filas_.back()));
        if (n == numRegistroActual) seleccionado_ = n;
        return true;
    });
}

std::optional<std::size_t> SeleccionDeclaraciones::FilaSeleccionada() const {
    for (std::size_t i = 0; i < filas_.size(); ++i)
        if (filas_[i].registro == seleccionado_) return i;
    return std::nullopt;
}

void SeleccionDeclaraciones::SeleccionarFila(std::size_t fila) {
    if (fila < filas_.size()) seleccionado_ = filas_[fila].registro;
}

void SeleccionDeclaraciones::PulsarEncabezado(int columna) {
    if (columna < 1 || columna > 6) return;
    descendente_ = columna == columnaOrden_ ? !descendente_ : false;
    columnaOrden_ = columna;
    // The list sorts by one column at a time, keeping the earlier order among equals. Sorting by every column
    // from the last down to the clicked one (N.I.F., name), or by the partner column, the name and then the
    // clicked one (the others), orders by these columns in turn: one pass with the columns as successive keys
    // gives the same rows in the same order.
    std::vector<int> claves;
    if (columna <= 2) {
        for (int c = columna; c <= kColumnasSelección; ++c)
            claves.push_back(c);
    } else {
        // Ejercicio goes with Periodo and Periodo with Ejercicio; Complementaria with the name, Impresión
        // with the N.I.F.
        claves = {columna, 2, 7 - columna};
    }
    Ordenar(claves, descendente_);
}

void SeleccionDeclaraciones::Ordenar(const std::vector<int>& columnas, bool descendente) {
    std::vector<std::uint32_t> orden(filas_.size());
    std::iota(orden.begin(), orden.end(), 0u);
    std::stable_sort(orden.begin(), orden.end(), [&](std::uint32_t a, std::uint32_t b) {
        for (int c : columnas) {
            const auto i = static_cast<std::size_t>(c - 1);
            const int r = claves_[a][i].compare(claves_[b][i]);
            if (r != 0) return descendente ? r > 0 : r < 0;
        }
        return false;
    });
    std::vector<FilaSelección> filas;
    std::vector<std::array<std::string, kColumnasSelección>> claves;
    filas.reserve(filas_.size());
    claves.reserve(claves_.size());
    for (auto i : orden) {
        filas.push_back(std::move(filas_[i]));
        claves.push_back(std::move(claves_[i]));
    }
    filas_ = std::move(filas);
    claves_ = std::move(claves);
}

bool SeleccionDeclaraciones::Elegir(ServicioMensajes& mensajes, std::string_view títuloDiálogo) {
    const auto i = FilaSeleccionada();
    if (!i) return false;
    const FilaSelección& fila = filas_[*i];
    const bool abreOElimina = títuloDiálogo.find("Eliminar") != std::string_view::npos ||
                              títuloDiálogo.find("Abrir") != std::string_view::npos;
    if (abreOElimina && !fila.Texto(6).empty() &&
        Preguntar(mensajes, TextoAvisoSeleccionImpresa(fila), kTítuloAviso) != Respuesta::Sí)
        return false;
    numRegistroSeleccionado_ = fila.registro;
    return true;
}

std::string TextoNingunaDeclaración() {
    return W("No existe ninguna declaración grabada");
}

std::string TextoErrorCargarDeclaraciones() {
    return "Error al cargar la tabla de declaraciones guardadas";
}

std::string TextoAvisoSeleccionImpresa(const FilaSelección& f) {
    return W("La declaración seleccionada ya ha sido impresa.") + "\r\r" + "     N.I.F.: \t\t" + f.Texto(1) +
           "\r" + "     Nombre: \t" + f.Texto(2) + "\r" + W("     Fec.Impresión: \t") + f.Texto(7) + "\r" +
           W("     Nº Justificante: \t") + f.Texto(8) + "\r\r" + W("¿Continuar con la operación?");
}

} // namespace m817
