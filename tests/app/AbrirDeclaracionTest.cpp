// Opening a saved return leaves the sheet exactly as a freshly started program that opened only that return.
#include "store/ArchivoDeclaraciones.h"
#include "support/DeclaracionesVariadas.h"
#include "support/HojaPrueba.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

namespace {

struct Programa {
    explicit Programa(CarpetaTemporal& c) : carpeta(c) { mensajes.respuesta = Respuesta::No, h.Form_Load(); }
    MensajesTolerantes mensajes;
    RelojFijo reloj{{2010, 11, 15, 10, 0, 0}};
    CarpetaTemporal& carpeta;
    ArchivosPosix archivos;
    frmHoja1 h{mensajes, reloj, carpeta, archivos};
};

// Everything an open leaves behind, a line per field so that a difference names it.
std::vector<std::string> Foto(const Programa& p, std::size_t mensajesAntes) {
    const HojaDeclaración& hoja = p.h.hoja;
    std::vector<std::string> v;
    for (IdCampo id = 0; id < kNúmeroCampos; ++id) {
        const EstadoCampo& e = hoja.Estado(id);
        std::ostringstream s;
        s << ClaveCampo(id) << ": «" << Utf8(e.texto) << "» " << e.valor << " " << e.posición << " "
          << e.habilitado << e.bloqueado << e.visible << " fondo " << e.fondo << " selección " << e.ancla
          << "-" << e.cursor;
        for (const auto& entrada : e.lista)
            s << " " << entrada.código;
        v.push_back(s.str());
    }
    std::ostringstream m;
    m << "foco " << hoja.Foco() << " modificado " << hoja.RegistroModificado << " provincia "
      << hoja.ProvinciaDeMunicipios().value_or(-2) << " internos " << hoja.EsCambioInterno()
      << p.h.validación.Cargando() << " avisos "
      << p.h.validación.bMostrarErrorNIF << p.h.validación.bMostrarErrorJustificante << " bases";
    for (std::size_t r = 1; r <= 6; ++r)
        m << " " << hoja.BaseAnterior[r] << "/" << hoja.TipoAnterior[r];
    m << " periodo «" << Utf8(hoja.sPeriodoResultado) << "» ejercicio " << p.h.EjercicioDeclaración()
      << " no cargados " << Utf8(p.h.ListaCamposNoCargados());
    v.push_back(m.str());
    for (const auto& e : p.h.errores.Entradas())
        v.push_back("error " + e.clave + " " + std::to_string(e.imagen) + " " + Utf8(e.texto));
    for (std::size_t i = mensajesAntes; i < p.mensajes.mostrados.size(); ++i)
        v.push_back("mensaje " + Utf8(p.mensajes.mostrados[i].texto));
    v.push_back("registro: " + Utf8(std::string(p.h.registro.Bytes())));
    return v;
}

TEST(AbrirDeclaración, CadaDeclaraciónAbiertaEsLaDeUnProgramaRecienIniciado) {
    CarpetaTemporal carpeta;
    EscribirTablasPequeñas(carpeta);
    std::mt19937 azar(817);
    std::string bytes;
    for (const auto& r : DeclaracionesPreparadas())
        bytes += r.Bytes();
    while (bytes.size() < 119 * kLongitudRegistro)
        bytes += DeclaraciónAlAzar(azar).Bytes();
    RegistroDeclaración letras = DeclaracionesPreparadas()[1]; // payment by account, nothing due
    for (int i = 0; i <= 3; ++i)                               // letters where the account's digits go
        letras.Poner(CampoCCCIng(i), std::vector<const char*>{"2100", "0418", "45", "02000513AB"}[i]);
    carpeta.EscribirDatos(kNombreArchivoDeclaraciones, bytes + std::string(letras.Bytes()));

    std::map<int, std::vector<std::string>> referencias; // empty: not opened
    auto Referencia = [&](int n) -> const std::vector<std::string>& {
        if (auto it = referencias.find(n); it != referencias.end()) return it->second;
        Programa nuevo(carpeta);
        const std::size_t antes = nuevo.mensajes.mostrados.size();
        return referencias[n] =
                   nuevo.h.AbrirDeclaración(n, n) ? Foto(nuevo, antes) : std::vector<std::string>{};
    };
    Programa usado(carpeta);
    const std::vector<IdCampo> orden(OrdenFoco().begin(), OrdenFoco().end());
    const IdCampo pulsables[] = {optResultado(1), optResultado(2), chkFPEfectivo, chkFPCuenta,
                                 chkComplementaria};
    for (int vez = 0; vez < 300; ++vez) {
        // Between two opens the user goes to a field, types, clicks, tabs or checks everything.
        for (unsigned paso = azar() % 5, k = azar() % 5; paso > 0; --paso, k = azar() % 5) {
            bool cancelar = false;
            if (k == 0) usado.h.hoja.Enfocar(orden[azar() % orden.size()]);
            for (unsigned n = k == 1 ? 1 + azar() % 4 : 0; n > 0; --n)
                usado.h.hoja.Teclear("0123456789T,.-AZ\x1b\x08"[azar() % 18]);
            if (k == 2) usado.h.hoja.Pulsar(pulsables[azar() % std::size(pulsables)]);
            if (k == 3) usado.h.hoja.Tabular(azar() % 4 == 0);
            if (k == 4) usado.h.ValidarCampos("", -1, cancelar);
        }
        const int n = 1 + static_cast<int>(azar() % 120);
        usado.h.hoja.RegistroModificado = false; // the question to save comes before the open, no part of it
        const std::size_t antes = usado.mensajes.mostrados.size();
        const auto obtenido =
            usado.h.AbrirDeclaración(n, n) ? Foto(usado, antes) : std::vector<std::string>{};
        const auto& esperado = Referencia(n);
        for (std::size_t i = 0; i < std::max(obtenido.size(), esperado.size()); ++i)
            ASSERT_EQ(i < obtenido.size() ? obtenido[i] : "", i < esperado.size() ? esperado[i] : "")
                << "vez " << vez << ", registro " << n;
    }
    const std::string errorCuenta = "error edtCCCIng#0 2 4030 Código Cuenta Cliente erróneo";
    for (int n : {2, 120}) // the account is wrong
        EXPECT_EQ(std::count(Referencia(n).begin(), Referencia(n).end(), errorCuenta), 1) << n;
}

} // namespace
