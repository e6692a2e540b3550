#include "fidelity.h"

#include "../../host/src/geometry/dzgeometry.h"
#include "../../host/surface/surface_distance.h"

Fidelity measureFidelity(DzNode* a, DzNode* b)
{
    const DzFacetMesh* pA = DzGeometry::worldMesh(a);
    const DzFacetMesh* pB = DzGeometry::worldMesh(b);
    Fidelity fidelity;
    if (!pA || !pB)
        return fidelity;
    const DzSurfaceDistance distance = dzMeasureSurfaceDistance(*pA, *pB);
    fidelity.height = dzMeshHeight(*pA);
    fidelity.rmsRelative = distance.rms / fidelity.height;
    fidelity.maxRelative = double(distance.max) / fidelity.height;
    return fidelity;
}
