// Every test runs in a working folder of its own, new and empty, removed when it ends: the game
// looks its files up by bare name in the working folder, so a test must never see files another
// test left, nor the game's data when the suite is started from the data folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;

class WorkingFolder : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override {
        std::error_code ec;
        started_ = fs::current_path(ec);
        static std::atomic<int> count{0};
        folder_ = fs::temp_directory_path() /
                  ("pelea-test-" + std::to_string(::getpid()) + "-" + std::to_string(count++));
        fs::remove_all(folder_, ec);
        fs::create_directories(folder_, ec);
        fs::current_path(folder_, ec);
        if (ec)
            std::fprintf(stderr, "cannot enter %s: %s\n", folder_.c_str(), ec.message().c_str());
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        std::error_code ec;
        fs::current_path(started_, ec);
        fs::remove_all(folder_, ec);
    }

private:
    fs::path started_, folder_;
};

// Registered before the tests run, whatever main they run under.
const bool kRegistered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new WorkingFolder);
    return true;
}();

}  // namespace

namespace {

TEST(WorkingFolder, EveryTestStartsInAnEmptyFolderOfItsOwn) {
    const fs::path here = fs::current_path();
    EXPECT_EQ(here.filename().string().rfind("pelea-test-", 0), 0u) << here;
    EXPECT_TRUE(fs::is_empty(here)) << here;
}

}  // namespace
