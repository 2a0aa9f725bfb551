// Random user operations on a loaded sheet, with every question answered at random: keys (control keys and
// the clipboard included), entering and leaving fields, clicks, list choices and the file commands over a
// real temporary data file. After every step the sheet must still add up, show one result, keep its closed
// account boxes empty and its error list tidy; the data file must always hold whole, readable records.
#include "app/Comandos.h"
#include "model/Importes.h"
#include "platform/ArchivosPosix.h"
#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"
#include "store/SeleccionDeclaraciones.h"
#include "support/Dobles.h"
#include "support/HojaPrueba.h"
#include "support/ServiciosVentana.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <random>
#include <sstream>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

namespace {

// Answers every message with one of the buttons it offers, at random.
class MensajesAzar final : public ServicioMensajes {
  public:
    explicit MensajesAzar(std::mt19937& azar) : azar_(azar) {}
    Respuesta Mostrar(const Mensaje& m) override {
        ++mostrados;
        const unsigned k = azar_();
        if (m.botones == Botones::AceptarCancelar) return k % 2 ? Respuesta::Aceptar : Respuesta::Cancelar;
        if (m.botones == Botones::SíNo) return k % 2 ? Respuesta::Sí : Respuesta::No;
        if (m.botones == Botones::SíNoCancelar)
            return k % 3 ? (k % 3 == 1 ? Respuesta::Sí : Respuesta::No) : Respuesta::Cancelar;
        return Respuesta::Aceptar;
    }
    void Pitido() override {}
    long mostrados = 0;

  private:
    std::mt19937& azar_;
};

// What a user may type: digits and amount signs most of all, letters (accented ones too), blanks, and the
// control keys the fields handle.
const std::string kTeclas = W("0123456789012345678901234567890123456789,,,---...ABCXYZaxzñÑáÉüÜ ºª/*?");
const int kTeclasControl[] = {kTeclaRetroceso, kTeclaIntro, kTeclaEscape, kTeclaTabulador};

// What a paste may bring, '|' between one and the next.
const std::string kPegados =
    "1.234,56|-500|1000000000000|99999999999999999999|12,3,4|abc|0|,|-|2010|4T|7|Peña Ruíz|"
    "12345678Z|0049\r\n1500|\t25|1.000.000.000.000,01";

const char* const kEtiquetas[] = {"lblApartado", "lblImporte", "lblLetra"};
const int kÍndicesEtiqueta[] = {6, 3, 3};

const IdCampo kPulsables[] = {chkComplementaria, chkFPEfectivo,   chkFPCuenta,     chkSinActividad,
                              optResultado(1),   optResultado(2), optResultado(3), edtResultado(1),
                              edtResultado(2),   edtResultado(3)};
const IdCampo kListas[] = {cmbAdministracion, cmbPeriodo, cmbSigla, cmbProvincia, cmbMunicipio};

// The input boxes and the boxes the totals are made of.
double V(HojaDeclaración& h, int i) {
    return ValorImporte(h.Texto(edtCasilla(i)));
}

std::string Clave(IdCampo id) {
    return id == kNingúnCampo ? "(ninguno)" : ClaveCampo(id);
}

bool Igual(double a, double b) {
    return std::fabs(a - b) <= 0.0051 + std::fabs(b) * 1e-12;
}

class Mono {
  public:
    explicit Mono(unsigned semilla) : azar(semilla), mensajes(azar) {
        EscribirTablasPequeñas(carpeta);
        ventana = std::make_unique<frmHoja1>(mensajes, reloj, carpeta, archivos);
        comandos = std::make_unique<ComandosPrincipal>(*ventana, portapapeles, ayuda);
        auto& o = comandos->operaciones;
        o.SeleccionarDeclaración = [this](const PeticiónSelección& p) { return Seleccionar(p); };
        o.AbrirDeclaración = [this](std::int32_t n, std::int32_t m) {
            return ventana->AbrirDeclaración(n, m);
        };
        o.GuardarDeclaración = [this](bool preguntar) { return ventana->GuardarDeclaración(preguntar); };
        o.EliminarDeclaración = [this](std::int32_t n) { return ventana->EliminarDeclaración(n); };
        o.ConfirmarGuardarCambios = [this] { return ventana->ConfirmarGuardarCambios(); };
        ventana->Form_Load();
    }

    HojaDeclaración& hoja() { return ventana->hoja; }
    std::filesystem::path Ruta() const { return RutaDeclaraciones(carpeta.Datos()); }

    // The dialog: the list of the file, a random row, and the choose button or cancel.
    std::int32_t Seleccionar(const PeticiónSelección& p) {
        SeleccionDeclaraciones lista;
        if (!lista.Cargar(archivos, Ruta(), mensajes, p.registroActual)) return 0;
        if (azar() % 4 == 0) lista.PulsarEncabezado(1 + static_cast<int>(azar() % 8));
        lista.SeleccionarFila(azar() % lista.NúmeroFilas());
        if (azar() % 6 == 0) return 0;
        return lista.Elegir(mensajes, p.título) ? lista.NumRegistroSeleccionado() : 0;
    }

    IdCampo CampoAlAzar() { return static_cast<IdCampo>(azar() % kNúmeroCampos); }

    // One user operation; returns what it was, for the failure message.
    std::string Paso() {
        HojaDeclaración& h = hoja();
        const unsigned tirada = azar() % 100;
        std::ostringstream q;
        if (tirada < 40) {
            const char c = kTeclas[azar() % kTeclas.size()];
            q << "tecla " << Utf8(std::string(1, c)) << " en " << Clave(h.Foco());
            h.Teclear(static_cast<unsigned char>(c));
        } else if (tirada < 46) {
            const int k = kTeclasControl[azar() % std::size(kTeclasControl)];
            q << "tecla " << k << " en " << Clave(h.Foco());
            h.Teclear(k);
        } else if (tirada < 51) {
            const auto t = static_cast<TeclaEdición>(azar() % 5);
            q << "edición " << static_cast<int>(t) << " en " << Clave(h.Foco());
            h.PulsarTecla(t, azar() % 2);
        } else if (tirada < 59) {
            const IdCampo id = CampoAlAzar();
            q << "enfocar " << ClaveCampo(id);
            if (h.PuedeRecibirFoco(id)) h.Enfocar(id);
        } else if (tirada < 64) {
            const bool atrás = azar() % 3 == 0;
            q << "tabular" << (atrás ? " atrás" : "");
            h.Tabular(atrás);
        } else if (tirada < 72) {
            // A whole amount typed into a box, as a user fills the return.
            const int i = 1 + static_cast<int>(azar() % 26);
            std::string importe = std::to_string(azar() % (azar() % 3 == 0 ? 100 : 1000000));
            if (azar() % 3 == 0) importe += "," + std::to_string(azar() % 100);
            if (azar() % 8 == 0) importe = "-" + importe;
            if (azar() % 30 == 0) importe = "1000000000000";
            q << "importe " << importe << " en casilla " << i;
            const IdCampo id = edtCasilla(i);
            if (h.PuedeRecibirFoco(id) && h.Enfocar(id)) {
                h.EstablecerSelección(id, 0, static_cast<int>(h.Texto(id).size()));
                for (char c : importe)
                    h.Teclear(static_cast<unsigned char>(c));
            }
        } else if (tirada < 76) {
            const IdCampo id = kPulsables[azar() % std::size(kPulsables)];
            q << "pulsar " << ClaveCampo(id);
            h.Pulsar(id);
        } else if (tirada < 79) {
            const int e = static_cast<int>(azar() % std::size(kEtiquetas));
            const int índice = 1 + static_cast<int>(azar() % kÍndicesEtiqueta[e]);
            q << "etiqueta " << kEtiquetas[e] << " " << índice;
            if (h.eventos.ClickEtiqueta) h.eventos.ClickEtiqueta(kEtiquetas[e], índice);
        } else if (tirada < 85) {
            const IdCampo id = kListas[azar() % std::size(kListas)];
            const int n = static_cast<int>(h.Lista(id).size());
            const int pos = n == 0 ? -1 : static_cast<int>(azar() % n);
            q << "elegir " << pos << " en " << ClaveCampo(id);
            if (azar() % 2) h.AbrirDesplegable(id);
            if (h.PuedeRecibirFoco(id) && h.Enfocar(id)) h.ElegirEntrada(id, pos);
        } else if (tirada < 88) {
            const IdCampo id = h.Foco();
            if (id != kNingúnCampo) {
                const int n = static_cast<int>(h.Texto(id).size());
                const int a = static_cast<int>(azar() % (n + 1)), b = static_cast<int>(azar() % (n + 1));
                q << "seleccionar " << a << "-" << b << " en " << ClaveCampo(id);
                h.EstablecerCursor(id, a, b);
            }
        } else if (tirada < 92) {
            const unsigned k = azar() % 3;
            if (k == 0) {
                std::string t = kPegados;
                for (unsigned n = azar() % 17; n > 0; --n)
                    t.erase(0, t.find('|') + 1);
                portapapeles.Poner(t.substr(0, t.find('|')));
            }
            q << (k == 0   ? "pegar \"" + portapapeles.TextoUtf8() + "\""
                  : k == 1 ? "cortar"
                           : "copiar")
              << " en " << Clave(h.Foco());
            k == 0 ? comandos->Pegar() : k == 1 ? comandos->Cortar() : comandos->Copiar();
        } else {
            archivoTocado = true;
            using Orden = void (ComandosPrincipal::*)();
            const std::pair<const char*, Orden> órdenes[] = {
                {"nueva", &ComandosPrincipal::NuevaDeclaración},
                {"copiar desde", &ComandosPrincipal::CopiarDesde},
                {"abrir", &ComandosPrincipal::Abrir},
                {"guardar", &ComandosPrincipal::Guardar},
                {"guardar", &ComandosPrincipal::Guardar},
                {"guardar", &ComandosPrincipal::Guardar},
                {"eliminar", &ComandosPrincipal::Eliminar}};
            const unsigned k = azar() % 8;
            if (k < std::size(órdenes)) {
                q << órdenes[k].first;
                ((*comandos).*órdenes[k].second)();
            } else {
                q << "cerrar";
                comandos->Cerrar();
            }
        }
        return q.str();
    }

    std::string Totales() {
        HojaDeclaración& h = hoja();
        std::ostringstream f;
        double t15 = V(h, 13) + V(h, 14);
        for (int i = 7; i <= 12; ++i)
            t15 += V(h, i);
        double t22 = 0;
        for (int i = 16; i <= 21; ++i)
            t22 += V(h, i);
        const struct {
            int casilla;
            double esperado;
        } totales[] = {{15, t15}, {22, t22}, {23, V(h, 15) - V(h, 22)}, {26, V(h, 23) - V(h, 24) - V(h, 25)}};
        for (const auto& t : totales)
            if (!Igual(V(h, t.casilla), t.esperado))
                f << "casilla " << t.casilla << " \"" << Utf8(h.Texto(edtCasilla(t.casilla)))
                  << "\" en vez de " << t.esperado << "; ";
        return f.str();
    }

    std::string Resultado() {
        HojaDeclaración& h = hoja();
        int seleccionadas = 0;
        for (int n = 1; n <= 3; ++n)
            seleccionadas += h.Valor(optResultado(n)) != 0;
        // With every input box empty the sheet shows "no activity" (option 3) before it looks at the result,
        // which the quota boxes alone can still push over the limit.
        bool entradaVacía = true;
        for (int i : {1, 2, 3, 4, 5, 6, 13, 14, 16, 17, 18, 19, 20, 21, 24, 25})
            entradaVacía = entradaVacía && h.Texto(edtCasilla(i)).empty();
        const bool excedido = !entradaVacía && std::fabs(V(h, 26)) >= 1e12;
        if (entradaVacía && h.Valor(optResultado(3)) == 0) return "sin actividad y sin la opción 3; ";
        if (seleccionadas != (excedido ? 0 : 1))
            return std::to_string(seleccionadas) + " opciones con resultado " +
                   Utf8(h.Texto(edtCasilla(26))) + "; ";
        return "";
    }

    std::string Cuentas() {
        HojaDeclaración& h = hoja();
        std::string f;
        for (int parte = 0; parte < 4; ++parte)
            for (IdCampo id : {edtCCCIng(parte), edtCCCDev(parte)})
                if (!h.Estado(id).habilitado && !h.Texto(id).empty())
                    f += ClaveCampo(id) + " deshabilitada con \"" + Utf8(h.Texto(id)) + "\"; ";
        return f;
    }

    std::string Errores() {
        std::map<std::string, int> claves;
        for (const auto& e : ventana->errores.Entradas())
            ++claves[e.clave];
        std::string f;
        for (const auto& [clave, n] : claves)
            if (n > 1) f += clave + " " + std::to_string(n) + " veces; ";
        const bool ok = claves.count(ListaErrores::kClaveSinErrores) != 0;
        if (ok && claves.size() > 1) f += "OK junto a otras entradas; ";
        if (!ok && claves.empty() && validado) f += "lista vacía sin OK; ";
        if (!claves.empty()) validado = true;
        return f;
    }

    // Whole 750-byte records only, each ending in CR LF, live or deleted, and every live one of this form.
    std::string Archivo() {
        if (!std::filesystem::exists(Ruta())) return "";
        const std::string bytes = LeerArchivo(Ruta());
        if (bytes.size() % kLongitudRegistro != 0)
            return "archivo de " + std::to_string(bytes.size()) + " bytes; ";
        ArchivoDeclaraciones archivo(archivos, Ruta());
        if (!archivo.AbrirLectura()) return "archivo ilegible; ";
        const auto n = archivo.NúmeroRegistros();
        if (!n || static_cast<std::size_t>(*n) * kLongitudRegistro != bytes.size()) return "cuenta errónea; ";
        for (std::int32_t i = 1; i <= *n; ++i) {
            RegistroDeclaración r;
            if (!archivo.Leer(i, r)) return "registro " + std::to_string(i) + " ilegible; ";
            const auto b = r.Bytes();
            if (b.substr(kLongitudRegistro - 2) != "\r\n" || (b[0] != ' ' && b[0] != '*') ||
                (r.Vivo() && r.Valor(CampoRegistro::Modelo) != "817"))
                return "registro " + std::to_string(i) + " dañado; ";
        }
        registros = *n;
        return "";
    }

    std::mt19937 azar;
    MensajesAzar mensajes;
    RelojFijo reloj;
    CarpetaTemporal carpeta;
    ArchivosPosix archivos;
    PortapapelesGuion portapapeles;
    AyudaGuion ayuda;
    std::unique_ptr<frmHoja1> ventana;
    std::unique_ptr<ComandosPrincipal> comandos;
    bool archivoTocado = false;
    bool validado = false; // the error list has had an entry: from then on it is never empty
    std::int32_t registros = 0;
};

// Runs the operations of one seed; the first broken invariant stops it with the steps that led there.
void Recorrer(unsigned semilla, int pasos) {
    Mono m(semilla);
    std::vector<std::string> últimos;
    for (int paso = 1; paso <= pasos; ++paso) {
        const std::string qué = m.Paso();
        if (últimos.size() == 12) últimos.erase(últimos.begin());
        últimos.push_back(qué);
        std::string fallo = m.Totales() + m.Resultado() + m.Cuentas() + m.Errores();
        if (m.archivoTocado || paso % 1000 == 0) {
            fallo += m.Archivo();
            m.archivoTocado = false;
        }
        if (!fallo.empty()) {
            std::string pasosPrevios;
            for (const auto& s : últimos)
                pasosPrevios += "\n  " + s;
            FAIL() << "semilla " << semilla << ", paso " << paso << ": " << fallo
                   << "\núltimos pasos:" << pasosPrevios;
        }
    }
    EXPECT_EQ(m.Archivo(), "");
    // The run must have reached the file and the questions, or it proved little.
    EXPECT_GT(m.registros, 0);
    EXPECT_GT(m.mensajes.mostrados, 0);
}

TEST(Mono, TreintaMilOperacionesAlAzar) {
    Recorrer(817, 30000);
}

} // namespace
