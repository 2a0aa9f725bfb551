#include "lote/Lote.h"

#include "app/Hoja.h"
#include "app/PanelErrores.h"
#include "app/Version.h"
#include "platform/Aleatorio.h"
#include "platform/CarpetaPrograma.h"
#include "platform/Texto1252.h"
#include "print/ContenidoNubePuntos.h"
#include "print/Impresion.h"
#include "print/RegistroImpresion.h"
#include "store/ArchivoDeclaraciones.h"
#include "store/Conversion.h"
#include "store/RegistroDeclaracion.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <exception>
#include <sstream>
#include <system_error>
#include <thread>
#include <utility>

#include <cstdlib>
#include <unistd.h>

namespace m817::lote {

namespace {

namespace fs = std::filesystem;

// The question the print command asks before a return with warnings; --aceptar-avisos answers it.
constexpr const char* kPreguntaAvisos = "Compruebe los avisos que aparecen en la lista de errores.\r"
                                        "¿Continuar con la impresión?";

std::optional<std::int32_t> NúmeroDecimal(std::string_view s) {
    std::int32_t v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || r.ec != std::errc{} || r.ptr != s.data() + s.size()) return std::nullopt;
    return v;
}

// "N" or "N-M": the record numbers, or an error text.
std::string LeerRegistros(std::string_view s, std::vector<std::int32_t>& registros) {
    const auto guion = s.find('-', 1);
    const auto desde = NúmeroDecimal(s.substr(0, guion));
    const auto hasta = guion == std::string_view::npos ? desde : NúmeroDecimal(s.substr(guion + 1));
    if (!desde || !hasta || *desde < 1 || *hasta < *desde || *hasta > kMáximoRegistros)
        return "número de registro no válido: «" + std::string(s) + "» (un número de 1 a " +
               std::to_string(kMáximoRegistros) + ", o un intervalo como 3-7)";
    for (std::int32_t n = *desde; n <= *hasta; ++n)
        registros.push_back(n);
    return {};
}

std::string Plural(std::size_t n, const char* uno, const char* varios) {
    return std::to_string(n) + " " + (n == 1 ? uno : varios);
}

std::string Rellenar(std::string texto1252, std::size_t ancho) {
    if (texto1252.size() < ancho) texto1252.append(ancho - texto1252.size(), ' ');
    return texto1252;
}

// A text of the file as a terminal may show it: control characters (and the bytes that become C1 controls)
// written as \xHH, so that no escape sequence reaches the terminal and no line end forges a row.
std::string Visible(std::string_view texto1252) {
    std::string s;
    for (const char c : texto1252) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) {
            s += "\\x";
            s += "0123456789ABCDEF"[b >> 4];
            s += "0123456789ABCDEF"[b & 15];
        } else {
            s += c;
        }
    }
    return s;
}

// A field that a spreadsheet would take for a formula is written as text, with a leading '.
std::string Neutralizado(std::string utf8) {
    if (!utf8.empty() && std::string_view("=+-@\t\r").find(utf8.front()) != std::string_view::npos)
        utf8.insert(0, 1, '\'');
    return utf8;
}

std::string CampoCsv(const std::string& utf8) {
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
    std::string s = "\"";
    for (char c : utf8) {
        if (c == '"') s += '"';
        s += c;
    }
    return s + '"';
}

void EscribirEntradas(std::ostream& s, const std::vector<ListaErrores::Entrada>& entradas) {
    for (const auto& e : entradas) {
        const char* marca = e.imagen == ListaErrores::kImagenError   ? "ERROR"
                            : e.imagen == ListaErrores::kImagenAviso ? "AVISO"
                                                                     : "OK   ";
        s << "  " << marca << "  " << Utf8(e.texto) << '\n';
    }
}

// What one sheet found in one record, kept until the records are put out in order.
struct Revisión {
    std::string salida, error;
    std::size_t errores = 0, avisos = 0;
    bool abierta = false;
};

// Puts out what the sheets wrote, in record order, and the summary of the whole check; gives the exit code.
int EscribirRevisiones(const std::vector<Revisión>& revisiones, bool fallo, std::ostream& salida,
                       std::ostream& error) {
    std::size_t sinErrores = 0, conAvisos = 0, conErrores = 0, errores = 0, avisos = 0, sinAbrir = 0;
    for (const Revisión& v : revisiones) {
        salida << v.salida;
        error << v.error;
        errores += v.errores;
        avisos += v.avisos;
        if (!v.abierta)
            ++sinAbrir;
        else
            (v.errores > 0 ? conErrores : v.avisos > 0 ? conAvisos : sinErrores)++;
    }
    const std::size_t revisadas = revisiones.size() - sinAbrir;
    std::ostream& s = salida;
    s << "Resumen: " << Plural(revisadas, "declaración revisada", "declaraciones revisadas") << ": "
      << sinErrores << " sin errores ni avisos, " << conAvisos << " solo con avisos, " << conErrores
      << " con errores (" << Plural(errores, "error", "errores") << " y " << Plural(avisos, "aviso", "avisos")
      << ")";
    if (sinAbrir > 0) s << "; " << sinAbrir << " sin abrir";
    s << ".\n";
    if (fallo || sinAbrir > 0) return kSalidaFallo;
    return conErrores > 0 ? kSalidaConErrores : kSalidaCorrecta;
}

// The print run clears the bar-code bitmaps of the folder it is given at its end: a folder of its own, so
// that an official print of the program running beside it keeps its own.
// A new folder of an unpredictable name: nobody can have put a link there first.
struct CarpetaPrivada final : ServicioCarpeta {
    fs::path ruta;
    CarpetaPrivada() {
        std::string plantilla = (fs::temp_directory_path() / "modelo817-lote-XXXXXX").string();
        if (::mkdtemp(plantilla.data())) ruta = plantilla;
    }
    ~CarpetaPrivada() override {
        std::error_code ec;
        if (!ruta.empty()) fs::remove_all(ruta, ec);
    }
    fs::path Programa() const override { return ruta; }
};

// A sheet window as the program loads it, with message boxes and files of its own, so that several can work
// side by side. Its messages go to `error`.
class HojaLote {
  public:
    HojaLote(std::ostream& error, ServicioArchivos& real, const fs::path& rutaPrograma, const fs::path& ruta,
             ServicioReloj& reloj, ServicioCarpeta& carpeta)
        : mensajes(error), archivos(real, rutaPrograma, ruta), h(mensajes, reloj, carpeta, archivos),
          error_(error) {}

    // Form_Load; false when a reference table did not load, which would make every check of its field fail.
    bool Cargar() {
        mensajes.contexto.clear();
        mensajes.Reiniciar();
        h.Form_Load();
        recién_ = {h.validación.bMostrarErrorNIF, h.validación.bMostrarErrorJustificante};
        return mensajes.errores == 0;
    }

    // The record on the sheet as "Abrir" puts it there; contexto (UTF-8) names it in every message.
    bool Abrir(std::int32_t n, const std::string& contexto) {
        mensajes.contexto = contexto;
        mensajes.Reiniciar();
        // The return on the sheet is never saved here: leaving it asks nothing.
        h.hoja.RegistroModificado = false;
        // Each record opens as on a window just loaded: whether a wrong number shows its box depends on the
        // numbers met before.
        h.validación.bMostrarErrorNIF = recién_.first;
        h.validación.bMostrarErrorJustificante = recién_.second;
        if (h.AbrirDeclaración(n, n)) return true;
        error_ << "modelo817-lote: " << contexto << ": no se ha podido abrir la declaración\n";
        return false;
    }

    MensajesLote mensajes;
    ArchivosSoloLectura archivos;
    frmHoja1 h;

  private:
    std::ostream& error_;
    std::pair<bool, bool> recién_; // the message flags of the sheet just loaded
};

// What one command needs: the data file read once, and the services the sheets see.
class Sesión {
  public:
    Sesión(const Opciones& o, Entorno& e)
        : o_(o), e_(e), carpeta_(e.carpeta),
          ruta_(o.datos ? RutaDeclaraciones(*o.datos) : RutaDeclaraciones(carpeta_.DatosUsuario())),
          archivos_(e.archivos, RutaDeclaraciones(carpeta_.DatosUsuario()), ruta_),
          fijo_(o.fecha.value_or(FechaHora{})) {}

    int Ejecutar();

  private:
    ServicioReloj& Reloj() { return o_.fecha ? static_cast<ServicioReloj&>(fijo_) : e_.reloj; }
    std::string Ruta() const { return ruta_.string(); }
    std::string Contexto(std::int32_t n) const { return Ruta() + ", registro " + std::to_string(n); }
    // A failure of the command, on standard error: "modelo817-lote: <where>: <what>".
    void Fallo(const std::string& dónde, const std::string& qué) {
        e_.error << "modelo817-lote: " << dónde << ": " << qué << '\n';
    }

    bool LeerArchivo();
    // The chosen records that are there and live; a missing or deleted one has been told.
    std::vector<std::int32_t> Elegidos(bool& fallo);
    // A loaded sheet whose messages go to `error`; none when the tables did not load (told on standard
    // error).
    std::unique_ptr<HojaLote> CargarHoja(std::ostream& error);

    int Listar();
    int Validar();
    int Borrador();
    // What the print run of a draft asks of the window, answered by the batch sheet.
    void ConectarImpresión(AccionesImpresión& a, HojaLote& hoja);
    int Contenido();

    const Opciones& o_;
    Entorno& e_;
    ServicioCarpeta& carpeta_;
    fs::path ruta_;
    ArchivosSoloLectura archivos_;
    RelojFijo fijo_;
    std::vector<RegistroDeclaración> registros_; // every whole record, deleted ones included
};

bool Sesión::LeerArchivo() {
    const TipoRuta tipo = archivos_.Tipo(ruta_);
    if (tipo == TipoRuta::Ninguna) {
        Fallo(Ruta(), "no existe el archivo de declaraciones");
        return false;
    }
    if (tipo == TipoRuta::Carpeta) {
        Fallo(Ruta(), "es una carpeta, no un archivo de declaraciones");
        return false;
    }
    if (tipo == TipoRuta::Otra) {
        Fallo(Ruta(), "no es un archivo normal (es una FIFO, un dispositivo u otro archivo especial)");
        return false;
    }
    // A file of an earlier version has another record length: the program converts it when it starts,
    // which means writing it, and that is not for this command to do.
    {
        auto archivo = archivos_.Abrir(ruta_, ModoApertura::Lectura);
        const auto versión = archivo ? VersiónArchivo(*archivo) : std::nullopt;
        if (!versión) {
            Fallo(Ruta(), "no se puede leer el archivo");
            return false;
        }
        if (DisposiciónDeVersión(*versión)) {
            Fallo(Ruta(), "el archivo es de una versión anterior del programa (" + Utf8(*versión) +
                              "); ábralo antes con el programa, que lo convierte");
            return false;
        }
    }
    ArchivoDeclaraciones archivo(archivos_, ruta_);
    if (!archivo.AbrirLectura()) {
        if (!archivo.Problema().empty())
            e_.error << "modelo817-lote: " << Utf8(archivo.Problema()) << '\n';
        else
            Fallo(Ruta(), "no se puede leer el archivo");
        return false;
    }
    const bool leído = archivo.Recorrer([this](std::int32_t, std::string_view bytes) {
        registros_.push_back(RegistroDeclaración::DesdeBytes(bytes));
        return true;
    });
    if (!leído) Fallo(Ruta(), "no se puede leer el archivo");
    // The program puts the old record back when it next opens the file; here it is only read.
    if (const std::int32_t n = archivo.DeshechoEnMemoria(); leído && n > 0)
        Fallo(Contexto(n), "el registro quedó a medio guardar; se usa la versión anterior, que el programa "
                           "repondrá en el archivo al abrirlo");
    return leído;
}

std::vector<std::int32_t> Sesión::Elegidos(bool& fallo) {
    std::vector<std::int32_t> elegidos;
    if (o_.registros.empty()) {
        for (std::size_t i = 0; i < registros_.size(); ++i)
            if (registros_[i].Vivo()) elegidos.push_back(static_cast<std::int32_t>(i + 1));
        return elegidos;
    }
    for (std::int32_t n : o_.registros) {
        if (static_cast<std::size_t>(n) > registros_.size()) {
            Fallo(Contexto(n),
                  "no existe (el archivo tiene " + Plural(registros_.size(), "registro", "registros") + ")");
            fallo = true;
        } else if (!registros_[static_cast<std::size_t>(n - 1)].Vivo()) {
            Fallo(Contexto(n), "la declaración está eliminada");
            fallo = true;
        } else {
            elegidos.push_back(n);
        }
    }
    return elegidos;
}

std::unique_ptr<HojaLote> Sesión::CargarHoja(std::ostream& error) {
    auto hoja = std::make_unique<HojaLote>(error, e_.archivos, RutaDeclaraciones(carpeta_.DatosUsuario()),
                                           ruta_, Reloj(), carpeta_);
    if (hoja->Cargar()) return hoja;
    Fallo(carpeta_.Datos().string(), "no se han podido cargar las tablas de referencia");
    return nullptr;
}

int Sesión::Ejecutar() {
    if (!LeerArchivo()) return kSalidaFallo;
    switch (o_.orden) {
    case Orden::Listar:
        return Listar();
    case Orden::Validar:
        return Validar();
    case Orden::Borrador:
        return Borrador();
    case Orden::Contenido:
        return Contenido();
    default:
        return kSalidaFallo;
    }
}

// ---- listar ---------------------------------------------------------------------------------------------

int Sesión::Listar() {
    using enum CampoRegistro;
    // The columns of the window's list of saved returns, and the receipt number.
    using Fila = std::array<std::string, 8>;
    const Fila encabezado = {W("Registro"), W("N.I.F."),         W("Apellidos y Nombre"), W("Ejercicio"),
                             W("Periodo"),  W("Complementaria"), W("Impresión"),          W("Justificante")};
    std::vector<Fila> filas;
    for (std::size_t i = 0; i < registros_.size(); ++i) {
        const RegistroDeclaración& r = registros_[i];
        if (!r.Vivo()) continue;
        filas.push_back({std::to_string(i + 1), r.Valor(NIF), r.Valor(Nombre), r.Valor(Ejercicio),
                         r.Valor(Periodo), r.Valor(Complementaria) == "1" ? "C" : "",
                         r.Valor(FechaImpresión).empty() ? "" : "Emitida", r.Valor(NúmeroJustificante)});
    }

    std::ostream& s = e_.salida;
    if (o_.csv) {
        auto escribir = [&](const Fila& f) {
            for (std::size_t c = 0; c < f.size(); ++c)
                s << (c ? "," : "") << CampoCsv(Utf8(f[c]));
            s << "\r\n";
        };
        // Plain names for the programs that read it.
        escribir({"Registro", "NIF", "Nombre", "Ejercicio", "Periodo", "Complementaria", W("Impresión"),
                  "Justificante"});
        for (Fila f : filas) {
            for (std::string& campo : f)
                campo = W(Neutralizado(Utf8(campo)));
            escribir(f);
        }
        return kSalidaCorrecta;
    }
    for (Fila& f : filas)
        for (std::string& campo : f)
            campo = Visible(campo);

    // Columns as wide as their longest text (one byte is one character before the conversion); the number
    // to the right.
    std::array<std::size_t, 8> ancho{};
    for (std::size_t c = 0; c < 8; ++c)
        ancho[c] = encabezado[c].size();
    for (const Fila& f : filas)
        for (std::size_t c = 0; c < 8; ++c)
            ancho[c] = std::max(ancho[c], f[c].size());
    auto escribir = [&](const Fila& f) {
        std::string línea = std::string(ancho[0] - f[0].size(), ' ') + f[0];
        for (std::size_t c = 1; c < 8; ++c)
            línea += "  " + (c < 7 ? Rellenar(f[c], ancho[c]) : f[c]);
        s << Utf8(RecortarDerecha(línea)) << '\n';
    };
    escribir(encabezado);
    for (const Fila& f : filas)
        escribir(f);
    return kSalidaCorrecta;
}

// ---- validar --------------------------------------------------------------------------------------------

int Sesión::Validar() {
    using enum CampoRegistro;
    bool fallo = false;
    const std::vector<std::int32_t> elegidos = Elegidos(fallo);

    // Each record is checked on its own, so the records are shared out among sheets that work side by side,
    // and what each one wrote is put out in record order afterwards.
    struct Trabajador {
        std::ostringstream error;
        std::unique_ptr<HojaLote> hoja;
    };
    const std::size_t máquina = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t hilos =
        std::min(o_.hilos > 0 ? static_cast<std::size_t>(o_.hilos) : máquina, elegidos.size());
    std::vector<Trabajador> trabajadores(hilos);
    for (std::size_t k = 0; k < hilos; ++k) {
        Trabajador& t = trabajadores[k];
        t.hoja = CargarHoja(t.error);
        // What loading tells the user is told once.
        if (k == 0) e_.error << t.error.str();
        t.error.str("");
        if (!t.hoja) return kSalidaFallo;
    }

    std::vector<Revisión> revisiones(elegidos.size());
    std::atomic<std::size_t> siguiente{0};
    auto revisar = [&](Trabajador& t) {
        for (std::size_t i = siguiente++; i < elegidos.size(); i = siguiente++) {
            const std::int32_t n = elegidos[i];
            const RegistroDeclaración& r = registros_[static_cast<std::size_t>(n - 1)];
            Revisión& v = revisiones[i];
            std::ostringstream s;
            s << "Registro " << n << ": " << Utf8(r.Valor(NIF)) << "  " << Utf8(r.Valor(Nombre)) << "  "
              << Utf8(r.Valor(Ejercicio)) << ' ' << Utf8(r.Valor(Periodo)) << '\n';
            try {
                if (t.hoja->Abrir(n, Contexto(n))) {
                    // What the panel shows: the list the load filled, in the panel's order.
                    const std::vector<ListaErrores::Entrada> entradas = PanelErrores(t.hoja->h).Entradas();
                    EscribirEntradas(s, entradas);
                    for (const auto& e : entradas) {
                        v.errores += e.imagen == ListaErrores::kImagenError;
                        v.avisos += e.imagen == ListaErrores::kImagenAviso;
                    }
                    v.abierta = true;
                }
            } catch (const std::exception& e) {
                t.error << "modelo817-lote: " << Contexto(n) << ": " << e.what() << '\n';
            }
            if (!v.abierta) s << "  No se ha podido abrir la declaración\n";
            v.salida = s.str();
            v.error = t.error.str();
            t.error.str("");
        }
    };
    std::vector<std::thread> otros;
    for (std::size_t k = 1; k < hilos; ++k)
        otros.emplace_back(revisar, std::ref(trabajadores[k]));
    if (hilos > 0) revisar(trabajadores[0]);
    for (std::thread& h : otros)
        h.join();

    return EscribirRevisiones(revisiones, fallo, e_.salida, e_.error);
}

// ---- borrador -------------------------------------------------------------------------------------------

void Sesión::ConectarImpresión(AccionesImpresión& a, HojaLote& hoja) {
    frmHoja1& h = hoja.h;
    a.ValidarÚltimoCampo = [&h] { return h.ValidarÚltimoCampo(); };
    a.ValidarCampos = [&h] {
        bool cancelar = false;
        h.ValidarCampos(kTodosLosCampos, -1, cancelar);
    };
    // Where the window shows its panel, the entries go to standard error.
    a.MostrarPanelErrores = [this, &hoja] {
        e_.error << "modelo817-lote: " << hoja.mensajes.contexto << ": lista de errores:\n";
        EscribirEntradas(e_.error, PanelErrores(hoja.h).Entradas());
    };
    // The data file is never written: a print that would need a save does not happen.
    a.GuardarDeclaración = [](bool) { return false; };
    // The command line chose the printer and the kind of print.
    a.MostrarSelecciónImpresora = [](SelecciónImpresora&) { return kModoBorrador; };
    a.EjercicioDeclaración = [&h] { return static_cast<int>(h.EjercicioDeclaración()); };
}

int Sesión::Borrador() {
    using enum CampoRegistro;
    bool fallo = false;
    const std::vector<std::int32_t> elegidos = Elegidos(fallo);
    if (elegidos.empty()) return kSalidaFallo;

    const fs::path carpetaPdf = *o_.pdf;
    std::error_code ec;
    fs::create_directories(carpetaPdf, ec);
    if (!fs::is_directory(carpetaPdf, ec)) {
        Fallo(carpetaPdf.string(), "no se puede crear la carpeta de los PDF");
        return kSalidaFallo;
    }
    if (!e_.crearImpresora || !e_.códigos) {
        Fallo(Ruta(), "esta instalación no puede imprimir");
        return kSalidaFallo;
    }
    const std::unique_ptr<HojaLote> hoja = CargarHoja(e_.error);
    if (!hoja) return kSalidaFallo;
    frmHoja1& h = hoja->h;
    MensajesLote& mensajes = hoja->mensajes;
    if (o_.aceptarAvisos) mensajes.aceptadas.push_back(W(kPreguntaAvisos));

    CarpetaPrivada carpetaImpresión;
    if (carpetaImpresión.ruta.empty()) {
        Fallo(fs::temp_directory_path().string(), "no se puede crear una carpeta temporal");
        return kSalidaFallo;
    }
    std::unique_ptr<ImpresoraArchivo> impresora = e_.crearImpresora();
    AleatorioSistema aleatorio;
    ImpresiónDeclaración impresión(h.hoja, h.errores, mensajes, Reloj(), carpetaImpresión, *impresora,
                                   *e_.códigos, aleatorio, VersiónPrograma());
    ConectarImpresión(impresión.acciones, *hoja);

    bool retenido = false;
    for (std::int32_t n : elegidos) {
        if (!hoja->Abrir(n, Contexto(n))) {
            fallo = true;
            continue;
        }
        const fs::path archivo =
            carpetaPdf / NombreBorrador(n, registros_[static_cast<std::size_t>(n - 1)].Valor(NIF));
        impresora->Destino(archivo);
        const int antes = impresora->Escritos();
        const int erroresAntes = mensajes.errores;
        impresión.Imprimir();
        if (impresora->Escritos() > antes) {
            e_.salida << "Registro " << n << ": " << archivo.string() << '\n';
        } else if (h.errores.HayErrores() || mensajes.rechazadas > 0) {
            Fallo(Contexto(n), "no se imprime el borrador");
            retenido = true;
        } else {
            Fallo(Contexto(n), mensajes.errores > erroresAntes
                                   ? "no se imprime el borrador"
                                   : "no se ha podido escribir " + archivo.string());
            fallo = true;
        }
    }
    if (fallo) return kSalidaFallo;
    return retenido ? kSalidaConErrores : kSalidaCorrecta;
}

// ---- contenido ------------------------------------------------------------------------------------------

int Sesión::Contenido() {
    bool fallo = false;
    const std::vector<std::int32_t> elegidos = Elegidos(fallo);
    if (fallo || elegidos.size() != 1) return kSalidaFallo;
    const std::unique_ptr<HojaLote> hoja = CargarHoja(e_.error);
    if (!hoja || !hoja->Abrir(elegidos.front(), Contexto(elegidos.front()))) return kSalidaFallo;
    // Fields that did not load would make a string of another return.
    if (!hoja->h.ListaCamposNoCargados().empty()) {
        Fallo(Contexto(elegidos.front()), "no se ha podido leer la declaración entera");
        return kSalidaFallo;
    }
    // What "Copiar" puts on the clipboard in a debug run: the print record of the sheet, dated today.
    RegistroImpresión registro;
    DescripcionesImpresión descripciones;
    MoverPantallaARegistroImpresión(hoja->h.hoja, Reloj().Ahora(), registro, descripciones);
    const std::string cadena = CadenaRegistroImpresión(registro);
    e_.salida << Utf8(cadena) << '\n';
    if (cadena.size() != kLongitudRegistroImpresión) {
        Fallo(Contexto(elegidos.front()), "la cadena del registro no tiene " +
                                              std::to_string(kLongitudRegistroImpresión) + " caracteres");
        return kSalidaFallo;
    }
    return kSalidaCorrecta;
}

} // namespace

// ---- the command line -----------------------------------------------------------------------------------

std::optional<FechaHora> LeerFecha(std::string_view t) {
    if (t.size() != 10 || t[4] != '-' || t[7] != '-') return std::nullopt;
    const auto año = NúmeroDecimal(t.substr(0, 4)), mes = NúmeroDecimal(t.substr(5, 2)),
               día = NúmeroDecimal(t.substr(8, 2));
    if (!año || !mes || !día || *año < 1 || *mes < 1 || *mes > 12 || *día < 1) return std::nullopt;
    const bool bisiesto = (*año % 4 == 0 && *año % 100 != 0) || *año % 400 == 0;
    constexpr int días[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (*día > días[*mes - 1] + (*mes == 2 && bisiesto ? 1 : 0)) return std::nullopt;
    return FechaHora{*año, *mes, *día, 0, 0, 0};
}

namespace {

// Only the first error is told.
struct PrimerError {
    std::string& texto;
    void operator()(std::string t) const {
        if (texto.empty()) texto = std::move(t);
    }
};

// The options into o, and the words that are none into sueltos. False when the help was asked for.
bool LeerOpciones(const std::vector<std::string>& argumentos, Opciones& o, std::vector<std::string>& sueltos,
                  const PrimerError& error) {
    for (std::size_t i = 0; i < argumentos.size(); ++i) {
        std::string a = argumentos[i];
        std::optional<std::string> valor;
        if (const auto igual = a.find('='); a.starts_with("--") && igual != std::string::npos) {
            valor = a.substr(igual + 1);
            a.resize(igual);
        }
        auto siguiente = [&]() -> std::optional<std::string> {
            if (valor) return valor;
            if (i + 1 < argumentos.size()) return argumentos[++i];
            error("falta el valor de " + a);
            return std::nullopt;
        };
        if (a == "--help" || a == "-h") {
            o.orden = Orden::Ayuda;
            return false;
        } else if (a == "--csv" && !valor) {
            o.csv = true;
        } else if (a == "--aceptar-avisos" && !valor) {
            o.aceptarAvisos = true;
        } else if (a == "--datos") {
            if (auto v = siguiente()) o.datos = *v;
        } else if (a == "--pdf") {
            if (auto v = siguiente()) o.pdf = *v;
        } else if (a == "--hilos") {
            if (auto v = siguiente()) {
                const auto n = NúmeroDecimal(*v);
                if (!n || *n < 1 || *n > 256)
                    error("número de hilos no válido: «" + *v + "» (de 1 a 256)");
                else
                    o.hilos = *n;
            }
        } else if (a == "--fecha") {
            if (auto v = siguiente()) {
                o.fecha = LeerFecha(*v);
                if (!o.fecha) error("fecha no válida: «" + *v + "» (se espera AAAA-MM-DD)");
            }
        } else if (a.starts_with("-") && a.size() > 1) {
            error("opción desconocida: " + a);
        } else {
            sueltos.push_back(a);
        }
    }
    return true;
}

std::optional<Orden> OrdenDeNombre(std::string_view orden) {
    if (orden == "listar") return Orden::Listar;
    if (orden == "validar") return Orden::Validar;
    if (orden == "borrador") return Orden::Borrador;
    if (orden == "contenido") return Orden::Contenido;
    return std::nullopt;
}

// The options and record numbers each command needs or refuses.
void ComprobarCombinación(const Opciones& o, bool conRegistros, const PrimerError& error) {
    switch (o.orden) {
    case Orden::Listar:
        if (conRegistros) error("listar no admite números de registro");
        break;
    case Orden::Borrador:
        if (!conRegistros)
            error("borrador necesita al menos un número de registro");
        else if (!o.pdf)
            error("borrador necesita --pdf CARPETA");
        break;
    case Orden::Contenido:
        if (o.registros.size() != 1) error("contenido necesita un único número de registro");
        break;
    default:
        break;
    }
    if (o.csv && o.orden != Orden::Listar) error("--csv solo sirve con listar");
    if (o.pdf && o.orden != Orden::Borrador) error("--pdf solo sirve con borrador");
    if (o.aceptarAvisos && o.orden != Orden::Borrador) error("--aceptar-avisos solo sirve con borrador");
    if (o.hilos > 0 && o.orden != Orden::Validar) error("--hilos solo sirve con validar");
}

} // namespace

LecturaArgumentos LeerArgumentos(const std::vector<std::string>& argumentos) {
    LecturaArgumentos l;
    Opciones& o = l.opciones;
    std::vector<std::string> sueltos;
    const PrimerError error{l.error};

    if (!LeerOpciones(argumentos, o, sueltos, error)) return l;
    if (!l.error.empty()) return l;
    if (sueltos.empty()) {
        error("falta la orden (listar, validar, borrador o contenido)");
        return l;
    }

    const std::string& orden = sueltos.front();
    if (const auto leída = OrdenDeNombre(orden)) {
        o.orden = *leída;
    } else {
        error("orden desconocida: «" + orden + "»");
        return l;
    }
    for (std::size_t i = 1; i < sueltos.size() && l.error.empty(); ++i)
        error(LeerRegistros(sueltos[i], o.registros));
    if (!l.error.empty()) return l;

    ComprobarCombinación(o, sueltos.size() > 1, error);
    return l;
}

std::string NombreBorrador(std::int32_t n, std::string_view nif1252) {
    std::string número = std::to_string(n);
    número.insert(0, número.size() < 5 ? 5 - número.size() : 0, '0');
    std::string nif;
    for (char c : Recortar(nif1252))
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) nif += c;
    return "borrador-" + número + (nif.empty() ? "" : "-" + nif) + ".pdf";
}

std::string TextoAyuda() {
    return R"(Uso: modelo817-lote ORDEN [REGISTROS] [OPCIONES]

Trabaja con las declaraciones del modelo 817 guardadas en Declaraciones.txt sin
modificar nunca ese archivo. Cada declaración se pone en una hoja igual que al
abrirla con «Abrir» en el programa y se comprueba con las mismas reglas.

Órdenes:
  listar              Una línea por cada declaración guardada (las eliminadas no
                      aparecen): registro, N.I.F., apellidos y nombre, ejercicio,
                      periodo, «C» si es complementaria, «Emitida» si se ha
                      impreso el modelo oficial, y número de justificante.
  validar [N ...]     Comprueba las declaraciones indicadas (todas si no se indica
                      ninguna) y escribe la lista de errores de cada una como la
                      muestra el panel de errores, una entrada por línea: ERROR o
                      AVISO, número de orden y mensaje («OK» si no tiene errores).
                      Termina con un resumen.
  borrador N [...] --pdf CARPETA
                      Imprime el borrador de cada declaración en un archivo PDF de
                      CARPETA, llamado borrador-NNNNN-NIF.pdf (se sustituye el que
                      tenga el mismo nombre). Como en el programa, una declaración
                      con errores no se imprime, y una con avisos solo si se
                      indica --aceptar-avisos.
  contenido N         Escribe la cadena de 729 caracteres del registro de
                      impresión de la declaración N, la misma que copia el
                      programa ejecutado con el argumento «d».

REGISTROS son números de registro del archivo (el primero es el 1), separados
por espacios; «3-7» equivale a 3 4 5 6 7.

Opciones:
  --datos CARPETA     Usa CARPETA/Declaraciones.txt en lugar del archivo del
                      programa: el de la carpeta Datos que hay junto a él en una
                      copia portátil, o el de ~/.local/share/modelo817 (o de
                      $XDG_DATA_HOME/modelo817) en una instalación. Las tablas de
                      referencia se leen siempre de las del programa.
  --fecha AAAA-MM-DD  Trabaja como si hoy fuera esa fecha: las reglas del periodo
                      dependen del día, y el borrador y la cadena llevan la fecha.
  --csv               (listar) Escribe CSV en UTF-8, con una fila de encabezado.
                      Un campo que empieza por =, +, -, @, tabulador o retorno
                      de carro se escribe con un apóstrofo (') delante, para
                      que una hoja de cálculo no lo tome por una fórmula.
  --pdf CARPETA       (borrador) Carpeta de los PDF; se crea si no existe.
  --aceptar-avisos    (borrador) Responde «Sí» a la pregunta de continuar con una
                      declaración que tiene avisos.
  --hilos N           (validar) Revisa N declaraciones a la vez (por omisión,
                      tantas como procesadores tiene el equipo). La salida es
                      la misma con cualquier N.
  -h, --help          Muestra esta ayuda.

Los mensajes que el programa mostraría en una ventana se escriben en la salida
de errores, con el archivo y el registro delante. Nunca se hacen preguntas: la
operación que necesitaría una respuesta no se hace, y se explica por qué.

Estado de salida:
  0   todo correcto; con validar, ninguna declaración revisada tiene errores.
  1   validar: alguna declaración tiene errores; borrador: alguno no se ha
      impreso por los errores o los avisos de su declaración.
  2   error de uso, del archivo de declaraciones, de un registro (inexistente,
      eliminado o que no se puede abrir) o al escribir un PDF.
)";
}

int Ejecutar(const Opciones& opciones, Entorno& entorno) {
    if (opciones.orden == Orden::Ayuda) {
        entorno.salida << TextoAyuda();
        return kSalidaCorrecta;
    }
    try {
        Sesión sesión(opciones, entorno);
        return sesión.Ejecutar();
    } catch (const std::exception& e) {
        entorno.error << "modelo817-lote: " << e.what() << '\n';
        return kSalidaFallo;
    }
}

} // namespace m817::lote
