#include "store/ArchivoDeclaraciones.h"

#include "platform/Texto1252.h"

#include <algorithm>
#include <vector>

namespace m817 {

namespace {

constexpr std::uint64_t kLongitud = kLongitudRegistro;
// Records read at once while scanning: big enough to read fast, small enough to stay in the cache.
constexpr std::size_t kRegistrosPorBloque = 1024;

std::uint64_t Posición(std::int32_t n) {
    return static_cast<std::uint64_t>(n - 1) * kLongitud;
}

// The side file of a rewrite: the record number in five digits, the old record, the new one, and a check of
// all that in eight hex digits, so that a side file cut or garbled by a crash is never taken for a good one.
constexpr std::size_t kDígitosNúmero = 5;
constexpr std::size_t kLongitudDeshacer = kDígitosNúmero + 2 * kLongitudRegistro + 8;

std::uint32_t Suma(std::string_view bytes) {
    std::uint32_t h = 2166136261u; // FNV-1a
    for (const char c : bytes)
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

std::string Hex(std::uint32_t v) {
    std::string t(8, '0');
    for (std::size_t i = 8; i-- > 0; v >>= 4)
        t[i] = "0123456789ABCDEF"[v & 15];
    return t;
}

struct Reescritura {
    std::int32_t n;
    std::string_view anterior, nuevo;
};

std::optional<Reescritura> LeerDeshacer(std::string_view t) {
    if (t.size() != kLongitudDeshacer) return std::nullopt;
    const std::string_view cuerpo = t.substr(0, kLongitudDeshacer - 8);
    if (t.substr(cuerpo.size()) != Hex(Suma(cuerpo))) return std::nullopt;
    std::int32_t n = 0;
    for (const char c : t.substr(0, kDígitosNúmero)) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (n < 1 || n > kMáximoRegistros) return std::nullopt;
    return Reescritura{n, t.substr(kDígitosNúmero, kLongitud),
                       t.substr(kDígitosNúmero + kLongitud, kLongitud)};
}

// What a rewrite cut short can leave: each byte is the old one or the new one.
bool Mezcla(std::string_view ahora, const Reescritura& r) {
    for (std::size_t i = 0; i < ahora.size(); ++i)
        if (ahora[i] != r.anterior[i] && ahora[i] != r.nuevo[i]) return false;
    return true;
}

} // namespace

std::filesystem::path RutaDeclaraciones(const std::filesystem::path& carpetaDatos) {
    return carpetaDatos / kNombreArchivoDeclaraciones;
}

ArchivoDeclaraciones::ArchivoDeclaraciones(ServicioArchivos& archivos, std::filesystem::path ruta)
    : archivos_(archivos), ruta_(std::move(ruta)) {}

std::filesystem::path ArchivoDeclaraciones::RutaDeshacer() const {
    std::filesystem::path ruta = ruta_;
    ruta += kSufijoDeshacer;
    return ruta;
}

void ArchivoDeclaraciones::ProblemaApertura() {
    problema_ = TextoArchivoNoNormal(ruta_, archivos_.Tipo(ruta_));
}

bool ArchivoDeclaraciones::AbrirLectura() {
    archivo_.reset();
    problema_.clear();
    deshecho_.reset();
    // Where the folder cannot be written, the side file waits for the next writer; reading goes on.
    if (const auto tipo = archivos_.Tipo(ruta_); tipo == TipoRuta::Archivo || tipo == TipoRuta::Ninguna)
        Deshacer();
    return AbrirComprobado(ModoApertura::Lectura);
}

bool ArchivoDeclaraciones::AbrirLecturaEscritura() {
    archivo_.reset();
    problema_.clear();
    deshecho_.reset();
    const auto tipo = archivos_.Tipo(ruta_);
    if (tipo != TipoRuta::Archivo && tipo != TipoRuta::Ninguna) {
        ProblemaApertura();
        return false;
    }
    if (!Deshacer()) return false;
    return AbrirComprobado(ModoApertura::LecturaEscritura);
}

bool ArchivoDeclaraciones::AbrirComprobado(ModoApertura modo) {
    archivo_ = archivos_.Abrir(ruta_, modo);
    if (!archivo_) {
        ProblemaApertura();
        return false;
    }
    bool bien;
    {
        const Cerrojo cerrojo(*archivo_, Bloqueo::Compartido);
        bien = cerrojo && Comprobar();
        // A reader that could not put back a rewrite cut short shows the old record instead.
        if (bien && modo == ModoApertura::Lectura) DeshacerEnMemoria();
    }
    if (!bien) archivo_.reset();
    return bien;
}

ArchivoDeclaraciones::ResultadoDeshacer
ArchivoDeclaraciones::GuardarDeshacer(std::int32_t n, std::string_view anterior, std::string_view nuevo) {
    const auto ruta = RutaDeshacer();
    std::string número = std::to_string(n);
    std::string texto = std::string(kDígitosNúmero - número.size(), '0') + número;
    texto.append(anterior).append(nuevo);
    texto += Hex(Suma(texto));
    auto archivo = archivos_.Abrir(ruta, ModoApertura::Nuevo);
    if (!archivo) return ResultadoDeshacer::NoCreado;
    if (archivo->Escribir(0, texto) && archivo->Sincronizar()) return ResultadoDeshacer::Guardado;
    archivo.reset();
    archivos_.Eliminar(ruta);
    return ResultadoDeshacer::Fallido;
}

bool ArchivoDeclaraciones::Deshacer() {
    const auto ruta = RutaDeshacer();
    if (!archivos_.Existe(ruta)) return true;
    std::unique_ptr<Archivo> archivo;
    if (archivos_.Existe(ruta_)) {
        archivo = archivos_.Abrir(ruta_, ModoApertura::LecturaEscritura);
        if (!archivo) return false;
    }
    // A writer holds the lock from before it makes the side file until it removes it: the side file found
    // under the lock was left by a writer that died.
    std::optional<Cerrojo> cerrojo;
    if (archivo) {
        cerrojo.emplace(*archivo, Bloqueo::Exclusivo);
        if (!*cerrojo) return false;
        if (!archivos_.Existe(ruta)) return true;
    }
    std::string texto;
    if (!archivos_.LeerTodo(ruta, texto)) return false;
    // A side file that does not check out was cut while it was written, before the record was touched.
    if (const auto r = LeerDeshacer(texto); r && archivo) {
        std::string ahora(kLongitudRegistro, ' ');
        const auto leídos = archivo->Leer(Posición(r->n), ahora);
        if (!leídos) return false;
        // A record that is wholly the new one was written to the end: it stays. One that is neither old
        // nor new bytes is not the record of this rewrite (the file was replaced): it is not touched.
        if (*leídos == kLongitudRegistro && ahora != r->nuevo && Mezcla(ahora, *r) &&
            (!archivo->Escribir(Posición(r->n), r->anterior) || !archivo->Sincronizar()))
            return false;
    }
    return archivos_.Eliminar(ruta);
}

void ArchivoDeclaraciones::DeshacerEnMemoria() {
    const auto ruta = RutaDeshacer();
    std::string texto;
    if (archivos_.Tipo(ruta) != TipoRuta::Archivo || !archivos_.LeerTodo(ruta, texto)) return;
    const auto r = LeerDeshacer(texto);
    if (!r) return;
    std::string ahora(kLongitudRegistro, ' ');
    const auto leídos = archivo_->Leer(Posición(r->n), ahora);
    if (leídos && *leídos == kLongitudRegistro && ahora != r->nuevo && Mezcla(ahora, *r))
        deshecho_ = Deshecho{r->n, std::string(r->anterior)};
}

std::optional<ArchivoDeclaraciones::Forma> ArchivoDeclaraciones::Medir() {
    if (!archivo_) return std::nullopt;
    const auto tamaño = archivo_->Tamaño();
    if (!tamaño) return std::nullopt;
    Forma f;
    f.tamaño = *tamaño;
    // Far past any count a save can reach; kept in range so that the numbers never wrap.
    f.registros = static_cast<std::int32_t>(std::min<std::uint64_t>(*tamaño / kLongitud, INT32_MAX - 2));
    f.cola = *tamaño % kLongitud;
    if (f.cola == kLongitud - 2) {
        std::array<char, 3> modelo{};
        const auto leídos = archivo_->Leer(*tamaño - f.cola + 1, modelo);
        if (!leídos) return std::nullopt;
        if (*leídos == 3 && std::string_view(modelo.data(), 3) == "817") {
            f.sinFinal = true;
            f.cola = 0;
            ++f.registros;
        }
    }
    return f;
}

std::optional<ArchivoDeclaraciones::Forma> ArchivoDeclaraciones::Comprobar() {
    const auto forma = Medir();
    if (!forma) return std::nullopt;
    // More than the program ever writes: no file of the program, and too big to list.
    if (forma->registros > kMáximoRegistros) {
        problema_ = W("El archivo de declaraciones ") + W(ruta_.string()) + " tiene " +
                    std::to_string(forma->registros) + W(" registros, más de los ") +
                    std::to_string(kMáximoRegistros) +
                    W(" que puede guardar el programa. No se escribe nada en él.");
        return std::nullopt;
    }
    const std::int32_t enteros = forma->registros - (forma->sinFinal ? 1 : 0);
    std::vector<char> bloque(std::min<std::size_t>(kRegistrosPorBloque, static_cast<std::size_t>(enteros)) *
                             kLongitudRegistro);
    for (std::int32_t primero = 1; primero <= enteros;) {
        const auto cuántos =
            std::min<std::size_t>(kRegistrosPorBloque, static_cast<std::size_t>(enteros - primero + 1));
        const std::span<char> destino(bloque.data(), cuántos * kLongitudRegistro);
        const auto leídos = archivo_->Leer(Posición(primero), destino);
        if (!leídos || *leídos != destino.size()) return std::nullopt;
        for (std::size_t i = 0; i < cuántos; ++i, ++primero) {
            const char* fin = bloque.data() + i * kLongitudRegistro + kLongitudRegistro - 2;
            if (fin[0] == '\r' && fin[1] == '\n') continue;
            problema_ = W("El archivo de declaraciones ") + W(ruta_.string()) +
                        W(" no está hecho de registros de 750 bytes terminados en CR LF: el registro ") +
                        std::to_string(primero) + " (bytes " + std::to_string(Posición(primero) + 1) + " a " +
                        std::to_string(Posición(primero) + kLongitud) +
                        W(") no termina así. No se escribe nada en él.");
            return std::nullopt;
        }
    }
    return forma;
}

std::optional<std::int32_t> ArchivoDeclaraciones::NúmeroRegistros() {
    const auto forma = Medir();
    if (!forma) return std::nullopt;
    return forma->registros;
}

bool ArchivoDeclaraciones::LeerRegistro(std::int32_t n, const Forma& forma, std::span<char> destino) {
    if (deshecho_ && deshecho_->n == n) {
        std::copy(deshecho_->anterior.begin(), deshecho_->anterior.end(), destino.begin());
        return true;
    }
    // The last record missing its line end reads as if it had it.
    const bool sinFinal = forma.sinFinal && n == forma.registros;
    const auto leer = destino.first(kLongitudRegistro - (sinFinal ? 2 : 0));
    const auto leídos = archivo_->Leer(Posición(n), leer);
    if (!leídos || *leídos != leer.size()) return false;
    if (sinFinal) {
        destino[kLongitudRegistro - 2] = '\r';
        destino[kLongitudRegistro - 1] = '\n';
    }
    return true;
}

bool ArchivoDeclaraciones::Leer(std::int32_t n, RegistroDeclaración& registro) {
    if (!archivo_) return false;
    const Cerrojo cerrojo(*archivo_, Bloqueo::Compartido);
    const auto forma = Medir();
    if (!cerrojo || !forma || n < 1 || n > forma->registros) return false;
    std::array<char, kLongitudRegistro> bytes;
    if (!LeerRegistro(n, *forma, bytes)) return false;
    registro = RegistroDeclaración::DesdeBytes({bytes.data(), bytes.size()});
    return true;
}

bool ArchivoDeclaraciones::Escribir(std::int32_t n, const RegistroDeclaración& registro) {
    problema_.clear();
    resto_.clear();
    if (!archivo_) return false;
    const Cerrojo cerrojo(*archivo_, Bloqueo::Exclusivo);
    return cerrojo && EscribirBloqueado(n, registro);
}

std::optional<std::int32_t> ArchivoDeclaraciones::Añadir(const RegistroDeclaración& registro) {
    problema_.clear();
    resto_.clear();
    if (!archivo_) return std::nullopt;
    // The number is the count under the lock: another process may have added records meanwhile.
    const Cerrojo cerrojo(*archivo_, Bloqueo::Exclusivo);
    const auto forma = cerrojo ? Medir() : std::nullopt;
    if (!forma || !EscribirBloqueado(forma->registros + 1, registro)) return std::nullopt;
    return forma->registros + 1;
}

bool ArchivoDeclaraciones::GuardarResto(std::uint64_t desde, std::uint64_t tamaño) {
    std::string bytes(static_cast<std::size_t>(tamaño), '\0');
    const auto leídos = archivo_->Leer(desde, bytes);
    if (!leídos || *leídos != bytes.size()) return false;
    const std::string base = ruta_.filename().string();
    for (int i = 1; i < 1000; ++i) {
        auto ruta = ruta_.parent_path() / (base + (i == 1 ? "" : "-" + std::to_string(i)) + kSufijoResto);
        if (archivos_.Tipo(ruta) != TipoRuta::Ninguna) continue;
        auto archivo = archivos_.Abrir(ruta, ModoApertura::Nuevo);
        if (archivo && archivo->Escribir(0, bytes) && archivo->Sincronizar()) {
            resto_ = std::move(ruta);
            return true;
        }
        archivo.reset();
        archivos_.Eliminar(ruta);
        return false;
    }
    return false;
}

bool ArchivoDeclaraciones::EscribirBloqueado(std::int32_t n, const RegistroDeclaración& registro) {
    auto forma = Comprobar();
    if (!forma || n < 1 || n > forma->registros + 1 || n > kMáximoRegistros) return false;
    std::uint64_t tamaño = forma->tamaño;
    const std::uint64_t posición = Posición(n);

    // A last record without its line end gets it before anything else is written.
    if (forma->sinFinal) {
        if (!archivo_->Escribir(tamaño, "\r\n") || !archivo_->Sincronizar()) {
            archivo_->Truncar(tamaño);
            return false;
        }
        tamaño += 2;
    }
    // Bytes after the last record that the new one would cover are kept first.
    if (n == forma->registros + 1 && forma->cola > 0 && !GuardarResto(posición, forma->cola)) return false;

    // What the slot holds now (a whole record, the bytes of a cut one, or nothing), to put back on failure.
    std::string anterior;
    if (tamaño > posición) {
        anterior.resize(static_cast<std::size_t>(std::min(tamaño - posición, kLongitud)));
        const auto leídos = archivo_->Leer(posición, anterior);
        if (!leídos || *leídos != anterior.size()) return false;
    }

    // Appending needs no undo: a cut record at the end is no record. Where the folder takes no new file,
    // the rewrite is the plain synced one.
    bool reescritura = anterior.size() == kLongitud;
    if (reescritura) {
        const auto deshacer = GuardarDeshacer(n, anterior, registro.Bytes());
        if (deshacer == ResultadoDeshacer::Fallido) return false;
        reescritura = deshacer == ResultadoDeshacer::Guardado;
    }
    if (archivo_->Escribir(posición, registro.Bytes()) && archivo_->Sincronizar() &&
        (!reescritura || archivos_.Eliminar(RutaDeshacer()))) {
        if (deshecho_ && deshecho_->n == n) deshecho_.reset();
        return true;
    }

    // Shorten first: that frees space, so the old bytes, which fit within the old length, can go back.
    archivo_->Truncar(tamaño);
    if (!anterior.empty()) archivo_->Escribir(posición, anterior);
    // Only once the old record is back for sure has the side file nothing left to undo.
    if (archivo_->Sincronizar() && reescritura) archivos_.Eliminar(RutaDeshacer());
    return false;
}

bool ArchivoDeclaraciones::Recorrer(const std::function<bool(std::int32_t, std::string_view)>& visitante) {
    if (!archivo_) return false;
    const Cerrojo cerrojo(*archivo_, Bloqueo::Compartido);
    const auto forma = Medir();
    if (!cerrojo || !forma) return false;
    const std::int32_t registros = forma->registros;
    // No bigger than the file: a scan of a short file should not clear a whole block first.
    const auto porBloque = std::min<std::size_t>(kRegistrosPorBloque, static_cast<std::size_t>(registros));
    std::vector<char> bloque(porBloque * kLongitudRegistro);
    // The last record missing its line end, and one shown as it was before a cut rewrite, are read alone.
    auto aparte = [&](std::int32_t n) {
        return (forma->sinFinal && n == registros) || (deshecho_ && deshecho_->n == n);
    };
    for (std::int32_t primero = 1; primero <= registros;) {
        std::size_t cuántos =
            std::min<std::size_t>(kRegistrosPorBloque, static_cast<std::size_t>(registros - primero + 1));
        for (std::size_t i = 0; i < cuántos; ++i)
            if (aparte(primero + static_cast<std::int32_t>(i))) {
                cuántos = std::max<std::size_t>(i, 1);
                break;
            }
        const std::span<char> destino(bloque.data(), cuántos * kLongitudRegistro);
        if (aparte(primero)) {
            if (!LeerRegistro(primero, *forma, destino)) return false;
        } else {
            const auto leídos = archivo_->Leer(Posición(primero), destino);
            if (!leídos || *leídos != destino.size()) return false;
        }
        for (std::size_t i = 0; i < cuántos; ++i, ++primero)
            if (!visitante(primero, {bloque.data() + i * kLongitudRegistro, kLongitudRegistro})) return true;
    }
    return true;
}

ClaveDuplicado ClaveDuplicado::De(const RegistroDeclaración& r) {
    return {r.Valor(CampoRegistro::NIF), r.Valor(CampoRegistro::Ejercicio), r.Valor(CampoRegistro::Periodo),
            r.Valor(CampoRegistro::Complementaria)};
}

std::optional<ResultadoDuplicados> BuscarDuplicados(ArchivoDeclaraciones& archivo,
                                                    const ClaveDuplicado& clave) {
    ClaveDuplicado buscada{Recortar(clave.nif), Recortar(clave.ejercicio), Recortar(clave.periodo),
                           Recortar(clave.complementaria)};
    const auto& dNIF = Definición(CampoRegistro::NIF);
    const auto& dEjercicio = Definición(CampoRegistro::Ejercicio);
    const auto& dPeriodo = Definición(CampoRegistro::Periodo);
    const auto& dComplementaria = Definición(CampoRegistro::Complementaria);
    // Trims without building strings: the scan runs over every record of the file on each first save.
    auto recortado = [](std::string_view bytes, const DefiniciónCampoRegistro& d) {
        std::string_view campo = bytes.substr(d.posición, d.ancho);
        while (!campo.empty() && campo.front() == ' ')
            campo.remove_prefix(1);
        while (!campo.empty() && campo.back() == ' ')
            campo.remove_suffix(1);
        return campo;
    };
    auto igual = [&](std::string_view bytes, const DefiniciónCampoRegistro& d, const std::string& valor) {
        return recortado(bytes, d) == valor;
    };
    // A converted return leaves the flag blank: it is not a complementary one.
    if (buscada.complementaria.empty()) buscada.complementaria = "0";
    auto igualComplementaria = [&](std::string_view bytes) {
        const std::string_view c = recortado(bytes, dComplementaria);
        return (c.empty() ? std::string_view("0") : c) == buscada.complementaria;
    };
    ResultadoDuplicados r;
    const bool bien = archivo.Recorrer([&](std::int32_t n, std::string_view bytes) {
        r.registros = n;
        if (r.primerDuplicado == 0 && bytes[0] == ' ' && igual(bytes, dNIF, buscada.nif) &&
            igual(bytes, dEjercicio, buscada.ejercicio) && igual(bytes, dPeriodo, buscada.periodo) &&
            igualComplementaria(bytes))
            r.primerDuplicado = n;
        return true;
    });
    if (!bien) return std::nullopt;
    return r;
}

RegistroDeclaración RegistroBorrado() {
    RegistroDeclaración r;
    r.MarcarBorrado();
    return r;
}

std::string TextoErrorAbrir() {
    return W("Error al intentar abrir la declaración seleccionada");
}
std::string TextoErrorGuardar() {
    return W("Error al intentar guardar la declaración");
}
std::string TextoErrorEliminar() {
    return W("Error al intentar eliminar la declaración seleccionada");
}

std::string TextoArchivoNoNormal(const std::filesystem::path& ruta, TipoRuta tipo) {
    const std::string nombre = W("El archivo de declaraciones ") + W(ruta.string());
    if (tipo == TipoRuta::Carpeta) return nombre + W(" es una carpeta, no un archivo.");
    if (tipo == TipoRuta::Otra)
        return nombre + W(" no es un archivo normal (es una FIFO, un dispositivo u otro archivo especial).");
    return {};
}

std::string TextoRestoGuardado(const std::filesystem::path& ruta) {
    return W("Al final del archivo de declaraciones había datos que no formaban una declaración completa. "
             "Antes de guardar, se han copiado en ") +
           W(ruta.string());
}

std::string TextoPreguntaDuplicado(bool complementaria) {
    return W(complementaria
                 ? "Ya existe una declaración complementaria para el mismo N.I.F., Ejercicio y Periodo."
                 : "Ya existe una declaración para el mismo N.I.F., Ejercicio y Periodo.") +
           "\r" + W("¿Desea continuar guardando la declaración?");
}

std::string TextoConfirmarEliminar(const RegistroDeclaración& r) {
    using enum CampoRegistro;
    std::string t = W("¿Confirmar eliminar el registro seleccionado?") + "\r";
    t += "\r\tN.I.F.:\t" + std::string(r.Campo(NIF));
    t += "\r\tNombre:\t" + std::string(r.Campo(Nombre));
    t += "\r\tEjercicio:\t" + std::string(r.Campo(Ejercicio));
    t += "\r\tPeriodo:\t" + std::string(r.Campo(Periodo)) + "\r";
    t += "\r\tComplementaria:\t" + std::string(r.Valor(Complementaria) == "1" ? "S" : "N") + "\r";
    return t;
}

std::string TextoAvisoGuardarImpresa(std::string_view fechaImpresión, std::string_view númeroJustificante) {
    const std::string crlf = "\r\n";
    return W("Esta declaración ya había sido impresa con los siguientes datos: ") + crlf + crlf +
           std::string(21, ' ') + "Fecha de Impresion - " + std::string(fechaImpresión) + crlf +
           std::string(15, ' ') + W("Número de Justificante - ") + std::string(númeroJustificante) + crlf +
           crlf + W(" En caso de continuar con la operación, estos datos serán borrados") + crlf + crlf +
           std::string(16, ' ') + W("¿Desea continuar con la operación? ");
}

} // namespace m817
