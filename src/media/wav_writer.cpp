#include "media/wav_writer.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "media/binary_file.h"

namespace media {

namespace {

constexpr size_t kHeaderSize = 44;

void tag(std::vector<uint8_t>& b, size_t at, const char* t) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(t[i]);
}

std::vector<uint8_t> header(size_t dataBytes, int rate, int channels, int bits) {
    std::vector<uint8_t> b(kHeaderSize + dataBytes, 0);
    const auto blockAlign = static_cast<uint32_t>(channels * bits / 8);
    tag(b, 0, "RIFF");
    put32(b, 4, static_cast<uint32_t>(b.size() - 8));
    tag(b, 8, "WAVE");
    tag(b, 12, "fmt ");
    put32(b, 16, 16);
    put16(b, 20, 1);  // PCM
    put16(b, 22, static_cast<uint32_t>(channels));
    put32(b, 24, static_cast<uint32_t>(rate));
    put32(b, 28, static_cast<uint32_t>(rate) * blockAlign);
    put16(b, 32, blockAlign);
    put16(b, 34, static_cast<uint32_t>(bits));
    tag(b, 36, "data");
    put32(b, 40, static_cast<uint32_t>(dataBytes));
    return b;
}

}  // namespace

std::vector<uint8_t> encodeWav8(const std::vector<uint8_t>& samples, int rate) {
    std::vector<uint8_t> b = header(samples.size(), rate, 1, 8);
    std::copy(samples.begin(), samples.end(), b.begin() + kHeaderSize);
    return b;
}

std::vector<uint8_t> encodeWav16(const std::vector<int16_t>& samples, int rate, int channels) {
    std::vector<uint8_t> b = header(samples.size() * 2, rate, channels, 16);
    for (size_t i = 0; i < samples.size(); ++i) {
        put16(b, kHeaderSize + 2 * i, static_cast<uint16_t>(samples[i]));
    }
    return b;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
    if (!f) {
        std::fprintf(stderr, "pelea: cannot write \"%s\"\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace media
