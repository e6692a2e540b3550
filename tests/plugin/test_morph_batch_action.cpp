// The morphs action's command on a selection that fits.
#include <gtest/gtest.h>

#include <QApplication>

#include "../gui/gui_test_helpers.h"
#include "conversion_fixture.h"
#include "dzscene.h"
#include "kvr_actions.h"
#include "kvr_dlg_convert-morphs.h"
#include "test_morph_batch_judge.h"
#include "tv_daz-helpers-scene-morphs.h"
#include "tv_daz-helpers-scene.h"

namespace {

// A source with no morph dialled is converted one morph at a time all the same: the dialog
// opens (the figure job would refuse it).
TEST(MorphBatchAction, ASourceWithNothingDialledOpensTheDialog)
{
    ConversionScene scene;
    scene.loadFigures(genesis8Female);
    dialOnly(scene.source(), {});
    dzScene->selectAllNodes(false);
    scene.source()->select(true);
    scene.target()->select(true);
    MessageBoxCloser boxes;
    int cDialogs = 0;
    ModalAnswerer<KvrConvertMorphsDialog> convert([&](KvrConvertMorphsDialog& dialog) {
        ++cDialogs;
        dialog.reject();
    });
    KvrConvertMorphsAction().trigger();
    EXPECT_EQ(cDialogs, 1);
    EXPECT_TRUE(boxes.seen.empty()) << boxes.seen[0].text.toStdString();
}

// The whole command: the dialled morph is checked at first, Convert runs the batch, the results
// dialog shows and the target has the new morph.
TEST(MorphBatchAction, ConvertRunsTheBatchAndShowsItsResults)
{
    ConversionScene scene;
    scene.loadFigures(genesis8Female);
    dialOnly(scene.source(), {{"head_ctrl_NoseWidth", 1.0f}});
    dzScene->selectAllNodes(false);
    scene.source()->select(true);
    scene.target()->select(true);
    const size_t cMorphsBefore = tav::daz::NodeMorphs(scene.target()).all().size();
    MessageBoxCloser boxes;
    ModalAnswerer<KvrConvertMorphsDialog> convert([](KvrConvertMorphsDialog& dialog) { dialog.accept(); });
    KvrConvertMorphsAction().trigger();

    EXPECT_TRUE(boxes.seen.empty()) << boxes.seen[0].text.toStdString();
    EXPECT_EQ(tav::daz::NodeMorphs(scene.target()).all().size(), cMorphsBefore + 1);
    int cResults = 0;
    for (QWidget* pWidget : QApplication::topLevelWidgets()) {
        if (pWidget->isVisible() && pWidget->inherits("KvrMorphResultsDialog")) {
            ++cResults;
            pWidget->close();
        }
    }
    EXPECT_EQ(cResults, 1);
}

} // namespace
