// Faults met by the sheet's commands on real folders and disks: a missing Datos, a Declaraciones.txt that is
// a folder, a read-only Datos, a disk that is really full. Each shows its message and leaves the sheet and
// the folder as they were, and the same command goes through once the fault is gone. A sheet whose reference
// tables are missing or damaged says so and still works.
#include "app/Hoja.h"
#include "model/Listas.h"
#include "model/Tablas.h"
#include "platform/Texto1252.h"
#include "store/ArchivoDeclaraciones.h"
#include "support/DiscoEnMemoria.h"
#include "support/HojaPrueba.h"
#include "support/Registros.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <unistd.h>

using namespace m817;
using namespace m817::campos;
using namespace m817::prueba;

namespace {

const std::string kErrorGuardar = "Error al intentar guardar la declaración";
const std::string kErrorEliminar = "Error al intentar eliminar la declaración seleccionada";

// What a folder holds: each name with its bytes ("<carpeta>" for a folder). Empty optional: no such folder.
std::optional<std::map<std::string, std::string>> Contenido(const std::filesystem::path& carpeta) {
    if (!std::filesystem::is_directory(carpeta)) return std::nullopt;
    std::map<std::string, std::string> c;
    for (const auto& e : std::filesystem::directory_iterator(carpeta))
        c[e.path().filename().string()] = e.is_directory() ? "<carpeta>" : LeerArchivo(e.path());
    return c;
}

// Two returns saved by an earlier session.
std::string DosDeclaraciones() {
    return ArchivoDe({{.nif = "11111111H", .nombre = "GUARDADA", .periodo = "2T"},
                      {.nif = "22222222J", .nombre = "GUARDADA", .periodo = "2T"}});
}

class FallosHoja : public ::testing::Test {
  public:
    FallosHoja() { p.Cargar(); }

    std::filesystem::path Datos() const { return p.carpeta.Datos(); }
    std::filesystem::path Ruta() const { return RutaDeclaraciones(Datos()); }

    // A return typed in as the user types it; bound to record `id` of the file, or new for 0.
    void Teclear(int id) {
        p.Escribir(edtNIF, "12345678Z");
        p.Escribir(edtNombre, "PEÑA");
        p.Casilla(3, "1000");
        p.hoja().EscribirTexto(edtIdDeclaración, std::to_string(id));
        ASSERT_TRUE(p.hoja().RegistroModificado);
    }

    // The command fails with its message (after the question answered Yes, if one is given), and the sheet
    // and Datos are as they were.
    void FallaSinTocarNada(const std::function<bool()>& orden, const std::string& mensaje,
                           const std::string& preguntaUtf8 = "") {
        const auto antes = Pantalla(p.hoja());
        const auto carpeta = Contenido(Datos());
        if (!preguntaUtf8.empty()) p.mensajes.EsperarPregunta(preguntaUtf8, Respuesta::Sí);
        p.mensajes.EsperarError(mensaje);
        EXPECT_FALSE(orden());
        EXPECT_EQ(Pantalla(p.hoja()), antes);
        EXPECT_EQ(Contenido(Datos()), carpeta);
    }

    HojaPrueba p;
};

// The folder refuses the file: the save and the delete fail, and then work once the folder is sound.
TEST_F(FallosHoja, UnaCarpetaQueNoAdmiteElArchivo) {
    struct Caso {
        const char* nombre;
        std::function<void(FallosHoja&)> estropear, arreglar;
        const char* causa; // what the messages add after the file
    };
    const Caso casos[] = {{"sin carpeta Datos", [](FallosHoja& f) { std::filesystem::remove_all(f.Datos()); },
                           [](FallosHoja& f) {
                               std::filesystem::create_directory(f.Datos());
                               f.p.carpeta.EscribirDatos(kNombreArchivoDeclaraciones, DosDeclaraciones());
                           },
                           "No existe el archivo o la carpeta"},
                          {"Declaraciones.txt es una carpeta",
                           [](FallosHoja& f) {
                               std::filesystem::remove(f.Ruta());
                               std::filesystem::create_directory(f.Ruta());
                           },
                           [](FallosHoja& f) {
                               std::filesystem::remove(f.Ruta());
                               f.p.carpeta.EscribirDatos(kNombreArchivoDeclaraciones, DosDeclaraciones());
                           },
                           "Es una carpeta"},
                          // Root writes whatever the permissions say, and the tests run as root: there the
                          // file service that refuses writes stands for the read-only folder.
                          {"Datos de solo lectura",
                           [](FallosHoja& f) {
                               if (::geteuid() == 0) {
                                   f.p.archivos.soloLectura = true;
                               } else {
                                   std::filesystem::permissions(f.Ruta(), std::filesystem::perms(0444));
                                   std::filesystem::permissions(f.Datos(), std::filesystem::perms(0555));
                               }
                           },
                           [](FallosHoja& f) {
                               f.p.archivos.soloLectura = false;
                               std::filesystem::permissions(f.Datos(), std::filesystem::perms(0755));
                               std::filesystem::permissions(f.Ruta(), std::filesystem::perms(0644));
                           },
                           "Permiso denegado"}};
    for (const auto& c : casos) {
        for (int id : {0, 2}) {
            SCOPED_TRACE(std::string(c.nombre) + (id == 0 ? ", una nueva" : ", la del registro 2"));
            p.carpeta.EscribirDatos(kNombreArchivoDeclaraciones, DosDeclaraciones());
            Teclear(id);
            c.estropear(*this);
            // A folder in the data file's place is named as such.
            const bool esCarpeta = std::string(c.nombre) == "Declaraciones.txt es una carpeta";
            const std::string línea = "\r" + (esCarpeta ? "El archivo de declaraciones " + Ruta().string() +
                                                              " es una carpeta, no un archivo."
                                                        : Ruta().string() + ": " + c.causa);
            FallaSinTocarNada([&] { return p.ventana->GuardarDeclaración(true); }, kErrorGuardar + línea);
            FallaSinTocarNada([&] { return p.ventana->EliminarDeclaración(1); }, kErrorEliminar + línea);

            // The sheet kept the return: saving it again, once the folder is sound, stores it.
            c.arreglar(*this);
            const auto antes = LeerArchivo(Ruta());
            ASSERT_TRUE(p.ventana->GuardarDeclaración(true));
            const std::string guardado = LeerArchivo(Ruta());
            const std::size_t n = id == 0 ? 3 : 2;
            EXPECT_EQ(p.hoja().Texto(edtIdDeclaración), std::to_string(n));
            ASSERT_EQ(guardado.size(), std::max<std::size_t>(antes.size(), n * kLongitudRegistro));
            const auto r = RegistroDeclaración::DesdeBytes(guardado.substr((n - 1) * kLongitudRegistro));
            EXPECT_EQ(r.Valor(CampoRegistro::NIF), "12345678Z");
            EXPECT_EQ(r.Valor(CampoRegistro::Nombre), W("PEÑA"));
            EXPECT_EQ(r.Valor(CampoRegistro::Casilla03), p.TextoCasilla(3));
            EXPECT_EQ(guardado.substr(0, kLongitudRegistro), DosDeclaraciones().substr(0, kLongitudRegistro));
            EXPECT_FALSE(p.hoja().RegistroModificado);
        }
    }
}

// A small file system filled to the last byte: no save or delete that needs room gets it, none leaves a
// trace, and all of them go through once there is room again.
TEST_F(FallosHoja, UnDiscoLlenoDeVerdad) {
    DiscoEnMemoria disco(Datos(), 64 * 1024);
    if (!disco.Montado()) GTEST_SKIP() << disco.Motivo();
    // Five records: the first page of the file is nearly full, a sixth one needs another.
    std::string cinco = DosDeclaraciones() + DosDeclaraciones();
    cinco += cinco.substr(0, kLongitudRegistro);
    p.carpeta.EscribirDatos(kNombreArchivoDeclaraciones, cinco);
    ASSERT_GT(disco.Llenar(), 0u);

    for (int id : {0, 2}) {
        SCOPED_TRACE(id == 0 ? "una nueva" : "la del registro 2");
        Teclear(id);
        // A rewrite fails on its side file, written first.
        const std::string archivo = Ruta().string() + (id == 0 ? "" : "_deshacer.txt");
        FallaSinTocarNada([&] { return p.ventana->GuardarDeclaración(true); },
                          kErrorGuardar + ("\r" + archivo + ": No queda espacio en el dispositivo"));
    }
    const auto primera = RegistroDeclaración::DesdeBytes(cinco);
    FallaSinTocarNada([&] { return p.ventana->EliminarDeclaración(1); },
                      kErrorEliminar +
                          ("\r" + Ruta().string() + "_deshacer.txt: No queda espacio en el dispositivo"),
                      Utf8(TextoConfirmarEliminar(primera)));

    std::filesystem::remove(Datos() / "relleno");
    ASSERT_TRUE(p.ventana->GuardarDeclaración(true)); // record 2 again
    p.hoja().EscribirTexto(edtIdDeclaración, "0");
    p.Escribir(edtNIF, "87654321X");
    ASSERT_TRUE(p.ventana->GuardarDeclaración(true));
    EXPECT_EQ(p.hoja().Texto(edtIdDeclaración), "6");
    const std::string ahora = LeerArchivo(Ruta());
    ASSERT_EQ(ahora.size(), 6 * kLongitudRegistro);
    for (std::size_t n : {1, 3, 4, 5})
        EXPECT_EQ(ahora.substr((n - 1) * kLongitudRegistro, kLongitudRegistro),
                  cinco.substr((n - 1) * kLongitudRegistro, kLongitudRegistro));
    EXPECT_EQ(RegistroDeclaración::DesdeBytes(ahora.substr(kLongitudRegistro)).Valor(CampoRegistro::NIF),
              "12345678Z");
    EXPECT_EQ(RegistroDeclaración::DesdeBytes(ahora.substr(5 * kLongitudRegistro)).Valor(CampoRegistro::NIF),
              "87654321X");
    EXPECT_EQ(Contenido(Datos())->size(), 1u);
}

// Each reference table missing or damaged (the kinds of damage are the table reader's to test): its message
// when it is loaded, an empty list (or no administration for a municipality), and a sheet that still works.
TEST(TablasDañadas, CadaTablaAvisaYLaHojaSigueFuncionando) {
    std::string todos;
    for (int b = 0; b < 256; ++b)
        todos += static_cast<char>(b);
    const std::pair<const char*, std::function<void(const std::filesystem::path&)>> daños[] = {
        {"falta", [](const auto& ruta) { std::filesystem::remove(ruta); }},
        {"bytes cualesquiera", [&](const auto& ruta) { std::ofstream(ruta, std::ios::binary) << todos; }}};
    struct Tabla {
        std::string_view nombre;
        IdCampo lista; // none for the municipality-administration pairs
        const char* mensaje;
    };
    const Tabla tablas[] = {
        {kTablaAdministraciones, cmbAdministracion, "Error al cargar la tabla de Administraciones"},
        {kTablaSiglas, cmbSigla, "Error al cargar la tabla de Siglas"},
        {kTablaProvincias, cmbProvincia, "Error al cargar la tabla de Provincias"},
        {kTablaMunicipios, cmbMunicipio, "Error al cargar la tabla de Municipios"},
        {kTablaMunicipiosAdministraciones, kNúmeroCampos,
         "Error al cargar la tabla de relación Municipios-Administraciones"}};
    for (const auto& t : tablas) {
        for (const auto& [daño, estropear] : daños) {
            SCOPED_TRACE(std::string(t.nombre) + ": " + daño);
            HojaPrueba p;
            estropear(p.carpeta.Datos() / (std::string(t.nombre) + ".txt"));
            // The municipalities are read when a province is chosen, the others when the sheet loads.
            if (t.lista != cmbMunicipio) p.mensajes.EsperarError(t.mensaje);
            p.Cargar();
            EXPECT_FALSE(p.mensajes.Pendientes());
            if (t.lista != kNúmeroCampos && t.lista != cmbMunicipio) {
                EXPECT_TRUE(p.hoja().Lista(t.lista).empty());
            }

            // Choosing a province loads its municipalities; with no pairs no administration follows.
            if (t.lista != cmbProvincia) {
                if (t.lista == cmbMunicipio) p.mensajes.EsperarError(t.mensaje);
                SeleccionarCódigoCombo(p.hoja(), cmbProvincia, "7", false);
                bool cancelar = false;
                p.ventana->ValidarCampos("cmbProvincia", -1, cancelar);
                EXPECT_FALSE(p.mensajes.Pendientes());
                EXPECT_EQ(p.hoja().Lista(cmbMunicipio).empty(), t.lista == cmbMunicipio);
                if (t.lista != cmbMunicipio) {
                    SeleccionarCódigoCombo(p.hoja(), cmbMunicipio, "7040", false);
                    p.ventana->ValidarCampos("cmbMunicipio", -1, cancelar);
                    const bool conAdministración = t.lista != kNúmeroCampos && t.lista != cmbAdministracion;
                    EXPECT_EQ(CódigoCombo(p.hoja(), cmbAdministracion, false),
                              conAdministración ? "701" : "");
                }
            }

            // Typing into the boxes runs the calculation, and the return saves.
            p.Casilla(3, "1000");
            EXPECT_EQ(p.TextoCasilla(7), "");
            EXPECT_EQ(p.TextoCasilla(26), "50,00");
            p.Escribir(edtNIF, "12345678Z");
            p.Escribir(edtNombre, "RUIZ");
            EXPECT_TRUE(p.ventana->GuardarDeclaración(true));
            EXPECT_EQ(std::filesystem::file_size(RutaDeclaraciones(p.carpeta.Datos())), kLongitudRegistro);
        }
    }
}

} // namespace
