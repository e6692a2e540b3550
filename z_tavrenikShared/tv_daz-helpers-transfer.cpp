#include "tv_daz-helpers-transfer.h"

#include <QObject>
#include <array>

#include "dzapp.h"
#include "dzclassfactory.h"
#include "dznode.h"
#include "dztransferutility.h"
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

MethodTable<aSignatures.size()> methods(aSignatures);

template <typename T>
void Set(QObject* pObject, const char* pcszSignature, const char* pcszType, const T& value)
{
    InvokeMethod(pObject, methods.Method(pcszSignature), QGenericReturnArgument(), QGenericArgument(pcszType, &value));
}

bool SetNode(QObject* pObject, const char* pcszSignature, DzNode* pNode)
{
    bool bResult = false;
    InvokeMethod(pObject, methods.Method(pcszSignature), Q_RETURN_ARG(bool, bResult), QGenericArgument("DzNode*", &pNode));
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
    methods.Resolve(pUtility->_pObject);
    return pUtility;
}

TransferUtility::TransferUtility(QObject* pObject) : _pObject(pObject) {}

TransferUtility::~TransferUtility() { delete _pObject; }

bool TransferUtility::setSource(DzNode* pNode) { return SetNode(_pObject, "setSource(DzNode*)", pNode); }
bool TransferUtility::setTarget(DzNode* pNode) { return SetNode(_pObject, "setTarget(DzNode*)", pNode); }
void TransferUtility::setTransferMorphs(bool b) { Set(_pObject, "setTransferMorphs(bool)", "bool", b); }
void TransferUtility::setTransferSourceMorphs(int i) { Set(_pObject, "setTransferSourceMorphs(int)", "int", i); }
void TransferUtility::setOverrideExistingMorphs(bool b) { Set(_pObject, "setOverrideExistingMorphs(bool)", "bool", b); }
void TransferUtility::setTransferBinding(bool b) { Set(_pObject, "setTransferBinding(bool)", "bool", b); }
void TransferUtility::setTransferSelectionMap(bool b) { Set(_pObject, "setTransferSelectionMap(bool)", "bool", b); }
void TransferUtility::setTransferFaceGroups(bool b) { Set(_pObject, "setTransferFaceGroups(bool)", "bool", b); }
void TransferUtility::setTransferRegionGroups(bool b) { Set(_pObject, "setTransferRegionGroups(bool)", "bool", b); }
void TransferUtility::setTargetReplacesSource(bool b) { Set(_pObject, "setTargetReplacesSource(bool)", "bool", b); }
void TransferUtility::setParentToFigure(bool b) { Set(_pObject, "setParentToFigure(bool)", "bool", b); }

void TransferUtility::setMorphTransferList(const QStringList& names)
{
    Set(_pObject, "setMorphTransferList(QStringList)", "QStringList", names);
}

bool TransferUtility::doTransfer()
{
    bool bResult = false;
    InvokeMethod(_pObject, methods.Method("doTransfer()"), Q_RETURN_ARG(bool, bResult));
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
        pUtility->setTransferSourceMorphs(DzTransferUtility::ListedSourceMorphs);
        QStringList names;
        for (const ActiveMorph& morph : *pMorphs)
            names.append(ToQString(morph.name));
        pUtility->setMorphTransferList(names);
    } else {
        pUtility->setTransferSourceMorphs(DzTransferUtility::AllSourceMorphs);
    }
    pUtility->setOverrideExistingMorphs(true);
    pUtility->setTargetReplacesSource(false);
    if (!pUtility->doTransfer())
        throw Exception(std::string_view("Transfer Utility failed"));
}

int TransferUtilityTableResolutions() { return methods.Resolutions(); }

} // namespace tav::daz
