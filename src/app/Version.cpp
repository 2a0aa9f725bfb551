#include "app/Version.h"

namespace m817 {

std::string ConstruirVersión(int mayor, int menor, int revisión) {
    return std::to_string(mayor) + "." + std::to_string(menor) + "." + std::to_string(revisión);
}

const std::string& VersiónPrograma() {
    static const std::string versión =
        ConstruirVersión(M817_VERSION_MAJOR, M817_VERSION_MINOR, M817_VERSION_BUILD);
    return versión;
}

} // namespace m817
