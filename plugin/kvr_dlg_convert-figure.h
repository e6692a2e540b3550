#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "kvr_params.h"
#include "kvr_types.h"
#include "tv_dlg_base.h"

class DzAppSettings;

// The modal dialog of one conversion. It works live on the target figure: its four base dials
// write the target's properties at once and Auto fits the target's height to the source.
// Convert stores the morph kinds and paths for the next job; Cancel puts the dials back.
// The job reads the choices through the getters after an accepted exec().
class KvrConvertDialog : public tav::DialogBase {
    Q_OBJECT
public:
    // pParams and pAppSettings must outlive the dialog. baseMorphName is the full-figure
    // morph's default name and the stem of the head and body names.
    KvrConvertDialog(QWidget* parent, const KvrParamsPtr& pParams, size_t activeMorphCount,
                     std::string_view baseMorphName, DzAppSettings* pAppSettings);
    ~KvrConvertDialog() override;

    // Full, head and body, whether or not that morph is requested.
    KvrMorphTexts morphPaths() const;
    // The dialog offers no step-by-step confirmation.
    bool confirmSteps() const;
    KvrJobFlags jobFlags() const;
    KvrMorphTexts morphNames() const;
    // The level is the source's subdivision level for Subd, 0 for Base.
    KvrResolution resolution(int* piSubdLevel) const;

    void accept() override;
    void reject() override;

private:
    class Impl;
    std::unique_ptr<Impl> _pImpl;
};
