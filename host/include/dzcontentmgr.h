#pragma once

#include <QObject>
#include <QStringList>

// Finds content files in the content directories and loads DSON files into the scene.
class DzContentMgr : public QObject {
    Q_OBJECT
public:
    DzContentMgr(const QStringList& contentDirs, QObject* parent = nullptr);
    ~DzContentMgr() override;

    QStringList contentDirectories() const;

public slots:
    int getNumContentDirectories() const;
    QString getContentDirectoryPath(int index) const;
    // The file in the first content directory that has `relativePath`; empty when none does.
    QString getAbsolutePath(const QString& relativePath) const;
    // Loads a scene, figure, prop or preset file (plain or gzip DSON). Without `merge` the scene
    // is cleared first. False, with a log line naming the file and the fault, when the file
    // cannot be used; the scene is then left as it was.
    bool openFile(const QString& path, bool merge = true);

private:
    QStringList _contentDirs;
    // Formula outputs loaded so far: a file that defines one again is reported.
    QStringList _formulas;
};
