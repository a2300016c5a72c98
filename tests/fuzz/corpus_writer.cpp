// Writes the seed corpus of the fuzz targets with the system's own writers:
// archives from Pack's builder, mesh entries from the test byte builders,
// settings from save_config, images from the content kit's encoders.
//
// usage: fuzz_corpus_writer FOLDER   (writes FOLDER/<reader>/<input>)
// The corpus is kept in the repository (tests/fuzz/corpus); inputs the fuzzer
// found are added beside these by hand and are not written here.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "kit/image.h"
#include "kit/image_codec.h"
#include "resources/file_bytes.h"
#include "resources/pack.h"
#include "settings/config.h"
#include "support/mesh_bytes.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using namespace lunabrelle::test;

bool write(const fs::path& folder, const std::string& reader, const std::string& name, const Bytes& bytes) {
    std::error_code ec;
    fs::create_directories(folder / reader, ec);
    std::string error;
    if (write_file_bytes(folder / reader / name, bytes, &error)) return true;
    std::fprintf(stderr, "%s/%s: %s\n", reader.c_str(), name.c_str(), error.c_str());
    return false;
}

bool write_text(const fs::path& folder, const std::string& reader, const std::string& name,
                const std::string& text) {
    return write(folder, reader, name, Bytes(text.begin(), text.end()));
}

raw view(const Bytes& bytes) {
    return raw{const_cast<std::uint8_t*>(bytes.data()), static_cast<std::int32_t>(bytes.size())};
}

bool write_archive(const fs::path& folder, const std::string& name,
                   const std::vector<std::pair<std::string, Bytes>>& entries) {
    Pack pack;
    for (const auto& [entry, bytes] : entries) pack.pushfile(entry.c_str(), view(bytes));
    std::error_code ec;
    fs::create_directories(folder / "pack", ec);
    std::string error;
    if (pack.save((folder / "pack" / name).c_str(), &error)) return true;
    std::fprintf(stderr, "pack/%s: %s\n", name.c_str(), error.c_str());
    return false;
}

bool write_config(const fs::path& folder, const std::string& name, const Config& config) {
    std::error_code ec;
    fs::create_directories(folder / "config", ec);
    if (save_config(config, (folder / "config" / name).string())) return true;
    std::fprintf(stderr, "config/%s: cannot write\n", name.c_str());
    return false;
}

kit::Image gradient(int width, int height, bool with_alpha) {
    kit::Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.put(x, y, {float(x) / width, float(y) / height, 0.5f, with_alpha ? float(x + y) / (width + height) : 1.0f});
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const fs::path folder = argv[1];
    bool ok = true;

    const Material opaque = flat_material(0.8f, 0.6f, 0.2f, 1.0f);
    const Material blended = flat_material(0.2f, 0.4f, 0.9f, 0.5f, true, true);
    const Bytes square_entry = mesh_entry({square("img", -1, -1, 1, 1, 0, opaque)});
    ok &= write(folder, "mesh", "image_square", square_entry);
    ok &= write(folder, "mesh", "marked_two_records",
                mesh_entry({square("img", 0, 0, 1, 1, 0, opaque), square("img", -1, -1, 0, 0, 0.5, blended)}, 255));
    ok &= write(folder, "mesh", "fire_square", mesh_entry({square("T#Fire16x16", -1, -1, 1, 1, 0, opaque)}));
    ok &= write(folder, "mesh", "plasma_blended",
                mesh_entry({square("T#Plasma8x8,10,20,30", -1, -1, 1, 1, 0, blended)}));
    ok &= write(folder, "mesh", "missing_image_numbered", mesh_entry({numbered("nothing", 3)}));

    ok &= write_archive(folder, "two_entries", {{"mesh", square_entry}, {"note", Bytes{'h', 'i'}}});
    ok &= write_archive(folder, "empty_entry", {{"a", Bytes{}}, {"b/c", Bytes{1, 2, 3}}});
    ok &= write_archive(folder, "no_entries", {});

    Config defaults;
    ok &= write_config(folder, "defaults", defaults);
    Config everything;
    everything.show_fps = everything.analog_clock = everything.time_24h = everything.monday_first = true;
    everything.extra_flag = 1;
    everything.extra_value = -5;
    everything.display_mode = 3;
    ok &= write_config(folder, "everything", everything);

    ok &= write_text(folder, "texture_name", "fire", "T#Fire128x128");
    ok &= write_text(folder, "texture_name", "plasma", "T#Plasma64x64,10,20,30");
    ok &= write_text(folder, "texture_name", "smallest_fire", "x#Fire1x2");
    ok &= write_text(folder, "texture_name", "signed_plasma", "T#Plasma3 4 -1 +300 7");

    ok &= write(folder, "image", "rgba_png", kit::encode_png(gradient(5, 3, true)));
    ok &= write(folder, "image", "rgb_png", kit::encode_png_rgb(gradient(4, 4, false)));
    ok &= write(folder, "image", "opaque_jpeg", kit::encode_jpeg(gradient(8, 8, false), 80));
    ok &= write(folder, "image", "solid_bmp", solid_bmp(3, 2, 10, 200, 30));
    return ok ? 0 : 1;
}
