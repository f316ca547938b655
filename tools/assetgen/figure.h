// One skeleton for every fighter: a pose is a set of joint angles, a character is proportions
// plus costume, and the figure is the list of shaded shapes they make together.
#pragma once

#include <vector>

#include "assetgen/raster.h"

namespace assetgen {

// Angles in degrees: 0 points down, 90 forward (towards the opponent), 180 up.
struct Limb {
    float upper = 0, lower = 0;
};

enum class Reach { None, FrontArm, BackArm, BothArms, FrontLeg, BackLeg };
enum class Hand { Fist, Open };

struct Pose {
    float lean = 0;  // torso: 0 upright, positive leans forward
    float head = 0;  // head tilt on top of the lean, positive looks down
    Limb armF{10, 5}, armB{-5, -10}, legF{8, 4}, legB{-8, -4};
    float footF = 90, footB = 90;
    float rot = 0;   // the whole body turned clockwise on screen (flips, falls)
    float lift = 0;  // lowest point above the bottom row, as a fraction of the height
    float dx = 0;    // pelvis right of the anchor, as a fraction of the height
    Reach reach = Reach::None;
    Hand handF = Hand::Fist, handB = Hand::Fist;
    bool noHat = false;     // the accessory has left the head (character 1 flings its hat)
    bool backView = false;  // turned away mid-spin: front and back limbs swap shades
};

enum class Hair { Short, Spiky, Ponytail, Bald, Mohawk, Buns, Long, Topknot };
enum class Top { Bare, Vest, Singlet, Jacket, Gi, Dress };
enum class Legs { Trousers, Shorts, Tights };
enum class Accessory {
    Hat,
    ChampionBelt,
    Scarf,
    HornedHelmet,
    Goggles,
    ShoulderPads,
    Wristbands,
    Skates,
    Cane,
    Ribbons,
    Bandana,
    Headband
};

struct Costume {
    media::TColor skin, hair, top, trim, legs, belt, shoes, extra;
    Hair hair_;
    Top top_;
    Legs legs_;
    Accessory accessory;
    bool beard = false, moustache = false;
};

// Lengths and thicknesses as fractions of the standing height.
struct Build {
    float height;  // pixels, sole to the top of the head
    float headR = 0.085f, neck = 0.03f, torso = 0.30f;
    float thigh = 0.245f, shin = 0.235f, upperArm = 0.19f, foreArm = 0.17f, foot = 0.10f;
    float chest = 0.115f, waist = 0.075f, hip = 0.085f;
    float armR = 0.04f, handR = 0.046f, legR = 0.052f, shinR = 0.04f;
};

struct Character {
    Build build;
    Costume costume;
};

// The shapes of a character in a pose, pelvis at (0, 0); limbScale stretches the reaching limb.
std::vector<Shape> figureShapes(const Character& c, const Pose& pose, float limbScale = 1.0f);
// The box where a pose can be hit, pelvis at (0, 0): across its trunk and head, down from the
// head to the ankles (a lying or turned body: all of it but its arms and feet).
Box bodyBox(const Character& c, const Pose& pose, float limbScale);
// The reaching tip (fist or toe) of a pose, pelvis at (0, 0); x is the front-most point.
Vec reachTip(const Character& c, const Pose& pose, float limbScale);

}  // namespace assetgen
