#include <gtest/gtest.h>

#include "dzenumproperty.h"
#include "dzintproperty.h"
#include "dzmodifier.h"
#include "test_scene_access_scene.h"
#include "tv_daz-helpers-scene.h"
#include "tv_exception.h"

using namespace tav::daz;
using scene_access::messageOf;
using scene_access::q;

namespace {

class SceneAccess : public ::testing::Test {
protected:
    TestApp app;
    DzFigure* pFigure = scene_access::addFigure();

    DzFloatProperty* addNodeDial(const QString& name)
    {
        auto* pProperty = new DzFloatProperty(name);
        pFigure->addProperty(pProperty);
        return pProperty;
    }

    // A plain modifier holding float properties of the given names.
    DzModifier* addModifier(const QString& name, const QStringList& properties)
    {
        auto* pModifier = new DzModifier;
        pModifier->setName(name);
        for (const QString& property : properties)
            pModifier->addProperty(new DzFloatProperty(property));
        pFigure->getObject()->addModifier(pModifier);
        return pModifier;
    }
};

TEST_F(SceneAccess, AnyScopePrefersNodeThenModifierThenShape)
{
    auto* pShapeDial = new DzFloatProperty("Dial");
    pFigure->getObject()->getCurrentShape()->addProperty(pShapeDial);
    DzMorph* pMorph = scene_access::addMorph(pFigure, "Dial");
    DzFloatProperty* pNodeDial = addNodeDial("Dial");

    EXPECT_EQ(FindNodeProperty(pFigure, PropertyScope::Any, "Dial", true), pNodeDial);
    pFigure->removeProperty(pNodeDial);
    EXPECT_EQ(FindNodeProperty(pFigure, PropertyScope::Any, "Dial", true), pMorph->getValueControl());
    pFigure->getObject()->removeModifier(pMorph);
    EXPECT_EQ(FindNodeProperty(pFigure, PropertyScope::Any, "Dial", true), pShapeDial);

    // Each narrow scope sees only its own place.
    EXPECT_EQ(FindNodeProperty(pFigure, PropertyScope::Node, "Dial", false), nullptr);
    EXPECT_EQ(FindNodeProperty(pFigure, PropertyScope::Modifier, "Dial", false), nullptr);
    EXPECT_EQ(FindNodeProperty(pFigure, PropertyScope::Shape, "Dial", false), pShapeDial);
    EXPECT_EQ(FindNodeProperty(pFigure, PropertyScope(7), "Dial", false), nullptr);
}

TEST_F(SceneAccess, ModifierScopeTakesANamedModifierOnlyWithOneProperty)
{
    DzModifier* pFirst = addModifier("Other", {"Twin"});
    DzModifier* pTwin = addModifier("Twin", {"Twin", "Extra"});
    // Two properties: not taken directly; the first modifier that has the name wins.
    EXPECT_EQ(FindNodeProperty(pFigure, PropertyScope::Modifier, "Twin", true), pFirst->getProperty(0));

    pTwin->removeProperty(pTwin->findProperty("Extra"));
    EXPECT_EQ(FindNodeProperty(pFigure, PropertyScope::Modifier, "Twin", true), pTwin->getProperty(0));
}

TEST_F(SceneAccess, MissesThrowOnlyWhenRequiredWithNamesQuoted)
{
    pFigure->setLabel("My G9");
    EXPECT_EQ(messageOf([&] { FindNodeProperty(pFigure, PropertyScope::Any, "Nope", true); }),
              "node " + q("Genesis9") + " (" + q("My G9") + ") has no property named " + q("Nope"));
    EXPECT_EQ(GetFloatProperty(pFigure, PropertyScope::Any, "Nope", false), nullptr);

    EXPECT_EQ(messageOf([&] { GetFloatProperty(pFigure, PropertyScope::Shape, "SubDIALevel", true); }),
              "expected property " + q("SubDIALevel") + " in node " + q("Genesis9") + " (" + q("My G9") +
                  ") to be a DzFloatProperty but it is DzIntProperty instead");
    EXPECT_EQ(GetFloatProperty(pFigure, PropertyScope::Shape, "SubDIALevel", false), nullptr);
    EXPECT_NE(GetIntProperty(pFigure, PropertyScope::Shape, "SubDIALevel", true), nullptr);

    auto* pPlain = new DzNode;
    pPlain->setName("plain");
    pPlain->setLabel("Plain");
    dzScene->addNode(pPlain);
    EXPECT_EQ(messageOf([&] { FindNodeProperty(pPlain, PropertyScope::Shape, "lodlevel", true); }),
              "node " + q("Plain") + " has no DzShape");
    EXPECT_EQ(messageOf([&] { GetObject(pPlain, true); }),
              "node " + q("plain") + " (" + q("Plain") + ") has no DzObject");
    EXPECT_EQ(GetObject(pPlain, false), nullptr);
    EXPECT_EQ(messageOf([&] { AsFigure(pPlain); }), "node " + q("Plain") + " is not a DzFigure");
    EXPECT_EQ(AsFigure(pFigure), pFigure);

    EXPECT_EQ(messageOf([&] { GetBoneFloatProperty(pFigure, "r_thigh", "ZRotate", true); }),
              "cannot find bone " + q("r_thigh") + " in figure " + q("My G9"));
    EXPECT_EQ(GetBoneFloatProperty(pFigure, "r_thigh", "ZRotate", false), nullptr);
    EXPECT_EQ(GetOwningFigure(nullptr), nullptr);
}

TEST_F(SceneAccess, ResolutionFollowsLodLevel)
{
    EXPECT_EQ(GetNodeResolution(pFigure), NodeResolution::BaseResolution);
    EXPECT_TRUE(SetNodeResolution(pFigure, NodeResolution::HighResolution, true));
    EXPECT_EQ(pFigure->getObject()->getCurrentShape()->getLODControl()->getValue(), 1);
    EXPECT_EQ(GetNodeResolution(pFigure), NodeResolution::HighResolution);

    EXPECT_FALSE(SetNodeResolution(pFigure, NodeResolution::Undefined, false));
    EXPECT_EQ(GetNodeResolution(pFigure), NodeResolution::HighResolution);
    EXPECT_EQ(messageOf([&] { SetNodeResolution(pFigure, NodeResolution::Undefined, true); }),
              "invalid enum value");

    auto* pPlain = new DzNode;
    dzScene->addNode(pPlain);
    EXPECT_EQ(GetNodeResolution(pPlain), NodeResolution::Undefined);
    EXPECT_FALSE(SetNodeResolution(pPlain, NodeResolution::BaseResolution, false));
    EXPECT_THROW(SetNodeResolution(pPlain, NodeResolution::BaseResolution, true), tav::Exception);

    int iLevel = -1;
    EXPECT_TRUE(GetSubdivisionLevel(pFigure, &iLevel));
    EXPECT_EQ(iLevel, 1);
    EXPECT_FALSE(GetSubdivisionLevel(pPlain, &iLevel));
}

TEST_F(SceneAccess, SelectOnlyChangesNothingWhenAlreadySolelySelected)
{
    DzFigure* pOther = scene_access::addFigure("other", "Other");
    pFigure->select(true);
    pOther->select(true);
    EXPECT_EQ(GetSelectedNodes(), (std::vector<DzNode*>{pFigure, pOther}));

    EXPECT_TRUE(SelectOnly(pOther));
    EXPECT_EQ(GetSelectedNodes(), std::vector<DzNode*>{pOther});

    int cChanges = 0;
    QObject::connect(dzScene, &DzScene::nodeSelectionListChanged, [&] { ++cChanges; });
    EXPECT_FALSE(SelectOnly(pOther));
    EXPECT_EQ(cChanges, 0);
    EXPECT_EQ(dzScene->getPrimarySelection(), pOther);
}

TEST(FigureKindFromUri, ClassifiesTheWholeUriIgnoringAsciiCase)
{
    // "DAZ" and "Daz" both occur in the table; case must not matter.
    const std::pair<const char*, FigureKind> aCases[] = {
        {"/data/DAZ%203D/Genesis%203/Female/Genesis3Female.dsf#Genesis3Female", FigureKind::Genesis3Female},
        {"/data/Daz%203D/Genesis%208/Female%208_1/Genesis8_1Female.dsf#Genesis8_1Female", FigureKind::Genesis81Female},
        {"/data/Daz%203D/Genesis%208/Male%208_1/Genesis8_1Male.dsf#Genesis8_1Male", FigureKind::Genesis81Male},
        {"/data/DAZ%203D/Genesis%209/Base/Genesis9.dsf#Genesis9", FigureKind::Genesis9},
        {"/data/daz%203d/genesis%208/male/genesis8male.dsf#genesis8male", FigureKind::Genesis8Male},
        {"/DATA/DAZ%203D/GENESIS%203/MALE/GENESIS3MALE.DSF#GENESIS3MALE", FigureKind::Genesis3Male},
        {"/data/DAZ%203D/Genesis%209/Base/Genesis9.dsf#Genesis9_x", FigureKind::None},
        {"/data/DAZ%203D/Genesis%209/Base/Genesis9.dsf", FigureKind::None},
        {"/data/DAZ%203D/Genesis%202/Female/Genesis2Female.dsf#Genesis2Female", FigureKind::None},
        {"", FigureKind::None},
    };
    for (const auto& [pcszUri, eKind] : aCases)
        EXPECT_EQ(FigureKindFromUri(pcszUri), eKind) << pcszUri;
}

} // namespace
