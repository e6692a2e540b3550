#include "kvr_convert-figure-stock.h"

#include "dzapp.h"
#include "dzcontentmgr.h"
#include "dzfigure.h"
#include "dzintproperty.h"
#include "dzscene.h"
#include "tv_daz-helpers-scene.h"
#include "tv_daz-helpers-tracker.h"
#include "tv_exception.h"
#include "tv_str.h"
#include "tv_wait-cursor.h"

namespace {

struct StockEntry {
    KvrStockFigure eFigure;
    const char* pcszName;  // the figure's label once loaded
    const char* pcszPath;  // relative to a content library
};

const StockEntry aStock[] = {
    {KvrStockFigure::Genesis3Female, "Genesis 3 Female", "People/Genesis 3 Female/Genesis 3 Female.duf"},
    {KvrStockFigure::Genesis3Male, "Genesis 3 Male", "People/Genesis 3 Male/Genesis 3 Male.duf"},
    {KvrStockFigure::Genesis8FemaleDevLoad, "Genesis 8 Female",
     "People/Genesis 8 Female/Developer Kit/Genesis 8 Female Dev Load.duf"},
    {KvrStockFigure::Genesis8MaleDevLoad, "Genesis 8 Male",
     "People/Genesis 8 Male/Developer Kit/Genesis 8 Male Dev Load.duf"},
    {KvrStockFigure::Genesis9DevLoad, "Genesis 9", "People/Genesis 9/Developer Kit/Genesis 9 Dev Load.duf"},
    {KvrStockFigure::Genesis9, "Genesis 9", "People/Genesis 9/Genesis 9.duf"},
};

const char* const pcszHeadSplitDFormer = "People/Genesis 9/Developer Kit/G9 HeadSplit DFormer.duf";

const StockEntry* FindStock(KvrStockFigure eFigure)
{
    for (const StockEntry& entry : aStock) {
        if (entry.eFigure == eFigure)
            return &entry;
    }
    return nullptr;
}

KvrContentPath StockPath(KvrStockFigure eFigure)
{
    return {FindStock(eFigure)->pcszPath, {}};
}

} // namespace

KvrStockPaths::KvrStockPaths()
    : genesis9DevLoad(StockPath(KvrStockFigure::Genesis9DevLoad)),
      genesis9(StockPath(KvrStockFigure::Genesis9)),
      headSplitDFormer{pcszHeadSplitDFormer, {}},
      genesis8FemaleDevLoad(StockPath(KvrStockFigure::Genesis8FemaleDevLoad)),
      genesis8MaleDevLoad(StockPath(KvrStockFigure::Genesis8MaleDevLoad)),
      genesis3Female(StockPath(KvrStockFigure::Genesis3Female)),
      genesis3Male(StockPath(KvrStockFigure::Genesis3Male))
{
}

void KvrStockPaths::resolveFigures(DzContentMgr* pContentMgr)
{
    // Every stock figure must be installed, whatever the source generation.
    for (KvrContentPath* pPath : {&genesis9DevLoad, &genesis9, &genesis8FemaleDevLoad, &genesis8MaleDevLoad,
                                  &genesis3Female, &genesis3Male})
        pPath->absolute = resolveContentPath(pContentMgr, pPath->relative);
}

const KvrContentPath* KvrStockPaths::figure(KvrStockFigure eFigure) const
{
    switch (eFigure) {
    case KvrStockFigure::Genesis3Female:
        return &genesis3Female;
    case KvrStockFigure::Genesis3Male:
        return &genesis3Male;
    case KvrStockFigure::Genesis8FemaleDevLoad:
        return &genesis8FemaleDevLoad;
    case KvrStockFigure::Genesis8MaleDevLoad:
        return &genesis8MaleDevLoad;
    case KvrStockFigure::Genesis9DevLoad:
        return &genesis9DevLoad;
    case KvrStockFigure::Genesis9:
        return &genesis9;
    default:
        return nullptr;
    }
}

const char* StockFigureName(KvrStockFigure eFigure)
{
    const StockEntry* pEntry = FindStock(eFigure);
    return pEntry ? pEntry->pcszName : nullptr;
}

std::string resolveContentPath(DzContentMgr* pContentMgr, std::string_view relativePath)
{
    std::string absolute = tav::ToUtf8(pContentMgr->getAbsolutePath(tav::ToQString(relativePath)));
    if (absolute.empty()) {
        throw tav::Exception("cannot find {} in any content library; please make sure Genesis 9 is installed correctly",
                             relativePath);
    }
    return absolute;
}

DzFigure* loadStockFigure(DzContentMgr* pContentMgr, const KvrStockPaths& paths, KvrStockFigure eFigure,
                          KvrResolution eResolution, int iSubdLevel)
{
    if (eFigure == KvrStockFigure::Invalid)
        throw tav::Exception(std::string_view("invalid load figure value"));
    const KvrContentPath* pPath = paths.figure(eFigure);
    const char* pcszName = StockFigureName(eFigure);
    return loadFigureFile(pContentMgr, pPath ? pPath->absolute : std::string(), pcszName ? pcszName : "",
                          eResolution, iSubdLevel);
}

DzFigure* loadFigureFile(DzContentMgr* pContentMgr, const std::string& path, std::string_view label,
                         KvrResolution eResolution, int iSubdLevel)
{
    tav::daz::NodeAdditionTracker tracker;
    tav::WaitCursor busyCursor(true);
    dzScene->selectAllNodes(false);

    if (!pContentMgr->openFile(tav::ToQString(path), true))
        throw tav::Exception("failed to load Genesis figure from file {}", path);

    DzNode* pNode = tracker.findByLabel(tav::ToQString(label));
    if (!pNode)
        throw tav::Exception("failed to find a figure named {} in the scene after loading {}", label, path);
    DzFigure* pFigure = tav::daz::AsFigure(pNode);
    applyResolution(pFigure, eResolution, iSubdLevel);

    // Hiding and showing again makes the host redraw the figure at its new resolution.
    pFigure->setVisible(false);
    pFigure->setVisible(true);
    return pFigure;
}

void applyResolution(DzFigure* pFigure, KvrResolution eResolution, int iSubdLevel)
{
    using tav::daz::NodeResolution;
    if (eResolution == KvrResolution::Base) {
        tav::daz::SetNodeResolution(pFigure, NodeResolution::BaseResolution, true);
        return;
    }
    tav::daz::SetNodeResolution(pFigure, NodeResolution::HighResolution, true);
    DzIntProperty* pLevel = tav::daz::GetSubdivisionLevelProperty(pFigure, true);
    if (pLevel->getMax() < iSubdLevel)
        pLevel->setMax(iSubdLevel);
    pLevel->setValue(iSubdLevel);
}
