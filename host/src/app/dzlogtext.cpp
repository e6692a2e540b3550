#include "app/dzlogtext.h"

#include <QRegularExpression>
#include <QStringList>
#include <QTextDocumentFragment>

namespace {

const QString kDialogPrefix = QStringLiteral("Dialog \"");
const QString kMessageBoxPrefix = QStringLiteral("Message box \"");

bool looksLikeMarkup(const QString& line)
{
    static const QRegularExpression markup(
        QStringLiteral("</?[A-Za-z][A-Za-z0-9]*(\\s[^<>]*)?/?>|&(#\\d+|#x[0-9A-Fa-f]+|[A-Za-z]+);"));
    return line.contains(markup);
}

// A trace brackets an operation: "Entering NAME", "Leaving NAME", after an optional
// "Source: " prefix of one word ("TkKVR: Entering KvrConverter::exec_X()").
bool isTrace(const QString& text)
{
    static const QRegularExpression trace(QStringLiteral("^(\\S+: )?(Entering|Leaving) \\S"));
    return trace.match(text).hasMatch();
}

// `Dialog "TITLE": TEXT` read as `Dialog "TITLE"`; empty for any other text.
QString dialogHeading(const QString& text)
{
    if (!text.startsWith(kDialogPrefix))
        return QString();
    const int iTitleEnd = text.indexOf(QLatin1Char('"'), kDialogPrefix.size());
    if (iTitleEnd < 0 || text.midRef(iTitleEnd, 3) != QLatin1String("\": "))
        return QString();
    return text.left(iTitleEnd + 1);
}

} // namespace

QString dzPlainText(const QString& text)
{
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (!looksLikeMarkup(line)) {
            int iEnd = line.size();
            while (iEnd > 0 && line.at(iEnd - 1).isSpace())
                --iEnd;
            lines << line.left(iEnd);
            continue;
        }
        for (const QString& part : QTextDocumentFragment::fromHtml(line).toPlainText().split(QLatin1Char('\n')))
            lines << part.trimmed();
    }
    // Paragraphs leave blank lines behind: none at the ends, never two in a row.
    QStringList kept;
    for (const QString& line : qAsConst(lines))
        if (!line.trimmed().isEmpty() || (!kept.isEmpty() && !kept.last().isEmpty()))
            kept << (line.trimmed().isEmpty() ? QString() : line);
    while (!kept.isEmpty() && kept.last().isEmpty())
        kept.removeLast();
    return kept.join(QLatin1Char('\n'));
}

QString dzDialogLogText(const QString& title, const QString& text, bool bMessageBox)
{
    return (bMessageBox ? kMessageBoxPrefix : kDialogPrefix) + title + QStringLiteral("\": ") + text;
}

DzLogReading dzReadLogText(const QString& text)
{
    DzLogReading reading;
    reading.detailed = dzPlainText(text);
    if (isTrace(text))
        return reading;
    // A dialog shows its labels itself; the pane names it, and lists them only with details.
    const QString heading = dialogHeading(text);
    reading.brief = heading.isEmpty() ? reading.detailed : heading + QStringLiteral(" opened");
    return reading;
}
