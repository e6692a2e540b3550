#include <gtest/gtest.h>

#include "dzintproperty.h"
#include "dzmorphdeltas.h"
#include "test_scene_access_scene.h"
#include "tv_daz-helpers-scene-morphs.h"
#include "tv_daz-helpers-scene.h"
#include "tv_daz-helpers-tracker.h"
#include "tv_exception.h"

using namespace tav::daz;
using scene_access::addMorph;
using scene_access::messageOf;
using scene_access::q;

namespace {

class MorphAccess : public ::testing::Test {
protected:
    TestApp app;
    DzFigure* pFigure = scene_access::addFigure();
};

TEST_F(MorphAccess, FindMorphAndItsValueProperty)
{
    DzMorph* pMorph = addMorph(pFigure, "body_bs_ProportionHeight");
    EXPECT_EQ(FindMorph(pFigure, "body_bs_ProportionHeight"), pMorph);
    EXPECT_EQ(GetMorphValueProperty(pMorph), pMorph->getValueControl());

    EXPECT_EQ(messageOf([&] { FindMorph(pFigure, "Missing"); }),
              "cannot find morph " + q("Missing") + " in node " + q("Genesis 9"));

    pMorph->addProperty(new DzFloatProperty("Second"));
    EXPECT_EQ(messageOf([&] { GetMorphValueProperty(pMorph); }),
              "internal error: expected morph " + q("body_bs_ProportionHeight") +
                  " to have exactly one property, but it has 2");
    EXPECT_THROW(NodeMorphs{pFigure}, tav::Exception);

    pMorph->removeProperty(pMorph->getValueControl());
    pMorph->removeProperty(pMorph->findProperty("Second"));
    pMorph->addProperty(new DzIntProperty("body_bs_ProportionHeight"));
    EXPECT_EQ(messageOf([&] { GetMorphValueProperty(pMorph); }),
              "property of morph " + q("body_bs_ProportionHeight") + " is not a DzFloatProperty");
}

TEST_F(MorphAccess, CatalogueKeepsModifierOrderAndIndexesNameAndLabel)
{
    DzMorph* pA = addMorph(pFigure, "A");
    DzMorph* pB = addMorph(pFigure, "B");
    pB->getValueControl()->setLabel("Bee");
    pB->getValueControl()->setFavorite(true);
    pB->getValueControl()->setPath("Actor/Morphs");
    pB->getDeltas()->setUri(DzUri("/data/DAZ%203D/Genesis%209/Base/Morphs/B.dsf#B"));
    pA->getDeltas()->setUri(DzUri("C:/elsewhere/A.dsf#A"));

    NodeMorphs morphs(pFigure);
    ASSERT_EQ(morphs.all().size(), 2u);
    EXPECT_EQ(morphs.all()[0]->pMorph, pA);
    EXPECT_EQ(morphs.all()[1]->pMorph, pB);
    ASSERT_EQ(morphs.favorites().size(), 1u);
    EXPECT_EQ(morphs.favorites()[0], morphs.all()[1]);
    EXPECT_EQ(morphs.byLabel().at("Bee"), morphs.byName().at("B"));

    const tav::MorphInfo& b = *morphs.byName().at("B");
    EXPECT_TRUE(b.isInLibrary);
    EXPECT_EQ(b.path, "Actor/Morphs");
    EXPECT_FALSE(morphs.byName().at("A")->isInLibrary);

    // A plain property of the node wins over a morph of the same name.
    auto* pNodeDial = new DzFloatProperty("B");
    pFigure->addProperty(pNodeDial);
    int iKind = -1;
    EXPECT_EQ(morphs.FindProperty("B", &iKind), pNodeDial);
    EXPECT_EQ(iKind, 1);
    EXPECT_EQ(morphs.FindProperty("A", &iKind), pA->getValueControl());
    EXPECT_EQ(iKind, 0);
    auto* pPrivate = new DzFloatProperty("Hidden", true);
    pFigure->addPrivateProperty(pPrivate);
    EXPECT_EQ(morphs.FindProperty("Hidden", nullptr), pPrivate);
    EXPECT_EQ(messageOf([&] { morphs.FindProperty("Bee", nullptr); }),
              "failed to find property " + q("Bee") + " in node " + q("Genesis 9"));
}

TEST_F(MorphAccess, TrackerRecordsOnlyNodesAddedWhileItLivesAndStillThere)
{
    NodeAdditionTracker tracker;
    DzFigure* pAdded = scene_access::addFigure("added", "Added");
    DzFigure* pGone = scene_access::addFigure("gone", "Gone");
    dzScene->removeNode(pGone);
    EXPECT_EQ(tracker.nodes(), std::vector<DzNode*>{pAdded});
    EXPECT_EQ(tracker.findByLabel("Added"), pAdded);
    EXPECT_EQ(tracker.findByLabel("Genesis 9"), nullptr);

    NodeAdditionTracker children(pFigure);
    auto* pChild = new DzNode;
    pFigure->addNodeChild(pChild);
    scene_access::addFigure("root", "Root");
    EXPECT_EQ(children.nodes(), std::vector<DzNode*>{pChild});

    tracker.stop();
    scene_access::addFigure("late", "Late");
    EXPECT_EQ(tracker.findByLabel("Late"), nullptr);
}

} // namespace
