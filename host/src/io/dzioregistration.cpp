// Creates the import and export managers with the OBJ tools, and makes the settings classes
// creatable by name.
#include "app/dzappservices.h"
#include "dzapp.h"
#include "dzclassfactory.h"
#include "dzexportmgr.h"
#include "dzfileiosettings.h"
#include "dzimportmgr.h"
#include "io/dzobjexporter.h"
#include "io/dzobjimporter.h"

namespace {

DzClassFactory* settingsFactory()
{
    static DzTClassFactory<DzSettings> factory(
        DzGuid::fromString(QStringLiteral("{6b1f0c3e-5a2d-4e71-9c0b-1d2e3f405161}")));
    return &factory;
}

DzClassFactory* fileIOSettingsFactory()
{
    static DzTClassFactory<DzFileIOSettings> factory(
        DzGuid::fromString(QStringLiteral("{6b1f0c3e-5a2d-4e71-9c0b-1d2e3f405162}")));
    return &factory;
}

const bool servicesRegistered = dzRegisterServiceCreator([](DzApp* app, DzAppServices& services) {
    auto* importMgr = new DzImportMgr(app);
    importMgr->addImporter(new DzObjImporter());
    services.importMgr = importMgr;
    auto* exportMgr = new DzExportMgr(app);
    exportMgr->addExporter(new DzObjExporter());
    services.exportMgr = exportMgr;
    app->registerClassFactory(settingsFactory());
    app->registerClassFactory(fileIOSettingsFactory());
});

} // namespace
