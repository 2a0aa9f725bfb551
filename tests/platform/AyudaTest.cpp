// The help document as the viewer reads it: its topic finder, and a topic for every context number the
// program opens.
#include "platform/Ayuda.h"
#include "support/Dobles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace m817;

namespace {

std::vector<std::string> Líneas(const std::vector<TemaAyuda>& temas) {
    std::vector<std::string> r;
    for (const auto& t : temas)
        r.push_back(std::to_string(t.nivel) + " " + t.ancla + " " + t.texto);
    return r;
}

} // namespace

TEST(TemasAyuda, ContenidoConSusNivelesEÍndice) {
    const std::string html = R"(<h1><a name="contenido">Ayuda</a></h1>
<p><a href="#fuera">no es del contenido</a></p>
<UL>
<li><a href="#301">Uso de la <b>aplicación</b></a>
  <ul><li><a href="#teclas">Teclas &amp; atajos</a></li>
      <li><A HREF="#ventana">La ventana</A></li></ul></li>
<li><a href="#401">Administraci&#243;n   tributaria</a></li>
<li><a href="http://otra">externa</a></li>
</UL>
<p><a href="#despues">después de la lista</a></p>
<h1><a name="indice">Índice</a></h1>
<ul><li><a href="#402">Período</a></li><li><a href="#403">N.I.F. &lt;letra&gt;</a></li></ul>)";
    const TemasAyuda t = LeerTemasAyuda(html);
    EXPECT_EQ(Líneas(t.contenido),
              (std::vector<std::string>{"0 301 Uso de la aplicación", "1 teclas Teclas & atajos",
                                        "1 ventana La ventana", "0 401 Administración tributaria"}));
    EXPECT_EQ(Líneas(t.índice), (std::vector<std::string>{"0 402 Período", "0 403 N.I.F. <letra>"}));
    for (const char* sinListas : {"", "<a name=\"contenido\">", "<a name=\"indice\"><ul><li><a href=\"#1"}) {
        EXPECT_TRUE(LeerTemasAyuda(sinListas).contenido.empty()) << sinListas;
        EXPECT_TRUE(LeerTemasAyuda(sinListas).índice.empty()) << sinListas;
    }
}

TEST(TemasAyuda, ElDocumentoEntregadoTieneCadaContextoYSusListasLlevanADestinosQueExisten) {
    const std::string html =
        prueba::LeerArchivo(std::filesystem::path(M817_SOURCE_DIR) / "Ayuda" / "ayuda.html");
    ASSERT_FALSE(html.empty());
    const TemasAyuda t = LeerTemasAyuda(html);
    std::set<std::string> enContenido;
    for (const auto& tema : t.contenido)
        enContenido.insert(tema.ancla);
    for (int contexto : {301, 401, 402, 403, 404, 405, 406, 407, 408, 409}) {
        const std::string ancla = AnclaContexto(contexto);
        EXPECT_NE(html.find("name=\"" + ancla + "\""), std::string::npos) << contexto;
        EXPECT_TRUE(enContenido.count(ancla)) << contexto;
    }
    EXPECT_GE(t.índice.size(), 30u);
    for (const auto* lista : {&t.contenido, &t.índice})
        for (const auto& tema : *lista)
            EXPECT_NE(html.find("name=\"" + tema.ancla + "\""), std::string::npos) << tema.ancla;
}
