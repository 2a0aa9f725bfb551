// Any bytes as Datos/Declaraciones.txt: one record opened field by field, every record read, walked and
// scanned for duplicates, and a record added after them.
#include "Comun.h"
#include "model/Importes.h"
#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"

#include <vector>

using namespace m817;
using namespace m817::fuzz;

namespace {

const std::filesystem::path kCarpeta = "/m817/Datos";

void AbrirRegistro(std::string_view bytes) {
    const auto r = RegistroDeclaración::DesdeBytes(bytes);
    const std::string_view tomados = bytes.substr(0, kLongitudRegistro);
    M817_COMPROBAR(r.Bytes().substr(0, tomados.size()) == tomados);
    M817_COMPROBAR(r.Bytes().find_first_not_of(' ', tomados.size()) == std::string_view::npos);

    RegistroDeclaración copia;
    for (const auto& d : kCamposRegistro) {
        const std::string_view campo = r.Campo(d.campo);
        M817_COMPROBAR(campo.size() == d.ancho);
        const std::string valor = r.Valor(d.campo);
        M817_COMPROBAR(valor.size() <= d.ancho && campo.find(valor) != std::string_view::npos);
        // A whole number is an optional sign and digits only, and it fits.
        const std::size_t signo = !valor.empty() && (valor[0] == '+' || valor[0] == '-') ? 1 : 0;
        const bool forma =
            valor.size() > signo && valor.find_first_not_of("0123456789", signo) == std::string::npos;
        const long long esperado = forma ? std::strtoll(valor.c_str(), nullptr, 10) : 0;
        const bool cabe = forma && esperado >= INT32_MIN && esperado <= INT32_MAX;
        const auto entero = r.Entero(d.campo);
        M817_COMPROBAR(entero.has_value() == cabe && (!cabe || *entero == esperado));
        if (const auto v = LeerNúmero(campo)) (void)TextoNúmero(*v);
        (void)TextoMostrarCasilla(campo);
        (void)r.Marcado(d.campo);
        copia.Poner(d.campo, campo);
    }
    M817_COMPROBAR(copia == r);
    for (int k = 1; k <= 6; ++k)
        (void)TextoTipo(r.Campo(CampoTipo(k)));
    (void)ClaveDuplicado::De(r);
    (void)TextoConfirmarEliminar(r);
    (void)TextoAvisoGuardarImpresa(r.Campo(CampoRegistro::FechaImpresión),
                                   r.Campo(CampoRegistro::NúmeroJustificante));
}

// A blank complementary flag, as a conversion leaves it, is "0".
std::string Complementaria(std::string_view valor) {
    const std::string c = Recortar(valor);
    return c.empty() ? "0" : c;
}

bool MismaClave(const RegistroDeclaración& r, const ClaveDuplicado& c) {
    const auto k = ClaveDuplicado::De(r);
    return k.nif == Recortar(c.nif) && k.ejercicio == Recortar(c.ejercicio) &&
           k.periodo == Recortar(c.periodo) &&
           Complementaria(k.complementaria) == Complementaria(c.complementaria);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamaño) {
    const std::string_view bytes = Texto(datos, tamaño);
    AbrirRegistro(bytes);

    ArchivosMemoria archivos;
    archivos.Carpeta(kCarpeta);
    const auto ruta = RutaDeclaraciones(kCarpeta);
    archivos.Poner(ruta, bytes);

    // Only a file of 750-byte records ending in CR LF is taken; a last 748-byte one of model 817 is a record
    // missing its line end.
    const std::size_t enteros = tamaño / kLongitudRegistro, cola = tamaño % kLongitudRegistro;
    bool alineado = true;
    for (std::size_t i = 0; i < enteros && alineado; ++i)
        alineado = bytes.substr(i * kLongitudRegistro + kLongitudRegistro - 2, 2) == "\r\n";
    const bool sinFinal =
        cola == kLongitudRegistro - 2 && bytes.substr(enteros * kLongitudRegistro + 1, 3) == "817";
    std::string registrosEsperados(bytes.substr(0, enteros * kLongitudRegistro));
    if (sinFinal) registrosEsperados += std::string(bytes.substr(enteros * kLongitudRegistro)) + "\r\n";
    const std::string_view resto = sinFinal ? std::string_view() : bytes.substr(enteros * kLongitudRegistro);

    ArchivoDeclaraciones archivo(archivos, ruta);
    if (!alineado) {
        M817_COMPROBAR(!archivo.AbrirLectura() && !archivo.Problema().empty());
        M817_COMPROBAR(!archivo.AbrirLecturaEscritura() && *archivos.Leer(ruta) == bytes);
        return 0;
    }
    M817_COMPROBAR(archivo.AbrirLectura());
    const auto registros = archivo.NúmeroRegistros();
    M817_COMPROBAR(registros &&
                   static_cast<std::size_t>(*registros) == registrosEsperados.size() / kLongitudRegistro);

    std::vector<RegistroDeclaración> leídos;
    RegistroDeclaración r;
    M817_COMPROBAR(!archivo.Leer(0, r) && !archivo.Leer(*registros + 1, r) && !archivo.Leer(-1, r));
    for (std::int32_t n = 1; n <= *registros; ++n) {
        M817_COMPROBAR(archivo.Leer(n, r));
        M817_COMPROBAR(r.Bytes() ==
                       std::string_view(registrosEsperados)
                           .substr(static_cast<std::size_t>(n - 1) * kLongitudRegistro, kLongitudRegistro));
        leídos.push_back(r);
    }
    std::int32_t visitados = 0;
    M817_COMPROBAR(archivo.Recorrer([&](std::int32_t n, std::string_view b) {
        M817_COMPROBAR(n == ++visitados && b == leídos[static_cast<std::size_t>(n - 1)].Bytes());
        return true;
    }));
    M817_COMPROBAR(visitados == *registros);

    // The keys of the first and the last record, and one made of the trailing bytes.
    std::vector<ClaveDuplicado> claves;
    if (!leídos.empty()) {
        claves.push_back(ClaveDuplicado::De(leídos.front()));
        claves.push_back(ClaveDuplicado::De(leídos.back()));
    }
    claves.push_back(ClaveDuplicado::De(RegistroDeclaración::DesdeBytes(resto)));
    for (const auto& clave : claves) {
        const auto d = BuscarDuplicados(archivo, clave);
        M817_COMPROBAR(d && d->registros == *registros);
        std::int32_t esperado = 0;
        for (std::size_t i = 0; i < leídos.size() && esperado == 0; ++i)
            if (leídos[i].Vivo() && MismaClave(leídos[i], clave)) esperado = static_cast<std::int32_t>(i + 1);
        M817_COMPROBAR(d->primerDuplicado == esperado);
    }

    // A save after the last record keeps the bytes it covers beside the file and leaves the others as they
    // were (a record missing its line end gets it).
    archivo.Cerrar();
    M817_COMPROBAR(archivo.AbrirLecturaEscritura());
    const auto nuevo = RegistroBorrado();
    M817_COMPROBAR(archivo.Añadir(nuevo) == *registros + 1);
    const std::string* después = archivos.Leer(ruta);
    M817_COMPROBAR(después && *después == registrosEsperados + std::string(nuevo.Bytes()));
    if (!resto.empty()) {
        const std::string* guardado = archivos.Leer(archivo.RestoGuardado());
        M817_COMPROBAR(guardado && *guardado == resto);
    } else {
        M817_COMPROBAR(archivo.RestoGuardado().empty());
    }
    M817_COMPROBAR(archivo.Leer(*registros + 1, r) && r == nuevo);
    return 0;
}
