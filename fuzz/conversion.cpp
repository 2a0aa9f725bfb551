// Any bytes as a Datos/Declaraciones.txt of an earlier version: converted from either old layout, and taken
// through the whole start-up check, after which the data file is the old one or the complete new one.
#include "store/Conversion.h"
#include "Comun.h"
#include "store/ArchivoDeclaraciones.h"

using namespace m817;
using namespace m817::fuzz;

namespace {

const std::filesystem::path kCarpeta = "/m817/Datos";
constexpr std::string_view kVersión = "3.2.2";

void ComprobarConvertido(std::string_view antiguo, const DisposiciónAntigua& d, const std::string& nuevo) {
    std::size_t vivos = 0;
    // A last record missing only its line end counts.
    for (std::size_t i = 0; (i + 1) * d.longitud <= antiguo.size() + 2; ++i)
        if ((i + 1) * d.longitud <= antiguo.size() || antiguo.size() % d.longitud == d.longitud - 2)
            if (antiguo[i * d.longitud] == ' ') ++vivos;
    M817_COMPROBAR(nuevo.size() == vivos * kLongitudRegistro);
    for (std::size_t i = 0; i < vivos; ++i) {
        const auto r = RegistroDeclaración::DesdeBytes(std::string_view(nuevo).substr(i * kLongitudRegistro));
        M817_COMPROBAR(r.Vivo() && r.Campo(CampoRegistro::FinRegistro) == "\r\n");
        M817_COMPROBAR(r.Valor(CampoRegistro::Versión) == kVersión &&
                       r.Valor(CampoRegistro::Ejercicio) == "2010");
    }
}

void ConvertirCon(std::string_view antiguo, const DisposiciónAntigua& d) {
    if (const auto nuevo = ConvertirContenido(antiguo, d, kVersión)) ComprobarConvertido(antiguo, d, *nuevo);
    for (std::size_t i = 0; i < 4 && (i + 1) * d.longitud <= antiguo.size(); ++i)
        if (const auto r = ConvertirRegistro(antiguo.substr(i * d.longitud, d.longitud), d, kVersión))
            M817_COMPROBAR(r->Valor(CampoRegistro::Versión) == kVersión);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamaño) {
    const std::string_view bytes = Texto(datos, tamaño);
    ConvertirCon(bytes, kDisposiciónA);
    ConvertirCon(bytes, kDisposiciónB);

    ArchivosMemoria archivos;
    archivos.Carpeta(kCarpeta);
    const auto ruta = RutaDeclaraciones(kCarpeta);
    archivos.Poner(ruta, bytes);
    std::optional<std::string> versión;
    if (auto archivo = archivos.Abrir(ruta, ModoApertura::Lectura)) versión = VersiónArchivo(*archivo);
    M817_COMPROBAR(versión && versión->size() <= 5);
    const DisposiciónAntigua* d = DisposiciónDeVersión(*versión);

    MensajesQueAceptan mensajes;
    const auto resultado = ConvertirArchivoDatos(archivos, kCarpeta, mensajes, kVersión);
    const std::string* después = archivos.Leer(ruta);
    M817_COMPROBAR(después);
    M817_COMPROBAR(!archivos.Existe(kCarpeta / (std::string(kNombreArchivoDeclaraciones) + kSufijoTemporal)));
    if (!d) {
        M817_COMPROBAR(resultado == ResultadoConversión::SinCambios && *después == bytes);
        M817_COMPROBAR(mensajes.mostrados == 0 && archivos.NúmeroArchivos() == 1);
        return 0;
    }
    InformeConversión informe;
    const auto esperado = ConvertirContenido(bytes, *d, kVersión, &informe);
    if (!esperado) {
        // Told what is wrong, never asked first.
        M817_COMPROBAR(resultado == ResultadoConversión::Fallido && *después == bytes);
        M817_COMPROBAR(mensajes.mostrados == 1 && archivos.NúmeroArchivos() == 1);
        return 0;
    }
    // The old file stays under its backup name.
    M817_COMPROBAR(resultado == ResultadoConversión::Convertido && *después == *esperado);
    const std::string* copia =
        archivos.Leer(kCarpeta / (std::string(kNombreArchivoDeclaraciones) + d->sufijoCopia));
    M817_COMPROBAR(copia && *copia == bytes && archivos.NúmeroArchivos() == 2);
    M817_COMPROBAR(mensajes.mostrados == (informe.vaciadas.empty() ? 1 : 2));
    return 0;
}
