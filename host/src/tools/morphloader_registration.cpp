// Makes Morph Loader Pro's scripting objects creatable by class name and from scripts, and
// registers the types its methods are invoked with.
#include "app/dzappservices.h"
#include "dzapp.h"
#include "dzclassfactory.h"
#include "dzmorphloader.h"
#include "dzmorphloaderbatch.h"
#include "dzvertexmesh.h"
#include "dzweightmapcontext.h"

namespace {

DzClassFactory* loaderFactory()
{
    static DzTClassFactory<DzMorphLoader> factory(
        DzGuid::fromString(QStringLiteral("{0c5d8e21-7f3a-4b9e-a6d4-52e1f0b3c701}")));
    return &factory;
}

DzClassFactory* batchFactory()
{
    static DzTClassFactory<DzMorphLoaderBatch> factory(
        DzGuid::fromString(QStringLiteral("{0c5d8e21-7f3a-4b9e-a6d4-52e1f0b3c702}")));
    return &factory;
}

void registerMetaTypes()
{
    qRegisterMetaType<DzMorphLoader*>("DzMorphLoader*");
    qRegisterMetaType<DzMorphLoaderBatch*>("DzMorphLoaderBatch*");
    qRegisterMetaType<DzVertexMeshPtr>("DzVertexMeshPtr");
    qRegisterMetaType<DzVertexMesh*>("DzVertexMesh*");
    qRegisterMetaType<DzWeightMapContext*>("DzWeightMapContext*");
    // The methods spell their enums unqualified, as declared inside the class.
    qRegisterMetaType<DzMorphLoader::LoadMode>("LoadMode");
    qRegisterMetaType<DzMorphLoader::SubdMapping>("SubdMapping");
    qRegisterMetaType<DzMorphLoader::OverwriteMode>("OverwriteMode");
    qRegisterMetaType<DzMorphLoader::MirroringType>("MirroringType");
    qRegisterMetaType<DzERCLink::ERCType>("DzERCLink::ERCType");
}

const bool servicesRegistered = dzRegisterServiceCreator([](DzApp* app, DzAppServices&) {
    registerMetaTypes();
    app->registerClassFactory(loaderFactory());
    app->registerClassFactory(batchFactory());
});

} // namespace
