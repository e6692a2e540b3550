#include <gtest/gtest.h>

#include "qt_wait.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <map>
#include <optional>

#include "dzappsettings.h"
#include "dzfloatproperty.h"
#include "dznode.h"
#include "test_app.h"
#include "tv_dlg_morph-base.h"
#include "tv_dlg_morph-path.h"

namespace {

class MorphPathTest : public ::testing::Test {
protected:
    void addGroup(const char* name, const char* path)
    {
        auto* pProperty = new DzFloatProperty(QString::fromLatin1(name));
        pProperty->setPath(QString::fromLatin1(path));
        ASSERT_TRUE(_node.addProperty(pProperty));
    }

    static QTreeWidget* tree(tav::MorphPathDialog& dialog)
    {
        return dialog.findChild<QTreeWidget*>(QStringLiteral("pTreeWidgetPropertyPaths"));
    }
    static QLineEdit* entry(tav::MorphPathDialog& dialog)
    {
        return dialog.findChild<QLineEdit*>(QStringLiteral("pledMorphPropertyPath"));
    }
    static QPushButton* ok(tav::MorphPathDialog& dialog)
    {
        return dialog.findChild<QDialogButtonBox*>(QStringLiteral("pButtonBox"))->button(QDialogButtonBox::Ok);
    }
    static QTreeWidgetItem* topLevel(tav::MorphPathDialog& dialog, const QString& text)
    {
        const QList<QTreeWidgetItem*> found = tree(dialog)->findItems(text, Qt::MatchExactly);
        return found.size() == 1 ? found.first() : nullptr;
    }

    TestApp _app;
    DzNode _node;
};

TEST_F(MorphPathTest, SelectingAnItemWritesItsPath)
{
    addGroup("eyes", "Morphs/Head/Eyes");
    addGroup("nose", "Morphs/Head/Nose");
    tav::MorphPathDialog dialog(nullptr, &_node, "", "winpos_morph_path");
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    QTreeWidgetItem* pEyes = topLevel(dialog, QStringLiteral("Morphs"))->child(0)->child(0);
    ASSERT_EQ(pEyes->text(0), QStringLiteral("Eyes"));
    tree(dialog)->expandAll();
    tree(dialog)->scrollToItem(pEyes);
    // The view lays out expanded items lazily.
    ASSERT_EVENTUALLY(tree(dialog)->visualItemRect(pEyes).isValid());
    const QRect itemRect = tree(dialog)->visualItemRect(pEyes);
    QTest::mouseClick(tree(dialog)->viewport(), Qt::LeftButton, Qt::NoModifier, itemRect.center());
    EXPECT_EQ(entry(dialog)->text(), QStringLiteral("/Morphs/Head/Eyes"));
    EXPECT_TRUE(ok(dialog)->isEnabled());
    QTest::mouseClick(ok(dialog), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.path(), QStringLiteral("/Morphs/Head/Eyes"));
    EXPECT_TRUE(DzAppSettings(QStringLiteral("Tavrenik's Kelvaro")).hasKey(QStringLiteral("winpos_morph_path")));
}

TEST_F(MorphPathTest, GroupPathsShareTheirPrefixItemsAndTheCurrentPathPreselectsItsItem)
{
    addGroup("eyes", "Morphs/Head/Eyes");
    addGroup("lips", "Morphs/Lips");
    tav::MorphPathDialog dialog(nullptr, &_node, "/Morphs/Head", nullptr);
    QTreeWidgetItem* pMorphs = topLevel(dialog, QStringLiteral("Morphs"));
    ASSERT_NE(pMorphs, nullptr);
    ASSERT_EQ(pMorphs->childCount(), 2);
    EXPECT_EQ(pMorphs->child(0)->text(0), QStringLiteral("Head"));
    EXPECT_EQ(pMorphs->child(1)->text(0), QStringLiteral("Lips"));
    ASSERT_NE(tree(dialog)->currentItem(), nullptr);
    EXPECT_EQ(tree(dialog)->currentItem()->text(0), QStringLiteral("Head"));
    EXPECT_EQ(dialog.path(), QStringLiteral("/Morphs/Head"));
    EXPECT_TRUE(ok(dialog)->isEnabled());

    tav::MorphPathDialog unknown(nullptr, &_node, "/Morphs/Converted", nullptr);
    EXPECT_EQ(tree(unknown)->currentItem(), nullptr);
    EXPECT_TRUE(unknown.path().isEmpty());
}

TEST_F(MorphPathTest, EntryMustBeASlashPathOfSixCharacters)
{
    // No node, no groups: an empty tree, an empty entry and OK disabled until a path is typed.
    tav::MorphPathDialog dialog(nullptr, nullptr, "/Morphs", nullptr);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(tree(dialog)->topLevelItemCount(), 0);
    QLineEdit* pled = entry(dialog);
    EXPECT_TRUE(pled->text().isEmpty());
    EXPECT_FALSE(ok(dialog)->isEnabled());
    const std::pair<const char*, bool> cases[] = {
        {"/Morph", true}, {"/Morp", false}, {"Morphs/X", false}, {"/Morphs/Converted", true}};
    for (const auto& [typed, valid] : cases) {
        pled->clear();
        QTest::keyClicks(pled, QString::fromLatin1(typed));
        EXPECT_EQ(ok(dialog)->isEnabled(), valid) << typed;
    }
    const QString tip = pled->toolTip();
    EXPECT_TRUE(tip.contains(QString::fromUtf8("\u201CParameters\u201D"))) << tip.toStdString();
    EXPECT_EQ(tree(dialog)->toolTip(), tip);
}

// The name checker against a figure that has the morphs "Smile" and "Frown".
class MorphNameCheckerTest : public ::testing::Test {
protected:
    MorphNameCheckerTest()
        : _pledName(new QLineEdit(&_window)),
          _plblWarning(new QLabel(QStringLiteral("Taken"), &_window)),
          _pchkOverwrite(new QCheckBox(QStringLiteral("Overwrite"), &_window)),
          _checker(_pledName, _plblWarning, _pchkOverwrite, &_figure,
                   [this](DzNode*, const std::string& name) -> std::optional<std::string> {
                       ++_lookups;
                       if (name == "Smile" || name == "Frown")
                           return "morph " + name;
                       return std::nullopt;
                   },
                   [this] { ++_stateChanges; })
    {
        _window.show();
        _plblWarning->hide();
        _pchkOverwrite->hide();
    }

    QWidget _window;
    DzNode _figure;
    QLineEdit* _pledName;
    QLabel* _plblWarning;
    QCheckBox* _pchkOverwrite;
    int _lookups = 0;
    int _stateChanges = 0;
    tav::MorphNameChecker _checker;
};

TEST_F(MorphNameCheckerTest, EachKeystrokeIsCheckedAfterItsDelay)
{
    QTest::keyClicks(_pledName, QStringLiteral("Smi"));
    EXPECT_EQ(_lookups, 0);
    ASSERT_EVENTUALLY(_lookups == 3);
    EXPECT_EQ(_stateChanges, 0);  // never found: nothing to report
    EXPECT_TRUE(_plblWarning->isHidden());

    // Both checks of this burst run after it and see the whole name: each reports.
    QTest::keyClicks(_pledName, QStringLiteral("le"));
    ASSERT_EVENTUALLY(_lookups == 5);
    EXPECT_EQ(_stateChanges, 2);
    EXPECT_EQ(_checker.found(), std::optional<std::string>("morph Smile"));
    EXPECT_FALSE(_plblWarning->isHidden());
    EXPECT_FALSE(_pchkOverwrite->isHidden());
    EXPECT_TRUE(_plblWarning->styleSheet().contains(QStringLiteral("#FF9933")));

    QTest::mouseClick(_pchkOverwrite, Qt::LeftButton);
    EXPECT_EQ(_stateChanges, 3);
    EXPECT_TRUE(_checker.overwrite());

    QTest::keyClick(_pledName, Qt::Key_Backspace);
    ASSERT_EVENTUALLY(_stateChanges == 4);
    EXPECT_FALSE(_checker.found().has_value());
    EXPECT_TRUE(_plblWarning->isHidden());
    EXPECT_TRUE(_pchkOverwrite->isHidden());
}

} // namespace
