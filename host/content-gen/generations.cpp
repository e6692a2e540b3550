#include "generations.h"

#include <QFileInfo>

#include "dson_writer.h"

namespace cg {
namespace {

Proportions g9Proportions()
{
    return Proportions{};
}

Proportions g8FemaleProportions()
{
    Proportions p;
    p.height = 168;
    p.crotchY = 79;
    p.pelvisW = 18, p.pelvisD = 11.5, p.waistW = 12, p.waistD = 9;
    p.chestW = 15, p.chestD = 11, p.shoulderW = 17.5;
    p.neckR = 5, p.neckLen = 8.5, p.headW = 7.4, p.headD = 9.3, p.headH = 22.5;
    p.headForward = 1.3, p.bust = 4.0, p.belly = 0.3, p.glutes = 3.0;
    p.nose = 1.6, p.lips = 1.1, p.chin = 0.9, p.ears = 0.95, p.eyeR = 1.18, p.eyeSpacing = 3.1;
    p.armAngle = 53, p.elbowBend = 14, p.upperArmLen = 27.5, p.forearmLen = 24, p.handLen = 9.4;
    p.upperArmR = 3.9, p.forearmR = 3.5, p.wristW = 2.5, p.wristD = 1.7, p.palmW = 4.0, p.palmD = 1.3;
    p.fingerLen = 0.95, p.fingerR = 0.92;
    p.thighR = 8.5, p.kneeR = 5.0, p.calfR = 5.4, p.ankleR = 3.2, p.footLen = 23.5, p.footW = 4.2;
    return p;
}

Proportions g8MaleProportions()
{
    Proportions p;
    p.height = 179;
    p.crotchY = 80.5;
    p.pelvisW = 17, p.pelvisD = 11, p.waistW = 14.5, p.waistD = 10.5;
    p.chestW = 18.5, p.chestD = 12.5, p.shoulderW = 22;
    p.neckR = 6.5, p.neckLen = 9, p.headW = 8, p.headD = 10, p.headH = 24;
    p.headForward = 1.8, p.bust = 0.5, p.belly = 0.8, p.glutes = 1.8;
    p.nose = 2.0, p.lips = 0.95, p.chin = 1.15, p.ears = 1.05, p.eyeR = 1.22, p.eyeSpacing = 3.3;
    p.armAngle = 53, p.elbowBend = 12, p.upperArmLen = 30.5, p.forearmLen = 27, p.handLen = 10.8;
    p.upperArmR = 4.8, p.forearmR = 4.4, p.wristW = 3.0, p.wristD = 2.1, p.palmW = 4.7, p.palmD = 1.6;
    p.fingerLen = 1.08, p.fingerR = 1.1;
    p.thighR = 8.8, p.kneeR = 5.8, p.calfR = 6.2, p.ankleR = 3.8, p.footLen = 27, p.footW = 4.9;
    return p;
}

Proportions g3FemaleProportions()
{
    Proportions p = g8FemaleProportions();
    p.height = 166, p.hipJointY = 84, p.hipJointX = 8.8, p.crotchY = 76;
    p.waistW = 12.5, p.chestW = 14.5, p.bust = 3.5, p.headH = 22, p.headW = 7.2;
    p.thighR = 8.2, p.calfR = 5.2, p.nose = 1.5;
    p.armAngle = 43, p.upperArmLen = 27, p.forearmLen = 23.5;
    return p;
}

Proportions g3MaleProportions()
{
    Proportions p = g8MaleProportions();
    p.height = 182, p.hipJointY = 92, p.hipJointX = 9.8, p.crotchY = 84;
    p.waistW = 15, p.shoulderW = 21.5, p.headH = 24.5, p.neckLen = 9.5;
    p.thighR = 9, p.calfR = 6.0;
    p.armAngle = 43, p.upperArmLen = 31.5, p.forearmLen = 27.5;
    return p;
}

Proportions g2FemaleProportions()
{
    Proportions p = g3FemaleProportions();
    p.height = 164, p.hipJointY = 83, p.hipJointX = 8.6, p.crotchY = 75;
    p.headW = 7.8, p.headD = 9.8, p.bust = 3.0;
    p.armAngle = 38;
    return p;
}

FigureDef makeDef(const char* id, const char* label, const char* file, Proportions p,
                  Tessellation small, Tessellation full)
{
    FigureDef d;
    d.id = QString::fromLatin1(id);
    d.label = QString::fromLatin1(label);
    d.assetFile = QString::fromLatin1(file);
    d.proportions = p;
    d.small = small;
    d.full = full;
    return d;
}

// Cuts: torso, head, eye, arm, leg, finger, thumb (columns, rings), then the column phase.
// Genesis 8 and 8.1 share one mesh, so their vertex lists match one for one.
const Tessellation kG9Small = {{24, 34}, {32, 26}, {8, 6}, {12, 22}, {14, 30}, {6, 10}, {6, 11}, 0.0};
const Tessellation kG9Full = {{64, 64}, {112, 76}, {20, 14}, {40, 64}, {40, 64}, {12, 22}, {12, 20}, 0.0};
const Tessellation kG8Small = {{22, 34}, {32, 26}, {8, 6}, {12, 22}, {14, 28}, {6, 9}, {6, 10}, 0.25};
const Tessellation kG8Full = {{52, 52}, {90, 62}, {16, 12}, {32, 52}, {32, 52}, {10, 18}, {10, 16}, 0.25};
const Tessellation kG3Small = {{22, 33}, {31, 27}, {8, 6}, {12, 21}, {14, 29}, {6, 9}, {6, 10}, 0.5};
const Tessellation kG3Full = {{54, 54}, {92, 64}, {16, 12}, {34, 52}, {34, 52}, {10, 18}, {10, 16}, 0.5};
const Tessellation kG2Small = {{20, 32}, {30, 24}, {8, 6}, {12, 20}, {14, 26}, {6, 8}, {6, 10}, 0.75};
const Tessellation kG2Full = {{48, 44}, {64, 50}, {14, 10}, {28, 44}, {30, 44}, {8, 16}, {8, 14}, 0.75};

FigureDef sourceDef(const char* id, const char* label, const char* file, Proportions p,
                    Tessellation small, Tessellation full, bool spreadLegs)
{
    FigureDef d = makeDef(id, label, file, p, small, full);
    d.spreadLegs = spreadLegs;
    d.source = true;
    return d;
}

} // namespace

QString FigureDef::url() const
{
    return assetPath(assetFile) + QLatin1Char('#') + id;
}

QString FigureDef::dataFolder() const
{
    return QFileInfo(assetFile).path().mid(QStringLiteral("data/").size());
}

const FigureDef& genesis9()
{
    static const FigureDef d = makeDef("Genesis9", "Genesis 9", "data/DAZ 3D/Genesis 9/Base/Genesis9.dsf",
                                       g9Proportions(), kG9Small, kG9Full);
    return d;
}

const FigureDef& genesis3Female()
{
    static const FigureDef d = [] {
        FigureDef f = sourceDef("Genesis3Female", "Genesis 3 Female",
                                "data/DAZ 3D/Genesis 3/Female/Genesis3Female.dsf",
                                g3FemaleProportions(), kG3Small, kG3Full, false);
        f.compressed = true;
        return f;
    }();
    return d;
}

const FigureDef& genesis3Male()
{
    static const FigureDef d = sourceDef("Genesis3Male", "Genesis 3 Male",
                                         "data/DAZ 3D/Genesis 3/Male/Genesis3Male.dsf",
                                         g3MaleProportions(), kG3Small, kG3Full, false);
    return d;
}

const FigureDef& genesis8Female()
{
    static const FigureDef d = sourceDef("Genesis8Female", "Genesis 8 Female",
                                         "data/Daz 3D/Genesis 8/Female/Genesis8Female.dsf",
                                         g8FemaleProportions(), kG8Small, kG8Full, true);
    return d;
}

const FigureDef& genesis8Male()
{
    static const FigureDef d = sourceDef("Genesis8Male", "Genesis 8 Male",
                                         "data/Daz 3D/Genesis 8/Male/Genesis8Male.dsf",
                                         g8MaleProportions(), kG8Small, kG8Full, true);
    return d;
}

const FigureDef& genesis81Female()
{
    static const FigureDef d = sourceDef("Genesis8_1Female", "Genesis 8.1 Female",
                                         "data/Daz 3D/Genesis 8/Female 8_1/Genesis8_1Female.dsf",
                                         g8FemaleProportions(), kG8Small, kG8Full, true);
    return d;
}

const FigureDef& genesis81Male()
{
    static const FigureDef d = sourceDef("Genesis8_1Male", "Genesis 8.1 Male",
                                         "data/Daz 3D/Genesis 8/Male 8_1/Genesis8_1Male.dsf",
                                         g8MaleProportions(), kG8Small, kG8Full, true);
    return d;
}

const FigureDef& genesis2Female()
{
    static const FigureDef d = makeDef("Genesis2Female", "Genesis 2 Female",
                                       "data/DAZ 3D/Genesis 2/Female/Genesis2Female.dsf",
                                       g2FemaleProportions(), kG2Small, kG2Full);
    return d;
}

std::vector<const FigureDef*> allFigures()
{
    return {&genesis9(),       &genesis3Female(),  &genesis3Male(),  &genesis8Female(),
            &genesis8Male(),   &genesis81Female(), &genesis81Male(), &genesis2Female()};
}

Proportions feminineProportions()
{
    Proportions p = g9Proportions();
    p.pelvisW = 18, p.waistW = 12, p.waistD = 9, p.chestW = 15, p.shoulderW = 17.5;
    p.neckR = 5, p.bust = 4, p.glutes = 3, p.headW = 7.3, p.thighR = 8.4, p.calfR = 5.3;
    p.upperArmR = 3.9, p.forearmR = 3.5, p.palmW = 4.0, p.fingerR = 0.93, p.nose = 1.6;
    return p;
}

Proportions masculineProportions()
{
    Proportions p = g9Proportions();
    p.pelvisW = 16.5, p.waistW = 14.5, p.waistD = 10.5, p.chestW = 18.5, p.chestD = 12.5;
    p.shoulderW = 22, p.neckR = 6.5, p.bust = 0.5, p.glutes = 1.8, p.headW = 8, p.nose = 2.0;
    p.upperArmR = 4.8, p.forearmR = 4.4, p.palmW = 4.7, p.fingerR = 1.08, p.chin = 1.15;
    return p;
}

const std::vector<CharacterMorph>& characterMorphs()
{
    static const std::vector<CharacterMorph> morphs = {
        {QStringLiteral("body_ctrl_Heavy"), QStringLiteral("Heavy"), QStringLiteral("/Actor/Body"),
         0, 1,
         [](Proportions& p) {
             p.waistW *= 1.25, p.waistD *= 1.3, p.belly += 3, p.pelvisW *= 1.1, p.pelvisD *= 1.15;
             p.chestD *= 1.1, p.thighR *= 1.2, p.calfR *= 1.1, p.neckR *= 1.1;
             p.upperArmR *= 1.15, p.forearmR *= 1.08;
         }},
        {QStringLiteral("body_ctrl_Athletic"), QStringLiteral("Athletic"),
         QStringLiteral("/Actor/Body"), 0, 1,
         [](Proportions& p) {
             p.shoulderW *= 1.12, p.chestW *= 1.08, p.chestD *= 1.06, p.waistW *= 0.92;
             p.thighR *= 1.06, p.calfR *= 1.08, p.upperArmR *= 1.08;
         }},
        {QStringLiteral("body_ctrl_TorsoLength"), QStringLiteral("Torso Length"),
         QStringLiteral("/Actor/Body/Proportions"), -1, 1, [](Proportions& p) { p.height += 6; }},
        {QStringLiteral("head_ctrl_HeadSize"), QStringLiteral("Head Size"),
         QStringLiteral("/Actor/Head"), 0, 1,
         [](Proportions& p) {
             p.headW *= 1.12, p.headD *= 1.12, p.height += 0.1 * p.headH, p.headH *= 1.1;
         }},
        {QStringLiteral("head_ctrl_NoseSize"), QStringLiteral("Nose Size"),
         QStringLiteral("/Actor/Head/Face"), 0, 1, [](Proportions& p) { p.nose *= 1.35; }},
    };
    return morphs;
}

} // namespace cg
