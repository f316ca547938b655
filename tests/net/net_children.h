// Real programs run by the netplay tests: each in a folder of its own, killed if it overstays,
// on a port nobody uses.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/files.h"

namespace net::programs {

// A test with a folder of its own, one per test process (other checkouts' suites run the same
// tests at once), emptied before and removed after: folder(name) for a program's working folder,
// script(name, text) for an input script written there.
class ProgramsTest : public testing::Test {
protected:
    explicit ProgramsTest(std::string prefix) : prefix_(std::move(prefix)) {}
    void SetUp() override {
        dir_ = std::filesystem::path(testing::TempDir()) /
               (prefix_ + "-" + std::to_string(::getpid())) /
               testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_.parent_path()); }
    std::filesystem::path folder(const std::string& name) const { return dir_ / name; }
    std::string script(const std::string& name, const std::string& text) const {
        const std::filesystem::path p = dir_ / name;
        std::ofstream(p) << text;
        return p.string();
    }
    std::filesystem::path dir_;

private:
    std::string prefix_;
};

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

inline constexpr const char* kData = PELEA_BUILD_DIR "/data";

// A port nobody uses now, as the system hands one out: test processes of this and other
// checkouts run at once, so a port worked out from the process number may be taken.
inline int freshPort() {
    const int s = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof at;
    int port = 0;
    if (s >= 0 && ::bind(s, reinterpret_cast<sockaddr*>(&at), sizeof at) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&at), &size) == 0) {
        port = ntohs(at.sin_port);
    }
    if (s >= 0) ::close(s);
    return port;
}

using pelea::testing::readFile;

// One program run in a folder of its own, stderr kept in err.txt there.
class Child {
public:
    Child(const fs::path& folder, std::vector<std::string> args) : folder_(folder) {
        fs::create_directories(folder);
        pid_ = ::fork();
        if (pid_ == 0) {
            if (::chdir(folder.c_str()) != 0) ::_exit(120);
            if (!std::freopen("err.txt", "w", stderr) || !std::freopen("out.txt", "w", stdout)) {
                ::_exit(121);
            }
            std::vector<char*> argv;
            static std::string program = PELEA_BINARY;
            argv.push_back(program.data());
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(PELEA_BINARY, argv.data());
            ::_exit(122);
        }
    }
    ~Child() {
        if (pid_ > 0 && code_ == kRunning) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    // The exit code, or −1 after killing a child that took longer than the limit.
    int wait(std::chrono::milliseconds limit) {
        const auto end = Clock::now() + limit;
        while (code_ == kRunning) {
            int status = 0;
            const pid_t r = ::waitpid(pid_, &status, WNOHANG);
            if (r == pid_) {
                code_ = WIFEXITED(status) ? WEXITSTATUS(status) : -2;
                break;
            }
            if (Clock::now() > end) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, nullptr, 0);
                code_ = -1;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return code_;
    }
    void kill() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        code_ = -3;
    }
    std::string err() const { return readFile(folder_ / "err.txt"); }
    fs::path file(const std::string& name) const { return folder_ / name; }

private:
    static constexpr int kRunning = -100;
    fs::path folder_;
    pid_t pid_ = -1;
    int code_ = kRunning;
};


// Player 1 passes the title, both pick and fight, pressing things all along; player 2 puts in
// a credit and joins as well.
inline constexpr const char* kHostScript =
    "0 kb\n10 kb b1\n12 kb\n60 kb right\n80 kb b1\n82 kb\n300 key 5\n300 kb right b3\n"
    "420 kb left b2\n500 kb down b1\n600 kb\n900 kb right\n1200 kb up b4\n1500 kb\n"
    "2000 kb left\n2300 kb b2\n2600 kb\n";
inline constexpr const char* kJoinScript =
    "0 kb\n200 key 5\n250 key 2\n260 joy b1\n262 joy\n400 kb left\n700 joy right b2\n"
    "1000 kb down b3\n1300 joy\n1700 kb right\n2100 joy left b1\n2500 kb\n2900 joy up\n";

// The number written just before the words ("3000 frames confirmed"), or −1.
inline int64_t number(const std::string& text, const std::string& words, size_t from = 0) {
    size_t at = text.find(" " + words, from);
    if (at == std::string::npos) return -1;
    size_t start = at;
    while (start > 0 && std::isdigit(static_cast<unsigned char>(text[start - 1])) != 0)
        --start;
    return start == at ? -1 : std::stoll(text.substr(start, at - start));
}

// The largest of the numbers before every occurrence of words, -1 when there is none.
inline int64_t largestNumber(const std::string& text, const std::string& words) {
    int64_t largest = -1;
    for (size_t at = text.find(" " + words); at != std::string::npos;
         at = text.find(" " + words, at + 1))
        largest = std::max(largest, number(text, words, at));
    return largest;
}

}  // namespace net::programs
