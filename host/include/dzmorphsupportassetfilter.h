#pragma once

#include "dzassetiofilter.h"

// Saves morphs of a figure as morph assets of its data folder, so the figure gets them back
// whenever it loads. Options:
//   "RootLabel"       label of the figure in the scene
//   "BaseDataPath"    content directory to write into
//   "VendorName", "ProductName"  folders below the figure's "Morphs" folder
//   "NodeNames"       per node name of the figure's hierarchy, the morph names to save
//                     ({"Genesis9": {"0": "Smile", "1": "Frown"}})
//   "CompressOutput"  gzip the files
//   "RunSilent"       false shows the options dialog first
// A morph is written to "<BaseDataPath>/data/<figure's data folder>/Morphs/<VendorName>/
// <ProductName>/<morph name>.dsf"; its deltas then carry that asset's URI.
class DzMorphSupportAssetFilter : public DzAssetIOFilter {
    Q_OBJECT
public:
    Q_INVOKABLE explicit DzMorphSupportAssetFilter(QObject* parent = nullptr);
    ~DzMorphSupportAssetFilter() override;

public slots:
    QString getDescription() const override;
    void getDefaultOptions(DzFileIOSettings* options) const override;
    DzError doSave(DzFileIOSettings* options, const QString& path,
                   const QString& startDir) override;
};
