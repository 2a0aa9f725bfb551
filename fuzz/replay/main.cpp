// Replays a fuzz target's corpus once, without libFuzzer: each file given, or each file of each folder given,
// goes through LLVMFuzzerTestOneInput. A crash or a broken check (abort) fails the run, naming the input.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamaño);

int main(int argc, char** argv) {
    std::set<std::filesystem::path> entradas; // sorted: the same order on every run
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path p(argv[i]);
        if (std::filesystem::is_directory(p)) {
            for (const auto& e : std::filesystem::directory_iterator(p))
                if (e.is_regular_file()) entradas.insert(e.path());
        } else {
            entradas.insert(p);
        }
    }
    if (entradas.empty()) {
        std::fprintf(stderr, "no inputs to replay\n");
        return 2;
    }
    for (const auto& p : entradas) {
        std::ifstream f(p, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        std::fprintf(stderr, "%s (%zu bytes)\n", p.string().c_str(), bytes.size());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs replayed\n", entradas.size());
    return 0;
}
