#include "dzassetiomgr.h"

#include "app/dzappservices.h"
#include "dzapp.h"
#include "dzassetiofilter.h"
#include "dzfileiosettings.h"
#include "dzmorphsupportassetfilter.h"
#include "io/dzfileioerrortext.h"

DzAssetIOFilter::DzAssetIOFilter(QObject* parent) : QObject(parent) {}
DzAssetIOFilter::~DzAssetIOFilter() = default;

DzAssetIOMgr::DzAssetIOMgr(QObject* parent) : QObject(parent) {}

DzAssetIOMgr::~DzAssetIOMgr() { qDeleteAll(_filters); }

void DzAssetIOMgr::addFilter(DzAssetIOFilter* filter)
{
    if (filter && !_filters.contains(filter)) {
        filter->setParent(nullptr);
        _filters.append(filter);
    }
}

bool DzAssetIOMgr::removeFilter(DzAssetIOFilter* filter)
{
    if (!_filters.removeOne(filter))
        return false;
    delete filter;
    return true;
}

int DzAssetIOMgr::getNumFilters() const { return _filters.size(); }

DzAssetIOFilter* DzAssetIOMgr::getFilter(int index) const { return _filters.value(index); }

int DzAssetIOMgr::findFilter(const QString& className) const
{
    for (int i = 0; i < _filters.size(); ++i)
        if (className == QLatin1String(_filters[i]->metaObject()->className()))
            return i;
    return -1;
}

DzError DzAssetIOMgr::doSaveWithOptions(DzAssetIOFilter* filter, DzFileIOSettings* options,
                                        bool /*saveOnlySelected*/, const QString& path,
                                        const QString& startDir, const QString& /*category*/)
{
    if (!filter || !_filters.contains(filter))
        return dzFileIOFail(DZ_INVALID_ARGUMENT, QStringLiteral("The asset filter is not known"));
    if (!options)
        return dzFileIOFail(DZ_INVALID_ARGUMENT, QStringLiteral("No save options were given"));
    return filter->doSave(options, path, startDir);
}

QString DzAssetIOMgr::getErrorMessage(DzError code) const { return dzFileIOErrorMessage(code); }

namespace {

const bool servicesRegistered = dzRegisterServiceCreator([](DzApp* app, DzAppServices& services) {
    qRegisterMetaType<DzAssetIOMgr*>("DzAssetIOMgr*");
    qRegisterMetaType<DzAssetIOFilter*>("DzAssetIOFilter*");
    qRegisterMetaType<DzFileIOSettings*>("DzFileIOSettings*");
    services.assetIOMgr = new DzAssetIOMgr(app);
    services.assetIOMgr->addFilter(new DzMorphSupportAssetFilter);
});

} // namespace
