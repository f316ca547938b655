#include "assetgen/figure.h"

#include <algorithm>
#include <cmath>

namespace assetgen {
namespace {

constexpr float kBackDim = 0.72f;  // limbs behind the body are drawn darker

struct Joints {
    Vec neck, shoulderF, shoulderB, head, elbowF, handF, elbowB, handB;
    Vec waist, kneeF, ankleF, toeF, kneeB, ankleB, toeB, hipF, hipB;
    Vec up, across;  // the torso's axis and its forward normal
    float headAngle;
};

bool scalesArmF(Reach r) {
    return r == Reach::FrontArm || r == Reach::BothArms;
}
bool scalesArmB(Reach r) {
    return r == Reach::BackArm || r == Reach::BothArms;
}

Joints layout(const Character& c, const Pose& p, float s) {
    const Build& b = c.build;
    const float h = b.height;
    Joints j{};
    j.up = {std::sin(p.lean * 3.14159265f / 180.0f), -std::cos(p.lean * 3.14159265f / 180.0f)};
    j.across = {-j.up.y, j.up.x};
    j.neck = j.up * (b.torso * h);
    const Vec shoulder = j.up * ((b.torso - 0.025f) * h);
    j.shoulderF = shoulder + j.across * (b.chest * 0.3f * h);
    j.shoulderB = shoulder - j.across * (b.chest * 0.4f * h);
    j.headAngle = p.lean + p.head;
    j.head = j.neck + rotated({0, -1}, j.headAngle) * ((b.neck + b.headR) * h);
    const float sf = scalesArmF(p.reach) ? s : 1.0f, sb = scalesArmB(p.reach) ? s : 1.0f;
    j.elbowF = j.shoulderF + dirOf(p.armF.upper) * (b.upperArm * h * sf);
    j.handF = j.elbowF + dirOf(p.armF.lower) * (b.foreArm * h * sf);
    j.elbowB = j.shoulderB + dirOf(p.armB.upper) * (b.upperArm * h * sb);
    j.handB = j.elbowB + dirOf(p.armB.lower) * (b.foreArm * h * sb);
    j.waist = j.up * (b.torso * 0.38f * h);
    j.hipF = j.across * (b.hip * 0.25f * h);
    j.hipB = j.across * (-b.hip * 0.25f * h);
    const float lf = p.reach == Reach::FrontLeg ? s : 1.0f,
                lb = p.reach == Reach::BackLeg ? s : 1.0f;
    j.kneeF = j.hipF + dirOf(p.legF.upper) * (b.thigh * h * lf);
    j.ankleF = j.kneeF + dirOf(p.legF.lower) * (b.shin * h * lf);
    j.toeF = j.ankleF + dirOf(p.footF) * (b.foot * h);
    j.kneeB = j.hipB + dirOf(p.legB.upper) * (b.thigh * h * lb);
    j.ankleB = j.kneeB + dirOf(p.legB.lower) * (b.shin * h * lb);
    j.toeB = j.ankleB + dirOf(p.footB) * (b.foot * h);
    return j;
}

class FigureBuilder {
public:
    FigureBuilder(const Character& c, const Pose& p, float s)
        : c_(c), k_(c.costume), p_(p), j_(layout(c, p, s)), h_(c.build.height) {}

    std::vector<Shape> build() {
        backAccessory();
        arm(j_.shoulderB, j_.elbowB, j_.handB, p_.handB, p_.backView ? 1.0f : kBackDim, false);
        leg(j_.hipB, j_.kneeB, j_.ankleB, j_.toeB, p_.backView ? 1.0f : kBackDim, false);
        torso();
        if (k_.top_ == Top::Dress) skirt();
        head();
        leg(j_.hipF, j_.kneeF, j_.ankleF, j_.toeF, p_.backView ? kBackDim : 1.0f, true);
        arm(j_.shoulderF, j_.elbowF, j_.handF, p_.handF, p_.backView ? kBackDim : 1.0f, true);
        for (Shape& s : out_)
            turn(s);
        return std::move(out_);
    }

private:
    float px(float f) const { return f * h_; }
    Material mat(media::TColor col, float dim = 1.0f) const { return materialOf(col, dim); }
    // A point in the head's own frame (x forward, y down, in head radii).
    Vec headPt(float x, float y) const {
        const float r = px(c_.build.headR);
        return j_.head + rotated({x * r, y * r}, j_.headAngle);
    }
    Vec headDir(float x, float y) const { return rotated({x, y}, j_.headAngle); }
    void add(const Shape& s) { out_.push_back(s); }

    void turn(Shape& s) const {
        if (p_.rot == 0) return;
        for (Vec& v : s.p)
            v = rotated(v, p_.rot);
        s.clipAt = rotated(s.clipAt, p_.rot);
        s.clipN = rotated(s.clipN, p_.rot);
        s.angle += p_.rot;
    }

    bool sleeves() const { return k_.top_ == Top::Jacket || k_.top_ == Top::Gi; }

    // Kept for placement: the extent the figure had before its limbs were contoured.
    void ghost(Shape s) {
        s.hidden = true;
        add(s);
    }
    Material dark(media::TColor c, float dim, float k) const { return mat(scaled(c, k), dim); }

    static float sideOf(Vec a, Vec b) {
        const float c = a.x * b.y - a.y * b.x;
        const float tiny = 0.05f * std::hypot(a.x, a.y) * std::hypot(b.x, b.y);
        return c > tiny ? 1.0f : c < -tiny ? -1.0f : 0.0f;
    }

    void arm(Vec sh, Vec el, Vec hand, Hand kind, float dim, bool front) {
        const Build& b = c_.build;
        const float R = px(b.armR);
        ghost(capsule(el, hand, R * 0.92f, R * 0.8f, mat(k_.skin, dim)));
        ghost(capsule(sh, el, R * 1.15f, R * 0.95f, mat(k_.skin, dim)));
        Shape a = limb(sh, el, hand, {R * 1.2f, R * 0.92f, R * 0.8f}, mat(k_.skin, dim));
        a.bulgeA = R * 0.32f;
        a.sideA = sideOf(el - sh, hand - el);
        a.bulgeB = R * 0.24f;
        a.fold = true;
        a.softR = front ? R * 1.7f : 0;
        a.decor = true;
        add(a);
        if (sleeves()) sleeve(sh, el, hand, dim, front);
        if (k_.accessory == Accessory::Wristbands || k_.top_ == Top::Gi) {
            const Vec p = el + (hand - el) * 0.55f, z = el + (hand - el) * 0.88f;
            const media::TColor band = k_.accessory == Accessory::Wristbands ? k_.extra : k_.trim;
            add(capsule(p, z, R * 1.05f, R * 1.0f, mat(band, dim)));
        }
        if (kind == Hand::Open) {
            openHand(el, hand, dim);
        } else {
            fist(el, hand, dim);
        }
    }

    // A sleeve over the upper arm, reaching a little past the elbow, with a fold at the bend.
    void sleeve(Vec sh, Vec el, Vec hand, float dim, bool front) {
        const float R = px(c_.build.armR);
        const float reach = k_.top_ == Top::Gi ? 0.45f : 0.12f;
        Shape s = limb(sh, el, el + (hand - el) * reach, {R * 1.35f, R * 1.12f, R * 1.08f},
                       mat(k_.top, dim));
        s.bulgeA = R * 0.2f;
        s.softR = front ? R * 1.8f : 0;
        s.decor = true;
        add(s);
        const Vec d = el - sh;
        const Vec n = rotated(d, 90) * (R * 0.5f / std::max(0.01f, std::hypot(d.x, d.y)));
        const Vec m = sh + d * 0.72f;
        add(mark(capsule(m - n, m + n * 0.4f + d * 0.08f, 0.55f, 0.5f, dark(k_.top, dim, 0.6f))));
    }

    Vec unit(Vec d) const { return d * (1.0f / std::max(0.01f, std::hypot(d.x, d.y))); }

    void fist(Vec el, Vec hand, float dim) {
        const float hr = px(c_.build.handR);
        const Vec u = unit(hand - el);
        const Vec c = hand + u * (hr * 0.3f);
        const Material skin = mat(k_.skin, dim);
        add(ellipse(c, hr * 1.05f, hr * 1.0f, 0, skin));
        // Curled fingers: knuckle creases across the front of the fist and a thumb over them.
        const Vec across = rotated(u, 90);
        const Material crease = dark(k_.skin, dim, 0.5f);
        for (float t : {-0.45f, 0.05f, 0.55f}) {
            const Vec k = c + across * (hr * t) + u * (hr * 0.25f);
            add(mark(capsule(k, k + u * (hr * 0.55f), 0.45f, 0.4f, crease)));
        }
        Shape thumb =
            capsule(c - across * (hr * 0.55f) - u * (hr * 0.1f),
                    c + across * (hr * 0.05f) + u * (hr * 0.2f), hr * 0.3f, hr * 0.26f, skin);
        thumb.outline = 0.8f;
        thumb.decor = true;
        add(thumb);
    }

    void openHand(Vec el, Vec hand, float dim) {
        const float hr = px(c_.build.handR);
        const Vec u = unit(hand - el);
        const float ang = std::atan2(u.x, u.y) * 180.0f / 3.14159265f;
        const Material skin = mat(k_.skin, dim);
        const Vec across = rotated(u, 90);
        Shape thumb = capsule(hand + across * (hr * 0.5f), hand + across * (hr * 0.95f) + u * hr,
                              hr * 0.28f, hr * 0.22f, skin);
        thumb.decor = true;
        add(thumb);
        add(ellipse(hand + u * (hr * 0.5f), hr * 0.75f, hr * 1.25f, -ang, skin));
        const Material crease = dark(k_.skin, dim, 0.55f);
        for (float t : {-0.3f, 0.05f, 0.4f}) {
            const Vec k = hand + across * (hr * t) + u * (hr * 0.75f);
            add(mark(capsule(k, k + u * (hr * 0.8f), 0.4f, 0.4f, crease)));
        }
    }

    void leg(Vec hip, Vec knee, Vec ankle, Vec toe, float dim, bool front) {
        const Build& b = c_.build;
        const bool shorts = k_.legs_ == Legs::Shorts;
        const float baggy = k_.legs_ == Legs::Trousers ? 1.12f : 0.95f;
        const float T = px(b.legR * baggy), S = px(b.shinR * baggy);
        ghost(capsule(knee, ankle, S, S * 0.95f, mat(k_.legs, dim)));
        ghost(capsule(hip, knee, T, S * 1.05f, mat(k_.legs, dim)));
        Shape l = limb(hip, knee, ankle, {T * 1.08f, S * 1.04f, S * 0.95f},
                       mat(shorts ? k_.skin : k_.legs, dim));
        l.bulgeA = T * 0.2f;
        l.bulgeB = S * 0.38f;
        l.sideB = -sideOf(ankle - knee, toe - ankle);
        l.fold = true;
        l.softR = front ? T * 1.3f : 0;
        l.decor = true;
        add(l);
        if (shorts) {
            Shape s = limb(hip, hip + (knee - hip) * 0.5f, hip + (knee - hip) * 0.78f,
                           {T * 1.1f, T * 1.08f, T * 1.04f}, mat(k_.legs, dim));
            s.softR = front ? T * 1.4f : 0;
            s.decor = true;
            add(s);
        } else {
            trouserFolds(hip, knee, ankle, dim);
        }
        foot(knee, ankle, toe, dim);
    }

    // Cloth gathers behind the knee and at the hip: short dark bands inside the leg.
    void trouserFolds(Vec hip, Vec knee, Vec ankle, float dim) {
        const float S = px(c_.build.shinR);
        const Material fold = dark(k_.legs, dim, 0.62f);
        const Vec t = unit(knee - hip), s = unit(ankle - knee);
        const Vec across = rotated(t, 90);
        const Vec a = knee - t * (S * 1.6f) + across * (S * 0.2f);
        add(mark(capsule(a, a + t * (S * 0.9f) + across * (S * 0.45f), 0.55f, 0.45f, fold)));
        const Vec c = knee + s * (S * 1.4f) - rotated(s, 90) * (S * 0.15f);
        add(mark(capsule(c, c + s * (S * 0.8f) + rotated(s, 90) * (S * 0.4f), 0.5f, 0.4f, fold)));
    }

    void foot(Vec knee, Vec ankle, Vec toe, float dim) {
        const Build& b = c_.build;
        const Vec f = toe - ankle;
        const Vec heel = ankle - f * 0.25f;
        const bool skates = k_.accessory == Accessory::Skates;
        const bool bare = !skates && k_.shoes == k_.skin;
        const Material shoe = mat(k_.shoes, dim);
        const float S = px(b.shinR);
        if (!bare) {
            add(capsule(ankle + (knee - ankle) * 0.28f, ankle, S * 1.05f, S * 1.1f, shoe));
        }
        add(capsule(heel, toe, S * 0.95f, S * 0.7f, shoe));
        const Vec along = unit(f);
        // The sole is on the side of the foot away from the knee.
        Vec down = rotated(along, 90);
        if ((knee.x - ankle.x) * down.x + (knee.y - ankle.y) * down.y > 0) down = down * -1.0f;
        if (bare) {
            const Material crease = dark(k_.skin, dim, 0.55f);
            for (float t : {0.72f, 0.86f}) {
                const Vec k = heel + (toe - heel) * t;
                add(mark(
                    capsule(k + down * (S * 0.1f), k + down * (S * 0.6f), 0.4f, 0.4f, crease)));
            }
        } else {
            const Vec h = heel + along * (S * 0.3f) + down * (S * 0.62f);
            const Vec t = toe - along * (S * 0.15f) + down * (S * 0.42f);
            add(mark(capsule(h, t, S * 0.3f, S * 0.22f, dark(k_.shoes, dim, 0.35f))));
            const Vec lace = ankle + along * (S * 0.9f) - down * (S * 0.45f);
            add(mark(capsule(lace, lace + along * (S * 0.9f), 0.5f, 0.5f,
                             mat(mix(k_.shoes, media::rgb(240, 235, 225), 0.5f), dim))));
        }
        if (skates) {
            for (float t : {0.0f, 0.5f, 1.0f}) {
                const Vec w = heel + (toe - heel) * t + down * px(b.shinR * 1.3f);
                add(ellipse(w, px(0.022f), px(0.022f), 0, mat(k_.extra, dim)));
            }
        }
    }

    void torso() {
        const Build& b = c_.build;
        const Vec a = j_.across;
        const Vec n = j_.neck - j_.up * px(0.01f), w = j_.waist;
        const Material chestM =
            mat(k_.top_ == Top::Bare || k_.top_ == Top::Vest ? k_.skin : k_.top);
        const Shape chest =
            polygon({n - a * px(b.chest * 0.95f), n + a * px(b.chest * 0.8f), w + a * px(b.waist),
                     a * px(b.hip) - j_.up * px(0.02f), a * px(-b.hip) - j_.up * px(0.02f),
                     w - a * px(b.waist * 1.1f)},
                    px(0.012f), chestM);
        add(chest);
        if (k_.top_ == Top::Vest) {
            Shape vest = chest;
            vest.mat = mat(k_.top);
            add(clippedBy(vest, n + a * px(b.chest * 0.1f), a));
        }
        if (k_.top_ == Top::Gi) {
            add(polygon({n + a * px(b.chest * 0.15f), n + a * px(b.chest * 0.75f),
                         n + a * px(b.chest * 0.6f) - j_.up * px(0.09f)},
                        0, mat(k_.skin)));
        }
        if (k_.top_ == Top::Bare) {  // the pectoral line
            Shape pec = capsule(n + a * px(b.chest * 0.1f) - j_.up * px(0.075f),
                                n + a * px(b.chest * 0.75f) - j_.up * px(0.07f), px(0.006f),
                                px(0.004f), mat(scaled(k_.skin, 0.55f)));
            pec.outline = 0;
            pec.flat = true;
            add(pec);
        }
        // Hips: the top of the trousers and the belt.
        add(polygon({w - a * px(b.waist * 1.1f), w + a * px(b.waist * 1.05f),
                     a * px(b.hip) + j_.up * px(-0.03f), a * px(-b.hip) + j_.up * px(-0.03f)},
                    px(0.01f), mat(k_.legs)));
        const Vec bt = w + j_.up * px(0.012f), bb = w - j_.up * px(0.02f);
        add(polygon({bt - a * px(b.waist * 1.15f), bt + a * px(b.waist * 1.1f),
                     bb + a * px(b.waist * 1.12f), bb - a * px(b.waist * 1.18f)},
                    0, mat(k_.belt)));
        if (k_.accessory == Accessory::ChampionBelt) {
            const Vec plate = w + a * px(b.waist * 0.55f) - j_.up * px(0.004f);
            add(ellipse(plate, px(0.05f), px(0.036f), 0, mat(k_.extra)));
            Shape gem = ellipse(plate, px(0.014f), px(0.014f), 0, mat(media::rgb(210, 30, 40)));
            gem.outline = 0.8f;
            add(gem);
        }
        if (k_.accessory == Accessory::Bandana) {  // a bandolier across the chest
            add(capsule(n - a * px(b.chest * 0.8f), w + a * px(b.waist * 0.9f), px(0.014f),
                        px(0.014f), mat(k_.trim)));
        }
        if (k_.accessory == Accessory::ShoulderPads) {
            add(ellipse(j_.shoulderB, px(0.07f), px(0.05f), p_.lean, mat(k_.extra, kBackDim)));
        }
    }

    void skirt() {
        const Vec a = j_.across, w = j_.waist;
        const Build& b = c_.build;
        const Vec kf = j_.hipF + (j_.kneeF - j_.hipF) * 0.55f;
        const Vec kb = j_.hipB + (j_.kneeB - j_.hipB) * 0.55f;
        add(polygon({w - a * px(b.waist * 1.1f), w + a * px(b.waist * 1.1f), kf + a * px(0.05f),
                     kb - a * px(0.05f)},
                    px(0.01f), mat(k_.top)));
    }

    void backAccessory() {
        const float r = px(c_.build.headR);
        switch (k_.accessory) {
            case Accessory::Scarf: {
                const Vec root = j_.neck - j_.across * px(0.03f);
                const Vec mid = root + Vec{-px(0.16f), px(0.02f)};
                add(capsule(root, mid, px(0.03f), px(0.026f), mat(k_.extra, kBackDim)));
                add(capsule(mid, mid + Vec{-px(0.14f), px(0.06f)}, px(0.026f), px(0.02f),
                            mat(k_.extra, kBackDim)));
                break;
            }
            case Accessory::Headband: {
                const Vec knot = headPt(-0.95f, -0.3f);
                add(capsule(knot, knot + Vec{-px(0.14f), px(0.04f)}, px(0.014f), px(0.02f),
                            mat(k_.extra)));
                add(capsule(knot, knot + Vec{-px(0.12f), px(0.1f)}, px(0.014f), px(0.018f),
                            mat(k_.extra, 0.85f)));
                break;
            }
            default:
                break;
        }
        if (k_.hair_ == Hair::Ponytail) {
            const Vec root = headPt(-0.85f, -0.4f);
            add(capsule(root, root + Vec{-r * 0.9f, r * 1.9f}, r * 0.38f, r * 0.18f, mat(k_.hair)));
        }
        if (k_.hair_ == Hair::Long) {
            add(polygon({headPt(-0.9f, -0.6f), headPt(0.1f, -0.9f), headPt(-0.4f, 2.2f),
                         headPt(-1.2f, 2.0f)},
                        r * 0.15f, mat(k_.hair)));
        }
        if (k_.hair_ == Hair::Buns) {
            add(ellipse(headPt(-0.75f, -0.85f), r * 0.45f, r * 0.45f, 0, mat(k_.hair)));
        }
    }

    void head() {
        const Build& b = c_.build;
        const float r = px(b.headR);
        const Material skin = mat(k_.skin);
        add(capsule(j_.neck, j_.head, px(0.034f), px(0.03f), skin));
        add(ellipse(headPt(0.35f, 0.55f), r * 0.6f, r * 0.45f, j_.headAngle, skin));  // jaw
        add(ellipse(j_.head, r * 0.95f, r * 1.02f, j_.headAngle, skin));
        Shape nose = ellipse(headPt(0.93f, 0.12f), r * 0.17f, r * 0.2f, 0, skin);
        nose.outline = 1.0f;
        add(nose);
        add(ellipse(j_.head + headDir(0, 0.05f) * r, r * 0.95f, r * 1.02f, j_.headAngle, skin));
        out_.back().outline = 0;  // covers the nose outline inside the head
        out_.back().mat.shade = mix(skin.shade, skin.base, 0.6f);  // the face stays readable
        face(r);
        hair(r);
        headAccessory(r);
    }

    void face(float r) {
        const media::TColor dark = media::rgb(25, 15, 20);
        Shape ear = ellipse(headPt(-0.15f, 0.12f), r * 0.17f, r * 0.26f, j_.headAngle,
                            mat(scaled(k_.skin, 0.85f)));
        ear.outline = 1.0f;
        add(ear);
        eyes(r, dark);
        const media::TColor shadow = scaled(k_.skin, 0.62f);
        // Shading under the nose and the cheekbone, then the mouth with a lip shadow.
        add(mark(capsule(headPt(0.72f, 0.3f), headPt(0.92f, 0.34f), std::max(0.5f, r * 0.07f),
                         std::max(0.5f, r * 0.06f), mat(shadow))));
        add(mark(capsule(headPt(0.2f, 0.28f), headPt(0.45f, 0.48f), std::max(0.5f, r * 0.07f),
                         std::max(0.5f, r * 0.05f), mat(scaled(k_.skin, 0.78f)))));
        add(mark(capsule(headPt(0.55f, 0.58f), headPt(0.86f, 0.54f), std::max(0.55f, r * 0.06f),
                         std::max(0.5f, r * 0.05f), mat(scaled(k_.skin, 0.4f)))));
        add(mark(capsule(headPt(0.62f, 0.7f), headPt(0.8f, 0.68f), std::max(0.5f, r * 0.05f),
                         std::max(0.5f, r * 0.04f), mat(scaled(k_.skin, 0.75f)))));
        if (k_.beard) {
            add(polygon({headPt(-0.25f, 0.35f), headPt(0.8f, 0.62f), headPt(0.55f, 1.45f),
                         headPt(0.05f, 1.1f)},
                        r * 0.1f, mat(k_.hair)));
        }
        if (k_.moustache || k_.beard) {
            add(capsule(headPt(0.5f, 0.38f), headPt(0.95f, 0.4f), r * 0.12f, r * 0.1f,
                        mat(k_.hair)));
        }
    }

    // An eye with its white, its pupil looking forward, a heavy upper lid and a slanted brow.
    void eyes(float r, media::TColor dark) {
        const float a = j_.headAngle;
        add(mark(ellipse(headPt(0.55f, -0.06f), std::max(1.0f, r * 0.2f), std::max(0.8f, r * 0.15f),
                         a, mat(media::rgb(242, 238, 228)))));
        add(mark(ellipse(headPt(0.64f, -0.04f), std::max(0.6f, r * 0.1f), std::max(0.8f, r * 0.14f),
                         a, mat(dark))));
        add(mark(capsule(headPt(0.34f, -0.2f), headPt(0.76f, -0.17f), std::max(0.5f, r * 0.05f),
                         std::max(0.5f, r * 0.04f), mat(dark))));
        add(mark(capsule(headPt(0.26f, -0.38f), headPt(0.84f, -0.25f), std::max(0.7f, r * 0.09f),
                         std::max(0.6f, r * 0.06f), mat(scaled(k_.hair, 0.7f)))));
    }

    // Volume for the hair: a lit streak on the crown and a darker fringe at the front.
    void hairVolume(float r) {
        add(mark(capsule(headPt(-0.55f, -0.62f), headPt(-0.05f, -0.92f), r * 0.1f, r * 0.07f,
                         mat(mix(k_.hair, media::rgb(250, 240, 220), 0.35f)))));
        add(mark(capsule(headPt(-0.7f, -0.2f), headPt(-0.35f, -0.55f), r * 0.07f, r * 0.05f,
                         mat(scaled(k_.hair, 0.6f)))));
    }

    Shape cap(float r, float frontY) const {
        const Shape s = ellipse(j_.head + headDir(-0.1f, -0.12f) * r, r * 1.05f, r * 1.02f,
                                j_.headAngle, mat(k_.hair));
        return clippedBy(s, headPt(0.2f, frontY), headDir(0.62f, 0.8f));
    }

    void hair(float r) {
        switch (k_.hair_) {
            case Hair::Bald:
                break;
            case Hair::Topknot:
                add(cap(r, -0.55f));
                add(ellipse(headPt(-0.2f, -1.15f), r * 0.32f, r * 0.28f, 0, mat(k_.hair)));
                break;
            case Hair::Mohawk:
                add(polygon({headPt(0.4f, -0.8f), headPt(0.1f, -1.8f), headPt(-0.6f, -1.55f),
                             headPt(-1.05f, -0.2f)},
                            r * 0.08f, mat(k_.hair)));
                break;
            case Hair::Spiky:
                for (int i = 0; i < 4; ++i) {
                    const float a = -0.5f + i * 0.28f;
                    add(polygon(
                        {headPt(0.4f - a, -0.6f), headPt(-0.5f - a * 1.6f, -1.55f + a * 0.3f),
                         headPt(-0.5f - a, -0.2f)},
                        0, mat(k_.hair)));
                }
                add(cap(r, -0.25f));
                break;
            default:
                add(cap(r, -0.35f));
                break;
        }
        if (k_.hair_ != Hair::Bald && k_.hair_ != Hair::Mohawk) hairVolume(r);
        if (k_.hair_ == Hair::Buns && k_.accessory == Accessory::Ribbons) {
            add(ellipse(headPt(-0.35f, -1.05f), r * 0.3f, r * 0.16f, 30, mat(k_.extra)));
        }
    }

    void headAccessory(float r) {
        switch (k_.accessory) {
            case Accessory::Hat:
                if (p_.noHat) break;
                add(polygon({headPt(-0.8f, -0.62f), headPt(0.85f, -0.62f), headPt(0.6f, -1.55f),
                             headPt(-0.6f, -1.6f)},
                            r * 0.1f, mat(k_.extra)));
                add(polygon({headPt(-0.8f, -0.62f), headPt(0.85f, -0.62f), headPt(0.8f, -0.85f),
                             headPt(-0.78f, -0.88f)},
                            0, mat(k_.trim)));
                add(ellipse(headPt(0.05f, -0.6f), r * 1.75f, r * 0.28f, j_.headAngle,
                            mat(k_.extra)));
                break;
            case Accessory::HornedHelmet:
                add(capsule(headPt(-0.45f, -0.7f), headPt(-0.3f, -1.75f), r * 0.22f, r * 0.06f,
                            mat(k_.trim, kBackDim)));
                add(clippedBy(ellipse(j_.head + headDir(-0.05f, -0.1f) * r, r * 1.1f, r * 1.08f,
                                      j_.headAngle, mat(k_.extra)),
                              headPt(0, -0.15f), headDir(0.1f, 1.0f)));
                add(capsule(headPt(0.3f, -0.75f), headPt(1.05f, -1.6f), r * 0.24f, r * 0.06f,
                            mat(k_.trim)));
                break;
            case Accessory::Goggles:
                add(capsule(headPt(-0.95f, -0.45f), headPt(0.7f, -0.6f), r * 0.13f, r * 0.13f,
                            mat(k_.trim)));
                add(ellipse(headPt(0.55f, -0.62f), r * 0.3f, r * 0.26f, 0, mat(k_.extra)));
                break;
            case Accessory::Headband:
                add(capsule(headPt(-0.95f, -0.32f), headPt(0.9f, -0.45f), r * 0.15f, r * 0.14f,
                            mat(k_.extra)));
                break;
            case Accessory::Bandana:
                add(polygon({headPt(-0.3f, 0.18f), headPt(1.08f, 0.2f), headPt(0.75f, 1.05f),
                             headPt(0.0f, 0.9f)},
                            r * 0.05f, mat(k_.extra)));
                break;
            case Accessory::Skates:  // a cap worn backwards
                add(clippedBy(ellipse(j_.head + headDir(-0.05f, -0.15f) * r, r * 1.05f, r * 1.0f,
                                      j_.headAngle, mat(k_.extra)),
                              headPt(0, -0.3f), headDir(0.05f, 1.0f)));
                add(capsule(headPt(-0.8f, -0.35f), headPt(-1.55f, -0.2f), r * 0.14f, r * 0.1f,
                            mat(k_.extra)));
                break;
            case Accessory::ShoulderPads:
                add(ellipse(j_.shoulderF + j_.up * px(0.01f), px(0.075f), px(0.052f), p_.lean,
                            mat(k_.extra)));
                break;
            case Accessory::Cane: {
                const Vec top = j_.handB - Vec{0, px(0.02f)};
                add(capsule(top, top + dirOf(4) * px(0.44f), px(0.016f), px(0.014f),
                            mat(k_.extra, kBackDim)));
                break;
            }
            default:
                break;
        }
    }

    const Character& c_;
    const Costume& k_;
    const Pose& p_;
    Joints j_;
    float h_;
    std::vector<Shape> out_;
};

}  // namespace

std::vector<Shape> figureShapes(const Character& c, const Pose& pose, float limbScale) {
    return FigureBuilder(c, pose, limbScale).build();
}

Box bodyBox(const Character& c, const Pose& pose, float limbScale) {
    const Joints j = layout(c, pose, limbScale);
    const Build& b = c.build;
    const float h = b.height;
    Box box{1e9f, 1e9f, -1e9f, -1e9f};
    auto grow = [&](Vec v, float r) {
        v = rotated(v, pose.rot);
        box = {std::min(box.left, v.x - r), std::min(box.top, v.y - r),
               std::max(box.right, v.x + r), std::max(box.bottom, v.y + r)};
    };
    // Across, the trunk and the head (arms and legs stick out of it); down, from the head to the
    // ankles.
    grow(j.head, b.headR * h);
    for (Vec v : {j.neck, j.shoulderF, j.shoulderB})
        grow(v, b.armR * h);
    grow(j.waist, b.waist * 0.5f * h);
    for (Vec v : {j.hipF, j.hipB})
        grow(v, b.legR * h);
    const Box trunk = box;
    for (Vec v : {j.kneeF, j.kneeB, j.ankleF, j.ankleB})
        grow(v, b.shinR * h);
    if (pose.rot == 0) {
        box.left = trunk.left;
        box.right = trunk.right;
    }
    return box;
}

Vec reachTip(const Character& c, const Pose& pose, float limbScale) {
    const Joints j = layout(c, pose, limbScale);
    const float h = c.build.height;
    Vec tip;
    switch (pose.reach) {
        case Reach::FrontArm:
        case Reach::BothArms:
            tip = j.handF + Vec{c.build.handR * 1.3f * h, 0};
            break;
        case Reach::BackArm:
            tip = j.handB + Vec{c.build.handR * 1.3f * h, 0};
            break;
        case Reach::FrontLeg:
            tip = (j.toeF.x > j.ankleF.x ? j.toeF : j.ankleF) + Vec{c.build.shinR * h, 0};
            break;
        case Reach::BackLeg:
            tip = (j.toeB.x > j.ankleB.x ? j.toeB : j.ankleB) + Vec{c.build.shinR * h, 0};
            break;
        case Reach::None:
            break;
    }
    return rotated(tip, pose.rot);
}

}  // namespace assetgen
