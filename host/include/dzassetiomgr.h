#pragma once

#include <QList>
#include <QObject>

#include "dzfileioerror.h"

class DzAssetIOFilter;
class DzFileIOSettings;

// The asset save filters of the application, found by class name.
class DzAssetIOMgr : public QObject {
    Q_OBJECT
public:
    explicit DzAssetIOMgr(QObject* parent = nullptr);
    ~DzAssetIOMgr() override;

    // Takes ownership.
    void addFilter(DzAssetIOFilter* filter);
    // Removes and deletes the filter; false when it is not there.
    bool removeFilter(DzAssetIOFilter* filter);

public slots:
    int getNumFilters() const;
    DzAssetIOFilter* getFilter(int index) const;
    // Index of the filter of that class, negative when there is none.
    int findFilter(const QString& className) const;

    // Saves through the filter with the given options; 0 on success, else a code whose text
    // getErrorMessage gives.
    DzError doSaveWithOptions(DzAssetIOFilter* filter, DzFileIOSettings* options,
                              bool saveOnlySelected, const QString& path,
                              const QString& startDir, const QString& category);
    QString getErrorMessage(DzError code) const;

private:
    QList<DzAssetIOFilter*> _filters;
};
