#pragma once

#include <QPointer>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "dzappsettings.h"
#include "dznode.h"
#include "kvr_convert-figure-stock.h"
#include "kvr_params.h"
#include "tv_daz-helpers-scene-morphs.h"
#include "tv_daz-helpers-scene.h"

class DzContentMgr;
class DzFloatProperty;
class QWidget;

// The report's note on source morphs the transfer could not carry over (empty when none): each
// with its value in percent, one decimal.
std::string missingMorphsNote(const KvrMissingMorphs& missing);

// The job's duration in whole seconds, as the report shows it ("1:01 minutes").
std::string jobDurationText(int64_t iMilliseconds);

// What the steps of one job change and must find again: the values to restore, the nodes to
// remove, and the files the later steps read.
struct KvrJobState {
    // Each property the job changed with the value it had just before, restored at the end.
    std::map<DzFloatProperty*, float> mapSavedValues;
    std::string savedSourceLabel;   // empty when none was saved
    bool bSourceSetToBase = false;  // the pipeline switched the source to base resolution
    bool bConfirmSteps = false;     // every step waits for the user
    bool bDFormerLoaded = false;    // the head-split D-Former is in the scene
    // Scene nodes the job added and removes at its end; a node deleted meanwhile reads null.
    std::vector<QPointer<DzNode>> tempNodes;
    std::string riggedObjPath;      // the fit suit's converted shape, the morphs' source
};

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
    // Where the temporary OBJ files go; the system's temporary folder unless changed.
    void setTempDir(std::string tempDir) { _tempDir = std::move(tempDir); }
    const KvrStockPaths& stockPaths() const { return _stockPaths; }
    tav::daz::NodeResolution sourceResolution() const { return _eSourceResolution; }
    // "<source label> converted to G9", the Convert dialog's title.
    const std::string& title() const { return _title; }

    KvrJobState& state() { return _state; }
    const KvrJobState& state() const { return _state; }

    // The head-split D-Former's file, looked up on first use; throws when it is not installed.
    const std::string& headSplitDFormerPath();
    // Loads a stock figure at the job's content paths.
    DzFigure* loadStockFigure(KvrStockFigure eFigure, KvrResolution eResolution, int iSubdLevel);

private:
    DzAppSettings _appSettings;
    DzContentMgr* _pContentMgr;
    KvrParamsPtr _pParams;
    std::vector<tav::daz::ActiveMorph> _activeMorphs;
    std::string _tempDir;
    KvrStockPaths _stockPaths;
    tav::daz::NodeResolution _eSourceResolution = tav::daz::NodeResolution::Undefined;
    KvrJobState _state;
    std::string _title;
};
