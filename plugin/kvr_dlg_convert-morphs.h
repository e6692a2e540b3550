#pragma once

#include <memory>
#include <vector>

#include "kvr_morph-batch.h"
#include "kvr_params.h"
#include "tv_dlg_base.h"

class DzAppSettings;
class QKeyEvent;

// The modal dialog of a batch of single-morph conversions. It lists the source's morphs in
// catalogue order, each with a check box, its label, property group and current value; at
// first the dialled ones are checked. The filter matches label or group; "Check all", "Check
// none" and "Check dialled" act on the rows the filter shows and leave hidden rows as they
// are, so a user can build a choice group by group.
//
// Each checked morph becomes one morph, or a head and a body morph whose names are the
// pattern's with " Head" and " Body" appended and whose path is the same. The name pattern
// and the property path take {label} (the source morph's label) and {source} (the source's
// kind, "G8.1F"). Convert stays disabled, and a line says why naming the morph, while no morph
// is checked, a name is empty, the target already has a morph of a name, or two checked
// morphs would give one name. The morph kind and both patterns are remembered on Convert.
class KvrConvertMorphsDialog : public tav::DialogBase {
    Q_OBJECT
public:
    // pParams (from validateSelection) and pAppSettings must outlive the dialog.
    KvrConvertMorphsDialog(QWidget* parent, const KvrParamsPtr& pParams,
                           std::vector<KvrSourceMorph> catalogue, DzAppSettings* pAppSettings);
    ~KvrConvertMorphsDialog() override;

    // After an accepted exec(): the checked morphs in catalogue order with their names and paths,
    // the morph kinds (FullFigureMorph, or HeadMorph|BodyMorph) and the resolution.
    KvrMorphBatchOptions options() const;

    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;

public slots:
    void slotFilterChanged(const QString& text);
    void slotMorphItemChanged();
    void slotPatternChanged();

private:
    class Impl;
    std::unique_ptr<Impl> _pImpl;
};
