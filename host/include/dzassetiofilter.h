#pragma once

#include <QObject>
#include <QString>

#include "dzfileioerror.h"

class DzFileIOSettings;

// A way of saving assets, chosen by class name in the asset IO manager.
class DzAssetIOFilter : public QObject {
    Q_OBJECT
public:
    explicit DzAssetIOFilter(QObject* parent = nullptr);
    ~DzAssetIOFilter() override;

public slots:
    virtual QString getDescription() const = 0;
    // Writes the filter's default options into `options` (existing keys are overwritten).
    virtual void getDefaultOptions(DzFileIOSettings* options) const = 0;
    // Saves with the options. `path` and `startDir` may be empty when the options say where.
    // DZ_USER_CANCELLED when the user cancels the options dialog.
    virtual DzError doSave(DzFileIOSettings* options, const QString& path,
                           const QString& startDir) = 0;
};
