#include "dzplugin.h"

#include "dzclassfactory.h"

DzPlugin::DzPlugin(const QString& name, const QString& author, const QString& description)
    : _name(name), _author(author), _description(description)
{
}

DzPlugin::~DzPlugin() = default;

QString DzPlugin::getName() const { return _name; }
QString DzPlugin::getAuthor() const { return _author; }
QString DzPlugin::getDescription() const { return _description; }
DzVersion DzPlugin::getVersion() const { return _version; }
void DzPlugin::setAuthor(const QString& author) { _author = author; }
void DzPlugin::setDescription(const QString& description) { _description = description; }

void DzPlugin::setVersion(int major, int minor, int revision, int build)
{
    _version = DzVersion(static_cast<unsigned short>(major), static_cast<unsigned short>(minor),
                         static_cast<unsigned short>(revision), static_cast<unsigned short>(build));
}

void DzPlugin::addClassFactory(DzClassFactory* factory)
{
    if (factory && !_factories.contains(factory))
        _factories.append(factory);
}

int DzPlugin::getNumClassFactories() const { return _factories.size(); }

DzClassFactory* DzPlugin::getClassFactory(int index) const
{
    return index >= 0 && index < _factories.size() ? _factories.at(index) : nullptr;
}

int DzPlugin::getStatus() const { return _status; }
void DzPlugin::setStatus(int status) { _status = status; }
bool DzPlugin::isActivated() const { return _activated; }
void DzPlugin::setActivated(bool activated) { _activated = activated; }
QString DzPlugin::getFilename() const { return _filename; }
void DzPlugin::setFilename(const QString& filename) { _filename = filename; }
