#pragma once
// A loaded sheet window over small reference tables of its own, driven as the user drives it.
#include "app/Hoja.h"
#include "platform/ArchivosPosix.h"
#include "platform/Teclas.h"
#include "platform/Texto1252.h"
#include "support/ArchivosFallidos.h"
#include "support/Dobles.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace m817::prueba {

// Small tables: three provinces and their administrations, a few municipalities and street types.
inline void EscribirTablasPequeñas(const CarpetaTemporal& carpeta) {
    carpeta.EscribirDatos("Administraciones.txt", W("701,Palma\r\n801,Barcelona\r\n901,Burgos\r\n"));
    carpeta.EscribirDatos("Siglas.txt", W("CL,Calle\r\nCM,Camino\r\nAV,Avenida\r\nPZ,Plaza\r\n"));
    carpeta.EscribirDatos("Provincias.txt", W("07,Illes Balears\r\n08,Barcelona\r\n09,Burgos\r\n"));
    carpeta.EscribirDatos("Municipios.txt", W("07001,Alaró\r\n07040,Palma\r\n08019,Barcelona\r\n"
                                              "09059,Burgos\r\n09061,\"Cabia, La\"\r\n12001,Atzeneta\r\n"));
    carpeta.EscribirDatos("Municipios-Administraciones.txt",
                          W("7001,701\r\n7040,701\r\n8019,801\r\n9059,901\r\n9061,901\r\n"));
}

// Every field as the user could see it, and the modified flag: "the sheet is unchanged" compares these.
inline std::vector<std::string> Pantalla(const HojaDeclaración& hoja) {
    std::vector<std::string> t;
    for (IdCampo id = 0; id < kNúmeroCampos; ++id) {
        const auto& e = hoja.Estado(id);
        t.push_back(ClaveCampo(id) + "=" + Utf8(e.texto) + "|" + std::to_string(e.valor) + "|" +
                    std::to_string(e.posición) + "|" + std::to_string(e.habilitado) +
                    std::to_string(e.bloqueado));
    }
    t.push_back("modificado=" + std::to_string(hoja.RegistroModificado));
    return t;
}

class HojaPrueba {
  public:
    // The tables are written before the window exists, so a test may overwrite one before Cargar().
    explicit HojaPrueba(FechaHora hoy = {2010, 11, 15, 10, 0, 0}) : reloj(hoy) {
        EscribirTablasPequeñas(carpeta);
        ventana = std::make_unique<frmHoja1>(mensajes, reloj, carpeta, archivos);
        ventana->alValidar = [this](std::string_view campo, int Index) {
            validaciones.emplace_back(std::string(campo), Index);
        };
    }

    void Cargar() { ventana->Form_Load(); }
    HojaDeclaración& hoja() { return ventana->hoja; }

    // Enters the field and types the text (UTF-8) over what it holds.
    void Escribir(IdCampo id, std::string_view utf8) {
        hoja().Enfocar(id);
        hoja().EstablecerSelección(id, 0, static_cast<int>(hoja().Texto(id).size()));
        bool lista = Definición(id).tipo == TipoCampo::Lista;
        if (utf8.empty()) hoja().Teclear(lista ? kTeclaEscape : kTeclaRetroceso);
        for (char c : W(utf8))
            hoja().Teclear(static_cast<unsigned char>(c));
    }
    void Casilla(int i, std::string_view texto) { Escribir(campos::edtCasilla(i), texto); }
    const std::string& Texto(IdCampo id) { return hoja().Texto(id); }
    std::string TextoCasilla(int i) { return hoja().Texto(campos::edtCasilla(i)); }
    bool Habilitado(IdCampo id) { return hoja().Estado(id).habilitado; }

    MensajesGuion mensajes;
    RelojFijo reloj;
    CarpetaTemporal carpeta;
    ArchivosPosix posix;
    // The real files, failing when a test asks.
    ArchivosFallidos archivos{posix};
    std::unique_ptr<frmHoja1> ventana;
    std::vector<std::pair<std::string, int>> validaciones; // what ValidarCampos was asked to check
};

} // namespace m817::prueba
