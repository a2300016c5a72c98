// lunabrelle-content: paints and builds the meadow, butterfly and demo
// archives and writes them into a resource folder.
//
//   lunabrelle-content OUTDIR
//
// The output depends only on this program's source: the same source gives
// the same bytes on every run.
#include <cstdio>
#include <filesystem>
#include <string>

#include "content/archives.h"
#include "resources/pack.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        std::fprintf(stderr, "lunabrelle-content: cannot create %s: %s\n", folder.c_str(), ec.message().c_str());
        return 1;
    }
    for (content::Archive& archive : content::build_all_archives()) {
        Pack pack;
        for (content::ArchiveEntry& entry : archive.entries) {
            const raw bytes{entry.bytes.data(), static_cast<std::int32_t>(entry.bytes.size())};
            pack.pushfile(entry.name.c_str(), bytes);
        }
        const std::string path = (folder / archive.name).string();
        std::string error;
        if (!pack.save(path.c_str(), &error)) {
            std::fprintf(stderr, "lunabrelle-content: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}
