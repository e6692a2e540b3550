#pragma once

#include <memory>
#include <string_view>

#include "kvr_morph-batch.h"
#include "kvr_params.h"
#include "tv_dlg_base.h"

// The modeless report of a batch of single-morph conversions, in the Success dialog's form: a
// live dial and a "Show in Parameters" button per new morph (scrolling when there are many),
// the saving of the checked ones as support assets, the source morphs that changed nothing
// listed as skipped, and a word when the user cancelled the batch. It shows itself when made
// and deletes itself when closed, so the command makes it with new and forgets it.
class KvrMorphResultsDialog : private tav::DialogBase {
    Q_OBJECT
public:
    KvrMorphResultsDialog(QWidget* parent, KvrParamsPtr pParams, const KvrMorphBatchResult& result,
                          std::string_view timeText);
    ~KvrMorphResultsDialog() override;

    void done(int iResult) override;

public slots:
    // A new morph's property changed elsewhere: its dial follows.
    void slotPropertyValueChanged();
    // A new morph's property left the scene: its dial and button are disabled.
    void slotPropertyRemoved();

private:
    class Impl;
    std::unique_ptr<Impl> _pImpl;
};
