#include "lote/ImpresoraPdf.h"

#include "platform/Texto1252.h"
#include "platform/qt/DibujoInforme.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>

namespace m817::lote {

namespace {

std::pair<std::string, std::string> Clave(const std::string& sección, const std::string& entrada) {
    return {Mayúsculas(sección), Mayúsculas(entrada)};
}

} // namespace

std::vector<std::optional<DatosImpresora>> ImpresoraPdf::Instaladas() {
    DatosImpresora pdf;
    pdf.nombre = kNombre;
    pdf.calidad = kResolución;
    pdf.anchoPíxel = pdf.altoPíxel = kTwipsPorPulgada / kResolución;
    pdf.controlador = "PDF";
    pdf.puerto = "PDF";
    pdf.integrada = true;
    return {pdf};
}

std::string ImpresoraPdf::LeerPerfil(const std::string& sección, const std::string& entrada,
                                     const std::string& predeterminado) {
    const auto i = perfil_.find(Clave(sección, entrada));
    return i == perfil_.end() ? predeterminado : i->second;
}

void ImpresoraPdf::EscribirPerfil(const std::string& sección, const std::string& entrada,
                                  const std::string& valor) {
    perfil_[Clave(sección, entrada)] = valor;
}

ResultadoImpresión ImpresoraPdf::Imprimir(const TrabajoImpresión& trabajo) {
    const QString nombre = QString::fromStdU16String(destino_.u16string());
    QFile archivo(nombre);
    if (destino_.empty() || !archivo.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {código_impresión::kNoSePuedeIniciar,
                W("No se puede crear el archivo PDF ") + W(destino_.string())};
    {
        QPdfWriter escritor(&archivo);
        escritor.setResolution(kResolución);
        escritor.setPageSize(QPageSize(QPageSize::A4));
        escritor.setPageMargins(QMarginsF(0, 0, 0, 0));
        escritor.setTitle(QString::fromStdString(Utf8(trabajo.título)));
        escritor.setCreator(QStringLiteral("Modelo 817"));
        QPainter p;
        if (!p.begin(&escritor))
            return {código_impresión::kNoSePuedeIniciar, W("No se puede escribir el archivo PDF")};
        for (std::size_t i = 0; i < trabajo.páginas.size(); ++i) {
            if (i > 0) escritor.newPage();
            DibujarPágina(p, trabajo.páginas[i]);
        }
        p.end();
    }
    archivo.close();
    if (archivo.error() != QFileDevice::NoError)
        return {código_impresión::kImpresoraConError, W(archivo.errorString().toStdString())};
    ++escritos_;
    return {};
}

} // namespace m817::lote
