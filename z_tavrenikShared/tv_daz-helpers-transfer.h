#pragma once

#include <QStringList>
#include <memory>
#include <vector>

#include "tv_daz-helpers-scene-morphs.h"

class DzNode;
class QObject;

namespace tav::daz {

// The host's Transfer Utility, driven through its scripting object by method signature.
// Owns the host object; hold it by shared pointer (Create).
class TransferUtility {
public:
    // Throws when the host has no "DzTransferUtility" factory or a method is missing.
    static std::shared_ptr<TransferUtility> Create();

    explicit TransferUtility(QObject* pObject);
    ~TransferUtility();
    TransferUtility(const TransferUtility&) = delete;
    TransferUtility& operator=(const TransferUtility&) = delete;

    bool setSource(DzNode* pNode);
    bool setTarget(DzNode* pNode);
    void setTransferMorphs(bool b);
    void setTransferSourceMorphs(int i);
    void setOverrideExistingMorphs(bool b);
    void setTransferBinding(bool b);
    void setTransferSelectionMap(bool b);
    void setTransferFaceGroups(bool b);
    void setTransferRegionGroups(bool b);
    void setTargetReplacesSource(bool b);
    void setParentToFigure(bool b);
    void setMorphTransferList(const QStringList& names);
    bool doTransfer();

private:
    QObject* _pObject;
};

// Carries the named morphs of `pSource` (every morph when `pMorphs` is null or empty) onto
// `pTarget` with the Transfer Utility; only the records' names are used. Throws
// "Transfer Utility failed" when the tool reports failure.
void transferMorphs(DzNode* pSource, DzNode* pTarget, const std::vector<ActiveMorph>* pMorphs);

// How many times the method table has been resolved in this process (for tests).
int TransferUtilityTableResolutions();

} // namespace tav::daz
