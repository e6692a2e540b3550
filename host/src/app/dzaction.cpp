#include "dzaction.h"

DzAction::DzAction(const QString& text, const QString& description)
    : QAction(text, nullptr), _description(description)
{
    setObjectName(text);
    setStatusTip(description);
    setToolTip(description);
    connect(this, &QAction::triggered, this, [this]() { executeAction(); });
    connect(this, &QAction::toggled, this, [this](bool on) { toggleAction(on); });
}

DzAction::~DzAction() = default;

QString DzAction::getActionGroup() const { return QString(); }
QString DzAction::getDefaultMenuPath() const { return QString(); }
QString DzAction::getDefaultToolBar() const { return QString(); }
QKeySequence DzAction::getDefaultAccel() const { return QKeySequence(); }

void DzAction::init()
{
    const QKeySequence accel = getDefaultAccel();
    if (!accel.isEmpty() && shortcut().isEmpty())
        setShortcut(accel);
}

void DzAction::styleChange() {}
void DzAction::updateInlineHelp() { setWhatsThis(_description); }
QString DzAction::getDescription() const { return _description; }
void DzAction::toggleAction(bool) {}
void DzAction::executeAction() {}
