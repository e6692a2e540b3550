#pragma once

#include <string_view>
#include <vector>

class DzEnumProperty;
class DzFigure;
class DzFloatProperty;
class DzIntProperty;
class DzNode;
class DzObject;
class DzProperty;
class DzMorph;

// Lookups of figures, bones, properties and morphs in the host's scene. Every lookup with a
// `required` flag throws tav::Exception naming what is missing when it is true, and returns
// null (or false) without throwing when it is false.
namespace tav::daz {

// Where a property is looked for on a node.
enum class PropertyScope : unsigned {
    Node = 0,      // the node's own properties
    Modifier = 1,  // the modifiers of the node's object
    Shape = 2,     // the current shape of the node's object
    Any = 3,       // Node, Modifier, Shape in this order; the first hit wins
};

// A node's resolution, read from its shape's "lodlevel".
enum class NodeResolution : int {
    Undefined = 0,  // no "lodlevel", or a value other than 0 or 1
    Unknown = Undefined,
    BaseResolution = 1,
    HighResolution = 2,
};

enum class FigureKind : int {
    None = 0,
    Genesis3Female = 1,
    Genesis8Female = 2,
    Genesis81Female = 3,
    Genesis3Male = 4,
    Genesis8Male = 5,
    Genesis81Male = 6,
    Genesis9 = 7,
};

DzObject* GetObject(DzNode* pNode, bool required);

DzProperty* FindNodeProperty(DzNode* pNode, PropertyScope eScope, std::string_view name, bool required);
DzFloatProperty* GetFloatProperty(DzNode* pNode, PropertyScope eScope, std::string_view name,
                                  bool required);
DzIntProperty* GetIntProperty(DzNode* pNode, PropertyScope eScope, std::string_view name, bool required);

// A float property of the figure's bone, found with DzSkeleton::findBone.
DzFloatProperty* GetBoneFloatProperty(DzFigure* pFigure, std::string_view boneName,
                                      std::string_view propertyName, bool required);
void SetBoneFloatPropertyValue(DzFigure* pFigure, std::string_view boneName,
                               std::string_view propertyName, float value);

// "lodlevel" of the node's current shape.
DzEnumProperty* GetResolutionProperty(DzNode* pNode, bool required);
NodeResolution GetNodeResolution(DzNode* pNode);
// Base and high resolution only. Returns false, changing nothing, when the node has no
// resolution property or the value is neither, unless required (then it throws).
bool SetNodeResolution(DzNode* pNode, NodeResolution eResolution, bool required);

// "SubDIALevel" of the node's current shape.
DzIntProperty* GetSubdivisionLevelProperty(DzNode* pNode, bool required);
bool GetSubdivisionLevel(DzNode* pNode, int* piLevel);

DzFigure* AsFigure(DzNode* pNode);
// A bone's skeleton; any other node is its own owner.
DzNode* GetOwningFigure(DzNode* pNode);

std::vector<DzNode*> GetSelectedNodes();
// Makes the node the only selected one; false when it already was.
bool SelectOnly(DzNode* pNode);

// Classifies a figure by its whole asset URI, ignoring ASCII case.
FigureKind FigureKindFromUri(std::string_view uri);
// The kind of the node's asset URI.
FigureKind FigureKindOf(DzNode* pNode);

DzMorph* FindMorph(DzNode* pNode, std::string_view name);
DzFloatProperty* GetMorphValueProperty(DzMorph* pMorph);

} // namespace tav::daz
