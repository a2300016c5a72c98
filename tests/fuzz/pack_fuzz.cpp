// Archive reader on arbitrary file bytes, through the path that reports
// instead of ending the process. An archive that reads must write back to the
// same entries, and reading must never disturb a Pack on failure.
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_setup.h"
#include "resources/pack.h"

namespace {

bool same_entries(const Pack& a, const Pack& b) {
    if (a.names != b.names || a.files.size() != b.files.size()) return false;
    for (std::size_t i = 0; i < a.files.size(); ++i) {
        if (a.files[i].size != b.files[i].size) return false;
        if (a.files[i].size > 0 && std::memcmp(a.files[i].data, b.files[i].data, a.files[i].size) != 0)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lunabrelle::fuzz;
    quiet_log();
    static MemoryFile input;
    static MemoryFile output;
    input.write(data, size);

    // A Pack holding one entry already, to see that a failed read keeps it.
    Pack pack;
    unsigned char marker[] = {7};
    pack.pushfile("kept", raw{marker, 1});
    std::string error;
    if (!pack.read(input.path().c_str(), &error)) {
        require(!error.empty(), "a failed read says why");
        require(pack.names.size() == 1 && pack.names[0] == "kept" && pack.files[0].size == 1,
                "a failed read leaves the Pack as it was");
        return 0;
    }

    const std::size_t n = pack.names.size();
    require(pack.files.size() == n && pack.textures.size() == n && pack.texture_refs.size() == n,
            "the four lists have one element per entry");
    for (std::size_t i = 0; i < n; ++i) {
        require(pack.files[i].data != nullptr && pack.files[i].size >= 0, "every entry has a buffer");
        require(pack.names[i].size() <= 127, "names are at most 127 bytes");
        require(pack.getfile(pack.names[i].c_str()).data != nullptr, "every name is found");
    }

    require(pack.save(output.path().c_str(), &error), "an archive that reads can be written");
    Pack again;
    require(again.read(output.path().c_str(), &error), "a written archive reads");
    require(same_entries(pack, again), "writing and reading keep every entry");
    return 0;
}
