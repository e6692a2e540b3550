#include <gtest/gtest.h>

#include "dzapp.h"
#include "replaced_factory.h"
#include "dznode.h"
#include "dzscene.h"
#include "dztransferutility.h"
#include "test_app.h"
#include "test_scene_access_scene.h"
#include "tv_daz-helpers-transfer.h"
#include "tv_exception.h"

namespace {

// What the tool was asked, in order.
QStringList callLog;
bool bTransferResult = true;

// The host tool with every call written to the log; its answers to setSource and setTarget
// are always "no".
class RecordingTransfer : public DzTransferUtility {
public:
    bool setSource(DzNode* n) override { return note("setSource", n ? n->getLabel() : "null"), false; }
    bool setTarget(DzNode* n) override { return note("setTarget", n ? n->getLabel() : "null"), false; }
    void setTransferMorphs(bool b) override { note("setTransferMorphs", b); }
    void setTransferSourceMorphs(int i) override { note("setTransferSourceMorphs", QString::number(i)); }
    void setMorphTransferList(const QStringList& l) override { note("setMorphTransferList", l.join('|')); }
    void setOverrideExistingMorphs(bool b) override { note("setOverrideExistingMorphs", b); }
    void setTransferBinding(bool b) override { note("setTransferBinding", b); }
    void setTransferSelectionMap(bool b) override { note("setTransferSelectionMap", b); }
    void setTransferFaceGroups(bool b) override { note("setTransferFaceGroups", b); }
    void setTransferRegionGroups(bool b) override { note("setTransferRegionGroups", b); }
    void setTargetReplacesSource(bool b) override { note("setTargetReplacesSource", b); }
    void setParentToFigure(bool b) override { note("setParentToFigure", b); }
    bool doTransfer() override { return note("doTransfer", QString()), bTransferResult; }

private:
    static void note(const char* method, const QString& value)
    {
        callLog << QString("%1(%2)").arg(method, value);
    }
    static void note(const char* method, bool b) { note(method, QString(b ? "true" : "false")); }
};

// A host whose "DzTransferUtility" factory makes recording tools.
struct RecordingHost {
    TestApp app;
    ReplacedFactory factory{DzTransferUtility::staticMetaObject, makes<RecordingTransfer>()};
    DzNode* source = named("Stock Mesh");
    DzNode* target = named("tempg9-x");

    RecordingHost()
    {
        callLog.clear();
        bTransferResult = true;
    }

    static DzNode* named(const QString& label)
    {
        auto* node = new DzNode;
        node->setLabel(label);
        dzScene->addNode(node);
        return node;
    }
};

const QStringList kFixedStart = {
    "setSource(Stock Mesh)",          "setTarget(tempg9-x)",
    "setParentToFigure(false)",       "setTransferBinding(true)",
    "setTransferSelectionMap(true)",  "setTransferFaceGroups(true)",
    "setTransferRegionGroups(true)",  "setTransferMorphs(true)",
};
const QStringList kFixedEnd = {"setOverrideExistingMorphs(true)", "setTargetReplacesSource(false)",
                               "doTransfer()"};

} // namespace

// One tool per transfer, released after it; the method table is resolved once for all of them.
TEST(TransferMorphs, AListSendsListedMorphsInOrderAndNoListSendsEveryMorphDespiteRefusedNodes)
{
    RecordingHost host;
    const std::vector<tav::daz::ActiveMorph> listed = {{"Temporary high-res morph", 1.0f}, {"Ünïcode", 0.5f}};
    const std::vector<tav::daz::ActiveMorph> none;
    const std::pair<const std::vector<tav::daz::ActiveMorph>*, QStringList> aCases[] = {
        {&listed, {"setTransferSourceMorphs(1)", "setMorphTransferList(Temporary high-res morph|Ünïcode)"}},
        {&none, {"setTransferSourceMorphs(5)"}},
        {nullptr, {"setTransferSourceMorphs(5)"}},
    };
    for (const auto& [pMorphs, middle] : aCases) {
        callLog.clear();
        tav::daz::transferMorphs(host.source, host.target, pMorphs);
        EXPECT_EQ(callLog, kFixedStart + middle + kFixedEnd);
        EXPECT_EQ(host.factory.cLive, 0);
    }
    EXPECT_EQ(tav::daz::TransferUtilityTableResolutions(), 1);

    bTransferResult = false;
    EXPECT_EQ(scene_access::messageOf([&] { tav::daz::transferMorphs(host.source, host.target, nullptr); }),
              "Transfer Utility failed");
    EXPECT_EQ(host.factory.cLive, 0);
}

TEST(TransferMorphs, AHostWithoutTheToolIsAnError)
{
    TestApp app;
    app->unregisterClassFactory(app->findClassFactory("DzTransferUtility"));
    EXPECT_EQ(scene_access::messageOf([] { tav::daz::transferMorphs(nullptr, nullptr, nullptr); }),
              "cannot find DzTransferUtility class factory");
}
