// Replays a fuzz target's corpus without libFuzzer: every regular file in the
// folders named on the command line, in name order, goes once through
// LLVMFuzzerTestOneInput. A crash, sanitizer report, failed check or missing
// folder ends the run as it would end a fuzzing run; no inputs give status 1.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i)  // a folder that cannot be listed throws, ending the run
        for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
            if (entry.is_regular_file()) inputs.push_back(entry.path());
    if (inputs.empty()) return std::fprintf(stderr, "no inputs to replay\n"), 1;
    std::sort(inputs.begin(), inputs.end());
    for (const auto& path : inputs) {
        std::printf("%s\n", path.c_str());  // before the run, so a crash report follows its input
        std::fflush(stdout);
        std::ifstream in(path, std::ios::binary);
        std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
        if (in.bad()) return std::fprintf(stderr, "cannot read %s\n", path.c_str()), 1;
        static const char empty = 0;  // libFuzzer never passes null; exact size keeps over-reads visible
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.empty() ? &empty : bytes.data()), bytes.size());
    }
    std::printf("replayed %zu inputs\n", inputs.size());
    return 0;
}
