#pragma once

#include <QColor>
#include <QIcon>
#include <QObject>
#include <QPixmap>
#include <functional>
#include <string_view>
#include <vector>

class QAbstractButton;
class QBoxLayout;
class QEventLoop;
class QGroupBox;
class QImage;
class QLabel;
class QLayout;
class QMenu;
class QPushButton;
class QToolButton;
class QWidget;

namespace tav {

// ---- Checked connections -------------------------------------------------------------------

// Connects the button's clicked() to pcszSlot (when given), then sets the tool tip with the
// "%%" button-name substitution (when given). A refused connection is an assertion.
void connectClicked(QAbstractButton* pButton, QObject* pReceiver, const char* pcszSlot,
                    std::string_view toolTip = {});

// Connects (asserting success) or disconnects; returns whether Qt did it.
bool connectOrDisconnect(QObject* pSender, const char* pcszSignal, QObject* pReceiver,
                         const char* pcszSlot, bool connect);

// Pixmaps and icons may only be made on the application's main thread.
void assertGuiThread();

// ---- Tool tips -----------------------------------------------------------------------------

// The text, "%%" replaced by the button's own text in bold quotes, expanded (ExpandPluginText).
void SetToolTipWithButtonName(QAbstractButton* pButton, std::string_view text);
// The text expanded (ExpandPluginText).
void SetExpandedToolTip(QWidget* pWidget, std::string_view text);

// ---- Widget trees --------------------------------------------------------------------------

// Collects push buttons depth first in child order; a push button's own children are skipped.
void findPushButtons(QWidget* pRoot, std::vector<QPushButton*>& found);

// Shows the button pressed for 100 ms, then clicks it.
void clickButton(QAbstractButton* pButton);

// Visits every widget held by the layout or its nested layouts (not widgets inside widgets).
void forEachWidgetInLayout(QLayout* pLayout, const std::function<void(QWidget&)>& callback);

// Shows or hides the widget and every widget reached through its layout.
void setVisibleWithLayout(QWidget* pWidget, bool visible);

// ---- Host look -----------------------------------------------------------------------------

// Colours taken from the host style's palette; all invalid until read.
struct HostColours {
    QColor foreground;  // kept for completeness; no icon uses it
    QColor selected;    // icons in the On state
    QColor accent;      // kept for completeness; no icon uses it
    QColor text;        // icons in the Off state
    QColor dark;        // disabled icons
};

// Reads the record from the host's current style ("Highway" and "Main Street" differ).
HostColours readHostColours();

// The image's shape (alpha) in a single colour.
QPixmap tintPixmap(const QImage& image, const QColor& colour);

// Normal/Off text, Normal/On selected, Disabled/Off dark, Active/Off black. An image that
// cannot be loaded gives an empty icon.
QIcon makeTintedIcon(const HostColours& colours, const char* pcszImagePath);

// Bold orange text.
void setWarningStyle(QLabel* pLabel);

// Flat icon-only button; tool tip "<b>title:</b> text", "<b>title</b>" or the text alone.
void setUpToolButton(QToolButton* pButton, std::string_view title, std::string_view toolTip);

// A new tool button set up as above, appended to the layout (when given), with an instant
// popup menu (when given).
QToolButton* makeToolButton(QBoxLayout* pLayout, const QIcon& icon, std::string_view title,
                            std::string_view toolTip, QMenu* pMenu = nullptr);

// ---- Small slot holders --------------------------------------------------------------------

// Runs a callback when a checkable group box is toggled.
class CheckableGroupBox : public QObject {
    Q_OBJECT
public:
    using Callback = std::function<void(bool)>;

    // Sets the box checkable and checked as given, then forwards every toggle.
    void init(QGroupBox* pGroupBox, bool checked, Callback onToggled);

public slots:
    void slotToggled(bool checked);

private:
    Callback _onToggled;
};

// A wait that keeps the user interface responsive: runs a local event loop until the timer
// reaches slotTimer().
class GuiSleep : public QObject {
    Q_OBJECT
public:
    void sleep(int milliseconds);

public slots:
    void slotTimer();

private:
    QEventLoop* _pEventLoop = nullptr;
};

} // namespace tav
