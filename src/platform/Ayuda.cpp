#include "platform/Ayuda.h"

#include <cctype>
#include <cstdlib>

namespace m817 {

std::filesystem::path ArchivoAyuda(const ServicioCarpeta& carpeta) {
    return carpeta.Programa() / "Ayuda" / "ayuda.html";
}

std::string AnclaContexto(int contexto) {
    return std::to_string(contexto);
}

namespace {

bool EmpiezaSinMayúsculas(std::string_view s, std::size_t p, std::string_view prefijo) {
    if (s.size() - p < prefijo.size()) return false;
    for (std::size_t i = 0; i < prefijo.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[p + i])) != prefijo[i]) return false;
    return true;
}

// Tags and attributes may be written in either case.
std::size_t BuscarSinMayúsculas(std::string_view s, std::string_view aguja, std::size_t desde) {
    for (std::size_t p = desde; p + aguja.size() <= s.size(); ++p)
        if (EmpiezaSinMayúsculas(s, p, aguja)) return p;
    return std::string_view::npos;
}

void AñadirUtf8(std::string& s, unsigned long c) {
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The text of a link: tags dropped, the usual entities decoded, blanks folded.
std::string TextoPlano(std::string_view html) {
    std::string s;
    for (std::size_t i = 0; i < html.size(); ++i) {
        char c = html[i];
        if (c == '<') {
            auto fin = html.find('>', i);
            if (fin == std::string_view::npos) break;
            i = fin;
            continue;
        }
        if (c == '&') {
            auto fin = html.find(';', i);
            if (fin != std::string_view::npos && fin - i <= 8) {
                std::string_view e = html.substr(i + 1, fin - i - 1);
                bool conocida = true;
                if (e == "amp")
                    s += '&';
                else if (e == "lt")
                    s += '<';
                else if (e == "gt")
                    s += '>';
                else if (e == "quot")
                    s += '"';
                else if (e == "nbsp")
                    s += ' ';
                else if (e.size() > 1 && e[0] == '#')
                    AñadirUtf8(s, std::strtoul(std::string(e.substr(1)).c_str(), nullptr, 10));
                else
                    conocida = false;
                if (conocida) {
                    i = fin;
                    continue;
                }
            }
        }
        if (std::isspace(static_cast<unsigned char>(c))) {
            if (!s.empty() && s.back() != ' ') s += ' ';
            continue;
        }
        s += c;
    }
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

// The links of the list that starts at `desde`, with their depth.
std::vector<TemaAyuda> LeerLista(std::string_view html, std::size_t desde) {
    std::vector<TemaAyuda> temas;
    int nivel = 0;
    for (std::size_t p = html.find('<', desde); p != std::string_view::npos; p = html.find('<', p + 1)) {
        if (EmpiezaSinMayúsculas(html, p, "<ul")) {
            ++nivel;
        } else if (EmpiezaSinMayúsculas(html, p, "</ul")) {
            if (--nivel <= 0) break;
        } else if (nivel > 0 && EmpiezaSinMayúsculas(html, p, "<a ")) {
            auto finEtiqueta = html.find('>', p);
            auto cierre = BuscarSinMayúsculas(html, "</a>", p);
            if (finEtiqueta == std::string_view::npos || cierre == std::string_view::npos) break;
            std::string_view etiqueta = html.substr(p, finEtiqueta - p);
            auto href = BuscarSinMayúsculas(etiqueta, "href=\"#", 0);
            if (href != std::string_view::npos) {
                auto inicio = href + 7;
                auto fin = etiqueta.find('"', inicio);
                if (fin != std::string_view::npos)
                    temas.push_back({TextoPlano(html.substr(finEtiqueta + 1, cierre - finEtiqueta - 1)),
                                     std::string(etiqueta.substr(inicio, fin - inicio)), nivel - 1});
            }
            p = cierre;
        }
    }
    return temas;
}

std::vector<TemaAyuda> ListaTrasAncla(std::string_view html, std::string_view ancla) {
    std::string marca = "name=\"" + std::string(ancla) + "\"";
    auto p = html.find(marca);
    if (p == std::string_view::npos) return {};
    auto lista = BuscarSinMayúsculas(html, "<ul", p);
    if (lista == std::string_view::npos) return {};
    return LeerLista(html, lista);
}

} // namespace

TemasAyuda LeerTemasAyuda(std::string_view html) {
    return {ListaTrasAncla(html, "contenido"), ListaTrasAncla(html, "indice")};
}

} // namespace m817
