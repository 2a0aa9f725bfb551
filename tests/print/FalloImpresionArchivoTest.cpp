#include "print/Impresion.h"

#include "support/Dobles.h"
#include "support/ImpresorasGuion.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace m817;
using namespace m817::prueba;

TEST(FalloImpresiónArchivo, ElMensajeNombraLaCarpetaYLaCausaSoloSiLaImpresoraEscribeArchivos) {
    HojaDeclaración hoja;
    MensajesGuion mensajes;
    ListaErrores errores{mensajes};
    RelojFijo reloj;
    CarpetaTemporal carpeta;
    std::ofstream(carpeta.Impresiones()) << "x"; // a file where the folder should be: printing to files fails
    ImpresorasGuion impresoras;
    impresoras.instaladas = {Impresora("Láser", 600), Impresora("Archivo PDF", 600)}, impresoras.actual = 2;
    CódigosBarrasPrueba códigos;
    AleatorioSistema azar{1};
    ImpresiónDeclaración impresión(hoja, errores, mensajes, reloj, carpeta, impresoras, códigos, azar, "3");
    impresión.acciones.MostrarSelecciónImpresora = [](SelecciónImpresora&) { return kModoBorrador; };
    const std::string dónde = "\r" + carpeta.Impresiones().string() + ": No es una carpeta";
    for (const bool integrada : {true, false}) {
        impresoras.instaladas[1]->integrada = integrada;
        impresoras.resultados = {{código_impresión::kNoSePuedeIniciar, "No se crea"}};
        mensajes.Esperar("Error <2> - No se crea" + (integrada ? dónde : ""), Icono::Ninguno,
                         Botones::Aceptar);
        impresión.Imprimir();
    }
    EXPECT_EQ(impresoras.impresos.size(), 2u);
}
