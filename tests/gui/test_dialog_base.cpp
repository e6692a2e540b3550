#include <gtest/gtest.h>

#include "qt_wait.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <functional>

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

// A dialog keeps its place only when the user closes it, and only with a settings path and a key.
TEST_F(DialogBaseTest, PlacementIsStoredOnlyWhenTheUserClosesADialogWithAPathAndAKey)
{
    struct Case {
        const char* pcszWhat;
        QString settingsPath, key;
        std::function<void(SampleDialog&)> close;
        int iResult;
        int cStored;
    };
    const Case cases[] = {
        {"destroyed by its owner", kSettingsPath, kKey, nullptr, 0, 0},
        {"no settings path", QString(), kKey, [](SampleDialog& d) { QTest::mouseClick(d.ok(), Qt::LeftButton); },
         QDialog::Accepted, 0},
        {"no key", kSettingsPath, QString(), [](SampleDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); },
         QDialog::Rejected, 0},
        {"cancelled", kSettingsPath, kKey, [](SampleDialog& d) { QTest::mouseClick(d.cancel(), Qt::LeftButton); },
         QDialog::Rejected, 1},
    };
    for (const Case& c : cases) {
        {
            SampleDialog dialog(c.settingsPath, c.key);
            dialog.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
            if (c.close) {
                c.close(dialog);
                EXPECT_FALSE(dialog.isVisible()) << c.pcszWhat;
                EXPECT_EQ(dialog.result(), c.iResult) << c.pcszWhat;
            }
        }
        EXPECT_EQ(settingsFile().count("winpos_"), c.cStored) << c.pcszWhat;
    }
    EXPECT_FALSE(storedPlacement().isEmpty());
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

} // namespace
