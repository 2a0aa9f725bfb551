// Faults on real folders and disks: each shows its message, leaves the sheet and the folder as they were, and
// the same command goes through once the fault is gone. Missing or damaged tables: the sheet still works.
#include "model/Listas.h"
#include "model/Tablas.h"
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

namespace fs = std::filesystem;
constexpr std::size_t kL = kLongitudRegistro;
const std::string kErrorGuardar = "Error al intentar guardar la declaración";
const std::string kErrorEliminar = "Error al intentar eliminar la declaración seleccionada";
const std::string kDos = ArchivoDe({{.nif = "11111111H", .nombre = "GUARDADA", .periodo = "2T"},
                                    {.nif = "22222222J", .nombre = "GUARDADA", .periodo = "2T"}});

std::optional<std::map<std::string, std::string>> Contenido(const fs::path& carpeta) {
    if (!fs::is_directory(carpeta)) return std::nullopt;
    std::map<std::string, std::string> c;
    for (const auto& e : fs::directory_iterator(carpeta))
        c[e.path().filename().string()] = e.is_directory() ? "<carpeta>" : LeerArchivo(e.path());
    return c;
}

struct FallosHoja : ::testing::Test {
    FallosHoja() { p.Cargar(); }
    fs::path Datos() const { return p.carpeta.Datos(); }
    fs::path Ruta() const { return RutaDeclaraciones(Datos()); }

    void Teclear(int id) { // bound to record `id` of the file, or new for 0
        p.Escribir(edtNIF, "12345678Z");
        p.Escribir(edtNombre, "PEÑA");
        p.hoja().EscribirTexto(edtIdDeclaración, std::to_string(id));
    }

    // The command fails with its message (after the question answered Yes); sheet and Datos unchanged.
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

TEST_F(FallosHoja, UnaCarpetaQueNoAdmiteElArchivo) {
    // Root writes whatever the permissions say: there the file service that refuses writes stands in.
    auto soloLectura = [&](bool sí) {
        if (::geteuid() == 0) return void(p.archivos.soloLectura = sí);
        fs::permissions(Datos(), fs::perms(sí ? 0555 : 0755)),
            fs::permissions(Ruta(), fs::perms(sí ? 0444 : 0644));
    };
    // How to break the folder, how to mend it, the message's second line (% is the file).
    const std::tuple<std::function<void()>, std::function<void()>, std::string> casos[] = {
        {[&] { fs::remove_all(Datos()); }, [&] { fs::create_directory(Datos()); },
         "%: No existe el archivo o la carpeta"},
        {[&] { fs::remove(Ruta()), fs::create_directory(Ruta()); }, [&] { fs::remove(Ruta()); },
         "El archivo de declaraciones % es una carpeta, no un archivo."},
        {[&] { soloLectura(true); }, [&] { soloLectura(false); }, "%: Permiso denegado"}};
    for (const auto& [estropear, arreglar, causa] : casos) {
        for (int id : {0, 2}) {
            SCOPED_TRACE(causa + (id == 0 ? ", una nueva" : ", la del registro 2"));
            p.carpeta.EscribirDatos(kNombreArchivoDeclaraciones, kDos);
            Teclear(id);
            estropear();
            const std::string línea = "\r" + std::string(causa).replace(causa.find('%'), 1, Ruta().string());
            FallaSinTocarNada([&] { return p.ventana->GuardarDeclaración(true); }, kErrorGuardar + línea);
            FallaSinTocarNada([&] { return p.ventana->EliminarDeclaración(1); }, kErrorEliminar + línea);

            arreglar(); // the sheet kept the return: once the folder is sound, it saves
            p.carpeta.EscribirDatos(kNombreArchivoDeclaraciones, kDos);
            ASSERT_TRUE(p.ventana->GuardarDeclaración(true));
            const std::string guardado = LeerArchivo(Ruta());
            const std::size_t n = id == 0 ? 3 : 2;
            EXPECT_EQ(p.hoja().Texto(edtIdDeclaración), std::to_string(n));
            ASSERT_EQ(guardado.size(), n * kL);
            const auto r = RegistroDeclaración::DesdeBytes(guardado.substr((n - 1) * kL));
            EXPECT_EQ(r.Valor(CampoRegistro::NIF) + r.Valor(CampoRegistro::Nombre), W("12345678ZPEÑA"));
            EXPECT_EQ(guardado.substr(0, kL), kDos.substr(0, kL));
            EXPECT_FALSE(p.hoja().RegistroModificado);
        }
    }
}

// A small file system filled to the last byte: nothing that needs room gets it or leaves a trace.
TEST_F(FallosHoja, UnDiscoLlenoDeVerdad) {
    DiscoEnMemoria disco(Datos(), 64 * 1024);
    if (!disco.Montado()) GTEST_SKIP() << disco.Motivo();
    // Five records: the first page of the file is nearly full, a new one needs another.
    const std::string cinco = kDos + kDos + kDos.substr(0, kL);
    p.carpeta.EscribirDatos(kNombreArchivoDeclaraciones, cinco);
    ASSERT_GT(disco.Llenar(), 0u);
    const std::string lleno = ": No queda espacio en el dispositivo";
    for (int id : {0, 2}) { // a rewrite fails on its side file, written first
        Teclear(id);
        FallaSinTocarNada([&] { return p.ventana->GuardarDeclaración(true); },
                          kErrorGuardar + "\r" + Ruta().string() + (id == 0 ? "" : "_deshacer.txt") + lleno);
    }
    FallaSinTocarNada([&] { return p.ventana->EliminarDeclaración(1); },
                      kErrorEliminar + "\r" + Ruta().string() + "_deshacer.txt" + lleno,
                      Utf8(TextoConfirmarEliminar(RegistroDeclaración::DesdeBytes(cinco))));

    fs::remove(Datos() / "relleno");
    ASSERT_TRUE(p.ventana->GuardarDeclaración(true)); // record 2 again, the others untouched
    const std::string ahora = LeerArchivo(Ruta());
    EXPECT_EQ(ahora.substr(0, kL) + ahora.substr(2 * kL), cinco.substr(0, kL) + cinco.substr(2 * kL));
    EXPECT_EQ(RegistroDeclaración::DesdeBytes(ahora.substr(kL)).Valor(CampoRegistro::NIF), "12345678Z");
    EXPECT_EQ(Contenido(Datos())->size(), 1u);
}

// Each table missing or damaged: its message when it is read, an empty list, a sheet that computes and saves.
TEST(TablasDañadas, CadaTablaAvisaYLaHojaSigueFuncionando) {
    const std::string basura("\0\xff\xfe\r\n\",,\x81\x9d\n7", 12);
    // clang-format off
    const std::tuple<std::string_view, IdCampo, const char*> tablas[] = {
        {kTablaAdministraciones, cmbAdministracion, "Administraciones"}, {kTablaSiglas, cmbSigla, "Siglas"},
        {kTablaProvincias, cmbProvincia, "Provincias"}, {kTablaMunicipios, cmbMunicipio, "Municipios"},
        {kTablaMunicipiosAdministraciones, kNúmeroCampos, "relación Municipios-Administraciones"}};
    // clang-format on
    for (const auto& [nombre, lista, mensaje] : tablas) {
        for (bool falta : {true, false}) {
            SCOPED_TRACE(std::string(nombre) + (falta ? ": falta" : ": bytes cualesquiera"));
            HojaPrueba p;
            const fs::path ruta = p.carpeta.Datos() / (std::string(nombre) + ".txt");
            falta ? void(fs::remove(ruta)) : void(std::ofstream(ruta, std::ios::binary) << basura);
            const std::string error = std::string("Error al cargar la tabla de ") + mensaje;
            // The municipalities are read when a province is chosen.
            if (lista != cmbMunicipio) p.mensajes.EsperarError(error);
            p.Cargar();
            if (lista == cmbMunicipio) p.mensajes.EsperarError(error);
            bool cancelar = false;
            SeleccionarCódigoCombo(p.hoja(), cmbProvincia, "7", false);
            p.ventana->ValidarCampos("cmbProvincia", -1, cancelar);
            EXPECT_TRUE(lista == kNúmeroCampos || p.hoja().Lista(lista).empty());
            EXPECT_FALSE(p.mensajes.Pendientes());
            p.Casilla(3, "1000");
            EXPECT_EQ(p.TextoCasilla(26), "50,00");
            p.Escribir(edtNIF, "12345678Z");
            p.Escribir(edtNombre, "RUIZ");
            EXPECT_TRUE(p.ventana->GuardarDeclaración(true));
            EXPECT_EQ(fs::file_size(RutaDeclaraciones(p.carpeta.Datos())), kL);
        }
    }
}

} // namespace
