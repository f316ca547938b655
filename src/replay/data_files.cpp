#include "replay/data_files.h"

#include <cstdio>
#include <filesystem>

#include "replay/state_hash.h"

namespace replay {

namespace {

constexpr int kCharacters = 12;
constexpr int kStages = 8;
constexpr int kTracks = 3;
constexpr size_t kNamedDifferences = 3;  // the rest are counted

std::string twoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

std::vector<std::string> allNames() {
    std::vector<std::string> names;
    for (int c = 1; c <= kCharacters; ++c) {
        names.push_back("R" + twoDigits(c) + "-a.bmp");
        names.push_back("R" + twoDigits(c) + "-b.bmp");
    }
    for (int c = 1; c <= kCharacters; ++c)
        names.push_back("C" + twoDigits(c) + ".bmp");
    for (int s = 1; s <= kStages; ++s)
        names.push_back("Cenario-" + twoDigits(s) + ".bmp");
    for (int k = 1; k <= kTracks; ++k)
        names.push_back("Musica-" + twoDigits(k) + ".wav");
    return names;
}

bool hashFile(const std::string& name, uint64_t& hash) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(name, ec)) return false;
    std::FILE* in = std::fopen(name.c_str(), "rb");
    if (in == nullptr) return false;
    BytesHasher hasher;
    unsigned char buffer[64 * 1024];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        hasher.add({buffer, got});
    const bool ok = std::ferror(in) == 0;
    std::fclose(in);
    hash = hasher.value();
    return ok;
}

const DataFile* find(const std::vector<DataFile>& files, const std::string& name) {
    for (const DataFile& f : files) {
        if (f.name == name) return &f;
    }
    return nullptr;
}

}  // namespace

const std::vector<std::string>& dataFileNames() {
    static const std::vector<std::string> names = allNames();
    return names;
}

std::vector<DataFile> hashDataFiles() {
    std::vector<DataFile> files;
    for (const std::string& name : dataFileNames()) {
        uint64_t hash = 0;
        if (hashFile(name, hash)) files.push_back({name, hash});
    }
    return files;
}

std::string dataDifference(const std::vector<DataFile>& recorded,
                           const std::vector<DataFile>& here) {
    std::vector<std::string> differences;
    for (const std::string& name : dataFileNames()) {
        const DataFile* then = find(recorded, name);
        const DataFile* now = find(here, name);
        if (then != nullptr && now == nullptr) differences.push_back(name + " is missing");
        if (then == nullptr && now != nullptr) differences.push_back(name + " is new");
        if (then != nullptr && now != nullptr && then->hash != now->hash) {
            differences.push_back(name + " differs");
        }
    }
    std::string text;
    for (size_t i = 0; i < differences.size() && i < kNamedDifferences; ++i)
        text += (i > 0 ? ", " : "") + differences[i];
    if (differences.size() > kNamedDifferences) {
        text += " and " + std::to_string(differences.size() - kNamedDifferences) + " more";
    }
    return text;
}

}  // namespace replay
