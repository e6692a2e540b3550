// Makes the Transfer Utility creatable by class name and from scripts.
#include "app/dzappservices.h"
#include "dzapp.h"
#include "dzclassfactory.h"
#include "dzfigure.h"
#include "dznode.h"
#include "dztransferutility.h"

namespace {

DzClassFactory* transferFactory()
{
    static DzTClassFactory<DzTransferUtility> factory(
        DzGuid::fromString(QStringLiteral("{6a1f93c4-2e7b-4d05-9c8e-3b7d1e04a511}")));
    return &factory;
}

const bool servicesRegistered = dzRegisterServiceCreator([](DzApp* app, DzAppServices&) {
    qRegisterMetaType<DzTransferUtility*>("DzTransferUtility*");
    qRegisterMetaType<DzNode*>("DzNode*");
    qRegisterMetaType<DzFigure*>("DzFigure*");
    app->registerClassFactory(transferFactory());
});

} // namespace
