#pragma once
// Start-up conversion of a Datos/Declaraciones.txt written by an earlier version in a shorter record layout.
// The old file is kept under a backup name and the converted one takes its place; the data file is never
// missing and never half written.
#include "platform/Archivos.h"
#include "platform/Mensajes.h"
#include "store/RegistroDeclaracion.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace m817 {

// An earlier record layout. Positions from 0; boxes are 19 bytes from 214, rates 6 bytes each, one per line.
struct DisposiciónAntigua {
    std::size_t longitud;           // bytes of a record, CR LF included
    std::size_t casillas;           // boxes: 7 bases, then (layout B) 7 quotas, then 6 further boxes
    std::size_t primeraOtraCasilla; // position (from 1) of the first further box
    std::size_t posiciónTipos;      // 7 rates
    std::size_t posiciónCuenta;     // entity 4, office 4, check digits 2, account 10
    std::size_t posiciónResultado;
    std::size_t posiciónJustificante;
    std::size_t posiciónFecha;
    std::size_t posiciónFin;
    const char* sufijoCopia; // ending of the backup name
};

// Versions up to "2.1.1".
extern const DisposiciónAntigua kDisposiciónA;
// Versions above "2.1.1" and below "3.1.1".
extern const DisposiciónAntigua kDisposiciónB;
// The current layout has been in use since this version.
inline constexpr const char* kVersiónRegistroActual = "3.1.1";

inline constexpr const char* kSufijoTemporal = "_311.txt";

// The version mark of the first live record, reading the file as text lines: characters 5 to 9 of the first
// line that does not start with "*", trimmed; empty when there is none. Empty optional when reading fails.
std::optional<std::string> VersiónArchivo(Archivo& archivo);
// The layout of a file with that version mark; null when the file needs no conversion.
const DisposiciónAntigua* DisposiciónDeVersión(std::string_view versión);

// What a conversion had to leave out: the boxes (1 to 12) of each converted record (numbered from 1) whose
// old amount could not be read and are left blank; and, when the file cannot be converted at all, why
// (UTF-8).
struct InformeConversión {
    struct Vaciadas {
        std::int32_t registro;
        std::string nif; // as stored, trimmed
        std::vector<int> casillas;
    };
    std::vector<Vaciadas> vaciadas;
    std::string problema;
};

// One live old record in the current layout. Empty when the record does not fit its layout (length, closing
// CR LF). A base amount that cannot be read leaves its base and its quota blank, and their boxes are added
// to `vaciadas`.
std::optional<RegistroDeclaración> ConvertirRegistro(std::string_view antiguo, const DisposiciónAntigua& d,
                                                     std::string_view versiónPrograma,
                                                     std::vector<int>* vaciadas = nullptr);
// The whole converted file: the live records of the old one, in order, a last one missing only its line end
// included; other bytes after the last record, which no save completed, are not carried over. Empty when a
// record does not fit its layout; `informe` then says why.
std::optional<std::string> ConvertirContenido(std::string_view antiguo, const DisposiciónAntigua& d,
                                              std::string_view versiónPrograma,
                                              InformeConversión* informe = nullptr);

enum class ResultadoConversión {
    SinCambios, // no file, an empty one, one with no live record, or one already in the current layout
    Convertido,
    Cancelado, // the user chose Cancel: the program ends before its main window appears
    Fallido,   // the error was shown; the data file is as it was
};

// Whether Main has to end the program now. A failed conversion ends it too: the file is still in its old
// layout, and saving into it would mix two record lengths. It is tried again at the next start.
bool TerminarPrograma(ResultadoConversión r);

// The check of every start: asks, converts and puts the converted file in place. carpetaDatos is the Datos
// folder; versiónPrograma goes into every converted record.
ResultadoConversión ConvertirArchivoDatos(ServicioArchivos& archivos,
                                          const std::filesystem::path& carpetaDatos,
                                          ServicioMensajes& mensajes, std::string_view versiónPrograma);

std::string TextoAvisoConversión();
std::string TextoErrorConversión();
// The file that cannot be converted, what is wrong with it (UTF-8) and where it is.
std::string TextoArchivoNoConvertible(const std::filesystem::path& datos, std::string_view problema);
// The boxes a conversion left blank.
std::string TextoCasillasVaciadas(const InformeConversión& informe);

} // namespace m817
