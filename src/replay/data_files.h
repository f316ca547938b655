// The files the game reads from its data folder by name (portraits, sprite sheets, stages and
// music), and their content hashes, so a replay can tell which data set it was recorded with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace replay {

struct DataFile {
    std::string name;
    uint64_t hash = 0;
    bool operator==(const DataFile&) const = default;
};

// Every name the game may read, in a fixed order.
const std::vector<std::string>& dataFileNames();

// The hashes of the data files found in the working folder, in dataFileNames order; a missing
// file or one that cannot be read is left out, as the game skips it.
std::vector<DataFile> hashDataFiles();

// Says in a few words how the data set here differs from the recorded one ("C01.bmp differs,
// Musica-02.wav is missing"), naming at most a few files; empty when they are the same.
std::string dataDifference(const std::vector<DataFile>& recorded,
                           const std::vector<DataFile>& here);

}  // namespace replay
