#include <gtest/gtest.h>

#include <QImage>
#include <QScopedPointer>

#include "dzclassfactory.h"
#include "kvr_actions.h"
#include "kvr_plugin.h"

namespace {

const char* const pcszDescriptionBytes =
    "\n<p>Kelvaro for Genesis 9 is a plugin for Daz Studio 4.20 and above that can convert Genesis 3, 8 and "
    "8.1 Genesis shapes to Genesis 9.</p>\n<p>By default it can be launched either with the menu item in the "
    "new \xE2\x80\x9C"
    "Convert\xE2\x80\x9D menu or with the Ctrl + Alt + C keyboard shortcut.</p>";

// One static definition. Each factory makes a fresh action of its class each time, in the
// product's action group and left for the host to own.
TEST(PluginDefinition, DescribesTheProductAndItsFactoriesInOrderWithTheirFixedGuids)
{
    DzPlugin* pPlugin = getPluginDefinition();
    ASSERT_NE(pPlugin, nullptr);
    EXPECT_EQ(pPlugin, getPluginDefinition());
    EXPECT_EQ(pPlugin->getDescription().toUtf8(), QByteArray(pcszDescriptionBytes));
    ASSERT_EQ(pPlugin->getNumClassFactories(), 3);

    struct Expected {
        const char* pcszClass;
        const char* pcszGuid;
    };
    const Expected expected[] = {
        {"KvrConvertFigureAction", "{1fb60b91-0fd1-4fc3-b560-99df85875d31}"},
        {"KvrConvertMorphsAction", "{587bd5a5-9521-48a7-b843-4337b3972dbe}"},
        {"KvrOpenManualAction", "{92bdd1aa-1b7a-4e98-bc5d-a6ad932e29f1}"},
    };
    for (int i = 0; i < 3; ++i) {
        DzClassFactory* pFactory = pPlugin->getClassFactory(i);
        ASSERT_NE(pFactory, nullptr);
        EXPECT_EQ(pFactory->className(), QString::fromLatin1(expected[i].pcszClass));
        EXPECT_EQ(pFactory->getGuid().toString(), QString::fromLatin1(expected[i].pcszGuid));

        QScopedPointer<QObject> pFirst(pFactory->createInstance());
        QScopedPointer<QObject> pSecond(pFactory->createInstance());
        ASSERT_TRUE(pFirst && pSecond);
        EXPECT_NE(pFirst.data(), pSecond.data());
        EXPECT_EQ(QString::fromLatin1(pFirst->metaObject()->className()), pFactory->className());
        auto* pAction = qobject_cast<DzAction*>(pFirst.data());
        ASSERT_NE(pAction, nullptr);
        EXPECT_EQ(pAction->getActionGroup(), QStringLiteral("Tavrenik's Kelvaro"));
        EXPECT_EQ(pAction->parent(), nullptr);
    }
}

TEST(PluginIcons, SixTransparentSingleColourGlyphsAreCompiledIn)
{
    const char* const names[] = {"stop-circle", "question-square", "chevron-bar-left",
                                 "eyedropper", "magic", "chevron-bar-right"};
    for (const char* pcszName : names) {
        const QString path = QStringLiteral(":/bootstrap/24/%1.png").arg(QLatin1String(pcszName));
        QImage image(path);
        ASSERT_FALSE(image.isNull()) << path.toStdString();
        EXPECT_EQ(image.size(), QSize(24, 24)) << pcszName;
        ASSERT_TRUE(image.hasAlphaChannel()) << pcszName;

        image = image.convertToFormat(QImage::Format_ARGB32);
        int cTransparent = 0, cOpaque = 0;
        QRgb ink = 0;
        bool bSingleColour = true;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb px = image.pixel(x, y);
                if (qAlpha(px) == 0) {
                    ++cTransparent;
                    continue;
                }
                if (qAlpha(px) < 200)
                    continue;  // antialiased edge
                if (cOpaque++ == 0)
                    ink = px;
                else if (qAbs(qRed(px) - qRed(ink)) > 8 || qAbs(qGreen(px) - qGreen(ink)) > 8
                         || qAbs(qBlue(px) - qBlue(ink)) > 8)
                    bSingleColour = false;
            }
        }
        EXPECT_GT(cTransparent, 24 * 24 / 3) << pcszName << " is a glyph, not a tile";
        EXPECT_GT(cOpaque, 12) << pcszName << " has a visible glyph";
        EXPECT_TRUE(bSingleColour) << pcszName;
    }
}

TEST(PluginIcons, BarChevronsPointOppositeWays)
{
    // Guards against both names pointing at the same drawing: each is the other's mirror image.
    const QImage left = QImage(QStringLiteral(":/bootstrap/24/chevron-bar-left.png")).convertToFormat(QImage::Format_ARGB32);
    const QImage right = QImage(QStringLiteral(":/bootstrap/24/chevron-bar-right.png")).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(left.size(), right.size());
    const QImage mirrored = left.mirrored(true, false);
    int cDifferent = 0, cMirrorDifferent = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            cDifferent += qAbs(qAlpha(left.pixel(x, y)) - qAlpha(right.pixel(x, y))) > 64;
            cMirrorDifferent += qAbs(qAlpha(mirrored.pixel(x, y)) - qAlpha(right.pixel(x, y))) > 64;
        }
    }
    EXPECT_GT(cDifferent, 20);
    EXPECT_LT(cMirrorDifferent, 4);
}

} // namespace
