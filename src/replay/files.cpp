#include "replay/files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace replay {

namespace fs = std::filesystem;

namespace {

// The folder's entry for a renamed file reaches the disk too; a folder that cannot be synced
// only loses that guarantee.
void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool writeFileAtomically(const std::string& path, std::string_view text, std::string& problem,
                         bool synced) {
    const std::string temporary = path + ".tmp-" + std::to_string(::getpid());
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (out == nullptr) {
        problem = std::strerror(errno);
        return false;
    }
    bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if (written && synced) written = std::fflush(out) == 0 && ::fsync(::fileno(out)) == 0;
    const int writeError = errno;
    const bool closed = std::fclose(out) == 0;
    std::error_code ec;
    if (written && closed) fs::rename(temporary, path, ec);
    if (!written || !closed || ec) {
        problem = ec ? ec.message() : std::strerror(writeError);
        fs::remove(temporary, ec);
        return false;
    }
    if (synced) syncFolder(fs::path(path).parent_path());
    return true;
}

std::string absolutePath(const std::string& path) {
    if (path.empty()) return path;
    std::error_code ec;
    const fs::path p = fs::absolute(path, ec);
    return ec ? path : p.string();
}

uint64_t clockSeed() {
    return static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace replay
