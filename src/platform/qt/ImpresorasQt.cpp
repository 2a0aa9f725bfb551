#include "platform/qt/ImpresorasQt.h"

#include "platform/Texto1252.h"
#include "platform/qt/DibujoInforme.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

namespace m817 {
namespace {

std::string A1252(const QString& s) {
    return W(s.toStdString());
}
QString DeTexto(const std::string& s1252) {
    return QString::fromStdString(Utf8(s1252));
}

// A name fit for a file on any system.
std::string NombreArchivo(std::string s) {
    for (char& c : s)
        if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos ||
            static_cast<unsigned char>(c) < 32)
            c = '_';
    return Recortar(s);
}

std::string Dos(int n) {
    return std::string(n < 10 ? 1 : 0, '0').append(std::to_string(n));
}

QPrinterInfo InfoSistema(const std::string& nombre) {
    for (const QPrinterInfo& i : QPrinterInfo::availablePrinters())
        if (A1252(i.printerName()) == nombre) return i;
    return {};
}

void DibujarPáginas(QPainter& p, QPagedPaintDevice& dispositivo, const TrabajoImpresión& trabajo) {
    for (std::size_t i = 0; i < trabajo.páginas.size(); ++i) {
        if (i > 0) dispositivo.newPage();
        DibujarPágina(p, trabajo.páginas[i]);
    }
}

} // namespace

ImpresorasQt::ImpresorasQt(const ServicioCarpeta& carpeta, ServicioReloj& reloj)
    : carpeta_(carpeta), reloj_(reloj), perfil_(carpeta.Configuración() / "Impresoras.ini") {
    Enumerar();
    const std::string sistema = PredeterminadaSistema();
    actual_ = kNombrePdf;
    for (const auto& d : lista_)
        if (d && d->nombre == sistema) actual_ = sistema;
}

void ImpresorasQt::Enumerar() {
    lista_.clear();
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
        if (info.isNull()) {
            lista_.emplace_back();
            continue;
        }
        const QPrinter impresora(info, QPrinter::HighResolution);
        const int resolución = impresora.resolution();
        if (resolución <= 0) { // no resolution: cannot be read
            lista_.emplace_back();
            continue;
        }
        DatosImpresora d;
        d.nombre = A1252(info.printerName());
        d.calidad = resolución;
        d.anchoPíxel = d.altoPíxel = kTwipsPorPulgada / resolución;
        d.controlador = "CUPS";
        d.puerto = d.nombre;
        for (char& c : d.puerto)
            if (c == ',') c = '_';
        lista_.push_back(std::move(d));
    }
    DatosImpresora pdf;
    pdf.nombre = kNombrePdf;
    pdf.calidad = kResoluciónPdf;
    pdf.anchoPíxel = pdf.altoPíxel = kTwipsPorPulgada / kResoluciónPdf;
    pdf.controlador = "PDF";
    pdf.puerto = "Impresiones";
    pdf.integrada = true;
    lista_.push_back(std::move(pdf));
}

std::vector<std::optional<DatosImpresora>> ImpresorasQt::Instaladas() {
    Enumerar();
    return lista_;
}

int ImpresorasQt::Actual() const {
    for (std::size_t i = 0; i < lista_.size(); ++i)
        if (lista_[i] && lista_[i]->nombre == actual_) return static_cast<int>(i + 1);
    return 0;
}

void ImpresorasQt::EstablecerActual(int posición) {
    if (posición >= 1 && posición <= static_cast<int>(lista_.size()) && lista_[posición - 1])
        actual_ = lista_[posición - 1]->nombre;
}

std::string ImpresorasQt::PredeterminadaSistema() const {
    return A1252(QPrinterInfo::defaultPrinterName());
}

std::string ImpresorasQt::LeerPerfil(const std::string& sección, const std::string& entrada,
                                     const std::string& predeterminado) {
    return perfil_.Leer(sección, entrada, predeterminado);
}

void ImpresorasQt::EscribirPerfil(const std::string& sección, const std::string& entrada,
                                  const std::string& valor) {
    // Installed, the settings folder is the user's own and private; a portable copy writes beside itself.
    std::error_code e;
    if (carpeta_.CrearCarpeta(carpeta_.Configuración())) std::filesystem::create_directories(carpeta_.Configuración(), e);
    perfil_.Escribir(sección, entrada, valor);
}

ResultadoImpresión ImpresorasQt::Imprimir(const TrabajoImpresión& trabajo) {
    // The default printer the profile names, or the current one when it names none installed.
    const std::string device = perfil_.Leer("windows", "device", "");
    std::string destino = device.substr(0, device.find(','));
    bool instalada = false;
    for (const auto& d : lista_)
        instalada = instalada || (d && d->nombre == destino);
    if (!instalada) destino = actual_;
    últimoArchivo_.clear();
    if (destino == kNombrePdf) return ImprimirPdf(trabajo);
    return ImprimirEnSistema(destino, trabajo);
}

ResultadoImpresión ImpresorasQt::ImprimirPdf(const TrabajoImpresión& trabajo) {
    const std::filesystem::path carpeta = CarpetaImpresiones();
    const auto noSePuede = [&] {
        return ResultadoImpresión{código_impresión::kNoSePuedeIniciar,
                                  W("No se puede crear el archivo PDF en ") +
                                      A1252(QString::fromStdU16String(carpeta.u16string()))};
    };
    std::error_code e;
    if (!carpeta_.CrearCarpeta(carpeta)) return noSePuede();
    std::filesystem::create_directories(carpeta, e);

    // Written whole under a temporary name in the same folder, then renamed into place: the
    // folder never holds half a PDF under a name the user may open.
    QTemporaryFile archivo(QString::fromStdU16String((carpeta / ".modelo817-XXXXXX.pdf").u16string()));
    if (!archivo.open()) return noSePuede();
    {
        QPdfWriter escritor(&archivo);
        escritor.setResolution(kResoluciónPdf);
        escritor.setPageSize(QPageSize(QPageSize::A4));
        escritor.setPageMargins(QMarginsF(0, 0, 0, 0));
        escritor.setTitle(DeTexto(trabajo.título));
        escritor.setCreator(QStringLiteral("Modelo 817"));
        QPainter p;
        if (!p.begin(&escritor))
            return {código_impresión::kNoSePuedeIniciar, W("No se puede escribir el archivo PDF")};
        DibujarPáginas(p, escritor, trabajo);
        p.end();
    }
    // A temporary file is the owner's only; a PDF gets what the user's files get.
    const mode_t máscara = ::umask(0);
    ::umask(máscara);
    ::fchmod(archivo.handle(), 0666 & ~máscara);
    if (!archivo.flush() || ::fsync(archivo.handle()) != 0 || archivo.error() != QFileDevice::NoError)
        return {código_impresión::kImpresoraConError, A1252(archivo.errorString())};

    // A new name every time: an earlier print is never overwritten. A link left with a free
    // name is replaced by the rename, never followed.
    const FechaHora t = reloj_.Ahora();
    std::string base = NombreArchivo(trabajo.título);
    if (!Recortar(trabajo.referencia).empty()) base += " - " + NombreArchivo(trabajo.referencia);
    base += " - " + std::to_string(t.año) + Dos(t.mes) + Dos(t.día) + "-" + Dos(t.hora) + Dos(t.minuto) +
            Dos(t.segundo);
    const std::filesystem::path temporal = archivo.fileName().toStdU16String();
    for (int n = 1; n < 1000; ++n) {
        const std::filesystem::path destino =
            carpeta / Utf8(base + (n > 1 ? " (" + std::to_string(n) + ")" : "") + ".pdf");
        const auto estado = std::filesystem::symlink_status(destino, e);
        if (estado.type() != std::filesystem::file_type::not_found &&
            estado.type() != std::filesystem::file_type::symlink)
            continue;
        archivo.close();
        std::filesystem::rename(temporal, destino, e);
        if (e)
            return {código_impresión::kImpresoraConError,
                    W("No se puede guardar el archivo PDF en ") +
                        A1252(QString::fromStdU16String(carpeta.u16string()))};
        archivo.setAutoRemove(false);
        últimoArchivo_ = destino;
        return {};
    }
    return noSePuede();
}

ResultadoImpresión ImpresorasQt::ImprimirEnSistema(const std::string& nombre,
                                                   const TrabajoImpresión& trabajo) {
    const QPrinterInfo info = InfoSistema(nombre);
    if (info.isNull())
        return {código_impresión::kSinImpresora, W("La impresora no está instalada: ") + nombre};
    QPrinter impresora(info, QPrinter::HighResolution);
    impresora.setDocName(DeTexto(trabajo.título));
    impresora.setFullPage(true);
    impresora.setPageSize(QPageSize(QPageSize::A4));
    impresora.setPageOrientation(QPageLayout::Portrait);
    QPainter p;
    if (!p.begin(&impresora))
        return {código_impresión::kNoSePuedeIniciar, W("No se puede imprimir en ") + nombre};
    DibujarPáginas(p, impresora, trabajo);
    p.end();
    if (impresora.printerState() == QPrinter::Error)
        return {código_impresión::kImpresoraConError,
                W("La impresora ") + nombre + W(" ha devuelto un error")};
    return {};
}

} // namespace m817
