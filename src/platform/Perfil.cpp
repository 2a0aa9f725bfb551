#include "platform/Perfil.h"

#include "platform/Texto1252.h"

#include <fstream>
#include <sstream>
#include <system_error>

namespace m817 {
namespace {

bool Iguales(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Mayúscula(a[i]) != Mayúscula(b[i])) return false;
    return true;
}

std::string SinFinDeLínea(std::string línea) {
    while (!línea.empty() && (línea.back() == '\r' || línea.back() == '\n'))
        línea.pop_back();
    return línea;
}

} // namespace

PerfilIni::PerfilIni(std::filesystem::path ruta) : ruta_(std::move(ruta)) {
    std::ifstream f(ruta_, std::ios::binary);
    if (!f) return;
    std::ostringstream s;
    s << f.rdbuf();
    Analizar(s.str());
}

void PerfilIni::Analizar(const std::string& texto) {
    std::istringstream s(texto);
    std::string línea;
    Sección* actual = nullptr;
    while (std::getline(s, línea)) {
        const std::string limpia = Recortar(SinFinDeLínea(línea));
        if (limpia.empty() || limpia[0] == ';') continue;
        if (limpia.front() == '[' && limpia.back() == ']') {
            secciones_.push_back({Recortar(limpia.substr(1, limpia.size() - 2)), {}});
            actual = &secciones_.back();
            continue;
        }
        const auto igual = limpia.find('=');
        if (actual == nullptr || igual == std::string::npos) continue; // not an entry: ignored
        actual->entradas.emplace_back(Recortar(limpia.substr(0, igual)), Recortar(limpia.substr(igual + 1)));
    }
}

std::string PerfilIni::Leer(const std::string& sección, const std::string& entrada,
                            const std::string& predeterminado, std::size_t longitudMáxima) const {
    const auto buscar = [&]() -> const std::string* {
        for (const Sección& s : secciones_)
            if (Iguales(s.nombre, sección))
                for (const auto& [nombre, v] : s.entradas)
                    if (Iguales(nombre, entrada)) return &v;
        return nullptr;
    };
    const std::string* hallado = buscar();
    std::string valor = hallado ? *hallado : predeterminado;
    if (longitudMáxima > 0 && valor.size() > longitudMáxima) valor.resize(longitudMáxima);
    return valor;
}

bool PerfilIni::Escribir(const std::string& sección, const std::string& entrada, const std::string& valor) {
    Sección* s = nullptr;
    for (Sección& x : secciones_)
        if (Iguales(x.nombre, sección)) s = &x;
    if (s == nullptr) {
        secciones_.push_back({sección, {}});
        s = &secciones_.back();
    }
    bool puesto = false;
    for (auto& [nombre, v] : s->entradas)
        if (Iguales(nombre, entrada)) {
            v = valor;
            puesto = true;
        }
    if (!puesto) s->entradas.emplace_back(entrada, valor);
    return Guardar();
}

std::string PerfilIni::Texto() const {
    std::string t;
    for (const Sección& s : secciones_) {
        t += "[" + s.nombre + "]\r\n";
        for (const auto& [nombre, v] : s.entradas)
            t += nombre + "=" + v + "\r\n";
    }
    return t;
}

bool PerfilIni::Guardar() const {
    std::filesystem::path temporal = ruta_;
    temporal += ".nuevo";
    {
        std::ofstream f(temporal, std::ios::binary | std::ios::trunc);
        if (!f) return false;
        const std::string t = Texto();
        f.write(t.data(), static_cast<std::streamsize>(t.size()));
        if (!f.flush()) return false;
    }
    std::error_code e;
    std::filesystem::rename(temporal, ruta_, e);
    return !e;
}

} // namespace m817
