// The headless renderer: its options, its PNG files (also over links, devices
// and FIFOs), and the built program run as a user would.
#include <gtest/gtest.h>

#include <stb_image.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include "platform/render/png_output.h"
#include "platform/render/render_options.h"
#include "support/process.h"
#include "support/temp_folder.h"

namespace lunabrelle::test {
namespace {

namespace fs = std::filesystem;

bool parses(std::vector<const char*> args, RenderOptions* options = nullptr, std::string* error = nullptr) {
    args.insert(args.begin(), "lunabrelle-render");
    RenderOptions o;
    std::string e;
    return parse_render_options(static_cast<int>(args.size()), args.data(), options ? options : &o, error ? error : &e);
}

// The built renderer's runs below check the options' values; the skipped
// hour of daylight saving, --at's.
TEST(RenderOptions, DefaultsSecondsAndHelp) {
    RenderOptions o;
    std::string error;
    ASSERT_TRUE(parses({"--out", "x.png"}, &o, &error)) << error;
    EXPECT_TRUE(o.width == 1280 && o.height == 720 && o.fps == 60.0 && o.frames == 1 && !o.has_start && !o.has_seed);
    // Seconds become frames at the rate, which may come later; at least one.
    ASSERT_TRUE(parses({"--out", "x.png", "--seconds", "1.5", "--fps", "10"}, &o));
    EXPECT_EQ(o.frames, 15);
    ASSERT_TRUE(parses({"--out", "x.png", "--seconds", "0.001"}, &o));
    EXPECT_EQ(o.frames, 1);
    ASSERT_TRUE(parses({"--help", "--bogus"}, &o));  // help wins over everything after it
    EXPECT_TRUE(o.help);
}

TEST(RenderOptions, RefusesWhatCannotBeMeant) {
    const std::vector<std::vector<const char*>> bad = {
        {}, {"--out"}, {"--out", ""}, {"--bogus"}, {"--every", "2"}, {"--out-dir", "d", "--every", "0"},
        {"--seconds", "1", "--frames", "3"}, {"--seconds", "1e300"}, {"--seed", "4294967296"}, {"--size", "320"},
        {"--size", "0x240"}, {"--size", "320x240x2"}, {"--size", "16385x1"}, {"--fps", "0"}, {"--fps", "nan"},
        {"--fps", "1001"}, {"--fps", "60fps"}, {"--frames", "0"}, {"--frames", "100000001"},
        {"--at", "2023-02-29 12:00:00"}, {"--at", "2024-01-01"}, {"--at", "2024-01-01T12:00:00"},
        {"--at", "-001-12-31 23:59:58"}};
    for (auto args : bad) {
        if (!args.empty() && std::string(args[0]) != "--out") args.insert(args.begin(), {"--out", "x.png"});
        EXPECT_FALSE(parses(args)) << (args.empty() ? "" : args.back());
    }
    EXPECT_TRUE(parses({"--out", "x.png", "--size", "16384x1"}));
    EXPECT_TRUE(parses({"--out", "x.png", "--at", "0999-12-31 23:59:58"}));
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);  // the hour skipped by daylight saving
    tzset();
    std::time_t t = 0;
    EXPECT_FALSE(parse_local_time("2024-03-31 02:30:00", &t));
    ASSERT_TRUE(parse_local_time("2024-03-31 03:30:00", &t));
    EXPECT_EQ(t, std::time_t{1711848600});
    unsetenv("TZ");
    tzset();
}

TEST(PngOutput, WritesRgbTopRowFirstOrKeepsTheOldFile) {
    TempFolder dir;
    const std::string path = dir.file("x.png");
    std::string error;
    ASSERT_TRUE(write_png(path, 3, 1, {255, 0, 0, 0, 0, 255, 0, 0, 9, 9, 9, 0}, &error)) << error;
    int w = 0, h = 0, channels = 0;
    unsigned char* pixels = stbi_load(path.c_str(), &w, &h, &channels, 0);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(std::vector<unsigned char>(pixels, pixels + 9),
              (std::vector<unsigned char>{255, 0, 0, 0, 255, 0, 9, 9, 9}));
    stbi_image_free(pixels);
    EXPECT_EQ(w * 100 + h * 10 + channels, 313);
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);

    const auto old = dir.read("x.png");
    EXPECT_FALSE(write_png(path, 2, 2, std::vector<std::uint8_t>(15), &error));  // the wrong size
    fs::create_directories(dir.path() / "sub.png" / "inner");  // renaming over a folder fails
    EXPECT_FALSE(write_png(dir.file("sub.png"), 1, 1, {1, 2, 3, 4}, &error));
    EXPECT_NE(error.find("sub.png"), std::string::npos);
    EXPECT_EQ(dir.read("x.png"), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);  // no temporary
    EXPECT_FALSE(writable_folder(path));
}

// Frames written over what is not a plain file: a link is written through, a
// device or a FIFO is written into, and none of them is ever replaced.
TEST(PngOutput, LinksAreWrittenThroughDevicesAndFifosIntoAndNoneIsReplaced) {
    TempFolder dir;
    const std::vector<std::uint8_t> frame(2 * 2 * 4, 200);
    const auto is_png = [](const std::vector<unsigned char>& bytes) { return bytes.size() > 8 && bytes[1] == 'P'; };
    std::string error;
    fs::create_directory(dir.path() / "pictures");
    dir.write("pictures/old.png", {1, 2, 3});
    for (const std::string name : {"old.png", "new.png"}) {  // a link to a file, a dangling link
        SCOPED_TRACE(name);
        ASSERT_EQ(symlink(("pictures/" + name).c_str(), dir.file(name).c_str()), 0);
        ASSERT_TRUE(write_png(dir.file(name), 2, 2, frame, &error)) << error;
        EXPECT_TRUE(fs::is_symlink(dir.file(name)));
        EXPECT_TRUE(is_png(dir.read("pictures/" + name)));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "pictures"), {}), 2);

    const std::string fifo = dir.file("pipe.png"), device = dir.file("null.png");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0) << "needs root: a null device";
    EXPECT_TRUE(write_png(device, 2, 2, frame, &error)) << error;
    EXPECT_TRUE(fs::is_character_file(device));
    // Nobody reads the pipe yet: refused at once, with a word why.
    EXPECT_FALSE(write_png(fifo, 2, 2, frame, &error));
    EXPECT_NE(error.find("pipe.png"), std::string::npos) << error;
    auto reader = std::async(std::launch::async, [&] {  // all it gets until the writer closes
        std::vector<unsigned char> got;
        unsigned char chunk[4096];
        const int fd = open(fifo.c_str(), O_RDONLY);
        for (ssize_t n; (n = read(fd, chunk, sizeof chunk)) > 0;) got.insert(got.end(), chunk, chunk + n);
        close(fd);
        return got;
    });
    // The writer may come before the reader has opened its end; it is refused then.
    bool written = false;
    for (int tries = 0; tries < 1000 && !written; ++tries)
        if (!(written = write_png(fifo, 2, 2, frame, &error))) usleep(1000);
    EXPECT_TRUE(written) << error;
    EXPECT_TRUE(is_png(reader.get()));
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 5);
}

// The built renderer, with the test's folder for its files.
class RenderRun : public ::testing::Test {
protected:
    int run(std::vector<std::string> args) {
        args.insert(args.begin(), {build_dir() + "/lunabrelle-render", "--config", dir.file("none.cfg")});
        int status = 0;
        std::tie(status, output) = run_capture(args, {}, 120000);
        return status;
    }
    TempFolder dir;
    std::string output;
};

// The background reaches both side edges of views from 4:1 to portrait, so
// nothing beside it shows black: the middle half of each side column is lit
// (the overlays sit in the corners).
TEST_F(RenderRun, TheSceneIsReproducibleFillsEveryViewShapeAndFramesAreKept) {
    const auto render = [&](const char* size, const char* seed, const char* out, std::vector<std::string> more = {}) {
        more.insert(more.begin(), {"--size", size, "--at", "2024-06-01 12:34:56", "--frames", "5", "--fps", "30",
                                   "--seed", seed, "--out", dir.file(out)});
        return run(more);
    };
    ASSERT_EQ(render("400x100", "5", "a.png", {"--out-dir", dir.file("frames"), "--every", "2"}), 0) << output;
    ASSERT_EQ(render("400x100", "5", "b.png"), 0) << output;
    ASSERT_EQ(render("400x100", "6", "c.png"), 0) << output;
    EXPECT_EQ(dir.read("a.png"), dir.read("b.png"));
    EXPECT_NE(dir.read("a.png"), dir.read("c.png"));  // another arrangement
    std::vector<std::string> frames;
    for (const auto& entry : fs::directory_iterator(dir.path() / "frames")) frames.push_back(entry.path().filename());
    std::sort(frames.begin(), frames.end());
    EXPECT_EQ(frames, (std::vector<std::string>{"frame_000000.png", "frame_000002.png", "frame_000004.png"}));
    EXPECT_EQ(dir.read("frames/frame_000004.png"), dir.read("a.png"));
    ASSERT_EQ(render("125x100", "3", "d.png"), 0) << output;
    ASSERT_EQ(render("72x128", "3", "e.png"), 0) << output;
    for (const auto& [name, size] : {std::pair{"a.png", 400100}, {"d.png", 125100}, {"e.png", 72128}}) {
        int w = 0, h = 0, channels = 0;
        unsigned char* pixels = stbi_load(dir.file(name).c_str(), &w, &h, &channels, 3);
        ASSERT_NE(pixels, nullptr);
        EXPECT_EQ(w * 1000 + h, size);
        int black = 0;
        for (int y = h / 4; y < h * 3 / 4; ++y)
            for (int x : {0, w - 1}) {
                const unsigned char* p = pixels + (static_cast<std::size_t>(y) * w + x) * 3;
                black += p[0] + p[1] + p[2] < 24;
            }
        stbi_image_free(pixels);
        EXPECT_EQ(black, 0) << name;
    }
}

// A refused run ends with status 2; an archive that cannot be read or is
// damaged (other than main.pak) with 1, naming it, and never waits on a FIFO.
TEST_F(RenderRun, RefusesWithStatusTwoOrOneForADamagedArchiveAndWritesNothing) {
    const std::string out = dir.file("x.png"), res = dir.file("res");
    const auto refused = [&](std::vector<std::string> args, int status, const std::string& message) {
        args.insert(args.begin(), {"--out", out});
        EXPECT_EQ(run(args), status) << args[2] << " " << args[3];
        EXPECT_NE(output.find(message), std::string::npos) << output;
    };
    fs::create_directory(res);
    refused({"--resources", dir.file("missing")}, 2, "no resources folder");
    refused({"--resources", res}, 2, "\"main.pak\"");
    for (const char* name : {"main.pak", "butterfly1.pak", "butterfly2.pak", "butterfly3.pak", "butterfly4.pak",
                             "butterfly5.pak", "calendar.pak", "utils.pak"})
        dir.write("res/" + std::string(name), {0, 0, 0, 0});
    dir.write("res/clock.pak", {5, 0, 0, 0});
    refused({"--resources", res}, 1, "clock.pak");
    fs::remove(res + "/clock.pak");
    ASSERT_EQ(mkfifo((res + "/clock.pak").c_str(), 0600), 0);
    refused({"--resources", res}, 1, "clock.pak");
    refused({"--out", dir.file("no/such/x.png")}, 2, "cannot write");  // the last --out counts
    EXPECT_FALSE(fs::exists(out));
}

}  // namespace
}  // namespace lunabrelle::test
