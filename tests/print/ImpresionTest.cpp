#include "print/Impresion.h"

#include "print/HojaImpresion.h"
#include "print/NubePuntos.h"
#include "support/Dobles.h"
#include "support/ImpresorasGuion.h"
#include "validation/Identificadores.h"

#include <gtest/gtest.h>

#include <set>

namespace m817 {
namespace {

using prueba::CarpetaTemporal;
using prueba::CódigosBarrasPrueba;
using prueba::Impresora;
using prueba::ImpresorasGuion;
using prueba::MensajesGuion;
using prueba::RelojFijo;

constexpr const char* kVersión = "3.2.2";
constexpr const char* kCorrija = "Corrija los errores de la declaración antes de imprimir";
constexpr const char* kAvisos =
    "Compruebe los avisos que aparecen en la lista de errores.\r¿Continuar con la impresión?";
constexpr const char* kGuardar = "Debe guardar la declaración antes de imprimir.\r¿Desea guardarla ahora?";

std::string AvisoYaImpresa(const std::string& fecha, const std::string& número) {
    return "Esta declaración ya había sido impresa con los siguientes datos: \r\n\r\n"
           "                     Fecha de Impresion - " +
           fecha + "\r\n               Número de Justificante - " + número +
           "\r\n\r\n En caso de continuar con la operación, estos datos serán modificados\r\n\r\n"
           "                ¿Desea continuar con la operación? ";
}

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
    ImpresiónDeclaración impresión{hoja,       errores, mensajes,  reloj,   carpeta,
                                   impresoras, códigos, aleatorio, kVersión};

    bool últimoCampoVálido = true;
    int modo = kModoOficial;          // what the dialog leaves
    int elegida = 1;                  // the entry the user picks
    std::vector<std::string> sucesos; // callbacks in the order they ran
    bool guardarDevuelve = true;
    std::vector<std::string> anotaciones; // what ValidarCampos puts in the error list: "E:clave" or "A:clave"

    Banco() {
        prueba::RellenarHojaCompleta(hoja);
        hoja.EscribirTexto(campos::edtIdDeclaración, "3");
        impresoras.instaladas = {Impresora("Láser", 600), Impresora("Borradores", kCalidadBorrador)};
        impresoras.actual = 1;
        impresoras.EscribirPerfil("windows", "device", "Láser,winspool,Ne06:");
        auto& a = impresión.acciones;
        a.ValidarÚltimoCampo = [this] {
            sucesos.push_back("ValidarÚltimoCampo");
            return últimoCampoVálido;
        };
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
        a.MostrarSeleccionImpresora = [this](SeleccionImpresora& d) {
            sucesos.push_back("Diálogo");
            if (!d.Cargar()) return d.Modo();
            d.Seleccionar(elegida);
            if (modo == kModoBorrador) d.cmdBorrador_Click();
            if (modo == kModoOficial) d.cmdOficial_Click();
            if (modo == kModoNinguno) d.cmdCancelar_Click();
            return d.Modo();
        };
        a.MostrarAtención = [this] { sucesos.push_back("Atención"); };
        a.EjercicioDeclaración = [] { return 2010; };
    }

    const std::string& Número() { return hoja.Texto(campos::edtNúmeroJustificante); }
    const std::string& Fecha() { return hoja.Texto(campos::edtFechaImpresión); }
    std::vector<std::string> Títulos() const {
        std::vector<std::string> t;
        for (const auto& i : impresoras.impresos)
            t.push_back(i.trabajo.título);
        return t;
    }
    // The caption of a named item on the page of job n.
    std::string Texto(std::size_t n, std::string_view nombre) const {
        for (const ElementoPágina& e : impresoras.impresos.at(n).trabajo.páginas.at(0).elementos)
            if (e.nombre == nombre) return Utf8(e.texto);
        return "<no existe>";
    }
    const ElementoPágina& Elemento(std::size_t n, std::string_view nombre) const {
        for (const ElementoPágina& e : impresoras.impresos.at(n).trabajo.páginas.at(0).elementos)
            if (e.nombre == nombre) return e;
        throw std::out_of_range(std::string(nombre));
    }
};

struct CasoRechazo {
    const char* nombre;
    void (*preparar)(Banco&);
    std::vector<std::string> sucesos;
};

TEST(ImprimirDeclaración, LoQueDetieneLaImpresiónNoImprimeNadaNiTocaLaDeclaración) {
    const CasoRechazo casos[] = {
        {"el campo en edición no es válido",
         [](Banco& b) { b.últimoCampoVálido = false; },
         {"ValidarÚltimoCampo"}},
        {"hay un error",
         [](Banco& b) {
             b.anotaciones = {"A:edtFax", "E:edtNIF"};
             b.mensajes.Esperar(kCorrija, Icono::Información, Botones::Aceptar);
         },
         {"ValidarÚltimoCampo", "ValidarCampos", "MostrarPanelErrores"}},
        {"avisos rechazados",
         [](Banco& b) {
             b.anotaciones = {"A:edtFax"};
             b.mensajes.EsperarPregunta(kAvisos, Respuesta::No);
         },
         {"ValidarÚltimoCampo", "ValidarCampos", "MostrarPanelErrores"}},
        {"no quiere guardar",
         [](Banco& b) {
             b.hoja.RegistroModificado = true;
             b.mensajes.Esperar(kGuardar, Icono::Exclamación, Botones::SíNo, Respuesta::No)
                 .Predeterminado(Respuesta::No);
         },
         {"ValidarÚltimoCampo", "ValidarCampos"}},
        {"el guardado falla",
         [](Banco& b) {
             b.hoja.RegistroModificado = true;
             b.guardarDevuelve = false;
             b.mensajes.Esperar(kGuardar, Icono::Exclamación, Botones::SíNo, Respuesta::Sí);
         },
         {"ValidarÚltimoCampo", "ValidarCampos", "Guardar(true)"}},
        {"cancela el diálogo",
         [](Banco& b) { b.modo = kModoNinguno; },
         {"ValidarÚltimoCampo", "ValidarCampos", "Diálogo"}},
        {"la impresora no llega a 300 ppp", // which printers do is the printer choice's own test
         [](Banco& b) {
             b.elegida = 1;
             b.mensajes.EsperarError(
                 "La impresora no está configurada con la resolución mínima necesaria para "
                 "generar la nube de puntos");
         },
         {"ValidarÚltimoCampo", "ValidarCampos", "Diálogo"}},
    };
    for (const CasoRechazo& c : casos) {
        SCOPED_TRACE(c.nombre);
        Banco b;
        b.elegida = 0;
        c.preparar(b);
        b.impresión.Imprimir();
        EXPECT_EQ(b.sucesos, c.sucesos);
        EXPECT_TRUE(b.impresoras.impresos.empty());
        EXPECT_TRUE(b.códigos.contenidos.empty());
        EXPECT_EQ(b.Número(), "");
        EXPECT_EQ(b.Fecha(), "");
    }
}

// With its warnings accepted and its changes saved, a draft prints: one sheet without a number.
TEST(ImprimirDeclaración, ElBorradorEsUnaHojaSinNúmeroYNoCambiaLaDeclaración) {
    Banco b;
    b.hoja.EscribirTexto(campos::edtNúmeroJustificante, "8170600000014");
    b.hoja.EscribirTexto(campos::edtFechaImpresión, "01/11/2010");
    b.anotaciones = {"A:edtFax"};
    b.hoja.RegistroModificado = true;
    b.mensajes.EsperarPregunta(kAvisos, Respuesta::Sí);
    b.mensajes.Esperar(kGuardar, Icono::Exclamación, Botones::SíNo, Respuesta::Sí);
    b.modo = kModoBorrador;
    b.elegida = 1; // a draft-quality printer is good enough for a draft
    b.impresión.Imprimir();
    EXPECT_EQ(b.sucesos, (std::vector<std::string>{"ValidarÚltimoCampo", "ValidarCampos",
                                                   "MostrarPanelErrores", "Guardar(true)", "Diálogo"}));

    ASSERT_EQ(b.Títulos(), std::vector<std::string>{"Modelo 817 - Borrador"});
    EXPECT_EQ(b.impresoras.impresos[0].impresora, "Borradores");
    EXPECT_TRUE(b.Elemento(0, "lblBorrador").visible);
    EXPECT_FALSE(b.Elemento(0, "imgPDF").visible);
    EXPECT_FALSE(b.Elemento(0, "rptNumeroJustificante").visible);
    EXPECT_EQ(b.Texto(0, "lblPiePágina2"), "");
    EXPECT_TRUE(b.códigos.contenidos.empty());
    EXPECT_EQ(b.Número(), "8170600000014");
    EXPECT_EQ(b.Fecha(), "01/11/2010");
    // The previous default printer is back.
    EXPECT_EQ(b.impresoras.Perfil("windows", "device"), "Láser,winspool,Ne06:");
    EXPECT_EQ(b.impresoras.actual, 1);
}

TEST(ImprimirDeclaración, ElOficialSonTresCopiasConNúmeroNubeYCódigo) {
    Banco b;
    b.impresoras.instaladas.push_back(Impresora("Oficina", 1200));
    b.elegida = 2;
    std::vector<bool> imágenesAlImprimir;
    b.impresoras.alImprimir = [&](const TrabajoImpresión&) {
        imágenesAlImprimir.push_back(std::filesystem::exists(RutaNubePuntos(b.carpeta)));
    };
    b.impresión.Imprimir();

    ASSERT_EQ(b.Títulos(), (std::vector<std::string>{"Modelo 817 - Hoja 1_3", "Modelo 817 - Hoja 2_3",
                                                     "Modelo 817 - Hoja 3_3"}));
    const std::string número = b.Número();
    ASSERT_EQ(número.size(), 13u);
    const std::string pie = std::string("PA-817-") + kVersión + "-12345678Z-2010-4T-" + número;
    const char* pies[] = {"Ejemplar para el sobre anual", "Ejemplar para el sujeto pasivo",
                          "Ejemplar para la caja de la Administración - Entidad colaboradora"};
    for (std::size_t n = 0; n < 3; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(b.impresoras.impresos[n].impresora, "Oficina");
        EXPECT_EQ(b.impresoras.impresos[n].trabajo.referencia, "12345678Z");
        EXPECT_EQ(b.Texto(n, "lblPiePágina"), pies[n]);
        EXPECT_EQ(b.Texto(n, "lblPiePágina2"), pie);
        EXPECT_EQ(b.Elemento(n, "marcoLiquidación").opaco, n == 2);
        EXPECT_FALSE(b.Elemento(n, "lblBorrador").visible);
        EXPECT_TRUE(b.Elemento(n, "imgPDF").visible);
        EXPECT_FALSE(b.Elemento(n, "imgPDF").imagen.empty());
        EXPECT_FALSE(b.Elemento(n, "imgNumeroJustificante").imagen.empty());
        EXPECT_EQ(b.Texto(n, "rptNumeroJustificante"), JustificanteEspaciado(número));
    }
    EXPECT_EQ(imágenesAlImprimir, (std::vector<bool>{true, true, true}));

    // The symbol holds the content of this very print, made for the chosen printer.
    ASSERT_EQ(b.códigos.contenidos.size(), 1u);
    EXPECT_EQ(b.códigos.contenidos[0].substr(0, 17), "8173.2.2   20104T");
    EXPECT_EQ(b.códigos.contenidos[0].substr(17, 13), número);
    EXPECT_EQ(b.códigos.resoluciones, std::vector<int>{1200});
    EXPECT_EQ(b.códigos.números, std::vector<std::string>{número});

    // Stored on the return, saved without the question, the notice shown.
    EXPECT_EQ(b.Fecha(), "15/11/2010");
    EXPECT_EQ(std::vector<std::string>(b.sucesos.end() - 2, b.sucesos.end()),
              (std::vector<std::string>{"Guardar(false)", "Atención"}));
    EXPECT_FALSE(b.hoja.RegistroModificado);
    // The bitmaps are gone and the default printer is back.
    EXPECT_FALSE(std::filesystem::exists(RutaNubePuntos(b.carpeta)));
    EXPECT_FALSE(std::filesystem::exists(RutaCódigoBarras(b.carpeta)));
    EXPECT_EQ(b.impresoras.Perfil("windows", "device"), "Láser,winspool,Ne06:");
}

TEST(ImprimirDeclaración, ReimprimirAvisaConLosDatosAnterioresYDaOtroNúmero) {
    Banco b;
    b.elegida = 0;
    b.impresión.Imprimir();
    const std::string primero = b.Número();
    ASSERT_EQ(primero.size(), 13u);
    ASSERT_EQ(b.Fecha(), "15/11/2010");

    b.mensajes.EsperarPregunta(AvisoYaImpresa("15/11/2010", primero), Respuesta::No, "Aviso");
    b.impresión.Imprimir();
    EXPECT_EQ(b.impresoras.impresos.size(), 3u);
    EXPECT_EQ(b.Número(), primero);

    b.reloj.ahora = {2010, 11, 16, 9, 0, 0};
    b.mensajes.EsperarPregunta(AvisoYaImpresa("15/11/2010", primero), Respuesta::Sí, "Aviso");
    b.impresión.Imprimir();
    EXPECT_EQ(b.impresoras.impresos.size(), 6u);
    EXPECT_NE(b.Número(), primero);
    EXPECT_EQ(b.Fecha(), "16/11/2010");
}

TEST(ImprimirDeclaración, UnaNubeFallidaNoImprimeNiMarcaLaDeclaración) {
    Banco b;
    b.impresoras.instaladas.push_back(Impresora("Oficina", 600));
    b.impresoras.EscribirPerfil("PrinterPorts", "Oficina", "winspool,Ne01:,15,45");
    b.elegida = 2;
    b.códigos.códigoNube = código_barras::kResoluciónInsuficiente;
    b.mensajes.EsperarError(
        "Error <6> al generar la nube de puntos\r\rLa impresora no está configurada con la "
        "resolución mínima necesaria para generar la nube de puntos");
    b.impresión.Imprimir();
    EXPECT_TRUE(b.impresoras.impresos.empty());
    EXPECT_EQ(b.Número(), "");
    EXPECT_EQ(b.sucesos.back(), "Diálogo");
    EXPECT_EQ(b.impresoras.Perfil("windows", "device"), "Láser,winspool,Ne06:");
}

TEST(ImprimirDeclaración, UnFalloDeLaImpresoraDetieneLasCopiasSalvoLosAvisosBenignos) {
    struct Caso {
        const char* nombre;
        std::deque<ResultadoImpresión> resultados;
        std::size_t copias;
        bool marcada;
        const char* mensaje;
        const char* impresas; // what the user is told of the copies that did print
    };
    const Caso casos[] = {
        {"falla la segunda",
         {{}, {código_impresión::kImpresoraConError, "La impresora tiene un error"}},
         2,
         false,
         "Error <3> - La impresora tiene un error",
         "Solo se ha impreso este ejemplar:\r   Ejemplar para el sobre anual\r\rLa declaración no queda "
         "marcada "
         "como impresa. Deseche ese ejemplar y vuelva a imprimir el modelo oficial."},
        {"falla la tercera",
         {{}, {}, {código_impresión::kImpresoraConError, "La impresora tiene un error"}},
         3,
         false,
         "Error <3> - La impresora tiene un error",
         "Solo se han impreso estos ejemplares:\r   Ejemplar para el sobre anual\r   Ejemplar para el sujeto "
         "pasivo\r\rLa declaración no queda marcada como impresa. Deseche esos ejemplares y vuelva a "
         "imprimir "
         "el modelo oficial."},
        {"no se puede empezar",
         {{código_impresión::kNoSePuedeIniciar, "No se puede imprimir"}},
         1,
         false,
         "Error <2> - No se puede imprimir",
         nullptr},
        {"482 y 486 se pasan por alto",
         {{código_impresión::kAvisoImpresora, "x"}, {código_impresión::kAvisoImagen, "y"}},
         3,
         true,
         nullptr,
         nullptr},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Banco b;
        b.elegida = 0;
        b.impresoras.resultados = c.resultados;
        if (c.mensaje) b.mensajes.Esperar(c.mensaje, Icono::Ninguno, Botones::Aceptar);
        if (c.impresas) b.mensajes.Esperar(c.impresas, Icono::Exclamación, Botones::Aceptar);
        b.impresión.Imprimir();
        EXPECT_EQ(b.impresoras.impresos.size(), c.copias);
        EXPECT_EQ(b.Número().empty(), !c.marcada);
        EXPECT_EQ(b.Fecha().empty(), !c.marcada);
        EXPECT_FALSE(std::filesystem::exists(RutaNubePuntos(b.carpeta)));
    }
}

// The built-in printer writes files: once the copies are out, the user is told where and may open the folder.
// Printing to a printer, or with no desktop to open a folder in, says nothing more.
TEST(ImprimirDeclaración, TrasImprimirEnArchivosDiceDóndeEstánYAbreLaCarpetaSiSeQuiere) {
    const char* kTres = "La impresión se ha guardado como archivos PDF en la carpeta\r/impresiones\r\r"
                        "Modelo 817 - Hoja 1_3.pdf\rModelo 817 - Hoja 2_3.pdf\rModelo 817 - Hoja 3_3.pdf\r\r"
                        "¿Desea abrir la carpeta?";
    const std::tuple<int, int, bool, Respuesta, bool, const char*> casos[] = {
        // printer, mode, a desktop, answer, the desktop opens it, question
        {2, kModoOficial, true, Respuesta::Sí, true, kTres},
        {2, kModoOficial, true, Respuesta::No, true, kTres},
        {2, kModoOficial, true, Respuesta::Sí, false, kTres},
        {2, kModoBorrador, true, Respuesta::Sí, true,
         "La impresión se ha guardado como archivo PDF en la carpeta\r/impresiones\r\r"
         "Modelo 817 - Borrador.pdf\r\r¿Desea abrir la carpeta?"},
        {0, kModoOficial, true, Respuesta::No, true, nullptr},
        {2, kModoOficial, false, Respuesta::No, true, nullptr},
    };
    for (const auto& [elegida, modo, conEscritorio, respuesta, abre, texto] : casos) {
        SCOPED_TRACE(std::to_string(elegida) + " " + (texto ? texto : "sin pregunta"));
        Banco b;
        prueba::EscritorioGuion escritorio;
        escritorio.abre = abre;
        if (conEscritorio) b.impresión.escritorio = &escritorio;
        DatosImpresora pdf = Impresora("Archivo PDF", 600);
        pdf.integrada = true;
        b.impresoras.instaladas.push_back(pdf);
        b.elegida = elegida;
        b.modo = modo;
        if (texto) b.mensajes.EsperarPregunta(texto, respuesta).Predeterminado(Respuesta::No);
        if (respuesta == Respuesta::Sí && !abre)
            b.mensajes.EsperarError("Error al intentar abrir la carpeta /impresiones");
        b.impresión.Imprimir();
        EXPECT_EQ(b.impresoras.impresos.size(), modo == kModoOficial ? 3u : 1u);
        if (modo == kModoOficial) {
            EXPECT_EQ(b.sucesos.back(), "Atención");
        }
        EXPECT_EQ(escritorio.abiertas, respuesta == Respuesta::Sí
                                           ? std::vector<std::filesystem::path>{"/impresiones"}
                                           : std::vector<std::filesystem::path>{});
    }
}

TEST(ImprimirDeclaración, SiUnaCopiaEnArchivoFallaDiceQuéArchivosQuedaron) {
    Banco b;
    prueba::EscritorioGuion escritorio;
    b.impresión.escritorio = &escritorio;
    DatosImpresora pdf = Impresora("Archivo PDF", 600);
    pdf.integrada = true;
    b.impresoras.instaladas.push_back(pdf);
    b.elegida = 2;
    b.impresoras.resultados = {{}, {}, {código_impresión::kNoSePuedeIniciar, "No se puede crear el archivo"}};
    b.mensajes.Esperar("Error <2> - No se puede crear el archivo", Icono::Ninguno, Botones::Aceptar);
    b.mensajes.Esperar(
        "Solo se han impreso estos ejemplares:\r   Ejemplar para el sobre anual\r   Ejemplar para "
        "el sujeto pasivo\r\rLa declaración no queda marcada como impresa. Deseche esos "
        "ejemplares y vuelva a imprimir el modelo oficial.\r\rArchivos PDF en la carpeta "
        "/impresiones:\r   Modelo 817 - Hoja 1_3.pdf\r   Modelo 817 - Hoja 2_3.pdf",
        Icono::Exclamación, Botones::Aceptar);
    b.impresión.Imprimir();
    EXPECT_EQ(b.Número(), "");
    EXPECT_TRUE(escritorio.abiertas.empty());
}

TEST(ImprimirDeclaración, SiElGuardadoTrasImprimirFallaLaDeclaraciónQuedaModificada) {
    Banco b;
    b.elegida = 0;
    b.guardarDevuelve = false;
    b.impresión.Imprimir();
    EXPECT_EQ(b.Número().size(), 13u);
    EXPECT_TRUE(b.hoja.RegistroModificado);
    EXPECT_EQ(b.sucesos.back(), "Atención");
}

TEST(GenerarJustificante, TreceCifrasQuePasanLaComprobación) {
    const std::pair<int, const char*> casos[] = {{2010, "81706"}, {2009, "81796"}, {0, "81786"}};
    for (const auto& [ejercicio, prefijo] : casos) {
        Banco b;
        b.hoja.EscribirTexto(campos::edtEjercicio, "2008");
        if (ejercicio)
            b.impresión.acciones.EjercicioDeclaración = [&] { return ejercicio; };
        else
            b.impresión.acciones.EjercicioDeclaración = nullptr; // then the sheet's exercise
        std::set<std::string> distintos;
        for (int i = 0; i < 60; ++i) {
            const std::string n = b.impresión.GenerarJustificante();
            ASSERT_EQ(n.size(), 13u);
            EXPECT_EQ(n.substr(0, 5), prefijo);
            bool otro = true;
            EXPECT_TRUE(ValidarJustificante(n, otro)) << n;
            EXPECT_FALSE(otro);
            distintos.insert(n);
        }
        // Drawn without reseeding: two prints in the same second get different numbers.
        EXPECT_GT(distintos.size(), 57u);
    }
}

TEST(CopiarRegistroImpresion, DaLaCadenaDeLaHojaTalComoEstá) {
    Banco b;
    const std::string copiado = b.impresión.CopiarRegistroImpresion();
    EXPECT_EQ(copiado.size(), kLongitudRegistroImpresion);
    EXPECT_EQ(copiado.substr(0, 15), "817701  20104TS");
    EXPECT_EQ(copiado.substr(721), "15112010");
}

} // namespace
} // namespace m817
