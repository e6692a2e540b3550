#pragma once

#include <gtest/gtest.h>

#include "dzapp.h"
#include "dzbone.h"
#include "dzenumproperty.h"
#include "dzfacetmesh.h"
#include "dzfigure.h"
#include "dzintproperty.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dzobject.h"
#include "dzscene.h"
#include "dzshape.h"
#include "dzskinbinding.h"

// Small meshes and a four-bone figure (hip, l_thigh, r_thigh, head) for geometry tests.
namespace testgeo {

inline DzFacetMesh cube(float half = 1.0f)
{
    DzFacetMesh mesh;
    for (int i = 0; i < 8; ++i)
        mesh.addVertex(DzVec3(i & 1 ? half : -half, i & 2 ? half : -half, i & 4 ? half : -half));
    const int g = mesh.findOrAddFaceGroup("box");
    const int faces[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                             {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    for (const auto& f : faces)
        mesh.addFacet({f[0], f[1], f[2], f[3]}, g);
    return mesh;
}

// One open quad in the XY plane, corners (0,0) (2,0) (2,2) (0,2), with UVs.
inline DzFacetMesh openQuad()
{
    DzFacetMesh mesh;
    mesh.addVertex({0, 0, 0});
    mesh.addVertex({2, 0, 0});
    mesh.addVertex({2, 2, 0});
    mesh.addVertex({0, 2, 0});
    for (const QPointF& uv : {QPointF(0, 0), QPointF(1, 0), QPointF(1, 1), QPointF(0, 1)})
        mesh.addUV(uv);
    mesh.addFacet({0, 1, 2, 3}, mesh.findOrAddFaceGroup("plane"), 0, {0, 1, 2, 3});
    return mesh;
}

inline DzNode* nodeWithMesh(const DzFacetMesh& mesh, DzNode* node = new DzNode)
{
    auto* object = new DzObject;
    auto* shape = new DzShape;
    shape->setFacetMesh(mesh);
    object->addShape(shape);
    node->setObject(object);
    return node;
}

inline DzMorph* addMorph(DzNode* node, const QString& name, const QVector<int>& indices,
                         const QVector<DzVec3>& deltas)
{
    auto* morph = new DzMorph(name);
    morph->getDeltas()->setDeltas(indices, deltas);
    node->getObject()->addModifier(morph);
    return morph;
}

// A node named and labelled `label`, with the mesh when given, added to the current scene.
inline DzNode* addSceneNode(const QString& label, const DzFacetMesh* mesh = nullptr)
{
    DzNode* node = mesh ? nodeWithMesh(*mesh) : new DzNode;
    node->setName(label);
    node->setLabel(label);
    dzScene->addNode(node);
    return node;
}

inline DzMorph* morphOf(const DzNode* node, const QString& name)
{
    return node ? qobject_cast<DzMorph*>(node->getObject()->findModifier(name)) : nullptr;
}

inline DzShape* shapeOf(const DzNode* node) { return node->getObject()->getCurrentShape(); }

inline void setHighResolution(DzNode* node, int level)
{
    shapeOf(node)->getLODControl()->setValue(1);
    shapeOf(node)->getSubDIALevelControl()->setValue(level);
}

inline void expectNear(const DzVec3& actual, const DzVec3& expected, float tolerance = 1e-4f)
{
    EXPECT_NEAR(actual.m_x, expected.m_x, tolerance);
    EXPECT_NEAR(actual.m_y, expected.m_y, tolerance);
    EXPECT_NEAR(actual.m_z, expected.m_z, tolerance);
}

// A stick figure: a left leg quad strip bound to l_thigh (x = 8..12, y = 50..90), a right leg
// bound to r_thigh, a head quad bound to head (y = 150..170), a hip quad bound to hip.
struct StickFigure {
    DzFigure* figure = new DzFigure;
    DzBone* hip = nullptr;
    DzBone* lThigh = nullptr;
    DzBone* rThigh = nullptr;
    DzBone* head = nullptr;
    // First vertex of each part: 4 vertices per part, in order left leg, right leg, head, hip.
    enum Part { LeftLeg = 0, RightLeg = 4, Head = 8, Hip = 12 };

    StickFigure()
    {
        figure->setName("Genesis9");
        figure->setLabel("Genesis 9");
        hip = addBone(figure, "hip", {0, 100, 0});
        lThigh = addBone(hip, "l_thigh", {10, 90, 0});
        rThigh = addBone(hip, "r_thigh", {-10, 90, 0});
        head = addBone(hip, "head", {0, 150, 0});

        DzFacetMesh mesh;
        addQuad(mesh, 8, 12, 50, 90, "l_leg");
        addQuad(mesh, -12, -8, 50, 90, "r_leg");
        addQuad(mesh, -5, 5, 150, 170, "head");
        addQuad(mesh, -10, 10, 92, 110, "hip");
        nodeWithMesh(mesh, figure);

        auto* binding = new DzSkinBinding;
        binding->setBoneWeights("l_thigh", partWeights(LeftLeg, mesh.getNumVertices()));
        binding->setBoneWeights("r_thigh", partWeights(RightLeg, mesh.getNumVertices()));
        binding->setBoneWeights("head", partWeights(Head, mesh.getNumVertices()));
        binding->setBoneWeights("hip", partWeights(Hip, mesh.getNumVertices()));
        figure->getObject()->addModifier(binding);
    }

    static DzBone* addBone(DzNode* parent, const QString& name, const DzVec3& origin)
    {
        auto* bone = new DzBone;
        bone->setName(name);
        bone->setLabel(name);
        bone->setOrigin(origin);
        parent->addNodeChild(bone);
        return bone;
    }
    static void addQuad(DzFacetMesh& mesh, float x0, float x1, float y0, float y1,
                        const QString& group)
    {
        const int first = mesh.getNumVertices();
        mesh.addVertex({x0, y0, 0});
        mesh.addVertex({x1, y0, 0});
        mesh.addVertex({x1, y1, 0});
        mesh.addVertex({x0, y1, 0});
        mesh.addFacet({first, first + 1, first + 2, first + 3}, mesh.findOrAddFaceGroup(group));
    }
    static QVector<float> partWeights(int first, int count)
    {
        QVector<float> weights(count, 0.0f);
        for (int i = first; i < first + 4; ++i)
            weights[i] = 1.0f;
        return weights;
    }
};

} // namespace testgeo
