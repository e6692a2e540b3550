#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>
#include <cstdio>

#include "dzcontentmgr.h"
#include "dzfigure.h"
#include "dzmorph.h"
#include "dzobject.h"
#include "dzscene.h"
#include "gui_test_helpers.h"
#include "kvr_actions.h"
#include "kvr_dlg_convert-figure.h"
#include "qt_wait.h"
#include "test_app.h"

// A whole day of work in one session: a hundred conversions of the small content, each with
// Convert and Close and its new morphs deleted afterwards. The scene must come back to the same
// nodes after every job; leaks show under the leak sanitizer, and the resident memory is printed.
namespace {

const int cJobs = 100;

long residentKilobytes()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

QStringList nodeNames()
{
    QStringList names;
    for (DzNode* pNode : dzScene->nodeList())
        names << pNode->getName();
    return names;
}

// Deletes the morphs the last job made on the target, as a user tidying up would.
void deleteNewMorphs(DzFigure* pTarget)
{
    DzObject* pObject = pTarget->getObject();
    for (int i = pObject->getNumModifiers() - 1; i >= 0; --i)
        if (pObject->getModifier(i)->getName().contains("converted to G9"))
            pObject->removeModifier(pObject->getModifier(i));
}

QWidget* visibleWindow(const char* pcszObjectName)
{
    for (QWidget* pWidget : QApplication::topLevelWidgets())
        if (pWidget->isVisible() && pWidget->objectName() == pcszObjectName)
            return pWidget;
    return nullptr;
}

} // namespace

TEST(LongSession, AHundredConversionsLeaveTheSceneAsItWasAndTheMemoryFlat)
{
    TestApp app;
    app->startup();
    DzContentMgr* pContent = app->getContentMgr();
    ASSERT_TRUE(pContent->openFile(pContent->getAbsolutePath("Scenes/Sample Conversion.duf"), false));
    DzNode* pSource = dzScene->findNodeByLabel("Genesis 8.1 Female");
    auto* pTarget = qobject_cast<DzFigure*>(dzScene->findNodeByLabel("Genesis 9"));
    const QStringList nodesBefore = nodeNames();

    ModalAnswerer<KvrConvertDialog> convert([](KvrConvertDialog& dialog) {
        dialog.findChild<QPushButton*>("pbtnConvert")->click();
    });
    KvrConvertFigureAction action;
    long iRssAfter10 = 0;
    for (int iJob = 1; iJob <= cJobs; ++iJob) {
        dzScene->selectAllNodes(false);
        pSource->select(true);
        pTarget->select(true);
        action.trigger();
        ASSERT_EQ(convert.count(), iJob) << "job " << iJob;
        QWidget* pSuccess = visibleWindow("SuccessDialog");
        ASSERT_NE(pSuccess, nullptr) << "job " << iJob;
        for (QPushButton* pButton : pSuccess->findChildren<QPushButton*>())
            if (pButton->text() == "Close")
                pButton->click();
        ASSERT_EVENTUALLY(visibleWindow("SuccessDialog") == nullptr);
        deleteNewMorphs(pTarget);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        ASSERT_EQ(nodeNames(), nodesBefore) << "job " << iJob;
        if (iJob == 10)
            iRssAfter10 = residentKilobytes();
    }
    const long iRssAfter100 = residentKilobytes();
    std::printf("resident memory after job 10: %ld kB, after job %d: %ld kB (%+ld kB)\n", iRssAfter10, cJobs,
                iRssAfter100, iRssAfter100 - iRssAfter10);
}
