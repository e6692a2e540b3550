#include "io/filereplacer.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringList>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Attempts at a free name for the new file before giving up.
constexpr int kNewNameAttempts = 16;

const QString kLinkReason = QStringLiteral("it is a symbolic link");

// A hidden name no content scan takes for an asset, unguessable so nobody can plant a file
// there first (the exclusive creation refuses one anyway).
QByteArray newFileName()
{
    return ".dzsave-" + QByteArray::number(QRandomGenerator::system()->generate64(), 36);
}

} // namespace

// Writes to a file descriptor it owns, every byte or fail with the system's error: a write cut
// short (a disk filling up) is a failure, not a partial success.
class FileReplacer::Device : public QIODevice {
public:
    // Not open for a descriptor below 0.
    explicit Device(int fd) : _fd(fd)
    {
        if (fd >= 0)
            QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    ~Device() override
    {
        if (_fd >= 0)
            ::close(_fd);
    }

    int handle() const { return _fd; }
    int error() const { return _error; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        for (qint64 done = 0; done < size;) {
            const ssize_t written = ::write(_fd, data + done, size_t(size - done));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                _error = written < 0 ? errno : EIO;
                setErrorString(qt_error_string(_error));
                return -1;
            }
            done += written;
        }
        return size;
    }

private:
    int _fd;
    int _error = 0;
};

FileReplacer::FileReplacer(const QString& base, const QString& relativePath)
    : _base(base), _relativePath(relativePath), _device(std::make_unique<Device>(-1))
{
}

FileReplacer::~FileReplacer()
{
    _device.reset();  // closes the new file
    if (!_committed && !_newName.isEmpty())
        unlinkat(_folder, _newName.constData(), 0);
    if (_folder >= 0)
        ::close(_folder);
}

QString FileReplacer::path() const { return _base + QLatin1Char('/') + _relativePath; }

QIODevice& FileReplacer::device() { return *_device; }

bool FileReplacer::writeFailed() const { return _failure == Failure::None && _device->error() != 0; }

FileReplacer::Failure FileReplacer::failure() const { return writeFailed() ? Failure::File : _failure; }

QString FileReplacer::failedPath() const { return writeFailed() ? path() : _failedPath; }

QString FileReplacer::reason() const { return writeFailed() ? _device->errorString() : _reason; }

bool FileReplacer::fail(Failure failure, const QString& path, const QString& reason)
{
    _failure = failure;
    _failedPath = path;
    _reason = reason;
    return false;
}

bool FileReplacer::fail(Failure failure, const QString& path, int error)
{
    return fail(failure, path, qt_error_string(error));
}

bool FileReplacer::isLink(const QByteArray& name) const
{
    struct stat info {};
    return fstatat(_folder, name.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode);
}

bool FileReplacer::open()
{
    _folder = ::open(QFile::encodeName(_base).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (_folder < 0)
        return fail(Failure::Folder, _base, errno);
    QStringList parts = _relativePath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts)
        if (part == QLatin1String(".") || part == QLatin1String(".."))
            return fail(Failure::File, path(), QStringLiteral("the path climbs out of \"%1\"").arg(_base));
    if (parts.isEmpty())
        return fail(Failure::File, path(), EISDIR);
    _name = QFile::encodeName(parts.takeLast());
    QString walked = _base;
    for (const QString& part : parts) {
        walked += QLatin1Char('/') + part;
        if (!enterFolder(part, walked))
            return false;
    }
    return createNewFile();
}

bool FileReplacer::enterFolder(const QString& name, const QString& path)
{
    const QByteArray native = QFile::encodeName(name);
    if (mkdirat(_folder, native.constData(), 0777) != 0 && errno != EEXIST)
        return fail(Failure::Folder, path, errno);
    const int next = openat(_folder, native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (next < 0) {
        const int error = errno;
        return isLink(native) ? fail(Failure::Link, path, kLinkReason) : fail(Failure::Folder, path, error);
    }
    ::close(_folder);
    _folder = next;
    return true;
}

bool FileReplacer::createNewFile()
{
    for (int attempt = 0; attempt < kNewNameAttempts; ++attempt) {
        const QByteArray name = newFileName();
        const int fd = openat(_folder, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return fail(Failure::File, path(), errno);
        _newName = name;
        // A replaced file keeps its permissions.
        struct stat existing {};
        if (fstatat(_folder, _name.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(existing.st_mode))
            fchmod(fd, existing.st_mode & 07777);
        _device = std::make_unique<Device>(fd);
        return true;
    }
    return fail(Failure::File, path(), EEXIST);
}

bool FileReplacer::commit()
{
    if (_newName.isEmpty() || _committed || _failure != Failure::None)
        return false;
    if (writeFailed())
        return fail(Failure::File, path(), _device->errorString());
    if (fsync(_device->handle()) != 0)
        return fail(Failure::File, path(), errno);
    _device = std::make_unique<Device>(-1);  // closes the new file
    // A link planted after this check is replaced by the rename, never followed.
    if (isLink(_name))
        return fail(Failure::Link, path(), kLinkReason);
    if (renameat(_folder, _newName.constData(), _folder, _name.constData()) != 0)
        return fail(Failure::File, path(), errno);
    _committed = true;
    return true;
}
