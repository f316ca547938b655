#include "assetgen/characters.h"

#include <array>

#include "animation/sheets.h"

namespace assetgen {
namespace {

using media::rgb;

Character hatBrawler() {
    Character c{Build{120}, {}};
    c.costume = {rgb(214, 160, 110), rgb(70, 40, 22), rgb(190, 40, 35), rgb(235, 185, 60),
                 rgb(110, 75, 45),   rgb(60, 40, 25), rgb(80, 50, 30),  rgb(175, 130, 70),
                 Hair::Short,        Top::Vest,       Legs::Trousers,   Accessory::Hat};
    return c;
}

Character wrestler() {
    Build b{128};
    b.headR = 0.078f;
    b.chest = 0.16f;
    b.waist = 0.125f;
    b.hip = 0.11f;
    b.armR = 0.052f;
    b.handR = 0.05f;
    b.legR = 0.068f;
    b.shinR = 0.05f;
    b.neck = 0.015f;
    Character c{b, {}};
    c.costume = {rgb(225, 168, 128), rgb(90, 50, 30), rgb(40, 70, 185), rgb(240, 200, 60),
                 rgb(40, 70, 185),   rgb(25, 35, 90), rgb(175, 30, 40), rgb(235, 190, 50),
                 Hair::Bald,         Top::Singlet,    Legs::Shorts,     Accessory::ChampionBelt};
    c.costume.moustache = true;
    return c;
}

Character scarfDancer() {
    Build b{106};
    b.headR = 0.088f;
    b.chest = 0.09f;
    b.waist = 0.058f;
    b.hip = 0.08f;
    b.armR = 0.028f;
    b.handR = 0.036f;
    b.legR = 0.046f;
    b.shinR = 0.033f;
    b.thigh = 0.26f;
    b.shin = 0.25f;
    b.torso = 0.28f;
    Character c{b, {}};
    c.costume = {rgb(238, 195, 160), rgb(35, 25, 45),   rgb(40, 165, 95),   rgb(30, 110, 60),
                 rgb(45, 40, 65),    rgb(230, 60, 120), rgb(235, 230, 220), rgb(235, 65, 125),
                 Hair::Ponytail,     Top::Singlet,      Legs::Tights,       Accessory::Scarf};
    return c;
}

Character bull() {
    Build b{114};
    b.headR = 0.08f;
    b.neck = 0.008f;
    b.torso = 0.33f;
    b.thigh = 0.22f;
    b.shin = 0.21f;
    b.chest = 0.17f;
    b.waist = 0.13f;
    b.hip = 0.115f;
    b.armR = 0.056f;
    b.handR = 0.054f;
    b.legR = 0.066f;
    b.shinR = 0.05f;
    Character c{b, {}};
    c.costume = {rgb(155, 98, 62), rgb(40, 25, 20), rgb(155, 98, 62), rgb(235, 222, 190),
                 rgb(170, 38, 30), rgb(30, 25, 25), rgb(60, 48, 42),  rgb(140, 145, 160),
                 Hair::Bald,       Top::Bare,       Legs::Trousers,   Accessory::HornedHelmet};
    return c;
}

Character kid() {
    Build b{114};
    b.headR = 0.1f;
    b.torso = 0.27f;
    b.chest = 0.1f;
    b.waist = 0.07f;
    b.hip = 0.08f;
    b.armR = 0.034f;
    b.handR = 0.045f;
    b.legR = 0.05f;
    b.shinR = 0.038f;
    b.thigh = 0.23f;
    b.shin = 0.22f;
    Character c{b, {}};
    c.costume = {rgb(236, 188, 150), rgb(245, 175, 40), rgb(30, 150, 175), rgb(240, 240, 235),
                 rgb(60, 80, 145),   rgb(30, 40, 70),   rgb(205, 40, 40),  rgb(120, 205, 240),
                 Hair::Spiky,        Top::Jacket,       Legs::Shorts,      Accessory::Goggles};
    c.costume.trim = rgb(55, 55, 65);
    return c;
}

Character giant() {
    Build b{140};
    b.headR = 0.075f;
    b.chest = 0.15f;
    b.waist = 0.12f;
    b.hip = 0.11f;
    b.armR = 0.046f;
    b.handR = 0.05f;
    b.upperArm = 0.22f;
    b.foreArm = 0.2f;
    b.legR = 0.06f;
    b.shinR = 0.046f;
    Character c{b, {}};
    c.costume = {rgb(205, 150, 115), rgb(125, 50, 28), rgb(125, 95, 65), rgb(90, 70, 50),
                 rgb(50, 72, 45),    rgb(90, 60, 30),  rgb(75, 52, 36),  rgb(120, 122, 135),
                 Hair::Long,         Top::Vest,        Legs::Trousers,   Accessory::ShoulderPads};
    c.costume.beard = true;
    return c;
}

Character lanky() {
    Build b{126};
    b.upperArm = 0.21f;
    b.foreArm = 0.195f;
    b.thigh = 0.26f;
    b.shin = 0.25f;
    b.torso = 0.28f;
    b.chest = 0.09f;
    b.waist = 0.065f;
    b.hip = 0.075f;
    b.armR = 0.03f;
    b.handR = 0.04f;
    b.legR = 0.045f;
    b.shinR = 0.034f;
    Character c{b, {}};
    c.costume = {rgb(230, 192, 168), rgb(160, 50, 210), rgb(35, 35, 45), rgb(160, 50, 210),
                 rgb(95, 82, 125),   rgb(25, 25, 30),   rgb(30, 30, 36), rgb(185, 185, 195),
                 Hair::Mohawk,       Top::Singlet,      Legs::Trousers,  Accessory::Wristbands};
    return c;
}

Character skater() {
    Build b{118};
    b.chest = 0.095f;
    b.waist = 0.066f;
    b.hip = 0.076f;
    b.armR = 0.031f;
    b.handR = 0.04f;
    b.legR = 0.047f;
    b.shinR = 0.036f;
    Character c{b, {}};
    c.costume = {rgb(200, 140, 100), rgb(95, 55, 30), rgb(245, 205, 45), rgb(200, 60, 40),
                 rgb(195, 40, 55),   rgb(40, 40, 50), rgb(55, 55, 68),   rgb(40, 175, 85),
                 Hair::Short,        Top::Jacket,     Legs::Shorts,      Accessory::Skates};
    return c;
}

Character oldMaster() {
    Build b{100};
    b.headR = 0.092f;
    b.chest = 0.1f;
    b.waist = 0.075f;
    b.armR = 0.032f;
    b.legR = 0.046f;
    b.shinR = 0.035f;
    b.thigh = 0.23f;
    b.shin = 0.22f;
    Character c{b, {}};
    c.costume = {
        rgb(222, 178, 140), rgb(205, 205, 212), rgb(150, 88, 40), rgb(90, 55, 30), rgb(62, 52, 46),
        rgb(90, 55, 30),    rgb(45, 38, 32),    rgb(125, 82, 42), Hair::Topknot,   Top::Gi,
        Legs::Trousers,     Accessory::Cane};
    c.costume.beard = true;
    return c;
}

Character silkDancer() {
    Build b{112};
    b.headR = 0.086f;
    b.chest = 0.095f;
    b.waist = 0.06f;
    b.hip = 0.085f;
    b.armR = 0.029f;
    b.handR = 0.037f;
    b.legR = 0.048f;
    b.shinR = 0.034f;
    b.thigh = 0.255f;
    b.shin = 0.245f;
    Character c{b, {}};
    c.costume = {rgb(240, 200, 170), rgb(28, 22, 35),   rgb(45, 95, 205), rgb(240, 195, 60),
                 rgb(225, 215, 200), rgb(240, 195, 60), rgb(205, 40, 65), rgb(215, 40, 60),
                 Hair::Buns,         Top::Dress,        Legs::Tights,     Accessory::Ribbons};
    return c;
}

Character desertRover() {
    Build b{116};
    b.upperArm = 0.205f;
    b.foreArm = 0.185f;
    b.chest = 0.1f;
    b.waist = 0.07f;
    b.hip = 0.08f;
    b.armR = 0.033f;
    b.legR = 0.05f;
    b.shinR = 0.038f;
    Character c{b, {}};
    c.costume = {rgb(188, 128, 80), rgb(50, 30, 20), rgb(185, 165, 112), rgb(105, 75, 40),
                 rgb(120, 88, 55),  rgb(70, 45, 25), rgb(95, 62, 35),    rgb(205, 60, 40),
                 Hair::Short,       Top::Singlet,    Legs::Trousers,     Accessory::Bandana};
    return c;
}

Character headbandFighter() {
    Build b{124};
    b.chest = 0.12f;
    b.waist = 0.08f;
    b.armR = 0.038f;
    Character c{b, {}};
    c.costume = {rgb(226, 176, 130), rgb(30, 30, 42), rgb(228, 222, 205), rgb(40, 40, 45),
                 rgb(228, 222, 205), rgb(35, 35, 38), rgb(226, 176, 130), rgb(210, 30, 30),
                 Hair::Spiky,        Top::Gi,         Legs::Trousers,     Accessory::Headband};
    return c;
}

const std::array<Character, pelea::sheets::kSlots> kRoster{
    hatBrawler(), wrestler(), scarfDancer(), bull(),       kid(),         giant(),
    lanky(),      skater(),   oldMaster(),   silkDancer(), desertRover(), headbandFighter()};

}  // namespace

const Character& characterOf(int slot) {
    return kRoster[static_cast<size_t>(slot - 1)];
}

}  // namespace assetgen
