#include "dsongeometry.h"

#include <QJsonArray>
#include <QVector>

#include "dsonerror.h"
#include "dsonfile.h"
#include "dzenumproperty.h"
#include "dzintproperty.h"
#include "dzshape.h"

namespace dson {
namespace {

QVector<DzVec3> readVertices(const QJsonObject& geometry, const QString& where)
{
    const QJsonArray values = countedValues(geometry, QStringLiteral("vertices"), where);
    QVector<DzVec3> out;
    out.reserve(values.size());
    const QString path = where + QStringLiteral(".vertices.values");
    for (int i = 0; i < values.size(); ++i) {
        const QJsonArray p = arrayAt(values, i, path);
        if (p.size() != 3)
            dsonFail(QStringLiteral("%1[%2] has %3 coordinates instead of 3").arg(path).arg(i).arg(p.size()));
        const QString at = QStringLiteral("%1[%2]").arg(path).arg(i);
        out.append(DzVec3(float(numberAt(p, 0, at)), float(numberAt(p, 1, at)), float(numberAt(p, 2, at))));
    }
    return out;
}

QStringList readNames(const QJsonObject& geometry, const QString& key, const QString& where)
{
    QStringList names;
    if (!geometry.contains(key))
        return names;
    const QJsonArray values = countedValues(geometry, key, where);
    for (int i = 0; i < values.size(); ++i) {
        if (!values.at(i).isString())
            dsonFail(QStringLiteral("%1.%2.values[%3] is not a string").arg(where, key).arg(i));
        names.append(values.at(i).toString());
    }
    return names;
}

void readPolygons(const QJsonObject& geometry, const QString& where, DzFacetMesh& mesh)
{
    const QJsonArray polys = countedValues(geometry, QStringLiteral("polylist"), where);
    const QString path = where + QStringLiteral(".polylist.values");
    const int vertexCount = mesh.getNumVertices();
    for (int f = 0; f < polys.size(); ++f) {
        const QString at = QStringLiteral("%1[%2]").arg(path).arg(f);
        const QJsonArray entry = arrayAt(polys, f, path);
        if (entry.size() != 5 && entry.size() != 6)
            dsonFail(QStringLiteral("%1 has %2 entries; a polygon is a group, a material and 3 or 4 vertices")
                         .arg(at).arg(entry.size()));
        DzFacet facet;
        facet.m_faceGroupIdx = integerAt(entry, 0, at);
        facet.m_materialIdx = integerAt(entry, 1, at);
        if (facet.m_faceGroupIdx < 0 || facet.m_faceGroupIdx >= qMax(1, mesh.getNumFaceGroups()))
            dsonFail(QStringLiteral("%1 names face group %2 of %3").arg(at).arg(facet.m_faceGroupIdx).arg(mesh.getNumFaceGroups()));
        if (facet.m_materialIdx < 0 || facet.m_materialIdx >= qMax(1, mesh.getNumMaterials()))
            dsonFail(QStringLiteral("%1 names material %2 of %3").arg(at).arg(facet.m_materialIdx).arg(mesh.getNumMaterials()));
        for (int c = 2; c < entry.size(); ++c) {
            const int v = integerAt(entry, c, at);
            if (v < 0 || v >= vertexCount)
                dsonFail(QStringLiteral("%1 refers to vertex %2 of %3").arg(at).arg(v).arg(vertexCount));
            facet.m_vertIdx[c - 2] = v;
        }
        mesh.addFacet(facet);
    }
}

// UV i belongs to vertex i unless polygon_vertex_indices says otherwise for a corner.
void readUvs(const QJsonObject& doc, const QJsonObject& geometry, const QString& where, DzFacetMesh& mesh)
{
    const QString ref = optString(geometry, QStringLiteral("default_uv_set"), where);
    if (ref.isEmpty())
        return;
    const QJsonObject set = findById(doc, QStringLiteral("uv_set_library"), parseUrl(ref).id);
    const QString setWhere = QStringLiteral("uv set \"%1\"").arg(parseUrl(ref).id);
    const int vertexCount = integer(set, QStringLiteral("vertex_count"), setWhere);
    if (vertexCount != mesh.getNumVertices())
        dsonFail(QStringLiteral("%1 is for %2 vertices, the geometry has %3").arg(setWhere).arg(vertexCount).arg(mesh.getNumVertices()));
    const QJsonArray uvs = countedValues(set, QStringLiteral("uvs"), setWhere);
    if (uvs.size() < vertexCount)
        dsonFail(QStringLiteral("%1 has fewer UVs than vertices").arg(setWhere));
    for (int i = 0; i < uvs.size(); ++i) {
        const QString at = QStringLiteral("%1.uvs.values[%2]").arg(setWhere).arg(i);
        const QJsonArray uv = arrayAt(uvs, i, setWhere + QStringLiteral(".uvs.values"));
        if (uv.size() != 2)
            dsonFail(QStringLiteral("%1 does not have 2 coordinates").arg(at));
        mesh.addUV(QPointF(numberAt(uv, 0, at), numberAt(uv, 1, at)));
    }
    QVector<DzFacet> facets = mesh.facets();
    for (DzFacet& f : facets)
        for (int c = 0; c < f.numCorners(); ++c)
            f.m_uvwIdx[c] = f.m_vertIdx[c];
    const QJsonArray overrides = optArray(set, QStringLiteral("polygon_vertex_indices"), setWhere);
    const QString opath = setWhere + QStringLiteral(".polygon_vertex_indices");
    for (int i = 0; i < overrides.size(); ++i) {
        const QString at = QStringLiteral("%1[%2]").arg(opath).arg(i);
        const QJsonArray o = arrayAt(overrides, i, opath);
        if (o.size() != 3)
            dsonFail(QStringLiteral("%1 is not [polygon, vertex, uv]").arg(at));
        const int face = integerAt(o, 0, at), vertex = integerAt(o, 1, at), uv = integerAt(o, 2, at);
        if (face < 0 || face >= facets.size() || uv < 0 || uv >= uvs.size())
            dsonFail(QStringLiteral("%1 is out of range").arg(at));
        DzFacet& f = facets[face];
        int corner = -1;
        for (int c = 0; c < f.numCorners(); ++c)
            if (f.m_vertIdx[c] == vertex)
                corner = c;
        if (corner < 0)
            dsonFail(QStringLiteral("%1: polygon %2 has no vertex %3").arg(at).arg(face).arg(vertex));
        f.m_uvwIdx[corner] = uv;
    }
    // Rebuild the facet list with the UV corners.
    DzFacetMesh withUvs;
    withUvs.setVertices(mesh.vertices());
    for (const QString& g : mesh.faceGroupNames())
        withUvs.findOrAddFaceGroup(g);
    for (const QString& m : mesh.materialNames())
        withUvs.findOrAddMaterial(m);
    for (const QPointF& uv : mesh.uvs())
        withUvs.addUV(uv);
    for (const DzFacet& f : facets)
        withUvs.addFacet(f);
    mesh = withUvs;
}

} // namespace

QJsonObject findById(const QJsonObject& doc, const QString& library, const QString& id)
{
    const QJsonArray entries = optArray(doc, library, QString());
    for (int i = 0; i < entries.size(); ++i) {
        const QJsonObject e = objectAt(entries, i, library);
        if (e.value(QStringLiteral("id")).toString() == id)
            return e;
    }
    dsonFail(QStringLiteral("%1 has no entry \"%2\"").arg(library, id));
}

DzFacetMesh readMesh(const QJsonObject& doc, const QJsonObject& geometry, const QString& where)
{
    DzFacetMesh mesh;
    mesh.setVertices(readVertices(geometry, where));
    for (const QString& g : readNames(geometry, QStringLiteral("polygon_groups"), where))
        mesh.findOrAddFaceGroup(g);
    for (const QString& m : readNames(geometry, QStringLiteral("polygon_material_groups"), where))
        mesh.findOrAddMaterial(m);
    readPolygons(geometry, where, mesh);
    readUvs(doc, geometry, where, mesh);
    return mesh;
}

DzShape* createShape(const QJsonObject& geometry, const DzFacetMesh& mesh, const QString& where)
{
    // Validate the channels before anything is created.
    int lod = 0, subd = 1, subdMin = 0, subdMax = 4;
    const QJsonArray extras = optArray(geometry, QStringLiteral("extra"), where);
    for (int i = 0; i < extras.size(); ++i) {
        const QJsonObject extra = objectAt(extras, i, where + QStringLiteral(".extra"));
        if (extra.value(QStringLiteral("type")).toString() != QLatin1String("studio_geometry_channels"))
            continue;
        const QString cpath = where + QStringLiteral(".extra.channels");
        const QJsonArray channels = array(extra, QStringLiteral("channels"), where + QStringLiteral(".extra"));
        for (int c = 0; c < channels.size(); ++c) {
            const QString at = QStringLiteral("%1[%2]").arg(cpath).arg(c);
            const QJsonObject ch = object(objectAt(channels, c, cpath), QStringLiteral("channel"), at);
            const QString chpath = at + QStringLiteral(".channel");
            const QString id = string(ch, QStringLiteral("id"), chpath);
            if (id == QLatin1String("lodlevel")) {
                lod = integer(ch, QStringLiteral("value"), chpath);
                if (lod < 0 || lod > 1)
                    dsonFail(QStringLiteral("%1: lodlevel %2 is neither 0 nor 1").arg(chpath).arg(lod));
            } else if (id == QLatin1String("SubDIALevel")) {
                subd = integer(ch, QStringLiteral("value"), chpath);
                subdMin = optInteger(ch, QStringLiteral("min"), chpath, 0);
                subdMax = optInteger(ch, QStringLiteral("max"), chpath, 4);
                if (subdMin > subdMax || subd < subdMin || subd > subdMax)
                    dsonFail(QStringLiteral("%1: SubDIALevel %2 is outside %3..%4").arg(chpath).arg(subd).arg(subdMin).arg(subdMax));
            }
        }
    }
    auto* shape = new DzShape;
    shape->setFacetMesh(mesh);
    shape->getSubDIALevelControl()->setMinMax(subdMin, subdMax);
    shape->getSubDIALevelControl()->setDefaultValue(subd);
    shape->getSubDIALevelControl()->setValue(subd);
    shape->getLODControl()->setValue(lod);
    return shape;
}

} // namespace dson
