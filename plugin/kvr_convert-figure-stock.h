#pragma once

#include <string>
#include <string_view>

#include "kvr_types.h"

class DzContentMgr;
class DzFigure;

// A content file by its path relative to a content library, and where it was found.
struct KvrContentPath {
    std::string relative;
    std::string absolute;  // empty until resolved
};

// The stock content a job needs, in the order they are resolved.
struct KvrStockPaths {
    KvrContentPath genesis9DevLoad;
    KvrContentPath genesis9;
    KvrContentPath headSplitDFormer;  // resolved only when first needed
    KvrContentPath genesis8FemaleDevLoad;
    KvrContentPath genesis8MaleDevLoad;
    KvrContentPath genesis3Female;
    KvrContentPath genesis3Male;

    KvrStockPaths();

    // Resolves every stock figure (not the D-Former); the first missing one throws.
    void resolveFigures(DzContentMgr* pContentMgr);
    // The content path of a stock figure; null for an invalid value.
    const KvrContentPath* figure(KvrStockFigure eFigure) const;
};

// The label of the figure a stock file puts into the scene; null for an invalid value.
const char* StockFigureName(KvrStockFigure eFigure);

// Absolute path of a content file in the first library that has it; throws when none does.
std::string resolveContentPath(DzContentMgr* pContentMgr, std::string_view relativePath);

// Loads a stock figure into the scene, merged, and puts it into the given resolution.
DzFigure* loadStockFigure(DzContentMgr* pContentMgr, const KvrStockPaths& paths, KvrStockFigure eFigure,
                          KvrResolution eResolution, int iSubdLevel);

// Loads the figure file into the scene, merged, finds the figure of that label among the nodes it
// added and puts it into the given resolution.
DzFigure* loadFigureFile(DzContentMgr* pContentMgr, const std::string& path, std::string_view label,
                         KvrResolution eResolution, int iSubdLevel);

// Base resolution, or high resolution at the subdivision level (raising its maximum if needed).
void applyResolution(DzFigure* pFigure, KvrResolution eResolution, int iSubdLevel);
