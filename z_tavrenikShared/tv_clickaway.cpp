#include "tv_clickaway.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "tv_assert.h"
#include "tv_gui.h"

namespace tav {
namespace {

constexpr int iTickMilliseconds = 300;

std::vector<QPushButton*> PushButtonsOf(QWidget* pWidget)
{
    std::vector<QPushButton*> buttons;
    findPushButtons(pWidget, buttons);
    return buttons;
}

void AnswerPresetLimits(QWidget* pWidget, bool bFirstButton)
{
    const std::vector<QPushButton*> buttons = PushButtonsOf(pWidget);
    if (buttons.size() == 2)
        clickButton(buttons[bFirstButton ? 0 : 1]);
}

void AcceptDFormerOptions(QWidget* pWidget)
{
    for (QPushButton* pButton : PushButtonsOf(pWidget))
        if (pButton->text() == QLatin1String("Accept")) {
            clickButton(pButton);
            return;
        }
}

// Applies the first rule the window matches; windows matching none are left alone.
void Dismiss(const ToplevelWindow& window, bool bFirstButton)
{
    const QString& name = window.objectName;
    const QString& title = window.title;
    if (name == QLatin1String("MissingAssetsDialog") && title == QLatin1String("Missing Files"))
        window.pWidget->close();
    else if (name.isEmpty() && title == QLatin1String("Error opening file"))
        window.pWidget->close();
    else if (name.isEmpty() && title == QLatin1String("Duplicate Formulas Found"))
        window.pWidget->close();
    else if (name.isEmpty() && title == QLatin1String("Preset Exceeds Limits"))
        AnswerPresetLimits(window.pWidget, bFirstButton);
    else if (name == QLatin1String("DzDFormPresetLoadOptionsDlg") &&
             title.startsWith(QLatin1String("D-Former Load Options"), Qt::CaseSensitive))
        AcceptDFormerOptions(window.pWidget);
}

} // namespace

bool ToplevelWindowLess::operator()(const ToplevelWindowPtr& a, const ToplevelWindowPtr& b) const
{
    if (a->objectName != b->objectName)
        return a->objectName < b->objectName;
    return a->title < b->title;
}

ToplevelWindowSet SnapshotToplevelWindows()
{
    ToplevelWindowSet windows;
    for (QWidget* pWidget : QApplication::topLevelWidgets()) {
        const QString title = pWidget->windowTitle();
        if (!title.isEmpty())
            windows.insert(std::make_shared<ToplevelWindow>(
                ToplevelWindow{pWidget->objectName(), title, pWidget}));
    }
    return windows;
}

struct Clickaway::TimerRecord {
    std::unique_ptr<QTimer> pTimer{new QTimer};
    ToplevelWindowSet openAtStart = SnapshotToplevelWindows();
};

Clickaway::Clickaway(bool bFirstButton) : _bFirstButton(bFirstButton), _pTimer(new TimerRecord)
{
    // Qt 4's connection type 3 was the automatic one.
    const bool result = QObject::connect(_pTimer->pTimer.get(), SIGNAL(timeout()), this,
                                         SLOT(slotTimeout()), Qt::AutoConnection);
    TV_ASSERT(result && "QObject connection failed");
    _pTimer->pTimer->start(iTickMilliseconds);
}

Clickaway::~Clickaway() = default;

void Clickaway::slotTimeout()
{
    const ToplevelWindowSet windows = SnapshotToplevelWindows();
    for (const ToplevelWindowPtr& pWindow : windows)
        if (_pTimer->openAtStart.count(pWindow) == 0)
            Dismiss(*pWindow, _bFirstButton);
}

} // namespace tav
