#include "mainjob_run.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <stdexcept>

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
#include "dialog_text.h"
#include "kvr_convert-figure-target.h"
#include "kvr_generations.h"
#include "mainjob_measure.h"
#include "mainjob_pictures.h"
#include "mainjob_scene.h"
#include "surface_distance.h"

namespace {

// A person looks at the Convert dialog before pressing Convert; its height fit runs meanwhile.
const int iLookAtDialogMs = 500;
const int iPollMs = 20;

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
        auto* pConvert = pDialog->findChild<QPushButton*>(QStringLiteral("pbtnConvert"));
        if (!pConvert) {
            error = QStringLiteral("the Convert dialog has no Convert button");
            qobject_cast<QDialog*>(pDialog)->reject();
            return;
        }
        _pWholeJob->start();
        pConvert->click();
    }

    QElapsedTimer* _pWholeJob;
    QTimer _timer;
    QElapsedTimer _seen;
    bool _bPressed = false;
};

void setDial(DzNode* pNode, const QString& morphName, float fValue)
{
    morphOf(pNode, morphName)->getValueControl()->setValue(fValue);
}

// Reads the Success dialog as the user sees it, the measured time beside the one it gives in
// whole seconds, then closes it.
void readAndCloseSuccess(QWidget* pSuccess, MainJobResult* pResult)
{
    QStringList lines = dialogAsText(pSuccess);
    for (QString& line : lines)
        if (line.startsWith(QStringLiteral("Time taken:")))
            line += QStringLiteral("   (measured: %1 ms)").arg(pResult->wholeMs, 0, 'f', 0);
    pResult->reportText = lines.join(QLatin1Char('\n'));
    for (QCheckBox* pRow : pSuccess->findChildren<QCheckBox*>())
        if (pRow->objectName().isEmpty())  // the rows; the form's own boxes have names
            pResult->morphs << pRow->text();
    for (QPushButton* pButton : pSuccess->findChildren<QPushButton*>()) {
        if (pButton->text() == QStringLiteral("Close")) {
            pButton->click();
            return;
        }
    }
    throw MainJobError(QStringLiteral("the Success dialog has no Close button"));
}

// What the picture of the source shows: the morphs dialled on it, as its dials read.
QString sourceCaption(DzFigure* pSource)
{
    QStringList dials;
    DzObject* pObject = pSource->getObject();
    for (int i = 0; pObject && i < pObject->getNumModifiers(); ++i) {
        auto* pMorph = qobject_cast<DzMorph*>(pObject->getModifier(i));
        const float fValue = pMorph ? pMorph->getValueControl()->getValue() : 0.0f;
        if (fValue != 0.0f)
            dials << QStringLiteral("%1 %2 %").arg(pMorph->getValueControl()->getLabel()).arg(std::lround(100 * fValue));
    }
    return QStringLiteral("The source: the sample scene's %1, %2 morphs dialled (%3).")
        .arg(pSource->getLabel())
        .arg(dials.size())
        .arg(dials.join(QStringLiteral(", ")));
}

// What the picture of the converted Genesis 9 shows, and why its legs do not stand like the
// source's.
QString afterCaption(int cMorphs)
{
    QString caption = QStringLiteral("The Genesis 9 after the conversion, its %1 new morphs dialled to 100 %: "
                                     "the source's shape on the Genesis 9's own mesh.")
                          .arg(cMorphs);
    const KvrThighPose* pPose = sampleGeneration().pThighPose;
    if (!pPose)
        return caption;
    return caption + QStringLiteral(" It keeps its own stance, legs %1 degrees closer together than the source's: "
                                    "a morph changes the shape, never the pose. The conversion made the morphs "
                                    "with the legs posed like the source's, so posed like that (next picture) "
                                    "it lies on the source.")
                         .arg(double(std::abs((*pPose)[0].fDegrees)));
}

void run(const QString& pictureDir, MainJobResult* pResult)
{
    openSampleScene();
    DzFigure* pSource = figureLabelled(pcszSampleSourceLabel);
    DzFigure* pTarget = figureLabelled(pcszSampleTargetLabel);
    DzMainWindow* pWindow = mainWindow();
    MainJobPictures pictures(activeView(pWindow), pictureDir);
    pictures.shoot({pSource}, QStringLiteral("source.png"), sourceCaption(pSource));
    pictures.shoot({pTarget}, QStringLiteral("target-before.png"),
                   QStringLiteral("The Genesis 9 before the conversion: its own shape, in its own stance."));

    // What the user does: select both figures, then Ctrl+Alt+C.
    DzAction* pConvert =
        pWindow->getActionMgr() ? pWindow->getActionMgr()->findAction(QStringLiteral("KvrConvertFigureAction")) : nullptr;
    if (!pConvert)
        throw MainJobError(QStringLiteral("the studio has no convert action: the plug-in is not loaded"));
    dzScene->selectAllNodes(false);
    pSource->select(true);
    pTarget->select(true);
    StepClock clock(pWindow);
    QElapsedTimer wholeJob;
    {
        UserAtTheDialogs user(&wholeJob);
        pConvert->trigger();
        pResult->wholeMs = wholeJob.isValid() ? double(wholeJob.nsecsElapsed()) / 1e6 : 0.0;
        if (!user.error.isEmpty() || !user.pressedConvert())
            throw MainJobError(user.error.isEmpty() ? QStringLiteral("the Convert dialog did not appear") : user.error);
    }
    pResult->steps = clock.laps();
    QWidget* pSuccess = visibleWindow(QStringLiteral("SuccessDialog"));
    if (!pSuccess)
        throw MainJobError(QStringLiteral("the Success dialog did not appear"));
    readAndCloseSuccess(pSuccess, pResult);
    pResult->targetLabel = pTarget->getLabel();

    for (const QString& morph : pResult->morphs)
        setDial(pTarget, morph, 1.0f);
    pictures.shoot({pTarget}, QStringLiteral("target-after.png"), afterCaption(pResult->morphs.size()));

    // Posed and placed like the source, the new morphs still dialled.
    placeOnSource(pTarget, pSource);
    QTemporaryDir scratch;
    const DzFacetMesh sourceMesh = worldMesh(pSource, scratch.path());
    const DzSurfaceDistance distance = dzMeasureSurfaceDistance(sourceMesh, worldMesh(pTarget, scratch.path()));
    pResult->rmsCm = distance.rms;
    pResult->maxCm = distance.max;
    pResult->heightCm = dzMeshHeight(sourceMesh);
    pictures.shootDistances(pTarget, distance.fromB, QStringLiteral("distance.png"),
                            QStringLiteral("The converted Genesis 9 posed and placed like the source, each point "
                                           "coloured by its distance to the source's surface (legend in cm)."));
    pResult->pictures = pictures.written();
    pResult->captions = pictures.captions();
}

} // namespace

bool runMainJob(const QString& pictureDir, MainJobResult* pResult, QString* error)
{
    return runReportingError([&] { run(pictureDir, pResult); }, error);
}
