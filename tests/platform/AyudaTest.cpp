#include "platform/Ayuda.h"
#include "support/Dobles.h"

#include <gtest/gtest.h>

using namespace m817;

static std::string Líneas(const std::vector<TemaAyuda>& temas) {
    std::string r;
    for (const auto& t : temas)
        r += std::to_string(t.nivel) + " " + t.ancla + " " + t.texto + "|"; // level, anchor, text
    return r;
}

TEST(TemasAyuda, ContenidoConSusNivelesEÍndice) {
    const TemasAyuda t =
        LeerTemasAyuda(prueba::LeerArchivo(M817_SOURCE_DIR "/tests/datos/ayuda-muestra.html"));
    EXPECT_EQ(Líneas(t.contenido), "0 301 Uso de la aplicación|1 teclas Teclas & atajos|1 ventana La ventana|"
                                   "0 401 Administración tributaria|");
    EXPECT_EQ(Líneas(t.índice), "0 402 Período|0 403 N.I.F. <letra>|");
    for (const char* sinListas : {"", "<a name=\"contenido\">", "<a name=\"indice\"><ul><li><a href=\"#1"})
        EXPECT_TRUE(LeerTemasAyuda(sinListas).contenido.empty() && LeerTemasAyuda(sinListas).índice.empty());
}

TEST(TemasAyuda, ElDocumentoEntregadoTieneCadaContextoYSusListasLlevanADestinosQueExisten) {
    const std::string html = prueba::LeerArchivo(M817_SOURCE_DIR "/Ayuda/ayuda.html");
    const TemasAyuda t = LeerTemasAyuda(html);
    for (int contexto : {301, 401, 402, 403, 404, 405, 406, 407, 408, 409})
        EXPECT_NE(Líneas(t.contenido).find(" " + AnclaContexto(contexto) + " "), std::string::npos)
            << contexto;
    EXPECT_GE(t.índice.size(), 30u);
    for (const auto* lista : {&t.contenido, &t.índice})
        for (const auto& tema : *lista)
            EXPECT_NE(html.find("name=\"" + tema.ancla + "\""), std::string::npos) << tema.ancla;
}
