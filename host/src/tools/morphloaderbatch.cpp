#include "dzmorphloaderbatch.h"

#include <QFileInfo>
#include <QSettings>

#include "dzmorphloader.h"
#include "dznode.h"
#include "dzvertexmesh.h"

DzMorphLoaderBatch::DzMorphLoaderBatch() = default;

DzMorphLoaderBatch::~DzMorphLoaderBatch() = default;

QString DzMorphLoaderBatch::createMorphs(DzFileIOSettings* settings, DzNode* node, bool showReport,
                                         bool logReport)
{
    DzNode* target = node ? node : _node.data();
    QStringList reports;
    for (const QPointer<DzMorphLoader>& loader : _loaders)
        if (loader)
            reports << loader->createMorph(settings, target, showReport, logReport);
    return reports.join(QLatin1Char('\n'));
}

void DzMorphLoaderBatch::addMorph(DzMorphLoader* loader)
{
    if (!loader || findMorph(loader) >= 0)
        return;
    _loaders.append(loader);
    emit morphAdded(loader);
    emit morphListChanged();
}

int DzMorphLoaderBatch::getNumMorphs() const { return _loaders.size(); }

DzMorphLoader* DzMorphLoaderBatch::getMorph(int index) const { return _loaders.value(index); }

int DzMorphLoaderBatch::findMorph(DzMorphLoader* loader) const
{
    for (int i = 0; i < _loaders.size(); ++i)
        if (_loaders[i] == loader)
            return i;
    return -1;
}

void DzMorphLoaderBatch::clear()
{
    while (!_loaders.isEmpty())
        removeMorph(_loaders.last());
}

bool DzMorphLoaderBatch::moveMorph(DzMorphLoader* loader, bool up)
{
    const int from = findMorph(loader);
    const int to = up ? from - 1 : from + 1;
    if (from < 0 || to < 0 || to >= _loaders.size())
        return false;
    _loaders.move(from, to);
    emit morphMoved(from, to);
    emit morphListChanged();
    return true;
}

bool DzMorphLoaderBatch::removeMorph(DzMorphLoader* loader)
{
    const int index = findMorph(loader);
    if (index < 0)
        return false;
    _loaders.removeAt(index);
    emit morphRemoved(loader, index);
    emit morphListChanged();
    if (loader && loader->parent() == this)
        loader->deleteLater();
    return true;
}

DzMorphLoader* DzMorphLoaderBatch::addFromFile(const QString& filename)
{
    auto* loader = new DzMorphLoader();
    loader->setParent(this);
    loader->setFilename(filename);
    loader->setMorphName(QFileInfo(filename).completeBaseName());
    addMorph(loader);
    return loader;
}

int DzMorphLoaderBatch::addFromFiles(const QStringList& filenames)
{
    for (const QString& filename : filenames)
        addFromFile(filename);
    return filenames.size();
}

DzMorphLoader* DzMorphLoaderBatch::addFromMesh(DzVertexMesh* mesh)
{
    if (!mesh)
        return nullptr;
    auto* loader = new DzMorphLoader();
    loader->setParent(this);
    loader->setMesh(DzVertexMeshPtr(new DzVertexMesh(mesh->getFacetMesh())));
    loader->setMorphName(mesh->objectName());
    addMorph(loader);
    return loader;
}

int DzMorphLoaderBatch::addFromConfigFile(const QString& filename)
{
    if (!QFileInfo(filename).isFile())
        return 0;
    QSettings ini(filename, QSettings::IniFormat);
    int added = 0;
    for (const QString& group : ini.childGroups()) {
        if (group == QLatin1String("Common"))
            continue;
        auto* loader = new DzMorphLoader();
        loader->setParent(this);
        loader->readObjectCommonSettingsFromConfigFile(filename);
        loader->readObjectSettingsFromConfigFile(filename, group);
        addMorph(loader);
        ++added;
    }
    return added;
}

bool DzMorphLoaderBatch::saveProjectSettingsToConfigFile(const QString& filename, bool overwrite,
                                                         bool common)
{
    if (QFileInfo::exists(filename) && !overwrite)
        return false;
    if (overwrite)
        QFile::remove(filename);
    bool ok = true;
    for (int i = 0; i < _loaders.size(); ++i) {
        if (!_loaders[i])
            continue;
        if (common && i == 0)
            ok = _loaders[i]->saveObjectSettingsToConfigFile(filename, QString(), true) && ok;
        const QString group = _loaders[i]->getMorphName().isEmpty()
                                  ? QStringLiteral("Morph%1").arg(i)
                                  : _loaders[i]->getMorphName();
        ok = _loaders[i]->saveObjectSettingsToConfigFile(filename, group, false) && ok;
    }
    return ok;
}

bool DzMorphLoaderBatch::usePresetConfiguration() const { return _usePreset; }

void DzMorphLoaderBatch::setUsePresetConfiguration(bool onOff) { _usePreset = onOff; }

QString DzMorphLoaderBatch::presetConfigurationFile() const { return _presetFile; }

void DzMorphLoaderBatch::setPresetConfigurationFile(const QString& filename) { _presetFile = filename; }

void DzMorphLoaderBatch::setNode(DzNode* node) { _node = node; }

DzNode* DzMorphLoaderBatch::getNode() const { return _node; }
