#pragma once

#include <QObject>
#include <QString>

#include "dzerclink.h"
#include "dzvertexmesh.h"

class DzFileIOSettings;
class DzNode;
class DzNumericProperty;
class DzWeightMapContext;

// Morph Loader Pro's options for one morph, and the creation of that morph from an OBJ file
// (or a mesh) whose vertices match the node's.
class DzMorphLoader : public QObject {
    Q_OBJECT
public:
    // How the file relates to the node: 2 a node with geometry, 3 a figure.
    enum LoadMode { NoLoadMode = 0, FileOnlyMode = 1, NodeGeometryMode = 2, FigureMode = 3 };
    Q_ENUM(LoadMode)
    // How a subdivision morph's deltas are mapped onto the refined mesh.
    enum SubdMapping { CatmarkMapping = 0, LimitSurfaceMapping = 1 };
    Q_ENUM(SubdMapping)
    // What happens to a morph of the same name: refuse, make the new name unique, replace it.
    enum OverwriteMode { KeepExisting = 0, MakeUnique = 1, ReplaceExisting = 2 };
    Q_ENUM(OverwriteMode)
    enum MirroringType { NoMirroring = 0, MirrorLeftToRight = 1, MirrorRightToLeft = 2,
                         MirrorSwap = 3 };
    Q_ENUM(MirroringType)

    // The widest range of subdivision levels a loader may be set to accept for a morph.
    static constexpr int MinSubdivisionResolution = 0;
    static constexpr int MaxSubdivisionResolution = 9;
    // Vertices that move less than this (scene units) keep no delta, unless told otherwise.
    static constexpr float DefaultDeltaTolerance = 0.001f;

    Q_INVOKABLE DzMorphLoader();
    ~DzMorphLoader() override;

    // The mesh given by createMorphFromMesh or the batch's addFromMesh, if any.
    DzVertexMeshPtr getMesh() const;
    void setMesh(const DzVertexMeshPtr& mesh);

public slots:
    // Creates (or replaces) the morph on `node`. `settings` are the OBJ importer options.
    // The text reports what was made; problems come back as lines beginning "Error:" and
    // then nothing is created.
    QString createMorph(DzFileIOSettings* settings, DzNode* node, bool showReport,
                        bool logReport);
    QString createMorphFromMesh(DzVertexMeshPtr mesh, DzNode* node, bool showReport,
                                bool logReport);

    // False (mode unchanged) when the node cannot be loaded in that mode.
    bool setLoadMode(LoadMode mode, DzNode* node);
    LoadMode getLoadMode() const;

    void setDisplayName(const QString& name);
    QString getDisplayName() const;
    void setFilename(const QString& filename);
    QString getFilename() const;
    void setMorphName(const QString& name);
    QString getMorphName() const;
    void setMorphSubdivision(bool onOff);
    bool getMorphSubdivision() const;
    void setSubdivisionBuiltResolution(int level);
    int getSubdivisionBuiltResolution() const;
    void setSubdivisionMinResolution(int level);
    int getSubdivisionMinResolution() const;
    void setSubdivisionMaxResolution(int level);
    int getSubdivisionMaxResolution() const;
    void setSubdivisionSmoothCage(bool onOff);
    bool getSubdivisionSmoothCage() const;
    void setSubdivisionMapping(SubdMapping mapping);
    SubdMapping getSubdivisionMapping() const;
    void setDeltaTolerance(float tolerance);
    float getDeltaTolerance() const;
    void setCreateControlProperty(bool onOff);
    bool getCreateControlProperty() const;
    void setPropertyGroupPath(const QString& path);
    QString getPropertyGroupPath() const;
    void setControlPropertyERCType(DzERCLink::ERCType type);
    DzERCLink::ERCType getControlPropertyERCType() const;
    void setControlPropertyERCUseCustomValue(bool onOff);
    bool getControlPropertyERCUseCustomValue() const;
    void setControlPropertyERCCustomValue(float value);
    float getControlPropertyERCCustomValue() const;
    void setControlNode(DzNode* node);
    DzNode* getControlNode() const;
    void setControlProperty(DzNumericProperty* property);
    DzNumericProperty* getControlProperty() const;
    void setControlPropertyUseCustomLabel(bool onOff);
    bool getControlPropertyUseCustomLabel() const;
    void setControlPropertyCustomLabel(const QString& label);
    QString getControlPropertyCustomLabel() const;
    void setHideSecondaryProperties(bool onOff);
    bool getHideSecondaryProperties() const;
    void setReverseDeformations(bool onOff);
    bool getReverseDeformations() const;
    void setPreserveExistingDeltas(bool onOff);
    bool getPreserveExistingDeltas() const;
    void setReverseDeformationsPose(const QString& pose);
    QString getReverseDeformationsPose() const;
    void setOverwriteExisting(OverwriteMode mode);
    OverwriteMode getOverwriteExisting() const;
    void setCleanUpOrphans(bool onOff);
    bool getCleanUpOrphans() const;
    void setMorphMirroring(MirroringType mirroring);
    MirroringType getMorphMirroring() const;
    void setAttenuateMapPath(const QString& path);
    QString getAttenuateMapPath() const;
    void setAttenuateStrength(float strength);
    float getAttenuateStrength() const;
    void setAttenuateEdgeStrength(float strength);
    float getAttenuateEdgeStrength() const;

    // Config files are INI files with one group per object name.
    bool readObjectSettingsFromConfigFile(const QString& filename, const QString& objectName);
    bool readObjectCommonSettingsFromConfigFile(const QString& filename);
    bool saveObjectSettingsToConfigFile(const QString& filename, const QString& objectName,
                                        bool common);

    bool morphAlreadyExists(DzNode* node) const;
    // True when the HD morph support plug-in is present and working.
    bool allowMultiResolutionMorphs() const;
    // The attenuation map path naming that weight map context on the node.
    QString getPathForContext(DzWeightMapContext* context, DzNode* node) const;

private:
    struct Options;
    struct Plan;
    QString create(DzFileIOSettings* settings, DzNode* node, bool showReport, bool logReport);
    // Why the options cannot make a morph on the node, or empty.
    QString check(DzNode* node) const;
    // Reads the target and everything the morph needs; why it cannot, or empty. Changes nothing.
    QString plan(DzFileIOSettings* settings, DzNode* node, Plan& out) const;
    // Makes the planned morph; cannot fail. Returns the report of what it made.
    QString apply(DzNode* node, Plan& planned) const;

    Options* _o;
    DzVertexMeshPtr _mesh;
};

Q_DECLARE_METATYPE(DzMorphLoader*)
