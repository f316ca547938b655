#include "platform/common/trace.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "media/color.h"
#include "platform/common/png_writer.h"

namespace platform {
namespace {

size_t count(const std::string& text, const std::string& needle) {
    size_t n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
        ++n;
    }
    return n;
}

std::string keyOf(const char* name) {
    return std::string("\"") + name + "\":";
}

// The parts of a trace line: the match variables, each fighter, and what follows them.
struct Parts {
    std::string match, fighter1, fighter2, rest;
};

Parts split(const std::string& line) {
    Parts p;
    const size_t l = line.find("\"L\":[{");
    const size_t between = line.find("},{", l);
    const size_t end = line.find("}]", between);
    p.match = line.substr(0, l);
    p.fighter1 = line.substr(l, between - l);
    p.fighter2 = line.substr(between, end - between);
    p.rest = line.substr(end);
    return p;
}

TEST(Trace, EveryNameOnceInItsRecord) {
    pelea::GameState g;
    TraceWriter tracer;
    const std::string line = tracer.line(g, nullptr, 0, 0);
    ASSERT_EQ(line.back(), '\n');
    EXPECT_EQ(count(line, "\n"), 1u);
    const Parts p = split(line);
    for (const pelea::FieldInfo& f : pelea::kMatchFields) {
        EXPECT_EQ(count(p.match, keyOf(f.name)), 1u) << f.name;
    }
    for (const pelea::FieldInfo& f : pelea::kLutadorFields) {
        EXPECT_EQ(count(p.fighter1, keyOf(f.name)), 1u) << "L1." << f.name;
        EXPECT_EQ(count(p.fighter2, keyOf(f.name)), 1u) << "L2." << f.name;
    }
    for (const char* name : {"efeitos", "sons", "frame"}) {
        EXPECT_EQ(count(p.rest, keyOf(name)), 1u) << name;
    }
}

TEST(Trace, ValuesAreWrittenExactly) {
    pelea::GameState g;
    g.m.nivelDano = 0.1 + 0.2;
    g.m.ganhoEspecial = 2.0;
    g.m.telaX = -7;
    g.m.vel = 65535;
    std::strcpy(g.m.versao.s, "V\"2\\");
    g.lutador[1].hp = 62.5;
    g.lutador[1].areaAtaque = {1, -2, 3, 4};
    g.lutador[2].botaoAnt = {1, 0, 0, 1};
    g.lutador[2].grav = -3;
    g.efeitos[3].tipo = 8;
    g.efeitos[3].x = 150;
    g.efeitos[3].y = -20;
    g.efeitos[3].dono = 2;
    g.efeitos[3].idade = 9;
    g.efeitos[3].ativo = 1;
    g.efeitos[3].imagem = 14;
    g.efeitos[80].tipo = 1;
    g.efeitos[0].tipo = 5;  // slot 0 is not a slot
    const media::SoundEvent sounds[] = {{"Snd", 3}, {"Musica", 0}, {"Vitoria", 11}};
    TraceWriter tracer;
    const std::string line = tracer.line(g, sounds, 3, 1234567);
    const Parts p = split(line);
    struct Case {
        const std::string* part;
        const char* text;
    };
    const Case cases[] = {
        {&p.match, "\"nivelDano\":0.30000000000000004,"},  // shortest form that reads back
        {&p.match, "\"ganhoEspecial\":2,"},
        {&p.match, "\"telaX\":-7,"},
        {&p.match, "\"vel\":65535,"},
        {&p.match, "\"versao\":\"V\\\"2\\\\\""},
        {&p.fighter1, "\"hp\":62.5,"},
        {&p.fighter1, "\"areaAtaque\":[1,-2,3,4],"},
        {&p.fighter2, "\"hp\":125,"},
        {&p.fighter2, "\"botaoAnt\":[1,0,0,1],"},
        {&p.fighter2, "\"grav\":-3,"},
        {&p.rest,
         "\"efeitos\":[{\"slot\":3,\"tipo\":8,\"x\":150,\"y\":-20,\"dono\":2,"
         "\"idade\":9,\"ativo\":1,\"imagem\":14},{\"slot\":80,\"tipo\":1,"},
        {&p.rest, "\"sons\":[[\"Snd\",3],[\"Musica\",0],[\"Vitoria\",11]]"},
        {&p.rest, "\"frame\":1234567}\n"},
    };
    for (const Case& c : cases) {
        EXPECT_NE(c.part->find(c.text), std::string::npos) << c.text << "\nin " << *c.part;
    }
    EXPECT_EQ(count(line, "\"slot\":"), 2u);
    // The same state gives the same bytes.
    const std::string again = tracer.line(g, sounds, 3, 1234567);
    EXPECT_EQ(again, line);
}

TEST(Png, WritesTheSurfaceAsRgb) {
    struct Pixel {
        int x, y;
        media::TColor color;
        int r, g, b;  // what the picture holds: the 565 value widened
    };
    const Pixel pixels[] = {
        {0, 0, media::rgb(255, 0, 0), 255, 0, 0},
        {399, 299, media::rgb(10, 20, 30), 8, 20, 24},
        {200, 150, media::rgb(255, 255, 255), 255, 255, 255},
        {1, 0, media::rgb(0, 0, 0), 0, 0, 0},
        {0, 1, media::rgb(120, 120, 255), 123, 121, 255},
    };
    media::Surface surface;
    for (const Pixel& p : pixels) {
        surface.pixels()[p.y * media::Surface::kWidth + p.x] = media::to565(p.color);
    }
    const std::filesystem::path dir = std::filesystem::current_path();  // the test's own folder
    const std::string path = (dir / "shot.png").string();
    ASSERT_TRUE(writePng(path, surface));

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_file(&image, path.c_str()), 0);
    EXPECT_EQ(image.width, 400u);
    EXPECT_EQ(image.height, 300u);
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_NE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr), 0);
    for (const Pixel& p : pixels) {
        const size_t i = static_cast<size_t>((p.y * 400 + p.x) * 3);
        EXPECT_EQ(rgb[i], p.r) << p.x << "," << p.y;
        EXPECT_EQ(rgb[i + 1], p.g) << p.x << "," << p.y;
        EXPECT_EQ(rgb[i + 2], p.b) << p.x << "," << p.y;
    }
    EXPECT_FALSE(writePng((dir / "no-such-folder" / "x.png").string(), surface));
}

}  // namespace
}  // namespace platform
