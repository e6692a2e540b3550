#include "mainjob_scene.h"

#include "dz3dviewport.h"
#include "dzapp.h"
#include "dzbone.h"
#include "dzcontentmgr.h"
#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "dzmainwindow.h"
#include "dzmorph.h"
#include "dzobject.h"
#include "dzscene.h"
#include "dzviewport.h"
#include "dzviewportmgr.h"
#include "kvr_convert-figure-target.h"
#include "kvr_generations.h"
#include "mainjob_measure.h"

const char* const pcszSampleScene = "Scenes/Sample Conversion.duf";
const char* const pcszSampleSourceLabel = "Genesis 8.1 Female";
const char* const pcszSampleTargetLabel = "Genesis 9";

const KvrGeneration& sampleGeneration() { return Generation(KvrSourceGeneration::Genesis8Female); }

void openSampleScene()
{
    DzContentMgr* pContent = dzApp->getContentMgr();
    if (!pContent->openFile(pContent->getAbsolutePath(QString::fromUtf8(pcszSampleScene)), false))
        throw MainJobError(QStringLiteral("cannot open the sample scene %1").arg(pcszSampleScene));
}

DzFigure* figureLabelled(const char* pcszLabel)
{
    auto* pFigure = qobject_cast<DzFigure*>(dzScene->findNodeByLabel(QString::fromUtf8(pcszLabel)));
    if (!pFigure)
        throw MainJobError(QStringLiteral("the sample scene has no figure labelled %1").arg(pcszLabel));
    return pFigure;
}

DzFloatProperty* floatProperty(DzNode* pNode, const QString& name)
{
    auto* pProperty = qobject_cast<DzFloatProperty*>(pNode->findProperty(name));
    if (!pProperty)
        throw MainJobError(QStringLiteral("%1 has no float property %2").arg(pNode->getLabel(), name));
    return pProperty;
}

DzMorph* morphOf(DzNode* pNode, const QString& name)
{
    auto* pMorph = pNode->getObject() ? qobject_cast<DzMorph*>(pNode->getObject()->findModifier(name)) : nullptr;
    if (!pMorph)
        throw MainJobError(QStringLiteral("%1 has no morph %2").arg(pNode->getLabel(), name));
    return pMorph;
}

DzMainWindow* mainWindow()
{
    DzMainWindow* pWindow = dzApp->getInterface();
    if (!pWindow)
        throw MainJobError(QStringLiteral("the studio has no main window"));
    return pWindow;
}

Dz3DViewport* activeView(DzMainWindow* pWindow)
{
    DzViewportMgr* pViewports = pWindow->getViewportMgr();
    DzViewport* pViewport = pViewports ? pViewports->getActiveViewport() : nullptr;
    Dz3DViewport* pView = pViewport ? pViewport->get3DViewport() : nullptr;
    if (!pView)
        throw MainJobError(QStringLiteral("the studio has no 3D view"));
    return pView;
}

void placeOnSource(DzFigure* pTarget, DzFigure* pSource)
{
    for (const char* pcszName : apcszAlignedTransforms) {
        const QString name = QString::fromLatin1(pcszName);
        floatProperty(pTarget, name)->setValue(floatProperty(pSource, name)->getValue());
    }
    floatProperty(pTarget, QString::fromLatin1(pcszFloorTransform))->setValue(0.0f);
    if (const KvrThighPose* pPose = sampleGeneration().pThighPose) {
        for (const KvrBoneRotation& rotation : *pPose) {
            DzBone* pBone = pTarget->findBone(QString::fromLatin1(rotation.pcszBone));
            if (!pBone)
                throw MainJobError(QStringLiteral("%1 has no bone %2").arg(pTarget->getLabel(), rotation.pcszBone));
            floatProperty(pBone, QString::fromLatin1(rotation.pcszProperty))->setValue(rotation.fDegrees);
        }
    }
}

DzFacetMesh worldMesh(DzNode* pNode, const QString& folder)
{
    DzFacetMesh mesh;
    QString error;
    if (!evaluatedWorldMesh(pNode, folder, &mesh, &error))
        throw MainJobError(error);
    return mesh;
}
