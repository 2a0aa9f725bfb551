// Saved returns as the commands drive them: the bytes in the data file, what comes back, questions, failures.
#include "model/Listas.h"
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
const char* kErrorAbrir = "Error al intentar abrir la declaración seleccionada";
const char* kObligatorios =
    "Es obligatorio rellenar los campos Ejercicio, Periodo, N.I.F. y Nombre para poder grabar "
    "una declaración";

// Left-aligned in its width, as the record keeps every field.
std::string A(std::string_view texto, std::size_t ancho) {
    EXPECT_LE(texto.size(), ancho) << texto;
    return std::string(texto) + std::string(ancho - std::min(ancho, texto.size()), ' ');
}

// A loaded sheet over small tables and a fresh Datos folder.
struct Declaraciones : ::testing::Test {
    Declaraciones() { p.Cargar(); }
    std::filesystem::path Ruta() const { return RutaDeclaraciones(p.carpeta.Datos()); }
    std::string Archivo() const { return std::filesystem::exists(Ruta()) ? LeerArchivo(Ruta()) : "-"; }
    std::string Registro(int n) const { return Archivo().substr(static_cast<std::size_t>(n - 1) * 750, 750); }
    void Poner(IdCampo id, std::string_view utf8) { hoja.EscribirTexto(id, W(utf8)); }
    void Mínima(std::string_view nif = "12345678Z") {
        Poner(edtNIF, nif);
        Poner(edtNombre, "RUIZ");
        hoja.RegistroModificado = true;
    }
    std::string Id() const { return hoja.Texto(edtIdDeclaración); }
    std::vector<std::string> Pantalla() const { return prueba::Pantalla(hoja); }

    // A payment return with every stored field filled, the name longer than its field.
    void LlenarPago() {
        // Chosen as the user chooses an entry and leaves the list; the municipality fixes the administration.
        for (auto [lista, código] :
             {std::pair{cmbProvincia, "7"}, {cmbMunicipio, "7040"}, {cmbSigla, "CL"}}) {
            SeleccionarCódigoCombo(hoja, lista, código, ListaAlfabética(lista));
            bool cancelar = false;
            v.ValidarCampos(Definición(lista).nombre, -1, cancelar);
        }
        hoja.Pulsar(chkComplementaria);
        // clang-format off
        const std::pair<IdCampo, const char*> textos[] = {
            {cmbPeriodo, "4T"}, {edtJustifComp, "8170612345673"}, {edtNIF, "12345678Z"},
            {edtNombre, "MUÑOZ PEÑA, JOSÉ 123456789012345678901234567890123456789012345678901234567890123"},
            {edtViaPublica, "AVENIDA DE LA CONSTITUCIÓN ESPAÑOLA 12345678901234"}, {edtNumero, "12345"},
            {edtEscalera, "B2"}, {edtPiso, "3"}, {edtPuerta, "IZDA"}, {edtTelefono, "971123456789012"},
            {edtCodigoPostal, "07001"}, {edtFax, "971000000000001"}};
        const std::pair<int, const char*> casillas[] = {{1, "1000"}, {2, "2000"}, {3, "3000"}, {4, "4000"},
            {5, "5000"}, {6, "6000"}, {13, "100"}, {14, "50"}, {16, "200"}, {17, "300"}, {18, "10"}, {19, "20"},
            {20, "30"}, {21, "40"}, {24, "100"}, {25, "50"}};
        // clang-format on
        for (auto [id, t] : textos)
            Poner(id, t);
        for (auto [i, t] : casillas)
            p.Casilla(i, t);
        hoja.Enfocar(edtNIF);
        hoja.Pulsar(chkFPCuenta);
        for (int i = 0; i <= 3; ++i) {
            Poner(edtCCCIng(i), std::vector{"2100", "0418", "45", "0200051332"}[i]);
            Poner(edtCCCDev(i), std::vector{"0049", "1500", "05", "1234567890"}[i]);
        }
        Poner(edtNúmeroJustificante, "8170698765433");
        Poner(edtFechaImpresión, "15/11/2010");
    }

    HojaPrueba p;
    frmHoja1& v = *p.ventana;
    HojaDeclaración& hoja = p.hoja();
};

TEST_F(Declaraciones, UnaDeclaraciónLlenaSeGuardaCampoACampoYSeAbreIgual) {
    LlenarPago();
    ASSERT_EQ(hoja.OpciónSeleccionada(), 1);
    ASSERT_TRUE(v.GuardarDeclaración(false));

    const std::string nombre =
                          W("MUÑOZ PEÑA, JOSÉ 1234567890123456789012345678901234567890123456789012345678"),
                      vía = W("AVENIDA DE LA CONSTITUCIÓN ESPAÑOLA 12345678901234");
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

    // Saved again, it keeps its slot: the file does not grow. A payment keeps no refund account.
    for (int i = 0; i <= 3; ++i)
        Poner(edtCCCDev(i), "");
    ASSERT_TRUE(v.GuardarDeclaración(false));
    const std::string archivo = Archivo();
    EXPECT_EQ(Diferencia(archivo, esperado.substr(0, 704) + std::string(20, ' ') + esperado.substr(724)), "");

    // Opened over whatever the sheet showed, it is saved back unchanged. First the user changes the province:
    // the sheet still remembers the one it had, whose municipalities it no longer lists.
    hoja.Enfocar(cmbProvincia);
    hoja.ElegirEntrada(cmbProvincia, 2); // Illes Balears
    hoja.Enfocar(edtNIF);
    hoja.RegistroModificado = false;
    ASSERT_TRUE(v.AbrirDeclaración(1, 1));
    EXPECT_EQ(Id() + (hoja.RegistroModificado ? " modificada" : ""), "1");
    EXPECT_EQ(Diferencia(v.registro.Bytes(), archivo), "");
    hoja.RegistroModificado = true;
    ASSERT_TRUE(v.GuardarDeclaración(false));
    EXPECT_EQ(Diferencia(Archivo(), archivo), "");
    EXPECT_EQ(v.EjercicioDeclaración(), 2010);
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
    EXPECT_EQ(hoja.Texto(edtFechaImpresión) + hoja.Texto(edtNúmeroJustificante), "15/11/20108170698765433");
    p.mensajes.EsperarPregunta(aviso, Respuesta::Sí, "Aviso");
    ASSERT_TRUE(v.GuardarDeclaración(true));
    EXPECT_EQ(hoja.Texto(edtFechaImpresión) + hoja.Texto(edtNúmeroJustificante), "");
    EXPECT_EQ(Registro(1).substr(186, 15) + Registro(1).substr(725),
              A("971000000", 15) + std::string(23, ' ') + "\r\n");
}

TEST_F(Declaraciones, NadaDeLoCambiadoSeDejaSinPreguntar) {
    Mínima("11111111H");
    ASSERT_TRUE(v.GuardarDeclaración(true));
    p.Escribir(edtNombre, "OTRO");
    p.mensajes.EsperarPregunta("¿Desea volver a la versión guardada de la declaración actual?",
                               Respuesta::No);
    EXPECT_FALSE(v.AbrirDeclaración(1, 1));
    // A copy even of itself, or a new return, over a changed one asks to save it first: Cancel keeps it, and
    // so does Yes when it cannot be saved; Yes saves it.
    const auto antes = Pantalla();
    const std::tuple<std::function<bool()>, Respuesta, const char*> casos[] = {
        {[&] { return v.AbrirDeclaración(1, 0); }, Respuesta::Cancelar, ""},
        {[&] { return v.NuevaDeclaración(); }, Respuesta::Cancelar, ""},
        {[&] { return Poner(edtNIF, "  "), v.NuevaDeclaración(); }, Respuesta::Sí, kObligatorios}};
    for (const auto& [orden, respuesta, error] : casos) {
        p.mensajes.Esperar(kPreguntaGuardar, Icono::Pregunta, Botones::SíNoCancelar, respuesta);
        if (*error) p.mensajes.EsperarError(error);
        EXPECT_FALSE(orden());
        EXPECT_EQ(hoja.Texto(edtNombre), "OTRO");
    }
    Poner(edtNIF, "11111111H");
    EXPECT_EQ(Pantalla(), antes);
    p.mensajes.Esperar(kPreguntaGuardar, Icono::Pregunta, Botones::SíNoCancelar, Respuesta::Sí);
    EXPECT_TRUE(v.NuevaDeclaración());
    EXPECT_EQ(RegistroDeclaración::DesdeBytes(Registro(1)).Valor(CampoRegistro::Nombre), "OTRO");
    EXPECT_EQ(hoja.Texto(edtNIF), "");
}

TEST_F(Declaraciones, UnaAperturaQueFallaDejaLaHojaComoEstaba) {
    Mínima();
    ASSERT_TRUE(v.GuardarDeclaración(true));
    std::string posterior = Registro(1);
    p.carpeta.EscribirDatos(kNombreArchivoDeclaraciones, Archivo() + posterior.replace(12, 4, "2011"));
    Poner(edtNombre, "EN PANTALLA");
    hoja.RegistroModificado = true;
    const auto antes = Pantalla();
    const std::tuple<int, std::function<void()>, std::string> casos[] = {
        {2, [] {},
         "La declaración que intenta abrir es de un ejercicio posterior al ejercicio para el cual fue "
         "creada esta versión de programa (2010)"},
        {3, [] {}, kErrorAbrir}, // no such record
        {1, [this] { p.archivos.lecturasFallan = true; }, kErrorAbrir},
        {1, [this] { std::filesystem::remove(Ruta()); }, kErrorAbrir}};
    for (const auto& [n, estropear, mensaje] : casos) {
        estropear();
        p.mensajes.Esperar(kPreguntaGuardar, Icono::Pregunta, Botones::SíNoCancelar, Respuesta::No)
            .EsperarError(mensaje);
        EXPECT_FALSE(v.AbrirDeclaración(n, 0)) << n;
        EXPECT_EQ(Pantalla(), antes);
        EXPECT_EQ(v.registro.Valor(CampoRegistro::Nombre), "EN PANTALLA"); // the image is the sheet's
    }
}

TEST_F(Declaraciones, EliminarPreguntaConLoGuardadoYMarcaElRegistro) {
    p.carpeta.EscribirDatos(kNombreArchivoDeclaraciones, ArchivoDe({{.nif = "11111111H"}}));
    Mínima("12345678Z");
    ASSERT_TRUE(v.GuardarDeclaración(true));
    const std::string archivo = Archivo();
    const auto antes = Pantalla();
    const std::string pregunta =
        "¿Confirmar eliminar el registro seleccionado?\r\r\tN.I.F.:\t12345678Z\r\tNombre:\tRUIZ" +
        std::string(71, ' ') + "\r\tEjercicio:\t2010\r\tPeriodo:\t3T\r\r\tComplementaria:\tN\r";
    p.mensajes.EsperarPregunta(pregunta, Respuesta::No);
    EXPECT_TRUE(v.EliminarDeclaración(2));
    EXPECT_EQ(Archivo(), archivo);
    p.mensajes.EsperarPregunta(pregunta, Respuesta::Sí);
    EXPECT_TRUE(v.EliminarDeclaración(2));
    const std::string borrado =
        "*" + std::string(645, ' ') + "0     2     5     9     13    20    " + std::string(66, ' ') + "\r\n";
    EXPECT_EQ(Diferencia(Archivo(), archivo.substr(0, 750) + borrado), "");
    // The return on screen keeps its data and its record, and saving it makes the record live again.
    EXPECT_EQ(Pantalla(), antes);
    hoja.RegistroModificado = true;
    ASSERT_TRUE(v.GuardarDeclaración(true));
    EXPECT_EQ(Archivo(), archivo);
    // Without a file nothing is deleted, and no file is made.
    std::filesystem::remove(Ruta());
    p.mensajes.EsperarError("Error al intentar eliminar la declaración seleccionada\r" + Ruta().string() +
                            ": No existe el archivo o la carpeta");
    EXPECT_FALSE(v.EliminarDeclaración(1));
    EXPECT_EQ(Archivo(), "-");
}

} // namespace
