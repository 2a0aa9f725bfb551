#pragma once
// Saved returns as the tests need them: a record with the fields a test cares about, and a file of records.
#include "platform/Texto1252.h"
#include "store/RegistroDeclaracion.h"

#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>

namespace m817::prueba {

struct Guardada {
    std::string nif = "12345678Z";
    std::string nombre = ""; // UTF-8
    std::string ejercicio = "2010";
    std::string periodo = "1T";
    std::string complementaria = "0";
    std::string fecha = ""; // of the official print
    std::string justificante = "";
    bool viva = true;
};

inline RegistroDeclaración RegistroGuardado(const Guardada& g) {
    using enum CampoRegistro;
    RegistroDeclaración r;
    r.Poner(Modelo, "817");
    r.Poner(NIF, g.nif);
    r.Poner(Nombre, W(g.nombre));
    r.Poner(Ejercicio, g.ejercicio);
    r.Poner(Periodo, g.periodo);
    r.Poner(Complementaria, g.complementaria);
    r.Poner(FechaImpresión, g.fecha);
    r.Poner(NúmeroJustificante, g.justificante);
    if (!g.viva) r.MarcarBorrado();
    return r;
}

// A new record with the fields of tests/datos/<nombre>: one "field value" a line, fields named as in the
// layout, values in UTF-8.
inline RegistroDeclaración RegistroDeDatos(const std::string& nombre) {
    RegistroDeclaración r;
    std::ifstream filas(M817_SOURCE_DIR "/tests/datos/" + nombre);
    for (std::string campo, valor; filas >> campo && std::getline(filas >> std::ws, valor);)
        for (const auto& d : kCamposRegistro)
            if (d.nombre == campo) r.Poner(d.campo, W(valor));
    return r;
}

// The bytes of a data file holding these returns in order.
inline std::string ArchivoDe(std::initializer_list<RegistroDeclaración> registros) {
    std::string s;
    for (const auto& r : registros)
        s += r.Bytes();
    return s;
}
inline std::string ArchivoDe(std::initializer_list<Guardada> declaraciones) {
    std::string s;
    for (const auto& g : declaraciones)
        s += RegistroGuardado(g).Bytes();
    return s;
}

// Where two data files part, in few words (whole files make unreadable failure messages): the record and
// field of the first byte that differs, or the lengths. Empty when they are equal.
inline std::string Diferencia(std::string_view obtenido, std::string_view esperado) {
    if (obtenido == esperado) return "";
    std::size_t i = 0;
    while (i < obtenido.size() && i < esperado.size() && obtenido[i] == esperado[i])
        ++i;
    if (i == obtenido.size() || i == esperado.size())
        return "longitudes " + std::to_string(obtenido.size()) + " y " + std::to_string(esperado.size());
    const std::size_t n = i / kLongitudRegistro, b = i % kLongitudRegistro;
    for (const auto& d : kCamposRegistro)
        if (b >= d.posición && b < d.posición + d.ancho)
            return "registro " + std::to_string(n + 1) + ", " + std::string(d.nombre) + ": \"" +
                   Utf8(obtenido.substr(n * kLongitudRegistro + d.posición, d.ancho)) + "\" en vez de \"" +
                   Utf8(esperado.substr(n * kLongitudRegistro + d.posición, d.ancho)) + "\"";
    return "byte " + std::to_string(i);
}

} // namespace m817::prueba
