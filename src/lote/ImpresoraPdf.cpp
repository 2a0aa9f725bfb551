#include "lote/ImpresoraPdf.h"

#include "platform/ArchivosPosix.h"
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
    if (destino_.empty())
        return {código_impresión::kNoSePuedeIniciar, W("No se puede crear el archivo PDF ")};
    // Written under a temporary name and renamed into place: a full disk leaves no cut PDF under the name,
    // and a link with that name is replaced, not written through.
    ResultadoImpresión resultado;
    const bool escrito = EscribirPorNombreTemporal(destino_, [&](int descriptor) {
        QFile archivo;
        if (!archivo.open(descriptor, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
            resultado = {código_impresión::kNoSePuedeIniciar,
                         W("No se puede crear el archivo PDF ") + W(destino_.string())};
            return false;
        }
        {
            QPdfWriter escritor(&archivo);
            escritor.setResolution(kResolución);
            escritor.setPageSize(QPageSize(QPageSize::A4));
            escritor.setPageMargins(QMarginsF(0, 0, 0, 0));
            escritor.setTitle(QString::fromStdString(Utf8(trabajo.título)));
            escritor.setCreator(QStringLiteral("Modelo 817"));
            QPainter p;
            if (!p.begin(&escritor)) {
                resultado = {código_impresión::kNoSePuedeIniciar, W("No se puede escribir el archivo PDF")};
                return false;
            }
            for (std::size_t i = 0; i < trabajo.páginas.size(); ++i) {
                if (i > 0) escritor.newPage();
                DibujarPágina(p, trabajo.páginas[i]);
            }
            p.end();
        }
        archivo.close();
        if (archivo.error() != QFileDevice::NoError) {
            resultado = {código_impresión::kImpresoraConError, W(archivo.errorString().toStdString())};
            return false;
        }
        return true;
    });
    if (!escrito) {
        if (resultado.código == 0)
            resultado = {código_impresión::kImpresoraConError,
                         W("No se puede escribir el archivo PDF ") + W(destino_.string())};
        return resultado;
    }
    ++escritos_;
    return {};
}

} // namespace m817::lote
