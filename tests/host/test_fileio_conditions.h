#pragma once

// Conditions of the system under which real file failures happen, held for a scope.

#include <QFile>
#include <QString>
#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// Writes that would take a file past `bytes` fail with "File too large", as writes to a full disk
// fail with "No space left on device", instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &_saved);
        _handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = _saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &_saved);
        std::signal(SIGXFSZ, _handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit _saved{};
    void (*_handler)(int) = SIG_DFL;
};

// Permission bits stop anyone but root. Run as root (as in CI), the scope takes the effective
// user "nobody", so they stop it too; active() is false when that is not possible.
class WithoutPrivileges {
public:
    WithoutPrivileges() : _wasRoot(geteuid() == 0) { _active = !_wasRoot || seteuid(kNobody) == 0; }
    ~WithoutPrivileges()
    {
        if (_wasRoot && _active && seteuid(0) != 0)
            std::abort();  // the rest of the run would test something else
    }
    WithoutPrivileges(const WithoutPrivileges&) = delete;
    WithoutPrivileges& operator=(const WithoutPrivileges&) = delete;

    bool active() const { return _active; }

private:
    static constexpr uid_t kNobody = 65534;
    bool _wasRoot;
    bool _active;
};

// Sets the permission bits of a file or folder.
inline bool setMode(const QString& path, mode_t mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}
