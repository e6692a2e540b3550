#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

class QAbstractButton;
class QBoxLayout;
class QToolButton;

namespace tav {

struct HostColours;

// Runs a callback on a button's click. An error escaping the callback is shown in one
// critical box and logged; the button keeps working.
class ButtonHandler : public QObject {
    Q_OBJECT
public:
    using Callback = std::function<void()>;

    void init(QAbstractButton* pButton, Callback handler, std::string_view toolTip = {});
    QAbstractButton* button() const { return _pButton; }

public slots:
    void slotClicked();

private:
    QAbstractButton* _pButton = nullptr;
    Callback _handler;
};

// The tool buttons of one dialog, with icons tinted in the host's colours; keeps their
// handlers alive as long as the list.
class ButtonHandlerList {
public:
    explicit ButtonHandlerList(const HostColours* pColours) : _pColours(pColours) {}

    // Inserts a new icon button at index (-1 appends) with tool tip "<b>title:</b> text".
    QToolButton* addToolButton(QBoxLayout* pLayout, const char* pcszIconPath,
                               ButtonHandler::Callback handler, std::string_view title,
                               std::string_view toolTip, int index = -1);

    size_t size() const { return _handlers.size(); }

private:
    const HostColours* _pColours;
    std::vector<std::shared_ptr<ButtonHandler>> _handlers;
};

} // namespace tav
