// Opening a saved return gives exactly what opening it on a freshly started program gives, whatever the sheet
// held before: one sheet opens many returns (valid ones, ones with warnings or errors, odd stored values) in
// a random order, with the user wandering over the sheet in between, and after every open its fields, their
// states, the focus, the error list, the messages shown and the modified flag are those of a new window that
// opened only that return.
#include "app/Hoja.h"
#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"
#include "support/DeclaracionesVariadas.h"
#include "support/Dobles.h"
#include "support/HojaPrueba.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

namespace {

// A sheet window as the program starts it, over the test's folder. Questions are answered No.
struct Programa {
    explicit Programa(CarpetaTemporal& c) : carpeta(c) {
        mensajes.respuesta = Respuesta::No;
        h.Form_Load();
    }
    MensajesTolerantes mensajes;
    RelojFijo reloj{{2010, 11, 15, 10, 0, 0}};
    CarpetaTemporal& carpeta;
    ArchivosPosix archivos;
    frmHoja1 h{mensajes, reloj, carpeta, archivos};
};

// Everything an open leaves behind, one line per item, so that a difference names its field.
std::vector<std::string> Foto(const Programa& p, std::size_t mensajesAntes, bool conSelección = true) {
    const HojaDeclaración& hoja = p.h.hoja;
    std::vector<std::string> v;
    for (IdCampo id = 0; id < kNúmeroCampos; ++id) {
        const EstadoCampo& e = hoja.Estado(id);
        std::ostringstream s;
        s << ClaveCampo(id) << ": «" << Utf8(e.texto) << "» valor " << e.valor << " posición " << e.posición
          << (e.habilitado ? " habilitado" : " deshabilitado") << (e.bloqueado ? " bloqueado" : "")
          << (e.visible ? "" : " oculto") << " fondo " << e.fondo;
        if (conSelección) s << " selección " << e.ancla << "-" << e.cursor;
        s << " lista";
        for (const auto& entrada : e.lista)
            s << " " << entrada.código;
        v.push_back(s.str());
    }
    v.push_back("foco: " + (hoja.Foco() == kNingúnCampo ? std::string("ninguno") : ClaveCampo(hoja.Foco())));
    std::ostringstream m;
    m << "modificado " << hoja.RegistroModificado << ", provincia anterior " << hoja.iProvinciaAnterior
      << ", cambio interno " << hoja.bCambioInterno << ", cargando " << hoja.bCargando << ", bases";
    for (int r = 1; r <= 6; ++r)
        m << " " << hoja.BaseAnterior[static_cast<std::size_t>(r)] << "/"
          << hoja.TipoAnterior[static_cast<std::size_t>(r)];
    m << ", periodo del resultado «" << Utf8(hoja.sPeriodoResultado) << "», ejercicio "
      << p.h.EjercicioDeclaración;
    v.push_back(m.str());
    v.push_back("avisos armados: NIF " + std::to_string(p.h.validación.bMostrarErrorNIF) + ", justificante " +
                std::to_string(p.h.validación.bMostrarErrorJustificante));
    for (const auto& e : p.h.errores.Entradas())
        v.push_back("error " + e.clave + " " + std::to_string(e.imagen) + " " + Utf8(e.texto));
    for (std::size_t i = mensajesAntes; i < p.mensajes.mostrados.size(); ++i)
        v.push_back("mensaje " + Utf8(p.mensajes.mostrados[i].texto));
    v.push_back("no cargados: " + Utf8(p.h.ListaCamposNoCargados));
    v.push_back("registro: " + Utf8(std::string(p.h.registro.Bytes())));
    return v;
}

// The first lines that differ, for a readable failure.
std::string Diferencias(const std::vector<std::string>& obtenido, const std::vector<std::string>& esperado) {
    std::string d;
    int mostradas = 0;
    for (std::size_t i = 0; i < std::max(obtenido.size(), esperado.size()) && mostradas < 8; ++i) {
        const std::string a = i < obtenido.size() ? obtenido[i] : "(nada)";
        const std::string b = i < esperado.size() ? esperado[i] : "(nada)";
        if (a == b) continue;
        d += "\n  obtenido:  " + a + "\n  esperado:  " + b;
        ++mostradas;
    }
    return d;
}

// What a user may do on the sheet between two opens: go to a field, type, click a box or an option, check
// everything. Messages are answered, nothing is saved.
void Deambular(Programa& p, std::mt19937& azar) {
    HojaDeclaración& hoja = p.h.hoja;
    static const std::vector<IdCampo> orden(OrdenFoco().begin(), OrdenFoco().end());
    static const IdCampo pulsables[] = {optResultado(1), optResultado(2), optResultado(3),
                                        chkFPEfectivo,   chkFPCuenta,     chkComplementaria};
    static const char teclas[] = "0123456789T,.-AZ\x1b\x08";
    for (unsigned paso = azar() % 5; paso > 0; --paso) {
        const unsigned k = azar() % 5;
        bool cancelar = false;
        if (k == 0) hoja.Enfocar(orden[azar() % orden.size()]);
        for (unsigned n = k == 1 ? 1 + azar() % 4 : 0; n > 0; --n)
            hoja.Teclear(teclas[azar() % (sizeof teclas - 1)]);
        if (k == 2) hoja.Pulsar(pulsables[azar() % std::size(pulsables)]);
        if (k == 3) hoja.Tabular(azar() % 4 == 0);
        if (k == 4) p.h.ValidarCampos("", -1, cancelar);
    }
}

class AbrirDeclaración : public ::testing::Test {
  protected:
    void SetUp() override {
        EscribirTablasPequeñas(carpeta);
        std::mt19937 azar(817);
        std::string bytes;
        for (const auto& r : DeclaracionesPreparadas())
            bytes += r.Bytes();
        while (bytes.size() < 120 * kLongitudRegistro)
            bytes += DeclaraciónAlAzar(azar).Bytes();
        carpeta.EscribirDatos(kNombreArchivoDeclaraciones, bytes);
        total = static_cast<int>(bytes.size() / kLongitudRegistro);
    }

    // Record n opened by a program started just for it.
    const std::pair<bool, std::vector<std::string>>& Referencia(int n) {
        auto it = referencias.find(n);
        if (it != referencias.end()) return it->second;
        Programa nuevo(carpeta);
        const std::size_t antes = nuevo.mensajes.mostrados.size();
        const bool abierta = nuevo.h.AbrirDeclaración(n, n);
        return referencias[n] = {abierta, Foto(nuevo, antes)};
    }

    CarpetaTemporal carpeta;
    int total = 0;
    std::map<int, std::pair<bool, std::vector<std::string>>> referencias;
};

TEST_F(AbrirDeclaración, CadaDeclaraciónAbiertaEsLaDeUnProgramaRecienIniciado) {
    for (std::uint32_t semilla : {1u, 2u}) {
        std::mt19937 azar(semilla);
        Programa usado(carpeta);
        for (int vez = 0; vez < 150; ++vez) {
            Deambular(usado, azar);
            const int n = 1 + static_cast<int>(azar() % static_cast<unsigned>(total));
            // Nothing to save: the question would come before the open and is no part of it.
            usado.h.hoja.RegistroModificado = false;
            const std::size_t antes = usado.mensajes.mostrados.size();
            const bool abierta = usado.h.AbrirDeclaración(n, n);
            const auto& [abiertaNueva, esperado] = Referencia(n);
            ASSERT_EQ(abierta, abiertaNueva) << "registro " << n;
            if (!abierta) continue;
            const std::vector<std::string> obtenido = Foto(usado, antes);
            ASSERT_TRUE(obtenido == esperado) << "semilla " << semilla << ", vez " << vez << ", registro "
                                              << n << Diferencias(obtenido, esperado);
        }
    }
    // Record 2, payment by account with nothing due, keeps its wrong account whatever was open before.
    const auto& dos = Referencia(2).second;
    EXPECT_NE(std::find(dos.begin(), dos.end(), "error edtCCCIng#0 2 4030 Código Cuenta Cliente erróneo"),
              dos.end());
}

TEST_F(AbrirDeclaración, LaOrdenSiguienteNoCambiaNadaDeLoAbierto) {
    // A command first checks the field with the focus (the period, when the municipality fixes the
    // administration); "Validar" then checks the whole return. Neither may change what the open showed, nor
    // leave the return as changed: nobody typed anything.
    for (int n = 1; n <= total; ++n) {
        Programa p(carpeta);
        if (!p.h.AbrirDeclaración(n, n)) continue;
        // Where the caret stands in the checked list field is no part of it.
        const std::vector<std::string> abierta = Foto(p, p.mensajes.mostrados.size(), false);
        // A stored period the field refuses keeps the user in it and changes nothing.
        p.h.ValidarÚltimoCampo();
        bool cancelar = false;
        p.h.ValidarCampos("", -1, cancelar);
        std::vector<std::string> después = Foto(p, p.mensajes.mostrados.size(), false);
        // A stored single digit is a month the check writes with two digits: a change of the period, which
        // the result logic follows.
        const std::string periodo = Utf8(p.h.registro.Valor(CampoRegistro::Periodo));
        if (periodo.size() == 1 && periodo != p.h.hoja.Texto(cmbPeriodo)) {
            EXPECT_EQ(p.h.hoja.Texto(cmbPeriodo), "0" + periodo);
            continue;
        }
        // The message toggles of a wrong number turn with every check, by design.
        después[kNúmeroCampos + 2] = abierta[kNúmeroCampos + 2];
        EXPECT_TRUE(después == abierta) << "registro " << n << Diferencias(después, abierta);
        EXPECT_FALSE(p.h.hoja.RegistroModificado) << "registro " << n;
    }
}

} // namespace

namespace {

// Payment by account with letters stored where the account's digits go: the account is wrong.
TEST_F(AbrirDeclaración, UnaCuentaGuardadaConLetrasEsErrónea) {
    RegistroDeclaración r = DeclaracionesPreparadas()[1];
    const char* partes[] = {"2100", "0418", "45", "02000513AB"};
    for (int i = 0; i <= 3; ++i)
        r.Poner(CampoCCCIng(i), partes[i]);
    carpeta.EscribirDatos(kNombreArchivoDeclaraciones, std::string(r.Bytes()));
    Programa p(carpeta);
    ASSERT_TRUE(p.h.AbrirDeclaración(1, 1));
    const auto* e = p.h.errores.Buscar("edtCCCIng#0");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(Utf8(e->texto), "4030 Código Cuenta Cliente erróneo");
}

} // namespace
