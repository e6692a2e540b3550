#include "skeleton.h"

#include <cmath>

namespace cg {
namespace {

// Where the neck's bone sits on the torso's spine, and how far up the neck the head takes over.
constexpr double kHeadPivotV = 0.93;
constexpr double kShoulderPivotV = 0.02;
constexpr double kHipAboveJoints = 4;

// Along a part, one bone after another: each takes over from the one before at `at`, over
// `halfWidth` on either side, `share` of the weight. The first has no `at`. `ofPart` names a
// bone of the part itself (with its side, and its digit's name); otherwise `bone` is a whole name.
struct Blend {
    const char* bone;
    double at, halfWidth, share;
    bool ofPart;
};
const std::vector<Blend> kTorsoBlends = {{"hip", 0, 0, 1, true},
                                         {"abdomen", kTorsoHipEndV, 0.05, 1, true},
                                         {"chest", kTorsoAbdomenEndV, 0.06, 1, true},
                                         {"neck", kTorsoChestEndV, 0.04, 1, true},
                                         {"head", 0.965, 0.035, 1, true}};
const std::vector<Blend> kHeadBlends = {{"head", 0, 0, 1, true}};
const std::vector<Blend> kEyeBlends = {{"eye", 0, 0, 1, true}};
const std::vector<Blend> kArmBlends = {{"shoulder", 0, 0, 1, true},
                                       {"upperarm", kArmShoulderEndV, 0.05, 1, true},
                                       {"forearm", kArmUpperEndV, 0.04, 1, true},
                                       {"hand", kArmForearmEndV, 0.03, 1, true}};
// The top of the thigh is bound half to the hip.
const std::vector<Blend> kLegBlends = {{"foot", 0, 0, 1, true},
                                       {"shin", kLegFootEndV, 0.04, 1, true},
                                       {"thigh", kLegShinEndV, 0.05, 1, true},
                                       {"hip", 0.94, 0.06, 0.5, false}};
const std::vector<Blend> kFingerBlends = {{"1", 0, 0, 1, true},
                                          {"2", kDigitMiddleV, 0.04, 1, true},
                                          {"3", kDigitDistalV, 0.03, 1, true}};
const std::vector<Blend> kThumbBlends = {{"1", 0, 0, 1, true},
                                         {"2", kThumbMiddleV, 0.04, 1, true},
                                         {"3", kThumbDistalV, 0.03, 1, true}};

const std::vector<Blend>& blendsOf(Part part)
{
    switch (kindOf(part)) {
    case PartKind::Torso:
        return kTorsoBlends;
    case PartKind::Head:
        return kHeadBlends;
    case PartKind::Eye:
        return kEyeBlends;
    case PartKind::Arm:
        return kArmBlends;
    case PartKind::Leg:
        return kLegBlends;
    case PartKind::Digit:
        return digitOf(part) == Digit::Thumb ? kThumbBlends : kFingerBlends;
    }
    return kTorsoBlends;
}

QString boneName(Part part, const Blend& blend)
{
    if (!blend.ofPart)
        return QString::fromLatin1(blend.bone);
    QString name = sidePrefix(sideOf(part));
    if (kindOf(part) == PartKind::Digit)
        name += digitName(digitOf(part));
    return name + QString::fromLatin1(blend.bone);
}

using Centre = std::function<Vec3(const FigureShape&)>;

void addBone(std::vector<BoneDef>& out, const QString& name, const QString& parent, Centre centre)
{
    int parentIndex = -1;
    for (size_t i = 0; i < out.size(); ++i)
        if (out[i].name == parent)
            parentIndex = int(i);
    out.push_back({name, parentIndex, std::move(centre)});
}

// A left bone and its right mirror image.
void addPair(std::vector<BoneDef>& out, const QString& name, const QString& parent, const Centre& left)
{
    const bool sidedParent = parent.startsWith(QLatin1String("l_"));
    addBone(out, QStringLiteral("l_") + name, parent, left);
    addBone(out, QStringLiteral("r_") + name,
            sidedParent ? QStringLiteral("r_") + parent.mid(2) : parent,
            [left](const FigureShape& s) { return mirrored(left(s)); });
}

std::vector<BoneDef> buildBones()
{
    std::vector<BoneDef> out;
    addBone(out, QStringLiteral("hip"), QString(), [](const FigureShape& s) {
        return Vec3{0, s.proportions().hipJointY + kHipAboveJoints, 0};
    });
    // Up the spine and out along the arm, each bone where its stretch of the tube begins.
    struct Link {
        const char* name;
        int joint;
    };
    QString parent = QStringLiteral("hip");
    for (const Link& link : {Link{"abdomen", kHipToAbdomen}, Link{"chest", kAbdomenToChest}, Link{"neck", kChestToNeck}}) {
        const int joint = link.joint;
        addBone(out, QString::fromLatin1(link.name), parent,
                [joint](const FigureShape& s) { return s.jointPoint(Part::Torso, joint); });
        parent = QString::fromLatin1(link.name);
    }
    addBone(out, QStringLiteral("head"), QStringLiteral("neck"),
            [](const FigureShape& s) { return s.spineFrame(Part::Torso, kHeadPivotV).origin; });
    addPair(out, QStringLiteral("eye"), QStringLiteral("head"),
            [](const FigureShape& s) { return s.face().eyeCentre(); });

    addPair(out, QStringLiteral("shoulder"), QStringLiteral("chest"),
            [](const FigureShape& s) { return s.spineFrame(Part::LeftArm, kShoulderPivotV).origin; });
    parent = QStringLiteral("l_shoulder");
    for (const Link& link : {Link{"upperarm", kShoulderJoint}, Link{"forearm", kElbowJoint}, Link{"hand", kWristJoint}}) {
        const int joint = link.joint;
        addPair(out, QString::fromLatin1(link.name), parent,
                [joint](const FigureShape& s) { return s.jointPoint(Part::LeftArm, joint); });
        parent = QStringLiteral("l_") + QString::fromLatin1(link.name);
    }
    // A digit's bones 1 to 3 sit at its knuckle, middle and last joints.
    for (int d = 0; d < kDigitCount; ++d) {
        parent = QStringLiteral("l_hand");
        for (int joint : {kKnuckleJoint, kMiddleJoint, kDistalJoint}) {
            const QString name = digitName(Digit(d)) + QString::number(joint - kKnuckleJoint + 1);
            addPair(out, name, parent,
                    [d, joint](const FigureShape& s) { return s.digitJoint(Digit(d), joint).origin; });
            parent = QStringLiteral("l_") + name;
        }
    }

    addPair(out, QStringLiteral("thigh"), QStringLiteral("hip"), [](const FigureShape& s) {
        return Vec3{s.proportions().hipJointX, s.proportions().hipJointY, 0};
    });
    addPair(out, QStringLiteral("shin"), QStringLiteral("l_thigh"),
            [](const FigureShape& s) { return s.jointPoint(Part::LeftLeg, kKneeJoint); });
    addPair(out, QStringLiteral("foot"), QStringLiteral("l_shin"),
            [](const FigureShape& s) { return s.jointPoint(Part::LeftLeg, kAnkleJoint); });
    return out;
}

} // namespace

const std::vector<BoneDef>& bones()
{
    static const std::vector<BoneDef> all = buildBones();
    return all;
}

int boneIndex(const QString& name)
{
    const std::vector<BoneDef>& all = bones();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].name == name)
            return int(i);
    return -1;
}

namespace {

// The bone of each blend of each part, looked up once.
const std::vector<int>& blendBones(Part part)
{
    static const std::vector<std::vector<int>> all = [] {
        std::vector<std::vector<int>> out(kPartCount);
        for (int p = 0; p < kPartCount; ++p)
            for (const Blend& blend : blendsOf(Part(p)))
                out[size_t(p)].push_back(boneIndex(boneName(Part(p), blend)));
        return out;
    }();
    return all[size_t(part)];
}

} // namespace

std::vector<std::pair<int, double>> skinWeights(const SurfaceParam& param)
{
    // Each bone's weight is its share taken over minus the next one's.
    const std::vector<Blend>& blends = blendsOf(param.part);
    const std::vector<int>& boneOf = blendBones(param.part);
    std::vector<std::pair<int, double>> out;
    double taken = 1;
    for (size_t i = 0; i < blends.size(); ++i) {
        double next = 0;
        if (i + 1 < blends.size()) {
            const Blend& b = blends[i + 1];
            next = b.share * smoothstep(b.at - b.halfWidth, b.at + b.halfWidth, param.v);
        }
        const double w = taken - next;
        if (w > 0)
            out.push_back({boneOf[i], w});
        taken = next;
    }
    return out;
}

double headSplitWeight(const SurfaceParam& param)
{
    switch (kindOf(param.part)) {
    case PartKind::Head:
    case PartKind::Eye:
        return 1;
    case PartKind::Torso:
        // Inside the neck, a ring's width from either end at the coarsest tessellation.
        return smoothstep(kTorsoChestEndV + 0.02, 0.95, param.v);
    default:
        return 0;
    }
}

Vec3 Skinning::Affine::apply(const Vec3& p) const
{
    return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + t.x,
            m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + t.y,
            m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + t.z};
}

Skinning::Affine Skinning::Affine::operator*(const Affine& o) const
{
    Affine r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r.m[i][j] = m[i][0] * o.m[0][j] + m[i][1] * o.m[1][j] + m[i][2] * o.m[2][j];
    r.t = apply(o.t);
    return r;
}

Skinning::Skinning(const FigureShape& shape, const Pose& pose)
{
    const std::vector<BoneDef>& all = bones();
    _world.resize(all.size());
    for (size_t b = 0; b < all.size(); ++b) {
        Vec3 degrees;
        for (const auto& [name, rotation] : pose.rotations)
            if (name == all[b].name)
                degrees = rotation;
        const double rx = degrees.x * kPi / 180, ry = degrees.y * kPi / 180, rz = degrees.z * kPi / 180;
        Affine x, y, z;
        x.m[1][1] = std::cos(rx), x.m[1][2] = -std::sin(rx), x.m[2][1] = std::sin(rx), x.m[2][2] = std::cos(rx);
        y.m[0][0] = std::cos(ry), y.m[0][2] = std::sin(ry), y.m[2][0] = -std::sin(ry), y.m[2][2] = std::cos(ry);
        z.m[0][0] = std::cos(rz), z.m[0][1] = -std::sin(rz), z.m[1][0] = std::sin(rz), z.m[1][1] = std::cos(rz);
        const Vec3 c = all[b].centre(shape);
        Affine to, from;
        to.t = c;
        from.t = c * -1;
        const Affine local = to * (z * y * x) * from;
        _world[b] = all[b].parent < 0 ? local : _world[size_t(all[b].parent)] * local;
    }
}

Vec3 Skinning::apply(const SurfaceParam& param, const Vec3& rest) const
{
    Vec3 out;
    for (const auto& [bone, weight] : skinWeights(param))
        out += _world[size_t(bone)].apply(rest) * weight;
    return out;
}

} // namespace cg
