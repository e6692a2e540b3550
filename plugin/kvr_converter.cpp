#include "kvr_converter.h"

#include <QDir>

#include "dzapp.h"
#include "dzfigure.h"
#include "kvr_convert-figure-select.h"
#include "tv_exception.h"
#include "tv_identity.h"
#include "tv_log.h"
#include "tv_str.h"

void KvrConverter::exec_X([[maybe_unused]] QWidget* parent)
{
    // The Leaving line is written also when the job unwinds with an exception.
    tav::ScopeLog scopeLog("KvrConverter::exec_X()");
    KvrConverter job(validateSelection());
}

DzContentMgr* KvrConverter::requireContentMgr()
{
    DzContentMgr* pContentMgr = dzApp->getContentMgr();
    if (!pContentMgr)
        throw tav::Exception(std::string_view("failed to get Daz Studio content manager"));
    return pContentMgr;
}

KvrConverter::KvrConverter(KvrParamsPtr pParams)
    : _appSettings(QString::fromUtf8(tav::pcszPluginName)),
      _pContentMgr(requireContentMgr()),
      _pParams(std::move(pParams)),
      _tempDir(tav::ToUtf8(QDir::tempPath()))
{
    _stockPaths.resolveFigures(_pContentMgr);

    DzFigure* pfigSource = _pParams->pfigSource;
    _activeMorphs = tav::daz::NodeMorphs(pfigSource).ActiveMorphs();
    if (_activeMorphs.empty()) {
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
