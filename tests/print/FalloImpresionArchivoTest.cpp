// A print to files that fails says which folder and why; one to a real printer has no folder to name.
#include "print/Impresion.h"

#include "platform/Aleatorio.h"
#include "print/HojaImpresion.h"
#include "support/Dobles.h"
#include "support/ImpresorasGuion.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace m817;
using namespace m817::prueba;

TEST(FalloImpresiónArchivo, ElMensajeNombraLaCarpetaYLaCausaSoloSiLaImpresoraEscribeArchivos) {
    for (const bool integrada : {true, false}) {
        SCOPED_TRACE(integrada ? "a archivos" : "a una impresora");
        HojaDeclaración hoja;
        RellenarHojaCompleta(hoja);
        hoja.RegistroModificado = false;
        MensajesGuion mensajes;
        ListaErrores errores{mensajes};
        RelojFijo reloj;
        CarpetaTemporal carpeta;
        ImpresorasGuion impresoras;
        CódigosBarrasPrueba códigos;
        AleatorioSistema aleatorio{1};
        DatosImpresora pdf = Impresora("Archivo PDF", 600);
        pdf.integrada = integrada;
        impresoras.instaladas = {Impresora("Láser", 600), pdf};
        impresoras.actual = 2;
        impresoras.resultados = {{código_impresión::kNoSePuedeIniciar, "No se puede crear el archivo PDF"}};
        ImpresiónDeclaración impresión(hoja, errores, mensajes, reloj, carpeta, impresoras, códigos,
                                       aleatorio, "3.2.2");
        impresión.acciones.MostrarSelecciónImpresora = [](SelecciónImpresora&) { return kModoBorrador; };
        // Where the folder should be there is a file.
        std::ofstream(carpeta.Impresiones()) << "x";

        const std::string línea =
            integrada ? "\r" + carpeta.Impresiones().string() + ": No es una carpeta" : "";
        mensajes.Esperar("Error <2> - No se puede crear el archivo PDF" + línea, Icono::Ninguno,
                         Botones::Aceptar);
        impresión.Imprimir();
        EXPECT_EQ(impresoras.impresos.size(), 1u);
    }
}
