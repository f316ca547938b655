// The game installed like a desktop program: this build folder installed into a fresh prefix,
// every file where the desktop looks for it, and the installed program finding its data.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <png.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/files.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

using pelea::testing::readFile;

std::string quoted(const std::string& s) {
    return "'" + s + "'";
}

// Runs a shell command; its exit code, stdout and stderr.
struct Result {
    int code = -1;
    std::string out, err;
};

Result shell(const std::string& command, const fs::path& scratch) {
    const fs::path out = scratch / "out.txt", err = scratch / "err.txt";
    const int status = std::system((command + " >" + quoted(out) + " 2>" + quoted(err)).c_str());
    Result r;
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = readFile(out);
    r.err = readFile(err);
    return r;
}

// Installs take turns: each rewrites the build folder's install manifest, which is put back as
// it was afterwards, so that a person's own install can still be undone from it.
class InstallLock {
public:
    InstallLock() {
        fd_ = ::open(PELEA_BUILD_DIR "/.install-test.lock", O_CREAT | O_RDWR, 0644);
        if (fd_ >= 0) ::flock(fd_, LOCK_EX);
    }
    ~InstallLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    InstallLock(const InstallLock&) = delete;
    InstallLock& operator=(const InstallLock&) = delete;

private:
    int fd_ = -1;
};

class Installed : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::path(testing::TempDir()) / "pelea_install_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        prefix_ = dir_ / "prefix";
        fs::create_directories(dir_ / "elsewhere");
        install();
    }
    void TearDown() override { fs::remove_all(dir_); }

    void install() {
        const fs::path manifest = PELEA_BUILD_DIR "/install_manifest.txt";
        InstallLock lock;
        const bool hadManifest = fs::exists(manifest);
        const std::string before = hadManifest ? readFile(manifest) : "";
        const Result r = shell(quoted(PELEA_CMAKE) + " --install " + quoted(PELEA_BUILD_DIR) +
                                   " --prefix " + quoted(prefix_.string()),
                               dir_);
        installed_ = readFile(manifest);
        if (hadManifest) {
            std::ofstream(manifest, std::ios::binary) << before;
        } else {
            fs::remove(manifest);
        }
        ASSERT_EQ(r.code, 0) << r.out << r.err;
    }

    // The installed program, started in folder `cwd` with the environment prefix `env`.
    Result run(const std::string& args, const fs::path& cwd, const std::string& env = "") {
        return shell("cd " + quoted(cwd.string()) + " && timeout 120 env -u PELEA_DATA " + env +
                         " " + quoted((prefix_ / "bin/pelea").string()) + " " + args,
                     dir_);
    }

    fs::path dir_, prefix_;
    std::string installed_;  // the manifest the install wrote
};

struct Pixels {
    unsigned width = 0, height = 0;
    std::vector<png_byte> rgba;
    int alpha(unsigned x, unsigned y) const { return rgba[(y * width + x) * 4 + 3]; }
};

Pixels readPng(const fs::path& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Pixels p;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return p;
    image.format = PNG_FORMAT_RGBA;
    std::vector<png_byte> buffer(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, buffer.data(), 0, nullptr)) return p;
    p.width = image.width;
    p.height = image.height;
    p.rgba = std::move(buffer);
    return p;
}

uint32_t be32(const std::string& s, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i)
        v = (v << 8) | static_cast<uint8_t>(s[at + i]);
    return v;
}

TEST_F(Installed, EveryFileLandsWhereTheDesktopLooksForIt) {
    const char* const expected[] = {
        "bin/pelea",
        "share/applications/pelea.desktop",
        "share/icons/hicolor/64x64/apps/pelea.png",
        "share/icons/hicolor/256x256/apps/pelea.png",
        "share/man/man6/pelea.6",
        "share/pelea/data/C01.bmp",
        "share/pelea/data/C12.bmp",
        "share/pelea/data/R01-a.bmp",
        "share/pelea/data/R12-b.bmp",
        "share/pelea/data/Cenario-01.bmp",
        "share/pelea/data/Cenario-08.bmp",
        "share/pelea/data/Musica-01.wav",
        "share/pelea/data/Musica-03.wav",
    };
    for (const char* name : expected) {
        const fs::path p = prefix_ / name;
        EXPECT_TRUE(fs::is_regular_file(p)) << name;
        EXPECT_GT(fs::exists(p) ? fs::file_size(p) : 0, 0u) << name;
    }
    const fs::perms exe = fs::status(prefix_ / "bin/pelea").permissions();
    EXPECT_NE(exe & fs::perms::others_exec, fs::perms::none);
    EXPECT_EQ(std::distance(fs::directory_iterator(prefix_ / "share/pelea/data"),
                            fs::directory_iterator{}),
              12 + 24 + 8 + 3)
        << "the sheets, portraits, stages and music, and nothing else";

    // The manifest lists every installed file, so removing what it lists uninstalls it all.
    std::set<std::string> listed;
    std::istringstream lines(installed_);
    for (std::string line; std::getline(lines, line);)
        listed.insert(line);
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(prefix_)) {
        if (!e.is_regular_file()) continue;
        EXPECT_EQ(listed.count(e.path().string()), 1u) << e.path();
    }
}

TEST_F(Installed, MenuEntryIconsAndManualAreValid) {
    const fs::path desktop = prefix_ / "share/applications/pelea.desktop";
    const Result valid = shell("desktop-file-validate " + quoted(desktop.string()), dir_);
    EXPECT_EQ(valid.code, 0) << valid.out << valid.err;
    EXPECT_EQ(valid.out + valid.err, "") << "no warnings either";
    const std::string entry = readFile(desktop);
    for (const char* line : {"\nExec=pelea\n", "\nIcon=pelea\n", "\nCategories=Game;ActionGame;\n",
                             "\nType=Application\n"}) {
        EXPECT_NE(entry.find(line), std::string::npos) << line;
    }

    struct Icon {
        const char* path;
        unsigned size;
    };
    for (const Icon icon : {Icon{"share/icons/hicolor/64x64/apps/pelea.png", 64},
                            Icon{"share/icons/hicolor/256x256/apps/pelea.png", 256}}) {
        const std::string bytes = readFile(prefix_ / icon.path);
        ASSERT_GE(bytes.size(), 33u) << icon.path;
        EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8)) << icon.path;
        EXPECT_EQ(bytes.substr(12, 4), "IHDR") << icon.path;
        EXPECT_EQ(be32(bytes, 16), icon.size) << icon.path;
        EXPECT_EQ(be32(bytes, 20), icon.size) << icon.path;
        // A rounded badge: see-through corners, a solid middle.
        const Pixels px = readPng(prefix_ / icon.path);
        ASSERT_EQ(px.width, icon.size) << icon.path;
        const unsigned last = icon.size - 1, mid = icon.size / 2, in = icon.size / 10;
        for (const auto& [x, y] : {std::pair{0u, 0u}, {last, 0u}, {0u, last}, {last, last}})
            EXPECT_EQ(px.alpha(x, y), 0) << icon.path << " corner " << x << "," << y;
        for (const auto& [x, y] : {std::pair{mid, mid}, {mid, in}, {in, mid}, {mid, last - in}})
            EXPECT_EQ(px.alpha(x, y), 255) << icon.path << " at " << x << "," << y;
    }

    // The manual page formats without a warning and names this version.
    const fs::path manual = prefix_ / "share/man/man6/pelea.6";
    const Result lint = shell("groff -man -ww -z " + quoted(manual.string()), dir_);
    EXPECT_EQ(lint.code, 0) << lint.err;
    EXPECT_EQ(lint.err, "");
    const std::string page = readFile(manual);
    EXPECT_EQ(page.rfind(".TH PELEA 6 ", 0), 0u);
    EXPECT_NE(page.find("\"pelea " PELEA_PROJECT_VERSION "\""), std::string::npos);
}

TEST_F(Installed, TheProgramFindsItsDataWithoutBeingTold) {
    const fs::path data = prefix_ / "share/pelea/data", moved = dir_ / "moved";
    const fs::path empty = dir_ / "elsewhere", nowhere = dir_ / "nowhere";
    struct Case {
        bool dataMoved;    // the installed data moved out of the prefix, to `moved`
        fs::path cwd;      // where the program is started
        std::string env;   // the PELEA_DATA setting, "" for none
        std::string args;  // besides the headless run
        int code;
        int loaded;           // the music loaded on frame 0 (it is only there with the data)
        std::string message;  // a stderr line's content when code is 2
    };
    const std::string headless = "--headless --frames 120 --trace " + quoted((dir_ / "t").string());
    const Case cases[] = {
        {false, empty, "", headless, 0, 1, ""},  // the data beside the program
        {false, empty, "PELEA_DATA=" + quoted(empty.string()), headless, 0, 0, ""},
        {false, empty, "PELEA_DATA=" + quoted(empty.string()),
         headless + " --data " + quoted(data.string()), 0, 1, ""},
        {false, empty, "PELEA_DATA=" + quoted(nowhere.string()), headless, 2, -1,
         "PELEA_DATA names \"" + nowhere.string() + "\""},
        {false, empty, "PELEA_DATA=" + quoted(nowhere.string()), "--demo", 2, -1,
         "PELEA_DATA names \"" + nowhere.string() + "\""},  // the window looks the same way
        {false, empty, "PELEA_DATA=" + quoted(data.string()),
         headless + " --data " + quoted(nowhere.string()), 2, -1, nowhere.string()},
        {true, empty, "", headless, 0, 0, ""},
        {true, moved, "", headless, 0, 1, ""},  // the working folder comes last
        {true, empty, "PELEA_DATA=" + quoted(moved.string()), headless, 0, 1, ""},
        {true, moved, "PELEA_DATA=" + quoted(empty.string()), headless, 0, 0, ""},
    };
    for (const Case& c : cases) {
        if (c.dataMoved && fs::exists(data)) fs::rename(data, moved);
        fs::remove(dir_ / "t");
        const Result r = run(c.args, c.cwd, c.env);
        const std::string what = c.env + " pelea " + c.args + " in " + c.cwd.string();
        ASSERT_EQ(r.code, c.code) << what << "\n" << r.err;
        if (c.code == 2) {
            EXPECT_NE(r.err.find(c.message), std::string::npos) << what << "\n" << r.err;
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
            continue;
        }
        const std::string trace = readFile(dir_ / "t");
        EXPECT_EQ(std::count(trace.begin(), trace.end(), '\n'), 120) << what;
        const std::string first = trace.substr(0, trace.find('\n'));
        EXPECT_NE(first.find("\"musicaCarregada\":" + std::to_string(c.loaded) + ","),
                  std::string::npos)
            << what;
    }
}

TEST_F(Installed, TheProgramTellsItsVersion) {
    const Result version = run("--version", dir_ / "elsewhere");
    EXPECT_EQ(version.code, 0) << version.err;
    EXPECT_EQ(version.out, "pelea " PELEA_PROJECT_VERSION "\n");
    EXPECT_EQ(version.err, "");
    const Result help = run("--help", dir_ / "elsewhere");
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--version"), std::string::npos);
    EXPECT_NE(help.out.find("PELEA_DATA"), std::string::npos);
}

}  // namespace
}  // namespace platform
