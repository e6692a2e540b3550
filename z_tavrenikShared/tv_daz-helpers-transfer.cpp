#include "tv_daz-helpers-transfer.h"

#include <QMetaMethod>
#include <QObject>
#include <array>
#include <atomic>
#include <mutex>

#include "dzapp.h"
#include "dzclassfactory.h"
#include "dznode.h"
#include "tv_daz-helpers-objects.h"
#include "tv_exception.h"
#include "tv_str.h"

namespace tav::daz {
namespace {

constexpr std::array<const char*, 13> aSignatures = {
    "setSource(DzNode*)",
    "setTarget(DzNode*)",
    "setTransferMorphs(bool)",
    "setTransferSourceMorphs(int)",
    "setOverrideExistingMorphs(bool)",
    "setTransferBinding(bool)",
    "setTransferSelectionMap(bool)",
    "setTransferFaceGroups(bool)",
    "setTransferRegionGroups(bool)",
    "setTargetReplacesSource(bool)",
    "setParentToFigure(bool)",
    "setMorphTransferList(QStringList)",
    "doTransfer()",
};

enum Method : size_t {
    eSetSource, eSetTarget, eSetTransferMorphs, eSetTransferSourceMorphs,
    eSetOverrideExistingMorphs, eSetTransferBinding, eSetTransferSelectionMap,
    eSetTransferFaceGroups, eSetTransferRegionGroups, eSetTargetReplacesSource,
    eSetParentToFigure, eSetMorphTransferList, eDoTransfer,
};

std::once_flag onceResolved;
std::array<QMetaMethod, aSignatures.size()> aMethods;
std::atomic<int> cTableResolutions{0};

void ResolveTable(const QObject* pObject)
{
    std::call_once(onceResolved, [pObject] {
        for (size_t i = 0; i < aSignatures.size(); ++i)
            aMethods[i] = ResolveMethod(pObject->metaObject(), aSignatures[i]);
        ++cTableResolutions;
    });
}

void Invoke(QObject* pObject, Method eMethod, QGenericReturnArgument ret,
            QGenericArgument arg = QGenericArgument())
{
    const QMetaMethod& method = aMethods[eMethod];
    if (!method.invoke(pObject, Qt::DirectConnection, ret, arg))
        throw Exception("failed to invoke {}::{}", "QObject", method.methodSignature().constData());
}

template <typename T>
void Set(QObject* pObject, Method eMethod, const char* pcszType, const T& value)
{
    Invoke(pObject, eMethod, QGenericReturnArgument(), QGenericArgument(pcszType, &value));
}

bool SetNode(QObject* pObject, Method eMethod, DzNode* pNode)
{
    bool bResult = false;
    Invoke(pObject, eMethod, Q_RETURN_ARG(bool, bResult), QGenericArgument("DzNode*", &pNode));
    return bResult;
}

} // namespace

std::shared_ptr<TransferUtility> TransferUtility::Create()
{
    DzClassFactory* pFactory = dzApp ? dzApp->findClassFactory("DzTransferUtility") : nullptr;
    if (!pFactory)
        throw Exception(std::string_view("cannot find DzTransferUtility class factory"));
    QObject* pObject = pFactory->createInstance();
    if (!pObject)
        throw Exception("{} factory failed to create object", "DzTransferUtility");
    auto pUtility = std::make_shared<TransferUtility>(pObject);
    ResolveTable(pUtility->_pObject);
    return pUtility;
}

TransferUtility::TransferUtility(QObject* pObject) : _pObject(pObject) {}

TransferUtility::~TransferUtility() { delete _pObject; }

bool TransferUtility::setSource(DzNode* pNode) { return SetNode(_pObject, eSetSource, pNode); }
bool TransferUtility::setTarget(DzNode* pNode) { return SetNode(_pObject, eSetTarget, pNode); }
void TransferUtility::setTransferMorphs(bool b) { Set(_pObject, eSetTransferMorphs, "bool", b); }
void TransferUtility::setTransferSourceMorphs(int i) { Set(_pObject, eSetTransferSourceMorphs, "int", i); }
void TransferUtility::setOverrideExistingMorphs(bool b) { Set(_pObject, eSetOverrideExistingMorphs, "bool", b); }
void TransferUtility::setTransferBinding(bool b) { Set(_pObject, eSetTransferBinding, "bool", b); }
void TransferUtility::setTransferSelectionMap(bool b) { Set(_pObject, eSetTransferSelectionMap, "bool", b); }
void TransferUtility::setTransferFaceGroups(bool b) { Set(_pObject, eSetTransferFaceGroups, "bool", b); }
void TransferUtility::setTransferRegionGroups(bool b) { Set(_pObject, eSetTransferRegionGroups, "bool", b); }
void TransferUtility::setTargetReplacesSource(bool b) { Set(_pObject, eSetTargetReplacesSource, "bool", b); }
void TransferUtility::setParentToFigure(bool b) { Set(_pObject, eSetParentToFigure, "bool", b); }

void TransferUtility::setMorphTransferList(const QStringList& names)
{
    Set(_pObject, eSetMorphTransferList, "QStringList", names);
}

bool TransferUtility::doTransfer()
{
    bool bResult = false;
    Invoke(_pObject, eDoTransfer, Q_RETURN_ARG(bool, bResult));
    return bResult;
}

void transferMorphs(DzNode* pSource, DzNode* pTarget, const std::vector<ActiveMorph>* pMorphs)
{
    const std::shared_ptr<TransferUtility> pUtility = TransferUtility::Create();
    // The tool's answers to these two are not a verdict; doTransfer's is.
    pUtility->setSource(pSource);
    pUtility->setTarget(pTarget);
    pUtility->setParentToFigure(false);
    pUtility->setTransferBinding(true);
    pUtility->setTransferSelectionMap(true);
    pUtility->setTransferFaceGroups(true);
    pUtility->setTransferRegionGroups(true);
    pUtility->setTransferMorphs(true);
    if (pMorphs && !pMorphs->empty()) {
        pUtility->setTransferSourceMorphs(1);
        QStringList names;
        for (const ActiveMorph& morph : *pMorphs)
            names.append(ToQString(morph.name));
        pUtility->setMorphTransferList(names);
    } else {
        pUtility->setTransferSourceMorphs(5);
    }
    pUtility->setOverrideExistingMorphs(true);
    pUtility->setTargetReplacesSource(false);
    if (!pUtility->doTransfer())
        throw Exception(std::string_view("Transfer Utility failed"));
}

int TransferUtilityTableResolutions() { return cTableResolutions; }

} // namespace tav::daz
