// Small helpers shared by the generator's writers.
#pragma once

#include <string>

namespace assetgen {

// dir + "/" + name.
std::string inDir(const std::string& dir, const std::string& name);
// "01" … "12": the two-digit number in the data files' names.
std::string twoDigits(int v);

}  // namespace assetgen
