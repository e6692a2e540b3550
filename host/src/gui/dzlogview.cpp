#include "gui/dzlogview.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/dzlogtext.h"

namespace {

// "2026-01-02T13:45:07.123 text": the time of day and the text.
constexpr int kTimeOfDayStart = 11;
constexpr int kTimeOfDayLength = 8;

QString shownEntry(const QString& line, bool bDetails)
{
    const int iBlank = line.indexOf(QLatin1Char(' '));
    const QString stamp = iBlank < 0 ? QString() : line.left(iBlank);
    const DzLogReading reading = dzReadLogText(iBlank < 0 ? line : line.mid(iBlank + 1));
    const QString text = bDetails ? reading.detailed : reading.brief;
    if (text.isEmpty())
        return QString();
    const QString time = stamp.mid(kTimeOfDayStart, kTimeOfDayLength);
    // Further lines of an entry stand under its text, not under the time.
    const QString indent(time.size() + 2, QLatin1Char(' '));
    QString shown = time + QStringLiteral("  ") + text;
    return shown.replace(QLatin1Char('\n'), QLatin1Char('\n') + indent);
}

} // namespace

DzLogView::DzLogView(bool bShowDetails, QWidget* parent)
    : QWidget(parent), _pText(new QPlainTextEdit), _pchkDetails(new QCheckBox(tr("Show details")))
{
    _pText->setObjectName(QStringLiteral("LogView"));
    _pText->setReadOnly(true);
    _pchkDetails->setObjectName(QStringLiteral("LogDetails"));
    _pchkDetails->setToolTip(tr("Also show the plug-ins' traces (Entering ..., Leaving ...) and "
                                "every label of each dialog"));
    _pchkDetails->setChecked(bShowDetails);
    auto* pvert = new QVBoxLayout(this);
    pvert->setContentsMargins(0, 0, 0, 0);
    pvert->setSpacing(2);
    pvert->addWidget(_pText, 1);
    pvert->addWidget(_pchkDetails);
    connect(_pchkDetails, &QCheckBox::toggled, this, &DzLogView::rebuild);
}

void DzLogView::appendLogLine(const QString& line)
{
    _lines << line;
    appendShown(line);
}

QPlainTextEdit* DzLogView::textView() const { return _pText; }
QCheckBox* DzLogView::detailsCheckBox() const { return _pchkDetails; }

void DzLogView::setShowDetails(bool bShow) { _pchkDetails->setChecked(bShow); }

void DzLogView::appendShown(const QString& line)
{
    const QString shown = shownEntry(line, _pchkDetails->isChecked());
    if (!shown.isEmpty())
        _pText->appendPlainText(shown);
}

void DzLogView::rebuild()
{
    _pText->clear();
    for (const QString& line : qAsConst(_lines))
        appendShown(line);
    _pText->verticalScrollBar()->setValue(_pText->verticalScrollBar()->maximum());
}
