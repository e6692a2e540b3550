#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include "../../host/src/geometry/dzgeometry.h"
#include "dzcontentmgr.h"
#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzobject.h"
#include "dzscene.h"
#include "gui_test_helpers.h"
#include "kvr_actions.h"
#include "kvr_dlg_convert-figure.h"
#include "qt_wait.h"
#include "studio_run.h"
#include "test_app.h"

// A whole job from the convert action, its new morphs saved from the Success dialog into a
// content library of their own, and loaded back by a new studio session onto a fresh Genesis 9.
namespace {

const char* const pcszHead = "Genesis 8.1 Female converted to G9 Head";
const char* const pcszBody = "Genesis 8.1 Female converted to G9 Body";

QWidget* visibleTopLevel(const char* pcszClassName)
{
    for (QWidget* pWidget : QApplication::topLevelWidgets())
        if (pWidget->inherits(pcszClassName) && pWidget->isVisible())
            return pWidget;
    return nullptr;
}

template <typename W>
W* child(QWidget* pParent, const QString& objectNameOrText)
{
    for (W* pWidget : pParent->findChildren<W*>()) {
        if (pWidget->objectName() == objectNameOrText)
            return pWidget;
        if (auto* pButton = qobject_cast<QAbstractButton*>(pWidget); pButton && pButton->text() == objectNameOrText)
            return pWidget;
    }
    return nullptr;
}

// The morph's offsets of the base vertices: rest positions with it at 1 minus at 0.
QVector<DzVec3> morphOffsets(DzNode* pNode, const char* pcszMorph)
{
    DzFloatProperty* pDial = qobject_cast<DzMorph*>(pNode->getObject()->findModifier(pcszMorph))->getValueControl();
    const float fWas = pDial->getValue();
    pDial->setValue(0.0f);
    const QVector<DzVec3> without = DzGeometry::restPositions(pNode, 0);
    pDial->setValue(1.0f);
    QVector<DzVec3> offsets = DzGeometry::restPositions(pNode, 0);
    pDial->setValue(fWas);
    for (int i = 0; i < offsets.size(); ++i)
        offsets[i] = offsets[i] - without[i];
    return offsets;
}

// "x y z" per line, for comparing with what the studio script prints.
QString offsetsText(const QVector<DzVec3>& offsets)
{
    QString text;
    for (const DzVec3& d : offsets)
        text += QString("%1 %2 %3\n").arg(d.m_x, 0, 'f', 3).arg(d.m_y, 0, 'f', 3).arg(d.m_z, 0, 'f', 3);
    return text;
}

} // namespace

TEST(ConvertJob, SavedMorphAssetsLoadBackOntoAFreshGenesis9InANewSession)
{
    QTemporaryDir library;
    DzAppOptions options = TestApp::defaultOptions();
    options.contentDirs << library.path();
    options.authorName = "Test Author";
    TestApp app(options);
    app->startup();
    DzContentMgr* pContent = app->getContentMgr();
    ASSERT_TRUE(pContent->openFile(pContent->getAbsolutePath("Scenes/Sample Conversion.duf"), false));
    DzNode* pTarget = dzScene->findNodeByLabel("Genesis 9");
    dzScene->selectAllNodes(false);
    dzScene->findNodeByLabel("Genesis 8.1 Female")->select(true);
    pTarget->select(true);

    ModalAnswerer<KvrConvertDialog> convert([](KvrConvertDialog& dialog) {
        child<QPushButton>(&dialog, "pbtnConvert")->click();
    });
    KvrConvertFigureAction action;
    action.trigger();
    ASSERT_EQ(convert.count(), 1);

    QWidget* pSuccess = visibleTopLevel("KvrSuccessDialog");
    ASSERT_NE(pSuccess, nullptr);
    QPointer<QWidget> guard(pSuccess);
    auto* pLibraries = child<QComboBox>(pSuccess, "pcboContentLibrary");
    pLibraries->setCurrentIndex(pLibraries->findText(library.path()));
    ASSERT_EQ(pLibraries->currentText(), library.path());
    MessageBoxCloser closer;
    // One morph saved, then both (the first again).
    child<QCheckBox>(pSuccess, pcszHead)->click();
    child<QPushButton>(pSuccess, "pbtnSaveMorphAssets")->click();
    child<QCheckBox>(pSuccess, pcszBody)->click();
    child<QPushButton>(pSuccess, "pbtnSaveMorphAssets")->click();
    ASSERT_EQ(closer.seen.size(), 2u);
    EXPECT_EQ(closer.seen[0].icon, QMessageBox::Information);
    EXPECT_TRUE(closer.seen[0].text.contains("The selected morph has been saved to " + library.path()))
        << closer.seen[0].text.toStdString();
    EXPECT_TRUE(closer.seen[1].text.contains("The 2 selected morphs have been saved to " + library.path()));
    child<QPushButton>(pSuccess, "Close")->click();
    EXPECT_EVENTUALLY(guard.isNull());

    QStringList saved;
    for (QDirIterator it(library.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        saved << it.next().mid(library.path().size());
    saved.sort();
    EXPECT_EQ(saved, (QStringList{QString("/data/DAZ 3D/Genesis 9/Base/Morphs/Test Author/Product/%1.dsf").arg(pcszBody),
                                  QString("/data/DAZ 3D/Genesis 9/Base/Morphs/Test Author/Product/%1.dsf").arg(pcszHead)}));

    // A new session: a fresh Genesis 9 from the libraries carries both morphs, with the same offsets.
    const QString script = QString("var cm = App.getContentMgr();\n"
                                   "cm.openFile(cm.getAbsolutePath('People/Genesis 9/Genesis 9.duf'), false);\n"
                                   "var figure = Scene.findNodeByLabel('Genesis 9');\n"
                                   "var morph = figure.getObject().findModifier('%1');\n"
                                   "var deltas = morph.getDeltas();\n"
                                   "var offsets = [];\n"
                                   "for (var i = 0; i < figure.getObject().getCurrentShape().getNumVertices(); ++i) offsets.push([0, 0, 0]);\n"
                                   "for (var i = 0; i < deltas.getNumDeltas(); ++i) {\n"
                                   "  var d = deltas.getDelta(i);\n"
                                   "  offsets[deltas.getDeltaIndex(i)] = [d.x, d.y, d.z];\n"
                                   "}\n"
                                   "var text = '';\n"
                                   "for (var i = 0; i < offsets.length; ++i)\n"
                                   "  text += offsets[i].map(function(v) { return v.toFixed(3); }).join(' ') + '\\n';\n"
                                   "print(figure.getObject().findModifier('%2') !== null);\n"
                                   "print(text);\n")
                               .arg(pcszHead, pcszBody);
    const StudioRun run = runStudio({"--content-dir", KVR_CONTENT_DIR, "--content-dir", library.path()}, script);
    ASSERT_EQ(run.exitCode, 0) << run.stdErr.toStdString();
    EXPECT_TRUE(run.stdOut.startsWith("true\n"));
    EXPECT_EQ(run.stdOut.mid(5).trimmed(), offsetsText(morphOffsets(pTarget, pcszHead)).trimmed());
}
