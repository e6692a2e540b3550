#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
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
#include "tv_flagset.h"

class DzContentMgr;
class DzFloatProperty;
class QWidget;

// What a job has done to the scene that its end undoes: set as it happens, cleared by the undo.
enum class KvrJobChange : uint64_t {
    FiguresNormalized = 1,  // the target stands on the source, the source carries a job label
    SourceSetToBase = 2,    // the source was switched to base resolution
    HeadSplitLoaded = 4,    // the head-split D-Former's nodes are in the scene
};
using KvrJobChanges = tav::FlagSet<KvrJobChange>;

// Whether a job needs the source's current shape: converting it does, converting its morphs one
// by one does not.
enum class KvrSourceCheck {
    NeedsDialledMorphs,
    AnyShape,
};

// One conversion of a source figure's shape into morphs on a Genesis 9 figure: its figures and
// stock content, its temporary folder and nodes, what it has changed so far and its clock. The
// command exec_X owns the job for the length of one call.
class KvrConverter {
public:
    // Runs one job from the menu with the host's dialog parent: the selection, the Convert
    // dialog, the pipeline and the Success dialog. Throws tav::Exception on failure and
    // tav::CanceledException when the user stops it.
    static void exec_X(QWidget* parent);

    // Resolves the stock figures and collects the source's active morphs; throws when a stock
    // figure is missing or, when the check asks for them, no source morph is dialled in.
    explicit KvrConverter(KvrParamsPtr pParams, KvrSourceCheck eCheck = KvrSourceCheck::NeedsDialledMorphs);

    KvrConverter(const KvrConverter&) = delete;
    KvrConverter& operator=(const KvrConverter&) = delete;

    // The plug-in's settings, where the dialogs remember the user's choices.
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

    // The head-split D-Former's file, looked up on first use; throws when it is not installed.
    const std::string& headSplitDFormerPath();
    // Loads a stock figure at the job's content paths.
    DzFigure* loadStockFigure(KvrStockFigure eFigure, KvrResolution eResolution, int iSubdLevel);

    // The job's time counts from the moment its choices are read.
    void startClock() { _clock.start(); }
    int64_t elapsedMs() const { return _clock.isValid() ? int64_t(_clock.elapsed()) : 0; }

    KvrJobChanges changes() const { return _changes; }
    void noteChange(KvrJobChange eChange, bool bDone = true) { _changes.set(eChange, bDone); }

    // Sets the property, remembering the value it had before the job first changed it.
    void setRemembering(DzFloatProperty* pProperty, float fValue);
    // Gives the source a job label, remembering its own.
    void relabelSource(const QString& label);
    // Puts back every remembered value, in map order, and the source's own label.
    void restoreRemembered();

    // The job's temporary nodes (today the head-split D-Former's), removed at its end.
    void adoptTempNodes(const std::vector<DzNode*>& nodes);
    // Removes those still in the scene; the head-split D-Former is gone then.
    void removeTempNodes();

private:
    DzAppSettings _appSettings;
    DzContentMgr* _pContentMgr;
    KvrParamsPtr _pParams;
    std::vector<tav::daz::ActiveMorph> _activeMorphs;
    std::string _tempDir;
    KvrStockPaths _stockPaths;
    tav::daz::NodeResolution _eSourceResolution = tav::daz::NodeResolution::Undefined;
    std::string _title;

    QElapsedTimer _clock;
    KvrJobChanges _changes;
    std::map<DzFloatProperty*, float> _mapSavedValues;  // at most one entry per property
    QString _savedSourceLabel;  // empty when none was saved
    std::vector<QPointer<DzNode>> _tempNodes;  // a node deleted meanwhile reads null
};
