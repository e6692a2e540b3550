#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

class DzFigure;
class DzNode;

// The Transfer Utility: makes the target a figure and carries morphs of the source onto it
// (`new DzTransferUtility()` in scripts). Each target vertex takes a source morph's delta
// interpolated at the closest point of the source surface, both meshes in rest space and
// placed where they stand in the scene.
class DzTransferUtility : public QObject {
    Q_OBJECT
public:
    // Which source morphs setTransferSourceMorphs selects.
    enum SourceMorphs { NoSourceMorphs = 0, ListedSourceMorphs = 1, AllSourceMorphs = 5 };
    Q_ENUM(SourceMorphs)

    Q_INVOKABLE DzTransferUtility();
    ~DzTransferUtility() override;

public slots:
    // Slots are virtual so tools built on this one can refine a step.
    // True when the node has geometry to transfer from or to; the node is kept either way.
    virtual bool setSource(DzNode* node);
    virtual bool setTarget(DzNode* node);
    virtual DzNode* getSource() const;
    virtual DzNode* getTarget() const;

    virtual void setTransferMorphs(bool onOff);
    virtual bool getTransferMorphs() const;
    // 1: the morphs of the transfer list; 5: every morph of the source; anything else: none.
    virtual void setTransferSourceMorphs(int mode);
    virtual int getTransferSourceMorphs() const;
    virtual void setMorphTransferList(const QStringList& morphNames);
    virtual QStringList getMorphTransferList() const;
    // Whether a transferred morph replaces the target's morph of the same name.
    virtual void setOverrideExistingMorphs(bool onOff);
    virtual bool getOverrideExistingMorphs() const;
    virtual void setTransferBinding(bool onOff);
    virtual bool getTransferBinding() const;
    virtual void setTransferSelectionMap(bool onOff);
    virtual bool getTransferSelectionMap() const;
    // Each target facet takes the face group of the source facet closest to its centre.
    virtual void setTransferFaceGroups(bool onOff);
    virtual bool getTransferFaceGroups() const;
    virtual void setTransferRegionGroups(bool onOff);
    virtual bool getTransferRegionGroups() const;
    virtual void setTargetReplacesSource(bool onOff);
    virtual bool getTargetReplacesSource() const;
    virtual void setParentToFigure(bool onOff);
    virtual bool getParentToFigure() const;

    // Replaces the target in the scene by a figure with its label, mesh and placement, carrying
    // the chosen morphs (a target that is a figure already keeps its place and gets the morphs).
    // False, and the scene untouched, when source or target has no geometry or the target is
    // in no scene.
    virtual bool doTransfer();
    // The figure the last successful transfer made, null before.
    virtual DzFigure* getResultFigure() const;

private:
    QPointer<DzNode> _source;
    QPointer<DzNode> _target;
    QPointer<DzFigure> _result;
    bool _transferMorphs = true;
    int _sourceMorphs = AllSourceMorphs;
    QStringList _morphList;
    bool _overrideExisting = false;
    bool _transferBinding = true;
    bool _transferSelectionMap = false;
    bool _transferFaceGroups = false;
    bool _transferRegionGroups = false;
    bool _targetReplacesSource = false;
    bool _parentToFigure = false;
};
