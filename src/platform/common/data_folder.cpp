#include "platform/common/data_folder.h"

#include <system_error>

namespace platform {

namespace fs = std::filesystem;

fs::path installedDataFolder(const fs::path& executable) {
    return (executable.parent_path() / ".." / "share" / "pelea" / "data").lexically_normal();
}

fs::path ownExecutable() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : self;
}

bool chooseDataFolder(const std::string& given, const char* env, const fs::path& executable,
                      std::string& folder, std::string& error) {
    // folder may be given itself, so it is only cleared once given is known to be empty.
    if (!given.empty()) {
        folder = given;
        return true;
    }
    folder.clear();
    std::error_code ec;
    if (env != nullptr && env[0] != '\0') {
        if (!fs::is_directory(env, ec)) {
            error = std::string(kDataVariable) + " names \"" + env + "\", which is not a folder";
            return false;
        }
        folder = env;
        return true;
    }
    if (!executable.empty()) {
        const fs::path installed = installedDataFolder(executable);
        if (fs::is_directory(installed, ec)) folder = installed.string();
    }
    return true;
}

}  // namespace platform
