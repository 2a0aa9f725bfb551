#include "store/Conversion.h"

#include "model/Importes.h"
#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"

#include <algorithm>
#include <array>
#include <utility>

namespace m817 {

const DisposiciónAntigua kDisposiciónA{549, 13, 8, 461, 503, 523, 524, 537, 547, "_211.txt"};
const DisposiciónAntigua kDisposiciónB{682, 20, 15, 594, 636, 656, 657, 670, 680, "_232.txt"};

namespace {

using enum CampoRegistro;

// Every converted return belongs to the exercise of this build.
constexpr std::string_view kEjercicio = "2010";
constexpr std::size_t kPrimeraCasilla = 214;
constexpr std::size_t kAnchoCasilla = 19;
constexpr std::size_t kAnchoTipo = 6;
constexpr std::size_t kLíneas = 7;

// Fields at the same place and of the same width in both old layouts.
constexpr std::array<std::pair<CampoRegistro, std::size_t>, 17> kCamposIguales = {{
    {Marca, 0},
    {Modelo, 1},
    {Periodo, 16},
    {Administración, 18},
    {NIF, 23},
    {Nombre, 32},
    {Sigla, 107},
    {ViaPública, 109},
    {Número, 159},
    {Escalera, 164},
    {Piso, 166},
    {Puerta, 168},
    {Teléfono, 172},
    {Provincia, 187},
    {Municipio, 189},
    {CódigoPostal, 194},
    {Fax, 199},
}};

// Where the six further boxes go, in order.
constexpr std::array<CampoRegistro, 6> kOtrasCasillas = {Casilla16, Casilla17, Casilla18,
                                                         Casilla19, Casilla20, Casilla24};

std::string_view Trozo(std::string_view s, std::size_t posición, std::size_t ancho) {
    return posición < s.size() ? s.substr(posición, ancho) : std::string_view{};
}

std::string_view CasillaAntigua(std::string_view r, std::size_t i) {
    return Trozo(r, kPrimeraCasilla + kAnchoCasilla * (i - 1), kAnchoCasilla);
}

// A line is a live record unless its first character is "*" (an empty line counts as live).
bool EsViva(std::string_view comienzo) {
    return comienzo.empty() || comienzo[0] != '*';
}

// A backup name that is not taken: the plain one first, then numbered ones with the same ending.
std::optional<std::filesystem::path>
NombreCopiaLibre(ServicioArchivos& archivos, const std::filesystem::path& datos, const char* sufijo) {
    const std::string base = datos.filename().string();
    for (int i = 1; i < 1000; ++i) {
        const std::string nombre = base + (i == 1 ? "" : "-" + std::to_string(i)) + sufijo;
        const auto ruta = datos.parent_path() / nombre;
        if (!archivos.Existe(ruta)) return ruta;
    }
    return std::nullopt;
}

// Writes the converted file under its temporary name, then gives the old file its backup name as a second
// name and finally moves the new one over the data file in one rename. At every moment Declaraciones.txt is
// either the complete old file or the complete new one.
bool Sustituir(ServicioArchivos& archivos, const std::filesystem::path& datos,
               const std::filesystem::path& temporal, const std::string& contenido, const char* sufijo) {
    {
        auto nuevo = archivos.Abrir(temporal, ModoApertura::Nuevo);
        if (!nuevo || !nuevo->Escribir(0, contenido) || !nuevo->Sincronizar()) {
            nuevo.reset();
            archivos.Eliminar(temporal);
            return false;
        }
    }
    const auto copia = NombreCopiaLibre(archivos, datos, sufijo);
    if (!copia || !archivos.EnlazarOCopiar(datos, *copia)) {
        archivos.Eliminar(temporal);
        return false;
    }
    if (!archivos.Renombrar(temporal, datos)) {
        // The backup is only a second name of the unchanged data file.
        archivos.Eliminar(*copia);
        archivos.Eliminar(temporal);
        return false;
    }
    return true;
}

} // namespace

std::optional<std::string> VersiónArchivo(Archivo& archivo) {
    // Only the first characters of a line matter: its mark and its version. Once a live line has shown them
    // the answer is known, and the rest of the file (it may be gigabytes without a line end) is not read.
    std::string comienzo;
    bool hayLínea = false, trasCR = false;
    std::array<char, 65536> bloque;
    for (std::uint64_t posición = 0;;) {
        const auto leídos = archivo.Leer(posición, bloque);
        if (!leídos) return std::nullopt;
        if (*leídos == 0) break;
        posición += *leídos;
        for (std::size_t i = 0; i < *leídos; ++i) {
            const char c = bloque[i];
            if (c == '\n' && trasCR) {
                trasCR = false;
                continue;
            }
            trasCR = c == '\r';
            if (c == '\r') {
                if (EsViva(comienzo)) return Recortar(Trozo(comienzo, 4, 5));
                comienzo.clear();
                hayLínea = false;
                continue;
            }
            hayLínea = true;
            if (comienzo.size() < 9) comienzo += c;
            if (comienzo.size() == 9 && EsViva(comienzo)) return Recortar(Trozo(comienzo, 4, 5));
        }
    }
    // A last line without its end counts as a line.
    if (hayLínea && EsViva(comienzo)) return Recortar(Trozo(comienzo, 4, 5));
    return std::string{};
}

const DisposiciónAntigua* DisposiciónDeVersión(std::string_view versión) {
    // Versions compare as plain text, character by character.
    if (versión.empty() || versión >= kVersiónRegistroActual) return nullptr;
    return versión <= "2.1.1" ? &kDisposiciónA : &kDisposiciónB;
}

std::optional<RegistroDeclaración> ConvertirRegistro(std::string_view antiguo, const DisposiciónAntigua& d,
                                                     std::string_view versiónPrograma,
                                                     std::vector<int>* vaciadas) {
    if (antiguo.size() != d.longitud || antiguo.substr(d.posiciónFin, 2) != "\r\n") return std::nullopt;

    RegistroDeclaración r;
    for (const auto& [campo, posición] : kCamposIguales)
        r.Poner(campo, Trozo(antiguo, posición, Definición(campo).ancho));
    r.Poner(Versión, versiónPrograma);
    r.Poner(Ejercicio, kEjercicio);
    r.PonerMarcado(FPEfectivo, false);
    r.PonerMarcado(FPCuenta, false);
    for (int parte = 0; parte < 4; ++parte) {
        static constexpr std::array<std::size_t, 4> kDesplazamiento = {0, 4, 8, 10};
        const auto campo = CampoCCCDev(parte);
        r.Poner(campo, Trozo(antiguo, d.posiciónCuenta + kDesplazamiento[static_cast<std::size_t>(parte)],
                             Definición(campo).ancho));
    }
    r.Poner(Resultado, Trozo(antiguo, d.posiciónResultado, 1));
    r.Poner(NúmeroJustificante, Trozo(antiguo, d.posiciónJustificante, 13));
    r.Poner(FechaImpresión, Trozo(antiguo, d.posiciónFecha, 10));
    for (std::size_t i = 0; i < kOtrasCasillas.size(); ++i)
        r.Poner(kOtrasCasillas[i], CasillaAntigua(antiguo, d.primeraOtraCasilla + i));

    // Each old line goes to the base of its rate; a later line of the same rate wins, other rates are
    // dropped.
    for (std::size_t línea = 1; línea <= kLíneas; ++línea) {
        const std::string tipo =
            Recortar(Trozo(antiguo, d.posiciónTipos + kAnchoTipo * (línea - 1), kAnchoTipo));
        for (int k = 1; k <= 6; ++k)
            if (tipo == kTiposIniciales[static_cast<std::size_t>(k - 1)])
                r.Poner(*CampoCasilla(k), Recortar(CasillaAntigua(antiguo, línea)));
    }
    // The quotas are worked out again (layout B's are not trusted), in the program's own notation.
    for (int k = 1; k <= 6; ++k) {
        const std::string base = r.Valor(*CampoCasilla(k));
        const std::string tipo = r.Valor(CampoTipo(k));
        if (base.empty() || tipo.empty()) continue;
        const auto b = LeerNúmero(base);
        const auto t = LeerNúmero(tipo);
        const auto cuota = b && t ? Redondear(*b * *t / 100, 2) : std::nullopt;
        // An amount that cannot be read is left blank rather than holding up every other return.
        if (!cuota) {
            r.Poner(*CampoCasilla(k), "");
            if (vaciadas) vaciadas->insert(vaciadas->end(), {k, k + 6});
            continue;
        }
        r.Poner(*CampoCasilla(k + 6), TextoNúmero(*cuota));
    }
    // Complementaria, JustificanteComplementada, CCCIng and boxes 13, 14, 21 and 25 stay blank.
    return r;
}

std::optional<std::string> ConvertirContenido(std::string_view antiguo, const DisposiciónAntigua& d,
                                              std::string_view versiónPrograma, InformeConversión* informe) {
    std::string nuevo;
    const std::size_t enteros = antiguo.size() / d.longitud;
    std::size_t registros = enteros;
    // A last record missing only its line end is a record.
    std::string último;
    if (antiguo.size() % d.longitud == d.longitud - 2) {
        último = std::string(antiguo.substr(enteros * d.longitud)) + "\r\n";
        ++registros;
    }
    nuevo.reserve(registros * kLongitudRegistro);
    std::int32_t convertidos = 0;
    for (std::size_t i = 0; i < registros; ++i) {
        const std::string_view viejo = i < enteros ? antiguo.substr(i * d.longitud, d.longitud) : último;
        // Still a record of this layout.
        if (viejo.substr(d.posiciónFin, 2) != "\r\n") {
            if (informe)
                informe->problema = "el registro " + std::to_string(i + 1) + " (bytes " +
                                    std::to_string(i * d.longitud + 1) + " a " +
                                    std::to_string((i + 1) * d.longitud) +
                                    ") no termina con CR LF, como los registros de " +
                                    std::to_string(d.longitud) + " bytes de la versión anterior";
            return std::nullopt;
        }
        // Deleted returns are not carried over: the live ones are numbered again from 1.
        if (viejo[0] != ' ') continue;
        std::vector<int> vaciadas;
        const auto r = ConvertirRegistro(viejo, d, versiónPrograma, &vaciadas);
        if (!r) return std::nullopt;
        nuevo += r->Bytes();
        ++convertidos;
        if (informe && !vaciadas.empty()) {
            std::sort(vaciadas.begin(), vaciadas.end());
            informe->vaciadas.push_back({convertidos, r->Valor(NIF), std::move(vaciadas)});
        }
    }
    return nuevo;
}

bool TerminarPrograma(ResultadoConversión r) {
    return r == ResultadoConversión::Cancelado || r == ResultadoConversión::Fallido;
}

ResultadoConversión ConvertirArchivoDatos(ServicioArchivos& archivos,
                                          const std::filesystem::path& carpetaDatos,
                                          ServicioMensajes& mensajes, std::string_view versiónPrograma) {
    const auto datos = RutaDeclaraciones(carpetaDatos);
    const auto temporal = carpetaDatos / (std::string(kNombreArchivoDeclaraciones) + kSufijoTemporal);
    if (!archivos.Existe(datos)) return ResultadoConversión::SinCambios;
    // Only a regular file is read: a FIFO would wait for ever, a folder is no data file.
    if (const auto texto = TextoArchivoNoNormal(datos, archivos.Tipo(datos)); !texto.empty()) {
        MostrarError(mensajes, texto);
        return ResultadoConversión::Fallido;
    }
    // Left by a conversion that did not finish: the data file it was meant to replace is still the good one.
    if (archivos.Existe(temporal)) archivos.Eliminar(temporal);

    std::optional<std::string> versión;
    if (auto archivo = archivos.Abrir(datos, ModoApertura::Lectura)) versión = VersiónArchivo(*archivo);
    if (!versión) {
        MostrarError(mensajes, TextoErrorConversión());
        return ResultadoConversión::Fallido;
    }
    const DisposiciónAntigua* d = DisposiciónDeVersión(*versión);
    if (!d) return ResultadoConversión::SinCambios;

    // Worked out before asking: a file that cannot be converted is said so, with no question first.
    std::string antiguo;
    if (!archivos.LeerTodo(datos, antiguo)) {
        MostrarError(mensajes, TextoErrorConversión());
        return ResultadoConversión::Fallido;
    }
    InformeConversión informe;
    const auto nuevo = ConvertirContenido(antiguo, *d, versiónPrograma, &informe);
    if (!nuevo) {
        MostrarError(mensajes, TextoArchivoNoConvertible(datos, informe.problema));
        return ResultadoConversión::Fallido;
    }

    if (mensajes.Mostrar({TextoAvisoConversión(), kTítuloAplicación, Icono::Ninguno, Botones::AceptarCancelar,
                          Respuesta::Aceptar}) != Respuesta::Aceptar)
        return ResultadoConversión::Cancelado;

    if (!Sustituir(archivos, datos, temporal, *nuevo, d->sufijoCopia)) {
        MostrarError(mensajes, TextoErrorConversión());
        return ResultadoConversión::Fallido;
    }
    if (!informe.vaciadas.empty())
        mensajes.Mostrar({TextoCasillasVaciadas(informe), kTítuloAplicación, Icono::Exclamación,
                          Botones::Aceptar, Respuesta::Aceptar});
    return ResultadoConversión::Convertido;
}

std::string TextoAvisoConversión() {
    return W("Para poder continuar con la ejecución del programa se va a proceder a convertir el archivo de "
             "datos existente actualmente a la nueva versión.");
}

std::string TextoErrorConversión() {
    return "Error al intentar convertir el archivo de datos";
}

std::string TextoArchivoNoConvertible(const std::filesystem::path& datos, std::string_view problema) {
    return W("El archivo de datos " + datos.string() +
             " es de una versión anterior del programa, pero no se puede convertir: " +
             std::string(problema) + ".\r\nEl archivo original sigue sin cambios en " + datos.string() + ".");
}

std::string TextoCasillasVaciadas(const InformeConversión& informe) {
    std::string t = W("El archivo de datos se ha convertido, pero estos importes no se han podido leer y sus "
                      "casillas han quedado en blanco:");
    for (const auto& v : informe.vaciadas) {
        t += "\r\n" + W("Declaración ") + std::to_string(v.registro) + " (N.I.F. " + v.nif + "): casillas";
        for (std::size_t i = 0; i < v.casillas.size(); ++i)
            t += (i == 0 ? " " : ", ") + std::to_string(v.casillas[i]);
    }
    return t;
}

} // namespace m817
