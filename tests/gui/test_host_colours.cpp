#include <gtest/gtest.h>

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPalette>
#include <QTemporaryDir>

#include "test_app.h"
#include "tv_gui.h"

namespace {

// A palette whose roles are told apart by colour, installed for one test.
class HostColoursTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        _saved = QApplication::palette();
        QPalette palette = _saved;
        palette.setColor(QPalette::Text, QColor(10, 20, 30));
        palette.setColor(QPalette::Dark, QColor(40, 50, 60));
        palette.setColor(QPalette::Highlight, QColor(70, 80, 90));
        palette.setColor(QPalette::HighlightedText, QColor(100, 110, 120));
        palette.setColor(QPalette::Light, QColor(130, 140, 150));
        QApplication::setPalette(palette);
    }

    void TearDown() override { QApplication::setPalette(_saved); }

    static tav::HostColours coloursOfStyle(const QString& styleName)
    {
        DzAppOptions options = TestApp::defaultOptions();
        options.styleName = styleName;
        TestApp app(options);
        return tav::readHostColours();
    }

    QPalette _saved;
};

// Highway and Main Street draw on the highlight, so their glyphs take the highlighted text;
// any other style name, even one differing only in case, takes text and highlight.
TEST_F(HostColoursTest, SpecialStylesUseTheHighlightedTextOthersTextAndHighlight)
{
    const QColor text(10, 20, 30), highlight(70, 80, 90), highlightedText(100, 110, 120), light(130, 140, 150);
    struct Expected {
        const char* pcszStyle;
        QColor foreground, selected, accent;
    };
    const Expected expected[] = {
        {"Highway", highlightedText, highlightedText, light},
        {"Main Street", highlightedText, highlightedText, light},
        {"highway", text, highlight, highlightedText},
        {"Studio Dark", text, highlight, highlightedText},
    };
    for (const Expected& e : expected) {
        const tav::HostColours colours = coloursOfStyle(QString::fromLatin1(e.pcszStyle));
        EXPECT_EQ(colours.foreground, e.foreground) << e.pcszStyle;
        EXPECT_EQ(colours.selected, e.selected) << e.pcszStyle;
        EXPECT_EQ(colours.accent, e.accent) << e.pcszStyle;
        EXPECT_EQ(colours.text, text) << e.pcszStyle;
        EXPECT_EQ(colours.dark, QColor(40, 50, 60)) << e.pcszStyle;
    }
}

QImage glyph()
{
    QImage image(4, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 0));
    image.setPixel(1, 0, qRgba(0, 255, 0, 128));
    image.setPixel(2, 0, qRgba(0, 0, 255, 255));
    image.setPixel(3, 0, qRgba(9, 9, 9, 1));
    return image;
}

TEST(Tinting, KeepsAlphaAndTakesTheColour)
{
    const QImage tinted = tav::tintPixmap(glyph(), QColor(200, 100, 50)).toImage().convertToFormat(
        QImage::Format_ARGB32);
    const int alphas[] = {0, 128, 255, 1};
    for (int x = 0; x < 4; ++x) {
        const QRgb pixel = tinted.pixel(x, 0);
        EXPECT_EQ(qAlpha(pixel), alphas[x]) << x;
        // A pixmap stores premultiplied colour: half alpha may round by one step.
        if (alphas[x] >= 128) {
            EXPECT_NEAR(qRed(pixel), 200, 1) << x;
            EXPECT_NEAR(qGreen(pixel), 100, 1) << x;
            EXPECT_NEAR(qBlue(pixel), 50, 1) << x;
        }
    }
}

TEST(Tinting, IconHasOneColourPerModeAndState)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("glyph.png"));
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(qRgba(0, 0, 0, 255));
    ASSERT_TRUE(image.save(path));

    tav::HostColours colours;
    colours.text = QColor(1, 2, 3);
    colours.selected = QColor(4, 5, 6);
    colours.dark = QColor(7, 8, 9);
    const QIcon icon = tav::makeTintedIcon(colours, path.toUtf8().constData());
    ASSERT_FALSE(icon.isNull());
    auto colourAt = [&](QIcon::Mode mode, QIcon::State state) {
        return QColor(icon.pixmap(QSize(8, 8), mode, state).toImage().pixel(4, 4));
    };
    EXPECT_EQ(colourAt(QIcon::Normal, QIcon::Off), QColor(1, 2, 3));
    EXPECT_EQ(colourAt(QIcon::Normal, QIcon::On), QColor(4, 5, 6));
    EXPECT_EQ(colourAt(QIcon::Disabled, QIcon::Off), QColor(7, 8, 9));
    EXPECT_EQ(colourAt(QIcon::Active, QIcon::Off), QColor(Qt::black));

    EXPECT_TRUE(tav::makeTintedIcon(colours, ":/no/such/image.png").isNull());
}

} // namespace
