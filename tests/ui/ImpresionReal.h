#pragma once
// The print command over the real printers and bar-code library, printing to the built-in PDF printer, with
// the user's folders apart from the program's as an installed copy has them.
#include "platform/qt/CodigosBarrasZint.h"
#include "platform/qt/ImpresorasQt.h"
#include "print/HojaImpresion.h"
#include "print/Impresion.h"
#include "support/Dobles.h"
#include "support/ImpresorasGuion.h"

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace m817::prueba {

inline std::vector<std::string> ArchivosEn(const std::filesystem::path& carpeta) {
    std::set<std::string> n;
    if (std::filesystem::exists(carpeta))
        for (const auto& e : std::filesystem::directory_iterator(carpeta))
            n.insert(e.path().filename().string());
    return {n.begin(), n.end()};
}

// A program folder whose settings and printed PDFs go to folders of their own.
class CarpetasDeUsuario final : public ServicioCarpeta {
  public:
    std::filesystem::path Programa() const override { return programa_.Programa(); }
    std::filesystem::path Configuración() const override { return Programa() / "config" / "modelo817"; }
    std::filesystem::path Impresiones() const override { return Programa() / "Documentos" / "Modelo 817"; }

  private:
    CarpetaTemporal programa_;
};

struct ImpresiónReal {
    CarpetasDeUsuario carpeta;
    HojaDeclaración hoja;
    MensajesGuion mensajes;
    ListaErrores errores{mensajes};
    RelojFijo reloj{{2010, 11, 15, 10, 0, 0}};
    ImpresorasQt impresoras{carpeta, reloj};
    CódigosBarrasZint zint;
    AleatorioSistema aleatorio{20101115}; // the same receipt numbers, so the same symbols, every run
    ImpresiónDeclaración impresión;

    // The return that `rellenar` writes, printed with `códigos` (zint with the program's parameters when
    // none).
    explicit ImpresiónReal(int modo, void (*rellenar)(HojaDeclaración&) = RellenarHojaCompleta,
                           ServicioCódigosBarras* códigos = nullptr)
        : impresión(hoja, errores, mensajes, reloj, carpeta, impresoras, códigos ? *códigos : zint, aleatorio,
                    "3.2.2") {
        rellenar(hoja);
        auto& a = impresión.acciones;
        a.MostrarSelecciónImpresora = [modo](SelecciónImpresora& d) {
            if (!d.Cargar()) return d.Modo();
            for (std::size_t i = 0; i < d.Entradas().size(); ++i)
                if (d.Entradas()[i].texto == ImpresorasQt::kNombrePdf) d.Seleccionar(static_cast<int>(i));
            modo == kModoOficial ? d.cmdOficial_Click() : d.cmdBorrador_Click();
            return d.Modo();
        };
        a.GuardarDeclaración = [this](bool) {
            hoja.RegistroModificado = false;
            return true;
        };
        a.EjercicioDeclaración = [] { return 2010; };
    }
    // The PDFs written, by name.
    std::vector<std::filesystem::path> Pdfs() const {
        std::vector<std::filesystem::path> r;
        for (const std::string& n : ArchivosEn(impresoras.CarpetaImpresiones()))
            r.push_back(impresoras.CarpetaImpresiones() / n);
        return r;
    }
};

} // namespace m817::prueba
