#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QMap>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QSettings>
#include <QTemporaryDir>
#include <QVariant>
#include <QWidget>
#include <memory>

#include "dzcontentmgr.h"
#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dzobject.h"
#include "dzscene.h"
#include "dzappsettings.h"
#include "kvr_convert-figure-select.h"
#include "kvr_dlg_convert-figure.h"
#include "kvr_dlg_convert-morphs.h"
#include "kvr_morph-catalogue.h"
#include "library_copy.h"
#include "test_app.h"

// The dialog's widget of that object name; a missing one fails the test.
template <typename W>
W* child(QWidget& dialog, const char* name)
{
    W* pFound = dialog.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(pFound, nullptr) << name;
    return pFound;
}

// A host whose first content directory is the test's own library, with an author name: what the
// dialogs that save morph assets need.
inline DzAppOptions SavingOptions(const QTemporaryDir& library)
{
    DzAppOptions options = TestApp::defaultOptions();
    options.contentDirs.prepend(library.path());
    options.authorName = QStringLiteral("Test Author");
    return options;
}

// A started host with a Genesis 8.1 Female, one of its morphs dialled, beside a Genesis 9,
// both loaded from the bundled library, and the job's parameters on them: what the dialogs
// of a conversion see.
class DialogScene {
public:
    explicit DialogScene(DzAppOptions options = TestApp::defaultOptions())
        : _app(std::make_unique<TestApp>(std::move(options)))
    {
        (*_app)->startup();  // adds the host's own plug-ins, the HD morph support among them
        pSource = load("People/Genesis 8 Female/Genesis 8.1 Basic Female.duf", "Genesis 8.1 Female");
        pTarget = load("People/Genesis 9/Genesis 9.duf", "Genesis 9");
        if (!pSource || !pTarget)
            return;
        morphProperty(pSource, "head_ctrl_HeadSize")->setValue(0.8f);
        pParams = makeParams(pSource, KvrSourceGeneration::Genesis8Female, pTarget);
    }

    TestApp& app() { return *_app; }

    // The value control of a morph of the figure.
    static DzFloatProperty* morphProperty(DzFigure* pFigure, const char* name)
    {
        auto* pMorph = qobject_cast<DzMorph*>(pFigure->getObject()->findModifier(name));
        return pMorph ? pMorph->getValueControl() : nullptr;
    }

    // A new morph on the target with one vertex moved, as a job leaves it.
    DzMorph* addTargetMorph(const QString& name)
    {
        auto* pMorph = new DzMorph(name);
        auto* pDeltas = new DzMorphDeltas;
        pDeltas->addDelta(0, DzVec3(0.0f, 0.5f, 0.0f));
        pMorph->setDeltas(pDeltas);
        pTarget->getObject()->addModifier(pMorph);
        return pMorph;
    }

    // The plug-in's keys as the settings file holds them now.
    QMap<QString, QVariant> storedKeys() const
    {
        QSettings file(_app->app()->settingsFilePath(), QSettings::IniFormat);
        file.beginGroup(QStringLiteral("Tavrenik's Kelvaro"));
        QMap<QString, QVariant> keys;
        for (const QString& key : file.allKeys())
            keys.insert(key, file.value(key));
        return keys;
    }

    // The keys added or changed since the snapshot.
    QStringList changedKeys(const QMap<QString, QVariant>& before) const
    {
        QStringList changed;
        const QMap<QString, QVariant> now = storedKeys();
        for (auto it = now.begin(); it != now.end(); ++it)
            if (!before.contains(it.key()) || before.value(it.key()) != it.value())
                changed << it.key();
        return changed;
    }

    DzFigure* pSource = nullptr;
    DzFigure* pTarget = nullptr;
    KvrParamsPtr pParams;

private:
    DzFigure* load(const char* relativePath, const char* label)
    {
        DzContentMgr* pContent = _app->app()->getContentMgr();
        if (!pContent->openFile(pContent->getAbsolutePath(relativePath), true))
            return nullptr;
        return qobject_cast<DzFigure*>(dzScene->findNodeByLabel(label));
    }

    std::unique_ptr<TestApp> _app;
};

// The morph assets saved under a content library, by path within it, sorted.
inline QStringList savedMorphAssets(const QTemporaryDir& library)
{
    return filesBelow(library.path(), {QStringLiteral("*.dsf")});
}

// The rows of new morphs both result dialogs show, and a row's check box.
inline QGridLayout* newMorphRows(QWidget& dialog)
{
    return child<QGridLayout>(dialog, "pgridNewMorphs");
}
inline QCheckBox* rowCheck(QWidget& dialog, int iRow)
{
    return qobject_cast<QCheckBox*>(newMorphRows(dialog)->itemAtPosition(iRow, 0)->widget());
}

// The visible top-level widget with that object name, for dialogs the tests do not own.
inline QWidget* findTopLevel(const QString& objectName)
{
    for (QWidget* pWidget : QApplication::topLevelWidgets())
        if (pWidget->objectName() == objectName && pWidget->isVisible())
            return pWidget;
    return nullptr;
}

// A mouse click on the box of a check box or radio button (the label may not span the widget).
inline void clickIndicator(QAbstractButton* pButton)
{
    QStyleOptionButton option;
    option.initFrom(pButton);
    const QStyle::SubElement eElement = qobject_cast<QRadioButton*>(pButton)
                                            ? QStyle::SE_RadioButtonIndicator
                                            : QStyle::SE_CheckBoxIndicator;
    const QRect rect = pButton->style()->subElementRect(eElement, &option, pButton);
    QTest::mouseClick(pButton, Qt::LeftButton, Qt::NoModifier, rect.center());
}

// Replaces a line edit's text by typing and leaves it with Tab, which ends the edit. Return
// would also press the dialog's default button. The window must be active.
inline void typeInto(QLineEdit* pledEdit, const QString& text)
{
    pledEdit->setFocus();
    QTest::keyClick(pledEdit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(pledEdit, text);
    QTest::keyClick(pledEdit, Qt::Key_Tab);
}

// A host dial's value typed into its text field, as a user does.
inline void typeDialValue(QWidget* pDial, const QString& text)
{
    typeInto(pDial->findChild<QLineEdit*>(QStringLiteral("pledValue")), text);
}

// Shows a dialog and waits until it has the keyboard, so typing and tabbing reach it.
inline void showActive(QWidget& dialog)
{
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}
