#pragma once

#include <set>
#include <string>
#include <vector>

#include "dzappsettings.h"
#include "kvr_convert-figure-stock.h"
#include "kvr_params.h"
#include "tv_daz-helpers-scene-morphs.h"
#include "tv_daz-helpers-scene.h"

class DzContentMgr;
class DzNode;
class QWidget;

// One conversion of a source figure's shape into morphs on a Genesis 9 figure. exec_X owns
// the job for the length of one call.
class KvrConverter {
public:
    // Runs one job with the host's dialog parent. Throws tav::Exception on failure and
    // tav::CanceledException when the user stops it.
    static void exec_X(QWidget* parent);

    // Resolves the stock figures and collects the source's active morphs; throws when a stock
    // figure is missing or no source morph is dialled in.
    explicit KvrConverter(KvrParamsPtr pParams);

    KvrConverter(const KvrConverter&) = delete;
    KvrConverter& operator=(const KvrConverter&) = delete;

    DzAppSettings* appSettings() { return &_appSettings; }
    DzContentMgr* contentMgr() const { return _pContentMgr; }
    const KvrParamsPtr& params() const { return _pParams; }
    const std::vector<tav::daz::ActiveMorph>& activeMorphs() const { return _activeMorphs; }
    const std::string& tempDir() const { return _tempDir; }
    const KvrStockPaths& stockPaths() const { return _stockPaths; }
    tav::daz::NodeResolution sourceResolution() const { return _eSourceResolution; }
    // "<source label> converted to G9", the Convert dialog's title.
    const std::string& title() const { return _title; }

    // The head-split D-Former's file, looked up on first use; throws when it is not installed.
    const std::string& headSplitDFormerPath();
    // Loads a stock figure at the job's content paths.
    DzFigure* loadStockFigure(KvrStockFigure eFigure, KvrResolution eResolution, int iSubdLevel);

private:
    static DzContentMgr* requireContentMgr();

    DzAppSettings _appSettings;
    DzContentMgr* _pContentMgr;
    KvrParamsPtr _pParams;
    std::vector<tav::daz::ActiveMorph> _activeMorphs;
    std::string _tempDir;
    KvrStockPaths _stockPaths;
    tav::daz::NodeResolution _eSourceResolution = tav::daz::NodeResolution::Undefined;
    bool _bSourceSetToBase = false;  // the pipeline switched the source to base resolution
    bool _bConfirmSteps = false;     // every step waits for the user
    std::set<DzNode*> _tempNodes;    // scene nodes the job added and removes at its end
    std::string _title;
};
