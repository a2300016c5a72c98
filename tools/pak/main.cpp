// lunabrelle-pak: lists, creates and extracts resource archives.
//
//   lunabrelle-pak list ARCHIVE             size<TAB>name, one line per entry
//   lunabrelle-pak create ARCHIVE FILE...   entries named exactly as given
//   lunabrelle-pak extract ARCHIVE PREFIX   each entry to PREFIX + name
//
// Any failure prints a message naming the file and exits with status 1.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/system/system.h"
#include "resources/pack.h"

namespace {

const char kUsage[] =
    "Usage: lunabrelle-pak list ARCHIVE            size<TAB>name, one line per entry\n"
    "       lunabrelle-pak create ARCHIVE FILE...  entries named exactly as given\n"
    "       lunabrelle-pak extract ARCHIVE PREFIX  each entry to PREFIX + name\n"
    "       lunabrelle-pak --help | --version\n";

// A bad command line: the usage on standard error, status 1.
int usage() {
    std::fputs("lunabrelle-pak: bad command line; usage:\n", stderr);
    std::fputs(kUsage, stderr);
    return 1;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "lunabrelle-pak: %s\n", message.c_str());
    return 1;
}

int list(const char* archive) {
    Pack pack;
    std::string error;
    if (!pack.read(archive, &error)) return fail(error);
    for (std::size_t i = 0; i < pack.names.size(); ++i)
        std::printf("%d\t%s\n", static_cast<int>(pack.files[i].size), pack.names[i].c_str());
    if (std::fflush(stdout) != 0) return fail("cannot write the listing");
    return 0;
}

int create(const char* archive, char** files, int count) {
    Pack pack;
    std::string error;
    for (int i = 0; i < count; ++i)
        if (!pack.pushfile(files[i], &error)) return fail(error);
    if (!pack.save(archive, &error)) return fail(error);
    return 0;
}

int extract(const char* archive, const char* prefix) {
    Pack pack;
    std::string error;
    if (!pack.read(archive, &error)) return fail(error);
    if (!pack.unpack_all(prefix, &error)) return fail(error);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("lunabrelle-pak %s\n", platform::version());
        return 0;
    }
    if (argc < 3) return usage();
    const char* command = argv[1];
    if (std::strcmp(command, "list") == 0 && argc == 3) return list(argv[2]);
    if (std::strcmp(command, "create") == 0 && argc >= 4) return create(argv[2], argv + 3, argc - 3);
    if (std::strcmp(command, "extract") == 0 && argc == 4) return extract(argv[2], argv[3]);
    return usage();
}
