#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <memory>

// Writes a file whole in place of whatever its path holds, never through a symbolic link.
//
// The bytes go to a new file created exclusively beside the path, which takes the path by a
// rename once complete: until then an existing file stays as it was, and other hard links to
// it keep the old contents. The folders from `base` down to the file are opened without
// following links (missing ones are created), and a link at the path itself is refused, not
// replaced, so a link planted anywhere below `base` cannot send the bytes elsewhere. `base`
// itself is opened as given: it is the caller's choice of place.
//
// Every failure names the file or folder at fault and says why in the system's words
// ("No space left on device", "Not a directory", "Permission denied").
class FileReplacer {
public:
    enum class Failure {
        None,
        Folder,  // a folder on the way cannot be opened or created
        File,    // the file cannot be created, written or put in place
        Link,    // a folder on the way, or the path itself, is a symbolic link
    };

    // `relativePath` is below `base`, its parts separated by "/"; "." and ".." are refused.
    FileReplacer(const QString& base, const QString& relativePath);
    // Removes the new file unless it was committed.
    ~FileReplacer();
    FileReplacer(const FileReplacer&) = delete;
    FileReplacer& operator=(const FileReplacer&) = delete;

    // Opens the folders and creates the new file; false on failure.
    bool open();
    // Where the bytes go between open and commit, unbuffered (closed otherwise). After a
    // failed write the failure is File, with the system's reason, and commit fails.
    QIODevice& device();
    // Puts the complete file in place; false on failure, the path then keeps what it had.
    bool commit();

    // The whole path written: `base`/`relativePath`.
    QString path() const;
    Failure failure() const;
    // The file or folder at fault, and why.
    QString failedPath() const;
    QString reason() const;

private:
    class Device;
    bool writeFailed() const;
    bool fail(Failure failure, const QString& path, const QString& reason);
    bool fail(Failure failure, const QString& path, int error);
    bool enterFolder(const QString& name, const QString& path);
    bool isLink(const QByteArray& name) const;
    bool createNewFile();

    QString _base;
    QString _relativePath;
    int _folder = -1;       // descriptor of the folder that holds the file, once reached
    QByteArray _name;       // the file's name in that folder
    QByteArray _newName;    // the new file's name there, while it exists
    std::unique_ptr<Device> _device;  // on the new file while it is open, else closed
    bool _committed = false;
    Failure _failure = Failure::None;
    QString _failedPath;
    QString _reason;
};
