#include "mainjob_run.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>
#include <cmath>

#include "../host/src/geometry/dzgeometry.h"
#include "../host/src/tools/surface_distance.h"
#include "dz3dviewport.h"
#include "dzaction.h"
#include "dzactionmgr.h"
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
#include "mainjob_pictures.h"

namespace {

const char* const pcszScene = "Scenes/Sample Conversion.duf";
const char* const pcszSourceLabel = "Genesis 8.1 Female";
const char* const pcszTargetLabel = "Genesis 9";
// A person looks at the Convert dialog before pressing Convert; its height fit runs meanwhile.
const int iLookAtDialogMs = 500;
const int iPollMs = 20;
// The Genesis 8 leg stance the new morphs were built in.
const float fThighStance = 6.5f;

QString plainText(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText().trimmed();
}

QWidget* visibleWindow(const QString& objectName)
{
    for (QWidget* pWidget : QApplication::topLevelWidgets())
        if (pWidget->isVisible() && pWidget->objectName() == objectName)
            return pWidget;
    return nullptr;
}

// Plays the user at the Convert dialog: presses Convert once it has been seen for a moment, and
// closes any message box, keeping its text as the error.
class UserAtTheDialogs {
public:
    explicit UserAtTheDialogs(QElapsedTimer* pWholeJob) : _pWholeJob(pWholeJob)
    {
        QObject::connect(&_timer, &QTimer::timeout, [this] { look(); });
        _timer.start(iPollMs);
    }

    bool pressedConvert() const { return _bPressed; }
    QString error;

private:
    void look()
    {
        if (auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            error = plainText(pBox->text());
            pBox->done(QMessageBox::Ok);
            return;
        }
        QWidget* pDialog = visibleWindow(QStringLiteral("ConvertFigureDialog"));
        if (!pDialog || _bPressed)
            return;
        if (!_seen.isValid())
            _seen.start();
        if (_seen.elapsed() < iLookAtDialogMs)
            return;
        _bPressed = true;
        _pWholeJob->start();
        pDialog->findChild<QPushButton*>(QStringLiteral("pbtnConvert"))->click();
    }

    QElapsedTimer* _pWholeJob;
    QTimer _timer;
    QElapsedTimer _seen;
    bool _bPressed = false;
};

DzFigure* figureLabelled(const char* pcszLabel)
{
    return qobject_cast<DzFigure*>(dzScene->findNodeByLabel(QString::fromUtf8(pcszLabel)));
}

void setDial(DzNode* pNode, const QString& morphName, float fValue)
{
    if (auto* pMorph = qobject_cast<DzMorph*>(pNode->getObject()->findModifier(morphName)))
        pMorph->getValueControl()->setValue(fValue);
}

// Stands the target where the source stands, in the source's leg stance, new morphs dialled.
void placeOnSource(DzFigure* pTarget, DzFigure* pSource, const QStringList& morphs)
{
    for (const char* name : {"XTranslate", "ZTranslate", "XRotate", "YRotate", "ZRotate"})
        qobject_cast<DzFloatProperty*>(pTarget->findProperty(name))
            ->setValue(qobject_cast<DzFloatProperty*>(pSource->findProperty(name))->getValue());
    qobject_cast<DzFloatProperty*>(pTarget->findProperty(QStringLiteral("YTranslate")))->setValue(0.0f);
    pTarget->findBone(QStringLiteral("l_thigh"))->getZRotControl()->setValue(fThighStance);
    pTarget->findBone(QStringLiteral("r_thigh"))->getZRotControl()->setValue(-fThighStance);
    for (const QString& morph : morphs)
        setDial(pTarget, morph, 1.0f);
}

// Reads the Success dialog as the user sees it, then closes it.
void readAndCloseSuccess(QWidget* pSuccess, MainJobResult* pResult)
{
    pResult->reportText = plainText(pSuccess->findChild<QLabel*>(QStringLiteral("plblIntro"))->text());
    for (QCheckBox* pRow : pSuccess->findChildren<QCheckBox*>())
        if (pRow->objectName().isEmpty())  // the rows; the form's own boxes have names
            pResult->morphs << pRow->text();
    for (QPushButton* pButton : pSuccess->findChildren<QPushButton*>())
        if (pButton->text() == QStringLiteral("Close"))
            pButton->click();
}

} // namespace

bool runMainJob(const QString& pictureDir, MainJobResult* pResult, QString* error)
{
    DzContentMgr* pContent = dzApp->getContentMgr();
    if (!pContent->openFile(pContent->getAbsolutePath(QString::fromUtf8(pcszScene)), false)) {
        *error = QStringLiteral("cannot open the sample scene %1").arg(pcszScene);
        return false;
    }
    DzFigure* pSource = figureLabelled(pcszSourceLabel);
    DzFigure* pTarget = figureLabelled(pcszTargetLabel);
    DzMainWindow* pWindow = dzApp->getInterface();
    MainJobPictures pictures(pWindow->getViewportMgr()->getActiveViewport()->get3DViewport(), pictureDir);
    pictures.shoot({pSource}, QStringLiteral("source.png"));
    pictures.shoot({pTarget}, QStringLiteral("target-before.png"));

    // What the user does: select both figures, then Ctrl+Alt+C.
    dzScene->selectAllNodes(false);
    pSource->select(true);
    pTarget->select(true);
    StepClock clock(pWindow);
    QElapsedTimer wholeJob;
    {
        UserAtTheDialogs user(&wholeJob);
        pWindow->getActionMgr()->findAction(QStringLiteral("KvrConvertFigureAction"))->trigger();
        pResult->wholeMs = wholeJob.isValid() ? double(wholeJob.nsecsElapsed()) / 1e6 : 0.0;
        if (!user.error.isEmpty() || !user.pressedConvert()) {
            *error = user.error.isEmpty() ? QStringLiteral("the Convert dialog did not appear") : user.error;
            return false;
        }
    }
    pResult->steps = clock.laps();
    QWidget* pSuccess = visibleWindow(QStringLiteral("SuccessDialog"));
    if (!pSuccess) {
        *error = QStringLiteral("the Success dialog did not appear");
        return false;
    }
    readAndCloseSuccess(pSuccess, pResult);
    pResult->targetLabel = pTarget->getLabel();

    for (const QString& morph : pResult->morphs)
        setDial(pTarget, morph, 1.0f);
    pictures.shoot({pTarget}, QStringLiteral("target-after.png"));

    placeOnSource(pTarget, pSource, pResult->morphs);
    const DzSurfaceDistance distance =
        dzMeasureSurfaceDistance(*DzGeometry::worldMesh(pSource), *DzGeometry::worldMesh(pTarget));
    pResult->rmsCm = distance.rms;
    pResult->maxCm = distance.max;
    pResult->heightCm = dzMeshHeight(*DzGeometry::worldMesh(pSource));
    pictures.shootDistances(pTarget, distance.fromB, QStringLiteral("distance.png"));
    pResult->pictures = pictures.written();
    return true;
}
