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
