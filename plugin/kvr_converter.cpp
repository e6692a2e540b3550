#include "kvr_converter.h"

#include <QDir>
#include <fmt/format.h>

#include "dzapp.h"
#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "dzscene.h"
#include "tv_daz-helpers-app.h"
#include "tv_exception.h"
#include "tv_identity.h"
#include "tv_str.h"

KvrConverter::KvrConverter(KvrParamsPtr pParams, KvrSourceCheck eCheck)
    : _appSettings(QString::fromUtf8(tav::pcszPluginName)),
      _pContentMgr(tav::daz::GetContentMgr()),
      _pParams(std::move(pParams)),
      _tempDir(tav::ToUtf8(QDir::tempPath()))
{
    _stockPaths.resolveFigures(_pContentMgr);

    DzFigure* pfigSource = _pParams->pfigSource;
    _activeMorphs = tav::daz::NodeMorphs(pfigSource).ActiveMorphs();
    if (_activeMorphs.empty() && eCheck == KvrSourceCheck::NeedsDialledMorphs) {
        throw tav::Exception("source figure {} has no morphs dialed in; nothing to do",
                             tav::ToUtf8(pfigSource->getLabel()));
    }
    _eSourceResolution = tav::daz::GetNodeResolution(pfigSource);
    _title = fmt::format("{} converted to G9", tav::ToUtf8(pfigSource->getLabel()));
}

const std::string& KvrConverter::headSplitDFormerPath()
{
    KvrContentPath& path = _stockPaths.headSplitDFormer;
    if (path.absolute.empty())
        path.absolute = resolveContentPath(_pContentMgr, path.relative);
    return path.absolute;
}

DzFigure* KvrConverter::loadStockFigure(KvrStockFigure eFigure, KvrResolution eResolution, int iSubdLevel)
{
    return ::loadStockFigure(_pContentMgr, _stockPaths, eFigure, eResolution, iSubdLevel);
}

void KvrConverter::setRemembering(DzFloatProperty* pProperty, float fValue)
{
    _mapSavedValues.emplace(pProperty, pProperty->getValue());
    pProperty->setValue(fValue);
}

void KvrConverter::relabelSource(const QString& label)
{
    DzFigure* pfigSource = _pParams->pfigSource;
    _savedSourceLabel = pfigSource->getLabel();
    pfigSource->setLabel(label);
}

void KvrConverter::restoreRemembered()
{
    for (const auto& [pProperty, fValue] : _mapSavedValues)
        pProperty->setValue(fValue);
    _mapSavedValues.clear();
    if (!_savedSourceLabel.isEmpty()) {
        _pParams->pfigSource->setLabel(_savedSourceLabel);
        _savedSourceLabel.clear();
    }
}

void KvrConverter::adoptTempNodes(const std::vector<DzNode*>& nodes)
{
    _tempNodes.assign(nodes.begin(), nodes.end());
}

void KvrConverter::removeTempNodes()
{
    for (const QPointer<DzNode>& pNode : _tempNodes) {
        if (pNode && dzScene->findNodeIndex(pNode) != -1)
            dzScene->removeNode(pNode);
    }
    _tempNodes.clear();
    noteChange(KvrJobChange::HeadSplitLoaded, false);
}
