#pragma once

#include <QUrl>

class QWidget;

// What the host does with a URL a plug-in or script asks it to show.

// The URL of a text. Plug-ins write a file URL as "file:///" followed by the absolute path as it
// is, without escaping ("file:////home/ann/A B.pdf" on Linux): the path is taken literally, with
// any slashes after "file:" read as the one that starts it. Other texts are parsed as URLs.
QUrl dzUrlFromText(const QString& text);

// Opens the URL with the desktop's application for it. When none can be started, a box tells
// the user so and, for a file, where it is.
void dzOpenUrl(const QUrl& url, QWidget* parent);
