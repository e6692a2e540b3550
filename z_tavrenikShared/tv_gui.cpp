#include "tv_gui.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBoxLayout>
#include <QEventLoop>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <fmt/format.h>

#include "dzapp.h"
#include "dzstyle.h"
#include "tv_assert.h"
#include "tv_str.h"
#include "tv_version.h"

namespace tav {

namespace {

const char* const pcszConnectAssertion = "QObject::connect(&o, pcszSignal, pReceiver, pcszSlot)";

bool connectChecked(QObject* pSender, const char* pcszSignal, QObject* pReceiver,
                    const char* pcszSlot)
{
    const bool bConnected =
        static_cast<bool>(QObject::connect(pSender, pcszSignal, pReceiver, pcszSlot, Qt::AutoConnection));
    TV_ASSERT_AT(bConnected, pcszConnectAssertion, "tv_gui", 365);
    return bConnected;
}

bool drawsLightSelections(const QString& styleName)
{
    return styleName == QLatin1String("Highway") || styleName == QLatin1String("Main Street");
}

} // namespace

void connectClicked(QAbstractButton* pButton, QObject* pReceiver, const char* pcszSlot,
                    std::string_view toolTip)
{
    if (pcszSlot)
        connectChecked(pButton, SIGNAL(clicked()), pReceiver, pcszSlot);
    if (!toolTip.empty())
        SetToolTipWithButtonName(pButton, toolTip);
}

bool connectOrDisconnect(QObject* pSender, const char* pcszSignal, QObject* pReceiver,
                         const char* pcszSlot, bool connect)
{
    if (!connect)
        return QObject::disconnect(pSender, pcszSignal, pReceiver, pcszSlot);
    return connectChecked(pSender, pcszSignal, pReceiver, pcszSlot);
}

void SetToolTipWithButtonName(QAbstractButton* pButton, std::string_view text)
{
    const std::string withName = str::ReplaceAll(text, "%%", str::BoldQuoted(pButton->text()));
    pButton->setToolTip(ToQString(ExpandPluginText(withName)));
}

void SetExpandedToolTip(QWidget* pWidget, std::string_view text)
{
    pWidget->setToolTip(ToQString(ExpandPluginText(text)));
}

void assertGuiThread()
{
    TV_ASSERT_AT(QThread::currentThread() == QCoreApplication::instance()->thread(),
                 "QThread::currentThread() == QCoreApplication::instance()->thread()", "tv_gui",
                 140);
}

void findPushButtons(QWidget* pRoot, std::vector<QPushButton*>& found)
{
    if (auto* pButton = qobject_cast<QPushButton*>(pRoot)) {
        found.push_back(pButton);
        return;
    }
    for (QObject* pChild : pRoot->children()) {
        if (auto* pWidget = qobject_cast<QWidget*>(pChild))
            findPushButtons(pWidget, found);
    }
}

void clickButton(QAbstractButton* pButton)
{
    pButton->animateClick(100);
}

void forEachWidgetInLayout(QLayout* pLayout, const std::function<void(QWidget&)>& callback)
{
    for (int i = 0; i < pLayout->count(); ++i) {
        QLayoutItem* pItem = pLayout->itemAt(i);
        if (QWidget* pWidget = pItem->widget())
            callback(*pWidget);
        else if (QLayout* pChildLayout = pItem->layout())
            forEachWidgetInLayout(pChildLayout, callback);
    }
}

void setVisibleWithLayout(QWidget* pWidget, bool visible)
{
    pWidget->setVisible(visible);
    if (QLayout* pLayout = pWidget->layout())
        forEachWidgetInLayout(pLayout, [visible](QWidget& w) { w.setVisible(visible); });
}

HostColours readHostColours()
{
    QPalette palette = QApplication::palette();
    QString styleName;
    if (dzApp && dzApp->getStyle()) {
        palette = dzApp->getStyle()->getColors();
        styleName = dzApp->getStyle()->getStyleDefinition();
    }
    auto colour = [&palette](QPalette::ColorRole role) {
        return palette.brush(QPalette::Current, role).color();
    };

    HostColours colours;
    colours.text = colour(QPalette::Text);
    colours.dark = colour(QPalette::Dark);
    if (drawsLightSelections(styleName)) {
        // These styles draw selections in a light tone, so the highlighted text is the accent.
        colours.foreground = colour(QPalette::HighlightedText);
        colours.selected = colour(QPalette::HighlightedText);
        colours.accent = colour(QPalette::Light);
    } else {
        colours.foreground = colour(QPalette::Text);
        colours.selected = colour(QPalette::Highlight);
        colours.accent = colour(QPalette::HighlightedText);
    }
    return colours;
}

QPixmap tintPixmap(const QImage& image, const QColor& colour)
{
    assertGuiThread();
    QImage tinted = image.convertToFormat(QImage::Format_ARGB32);
    const int r = colour.red();
    const int g = colour.green();
    const int b = colour.blue();
    for (int y = 0; y < tinted.height(); ++y) {
        auto* pLine = reinterpret_cast<QRgb*>(tinted.scanLine(y));
        for (int x = 0; x < tinted.width(); ++x)
            pLine[x] = qRgba(r, g, b, qAlpha(pLine[x]));
    }
    return QPixmap::fromImage(tinted);
}

QIcon makeTintedIcon(const HostColours& colours, const char* pcszImagePath)
{
    assertGuiThread();
    const QImage image(QString::fromUtf8(pcszImagePath));
    if (image.isNull())
        return QIcon();
    QIcon icon;
    icon.addPixmap(tintPixmap(image, colours.text), QIcon::Normal, QIcon::Off);
    icon.addPixmap(tintPixmap(image, colours.selected), QIcon::Normal, QIcon::On);
    icon.addPixmap(tintPixmap(image, colours.dark), QIcon::Disabled, QIcon::Off);
    icon.addPixmap(tintPixmap(image, Qt::black), QIcon::Active, QIcon::Off);
    return icon;
}

void setWarningStyle(QLabel* pLabel)
{
    pLabel->setStyleSheet(QString::fromLatin1("%1 { %2 }")
                              .arg(QString::fromLatin1("QLabel"),
                                   QString::fromLatin1("font-weight:600; color:#FF9933; ")));
}

void setUpToolButton(QToolButton* pButton, std::string_view title, std::string_view toolTip)
{
    pButton->setFocusPolicy(Qt::TabFocus);
    pButton->setStyleSheet(QString::fromLatin1("QToolButton { padding: 0px; margin: 0px; }"));
    pButton->setText(QString());

    const std::string expanded = toolTip.empty() ? std::string() : ExpandPluginText(toolTip);
    std::string text;
    if (title.empty())
        text = expanded;
    else if (expanded.empty())
        text = fmt::format("<b>{}</b>", title);
    else
        text = fmt::format("<b>{}:</b> {}", title, expanded);
    if (!text.empty())
        pButton->setToolTip(QString::fromUtf8(text.data(), int(text.size())));
}

QToolButton* makeToolButton(QBoxLayout* pLayout, const QIcon& icon, std::string_view title,
                            std::string_view toolTip, QMenu* pMenu)
{
    auto* pButton = new QToolButton();
    pButton->setIcon(icon);
    setUpToolButton(pButton, title, toolTip);
    if (pLayout)
        pLayout->addWidget(pButton, 0);
    if (pMenu) {
        pButton->setMenu(pMenu);
        pButton->setPopupMode(QToolButton::InstantPopup);
    }
    return pButton;
}

void CheckableGroupBox::init(QGroupBox* pGroupBox, bool checked, Callback onToggled)
{
    _onToggled = std::move(onToggled);
    pGroupBox->setCheckable(true);
    pGroupBox->setChecked(checked);
    connectOrDisconnect(pGroupBox, SIGNAL(toggled(bool)), this, SLOT(slotToggled(bool)), true);
}

void CheckableGroupBox::slotToggled(bool checked)
{
    if (_onToggled)
        _onToggled(checked);
}

void GuiSleep::sleep(int milliseconds)
{
    QEventLoop loop;
    _pEventLoop = &loop;
    QTimer::singleShot(milliseconds, this, SLOT(slotTimer()));
    loop.exec(QEventLoop::AllEvents);
    _pEventLoop = nullptr;
}

void GuiSleep::slotTimer()
{
    TV_ASSERT_AT(_pEventLoop, "_pEventLoop", "tv_gui", 94);
    _pEventLoop->exit(0);
    _pEventLoop = nullptr;
}

} // namespace tav
