// The support-asset writer's names: vendor, product and morph names and the figure's asset
// URI come from the input. The name helpers must give plain path components, and a save into
// a temporary library may write nowhere but below its "data" folder. The library sits a few
// folders deep in a scratch folder that is searched after every save, so a name that climbs
// out of it is caught.
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QEvent>
#include <QTemporaryDir>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <memory>

#include "dzapp.h"
#include "dzassetiofilter.h"
#include "dzassetiomgr.h"
#include "dzfacetmesh.h"
#include "dzfileiosettings.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dznode.h"
#include "dzobject.h"
#include "dzscene.h"
#include "dzshape.h"
#include "dzuri.h"
#include "fuzz_support.h"
#include "tools/asset_morphfile.h"

namespace {

const QString kNodeName = QStringLiteral("FuzzFigure");

struct Session {
    QTemporaryDir scratch;
    QString library = scratch.filePath(QStringLiteral("a/b/c/d/library"));
    QString data = library + QStringLiteral("/data");
    DzNode* node = nullptr;
    DzAssetIOFilter* filter = nullptr;
};

Session& session()
{
    static Session s;
    return s;
}

// A one-triangle figure in the scene; its asset URI is set per input.
void setUp()
{
    Session& s = session();
    QDir().mkpath(s.library);
    DzFacetMesh mesh;
    mesh.addVertex({0, 0, 0});
    mesh.addVertex({1, 0, 0});
    mesh.addVertex({0, 1, 0});
    mesh.addFacet({0, 1, 2});
    auto* shape = new DzShape;
    shape->setFacetMesh(mesh);
    auto* object = new DzObject;
    object->addShape(shape);
    s.node = new DzNode;
    s.node->setObject(object);
    s.node->setName(kNodeName);
    s.node->setLabel(kNodeName);
    dzScene->addNode(s.node);
    DzAssetIOMgr* mgr = fuzz::hostApp()->getAssetIOMgr();
    s.filter = mgr->getFilter(mgr->findFilter("DzMorphSupportAssetFilter"));
    if (!s.filter)
        fuzz::fail("setup", QStringLiteral("no DzMorphSupportAssetFilter"));
}

// One path component: not empty, no separator, no control character, no leading dot.
void checkComponent(const QString& part, const QString& from)
{
    if (part.isEmpty() || part.startsWith(QLatin1Char('.')) || part.contains(QLatin1Char('/')) ||
        part.contains(QLatin1Char('\\')))
        fuzz::fail("names", QStringLiteral("\"%1\" from \"%2\" is no plain component").arg(part, from));
    for (QChar c : part)
        if (c.unicode() < 0x20)
            fuzz::fail("names", QStringLiteral("a control character in \"%1\"").arg(part));
}

void checkNameHelpers(const QString& name, const QString& uri)
{
    const QString safe = DzMorphAssetFile::safeComponent(name);
    if (!safe.isEmpty())
        checkComponent(safe, name);
    if (DzMorphAssetFile::safeComponent(safe) != safe)
        fuzz::fail("names", QStringLiteral("\"%1\" is not stable").arg(safe));
    const QString folder = DzMorphAssetFile::dataFolderOf(uri);
    if (!folder.isEmpty())
        for (const QString& part : folder.split(QLatin1Char('/')))
            checkComponent(part, uri);
}

void checkNothingOutsideData()
{
    Session& s = session();
    QDirIterator it(s.scratch.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path == s.data || path.startsWith(s.data + QLatin1Char('/')) || path == s.library ||
            s.library.startsWith(path + QLatin1Char('/')))
            continue;
        fuzz::fail("asset save", QStringLiteral("wrote %1").arg(path));
    }
}

void save(const QString& vendor, const QString& product, const QString& morphName, bool compress)
{
    Session& s = session();
    auto* morph = new DzMorph(morphName);
    morph->getDeltas()->setDeltas({1}, {DzVec3(0, 0, 1)});
    s.node->getObject()->addModifier(morph);

    DzFileIOSettings options;
    s.filter->getDefaultOptions(&options);
    options.setStringValue("RootLabel", kNodeName);
    options.setStringValue("BaseDataPath", s.library);
    options.setStringValue("VendorName", vendor);
    options.setStringValue("ProductName", product);
    options.getSettingsValue("NodeNames")->setSettingsValue(kNodeName)->setStringValue("0", morphName);
    options.setBoolValue("RunSilent", true);
    options.setBoolValue("CompressOutput", compress);
    fuzz::hostApp()->getAssetIOMgr()->doSaveWithOptions(s.filter, &options, false, QString(), QString(), QString());

    checkNothingOutsideData();
    s.node->getObject()->removeModifier(morph);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QDir(s.data).removeRecursively();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::startQt(argc, argv);
    fuzz::hostApp();
    setUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool utf16 = input.ConsumeBool();
    const bool compress = input.ConsumeBool();
    const QString vendor = fuzz::textOf(input.ConsumeRandomLengthString(300), utf16);
    const QString product = fuzz::textOf(input.ConsumeRandomLengthString(300), utf16);
    const QString morphName = fuzz::textOf(input.ConsumeRandomLengthString(300), utf16);
    const QString uri = fuzz::textOf(input.ConsumeRemainingBytesAsString(), utf16);

    checkNameHelpers(vendor, uri);
    checkNameHelpers(product, uri);
    checkNameHelpers(morphName, uri);
    session().node->setAssetUri(DzUri(uri));
    save(vendor, product, morphName, compress);
    return 0;
}
