// Writes the fuzz targets' seed corpora and dictionaries under a folder:
//   ROOT/corpus/{script,command_line,picture,sound,replay,settings}/NAME and
//   ROOT/dict/{script,command_line,replay}.dict
// Pictures and sounds come from the game's own writers, from hand-made files in the other
// formats the decoders accept, and from the damaged files the tests keep. Each seed is printed
// with what the decoder makes of it.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "game/state.h"
#include "media/bmp_writer.h"
#include "media/loaders.h"
#include "media/wav_writer.h"
#include "options/settings.h"
#include "platform/common/fields.h"
#include "replay/replay_file.h"
#include "replay/state_hash.h"
#include "support/damaged_files.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

fs::path gRoot;

void save(const std::string& target, const std::string& name, const Bytes& bytes) {
    const fs::path dir = gRoot / "corpus" / target;
    fs::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

void saveText(const std::string& target, const std::string& name, std::string_view text) {
    save(target, name, Bytes(text.begin(), text.end()));
}

void le16(Bytes& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

void le32(Bytes& b, uint32_t v) {
    le16(b, v & 0xFFFF);
    le16(b, v >> 16);
}

void tag(Bytes& b, const char* t) {
    b.insert(b.end(), t, t + 4);
}

void append(Bytes& b, const Bytes& more) {
    b.insert(b.end(), more.begin(), more.end());
}

// ---- pictures ----

void picture(const std::string& name, const Bytes& bytes) {
    media::Picture p;
    const bool ok = media::decodePicture(bytes.data(), bytes.size(), p);
    std::printf("picture %-36s %5zu bytes  %s %dx%d\n", name.c_str(), bytes.size(),
                ok ? "decodes" : "refused", p.width(), p.height());
    save("picture", name, bytes);
}

media::Picture sample(int w, int h) {
    media::Picture p(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            p.setPixel(x, y, media::rgb(x * 60, y * 90, (x + y) * 30));
    }
    p.setPixel(0, 0, media::rgb(255, 255, 255));  // the transparent colour
    return p;
}

struct BmpShape {
    int bits;
    int width;
    int height;  // negative: top row first
    uint32_t compression;
    uint32_t headerSize = 40;
};

// A BMP of any depth: the header, then masks or palette, then the pixel bytes as given.
Bytes bmp(const BmpShape& s, const Bytes& palette, const Bytes& afterHeader, const Bytes& pixels) {
    // What follows the first 40 header bytes is either the rest of a longer header or the masks.
    const auto offset = static_cast<uint32_t>(14 + 40 + afterHeader.size() + palette.size());
    Bytes b;
    b.push_back('B');
    b.push_back('M');
    le32(b, offset + static_cast<uint32_t>(pixels.size()));
    le32(b, 0);
    le32(b, offset);
    le32(b, s.headerSize);
    le32(b, static_cast<uint32_t>(s.width));
    le32(b, static_cast<uint32_t>(s.height));
    le16(b, 1);
    le16(b, static_cast<uint32_t>(s.bits));
    le32(b, s.compression);
    le32(b, static_cast<uint32_t>(pixels.size()));
    le32(b, 2835);
    le32(b, 2835);
    le32(b, static_cast<uint32_t>(palette.size() / 4));
    le32(b, 0);
    append(b, afterHeader);
    append(b, palette);
    append(b, pixels);
    return b;
}

Bytes palette(int colours) {
    Bytes p;
    for (int i = 0; i < colours; ++i) {
        p.push_back(static_cast<uint8_t>(i * 70));        // blue
        p.push_back(static_cast<uint8_t>(255 - i * 50));  // green
        p.push_back(static_cast<uint8_t>(i * 30));        // red
        p.push_back(0);
    }
    return p;
}

// The rest of a 108-byte header after its first 40 bytes: masks, colour space, end points, gamma.
Bytes v4Tail(uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
    Bytes t;
    le32(t, r);
    le32(t, g);
    le32(t, b);
    le32(t, a);
    tag(t, "BGRs");
    t.resize(t.size() + 36 + 12, 0);
    return t;
}

void pictures() {
    picture("writer-1x1.bmp", media::encodeBmp(sample(1, 1)));
    picture("writer-2x2.bmp", media::encodeBmp(sample(2, 2)));
    picture("writer-5x3.bmp", media::encodeBmp(sample(5, 3)));  // rows padded to 4 bytes
    // 8 bits with a palette, 3x2: rows of 3 bytes padded to 4.
    picture("palette8-3x2.bmp", bmp({8, 3, 2, 0}, palette(4), {}, {0, 1, 2, 0, 3, 2, 1, 0}));
    picture("palette4-3x2.bmp",
            bmp({4, 3, 2, 0}, palette(4), {}, {0x01, 0x20, 0, 0, 0x32, 0x10, 0, 0}));
    picture("palette1-9x2.bmp",
            bmp({1, 9, 2, 0}, palette(2), {}, {0xA5, 0x80, 0, 0, 0x5A, 0x00, 0, 0}));
    // 16 bits, 5-6-5 through bit fields given after a 40-byte header.
    Bytes masks;
    le32(masks, 0xF800);
    le32(masks, 0x07E0);
    le32(masks, 0x001F);
    picture("rgb565-2x2.bmp",
            bmp({16, 2, 2, 3}, {}, masks, {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0xFF, 0xFF}));
    picture("rgb555-2x1.bmp", bmp({16, 2, 1, 0}, {}, {}, {0x00, 0x7C, 0xE0, 0x03}));
    // 32 bits with alpha in a 108-byte header.
    picture("bgra32-2x1.bmp",
            bmp({32, 2, 1, 3, 108}, {}, v4Tail(0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000),
                {0x10, 0x20, 0x30, 0xFF, 0x40, 0x50, 0x60, 0x00}));
    // 24 bits stored top row first.
    picture("topdown24-2x2.bmp",
            bmp({24, 2, -2, 0}, {}, {}, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}));
    // Run-length encoded: runs, an end of line, an absolute run, the end of the picture.
    picture("rle8-4x2.bmp",
            bmp({8, 4, 2, 1}, palette(4), {}, {2, 0, 2, 1, 0, 0, 0, 4, 3, 2, 1, 0, 0, 1}));
    picture("rle4-4x2.bmp", bmp({4, 4, 2, 2}, palette(4), {}, {4, 0x12, 0, 0, 4, 0x30, 0, 1}));
    // Edges: the header alone, and a header whose pixels stop short.
    Bytes header = media::encodeBmp(sample(4, 4));
    header.resize(54);
    picture("edge-header-only.bmp", header);
    Bytes shortRows = media::encodeBmp(sample(4, 4));
    shortRows.resize(shortRows.size() - 20);
    picture("edge-short-pixels.bmp", shortRows);
}

// ---- sounds ----

void sound(const std::string& name, const Bytes& bytes) {
    media::SoundData s;
    const bool ok = media::decodeSound(bytes.data(), bytes.size(), s);
    std::printf("sound   %-36s %5zu bytes  %s %zu frames\n", name.c_str(), bytes.size(),
                ok ? "decodes" : "refused", s.frames());
    save("sound", name, bytes);
}

struct WavShape {
    uint16_t format;
    uint16_t channels;
    uint32_t rate;
    uint16_t bits;
    uint16_t blockAlign;
};

// A RIFF WAVE: "fmt " (with cbSize and the extra bytes when any are given), then the chunks.
Bytes wav(const WavShape& s, const Bytes& fmtExtra, const Bytes& chunks) {
    Bytes fmt;
    le16(fmt, s.format);
    le16(fmt, s.channels);
    le32(fmt, s.rate);
    le32(fmt, s.rate * s.blockAlign);
    le16(fmt, s.blockAlign);
    le16(fmt, s.bits);
    if (!fmtExtra.empty()) {
        le16(fmt, static_cast<uint32_t>(fmtExtra.size()));
        append(fmt, fmtExtra);
    }
    Bytes b;
    tag(b, "RIFF");
    le32(b, static_cast<uint32_t>(4 + 8 + fmt.size() + chunks.size()));
    tag(b, "WAVE");
    tag(b, "fmt ");
    le32(b, static_cast<uint32_t>(fmt.size()));
    append(b, fmt);
    append(b, chunks);
    return b;
}

// A chunk with its pad byte when its size is odd.
Bytes chunk(const char* name, const Bytes& body) {
    Bytes c;
    tag(c, name);
    le32(c, static_cast<uint32_t>(body.size()));
    append(c, body);
    if (body.size() % 2 != 0) c.push_back(0);
    return c;
}

Bytes ramp(size_t n, int step) {
    Bytes d;
    for (size_t i = 0; i < n; ++i)
        d.push_back(static_cast<uint8_t>(i * static_cast<size_t>(step)));
    return d;
}

Bytes imaAdpcmBlock() {
    Bytes d;
    le16(d, 0);      // first sample
    d.push_back(0);  // step index
    d.push_back(0);
    append(d, ramp(252, 37));
    return d;
}

Bytes msAdpcmFmt() {
    static constexpr int kCoefficients[7][2] = {{256, 0}, {512, -256}, {0, 0},     {192, 64},
                                                {240, 0}, {460, -208}, {392, -232}};
    Bytes e;
    le16(e, 500);  // samples per block of 256 bytes, one channel
    le16(e, 7);
    for (const auto& c : kCoefficients) {
        le16(e, static_cast<uint16_t>(c[0]));
        le16(e, static_cast<uint16_t>(c[1]));
    }
    return e;
}

Bytes msAdpcmBlock() {
    Bytes d = {0};  // predictor
    le16(d, 16);    // delta
    le16(d, 0);     // sample 1
    le16(d, 0);     // sample 2
    append(d, ramp(249, 53));
    return d;
}

Bytes extensiblePcm() {
    Bytes e;
    le16(e, 16);  // valid bits
    le32(e, 3);   // front left and right
    le32(e, 1);   // the PCM sub-format's GUID
    for (const uint8_t v : {0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71})
        e.push_back(v);
    return e;
}

Bytes floats(size_t n) {
    Bytes d;
    for (size_t i = 0; i < n; ++i) {
        const float v = static_cast<float>(i % 8) / 8.0f - 0.5f;
        uint32_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        le32(d, bits);
    }
    return d;
}

void sounds() {
    std::vector<uint8_t> bytes8(64);
    for (size_t i = 0; i < bytes8.size(); ++i)
        bytes8[i] = static_cast<uint8_t>(128 + (i % 16) * 4);
    sound("writer-u8-mono-11025.wav", media::encodeWav8(bytes8, 11025));
    std::vector<int16_t> pcm(48);
    for (size_t i = 0; i < pcm.size(); ++i)
        pcm[i] = static_cast<int16_t>((static_cast<int>(i) - 24) * 1000);
    sound("writer-s16-mono-22050.wav", media::encodeWav16(pcm, 22050, 1));
    sound("writer-s16-stereo-44100.wav", media::encodeWav16(pcm, 44100, 2));
    sound("float32-mono-8000.wav", wav({3, 1, 8000, 32, 4}, {}, chunk("data", floats(16))));
    sound("alaw-mono-8000.wav", wav({6, 1, 8000, 8, 1}, {0, 0}, chunk("data", ramp(32, 7))));
    sound("mulaw-mono-8000.wav", wav({7, 1, 8000, 8, 1}, {0, 0}, chunk("data", ramp(32, 9))));
    sound("s24-stereo-48000.wav", wav({1, 2, 48000, 24, 6}, {}, chunk("data", ramp(36, 11))));
    sound("s32-mono-32000.wav", wav({1, 1, 32000, 32, 4}, {}, chunk("data", ramp(32, 13))));
    Bytes ima;
    le16(ima, 505);
    sound("ima-adpcm-mono-22050.wav",
          wav({0x11, 1, 22050, 4, 256}, ima, chunk("data", imaAdpcmBlock())));
    sound("ms-adpcm-mono-22050.wav",
          wav({2, 1, 22050, 4, 256}, msAdpcmFmt(), chunk("data", msAdpcmBlock())));
    sound("extensible-s16-stereo.wav",
          wav({0xFFFE, 2, 22050, 16, 4}, extensiblePcm(), chunk("data", ramp(32, 17))));
    // A list chunk of odd size (and its pad byte) before the samples.
    Bytes listed = chunk("LIST", {'I', 'N', 'F', 'O', 'x'});
    append(listed, chunk("data", ramp(16, 5)));
    sound("list-chunk-u8.wav", wav({1, 1, 11025, 8, 1}, {}, listed));
    // Edges: no data chunk, and a data chunk that claims more than the file holds.
    sound("edge-no-data.wav", wav({1, 1, 11025, 8, 1}, {}, {}));
    Bytes claims = chunk("data", ramp(8, 3));
    claims[4] = 0xFF;
    claims[5] = 0xFF;
    sound("edge-data-too-long.wav", wav({1, 1, 11025, 8, 1}, {}, claims));
}

// The tests' damaged files (each the smallest of its kind of damage) and short valid ones.
void damagedFiles() {
    for (const pelea::damaged::Named& f : pelea::damaged::damagedPictures())
        picture("damaged-" + f.name + ".bmp", f.bytes);
    for (const pelea::damaged::Named& f : pelea::damaged::damagedSounds())
        sound("damaged-" + f.name + ".wav", f.bytes);
    for (const pelea::damaged::Named& f : pelea::damaged::shortSounds())
        sound("short-" + f.name + ".wav", f.bytes);
}

// ---- input scripts ----

// One line per settable field, at the far end of its range.
std::string allSets() {
    std::string text = "# every settable field\n";
    const auto add = [&text](const std::string& name) {
        platform::FieldRef ref;
        if (platform::findSettableField(name, ref) != platform::FieldLookup::Ok) return;
        std::string value = "-0.5";
        if (ref.field->kind != pelea::FieldKind::F64) {
            int64_t lo = 0, hi = 0;
            platform::integerRange(ref.field->kind, lo, hi);
            value = std::to_string(lo < 0 ? lo : hi);
        }
        text += "1 set " + name + " " + value + "\n";
    };
    for (const pelea::FieldInfo& f : pelea::kMatchFields)
        add(f.name);
    for (const char* prefix : {"L1.", "L2."}) {
        for (const pelea::FieldInfo& f : pelea::kLutadorFields)
            add(std::string(prefix) + f.name);
    }
    return text;
}

void scripts() {
    saveText("script", "example.txt",
             "# title screen, select screen, pick the third character, fight\n"
             "2 kb b1\n3 kb\n30 kb right\n31 kb\n40 kb right\n41 kb\n70 kb b1\n71 kb\n"
             "200 set L2.hp 0\n");
    saveText("script", "every-event.txt",
             "0 kb up down left right b1 b2 b3 b4\r\n"
             "0 joy up down left right b1 b2 b3 b4 # all held\n"
             "\t5\tkey esc lwin minus equals comma period p f1 1 2 5 255 3\n"
             "\n# comment\n"
             "7 kb\n7 joy\n300 set poder 4\n300 set nivelDano 0.35\n");
    saveText("script", "backwards.txt", "10 kb up\n9 kb\n");
    saveText("script", "bad-value.txt", "1 set tempo 256\n");
    saveText("script", "every-set.txt", allSets());
}

// ---- replays ----
void replays() {
    saveText("replay", "match.pelea-replay",
             "# pelea-replay 1\n# game 1.0\n# seed 5\n# demo 1\n# data C01.bmp 00000000000000ff\n"
             "# match-start 1\n# match Paco Sombrero vs Lupe Centella\n0 kb b1\n"
             "0 sum 00000000000000aa\n1 sum bb\n2 key 5 p\n2 set L2.hp 40.5\n2 joy left\n"
             "2 sum cc\n3 key esc\n# end 3\n");
    saveText("replay", "empty.pelea-replay",
             "# pelea-replay 1\n# seed 18446744073709551615\n# end 0\n");
    // A match file of the archive's: the start state over several lines, the trainer's part.
    replay::Header h;
    h.version = replay::kMatchVersion;
    h.seed = 5;
    h.training = true;
    h.startedUtc = 1765201402;
    pelea::GameState g{};
    g.lutador[1].hp = 125.0;
    h.startState = replay::packState(g);
    h.carried = std::vector<unsigned char>(309, 0);
    saveText("replay", "match-v2.pelea-replay",
             replay::headerText(h) + "0 kb\n0 joy b1\n0 key p\n0 set creditos 0\n0 key 5 p\n"
                                     "0 sum 1\n# end 1\n");
}

// ---- command lines ----

// The settings as the game writes them, the defaults and a changed set.
void settings() {
    options::Settings s;
    saveText("settings", "defaults.ini", options::settingsText(s));
    s.controls.bindKey(1, options::Up, SDL_SCANCODE_W);
    s.controls.bindKey(2, options::Button1, SDL_SCANCODE_Z);
    s.controls.bindButton(2, options::Button2, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    s.padGuid[1] = "030000005e0400008e02000014010000";
    s.padGuid[0] = s.padGuid[1];  // two pads of one model, told apart by their slots
    s.padSlot = {2, 1};
    s.softFlashes = true;
    s.fullscreen = true;
    s.scale = 2;
    s.musicVolume = 3;
    saveText("settings", "changed.ini", options::settingsText(s));
}

void commandLine(const std::string& name, const std::vector<std::string>& args) {
    Bytes b;
    for (const std::string& a : args) {
        b.insert(b.end(), a.begin(), a.end());
        b.push_back(0);
    }
    save("command_line", name, b);
}

void commandLines() {
    commandLine("window.bin", {"--data", "d", "--scale", "3", "--fullscreen", "--demo"});
    commandLine("headless.bin", {"--headless", "--frames", "300", "--seed", "42", "--input",
                                 "in.txt", "--trace", "t.jsonl", "--shot", "0:a.png", "--shot",
                                 "299:c:/b.png", "--data", "assets", "--demo"});
    commandLine("inline.bin",
                {"--headless", "--frames=5", "--seed=18446744073709551615", "--shot=1:x.png"});
    commandLine("help.bin", {"-h"});
    commandLine("version.bin", {"--headless", "--version"});
    commandLine("twice.bin", {"--headless", "--frames", "5", "--frames", "6"});
    commandLine("netplay.bin", {"--join", "127.0.0.1:7340", "--netsim", "80,10,2", "--outage",
                                "3000,2000", "--headless", "--frames", "900"});
    commandLine("rejoin.bin", {"--host", "--rejoin-wait", "600", "--headless", "--frames", "900"});
    commandLine("same-file.bin",
                {"--headless", "--frames", "5", "--input", "/dev/null", "--trace", "/dev/null"});
}

// ---- dictionaries ----

void dictionary(const std::string& name, const std::vector<std::string>& words) {
    fs::create_directories(gRoot / "dict");
    std::ofstream out(gRoot / "dict" / (name + ".dict"));
    for (const std::string& w : words)
        out << '"' << w << "\"\n";
}

void dictionaries() {
    std::vector<std::string> script = {"kb",   "joy",   "key",   "set",    "up",        "down",
                                       "left", "right", "b1",    "b2",     "b3",        "b4",
                                       "esc",  "lwin",  "minus", "equals", "comma",     "period",
                                       "f1",   "L1.",   "L2.",   "#",      "\\x0d\\x0a"};
    for (const pelea::FieldInfo& f : pelea::kMatchFields)
        script.push_back(f.name);
    for (const pelea::FieldInfo& f : pelea::kLutadorFields)
        script.push_back(f.name);
    dictionary("script", script);
    dictionary("replay",
               {"# pelea-replay 1", "# pelea-replay 2", "# seed ", "# game ", "# demo ", "# data ",
                "# match-start ", "# training ", "# started-utc ", "# state ", "# carried ",
                "# end ", " sum ", " kb ", " joy ", " key ", " set ", "\\x0a"});
    dictionary("command_line",
               {"--headless\\x00", "--frames\\x00", "--seed\\x00", "--input\\x00", "--trace\\x00",
                "--shot\\x00", "--data\\x00", "--demo\\x00", "--scale\\x00", "--fullscreen\\x00",
                "--help\\x00", "-h\\x00", "--version\\x00", "--host\\x00", "--join\\x00",
                "--delay\\x00", "--netsim\\x00", "--outage\\x00", "--spectate\\x00",
                "--rejoin-wait\\x00", "--record\\x00", "=", ":", ",", ".png"});
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pelea_fuzz_seeds FOLDER\n");
        return 2;
    }
    gRoot = argv[1];
    pictures();
    sounds();
    damagedFiles();
    scripts();
    replays();
    commandLines();
    settings();
    dictionaries();
    return 0;
}
