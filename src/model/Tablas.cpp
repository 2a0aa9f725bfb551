#include "model/Tablas.h"

#include "platform/Texto1252.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>

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

std::filesystem::path RutaTabla(const ServicioCarpeta& carpeta, std::string_view nombre) {
    return carpeta.Datos() / (std::string(nombre) + ".txt");
}

// Far above the largest real table (the municipalities take under 1 MB): anything bigger is no table, and
// reading it whole could take all the memory.
constexpr std::size_t kMáximoTabla = 16u << 20;

std::optional<std::string> LeerArchivoTabla(const std::filesystem::path& ruta) {
    try {
        // Only a regular file: a FIFO would wait for ever and a device never end.
        std::error_code ec;
        if (!std::filesystem::is_regular_file(ruta, ec) || std::filesystem::file_size(ruta, ec) > kMáximoTabla)
            return std::nullopt;
        std::ifstream f(ruta, std::ios::binary);
        if (!f) return std::nullopt;
        std::string bytes;
        char bloque[64 * 1024];
        while (f.read(bloque, sizeof bloque) || f.gcount() > 0) {
            bytes.append(bloque, static_cast<std::size_t>(f.gcount()));
            // Grown since it was measured.
            if (bytes.size() > kMáximoTabla) return std::nullopt;
        }
        if (f.bad()) return std::nullopt;
        return bytes;
    } catch (...) {
        return std::nullopt;
    }
}

// The municipalities are read again for every province chosen, and a batch check chooses one per return: the
// records of the last few files read are kept, per thread, for as long as each file's size and modification
// time stay the same, so that an edited table is still read afresh. A file changed within the last second is not
// kept: a second change within the clock's step could leave both alike. A damaged table is read (and refused)
// every time.
struct TablaLeída {
    std::filesystem::path ruta;
    std::uintmax_t tamaño = 0;
    std::filesystem::file_time_type modificada;
    std::shared_ptr<const std::vector<RegistroTabla>> registros;
};
constexpr std::size_t kTablasGuardadas = 8;

std::shared_ptr<const std::vector<RegistroTabla>> RegistrosDeTabla(const ServicioCarpeta& carpeta,
                                                                   std::string_view nombre) {
    thread_local std::vector<TablaLeída> leídas;
    const auto ruta = RutaTabla(carpeta, nombre);
    std::error_code ec;
    const auto tamaño = std::filesystem::file_size(ruta, ec);
    const auto modificada = ec ? std::filesystem::file_time_type() : std::filesystem::last_write_time(ruta, ec);
    const bool fechada = !ec;
    auto guardada = std::find_if(leídas.begin(), leídas.end(), [&](const TablaLeída& t) { return t.ruta == ruta; });
    if (guardada != leídas.end()) {
        if (fechada && guardada->tamaño == tamaño && guardada->modificada == modificada) return guardada->registros;
        leídas.erase(guardada);
    }
    auto bytes = LeerArchivoTabla(ruta);
    auto registros = bytes ? LeerRegistrosTabla(*bytes) : std::nullopt;
    if (!registros) return nullptr;
    auto leída = std::make_shared<const std::vector<RegistroTabla>>(std::move(*registros));
    using namespace std::chrono_literals;
    if (fechada && modificada < std::filesystem::file_time_type::clock::now() - 1s) {
        if (leídas.size() == kTablasGuardadas) leídas.erase(leídas.begin());
        leídas.push_back({ruta, tamaño, modificada, leída});
    }
    return leída;
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
    std::vector<EntradaLista> entradas;
    const auto registros = RegistrosDeTabla(carpeta, nombre);
    bool bien = registros != nullptr;
    for (std::size_t i = 0; bien && i < registros->size(); ++i) {
        const auto& [código, texto] = (*registros)[i];
        if (rango && (código < rango->desde || código > rango->hasta)) continue;
        auto número = alfabética ? ClaveAlfabética(código) : LeerEntero(código);
        if (número)
            entradas.push_back({texto, *número});
        else
            bien = false;
    }
    if (!bien) {
        hoja.VaciarLista(lista);
        MostrarError(mensajes, W("Error al cargar la tabla de ") + std::string(nombre));
        return false;
    }
    hoja.EstablecerLista(lista, std::move(entradas));
    return true;
}

void CargarPeriodos(HojaDeclaración& hoja) {
    for (const char* p : {"1T", "2T", "3T", "4T"}) hoja.AñadirEntrada(campos::cmbPeriodo, {p, 0});
}

bool CargarMunicipiosAdministraciones(HojaDeclaración& hoja, const ServicioCarpeta& carpeta,
                                      ServicioMensajes& mensajes) {
    auto& col = hoja.colMunicipiosAdministraciones;
    col.clear();
    auto bytes = LeerArchivoTabla(RutaTabla(carpeta, kTablaMunicipiosAdministraciones));
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
