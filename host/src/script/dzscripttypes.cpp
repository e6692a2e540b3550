#include "script/dzscriptsetup.h"

#include <vector>

#include "dzaction.h"
#include "dzactionmgr.h"
#include "dzapp.h"
#include "dzassetiofilter.h"
#include "dzassetiomgr.h"
#include "dzbone.h"
#include "dzboolproperty.h"
#include "dzbox3.h"
#include "dzcontentmgr.h"
#include "dzenumproperty.h"
#include "dzerclink.h"
#include "dzexporter.h"
#include "dzexportmgr.h"
#include "dzfigure.h"
#include "dzfileioerror.h"
#include "dzfileiosettings.h"
#include "dzfloatproperty.h"
#include "dzfloatslider.h"
#include "dzimporter.h"
#include "dzimportmgr.h"
#include "dzintproperty.h"
#include "dzmainwindow.h"
#include "dzmodifier.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dzmorphloader.h"
#include "dzmorphloaderbatch.h"
#include "dzmorphsupportassetfilter.h"
#include "dznode.h"
#include "dzobject.h"
#include "dzpane.h"
#include "dzpanemgr.h"
#include "dzparameterspane.h"
#include "dzplugin.h"
#include "dzpluginmgr.h"
#include "dzprogress.h"
#include "dzproperty.h"
#include "dzscene.h"
#include "dzsettings.h"
#include "dzshape.h"
#include "dzskeleton.h"
#include "dzskinbinding.h"
#include "dzstyle.h"
#include "dztransferutility.h"
#include "dzuri.h"
#include "dzvec3.h"
#include "dzvertexmesh.h"
#include "dzweightmapcontext.h"

namespace {

struct ScriptableClass {
    const QMetaObject* metaObject;
    void (*registerPointer)(QScriptEngine*);
};

template <class T>
ScriptableClass scriptable()
{
    return {&T::staticMetaObject, &dzScriptRegisterQObjectPointer<T>};
}

const std::vector<ScriptableClass>& hostClasses()
{
    static const std::vector<ScriptableClass> classes = {
        scriptable<DzApp>(), scriptable<DzScene>(), scriptable<DzMainWindow>(), scriptable<DzActionMgr>(),
        scriptable<DzAction>(), scriptable<DzPaneMgr>(), scriptable<DzPane>(), scriptable<DzParametersPane>(),
        scriptable<DzPluginMgr>(), scriptable<DzStyle>(), scriptable<DzProgress>(), scriptable<DzFloatSlider>(),
        scriptable<DzBase>(), scriptable<DzElement>(), scriptable<DzProperty>(), scriptable<DzNumericProperty>(),
        scriptable<DzFloatProperty>(), scriptable<DzIntProperty>(), scriptable<DzBoolProperty>(),
        scriptable<DzEnumProperty>(), scriptable<DzNode>(), scriptable<DzSkeleton>(), scriptable<DzFigure>(),
        scriptable<DzBone>(), scriptable<DzObject>(), scriptable<DzShape>(), scriptable<DzModifier>(),
        scriptable<DzMorph>(), scriptable<DzMorphDeltas>(), scriptable<DzSkinBinding>(), scriptable<DzERCLink>(),
        scriptable<DzContentMgr>(), scriptable<DzAssetIOMgr>(), scriptable<DzAssetIOFilter>(),
        scriptable<DzMorphSupportAssetFilter>(), scriptable<DzImportMgr>(), scriptable<DzImporter>(),
        scriptable<DzExportMgr>(), scriptable<DzExporter>(), scriptable<DzSettings>(),
        scriptable<DzFileIOSettings>(), scriptable<DzMorphLoader>(), scriptable<DzMorphLoaderBatch>(),
        scriptable<DzTransferUtility>(), scriptable<DzVertexMesh>(), scriptable<DzWeightMapContext>(),
    };
    return classes;
}

std::vector<std::function<void(QScriptEngine*)>>& extraRegistrars()
{
    static std::vector<std::function<void(QScriptEngine*)>> registrars;
    return registrars;
}

// An enumeration (or an integer typedef such as DzError) travels as a plain number.
template <typename E>
void registerAsNumber(QScriptEngine* engine, const char* pcszTypeName)
{
    qRegisterMetaType<E>(pcszTypeName);
    qScriptRegisterMetaType<E>(
        engine, [](QScriptEngine*, const E& value) { return QScriptValue(int(value)); },
        [](const QScriptValue& value, E& out) { out = E(value.toInt32()); });
}

QScriptValue vec3ToScript(QScriptEngine* engine, const DzVec3& v)
{
    QScriptValue object = engine->newObject();
    object.setProperty(QStringLiteral("x"), v.m_x);
    object.setProperty(QStringLiteral("y"), v.m_y);
    object.setProperty(QStringLiteral("z"), v.m_z);
    return object;
}

void vec3FromScript(const QScriptValue& value, DzVec3& v)
{
    v = DzVec3(float(value.property(QStringLiteral("x")).toNumber()), float(value.property(QStringLiteral("y")).toNumber()),
               float(value.property(QStringLiteral("z")).toNumber()));
}

QScriptValue box3ToScript(QScriptEngine* engine, const DzBox3& box)
{
    QScriptValue object = engine->newObject();
    object.setProperty(QStringLiteral("min"), vec3ToScript(engine, box.getMin()));
    object.setProperty(QStringLiteral("max"), vec3ToScript(engine, box.getMax()));
    object.setProperty(QStringLiteral("empty"), box.isEmpty());
    return object;
}

void box3FromScript(const QScriptValue& value, DzBox3& box)
{
    DzVec3 lo, hi;
    vec3FromScript(value.property(QStringLiteral("min")), lo);
    vec3FromScript(value.property(QStringLiteral("max")), hi);
    box = DzBox3(lo, hi);
}

QScriptValue pluginToScript(QScriptEngine* engine, DzPlugin* const& plugin)
{
    if (!plugin)
        return engine->nullValue();
    QScriptValue object = engine->newObject();
    object.setProperty(QStringLiteral("name"), plugin->getName());
    object.setProperty(QStringLiteral("author"), plugin->getAuthor());
    object.setProperty(QStringLiteral("version"), plugin->getVersion().toString());
    object.setProperty(QStringLiteral("status"), plugin->getStatus());
    object.setProperty(QStringLiteral("activated"), plugin->isActivated());
    object.setProperty(QStringLiteral("filename"), plugin->getFilename());
    return object;
}

// Plug-in records are read-only for scripts.
void pluginFromScript(const QScriptValue&, DzPlugin*& plugin) { plugin = nullptr; }

void registerValueTypes(QScriptEngine* engine)
{
    registerAsNumber<DzError>(engine, "DzError");
    registerAsNumber<DzMorphLoader::LoadMode>(engine, "LoadMode");
    registerAsNumber<DzMorphLoader::SubdMapping>(engine, "SubdMapping");
    registerAsNumber<DzMorphLoader::OverwriteMode>(engine, "OverwriteMode");
    registerAsNumber<DzMorphLoader::MirroringType>(engine, "MirroringType");
    registerAsNumber<DzERCLink::ERCType>(engine, "DzERCLink::ERCType");
    registerAsNumber<DzSettings::ValueType>(engine, "ValueType");
    qScriptRegisterMetaType<DzVec3>(engine, vec3ToScript, vec3FromScript);
    qScriptRegisterMetaType<DzBox3>(engine, box3ToScript, box3FromScript);
    qScriptRegisterMetaType<DzUri>(
        engine, [](QScriptEngine*, const DzUri& uri) { return QScriptValue(uri.toString()); },
        [](const QScriptValue& value, DzUri& uri) { uri = DzUri(value.toString()); });
    qScriptRegisterMetaType<DzVertexMeshPtr>(
        engine,
        [](QScriptEngine* e, const DzVertexMeshPtr& mesh) {
            return mesh ? e->newQObject(mesh.data()) : e->nullValue();
        },
        // A script cannot hand over ownership of a mesh it did not get from the host.
        [](const QScriptValue&, DzVertexMeshPtr& mesh) { mesh.reset(); });
    qScriptRegisterMetaType<DzPlugin*>(engine, pluginToScript, pluginFromScript);
}

} // namespace

void dzRegisterHostScriptTypes(QScriptEngine* engine)
{
    for (const ScriptableClass& c : hostClasses())
        c.registerPointer(engine);
    registerValueTypes(engine);
    for (const auto& registrar : extraRegistrars())
        registrar(engine);
}

QList<const QMetaObject*> dzScriptableHostClasses()
{
    QList<const QMetaObject*> metaObjects;
    for (const ScriptableClass& c : hostClasses())
        metaObjects << c.metaObject;
    return metaObjects;
}

bool dzRegisterScriptTypes(std::function<void(QScriptEngine*)> registrar)
{
    extraRegistrars().push_back(std::move(registrar));
    return true;
}
