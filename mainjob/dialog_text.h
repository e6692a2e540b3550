#pragma once

#include <QStringList>

class QWidget;

// A dialog as a person reads it, in lines of text: its title, then its widgets top to bottom,
// those side by side on one line, left to right. Labels give their plain text, group boxes their
// title, check boxes "[x] text" or "[ ] text", buttons "[text]", fields and lists their current
// text as "<text>". Hidden widgets and sliders (their value shows in the field beside them) are
// left out.
QStringList dialogAsText(QWidget* pDialog);

// The text without its markup, as a label shows it.
QString plainText(const QString& text);
