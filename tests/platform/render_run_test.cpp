// Runs the built lunabrelle-render as a user would and checks its files and
// exit statuses.
#include <gtest/gtest.h>

#include <stb_image.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string quoted(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class RenderRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* build = std::getenv("LUNABRELLE_BUILD_DIR");
        if (build == nullptr) GTEST_SKIP() << "LUNABRELLE_BUILD_DIR not set";
        program_ = fs::path(build) / "lunabrelle-render";
        ASSERT_TRUE(fs::exists(program_)) << program_;
        std::string tmpl = (fs::temp_directory_path() / "lunabrelle-render-XXXXXX").string();
        ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
        resources_ = dir_ / "resources";
        fs::create_directory(resources_);
        // Every archive the scene opens, each without entries: the picture is
        // black but the whole host path runs.
        for (const char* name : {"main.pak", "butterfly1.pak", "butterfly2.pak", "butterfly3.pak",
                                 "butterfly4.pak", "butterfly5.pak", "clock.pak", "calendar.pak",
                                 "utils.pak"})
            std::ofstream(resources_ / name, std::ios::binary).write("\0\0\0\0", 4);
    }
    void TearDown() override {
        if (!dir_.empty()) fs::remove_all(dir_);
    }

    // Runs the renderer with the test's resources and settings plus args;
    // returns its exit status and keeps what it printed in output_.
    int run(const std::vector<std::string>& args, bool own_resources = true) {
        std::string command = quoted(program_.string());
        if (own_resources) command += " --resources " + quoted(resources_.string());
        command += " --config " + quoted((dir_ / "none.cfg").string());
        for (const auto& a : args) command += " " + quoted(a);
        command += " >" + quoted((dir_ / "output.txt").string()) + " 2>&1";
        const int status = std::system(command.c_str());
        output_ = slurp(dir_ / "output.txt");
        fs::remove(dir_ / "output.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path program_;
    fs::path dir_;
    fs::path resources_;
    std::string output_;
};

TEST_F(RenderRunTest, WritesTheLastFrameAtTheAskedSize) {
    const std::string out = (dir_ / "x.png").string();
    ASSERT_EQ(run({"--size", "320x240", "--frames", "3", "--out", out}), 0) << output_;
    int w = 0, h = 0, channels = 0;
    ASSERT_TRUE(stbi_info(out.c_str(), &w, &h, &channels)) << output_;
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 240);
    EXPECT_EQ(channels, 3);
    EXPECT_NE(output_.find("drew 3 frames"), std::string::npos) << output_;
}

TEST_F(RenderRunTest, SameStartTimeAndSeedGiveTheSameFiles) {
    const std::vector<std::string> common = {"--size", "64x48", "--at", "2024-06-01 12:34:56",
                                             "--seed", "99", "--frames", "5", "--fps", "30"};
    auto args = common;
    args.insert(args.end(), {"--out", (dir_ / "a.png").string(), "--out-dir",
                             (dir_ / "frames").string(), "--every", "2"});
    ASSERT_EQ(run(args), 0) << output_;
    args = common;
    args.insert(args.end(), {"--out", (dir_ / "b.png").string()});
    ASSERT_EQ(run(args), 0) << output_;
    EXPECT_EQ(slurp(dir_ / "a.png"), slurp(dir_ / "b.png"));
    std::vector<std::string> frames;
    for (const auto& entry : fs::directory_iterator(dir_ / "frames"))
        frames.push_back(entry.path().filename().string());
    std::sort(frames.begin(), frames.end());
    EXPECT_EQ(frames, (std::vector<std::string>{"frame_000000.png", "frame_000002.png",
                                                "frame_000004.png"}));
    EXPECT_EQ(slurp(dir_ / "frames" / "frame_000004.png"), slurp(dir_ / "a.png"));
}

TEST_F(RenderRunTest, TheBuiltSceneIsReproducibleAndNotBlack) {
    const fs::path built = fs::path(std::getenv("LUNABRELLE_BUILD_DIR")) / "resources";
    for (const char* name : {"main.pak", "butterfly1.pak", "clock.pak", "calendar.pak", "utils.pak"})
        if (!fs::exists(built / name)) GTEST_SKIP() << "no built " << name << " in " << built;
    // The default settings: meadow, clock and calendar at the virtual time.
    const auto render = [&](const char* seed, const char* name) {
        return run({"--resources", built.string(), "--size", "96x64", "--at",
                    "2024-06-01 12:34:56", "--seed", seed, "--frames", "4", "--out",
                    (dir_ / name).string()},
                   false);
    };
    ASSERT_EQ(render("5", "a.png"), 0) << output_;
    ASSERT_EQ(render("5", "b.png"), 0) << output_;
    ASSERT_EQ(render("6", "c.png"), 0) << output_;
    EXPECT_EQ(slurp(dir_ / "a.png"), slurp(dir_ / "b.png"));
    EXPECT_NE(slurp(dir_ / "a.png"), slurp(dir_ / "c.png"));  // another arrangement
    int w = 0, h = 0, channels = 0;
    unsigned char* pixels = stbi_load((dir_ / "a.png").c_str(), &w, &h, &channels, 3);
    ASSERT_NE(pixels, nullptr);
    long sum = 0;
    for (int i = 0; i < w * h * 3; ++i) sum += pixels[i];
    stbi_image_free(pixels);
    EXPECT_GT(sum, 0);
}

TEST_F(RenderRunTest, RefusesWithStatusTwoAndWritesNothing) {
    const std::string out = (dir_ / "x.png").string();
    EXPECT_EQ(run({"--size", "320by240", "--out", out}), 2);
    EXPECT_NE(output_.find("bad size"), std::string::npos) << output_;

    EXPECT_EQ(run({"--resources", (dir_ / "missing").string(), "--out", out}, false), 2);
    EXPECT_NE(output_.find("no resources folder"), std::string::npos) << output_;

    fs::remove(resources_ / "main.pak");
    EXPECT_EQ(run({"--out", out}), 2);
    EXPECT_NE(output_.find("\"main.pak\""), std::string::npos) << output_;
    std::ofstream(resources_ / "main.pak", std::ios::binary).write("\0\0\0\0", 4);

    EXPECT_EQ(run({"--out", (dir_ / "no" / "such" / "x.png").string()}), 2);
    EXPECT_NE(output_.find("cannot write"), std::string::npos) << output_;
    EXPECT_EQ(run({"--out", dir_.string()}), 2);
    EXPECT_EQ(run({"--frames", "0", "--out", out}), 2);
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(RenderRunTest, HelpDescribesTheOptions) {
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_NE(output_.find("--out-dir"), std::string::npos) << output_;
}

}  // namespace
