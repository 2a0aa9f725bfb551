#include "print/Impresion.h"

#include "print/HojaImpresion.h"
#include "print/NubePuntos.h"
#include "support/Dobles.h"
#include "support/ImpresorasGuion.h"
#include "validation/Identificadores.h"

#include <gtest/gtest.h>

#include <set>

using namespace m817;
using namespace m817::prueba;
using V = std::vector<std::string>;

namespace {

constexpr const char* kGuardar = "Debe guardar la declaración antes de imprimir.\r¿Desea guardarla ahora?";

// The print command wired to doubles; each callback records that it ran.
struct Banco {
    HojaDeclaración hoja;
    MensajesGuion mensajes;
    ListaErrores errores{mensajes};
    RelojFijo reloj{{2010, 11, 15, 10, 0, 0}};
    CarpetaTemporal carpeta;
    ImpresorasGuion impresoras;
    CódigosBarrasPrueba códigos;
    AleatorioSistema aleatorio{12345};
    ImpresiónDeclaración impresión{hoja,       errores, mensajes,  reloj,  carpeta,
                                   impresoras, códigos, aleatorio, "3.2.2"};
    bool últimoCampoVálido = true, guardarDevuelve = true;
    int modo = kModoOficial, elegida = 0; // what the dialog leaves, the entry the user picks
    V sucesos, anotaciones;               // callbacks run; "E:clave" or "A:clave" for ValidarCampos to note

    Banco() {
        RellenarHojaCompleta(hoja);
        DatosImpresora pdf = Impresora("Archivo PDF", 600);
        pdf.integrada = true;
        impresoras.instaladas = {Impresora("Láser", 600), Impresora("Borradores", kCalidadBorrador), pdf};
        impresoras.actual = 1;
        impresoras.EscribirPerfil("windows", "device", "Láser,winspool,Ne06:");
        auto& a = impresión.acciones;
        a.ValidarÚltimoCampo = [this] { return sucesos.push_back("ValidarÚltimoCampo"), últimoCampoVálido; };
        a.ValidarCampos = [this] {
            sucesos.push_back("ValidarCampos");
            for (const std::string& x : anotaciones)
                errores.AnotarError(x[0] == 'E' ? ListaErrores::kTipoError : ListaErrores::kTipoAviso,
                                    x.substr(2), "mensaje", 2010, ListaErrores::kSinMensaje);
        };
        a.MostrarPanelErrores = [this] { sucesos.push_back("MostrarPanelErrores"); };
        a.GuardarDeclaración = [this](bool preguntar) {
            sucesos.push_back(preguntar ? "Guardar(true)" : "Guardar(false)");
            if (guardarDevuelve) hoja.RegistroModificado = false;
            return guardarDevuelve;
        };
        a.MostrarSelecciónImpresora = [this](SelecciónImpresora& d) {
            if (sucesos.push_back("Diálogo"); d.Cargar()) {
                d.Seleccionar(elegida);
                modo == kModoBorrador  ? d.cmdBorrador_Click()
                : modo == kModoOficial ? d.cmdOficial_Click()
                                       : d.cmdCancelar_Click();
            }
            return d.Modo();
        };
        a.MostrarAtención = [this] { sucesos.push_back("Atención"); };
    }

    const std::string& Número() { return hoja.Texto(campos::edtNúmeroJustificante); }
    const std::string& Fecha() { return hoja.Texto(campos::edtFechaImpresión); }
    const ElementoPágina& Elemento(std::size_t n, std::string_view nombre) const {
        for (const ElementoPágina& e : impresoras.impresos.at(n).trabajo.páginas.at(0).elementos)
            if (e.nombre == nombre) return e;
        throw std::out_of_range(std::string(nombre));
    }
};

} // namespace

TEST(ImprimirDeclaración, LoQueDetieneLaImpresiónNoImprimeNadaNiTocaLaDeclaración) {
    const V panel = {"ValidarÚltimoCampo", "ValidarCampos", "MostrarPanelErrores"};
    const V diálogo = {"ValidarÚltimoCampo", "ValidarCampos", "Diálogo"};
    using B = Banco&;
    // clang-format off
    const std::tuple<const char*, std::function<void(B)>, V> casos[] = {
        {"el campo en edición no es válido", [](B b) { b.últimoCampoVálido = false; }, {"ValidarÚltimoCampo"}},
        {"hay un error", [](B b) { b.anotaciones = {"A:edtFax", "E:edtNIF"};
             b.mensajes.Esperar("Corrija los errores de la declaración antes de imprimir", Icono::Información, Botones::Aceptar); }, panel},
        {"avisos rechazados", [](B b) { b.anotaciones = {"A:edtFax"}, b.mensajes.EsperarPregunta("Compruebe los avisos que "
             "aparecen en la lista de errores.\r¿Continuar con la impresión?", Respuesta::No); }, panel},
        {"no quiere guardar", [](B b) { b.hoja.RegistroModificado = true;
             b.mensajes.Esperar(kGuardar, Icono::Exclamación, Botones::SíNo, Respuesta::No).Predeterminado(Respuesta::No); },
         {"ValidarÚltimoCampo", "ValidarCampos"}},
        {"el guardado falla", [](B b) { b.hoja.RegistroModificado = true, b.guardarDevuelve = false;
             b.mensajes.Esperar(kGuardar, Icono::Exclamación, Botones::SíNo, Respuesta::Sí); },
         {"ValidarÚltimoCampo", "ValidarCampos", "Guardar(true)"}},
        {"cancela el diálogo", [](B b) { b.modo = kModoNinguno; }, diálogo},
        {"la nube falla", [](B b) { b.códigos.códigoNube = código_barras::kResoluciónInsuficiente;
             b.mensajes.EsperarError("Error <6> al generar la nube de puntos\r\rLa impresora no está configurada con la "
             "resolución mínima necesaria para generar la nube de puntos"); }, diálogo},
    };
    // clang-format on
    for (const auto& [nombre, preparar, sucesos] : casos) {
        SCOPED_TRACE(nombre);
        Banco b;
        preparar(b);
        b.impresión.Imprimir();
        EXPECT_EQ(b.sucesos, sucesos);
        EXPECT_TRUE(b.impresoras.impresos.empty() && b.Número().empty() && b.Fecha().empty());
        EXPECT_EQ(b.impresoras.Perfil("windows", "device"), "Láser,winspool,Ne06:");
    }
}

// With its changes saved, a draft prints: one sheet, the number and date kept.
TEST(ImprimirDeclaración, ElBorradorEsUnaHojaSinNúmeroYNoCambiaLaDeclaración) {
    Banco b;
    b.hoja.EscribirTexto(campos::edtNúmeroJustificante, "8170600000014");
    b.hoja.EscribirTexto(campos::edtFechaImpresión, "01/11/2010");
    b.hoja.RegistroModificado = true;
    b.mensajes.Esperar(kGuardar, Icono::Exclamación, Botones::SíNo, Respuesta::Sí);
    b.modo = kModoBorrador, b.elegida = 1; // a draft-quality printer is good enough for a draft
    b.impresión.Imprimir();
    EXPECT_EQ(b.impresoras.impresos.size(), 1u);
    EXPECT_EQ(b.impresoras.impresos.at(0).impresora + "|" + b.impresoras.impresos[0].trabajo.título,
              "Borradores|Modelo 817 - Borrador");
    EXPECT_TRUE(b.Elemento(0, "lblBorrador").visible && !b.Elemento(0, "rptNumeroJustificante").visible);
    EXPECT_TRUE(b.códigos.contenidos.empty());
    EXPECT_EQ(b.Número() + " " + b.Fecha(), "8170600000014 01/11/2010");
}

TEST(ImprimirDeclaración, ElOficialSonTresCopiasConNúmeroNubeYCódigo) {
    Banco b;
    b.impresoras.instaladas.push_back(Impresora("Oficina", 1200));
    b.elegida = 3;
    b.impresión.Imprimir();
    ASSERT_EQ(b.impresoras.impresos.size(), 3u);
    const char* pies[] = {"Ejemplar para el sobre anual", "Ejemplar para el sujeto pasivo",
                          "Ejemplar para la caja de la Administración - Entidad colaboradora"};
    for (std::size_t n = 0; n < 3; ++n) {
        const auto& impreso = b.impresoras.impresos[n];
        EXPECT_EQ(impreso.impresora + "|" + impreso.trabajo.referencia + "|" + impreso.trabajo.título,
                  "Oficina|12345678Z|Modelo 817 - Hoja " + std::to_string(n + 1) + "_3");
        EXPECT_EQ(Utf8(b.Elemento(n, "lblPiePágina").texto), pies[n]);
        EXPECT_EQ(b.Elemento(n, "lblPiePágina2").texto, "PA-817-3.2.2-12345678Z-2010-4T-" + b.Número());
        EXPECT_EQ(b.Elemento(n, "marcoLiquidación").opaco, n == 2) << n;
    }
    ASSERT_EQ(b.códigos.contenidos.size(), 1u);
    EXPECT_EQ(b.códigos.contenidos[0].substr(0, 30), "8173.2.2   20104T" + b.Número());
    EXPECT_EQ(b.códigos.resoluciones, std::vector<int>{1200});
    EXPECT_EQ(V(b.sucesos.end() - 2, b.sucesos.end()), (V{"Guardar(false)", "Atención"}));
}

TEST(ImprimirDeclaración, ReimprimirAvisaConLosDatosAnterioresYDaOtroNúmero) {
    Banco b;
    b.impresión.Imprimir();
    const std::string primero = b.Número();
    // clang-format off
    const std::string aviso = "Esta declaración ya había sido impresa con los siguientes datos: \r\n\r\n                     "
        "Fecha de Impresion - 15/11/2010\r\n               Número de Justificante - " + primero + "\r\n\r\n En caso de "
        "continuar con la operación, estos datos serán modificados\r\n\r\n                ¿Desea continuar con la operación? ";
    // clang-format on
    b.reloj.ahora = {2010, 10, 6, 9, 0, 0};
    b.guardarDevuelve = false; // the new number is kept on the sheet, to be saved later
    for (Respuesta respuesta : {Respuesta::No, Respuesta::Sí}) { // only the second prints again
        b.mensajes.EsperarPregunta(aviso, respuesta, "Aviso");
        b.impresión.Imprimir();
    }
    EXPECT_EQ(b.impresoras.impresos.size(), 6u);
    EXPECT_TRUE(b.Número() != primero && b.hoja.RegistroModificado);
    EXPECT_EQ(b.Fecha(), "06/10/2010"); // a day and a month of one and two digits
}

TEST(ImprimirDeclaración, UnFalloDeLaImpresoraDetieneLasCopiasSalvoLosAvisosBenignos) {
    // clang-format off
    const std::string kSolo = "Solo se han impreso estos ejemplares:\r   Ejemplar para el sobre anual\r   Ejemplar para el "
        "sujeto pasivo\r\rLa declaración no queda marcada como impresa. Deseche esos ejemplares y vuelva a imprimir el "
        "modelo oficial.";
    const ResultadoImpresión error{código_impresión::kImpresoraConError, "La impresora tiene un error"};
    const ResultadoImpresión noInicia{código_impresión::kNoSePuedeIniciar, "No se puede crear el archivo"};
    const std::tuple<int, std::deque<ResultadoImpresión>, std::size_t, std::string, std::string> casos[] = {
        // printer, results, copies out, first message, what the user is told of the copies that did print
        {0, {{}, error}, 2, "Error <3> - La impresora tiene un error",
         "Solo se ha impreso este ejemplar:\r   Ejemplar para el sobre anual\r\rLa declaración no queda marcada como "
         "impresa. Deseche ese ejemplar y vuelva a imprimir el modelo oficial."},
        {0, {{}, {}, error}, 3, "Error <3> - La impresora tiene un error", kSolo},
        {0, {{código_impresión::kNoSePuedeIniciar, "No se puede imprimir"}}, 1, "Error <2> - No se puede imprimir", ""},
        {2, {{}, {}, noInicia}, 3, "Error <2> - No se puede crear el archivo", kSolo + "\r\rArchivos PDF en la "
         "carpeta /impresiones:\r   Modelo 817 - Hoja 1_3.pdf\r   Modelo 817 - Hoja 2_3.pdf"},
        {0, {{código_impresión::kAvisoImpresora, "x"}, {código_impresión::kAvisoImagen, "y"}}, 3, "", ""}, // 482, 486
    };
    // clang-format on
    for (const auto& [elegida, resultados, copias, mensaje, impresas] : casos) {
        SCOPED_TRACE(mensaje);
        Banco b;
        b.elegida = elegida, b.impresoras.resultados = resultados;
        if (!mensaje.empty()) b.mensajes.Esperar(mensaje, Icono::Ninguno, Botones::Aceptar);
        if (!impresas.empty()) b.mensajes.Esperar(impresas, Icono::Exclamación, Botones::Aceptar);
        b.impresión.Imprimir();
        EXPECT_EQ(b.impresoras.impresos.size(), copias);
        EXPECT_EQ(b.Número().empty() && b.Fecha().empty(), !mensaje.empty());
        EXPECT_FALSE(std::filesystem::exists(RutaNubePuntos(b.carpeta)));
    }
}

TEST(GenerarJustificante, TreceCifrasQuePasanLaComprobación) {
    Banco b;
    std::set<std::string> distintos;
    for (int i = 0; i < 60; ++i) {
        const std::string n = b.impresión.GenerarJustificante();
        bool otro = true;
        EXPECT_TRUE(n.substr(0, 5) == "81706" && ValidarJustificante(n, otro) && !otro) << n;
        distintos.insert(n);
    }
    EXPECT_GT(distintos.size(), 57u); // drawn without reseeding: two prints in one second differ
}
