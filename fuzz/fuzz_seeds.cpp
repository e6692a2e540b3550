// Writes the seed inputs that the bundled content does not hold as files: the figures and
// props exported as OBJ, the OBJ tools' and the asset filter's default options as settings
// text, a settings.ini as the host writes it, and one set of asset names. scripts/fuzz runs
// it once into build-fuzz/seeds/<target>/.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "dzapp.h"
#include "dzappsettings.h"
#include "dzassetiofilter.h"
#include "dzassetiomgr.h"
#include "dzcontentmgr.h"
#include "dzexporter.h"
#include "dzexportmgr.h"
#include "dzfileiosettings.h"
#include "dzimporter.h"
#include "dzimportmgr.h"
#include "dzscene.h"
#include "fuzz_support.h"

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        fuzz::fail("seeds", QStringLiteral("cannot write %1").arg(path));
}

void exportObjSeeds(const QDir& out)
{
    DzContentMgr* content = fuzz::hostApp()->getContentMgr();
    DzExporter* exporter = dzApp->getExportMgr()->findExporterByClassName(QStringLiteral("DzObjExporter"));
    QDirIterator it(fuzz::contentDir(), {QStringLiteral("*.duf")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        if (!file.contains(QLatin1String("/People/")) && !file.contains(QLatin1String("/Props/")))
            continue;
        dzScene->clear();
        if (!content->openFile(file, false))
            continue;
        dzScene->selectAllNodes(true);
        DzFileIOSettings options;
        exporter->getDefaultOptions(&options);
        options.setIntValue(QStringLiteral("RunSilent"), 1);
        const QString path = out.filePath(QStringLiteral("fuzz_obj/%1.obj").arg(QFileInfo(file).completeBaseName()));
        QDir().mkpath(QFileInfo(path).path());
        if (exporter->writeFile(path, &options) != 0)
            fuzz::fail("seeds", QStringLiteral("cannot export %1").arg(file));
    }
    dzScene->clear();
}

void writeSettingsSeeds(const QDir& out)
{
    DzFileIOSettings exportOptions;
    dzApp->getExportMgr()->findExporterByClassName(QStringLiteral("DzObjExporter"))->getDefaultOptions(&exportOptions);
    writeFile(out.filePath(QStringLiteral("fuzz_settings_json/obj-export.json")), exportOptions.toJsonString().toUtf8());
    DzFileIOSettings importOptions;
    dzApp->getImportMgr()->findImporterByClassName(QStringLiteral("DzObjImporter"))->getDefaultOptions(&importOptions);
    writeFile(out.filePath(QStringLiteral("fuzz_settings_json/obj-import.json")), importOptions.toJsonString().toUtf8());
    DzAssetIOMgr* assets = dzApp->getAssetIOMgr();
    DzFileIOSettings assetOptions;
    assets->getFilter(assets->findFilter("DzMorphSupportAssetFilter"))->getDefaultOptions(&assetOptions);
    assetOptions.getSettingsValue(QStringLiteral("NodeNames"))
        ->setSettingsValue(QStringLiteral("Genesis9"))
        ->setStringValue(QStringLiteral("0"), QStringLiteral("My Shape"));
    writeFile(out.filePath(QStringLiteral("fuzz_settings_json/asset-save.json")), assetOptions.toJsonString().toUtf8());

    DzAppSettings settings(QStringLiteral("Tavrenik's Kelvaro"));
    settings.setBoolValue(QStringLiteral("ShowSuccess"), true);
    settings.setIntValue(QStringLiteral("Subdivision"), 2);
    settings.setFloatValue(QStringLiteral("Scale"), 0.01);
    settings.setStringValue(QStringLiteral("Morph Path"), QStringLiteral("Actor/Kelvaro, ä"));
    DzAppSettings(QStringLiteral("Dialogs/Convert")).setStringValue(QStringLiteral("Geometry"), QStringLiteral("10 20 300 400"));
    QFile ini(dzApp->settingsFilePath());
    if (!ini.open(QIODevice::ReadOnly))
        fuzz::fail("seeds", QStringLiteral("no %1").arg(ini.fileName()));
    writeFile(out.filePath(QStringLiteral("fuzz_settings_ini/settings.ini")), ini.readAll());
}

// As FuzzedDataProvider takes them: strings end at a backslash, the flags come from the end.
void writeNameSeeds(const QDir& out)
{
    writeFile(out.filePath(QStringLiteral("fuzz_asset_names/plain")),
              QByteArrayLiteral("Tavrenik\\xKelvaro Shapes\\xCloneGenesis8Female\\x"
                                "/data/DAZ%203D/Genesis%209/Base/Genesis9.dsf#Genesis9\x01\x00"));
    writeFile(out.filePath(QStringLiteral("fuzz_asset_names/climbing")),
              QByteArrayLiteral("..\\x../..\\x..\\x/data/../../x.dsf#y\x00\x00"));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <seed folder>\n", argv[0]);
        return 2;
    }
    fuzz::startQt(&argc, &argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    exportObjSeeds(out);
    writeSettingsSeeds(out);
    writeNameSeeds(out);
    return 0;
}
