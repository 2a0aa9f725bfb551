// Every text of the printed page is shown whole: a value wider than its box at its own size is drawn smaller,
// then on two lines, never cut. Checked on the real PDF as a text extractor reads it.
#include "platform/Texto1252.h"
#include "platform/qt/CodigosBarrasZint.h"
#include "platform/qt/ImpresorasQt.h"
#include "print/ContenidoNubePuntos.h"
#include "print/HojaImpresion.h"
#include "print/Impresion.h"
#include "print/Informe.h"
#include "print/NubePuntos.h"
#include "support/Dobles.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <cstring>
#include <regex>

namespace m817 {
namespace {

using prueba::Repetir;

// Every field of the print record at its full width: texts in the widest letters, numbers in nines.
RegistroImpresión RegistroMásAncho() {
    RegistroImpresión r;
    for (const DefiniciónImpresión& d : DefinicionesImpresión()) {
        for (int m = 0; m < d.miembros; ++m) {
            const int i = d.primerÍndice < 0 ? -1 : d.primerÍndice + m;
            const std::size_t ancho = RegistroImpresión::Ancho(d.campo, i);
            std::string valor;
            switch (d.regla) {
            case ReglaImpresión::Número:
            case ReglaImpresión::CódigoNúmero:
            case ReglaImpresión::Tipo:
                valor = std::string(ancho, '9');
                break;
            case ReglaImpresión::Importe:
                valor = "-" + std::string(ancho - 1, '9');
                break;
            case ReglaImpresión::Marca:
                valor = "1";
                break;
            case ReglaImpresión::Fecha:
                valor = "30092010"; // the longest month's name
                break;
            case ReglaImpresión::Modelo:
                valor = "817";
                break;
            default:
                valor = Repetir("WMÑ", ancho);
            }
            r.Poner(d.campo, i, valor);
        }
    }
    return r;
}

struct Palabra {
    std::string texto;     // UTF-8
    double x0, y0, x1, y1; // points from the top left corner
};

std::string SinEntidades(std::string s) {
    for (const auto& [entidad, c] :
         {std::pair{"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}}) {
        for (std::size_t p = s.find(entidad); p != std::string::npos; p = s.find(entidad, p + 1))
            s.replace(p, std::strlen(entidad), c);
    }
    return s;
}

// The words of the first page and their boxes, as `pdftotext -bbox` gives them.
std::vector<Palabra> PalabrasPdf(const std::filesystem::path& pdf) {
    const std::filesystem::path html = pdf.parent_path() / "palabras.html";
    QProcess proceso;
    proceso.start(QStandardPaths::findExecutable("pdftotext"),
                  {"-bbox", "-f", "1", "-l", "1", QString::fromStdString(pdf.string()),
                   QString::fromStdString(html.string())});
    if (!proceso.waitForFinished(60000) || proceso.exitCode() != 0) return {};
    const std::string texto = prueba::LeerArchivo(html);
    const std::regex palabra(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    std::vector<Palabra> r;
    for (auto i = std::sregex_iterator(texto.begin(), texto.end(), palabra); i != std::sregex_iterator(); ++i)
        r.push_back({SinEntidades((*i)[5]), std::stod((*i)[1]), std::stod((*i)[2]), std::stod((*i)[3]),
                     std::stod((*i)[4])});
    return r;
}

// Inside the box of a text item that holds it, within a twentieth of a point.
bool EnSuCaja(const Palabra& p, const ElementoPágina& e) {
    constexpr double kHolgura = 0.05;
    const double x0 = e.izquierda / 20, y0 = e.arriba / 20, x1 = (e.izquierda + e.ancho) / 20,
                 y1 = (e.arriba + e.alto) / 20;
    return Utf8(e.texto).find(p.texto) != std::string::npos && p.x0 >= x0 - kHolgura &&
           p.x1 <= x1 + kHolgura && p.y0 >= y0 - kHolgura && p.y1 <= y1 + kHolgura;
}

TEST(TextoInforme, ConLasLetrasMásAnchasCadaPalabraQuedaDentroDeSuCaja) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "pdftotext no está instalado";
    const RegistroImpresión registro = RegistroMásAncho();
    DescripcionesImpresión descripciones;
    descripciones.NombreProvincia = Repetir("WMÑ", DescripcionesImpresión::kAnchoNombre);
    descripciones.NombreMunicipio = Repetir("MWÑ", DescripcionesImpresión::kAnchoNombre);
    const std::string número = "8170612345676";

    for (const bool oficial : {false, true}) {
        SCOPED_TRACE(oficial ? "oficial" : "borrador");
        prueba::CarpetaTemporal carpeta;
        prueba::MensajesGuion mensajes;
        prueba::RelojFijo reloj;
        CódigosBarrasZint zint;
        Informe informe = CrearInforme();
        informe.Mostrar("imgPDF", oficial);
        informe.Mostrar("rptNumeroJustificante", oficial);
        informe.Mostrar("lblBorrador", !oficial);
        if (oficial) {
            ASSERT_EQ(GenerarNubePuntos(ContenidoNubePuntos(registro, número, "3.2.0.2"), 600, carpeta, zint,
                                        mensajes),
                      0);
        }
        ASSERT_TRUE(RellenarInforme(informe, registro, descripciones, oficial ? número : "", carpeta, zint)
                        .Correcto());
        if (oficial) {
            // The longest footer, that of copy 3, and the footer line of the widest tax number.
            informe.PonerTexto("lblPiePágina", W(kCopiasOficiales[2].pie));
            informe.PonerTexto("lblPiePágina2", "PA-817-3.2.0.2-" +
                                                    std::string(registro.Campo(CampoImpresión::NIF)) +
                                                    "-9999-WM-" + número);
            informe.MarcoOpaco(true);
        }
        ImpresorasQt impresoras(carpeta, reloj);
        impresoras.EstablecerActual(static_cast<int>(impresoras.Instaladas().size()));
        ASSERT_TRUE(impresoras.Imprimir({"prueba", "", {informe.página}}).Correcto());

        if (const char* copia = std::getenv(oficial ? "M817_TEXTO_PDF_OFICIAL" : "M817_TEXTO_PDF_BORRADOR"))
            std::filesystem::copy_file(impresoras.ÚltimoArchivo(), copia,
                                       std::filesystem::copy_options::overwrite_existing);
        const std::vector<Palabra> palabras = PalabrasPdf(impresoras.ÚltimoArchivo());
        ASSERT_GT(palabras.size(), 200u);
        std::vector<const ElementoPágina*> textos;
        for (const ElementoPágina& e : informe.página.elementos)
            if (e.visible && e.clase == ClaseElementoPágina::Texto && !Recortar(e.texto).empty())
                textos.push_back(&e);
        std::vector<bool> visto(textos.size(), false);
        for (const Palabra& p : palabras) {
            bool dentro = false;
            for (std::size_t i = 0; i < textos.size(); ++i)
                if (EnSuCaja(p, *textos[i])) dentro = visto[i] = true;
            EXPECT_TRUE(dentro) << "«" << p.texto << "» en " << p.x0 << "," << p.y0 << " - " << p.x1 << ","
                                << p.y1 << " pt";
        }
        for (std::size_t i = 0; i < textos.size(); ++i)
            EXPECT_TRUE(visto[i]) << "no se ve "
                                  << (textos[i]->nombre.empty() ? Utf8(textos[i]->texto) : textos[i]->nombre);
    }
}

} // namespace
} // namespace m817
