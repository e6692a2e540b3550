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

// The whole command. A source with no morph dialled is converted one morph at a time all the
// same: the dialog opens (the figure job would refuse it). With a morph dialled, it is checked at
// first, Convert runs the batch, the results dialog shows and the target has the new morph.
TEST(MorphBatchAction, TheDialogOpensOnAnUndialledSourceAndConvertShowsTheResults)
{
    ConversionScene scene;
    scene.loadFigures(genesis8Female);
    dialOnly(scene.source(), {});
    dzScene->selectAllNodes(false);
    scene.source()->select(true);
    scene.target()->select(true);
    const size_t cMorphsBefore = tav::daz::NodeMorphs(scene.target()).all().size();
    MessageBoxCloser boxes;
    {
        ModalAnswerer<KvrConvertMorphsDialog> cancel([](KvrConvertMorphsDialog& dialog) { dialog.reject(); });
        KvrConvertMorphsAction().trigger();
        EXPECT_EQ(cancel.count(), 1);
    }

    dialOnly(scene.source(), {{"head_ctrl_NoseWidth", 1.0f}});
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
