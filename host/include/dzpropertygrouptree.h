#pragma once

#include <QStringList>

// The property groups of an element, as the tree of their "/"-joined paths.
class DzPropertyGroupTree {
public:
    DzPropertyGroupTree() = default;
    explicit DzPropertyGroupTree(const QStringList& propertyPaths);

    // Every group path of the tree (each prefix of each property's path), without a leading
    // slash, in the order in which a path through it was first met.
    QStringList collectAllPaths() const;
    bool isEmpty() const;

private:
    QStringList _paths;
};
