#pragma once

#include <memory>
#include <string_view>

#include "kvr_params.h"
#include "kvr_report.h"
#include "tv_dlg_base.h"

// The modeless report of a finished conversion: what was converted and how long it took, a
// live dial and a "Show in Parameters" button per new morph, and the saving of checked morphs
// as support assets of the target (shared with the morph results dialog). It shows itself when
// made and deletes itself when closed, so the job makes it with new and forgets it. When the
// target leaves the scene, its rows and Save are disabled and the dialog says so.
class KvrSuccessDialog : private tav::DialogBase {
    Q_OBJECT
public:
    KvrSuccessDialog(QWidget* parent, KvrParamsPtr pParams, const KvrMorphReports& morphs,
                     std::string_view timeText, std::string_view noteText);
    ~KvrSuccessDialog() override;

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
