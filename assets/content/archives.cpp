#include "archives.h"

#include "background.h"
#include "butterfly.h"
#include "demo.h"
#include "flower_bed.h"

namespace content {

Archive build_main_archive() {
    Archive a{"main.pak", {}};
    add_background(a);
    add_flower_bed(a);
    return a;
}

Archive build_butterfly_archive(int species) {
    Archive a{"butterfly" + std::to_string(species) + ".pak", {}};
    add_butterfly(a, species);
    return a;
}

Archive build_demo_archive() {
    Archive a{"demo.pak", {}};
    add_demo(a);
    return a;
}

std::vector<Archive> build_all_archives() {
    std::vector<Archive> all{build_main_archive()};
    for (int s = 1; s <= kSpecies; ++s) all.push_back(build_butterfly_archive(s));
    all.push_back(build_demo_archive());
    return all;
}

}  // namespace content
