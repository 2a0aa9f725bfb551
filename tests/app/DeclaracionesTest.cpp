// The sheet's saved returns, driven as the commands drive them: what lands in Datos/Declaraciones.txt byte by
// byte, what comes back on the sheet, every question and message, and failures that must lose nothing.
#include "app/Hoja.h"
#include "model/Listas.h"
#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"
#include "support/HojaPrueba.h"
#include "support/Registros.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <tuple>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

namespace {

const char* kPreguntaGuardar = "¿Desea guardar los cambios efectuados en la declaración?";
const char* kErrorGuardar = "Error al intentar guardar la declaración";
const char* kErrorAbrir = "Error al intentar abrir la declaración seleccionada";

// Left-aligned in its width, as the record keeps every field.
std::string A(std::string_view texto, std::size_t ancho) {
    EXPECT_LE(texto.size(), ancho) << texto;
    return std::string(texto) + std::string(ancho - std::min(ancho, texto.size()), ' ');
}

// A loaded sheet over small tables and a fresh Datos folder.
class Hoja {
  public:
    Hoja() { p.Cargar(); }

    std::filesystem::path Ruta() const { return RutaDeclaraciones(p.carpeta.Datos()); }
    std::string Archivo() const {
        return std::filesystem::exists(Ruta()) ? LeerArchivo(Ruta()) : "(ninguno)";
    }
    std::string Registro(int n) const { return Archivo().substr(static_cast<std::size_t>(n - 1) * 750, 750); }
    void EscribirArchivo(const std::string& bytes) const {
        p.carpeta.EscribirDatos(kNombreArchivoDeclaraciones, bytes);
    }

    void Poner(IdCampo id, std::string_view utf8) { hoja.EscribirTexto(id, W(utf8)); }
    // Chosen as the user chooses an entry and leaves the list.
    void Elegir(IdCampo lista, std::string_view código) {
        SeleccionarCódigoCombo(hoja, lista, código, ListaAlfabética(lista));
        bool cancelar = false;
        v.ValidarCampos(Definición(lista).nombre, -1, cancelar);
    }
    void Mínima(std::string_view nif = "12345678Z", bool complementaria = false) {
        Poner(edtNIF, nif);
        Poner(edtNombre, "RUIZ");
        hoja.EscribirValor(chkComplementaria, complementaria ? 1 : 0);
        hoja.RegistroModificado = true;
    }
    std::string Id() const { return hoja.Texto(edtIdDeclaración); }

    std::vector<std::string> Pantalla() const { return prueba::Pantalla(hoja); }

    // A payment return with every stored field filled, the name longer than its field.
    void LlenarPago() {
        Elegir(cmbProvincia, "7");
        Elegir(cmbMunicipio, "7040"); // fixes the administration: 701
        Poner(cmbPeriodo, "4T");
        hoja.Pulsar(chkComplementaria);
        Poner(edtJustifComp, "8170612345673");
        Poner(edtNIF, "12345678Z");
        Poner(edtNombre, "MUÑOZ PEÑA, JOSÉ 123456789012345678901234567890123456789012345678901234567890123");
        Elegir(cmbSigla, "CL");
        Poner(edtViaPublica, "AVENIDA DE LA CONSTITUCIÓN ESPAÑOLA 12345678901234");
        Poner(edtNumero, "12345");
        Poner(edtEscalera, "B2");
        Poner(edtPiso, "3");
        Poner(edtPuerta, "IZDA");
        Poner(edtTelefono, "971123456789012");
        Poner(edtCodigoPostal, "07001");
        Poner(edtFax, "971000000000001");
        const std::pair<int, const char*> casillas[] = {{1, "1000"}, {2, "2000"}, {3, "3000"}, {4, "4000"},
                                                        {5, "5000"}, {6, "6000"}, {13, "100"}, {14, "50"},
                                                        {16, "200"}, {17, "300"}, {18, "10"},  {19, "20"},
                                                        {20, "30"},  {21, "40"},  {24, "100"}, {25, "50"}};
        for (auto [i, t] : casillas)
            p.Casilla(i, t);
        hoja.Enfocar(edtNIF);
        hoja.Pulsar(chkFPCuenta);
        const char* ing[] = {"2100", "0418", "45", "0200051332"};
        const char* dev[] = {"0049", "1500", "05", "1234567890"};
        for (int i = 0; i <= 3; ++i) {
            Poner(edtCCCIng(i), ing[i]);
            Poner(edtCCCDev(i), dev[i]);
        }
        Poner(edtNúmeroJustificante, "8170698765433");
        Poner(edtFechaImpresión, "15/11/2010");
    }

    HojaPrueba p;
    frmHoja1& v = *p.ventana;
    HojaDeclaración& hoja = p.hoja();
};

class Declaraciones : public ::testing::Test, public Hoja {};

TEST_F(Declaraciones, UnaDeclaraciónLlenaSeGuardaCampoACampo) {
    LlenarPago();
    ASSERT_EQ(hoja.OpciónSeleccionada(), 1);
    ASSERT_TRUE(v.GuardarDeclaración(false));

    const std::string nombre =
        W("MUÑOZ PEÑA, JOSÉ 1234567890123456789012345678901234567890123456789012345678");
    const std::string vía = W("AVENIDA DE LA CONSTITUCIÓN ESPAÑOLA 12345678901234");
    std::string casillas; // 1-14, 16-21, 24, 25 as shown
    for (const char* t :
         {"1.000,00", "2.000,00", "3.000,00", "4.000,00", "5.000,00", "6.000,00", "0,00",   "40,00",
          "150,00",   "360,00",   "650,00",   "1.200,00", "100,00",   "50,00",    "200,00", "300,00",
          "10,00",    "20,00",    "30,00",    "40,00",    "100,00",   "50,00"})
        casillas += A(t, 19);
    // At 0: mark, model, version, exercise, period, supplementary, its receipt, administration, NIF, name cut
    // to 75, type of road, road, number, stair, floor, door, phone, province, municipality, postcode, fax.
    const std::string esperado = " 8173.2.2   20104T18170612345673701  12345678Z" + nombre + "CL" + vía +
                                 "12345B23 IZDA971123456789012"
                                 "7 7040 07001971000000000001" +
                                 casillas +
                                 // At 646: rates, payment in cash / by account, the two accounts, result,
                                 // receipt, print date.
                                 "0     2     5     9     13    20    01"
                                 "2100041845020005133200491500051234567890"
                                 " 817069876543315/11/2010\r\n";
    ASSERT_EQ(esperado.size(), 750u);
    EXPECT_EQ(Diferencia(Archivo(), esperado), "");
    EXPECT_EQ(Id(), "1");
    EXPECT_FALSE(hoja.RegistroModificado);

    // Saved again, it keeps its slot: the file does not grow.
    hoja.RegistroModificado = true;
    ASSERT_TRUE(v.GuardarDeclaración(false));
    EXPECT_EQ(Archivo(), esperado);
}

TEST_F(Declaraciones, AbrirYGuardarDevuelveLosMismosBytes) {
    // Three kinds of result, each saved from the sheet as the user fills it (a payment has no refund
    // account).
    LlenarPago();
    for (int i = 0; i <= 3; ++i)
        Poner(edtCCCDev(i), "");
    ASSERT_TRUE(v.GuardarDeclaración(false));

    ASSERT_TRUE(v.NuevaDeclaración());
    Mínima("11111111H");
    Poner(cmbPeriodo, "4T");
    p.Casilla(3, "100");
    p.Casilla(16, "900");
    hoja.Enfocar(edtNIF);
    hoja.Pulsar(optResultado(2)); // refund
    for (int i = 0; i <= 3; ++i)
        p.Escribir(edtCCCDev(i), i == 3 ? "1234567890" : "12");
    ASSERT_TRUE(v.GuardarDeclaración(true));

    ASSERT_TRUE(v.NuevaDeclaración());
    Mínima("22222222J");
    Elegir(cmbProvincia, "9");
    Elegir(cmbMunicipio, "9061");
    Poner(edtTipos(2), "4,5"); // a rate with decimals, as older files hold
    p.Casilla(2, "1000");
    p.Casilla(17, "500");
    hoja.Enfocar(edtNIF);
    ASSERT_TRUE(v.GuardarDeclaración(true));

    const std::string archivo = Archivo();
    ASSERT_EQ(archivo.size(), 3 * 750u);
    EXPECT_EQ(archivo.substr(750 + 724, 1), "D");
    EXPECT_EQ(archivo.substr(1500 + 724, 1), "C");
    EXPECT_EQ(archivo.substr(1500 + 652, 6), "4,5   "); // decimal comma, whatever the machine's settings

    // Opened in any order over whatever the sheet showed, each one is saved back unchanged. First the user
    // changes the province: the sheet still remembers the one it had, whose municipalities it no longer
    // lists.
    hoja.Enfocar(cmbProvincia);
    hoja.ElegirEntrada(cmbProvincia, 2); // Illes Balears
    hoja.Enfocar(edtNIF);
    hoja.RegistroModificado = false;
    for (int n : {3, 2, 1, 1, 3, 2}) {
        ASSERT_TRUE(v.AbrirDeclaración(n, n)) << n;
        EXPECT_EQ(Id(), std::to_string(n));
        EXPECT_FALSE(hoja.RegistroModificado);
        EXPECT_EQ(Diferencia(v.registro.Bytes(), Registro(n)), "") << n;
        hoja.RegistroModificado = true;
        ASSERT_TRUE(v.GuardarDeclaración(false)) << n;
        EXPECT_EQ(Diferencia(Registro(n), archivo.substr(static_cast<std::size_t>(n - 1) * 750, 750)), "")
            << n;
    }
    EXPECT_EQ(Archivo(), archivo);
    EXPECT_EQ(v.EjercicioDeclaración, 2010);
}

TEST_F(Declaraciones, SinEjercicioPeriodoNIFONombreNoSeGuarda) {
    for (IdCampo vacío : {edtEjercicio, cmbPeriodo, edtNIF, edtNombre}) {
        Mínima();
        hoja.EscribirTexto(edtEjercicio, "2010");
        Poner(cmbPeriodo, "3T");
        hoja.EscribirTexto(vacío, "  ");
        p.mensajes.EsperarError(
            "Es obligatorio rellenar los campos Ejercicio, Periodo, N.I.F. y Nombre para poder "
            "grabar una declaración");
        EXPECT_FALSE(v.GuardarDeclaración(true)) << ClaveCampo(vacío);
        EXPECT_EQ(Archivo(), "(ninguno)");
        EXPECT_TRUE(hoja.RegistroModificado);
    }
}

// Which records count as duplicates is the data file's rule; here, the question each kind asks and what
// either answer does.
TEST_F(Declaraciones, UnDuplicadoPreguntaAntesDeGuardar) {
    const std::string ordinaria = "Ya existe una declaración para el mismo N.I.F., Ejercicio y Periodo.\r"
                                  "¿Desea continuar guardando la declaración?";
    const std::string complementaria =
        "Ya existe una declaración complementaria para el mismo N.I.F., Ejercicio y "
        "Periodo.\r¿Desea continuar guardando la declaración?";
    const Guardada igual{.periodo = "3T"}, complementariaIgual{.periodo = "3T", .complementaria = "1"};
    struct Caso {
        const char* caso;
        std::string archivo;
        bool complementaria;
        std::string pregunta; // empty: none
    };
    const Caso casos[] = {{"la misma", ArchivoDe({igual}), false, ordinaria},
                          {"la misma, borrada", ArchivoDe({{.periodo = "3T", .viva = false}}), false, ""},
                          {"complementarias", ArchivoDe({complementariaIgual}), true, complementaria},
                          {"dos iguales: una pregunta", ArchivoDe({complementariaIgual, complementariaIgual}),
                           true, complementaria}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        for (Respuesta r : {Respuesta::No, Respuesta::Sí}) {
            EscribirArchivo(c.archivo);
            hoja.EscribirTexto(edtIdDeclaración, "0");
            Mínima("12345678Z", c.complementaria);
            if (!c.pregunta.empty()) p.mensajes.EsperarPregunta(c.pregunta, r);
            const bool guarda = c.pregunta.empty() || r == Respuesta::Sí;
            EXPECT_EQ(v.GuardarDeclaración(true), guarda);
            const auto registros = c.archivo.size() / 750;
            // Appended after every record, deleted ones counted.
            EXPECT_EQ(Archivo().size(), (registros + guarda) * 750);
            EXPECT_EQ(Archivo().substr(0, c.archivo.size()), c.archivo);
            EXPECT_EQ(Id(), guarda ? std::to_string(registros + 1) : "0");
            EXPECT_EQ(hoja.RegistroModificado, !guarda);
        }
    }
}

TEST_F(Declaraciones, UnaDeclaraciónImpresaQueCambiaPierdeSusDatosDeImpresión) {
    LlenarPago();
    ASSERT_TRUE(v.GuardarDeclaración(false));
    const std::string guardado = Archivo();
    const std::string aviso = "Esta declaración ya había sido impresa con los siguientes datos: \r\n\r\n"
                              "                     Fecha de Impresion - 15/11/2010\r\n"
                              "               Número de Justificante - 8170698765433\r\n\r\n"
                              " En caso de continuar con la operación, estos datos serán borrados\r\n\r\n"
                              "                ¿Desea continuar con la operación? ";

    // Unchanged, or saved after an official print (no asking): the print data stay.
    ASSERT_TRUE(v.GuardarDeclaración(true));
    hoja.RegistroModificado = true;
    ASSERT_TRUE(v.GuardarDeclaración(false));
    EXPECT_EQ(Archivo(), guardado);

    p.Escribir(edtTelefono, "971000000");
    hoja.Enfocar(edtNIF);
    p.mensajes.EsperarPregunta(aviso, Respuesta::No, "Aviso");
    EXPECT_FALSE(v.GuardarDeclaración(true));
    EXPECT_EQ(Archivo(), guardado);
    EXPECT_EQ(hoja.Texto(edtFechaImpresión), "15/11/2010");

    // A save that fails keeps them on the sheet too.
    p.archivos.soloLectura = true;
    p.mensajes.EsperarPregunta(aviso, Respuesta::Sí, "Aviso")
        .EsperarError(std::string(kErrorGuardar) + "\r" + Ruta().string() + ": Permiso denegado");
    EXPECT_FALSE(v.GuardarDeclaración(true));
    EXPECT_EQ(hoja.Texto(edtNúmeroJustificante), "8170698765433");
    p.archivos.soloLectura = false;

    p.mensajes.EsperarPregunta(aviso, Respuesta::Sí, "Aviso");
    ASSERT_TRUE(v.GuardarDeclaración(true));
    EXPECT_EQ(hoja.Texto(edtNúmeroJustificante), "");
    EXPECT_EQ(hoja.Texto(edtFechaImpresión), "");
    EXPECT_EQ(Registro(1).substr(725, 25), std::string(23, ' ') + "\r\n");
    EXPECT_EQ(Registro(1).substr(186, 15), A("971000000", 15));
}

TEST_F(Declaraciones, UnaCopiaNoLlevaDatosDeImpresión) {
    LlenarPago();
    ASSERT_TRUE(v.GuardarDeclaración(false));
    ASSERT_TRUE(v.NuevaDeclaración());

    ASSERT_TRUE(v.AbrirDeclaración(1, 0));
    EXPECT_EQ(Id(), "0");
    EXPECT_EQ(hoja.Texto(edtNúmeroJustificante), "");
    EXPECT_EQ(hoja.Texto(edtFechaImpresión), "");
    EXPECT_EQ(v.registro.Valor(CampoRegistro::FechaImpresión), "");
    EXPECT_EQ(hoja.Texto(edtTelefono), "971123456789012");

    hoja.RegistroModificado = true; // as the copy command leaves it
    p.mensajes.EsperarPregunta("Ya existe una declaración complementaria para el mismo N.I.F., Ejercicio y "
                               "Periodo.\r¿Desea continuar guardando la declaración?",
                               Respuesta::Sí);
    ASSERT_TRUE(v.GuardarDeclaración(true)); // no "Aviso": nothing printed to lose
    EXPECT_EQ(Id(), "2");
    std::string esperado = Registro(1);
    esperado.replace(725, 23, std::string(23, ' '));
    EXPECT_EQ(Diferencia(Registro(2), esperado), "");
}

TEST_F(Declaraciones, VolverALaVersiónGuardadaOGuardarAntesDeDejarla) {
    Mínima("11111111H");
    ASSERT_TRUE(v.GuardarDeclaración(true));
    ASSERT_TRUE(v.NuevaDeclaración());
    Mínima();
    ASSERT_TRUE(v.GuardarDeclaración(true));
    p.Escribir(edtNombre, "OTRO");
    hoja.Enfocar(edtNIF);

    const char* volver = "¿Desea volver a la versión guardada de la declaración actual?";
    p.mensajes.EsperarPregunta(volver, Respuesta::No);
    EXPECT_FALSE(v.AbrirDeclaración(2, 2));
    EXPECT_EQ(hoja.Texto(edtNombre), "OTRO");
    p.mensajes.EsperarPregunta(volver, Respuesta::Sí);
    EXPECT_TRUE(v.AbrirDeclaración(2, 2));
    EXPECT_EQ(hoja.Texto(edtNombre), "RUIZ");

    // Another return, or a copy even of itself, over a changed one asks to save it first: Cancel keeps it.
    p.Escribir(edtNombre, "OTRO");
    hoja.Enfocar(edtNIF);
    const auto antes = Pantalla();
    for (auto [n, id] : {std::pair{1, 1}, std::pair{2, 0}, std::pair{1, 0}}) {
        p.mensajes.Esperar(kPreguntaGuardar, Icono::Pregunta, Botones::SíNoCancelar, Respuesta::Cancelar);
        EXPECT_FALSE(v.AbrirDeclaración(n, id));
        EXPECT_EQ(Pantalla(), antes);
    }
    p.mensajes.Esperar(kPreguntaGuardar, Icono::Pregunta, Botones::SíNoCancelar, Respuesta::No);
    EXPECT_TRUE(v.AbrirDeclaración(1, 0));
    EXPECT_EQ(hoja.Texto(edtNIF), "11111111H");
    EXPECT_EQ(Id(), "0");

    // An unsaved return has no saved version to go back to: a copy over it asks to save it.
    Mínima("33333333P");
    p.mensajes.Esperar(kPreguntaGuardar, Icono::Pregunta, Botones::SíNoCancelar, Respuesta::Cancelar);
    EXPECT_FALSE(v.AbrirDeclaración(2, 0));
    EXPECT_EQ(hoja.Texto(edtNIF), "33333333P");
}

TEST_F(Declaraciones, NuevaDeclaraciónPreguntaAntesDeDejarLaActual) {
    struct Caso {
        Respuesta respuesta;
        bool nueva;
        std::size_t bytes;
    };
    for (Caso c : {Caso{Respuesta::Cancelar, false, 0}, Caso{Respuesta::No, true, 0},
                   Caso{Respuesta::Sí, true, 750}}) {
        std::filesystem::remove(Ruta());
        hoja.RegistroModificado = false;
        ASSERT_TRUE(v.NuevaDeclaración());
        Mínima();
        const auto antes = Pantalla();
        p.mensajes.Esperar(kPreguntaGuardar, Icono::Pregunta, Botones::SíNoCancelar, c.respuesta);
        EXPECT_EQ(v.NuevaDeclaración(), c.nueva);
        EXPECT_EQ(std::filesystem::exists(Ruta()) ? LeerArchivo(Ruta()).size() : 0u, c.bytes);
        if (!c.nueva)
            EXPECT_EQ(Pantalla(), antes);
        else
            EXPECT_EQ(hoja.Texto(edtNIF), "");
    }
    // Yes with a return that cannot be saved: nothing is let go.
    Poner(edtNombre, "SIN NIF");
    hoja.RegistroModificado = true;
    p.mensajes.Esperar(kPreguntaGuardar, Icono::Pregunta, Botones::SíNoCancelar, Respuesta::Sí)
        .EsperarError(
            "Es obligatorio rellenar los campos Ejercicio, Periodo, N.I.F. y Nombre para poder grabar una "
            "declaración");
    EXPECT_FALSE(v.NuevaDeclaración());
    EXPECT_EQ(hoja.Texto(edtNombre), "SIN NIF");
}

TEST_F(Declaraciones, UnaAperturaQueFallaDejaLaHojaComoEstaba) {
    Mínima();
    ASSERT_TRUE(v.GuardarDeclaración(true));
    std::string sinAño = Registro(1), posterior = Registro(1);
    sinAño.replace(12, 4, "20X0");
    posterior.replace(12, 4, "2011");
    EscribirArchivo(Archivo() + sinAño + posterior);
    Poner(edtNombre, "EN PANTALLA");
    hoja.RegistroModificado = true;
    const auto antes = Pantalla();
    const std::string posteriorTexto =
        "La declaración que intenta abrir es de un ejercicio posterior al ejercicio "
        "para el cual fue creada esta versión de programa (2010)";
    const std::tuple<const char*, int, std::function<void()>, std::string> casos[] = {
        {"ejercicio posterior", 3, [] {}, posteriorTexto},
        {"registro que no existe", 4, [] {}, kErrorAbrir},
        {"ejercicio que no es un número", 2, [] {}, kErrorAbrir},
        {"lectura fallida", 1, [this] { p.archivos.lecturasFallan = true; }, kErrorAbrir},
        {"sin archivo", 1, [this] { std::filesystem::remove(Ruta()); }, kErrorAbrir}};
    for (const auto& [caso, n, estropear, mensaje] : casos) {
        SCOPED_TRACE(caso);
        estropear();
        p.mensajes.Esperar(kPreguntaGuardar, Icono::Pregunta, Botones::SíNoCancelar, Respuesta::No)
            .EsperarError(mensaje);
        EXPECT_FALSE(v.AbrirDeclaración(n, 0));
        EXPECT_EQ(Pantalla(), antes);
        EXPECT_EQ(v.registro.Valor(CampoRegistro::Nombre), "EN PANTALLA"); // the image is the sheet's
    }
}

TEST_F(Declaraciones, UnArchivoLlenoNoAdmiteOtraDeclaración) {
    RegistroDeclaración r;
    r.Poner(CampoRegistro::NIF, "11111111H");
    std::string lleno;
    lleno.reserve(kMáximoRegistros * 750u);
    for (int i = 0; i < kMáximoRegistros; ++i)
        lleno += r.Bytes();
    EscribirArchivo(lleno);
    Mínima();
    // No system error: the message names the file alone.
    p.mensajes.EsperarError(std::string(kErrorGuardar) + "\r" + Ruta().string());
    EXPECT_FALSE(v.GuardarDeclaración(true));
    EXPECT_EQ(std::filesystem::file_size(Ruta()), kMáximoRegistros * 750u);
}

TEST_F(Declaraciones, EliminarPreguntaConLoGuardadoYMarcaElRegistro) {
    Mínima("11111111H");
    ASSERT_TRUE(v.GuardarDeclaración(true));
    ASSERT_TRUE(v.NuevaDeclaración());
    Mínima("12345678Z");
    ASSERT_TRUE(v.GuardarDeclaración(true));
    const std::string archivo = Archivo();
    const auto antes = Pantalla();
    const std::string pregunta = "¿Confirmar eliminar el registro seleccionado?\r"
                                 "\r\tN.I.F.:\t12345678Z"
                                 "\r\tNombre:\tRUIZ" +
                                 std::string(71, ' ') +
                                 "\r\tEjercicio:\t2010"
                                 "\r\tPeriodo:\t3T\r"
                                 "\r\tComplementaria:\tN\r";

    p.mensajes.EsperarPregunta(pregunta, Respuesta::No);
    EXPECT_TRUE(v.EliminarDeclaración(2));
    EXPECT_EQ(Archivo(), archivo);

    p.mensajes.EsperarPregunta(pregunta, Respuesta::Sí);
    EXPECT_TRUE(v.EliminarDeclaración(2));
    const std::string borrado =
        "*" + std::string(645, ' ') + "0     2     5     9     13    20    " + std::string(66, ' ') + "\r\n";
    EXPECT_EQ(Diferencia(Registro(2), borrado), "");
    EXPECT_EQ(Registro(1), archivo.substr(0, 750));
    // The return on screen keeps its data and its record, and saving it makes the record live again.
    EXPECT_EQ(Pantalla(), antes);
    hoja.RegistroModificado = true;
    ASSERT_TRUE(v.GuardarDeclaración(true));
    EXPECT_EQ(Archivo(), archivo);

    // Without a file nothing is deleted, and no file is made (the faults of a folder are the fault tests').
    const std::string kErrorEliminar = "Error al intentar eliminar la declaración seleccionada\r";
    std::filesystem::remove(Ruta());
    p.mensajes.EsperarError(kErrorEliminar + Ruta().string() + ": No existe el archivo o la carpeta");
    EXPECT_FALSE(v.EliminarDeclaración(1));
    EXPECT_FALSE(std::filesystem::exists(Ruta()));
}

TEST_F(Declaraciones, UnRegistroDañadoNombraLosCamposQueNoSeCargan) {
    RegistroDeclaración r;
    using enum CampoRegistro;
    r.Poner(Ejercicio, "2010");
    r.Poner(Periodo, "XX");
    r.Poner(Administración, "999");
    r.Poner(NIF, "12345678Z");
    r.Poner(Nombre, "RUIZ @ CIA");
    r.Poner(Sigla, "ZZ");
    r.Poner(Provincia, "99");
    r.Poner(Municipio, "99001");
    r.Poner(Número, "12");
    EscribirArchivo(std::string(r.Bytes()));

    p.mensajes.EsperarError(
        "Se ha producido un error al leer los datos de la declaración seleccionada.\r\n\r\n"
        "Los datos que se relacionan a continuación no se han podido cargar y deberán "
        "cumplimentarse de nuevo:Administración Tributaria de, Tipo de vía, Provincia, "
        "Municipio, PERÍODO, Apellidos y nombre / Razón social.");
    ASSERT_TRUE(v.AbrirDeclaración(1, 1));
    // What could be loaded is on the sheet.
    EXPECT_EQ(hoja.Texto(edtNIF), "12345678Z");
    EXPECT_EQ(hoja.Texto(edtNumero), "12");
    EXPECT_EQ(Id(), "1");
}

} // namespace
