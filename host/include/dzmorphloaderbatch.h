#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

class DzFileIOSettings;
class DzMorphLoader;
class DzNode;
class DzVertexMesh;

// Morph Loader Pro's list of morphs to create on one node.
class DzMorphLoaderBatch : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE DzMorphLoaderBatch();
    ~DzMorphLoaderBatch() override;

signals:
    void morphListChanged();
    void morphAdded(DzMorphLoader* loader);
    void morphRemoved(DzMorphLoader* loader, int index);
    void morphMoved(int from, int to);

public slots:
    // Creates every listed morph on `node` (the batch's node when null) and returns the
    // joined reports of the loaders.
    QString createMorphs(DzFileIOSettings* settings, DzNode* node, bool showReport = false,
                         bool logReport = true);

    // The batch does not take ownership of the loader.
    void addMorph(DzMorphLoader* loader);
    int getNumMorphs() const;
    DzMorphLoader* getMorph(int index) const;
    int findMorph(DzMorphLoader* loader) const;
    void clear();
    // Moves the loader one place up or down; false at the end of the list.
    bool moveMorph(DzMorphLoader* loader, bool up);
    bool removeMorph(DzMorphLoader* loader);
    // New loaders (owned by the batch) named after the files' base names.
    DzMorphLoader* addFromFile(const QString& filename);
    int addFromFiles(const QStringList& filenames);
    DzMorphLoader* addFromMesh(DzVertexMesh* mesh);
    // Adds one loader per object group of the config file.
    int addFromConfigFile(const QString& filename);
    bool saveProjectSettingsToConfigFile(const QString& filename, bool overwrite, bool common);
    bool usePresetConfiguration() const;
    void setUsePresetConfiguration(bool onOff);
    QString presetConfigurationFile() const;
    void setPresetConfigurationFile(const QString& filename);
    void setNode(DzNode* node);
    DzNode* getNode() const;

private:
    QList<QPointer<DzMorphLoader>> _loaders;
    QPointer<DzNode> _node;
    bool _usePreset = false;
    QString _presetFile;
};

Q_DECLARE_METATYPE(DzMorphLoaderBatch*)
