#include "tv_gui_button.h"

#include <QBoxLayout>
#include <QToolButton>
#include <exception>

#include "tv_gui.h"
#include "tv_msgbox.h"

namespace tav {

void ButtonHandler::init(QAbstractButton* pButton, Callback handler, std::string_view toolTip)
{
    _pButton = pButton;
    _handler = std::move(handler);
    connectClicked(pButton, this, SLOT(slotClicked()), toolTip);
}

void ButtonHandler::slotClicked()
{
    // An empty handler throws std::bad_function_call, reported like any other error.
    ReportingErrors("button handler", _handler);
}

QToolButton* ButtonHandlerList::addToolButton(QBoxLayout* pLayout, const char* pcszIconPath,
                                              ButtonHandler::Callback handler,
                                              std::string_view title, std::string_view toolTip,
                                              int index)
{
    const QIcon icon = _pColours ? makeTintedIcon(*_pColours, pcszIconPath)
                                 : makeTintedIcon(readHostColours(), pcszIconPath);
    QToolButton* pButton = makeToolButton(nullptr, icon, title, toolTip);
    auto pHandler = std::make_shared<ButtonHandler>();
    pHandler->init(pButton, std::move(handler));
    pLayout->insertWidget(index, pButton, 0);
    _handlers.push_back(std::move(pHandler));
    return pButton;
}

} // namespace tav
