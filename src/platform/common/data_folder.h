// Where the game's files are: the folder named with --data, else the one $PELEA_DATA names, else
// the data installed beside the program (bin/../share/pelea/data), else the working folder.
#pragma once

#include <filesystem>
#include <string>

namespace platform {

// The environment variable that names the data folder when --data does not.
inline constexpr const char* kDataVariable = "PELEA_DATA";

// The data an installed program finds beside itself: <exe's folder>/../share/pelea/data.
std::filesystem::path installedDataFolder(const std::filesystem::path& executable);

// The running program's own file (through /proc/self/exe); empty when it cannot be told.
std::filesystem::path ownExecutable();

// Chooses the data folder from --data (given, empty when absent), the variable's value (env,
// null or empty when unset) and the program's own file (executable, empty when unknown). The
// folder is left empty for the working folder. False, with a one-line problem, when the variable
// names something that is not a folder: a typo there must not quietly start the game bare.
// A --data folder is checked where it is entered, as before.
bool chooseDataFolder(const std::string& given, const char* env,
                      const std::filesystem::path& executable, std::string& folder,
                      std::string& error);

}  // namespace platform
