// Archive reader on arbitrary file bytes, through the path that reports
// instead of ending the process. A failed read leaves the Pack as it was; an
// archive that reads writes back to bytes that read and write the same.
#include <string>

#include "fuzz_setup.h"
#include "resources/pack.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lunabrelle::fuzz;
    quiet_log();
    static MemoryFile input, output;
    input.write(data, size);
    Pack pack;
    unsigned char marker[] = {7};
    pack.pushfile("kept", raw{marker, 1});
    std::string error;
    if (!pack.read(input.path().c_str(), &error)) {
        require(!error.empty(), "a failed read says why");
        require(pack.names == std::vector<std::string>{"kept"} && pack.files[0].size == 1, "a failed read keeps the Pack");
        return 0;
    }
    const std::size_t n = pack.names.size();
    require(pack.files.size() == n && pack.textures.size() == n && pack.texture_refs.size() == n,
            "the four lists have one element per entry");
    for (std::size_t i = 0; i < n; ++i)
        require(pack.names[i].size() <= 127 && pack.getfile(pack.names[i].c_str()).data != nullptr,
                "every name is short and found");
    require(pack.save(output.path().c_str(), &error), "an archive that reads can be written");
    Pack again;
    require(again.read(output.path().c_str(), &error), "a written archive reads");
    require(again.save(input.path().c_str(), &error) && input.bytes() == output.bytes(),
            "writing and reading keep every entry");
    return 0;
}
