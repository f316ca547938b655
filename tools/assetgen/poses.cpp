#include "assetgen/poses.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

#include "animation/sheets.h"
#include "assetgen/characters.h"

namespace assetgen {
namespace {

// The stances most frames start from.
Pose guard() {
    Pose p;
    p.lean = 6;
    p.head = 4;
    p.armF = {50, 150};
    p.armB = {25, 160};
    p.legF = {22, 0};
    p.legB = {-18, -22};
    p.footF = 95;
    p.footB = 80;
    return p;
}

Pose crouch() {
    Pose p = guard();
    p.lean = 18;
    p.head = -8;
    p.armF = {60, 150};
    p.armB = {35, 155};
    p.legF = {72, -6};
    p.legB = {10, -78};
    p.footB = -100;
    return p;
}

Pose airborne() {
    Pose p = guard();
    p.lean = 12;
    p.legF = {112, -8};
    p.legB = {82, -30};
    p.footF = 70;
    p.footB = 40;
    p.lift = 0.33f;
    p.dx = -0.08f;
    return p;
}

Pose withArms(Pose p, Limb f, Limb b) {
    p.armF = f;
    p.armB = b;
    return p;
}

Pose reaching(Pose p, Reach r) {
    p.reach = r;
    return p;
}

// Frames 1–32, in frame order.
Pose rolePose(int k) {
    Pose p = guard();
    switch (k) {
        case 1:
            return p;
        case 2:  // walking, legs apart
            p.lean = 8;
            p.armF = {45, 145};
            p.armB = {30, 160};
            p.legF = {30, 6};
            p.legB = {-24, -48};
            p.footB = 55;
            return p;
        case 3:  // walking, legs passing
            p.lean = 8;
            p.armF = {55, 150};
            p.armB = {20, 155};
            p.legF = {4, -34};
            p.legB = {-4, -10};
            p.footF = 70;
            return p;
        case 4:  // light punch, drawing back
            p.lean = 10;
            p.armF = {62, 118};
            p.legF = {26, 3};
            p.legB = {-24, -26};
            return p;
        case 5:  // light punch, extended
            p.lean = 14;
            p.head = 0;
            p.armF = {97, 95};
            p.armB = {20, 155};
            p.legF = {28, 5};
            p.legB = {-26, -30};
            return reaching(p, Reach::FrontArm);
        case 6:  // light kick, knee up
            p.lean = -6;
            p.armF = {40, 140};
            p.armB = {5, 150};
            p.legF = {88, -2};
            p.legB = {-6, -6};
            p.footF = 60;
            return p;
        case 7:  // light kick, extended at the chest
            p.lean = -18;
            p.head = 14;
            p.armF = {55, 150};
            p.armB = {-30, -10};
            p.legF = {112, 116};
            p.legB = {-6, -4};
            p.footF = 125;
            return reaching(p, Reach::FrontLeg);
        case 8:  // heavy punch, winding up
            p.lean = 0;
            p.armF = {25, 165};
            p.armB = {65, 140};
            p.legF = {28, 4};
            p.legB = {-26, -30};
            return p;
        case 9:  // heavy punch, extended
            p.lean = 22;
            p.head = -12;
            p.armF = {101, 98};
            p.armB = {-25, -50};
            p.legF = {42, 10};
            p.legB = {-32, -38};
            return reaching(p, Reach::FrontArm);
        case 10:  // heavy kick, turning with the knee tucked
            p.lean = -4;
            p.armF = {35, 160};
            p.armB = {-10, 20};
            p.legF = {70, -25};
            p.legB = {-6, -4};
            p.footF = 100;
            return p;
        case 11:  // heavy kick, high
            p.lean = -28;
            p.head = 20;
            p.armF = {60, 160};
            p.armB = {-45, -70};
            p.legF = {124, 126};
            p.legB = {-4, -4};
            p.footF = 135;
            return reaching(p, Reach::FrontLeg);
        case 12:
            return crouch();
        case 13:
            return withArms(crouch(), {72, 112}, {35, 155});
        case 14: {
            Pose c = withArms(crouch(), {86, 86}, {30, 155});
            c.lean = 22;
            return reaching(c, Reach::FrontArm);
        }
        case 15: {
            Pose c = crouch();
            c.legF = {80, 30};
            c.footF = 100;
            return c;
        }
        case 16: {  // low kick along the floor
            Pose c = crouch();
            c.lean = 4;
            c.legF = {46, 50};
            c.footF = 85;
            return reaching(c, Reach::FrontLeg);
        }
        case 17:
            return withArms(crouch(), {35, 150}, {75, 120});
        case 18: {
            Pose c = withArms(crouch(), {93, 98}, {-20, -40});
            c.lean = 26;
            return reaching(c, Reach::FrontArm);
        }
        case 19: {
            Pose c = crouch();
            c.lean = 8;
            c.legF = {45, -25};
            return c;
        }
        case 20: {  // rising kick from the crouch
            Pose c = crouch();
            c.lean = -32;
            c.head = 22;
            c.armB = {-40, -30};
            c.armF = {40, 130};
            c.legF = {99, 99};
            c.footF = 110;
            return reaching(c, Reach::FrontLeg);
        }
        case 21:
            return airborne();
        case 22:
            return reaching(withArms(airborne(), {62, 58}, {30, 150}), Reach::FrontArm);
        case 23: {
            Pose a = withArms(airborne(), {72, 70}, {-20, -30});
            a.lean = 20;
            return reaching(a, Reach::FrontArm);
        }
        case 24: {
            Pose a = airborne();
            a.lean = -14;
            a.legF = {100, 104};
            a.footF = 110;
            a.lift = 0.32f;
            return reaching(a, Reach::FrontLeg);
        }
        case 25: {
            Pose a = airborne();
            a.lean = -22;
            a.head = 15;
            a.legF = {98, 100};
            a.legB = {40, -50};
            a.footF = 110;
            a.lift = 0.32f;
            return reaching(a, Reach::FrontLeg);
        }
        case 26:  // struck in the face
            p.lean = -22;
            p.head = -28;
            p.armF = {-10, 25};
            p.armB = {-45, -25};
            p.handF = p.handB = Hand::Open;
            p.legF = {24, 6};
            p.legB = {-16, -14};
            p.dx = -0.03f;
            return p;
        case 27:  // struck in the belly
            p.lean = 32;
            p.head = 18;
            p.armF = {35, 65};
            p.armB = {15, 45};
            p.legF = {12, -6};
            p.legB = {-26, -22};
            return p;
        case 28:  // knocked flying
            p.rot = -62;
            p.lean = -10;
            p.head = -20;
            p.armF = {150, 175};
            p.armB = {175, 200};
            p.handF = p.handB = Hand::Open;
            p.legF = {40, 12};
            p.legB = {62, 30};
            p.lift = 0.22f;
            return p;
        case 29:  // lying on the back, one knee and one arm up
            p.rot = -90;
            p.lean = 0;
            p.head = -10;
            p.dx = 0.12f;
            p.armF = {92, 96};
            p.armB = {10, 5};
            p.handF = Hand::Open;
            p.legF = {62, -20};
            p.legB = {4, 0};
            p.footF = 100;
            p.footB = 100;
            return p;
        case 30: {  // getting up, a hand on the floor
            Pose c = crouch();
            c.lean = 38;
            c.head = -20;
            c.armF = {20, 8};
            c.handF = Hand::Open;
            return c;
        }
        case 31:  // standing block
            p.lean = -6;
            p.head = 10;
            p.armF = {28, 175};
            p.armB = {45, 168};
            p.dx = -0.02f;
            return p;
        case 32:
            return withArms(crouch(), {24, 172}, {40, 170});
        default:
            return p;
    }
}

enum class Special {
    VictoryFist,
    HatFling,
    Bow,
    ArmsCrossed,
    Laugh,
    Flex,
    ThrowWind,
    ThrowMid,
    ThrowRelease,
    PalmThrust,
    Bowl,
    AirThrow,
    Spit,
    DashPrep,
    DashLunge,
    DashRecover,
    Charge,
    RiseA,
    RiseB,
    UpperCrouch,
    UpperRise,
    FlyPrep,
    FlipKick,
    FlyKick,
    DiveKick,
    ScissorLeap,
    ClawLeap,
    SpinKickA,
    SpinKickB,
    Sweep,
    Slide,
    Roll1,
    Roll2,
    RapidKickHigh,
    RapidKickMid,
    RapidKickLow,
    RapidPunch1,
    RapidPunch2,
    GrabReach,
    GrabHold1,
    GrabHold2,
    GrabHold3,
    Stomp,
    StompDown,
    Hammer,
    HammerDown,
    BellyBomb,
    Teleport,
    Meditate,
    Laugh2,
    Gather,
    BlowKiss,
    KissRelease,
    CraneRise,
    Recoil,
    ScissorHoldA,
    ScissorHoldB,
    FlyingHeadbutt,
    WhirlA,
    WhirlB,
    StrutA,
    StrutB
};

Pose victoryPose(Special s) {
    Pose p = guard();
    p.legF = {10, 2};
    p.legB = {-10, -4};
    p.footB = 90;
    switch (s) {
        case Special::VictoryFist:
            p.lean = -3;
            p.head = -12;
            return withArms(p, {172, 176}, {-40, 40});
        case Special::HatFling:
            p.lean = -6;
            p.head = -18;
            p.noHat = true;
            p.handF = Hand::Open;
            return withArms(p, {150, 128}, {-40, 40});
        case Special::Bow:
            p.lean = 30;
            p.head = 20;
            p.legF = {4, 0};
            p.legB = {-4, 0};
            return withArms(p, {80, 175}, {70, 165});
        case Special::ArmsCrossed:
            p.lean = -5;
            p.head = -12;
            return withArms(p, {35, -75}, {25, -70});
        case Special::Laugh:
            p.lean = -10;
            p.head = -28;
            p.legF = {18, 4};
            p.legB = {-18, -6};
            return withArms(p, {-35, 40}, {-38, 35});
        default:  // a flex, both arms bent up
            p.head = -5;
            p.legF = {22, 4};
            p.legB = {-22, -6};
            return withArms(p, {100, 178}, {80, 172});
    }
}

Pose throwPose(Special s) {
    Pose p = guard();
    switch (s) {
        case Special::ThrowWind:
            p.lean = -10;
            p.legF = {16, -8};
            p.legB = {-28, -26};
            p.handF = p.handB = Hand::Open;
            return withArms(p, {-25, -92}, {-35, -95});
        case Special::ThrowMid:
            p.lean = 12;
            p.handF = p.handB = Hand::Open;
            p.legF = {36, 6};
            p.legB = {-30, -36};
            return withArms(p, {60, 100}, {50, 104});
        case Special::ThrowRelease:
        case Special::PalmThrust:
            p.lean = s == Special::ThrowRelease ? 46 : 22;
            p.head = s == Special::ThrowRelease ? -34 : -10;
            p.handF = p.handB = Hand::Open;
            p.legF = {68, 20};
            p.legB = {-52, -62};
            return reaching(withArms(p, {98, 94}, {92, 90}), Reach::BothArms);
        case Special::Bowl:
            p.lean = 30;
            p.head = -20;
            p.handF = Hand::Open;
            p.legF = {62, 14};
            p.legB = {-48, -60};
            return reaching(withArms(p, {62, 58}, {-40, -30}), Reach::FrontArm);
        case Special::AirThrow: {
            Pose a = withArms(airborne(), {55, 45}, {120, 150});
            a.handF = Hand::Open;
            return reaching(a, Reach::FrontArm);
        }
        default:  // spitting: the head thrust forward
            p.lean = 28;
            p.head = -25;
            p.legF = {40, 8};
            p.legB = {-30, -36};
            return withArms(p, {-30, -70}, {-40, -80});
    }
}

Pose dashPose(Special s) {
    Pose p = guard();
    switch (s) {
        case Special::DashPrep:
            p.lean = 30;
            p.head = -15;
            p.legF = {52, 0};
            p.legB = {-40, -52};
            return withArms(p, {-35, -60}, {60, 140});
        case Special::DashLunge:
            p.lean = 55;
            p.head = -38;
            p.legF = {72, 30};
            p.legB = {-50, -60};
            return reaching(withArms(p, {96, 93}, {-65, -85}), Reach::FrontArm);
        case Special::DashRecover:
            p.lean = 12;
            return withArms(p, {62, 128}, {20, 150});
        default:  // a charging shoulder
            p.lean = 45;
            p.head = 12;
            p.legF = {62, 10};
            p.legB = {-52, -62};
            return withArms(p, {60, 118}, {-30, -60});
    }
}

Pose risePose(Special s) {
    Pose p = guard();
    switch (s) {
        case Special::RiseA:
            p.lean = -6;
            p.head = -22;
            p.armF = {176, 181};
            p.armB = {40, 80};
            p.legF = {62, -18};
            p.legB = {18, -40};
            p.lift = 0.09f;
            p.dx = 0.14f;
            return p;
        case Special::RiseB:
            p.lean = 6;
            p.head = -15;
            p.backView = true;
            p.armF = {168, 186};
            p.armB = {-25, -40};
            p.legF = {25, -30};
            p.legB = {70, -10};
            p.lift = 0.1f;
            p.dx = 0.14f;
            return p;
        case Special::UpperCrouch:
            p = withArms(crouch(), {18, 96}, {40, 150});
            return p;
        default:  // an uppercut climbing
            p.lean = -10;
            p.head = -20;
            p.armF = {172, 176};
            p.armB = {20, 60};
            p.legF = {75, -12};
            p.legB = {2, -18};
            p.lift = 0.15f;
            return p;
    }
}

Pose kickPose(Special s) {
    Pose p = guard();
    switch (s) {
        case Special::FlyPrep: {
            Pose c = crouch();
            c.lean = 24;
            c.legF = {78, -16};
            return withArms(c, {40, 120}, {15, 130});
        }
        case Special::FlipKick:
            p.lean = -38;
            p.head = -15;
            p.legF = {166, 170};
            p.legB = {-8, -4};
            p.footF = 200;
            p.dx = -0.05f;
            return withArms(p, {-60, -30}, {-95, -60});
        case Special::FlyKick: {
            Pose a = airborne();
            a.lean = -20;
            a.legF = {94, 96};
            a.legB = {40, -50};
            a.footF = 105;
            a.lift = 0.27f;
            return reaching(withArms(a, {60, 140}, {-30, 20}), Reach::FrontLeg);
        }
        case Special::DiveKick: {
            Pose a = airborne();
            a.lean = 18;
            a.legF = {55, 50};
            a.legB = {92, -20};
            a.footF = 70;
            a.lift = 0.22f;
            return reaching(a, Reach::FrontLeg);
        }
        case Special::ScissorLeap:
        case Special::ClawLeap: {
            Pose a = airborne();
            a.lean = s == Special::ScissorLeap ? -28 : 30;
            a.legF = s == Special::ScissorLeap ? Limb{108, 104} : Limb{60, -20};
            a.legB = s == Special::ScissorLeap ? Limb{62, 70} : Limb{-40, -60};
            a.lift = 0.3f;
            if (s == Special::ClawLeap) {  // pouncing: claws out forward and down
                a.handF = a.handB = Hand::Open;
                a.lift = 0.2f;
                return reaching(withArms(a, {96, 78}, {104, 86}), Reach::BothArms);
            }
            return reaching(a, Reach::FrontLeg);
        }
        case Special::SpinKickA:
            p.lean = 28;
            p.head = -10;
            p.backView = true;
            p.legF = {-5, -5};
            p.legB = {-100, -102};
            p.footB = -100;
            return withArms(p, {40, 90}, {70, 120});
        case Special::SpinKickB:
            p.lean = -24;
            p.head = 14;
            p.legF = {104, 100};
            p.legB = {-4, -4};
            p.footF = 110;
            return reaching(withArms(p, {-30, 10}, {60, 140}), Reach::FrontLeg);
        case Special::Sweep: {
            Pose c = crouch();
            c.lean = 34;
            c.legF = {84, 90};
            c.armF = {20, 10};
            c.handF = Hand::Open;
            return reaching(c, Reach::FrontLeg);
        }
        case Special::Slide:
            p.lean = -48;
            p.head = 20;
            p.legF = {82, 86};
            p.legB = {-10, -70};
            p.handB = Hand::Open;
            return reaching(withArms(p, {40, 110}, {-150, -165}), Reach::FrontLeg);
        case Special::RapidKickHigh:
        case Special::RapidKickMid:
        case Special::RapidKickLow: {
            const float a = s == Special::RapidKickHigh  ? 122
                            : s == Special::RapidKickMid ? 94
                                                         : 62;
            p.lean = -(a - 60) * 0.4f;
            p.legF = {a, a + 2};
            p.legB = {-6, -4};
            p.footF = a + 10;
            return reaching(withArms(p, {55, 150}, {-30, -10}), Reach::FrontLeg);
        }
        default:  // rolling into a ball
            p.rot = s == Special::Roll1 ? 20 : 200;
            p.lean = 60;
            p.head = 40;
            p.legF = {125, -40};
            p.legB = {115, -50};
            p.footF = 60;
            p.footB = 50;
            p.lift = 0.04f;
            return withArms(p, {110, 40}, {100, 30});
    }
}

Pose closePose(Special s) {
    Pose p = guard();
    switch (s) {
        case Special::RapidPunch1:
            p.lean = 16;
            return reaching(withArms(p, {94, 92}, {55, 135}), Reach::FrontArm);
        case Special::RapidPunch2:
            p.lean = 20;
            return reaching(withArms(p, {45, 150}, {96, 93}), Reach::BackArm);
        case Special::GrabReach:
            p.lean = 25;
            p.handF = p.handB = Hand::Open;
            return reaching(withArms(p, {95, 90}, {86, 84}), Reach::BothArms);
        case Special::GrabHold1:
            p.lean = 15;
            return withArms(p, {82, 132}, {72, 140});
        case Special::GrabHold2:
            p.lean = -30;
            p.head = -18;
            p.legF = {30, 10};
            p.legB = {-30, -20};
            return withArms(p, {150, 172}, {140, 168});
        case Special::GrabHold3:
            p.lean = 12;
            p.legF = {102, -10};
            p.legB = {-4, -4};
            return withArms(p, {80, 140}, {70, 130});
        case Special::Stomp:
            p.lean = -6;
            p.legF = {112, 10};
            p.legB = {-4, -4};
            return withArms(p, {130, 160}, {120, 155});
        case Special::StompDown: {
            Pose c = crouch();
            c.lean = 22;
            return withArms(c, {-20, -10}, {-30, -15});
        }
        case Special::Hammer:
            p.lean = -8;
            p.head = -20;
            return withArms(p, {165, 185}, {155, 180});
        case Special::HammerDown:
            p.lean = 34;
            p.legF = {50, 8};
            p.legB = {-40, -50};
            return reaching(withArms(p, {100, 64}, {94, 58}), Reach::BothArms);
        case Special::BellyBomb: {
            Pose a = airborne();
            a.rot = 65;
            a.lift = 0.22f;
            a.legF = {-10, -25};
            a.legB = {-20, -35};
            return withArms(a, {160, 170}, {150, 165});
        }
        case Special::Teleport: {
            Pose c = crouch();
            c.head = 25;
            return withArms(c, {40, -40}, {30, -45});
        }
        default: {  // kneeling, hands together
            Pose c = crouch();
            c.lean = 2;
            c.head = 12;
            return withArms(c, {60, 170}, {55, 168});
        }
    }
}

// Poses of the later characters' moves, each drawn to fit the frame its move shows it in.
Pose ownPose(Special s) {
    Pose p = guard();
    switch (s) {
        case Special::Laugh2:  // the laugh shaking: head forward again, shoulders up
            p.lean = -4;
            p.head = -10;
            p.legF = {14, 3};
            p.legB = {-14, -5};
            return withArms(p, {-25, 30}, {-28, 25});
        case Special::Gather:  // both open hands cupped at the belly
            p.lean = 10;
            p.head = 5;
            p.legF = {16, 2};
            p.legB = {-16, -8};
            p.handF = p.handB = Hand::Open;
            return withArms(p, {30, 95}, {25, 100});
        case Special::BlowKiss:  // a hand at the lips
            p.lean = -4;
            p.head = -10;
            p.legF = {12, 2};
            p.legB = {-14, -6};
            p.handF = Hand::Open;
            return withArms(p, {30, 172}, {-20, 20});
        case Special::KissRelease:  // the hand sent forward, open
            p.lean = 14;
            p.head = -6;
            p.legF = {34, 8};
            p.legB = {-28, -34};
            p.handF = Hand::Open;
            return reaching(withArms(p, {96, 92}, {-30, -10}), Reach::FrontArm);
        case Special::CraneRise:  // a knee up and both arms raised like wings
            p.lean = -4;
            p.head = -12;
            p.legF = {100, -5};
            p.legB = {-4, -2};
            p.footF = 60;
            p.footB = 90;
            p.lift = 0.04f;
            p.handF = p.handB = Hand::Open;
            return withArms(p, {150, 168}, {140, 160});
        case Special::Recoil:  // thrown back on the heels after a lunge
            p.lean = -25;
            p.head = 10;
            p.legF = {20, 10};
            p.legB = {-55, -65};
            p.footB = 45;
            return withArms(p, {-40, -10}, {-60, -40});
        case Special::ScissorHoldA:
        case Special::ScissorHoldB: {  // lying back in the air, legs scissoring in front
            const bool a = s == Special::ScissorHoldA;
            p.lean = -45;
            p.head = 15;
            p.legF = a ? Limb{95, 90} : Limb{82, 86};
            p.legB = a ? Limb{75, 72} : Limb{95, 100};
            p.footF = p.footB = 100;
            p.lift = 0.15f;
            p.handF = p.handB = Hand::Open;
            return withArms(p, {-60, -40}, {-70, -50});
        }
        case Special::FlyingHeadbutt: {  // flying head first, arms and legs trailing
            Pose a = airborne();
            a.rot = 62;
            a.lean = 8;
            a.head = -30;
            a.legF = {-12, -6};
            a.legB = {-22, -14};
            a.footF = a.footB = 170;
            a.lift = 0.2f;
            return withArms(a, {-30, -15}, {-40, -25});
        }
        case Special::WhirlA:
        case Special::WhirlB:  // turning on one foot, the other knee up
            p.backView = s == Special::WhirlB;
            p.lean = 0;
            p.head = 0;
            p.legF = {75, -10};
            p.legB = {-4, -2};
            p.footF = 80;
            return withArms(p, {20, 150}, {15, 150});
        case Special::StrutA:  // the winner's walk: a fist up, legs apart
            p.lean = 2;
            p.head = -12;
            p.legF = {30, 6};
            p.legB = {-24, -48};
            p.footB = 55;
            return withArms(p, {172, 176}, {-30, 20});
        default:  // StrutB: legs passing, the other fist up
            p.lean = 2;
            p.head = -12;
            p.legF = {4, -34};
            p.legB = {-4, -10};
            p.footF = 70;
            return withArms(p, {40, 150}, {165, 176});
    }
}

Pose specialPose(Special s) {
    if (s >= Special::Laugh2) return ownPose(s);
    if (s <= Special::Flex) return victoryPose(s);
    if (s <= Special::Spit) return throwPose(s);
    if (s <= Special::Charge) return dashPose(s);
    if (s <= Special::UpperRise) return risePose(s);
    if (s <= Special::RapidKickLow) return kickPose(s);
    return closePose(s);
}

using S = Special;
// Frames 33 and up of each character: victory poses first, then the special moves in the order
// of the move list (character 1's follow its script exactly).
const std::array<std::vector<Special>, pelea::sheets::kSlots> kSpecials{{
    // 1: victory 33–34, projectile 35–37, dash 38–40, rising spin 41–42, sliding kick 43–45
    {S::VictoryFist, S::HatFling, S::ThrowWind, S::ThrowMid, S::ThrowRelease, S::DashPrep,
     S::DashLunge, S::DashRecover, S::RiseA, S::RiseB, S::FlyPrep, S::FlipKick, S::FlyKick},
    // 2: laugh 33–34, projectile 35–37, rocket hook 38–40, grabs 41–43, super 44, belly bomb 45
    {S::Laugh, S::Laugh2, S::Gather, S::ThrowWind, S::PalmThrust, S::DashLunge, S::UpperRise,
     S::UpperCrouch, S::GrabReach, S::GrabHold1, S::GrabHold2, S::Gather, S::BellyBomb},
    // 3: victory 33–34, kiss 35–37, crane 38–39, roll 40–41, scissors 42–43, recoil 44,
    // super 45, scissor hold 46–47
    {S::VictoryFist, S::Bow, S::BlowKiss, S::KissRelease, S::Bowl, S::UpperCrouch, S::CraneRise,
     S::Roll1, S::Roll2, S::ScissorLeap, S::FlyKick, S::Recoil, S::FlyPrep, S::ScissorHoldA,
     S::ScissorHoldB},
    // 4: victory 33–34, projectile 35–37, horn charge 38, spin kick 39, stampede 40, seismic
    // leap 41, head down 42, recovery 43, turn 44, landing 45
    {S::Flex, S::Laugh, S::ThrowWind, S::ThrowMid, S::ThrowRelease, S::Charge, S::SpinKickB,
     S::DashLunge, S::FlyingHeadbutt, S::UpperCrouch, S::DashRecover, S::SpinKickA, S::StompDown},
    // 5: victory 33–34, spark 35–36, wheel 37–38, release 39, crouch 40, rising kicks 41–42,
    // machine-gun kicks 43–44, storm 45–47
    {S::VictoryFist, S::Flex, S::Gather, S::ThrowWind, S::Roll1, S::Roll2, S::ThrowRelease,
     S::FlyPrep, S::RapidKickHigh, S::FlyKick, S::RapidKickMid, S::RapidKickLow, S::RapidKickMid,
     S::RapidKickHigh, S::FlipKick},
    // 6: victory 33–34, boulder 35–36, sweep 37, stomp 38–39, hammer 40, sky crash 41, raise 42,
    // sweep crouch 43, crash 44
    {S::ArmsCrossed, S::VictoryFist, S::Hammer, S::ThrowRelease, S::Sweep, S::Stomp, S::StompDown,
     S::HammerDown, S::BellyBomb, S::Hammer, S::FlyPrep, S::DiveKick},
    // 7: victory 33–34, rapid punches 35–36, lightning hook 37–38, tornado 39–40, tiger leap 41,
    // crouch 42, thunder dash 43, thunder hold 44–46
    {S::Laugh, S::VictoryFist, S::RapidPunch1, S::RapidPunch2, S::UpperCrouch, S::DashLunge,
     S::SpinKickA, S::SpinKickB, S::ClawLeap, S::FlyPrep, S::DashLunge, S::GrabHold1, S::Hammer,
     S::HammerDown},
    // 8: super 33–34, victory 35, fire wheel 36–37, nut rain 38, rocket skate 39–40, skid 41–42,
    // victory 43
    {S::Flex, S::ThrowRelease, S::VictoryFist, S::Bowl, S::ThrowWind, S::AirThrow, S::DashLunge,
     S::UpperCrouch, S::FlyPrep, S::Slide, S::Laugh},
    // 9: victory 33–34 and 40, century and rising kick 35, crane dive 36, cane 37 and 44,
    // palm 38–39, knee 41, whirl 42–43
    {S::Bow, S::Meditate, S::FlyKick, S::DiveKick, S::RapidPunch2, S::ThrowWind, S::PalmThrust,
     S::WhirlA, S::FlyPrep, S::WhirlB, S::SpinKickB, S::RapidPunch1},
    // 10: victory 33 and 42, butterfly kick 41 and 34, fans 35–36, phoenix dive 37, super 38,
    // silk spin 39–40, dance 43
    {S::Bow, S::RapidKickHigh, S::RapidPunch1, S::RapidPunch2, S::DiveKick, S::Gather, S::WhirlA,
     S::SpinKickB, S::SpinKickA, S::VictoryFist, S::WhirlB, S::WhirlB},
    // 11: victory 33–34, stone 35–36, whirlwind 37–38, leg whip 39, hop 40–41, storm 42
    {S::ArmsCrossed, S::Laugh, S::ThrowWind, S::Bowl, S::WhirlA, S::WhirlB, S::SpinKickB,
     S::FlyPrep, S::FlyKick, S::DiveKick},
    // 12: victory walk 33–34, wind fist 35–37, super 38, uppercut 39–40, hurricane 41–42,
    // thousand blows 43–44
    {S::StrutA, S::StrutB, S::ThrowWind, S::ThrowMid, S::PalmThrust, S::Charge, S::UpperCrouch,
     S::UpperRise, S::SpinKickA, S::SpinKickB, S::RapidPunch1, S::RapidPunch2},
}};

}  // namespace

// Slot 12 strikes early: the first frame of each of its normal blows already shows the blow.
bool strikesEarly(int slot, int k) {
    constexpr int kWindUps[] = {4, 6, 8, 10, 13, 15, 17, 19};
    return slot == 12 &&
           std::find(std::begin(kWindUps), std::end(kWindUps), k) != std::end(kWindUps);
}

// The giant's heavy kick goes to the chest: at head height it would pass over every other
// fighter.
constexpr int kGiant = 6;
Pose chestKick() {
    Pose p = rolePose(11);
    p.lean = -16;
    p.head = 12;
    p.legF = {100, 98};
    p.footF = 110;
    return p;
}

// A tall fighter's standing blows are aimed lower, at the body of an average opponent, or they
// would pass over the heads of the small ones: the reaching limb turns down by a few degrees
// per pixel of height above the first fighter's.
constexpr float kAverageHeight = 120.0f, kDegreesPerPixel = 0.6f;
Pose aimedDown(Pose p, float height) {
    const float d = std::max(0.0f, (height - kAverageHeight) * kDegreesPerPixel);
    if (p.reach == Reach::FrontArm || p.reach == Reach::BothArms)
        p.armF = {p.armF.upper - d, p.armF.lower - d};
    if (p.reach == Reach::FrontLeg) {
        p.legF = {p.legF.upper - d, p.legF.lower - d};
        p.footF -= d;
    }
    return p;
}

Pose framePose(int slot, int k) {
    if (strikesEarly(slot, k)) return aimedDown(rolePose(k + 1), characterOf(slot).build.height);
    if (slot == kGiant && k == 11) return aimedDown(chestKick(), characterOf(slot).build.height);
    if (k >= 4 && k <= 11) return aimedDown(rolePose(k), characterOf(slot).build.height);
    if (k <= kSharedFrames) return rolePose(k);
    const std::vector<Special>& list = kSpecials[static_cast<size_t>(slot - 1)];
    const size_t i = static_cast<size_t>(k - kSharedFrames - 1);
    return i < list.size() ? specialPose(list[i]) : guard();
}

}  // namespace assetgen
