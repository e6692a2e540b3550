#pragma once

#include <QGroupBox>
#include <QObject>
#include <memory>

#include "kvr_report.h"

class DzFigure;
class DzNode;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace tav {
class DialogBase;
}

// The save settings of a report dialog's form, which the panel drives.
struct KvrSaveWidgets {
    QComboBox* pcboContentLibrary = nullptr;
    QLineEdit* pledVendorName = nullptr;
    QLineEdit* pledProductName = nullptr;
    QCheckBox* pchkCompressFiles = nullptr;
    QPushButton* pbtnSaveMorphAssets = nullptr;
};

// What the Success and morph results dialogs share: the "Newly created morphs" group, a check
// box, a live dial and a "Show in Parameters" button per new morph, and the saving of the
// checked morphs as support assets of the target into the remembered library, vendor and
// product. The target is borrowed and watched: when it leaves the scene every row and the
// save controls are disabled and a line in the group says the figure is gone, so nothing
// calls into it again.
class KvrNewMorphsPanel : public QObject {
    Q_OBJECT
public:
    // Each row property's currentValueChanged() and removed() go to pReceiver's slots
    // slotPropertyValueChanged() and slotPropertyRemoved(), which call the two methods below.
    // With bScrolling the rows scroll inside the group, for long lists.
    KvrNewMorphsPanel(tav::DialogBase* pDialog, QObject* pReceiver, DzFigure* pfigTarget,
                      const KvrMorphReports& morphs, const KvrSaveWidgets& save, bool bScrolling);
    ~KvrNewMorphsPanel() override;

    QGroupBox* group();
    // A row property changed elsewhere: its dial follows. Other senders are ignored.
    void propertyValueChanged(const QObject* pSender);
    // A row property left the scene: its dial and button are disabled.
    void propertyRemoved(const QObject* pSender);

public slots:
    void slotNodeRemoved(DzNode* pNode);
    void slotTargetDestroyed();

private:
    class Impl;
    std::unique_ptr<Impl> _pImpl;
};
