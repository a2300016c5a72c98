// Replays a fuzz target's corpus without libFuzzer: every regular file in the
// folders named on the command line, in name order, goes once through
// LLVMFuzzerTestOneInput. A crash, sanitizer report or failed check ends the
// run like it would end a fuzzing run; otherwise the status is 0, or 1 when a
// folder is missing or holds no input at all.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(argv[i], ec))
            if (entry.is_regular_file()) inputs.push_back(entry.path());
        if (ec) {
            std::fprintf(stderr, "cannot list %s: %s\n", argv[i], ec.message().c_str());
            return 1;
        }
    }
    if (inputs.empty()) {
        std::fprintf(stderr, "no inputs to replay\n");
        return 1;
    }
    std::sort(inputs.begin(), inputs.end());
    for (const fs::path& path : inputs) {
        // Named first, so that a crash report follows the input that caused it.
        std::printf("%s\n", path.c_str());
        std::fflush(stdout);
        std::ifstream in(path, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (!in.good() && !in.eof()) {
            std::fprintf(stderr, "cannot read %s\n", path.c_str());
            return 1;
        }
        // An empty vector's data() may be null; libFuzzer never passes null.
        static const std::uint8_t empty = 0;
        const auto* data = bytes.empty() ? &empty : reinterpret_cast<const std::uint8_t*>(bytes.data());
        LLVMFuzzerTestOneInput(data, bytes.size());
    }
    std::printf("replayed %zu inputs\n", inputs.size());
    return 0;
}
