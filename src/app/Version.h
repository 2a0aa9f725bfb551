#pragma once
// The program's version text, major.minor.build, written into every saved
// record, the printed copies and the splash window.
#include <string>

namespace m817 {

// Major, minor and build number in plain decimal joined by "." (3, 2, 2 -> "3.2.2").
// The third number of the four-part file version takes no part.
std::string ConstruirVersión(int mayor, int menor, int revisión);

// The version of this build, from the numbers the build system defines.
const std::string& VersiónPrograma();

} // namespace m817
