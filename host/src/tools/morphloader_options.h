#pragma once

#include <QPointer>
#include <QString>

#include "dzmorphloader.h"
#include "dznode.h"
#include "dzproperty.h"

// Every option of one DzMorphLoader, with the tool's defaults.
struct DzMorphLoader::Options {
    LoadMode loadMode = NoLoadMode;
    QString displayName;
    QString filename;
    QString morphName;
    bool subdivision = false;
    int builtResolution = 1;
    int minResolution = 0;
    int maxResolution = 4;
    bool smoothCage = false;
    SubdMapping mapping = CatmarkMapping;
    float deltaTolerance = DefaultDeltaTolerance;
    bool createControlProperty = false;
    QString propertyGroupPath = QStringLiteral("Morphs/Morph Loader Pro");
    DzERCLink::ERCType ercType = DzERCLink::ERCDeltaAdd;
    bool ercUseCustomValue = false;
    float ercCustomValue = 1.0f;
    QPointer<DzNode> controlNode;
    QPointer<DzNumericProperty> controlProperty;
    bool useCustomLabel = false;
    QString customLabel;
    bool hideSecondary = false;
    bool reverseDeformations = false;
    bool preserveExistingDeltas = false;
    QString reverseDeformationsPose;
    OverwriteMode overwrite = KeepExisting;
    bool cleanUpOrphans = false;
    MirroringType mirroring = NoMirroring;
    QString attenuateMapPath;
    float attenuateStrength = 1.0f;
    float attenuateEdgeStrength = 0.0f;
};
