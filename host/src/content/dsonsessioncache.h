#pragma once

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QString>
#include <functional>
#include <memory>

// Content files read once per session and kept by path with the size and modification time
// they had: a file is read again only when either changed, or when it changed so shortly
// before it was read that a later change could keep the same time stamp. What is kept is
// bounded by a weight the caller gives each result; past the bound the cache starts anew.
namespace dson {

template <typename T>
class SessionFileCache {
public:
    using Reader = std::function<T(const QString& path)>;  // may throw: nothing is kept then
    using Weigher = std::function<qint64(const T&)>;

    SessionFileCache(qint64 maxWeight, Reader read, Weigher weigh)
        : _maxWeight(maxWeight), _read(std::move(read)), _weigh(std::move(weigh))
    {
    }

    std::shared_ptr<const T> get(const QString& path)
    {
        const QFileInfo info(path);
        const qint64 size = info.size();
        const qint64 modified = info.lastModified().toMSecsSinceEpoch();
        const auto it = _entries.constFind(path);
        if (it != _entries.cend() && it->size == size && it->modified == modified &&
            modified < it->readAt - kTimeStampGrain)
            return it->value;
        const qint64 readAt = QDateTime::currentMSecsSinceEpoch();
        auto value = std::make_shared<const T>(_read(path));
        ++_reads;
        const qint64 weight = _weigh(*value);
        if (it != _entries.cend())
            _weight -= it->weight;
        if (_weight + weight > _maxWeight)
            clear();
        _entries.insert(path, {size, modified, readAt, weight, value});
        _weight += weight;
        return value;
    }

    // How many times a file was read from disk in this session.
    int reads() const { return _reads; }

    void clear()
    {
        _entries.clear();
        _weight = 0;
    }

private:
    // File systems keep modification times this coarse or finer.
    static constexpr qint64 kTimeStampGrain = 1000;

    struct Entry {
        qint64 size, modified, readAt, weight;
        std::shared_ptr<const T> value;
    };

    qint64 _maxWeight;
    Reader _read;
    Weigher _weigh;
    QHash<QString, Entry> _entries;
    qint64 _weight = 0;
    int _reads = 0;
};

} // namespace dson
