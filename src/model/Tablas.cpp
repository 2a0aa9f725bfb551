#include "model/Tablas.h"

#include "platform/Texto1252.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <limits>

namespace m817 {

namespace {

std::string_view SinBlancos(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// One field from pos on: quoted (commas allowed inside) or up to the next comma, without its blanks. The last
// field must end the line, the first must be followed by a comma.
bool LeerCampo(std::string_view línea, std::size_t& pos, bool último, std::string_view& campo) {
    while (pos < línea.size() && línea[pos] == ' ') ++pos;
    if (pos < línea.size() && línea[pos] == '"') {
        std::size_t cierre = línea.find('"', pos + 1);
        if (cierre == std::string_view::npos) return false;
        campo = línea.substr(pos + 1, cierre - pos - 1);
        pos = cierre + 1;
        while (pos < línea.size() && línea[pos] == ' ') ++pos;
    } else {
        std::size_t fin = línea.find(',', pos);
        if (fin == std::string_view::npos) fin = línea.size();
        campo = SinBlancos(línea.substr(pos, fin - pos));
        pos = fin;
    }
    if (último) return pos == línea.size();
    if (pos >= línea.size() || línea[pos] != ',') return false;
    ++pos;
    return true;
}

// Calls visitar(código, texto) for every record, in file order; stops and fails at the first line that is not
// two fields or when visitar refuses the record.
template <typename F> bool RecorrerRegistros(std::string_view bytes, F&& visitar) {
    std::size_t inicio = 0;
    while (inicio < bytes.size()) {
        std::size_t fin = bytes.find('\n', inicio);
        if (fin == std::string_view::npos) fin = bytes.size();
        std::string_view línea = bytes.substr(inicio, fin - inicio);
        inicio = fin + 1;
        if (!línea.empty() && línea.back() == '\r') línea.remove_suffix(1);
        if (SinBlancos(línea).empty()) continue;
        std::size_t pos = 0;
        std::string_view código, texto;
        if (!LeerCampo(línea, pos, false, código) || !LeerCampo(línea, pos, true, texto)) return false;
        if (!visitar(código, texto)) return false;
    }
    return true;
}

// A whole number in decimal, with an optional sign, that fits 32 bits.
std::optional<std::int32_t> LeerEntero(std::string_view s) {
    bool negativo = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negativo = s.front() == '-';
        s.remove_prefix(1);
    }
    // Digits only (from_chars would take a second sign); leading zeros are no limit, an overflow is.
    if (s.empty() || s.front() == '-') return std::nullopt;
    std::int64_t n = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
    if (negativo) n = -n;
    if (n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(n);
}

std::optional<std::string> LeerArchivoTabla(const ServicioCarpeta& carpeta, std::string_view nombre) {
    try {
        std::ifstream f(carpeta.Datos() / (std::string(nombre) + ".txt"), std::ios::binary);
        if (!f) return std::nullopt;
        std::string bytes{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
        if (f.bad()) return std::nullopt;
        return bytes;
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace

RangoCódigos RangoProvincia(int provincia) {
    std::string p = std::to_string(provincia);
    if (p.size() < 2) p.insert(0, 2 - p.size(), '0');
    return {p + "000", p + "999"};
}

std::optional<std::int32_t> ClaveAlfabética(std::string_view letras) {
    if (letras.empty()) return std::nullopt;
    std::int64_t n = 0;
    for (char c : letras) {
        n = n * 256 + static_cast<unsigned char>(c);
        if (n > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    }
    return static_cast<std::int32_t>(n);
}

std::string CódigoATexto(std::int32_t número) {
    if (número < 0) return {};
    std::string texto;
    while (número >= 256) {
        texto.insert(texto.begin(), static_cast<char>(número % 256));
        número /= 256;
    }
    texto.insert(texto.begin(), static_cast<char>(número));
    return texto;
}

std::optional<std::vector<RegistroTabla>> LeerRegistrosTabla(std::string_view bytes) {
    std::vector<RegistroTabla> registros;
    bool bien = RecorrerRegistros(bytes, [&](std::string_view código, std::string_view texto) {
        registros.push_back({std::string(código), std::string(texto)});
        return true;
    });
    if (!bien) return std::nullopt;
    return registros;
}

bool CargarTabla(HojaDeclaración& hoja, IdCampo lista, std::string_view nombre, bool alfabética,
                 const ServicioCarpeta& carpeta, ServicioMensajes& mensajes,
                 const std::optional<RangoCódigos>& rango) {
    hoja.VaciarLista(lista);
    std::vector<EntradaLista> entradas;
    auto bytes = LeerArchivoTabla(carpeta, nombre);
    bool bien = bytes && RecorrerRegistros(*bytes, [&](std::string_view código, std::string_view texto) {
                    if (rango && (código < rango->desde || código > rango->hasta)) return true;
                    auto número = alfabética ? ClaveAlfabética(código) : LeerEntero(código);
                    if (!número) return false;
                    entradas.push_back({std::string(texto), *número});
                    return true;
                });
    if (!bien) {
        MostrarError(mensajes, W("Error al cargar la tabla de ") + std::string(nombre));
        return false;
    }
    for (auto& e : entradas) hoja.AñadirEntrada(lista, std::move(e));
    return true;
}

void CargarPeriodos(HojaDeclaración& hoja) {
    for (const char* p : {"1T", "2T", "3T", "4T"}) hoja.AñadirEntrada(campos::cmbPeriodo, {p, 0});
}

bool CargarMunicipiosAdministraciones(HojaDeclaración& hoja, const ServicioCarpeta& carpeta,
                                      ServicioMensajes& mensajes) {
    auto& col = hoja.colMunicipiosAdministraciones;
    col.clear();
    auto bytes = LeerArchivoTabla(carpeta, kTablaMunicipiosAdministraciones);
    if (bytes) col.reserve(static_cast<std::size_t>(std::count(bytes->begin(), bytes->end(), '\n')) + 1);
    bool bien = bytes && RecorrerRegistros(*bytes, [&](std::string_view municipio, std::string_view admin) {
                    return col.emplace(std::string(municipio), std::string(admin)).second;
                });
    if (!bien) {
        MostrarError(mensajes, W("Error al cargar la tabla de relación Municipios-Administraciones"));
        return false;
    }
    return true;
}

} // namespace m817
