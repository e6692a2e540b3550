// Draws the dialogs' 24-pixel glyphs into PNG files in the current directory.
// Not part of the build; see README for how to run it.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>

namespace {

const QColor kInk(0x8a, 0x90, 0x99);
const int kSize = 24;

QPen outlinePen(qreal width = 1.6)
{
    return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawStopCircle(QPainter& p)
{
    p.setPen(outlinePen());
    p.drawEllipse(QPointF(12, 12), 9.6, 9.6);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(8.5, 8.5, 7, 7), 1.2, 1.2);
}

void drawQuestionSquare(QPainter& p)
{
    p.setPen(outlinePen());
    p.drawRoundedRect(QRectF(2.8, 2.8, 18.4, 18.4), 3, 3);
    QPainterPath hook;
    hook.moveTo(8.8, 9.6);
    hook.cubicTo(8.8, 6.2, 15.2, 6.0, 15.2, 9.4);
    hook.cubicTo(15.2, 11.6, 12.0, 11.8, 12.0, 14.2);
    p.setPen(outlinePen(1.9));
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(12.0, 17.3), 1.25, 1.25);
}

void drawChevronBar(QPainter& p, bool left)
{
    // Drawn pointing left, mirrored for the right-hand glyph.
    if (!left) {
        p.translate(kSize, 0);
        p.scale(-1, 1);
    }
    p.setPen(outlinePen(2.0));
    p.drawLine(QPointF(5.5, 4.5), QPointF(5.5, 19.5));
    QPainterPath chevron;
    chevron.moveTo(17.0, 5.0);
    chevron.lineTo(10.0, 12.0);
    chevron.lineTo(17.0, 19.0);
    p.drawPath(chevron);
}

void drawEyedropper(QPainter& p)
{
    p.translate(12, 12);
    p.rotate(45);
    p.setPen(outlinePen(1.5));
    p.setBrush(Qt::NoBrush);
    // Glass tube with a fine tip, pointing down-left after rotation.
    QPainterPath tube;
    tube.moveTo(-2.0, -4.0);
    tube.lineTo(-2.0, 6.0);
    tube.lineTo(0.0, 9.5);
    tube.lineTo(2.0, 6.0);
    tube.lineTo(2.0, -4.0);
    p.drawPath(tube);
    // Collar and rubber bulb.
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(-4.0, -5.8, 8.0, 2.2), 0.8, 0.8);
    p.drawEllipse(QRectF(-3.0, -11.0, 6.0, 6.5));
}

void drawMagic(QPainter& p)
{
    // Wand from bottom-left towards the top-right, with a bright tip.
    p.setPen(outlinePen(2.2));
    p.drawLine(QPointF(4.0, 20.0), QPointF(14.0, 10.0));
    p.setPen(outlinePen(1.4));
    auto sparkle = [&p](QPointF c, qreal r) {
        p.drawLine(c - QPointF(r, 0), c + QPointF(r, 0));
        p.drawLine(c - QPointF(0, r), c + QPointF(0, r));
    };
    sparkle(QPointF(17.0, 7.0), 2.6);
    sparkle(QPointF(10.0, 4.0), 1.6);
    sparkle(QPointF(20.0, 14.0), 1.6);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(14.8, 9.2), 1.5, 1.5);
}

bool save(const char* pcszName, const std::function<void(QPainter&)>& draw)
{
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return image.save(QString::fromUtf8(pcszName), "PNG");
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    bool ok = save("stop-circle.png", drawStopCircle);
    ok &= save("question-square.png", drawQuestionSquare);
    ok &= save("chevron-bar-left.png", [](QPainter& p) { drawChevronBar(p, true); });
    ok &= save("chevron-bar-right.png", [](QPainter& p) { drawChevronBar(p, false); });
    ok &= save("eyedropper.png", drawEyedropper);
    ok &= save("magic.png", drawMagic);
    return ok ? 0 : 1;
}
