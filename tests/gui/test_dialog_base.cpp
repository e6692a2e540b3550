#include <gtest/gtest.h>

#include "qt_wait.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

#include "dzappsettings.h"
#include "test_app.h"
#include "tv_dlg_base.h"

namespace {

const QString kSettingsPath = QStringLiteral("Tavrenik's Kelvaro");
const QString kKey = QStringLiteral("winpos_test-dialog");

// A dialog as the plug-in builds one: a layout, a button box, then setUpWindow.
class SampleDialog : public tav::DialogBase {
public:
    SampleDialog(const QString& settingsPath, const QString& key) : tav::DialogBase(nullptr)
    {
        auto* pvert = new QVBoxLayout(this);
        _pButtonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        pvert->addWidget(_pButtonBox);
        setUpWindow("Sample", settingsPath, key);
        connectButtonBox(_pButtonBox);
    }

    QPushButton* ok() const { return _pButtonBox->button(QDialogButtonBox::Ok); }
    QPushButton* cancel() const { return _pButtonBox->button(QDialogButtonBox::Cancel); }

private:
    QDialogButtonBox* _pButtonBox;
};

class DialogBaseTest : public ::testing::Test {
protected:
    QString storedPlacement() const
    {
        return DzAppSettings(kSettingsPath).getStringValue(kKey, QString());
    }

    QByteArray settingsFile() const
    {
        QFile file(_app->settingsFilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TestApp _app;
};

TEST_F(DialogBaseTest, TitleCarriesTheProductAndPlacementIsRememberedAfterOk)
{
    {
        SampleDialog first(kSettingsPath, kKey);
        EXPECT_EQ(first.windowTitle(), QString::fromUtf8("Sample \u2014 Tavrenik's Kelvaro V1.0.5 (2023-06-22)"));
        EXPECT_FALSE(first.windowFlags() & Qt::WindowContextHelpButtonHint);
        EXPECT_TRUE(first.ok()->isDefault());
        first.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&first));
        first.resize(431, 257);
        ASSERT_EVENTUALLY(first.size() == QSize(431, 257));
        EXPECT_TRUE(storedPlacement().isEmpty());
        QTest::mouseClick(first.ok(), Qt::LeftButton);
        EXPECT_EQ(first.result(), QDialog::Accepted);
    }
    const QString text = storedPlacement();
    ASSERT_FALSE(text.isEmpty());
    EXPECT_FALSE(QByteArray::fromBase64(text.toLatin1()).isEmpty());

    SampleDialog second(kSettingsPath, kKey);
    EXPECT_EQ(second.size(), QSize(431, 257));
}

TEST_F(DialogBaseTest, CancelAlsoSavesButDestroyingDoesNot)
{
    {
        SampleDialog closedByOwner(kSettingsPath, kKey);
        closedByOwner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&closedByOwner));
    }
    EXPECT_TRUE(storedPlacement().isEmpty());

    SampleDialog cancelled(kSettingsPath, kKey);
    cancelled.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&cancelled));
    QTest::mouseClick(cancelled.cancel(), Qt::LeftButton);
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_FALSE(storedPlacement().isEmpty());
}

TEST_F(DialogBaseTest, EmptySettingsPathNeverTouchesTheStore)
{
    DzAppSettings(kSettingsPath).setStringValue(kKey, QStringLiteral("garbage"));
    SampleDialog dialog(QString(), kKey);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.ok(), Qt::LeftButton);
    EXPECT_EQ(storedPlacement(), QStringLiteral("garbage"));
    EXPECT_EQ(settingsFile().count("winpos_"), 1);
}

TEST_F(DialogBaseTest, NotClosableDialogIgnoresEscapeAndClose)
{
    tav::DialogBase dialog(nullptr);
    auto* pvert = new QVBoxLayout(&dialog);
    const tav::ButtonRow row = dialog.addButtonRow(pvert, "Go on", "");
    dialog.setUpWindow("Sample", kSettingsPath, kKey);
    dialog.setWindowTitleAndClosable("Busy", false);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    QTest::keyClick(&dialog, Qt::Key_Escape);
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(storedPlacement().isEmpty());
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);

    // A row without Cancel text has one button, right of a stretch.
    EXPECT_EQ(row.pCancel, nullptr);
    EXPECT_EQ(row.pRow->count(), 2);
    EXPECT_EQ(row.pOk->text(), QStringLiteral("Go on"));
    QTest::mouseClick(row.pOk, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(DialogBaseTest, ClosableDialogClosesOnEscape)
{
    SampleDialog dialog(kSettingsPath, QString());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(settingsFile().count("winpos_"), 0);
}

} // namespace
