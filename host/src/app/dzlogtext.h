#pragma once

#include <QString>

// The host log's texts as a person reads them. The log file keeps every text as it was written
// (HTML, all the labels of a dialog, the plug-ins' traces); the Log pane and the studio's
// terminal show these readings of it.

// The text with its HTML markup rendered as plain text: tags dropped, paragraphs and line breaks
// as new lines, entities decoded. Lines without markup stay as they are.
QString dzPlainText(const QString& text);

// The log text for a dialog that opened: `Message box "TITLE": TEXT` for a message box,
// `Dialog "TITLE": TEXT` for any other dialog (TEXT: its labels, one a line).
QString dzDialogLogText(const QString& title, const QString& text, bool bMessageBox);

// A log text as the Log pane shows it.
struct DzLogReading {
    QString brief;     // shown by default; empty for a trace ("Entering ...", "Leaving ...")
    QString detailed;  // shown when the pane shows details: the whole text as plain text
};
DzLogReading dzReadLogText(const QString& text);
