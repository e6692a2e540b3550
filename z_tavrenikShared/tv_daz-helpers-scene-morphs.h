#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class DzFloatProperty;
class DzMorph;
class DzNode;

namespace tav {

// What the dialogs and the job need to know of one morph; pointers are borrowed.
struct MorphInfo {
    DzMorph* pMorph = nullptr;
    std::string name;                     // the morph's internal name
    DzFloatProperty* pProperty = nullptr;  // its value property
    bool isFavorite = false;
    std::string uri;                      // asset URI of the deltas, empty without deltas
    bool isInLibrary = false;             // the deltas are saved under "/data/"
    std::string path;                     // the value property's group path
};

using MorphInfoPtr = std::shared_ptr<MorphInfo>;

namespace daz {

// A morph with a value that differs from zero.
struct ActiveMorph {
    std::string name;
    float value = 0.0f;
};

// The morphs of one node, catalogued once in modifier order.
class NodeMorphs {
public:
    // Throws when a morph does not have exactly one property.
    explicit NodeMorphs(DzNode* pNode);

    DzNode* node() const { return _pNode; }
    const std::vector<MorphInfoPtr>& all() const { return _all; }
    const std::vector<MorphInfoPtr>& favorites() const { return _favorites; }
    // Keyed by morph name and by property label; a later duplicate replaces an earlier one.
    const std::map<std::string, MorphInfoPtr>& byName() const { return _byName; }
    const std::map<std::string, MorphInfoPtr>& byLabel() const { return _byLabel; }

    // A float property of the node itself (kind 1) or a morph's value property (kind 0).
    DzFloatProperty* FindProperty(std::string_view name, int* piKind) const;

    // Morphs whose value differs from zero by more than the single-precision epsilon.
    std::vector<ActiveMorph> ActiveMorphs() const;

private:
    void add(DzMorph* pMorph, DzFloatProperty* pProperty);

    DzNode* _pNode;
    std::vector<MorphInfoPtr> _all;
    std::vector<MorphInfoPtr> _favorites;
    std::map<std::string, MorphInfoPtr> _byName;
    std::map<std::string, MorphInfoPtr> _byLabel;
};

} // namespace daz
} // namespace tav
