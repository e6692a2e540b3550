#include <QApplication>
#include <QCursor>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include "dzassetiomgr.h"
#include "dzfileiosettings.h"
#include "dzmorphsupportassetfilter.h"
#include "dznode.h"
#include "dzscene.h"
#include "test_app.h"
#include "test_scene_access_scene.h"
#include "tv_daz-helpers-assets.h"
#include "tv_exception.h"

namespace {

// The options of the last save and the code to answer with.
QString lastOptionsJson;
int iNextResult = 0;
Qt::CursorShape eCursorDuringSave = Qt::ArrowCursor;

// The host filter with its saving replaced by a record of the options.
class RecordingFilter : public DzMorphSupportAssetFilter {
public:
    DzError doSave(DzFileIOSettings* options, const QString&, const QString&) override
    {
        lastOptionsJson = options->toJsonString();
        const QCursor* pCursor = QApplication::overrideCursor();
        eCursorDuringSave = pCursor ? pCursor->shape() : Qt::ArrowCursor;
        return iNextResult;
    }
};

struct RecordingHost {
    TestApp app;
    DzNode* figure = new DzNode;

    RecordingHost()
    {
        DzAssetIOMgr* mgr = app->getAssetIOMgr();
        mgr->removeFilter(mgr->getFilter(mgr->findFilter("DzMorphSupportAssetFilter")));
        mgr->addFilter(new RecordingFilter);
        figure->setName("Genesis9");
        figure->setLabel("Genesis 9 (2)");
        dzScene->addNode(figure);
        lastOptionsJson.clear();
        iNextResult = 0;
    }

    QJsonObject lastOptions() const
    {
        return QJsonDocument::fromJson(lastOptionsJson.toUtf8()).object();
    }
};

} // namespace

TEST(SaveMorphSupportAssets, SendsTheOptionsWithNestedMorphNamesAndReportsTheHostsAnswer)
{
    RecordingHost host;
    EXPECT_TRUE(tav::daz::SaveMorphSupportAssets(host.figure, "/lib/Mine", "Tävrenik", "Kelvaro",
                                                 {"FullBody", "Head", "Body"}, true));
    const QJsonObject options = host.lastOptions();
    EXPECT_EQ(options["RootLabel"].toString(), "Genesis 9 (2)");
    EXPECT_EQ(options["BaseDataPath"].toString(), "/lib/Mine");
    EXPECT_EQ(options["VendorName"].toString(), "Tävrenik");
    EXPECT_EQ(options["ProductName"].toString(), "Kelvaro");
    EXPECT_TRUE(options["RunSilent"].toBool());
    EXPECT_TRUE(options["CompressOutput"].toBool());
    EXPECT_EQ(QJsonDocument(options["NodeNames"].toObject()).toJson(QJsonDocument::Compact).toStdString(),
              R"({"Genesis9":{"0":"FullBody","1":"Head","2":"Body"}})");

    EXPECT_TRUE(tav::daz::SaveMorphSupportAssets(host.figure, "/lib", "V", "P", {"Only"}, false));
    EXPECT_FALSE(host.lastOptions()["CompressOutput"].toBool());

    // Cancel is false; other codes throw with the host's text.
    iNextResult = 100;
    EXPECT_FALSE(tav::daz::SaveMorphSupportAssets(host.figure, "/lib", "V", "P", {"A"}, false));

    iNextResult = DZ_WRITE_FILE_ERROR;
    const std::string text = host.app->getAssetIOMgr()->getErrorMessage(DZ_WRITE_FILE_ERROR).toStdString();
    EXPECT_EQ(scene_access::messageOf([&] {
                  tav::daz::SaveMorphSupportAssets(host.figure, "/lib", "V", "P", {"A"}, false);
              }),
              "Daz Studio asset IO manager reported: " + text);
    EXPECT_EQ(eCursorDuringSave, Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
