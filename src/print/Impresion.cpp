#include "print/Impresion.h"

#include "platform/CausaSistema.h"
#include "platform/Texto1252.h"
#include "print/ContenidoNubePuntos.h"
#include "print/NubePuntos.h"
#include "validation/Identificadores.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <system_error>

namespace m817 {

const std::array<CopiaOficial, 3> kCopiasOficiales = {{
    {"Modelo 817 - Hoja 1_3", "Ejemplar para el sobre anual", false},
    {"Modelo 817 - Hoja 2_3", "Ejemplar para el sujeto pasivo", false},
    {"Modelo 817 - Hoja 3_3", "Ejemplar para la caja de la Administración - Entidad colaboradora", true},
}};

namespace {

constexpr const char* kCRLF = "\r\n";

std::string DosCifras(int n) {
    return std::string(n < 10 ? 1 : 0, '0').append(std::to_string(n));
}

bool SoloEspacios(const std::string& s) {
    return Recortar(s).empty();
}

} // namespace

ImpresiónDeclaración::ImpresiónDeclaración(HojaDeclaración& hoja, const ListaErrores& errores,
                                           ServicioMensajes& mensajes, ServicioReloj& reloj,
                                           ServicioCarpeta& carpeta, ServicioImpresoras& impresoras,
                                           ServicioCódigosBarras& códigos, ServicioAleatorio& aleatorio,
                                           std::string versión)
    : hoja_(hoja), errores_(errores), mensajes_(mensajes), reloj_(reloj), carpeta_(carpeta),
      impresoras_(impresoras), códigos_(códigos), aleatorio_(aleatorio), versión_(std::move(versión)) {}

void ImpresiónDeclaración::MoverPantallaARegistroImpresión() {
    m817::MoverPantallaARegistroImpresión(hoja_, reloj_.Ahora(), registro, descripciones);
}

std::string ImpresiónDeclaración::CopiarRegistroImpresión() {
    MoverPantallaARegistroImpresión();
    return CadenaRegistroImpresión(registro);
}

std::string ImpresiónDeclaración::FechaHoy() const {
    // Day, month and year whatever the machine's regional settings: the file must mean the same everywhere.
    const FechaHora hoy = reloj_.Ahora();
    return DosCifras(hoy.día) + "/" + DosCifras(hoy.mes) + "/" + std::to_string(hoy.año);
}

std::string ImpresiónDeclaración::GenerarJustificante() {
    const int ejercicio = acciones.EjercicioDeclaración
                              ? acciones.EjercicioDeclaración()
                              : std::atoi(Recortar(hoja_.Texto(campos::edtEjercicio)).c_str());
    // Drawn without reseeding: the generator was seeded once when the program started.
    const auto n = static_cast<long>(std::floor(aleatorio_.Siguiente() * 10'000'000.0));
    return ComponerJustificante(ejercicio, std::clamp(n, 0L, 9'999'999L));
}

std::string ImpresiónDeclaración::PiePáginaOficial(const std::string& númeroJustificante) const {
    using enum CampoImpresión;
    return "PA-817-" + versión_ + "-" + std::string(registro.Campo(NIF)) + "-" +
           std::string(registro.Campo(Ejercicio)) + "-" + std::string(registro.Campo(Periodo)) + "-" +
           númeroJustificante;
}

// ---- the print command ------------------------------------------------------------------------------

bool ImpresiónDeclaración::ComprobarErrores() {
    if (acciones.ValidarCampos) acciones.ValidarCampos();
    bool hayAvisos = false;
    for (const ListaErrores::Entrada& e : errores_.Entradas()) {
        if (e.imagen == ListaErrores::kImagenError) {
            if (acciones.MostrarPanelErrores) acciones.MostrarPanelErrores();
            mensajes_.Mostrar({W("Corrija los errores de la declaración antes de imprimir"),
                               kTítuloAplicación, Icono::Información, Botones::Aceptar});
            return false;
        }
        hayAvisos = hayAvisos || e.imagen == ListaErrores::kImagenAviso;
    }
    if (!hayAvisos) return true;
    if (acciones.MostrarPanelErrores) acciones.MostrarPanelErrores();
    return Preguntar(mensajes_, W("Compruebe los avisos que aparecen en la lista de errores.\r"
                                  "¿Continuar con la impresión?")) == Respuesta::Sí;
}

bool ImpresiónDeclaración::ConfirmarReimpresión() {
    const std::string& número = hoja_.Texto(campos::edtNúmeroJustificante);
    const std::string& fecha = hoja_.Texto(campos::edtFechaImpresión);
    if (SoloEspacios(número) || SoloEspacios(fecha)) return true;
    const std::string texto = W("Esta declaración ya había sido impresa con los siguientes datos: ") + kCRLF +
                              kCRLF + "                     Fecha de Impresion - " + fecha + kCRLF +
                              W("               Número de Justificante - ") + número + kCRLF + kCRLF +
                              W(" En caso de continuar con la operación, estos datos serán modificados") +
                              kCRLF + kCRLF + W("                ¿Desea continuar con la operación? ");
    return Preguntar(mensajes_, texto, "Aviso") == Respuesta::Sí;
}

void ImpresiónDeclaración::Imprimir() {
    try {
        if (acciones.ValidarÚltimoCampo && !acciones.ValidarÚltimoCampo()) return;
        if (!ComprobarErrores()) return;

        if (hoja_.RegistroModificado) {
            const Respuesta r =
                mensajes_.Mostrar({W("Debe guardar la declaración antes de imprimir.\r"
                                     "¿Desea guardarla ahora?"),
                                   kTítuloAplicación, Icono::Exclamación, Botones::SíNo, Respuesta::No});
            if (r != Respuesta::Sí) return;
            if (!acciones.GuardarDeclaración || !acciones.GuardarDeclaración(true)) return;
        }

        SelecciónImpresora diálogo(impresoras_, mensajes_, elegidas);
        const int modo = acciones.MostrarSelecciónImpresora ? acciones.MostrarSelecciónImpresora(diálogo) : 0;

        std::string número;
        if (modo == kModoBorrador) {
            MoverPantallaARegistroImpresión();
            if (ImprimirDeclaración(kModoBorrador, 0, número)) OfrecerCarpeta();
        } else if (modo == kModoOficial) {
            int resolución = 0;
            if (!ComprobarImpresora(impresoras_, mensajes_, resolución)) return;
            if (!ConfirmarReimpresión()) return;
            MoverPantallaARegistroImpresión();
            if (!ImprimirDeclaración(kModoOficial, resolución, número)) return;
            hoja_.EscribirTexto(campos::edtNúmeroJustificante, número);
            hoja_.EscribirTexto(campos::edtFechaImpresión, FechaHoy());
            // Until the silent save succeeds the return differs from its record, so closing asks.
            hoja_.RegistroModificado = true;
            if (acciones.GuardarDeclaración) acciones.GuardarDeclaración(false);
            if (acciones.MostrarAtención) acciones.MostrarAtención();
            OfrecerCarpeta();
        }
    } catch (const std::exception& e) {
        mensajes_.Mostrar({e.what(), kTítuloAplicación, Icono::Ninguno, Botones::Aceptar});
    }
}

// ---- the copies ---------------------------------------------------------------------------------------

void ImpresiónDeclaración::RestaurarPredeterminada() {
    if (!elegidas.ImpresoraAnterior.empty())
        EstablecerImpresoraPredeterminada(impresoras_, elegidas.ImpresoraAnterior);
}

void ImpresiónDeclaración::BorrarImágenes() {
    std::error_code ignorado;
    std::filesystem::remove(RutaNubePuntos(carpeta_), ignorado);
    std::filesystem::remove(RutaCódigoBarras(carpeta_), ignorado);
}

bool ImpresiónDeclaración::DestinoEsArchivo() {
    // The printer a job goes to: the one the "device" entry names, else the current one.
    const std::string device = impresoras_.LeerPerfil("windows", "device", "");
    const std::string nombre = device.substr(0, device.find(','));
    const auto instaladas = impresoras_.Instaladas();
    for (const auto& d : instaladas)
        if (d && d->nombre == nombre) return d->integrada;
    const auto actual = static_cast<std::size_t>(impresoras_.Actual());
    return actual >= 1 && actual <= instaladas.size() && instaladas[actual - 1] &&
           instaladas[actual - 1]->integrada;
}

void ImpresiónDeclaración::Fallo(const ResultadoImpresión& r) {
    std::string texto = "Error <" + std::to_string(r.código) + "> - " + r.descripción;
    // A print to a file that failed for a reason of the folder's says which and why.
    if (DestinoEsArchivo())
        if (const int causa = CausaEscritura(carpeta_.Impresiones()); causa != 0)
            texto += "\r" + LíneaCausa(carpeta_.Impresiones(), causa);
    RestaurarPredeterminada();
    mensajes_.Mostrar({texto, kTítuloAplicación, Icono::Ninguno, Botones::Aceptar});
}

// One copy to the printer. The printing system's benign complaints are passed over; any other
// failure stops the run, so that no receipt number is kept for copies that never reached paper.
bool ImpresiónDeclaración::Enviar(Informe& informe) {
    if (acciones.ProcesarEventos) acciones.ProcesarEventos();
    const ResultadoImpresión r = impresoras_.Imprimir(
        {informe.título, Recortar(registro.Campo(CampoImpresión::NIF)), {informe.página}});
    if (acciones.ProcesarEventos) acciones.ProcesarEventos();
    if (r.Correcto() || r.código == código_impresión::kAvisoImpresora ||
        r.código == código_impresión::kAvisoImagen) {
        if (std::filesystem::path archivo = impresoras_.ÚltimoArchivo(); !archivo.empty())
            archivos_.push_back(std::move(archivo));
        return true;
    }
    Fallo(r);
    return false;
}

bool ImpresiónDeclaración::ImprimirCopias(int modo, int resolución, std::string& númeroJustificante) {
    if (!elegidas.ImpresoraSeleccionada.empty())
        EstablecerImpresoraPredeterminada(impresoras_, elegidas.ImpresoraSeleccionada);
    Informe informe = CrearInforme();
    informe.MarcoOpaco(false);

    if (modo != kModoBorrador) {
        númeroJustificante = GenerarJustificante();
        const std::string contenido = ContenidoNubePuntos(registro, númeroJustificante, versión_);
        if (GenerarNubePuntos(contenido, resolución, carpeta_, códigos_, mensajes_) !=
            código_barras::kCorrecto) {
            RestaurarPredeterminada();
            return false;
        }
        informe.Mostrar("imgPDF", true);
        informe.Mostrar("rptNumeroJustificante", true);
        informe.Mostrar(kBorrador, false);
        if (const ResultadoImpresión r =
                RellenarInforme(informe, registro, descripciones, númeroJustificante, carpeta_, códigos_);
            !r.Correcto()) {
            Fallo(r);
            return false;
        }
        informe.PonerTexto("lblPiePágina", W(kCopiasOficiales[0].pie));
        informe.PonerTexto("lblPiePágina2", PiePáginaOficial(númeroJustificante));
        for (std::size_t i = 0; i < kCopiasOficiales.size(); ++i) {
            const CopiaOficial& copia = kCopiasOficiales[i];
            informe.PonerTexto("lblPiePágina", W(copia.pie));
            if (copia.marcoOpaco) informe.MarcoOpaco(true);
            informe.título = copia.título;
            if (!Enviar(informe)) {
                if (i > 0) AvisarCopiasImpresas(i);
                return false;
            }
        }
    } else {
        informe.Mostrar("imgPDF", false);
        informe.Mostrar("rptNumeroJustificante", false);
        informe.Mostrar(kBorrador, true);
        if (const ResultadoImpresión r =
                RellenarInforme(informe, registro, descripciones, "", carpeta_, códigos_);
            !r.Correcto()) {
            Fallo(r);
            return false;
        }
        informe.PonerTexto("lblPiePágina", "");
        informe.PonerTexto("lblPiePágina2", "");
        informe.título = kTítuloBorrador;
        if (!Enviar(informe)) return false;
    }
    RestaurarPredeterminada();
    return true;
}

// Copies that reached the printer before one failed carry a receipt number the return never gets.
void ImpresiónDeclaración::AvisarCopiasImpresas(std::size_t impresas) {
    const bool una = impresas == 1;
    std::string texto = una ? "Solo se ha impreso este ejemplar:" : "Solo se han impreso estos ejemplares:";
    for (std::size_t i = 0; i < impresas; ++i)
        texto += "\r   " + W(kCopiasOficiales[i].pie);
    texto += W("\r\rLa declaración no queda marcada como impresa. Deseche ") +
             (una ? "ese ejemplar" : "esos ejemplares") + W(" y vuelva a imprimir el modelo oficial.");
    if (!archivos_.empty()) {
        texto += W("\r\rArchivos PDF en la carpeta ") + W(archivos_.front().parent_path().string()) + ":";
        for (const std::filesystem::path& a : archivos_)
            texto += "\r   " + W(a.filename().string());
    }
    mensajes_.Mostrar({texto, kTítuloAplicación, Icono::Exclamación, Botones::Aceptar});
}

// After a print to files: where they are, and the folder opened on request.
void ImpresiónDeclaración::OfrecerCarpeta() {
    if (archivos_.empty() || escritorio == nullptr) return;
    const std::filesystem::path carpeta = archivos_.front().parent_path();
    std::string texto = archivos_.size() == 1 ? "La impresión se ha guardado como archivo PDF en la carpeta"
                                              : "La impresión se ha guardado como archivos PDF en la carpeta";
    texto = W(texto) + "\r" + W(carpeta.string()) + "\r";
    for (const std::filesystem::path& a : archivos_)
        texto += "\r" + W(a.filename().string());
    texto += W("\r\r¿Desea abrir la carpeta?");
    if (Preguntar(mensajes_, texto) != Respuesta::Sí) return;
    if (!escritorio->AbrirCarpeta(carpeta))
        MostrarError(mensajes_, "Error al intentar abrir la carpeta " + W(carpeta.string()));
}

bool ImpresiónDeclaración::ImprimirDeclaración(int modo, int resolución, std::string& númeroJustificante) {
    archivos_.clear();
    bool impreso = false;
    try {
        impreso = ImprimirCopias(modo, resolución, númeroJustificante);
    } catch (...) {
        RestaurarPredeterminada();
        BorrarImágenes();
        throw;
    }
    BorrarImágenes();
    return impreso;
}

} // namespace m817
