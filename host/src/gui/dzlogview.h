#pragma once

#include <QStringList>
#include <QWidget>

class QCheckBox;
class QPlainTextEdit;

// The main window's Log pane: the session's log as plain text, one entry per line with its
// time of day. Traces and the labels of dialogs show only with "Show details".
class DzLogView : public QWidget {
    Q_OBJECT
public:
    explicit DzLogView(bool bShowDetails, QWidget* parent = nullptr);

    // Adds a log line as the application writes it ("<ISO timestamp> <text>").
    void appendLogLine(const QString& line);

    QPlainTextEdit* textView() const;
    QCheckBox* detailsCheckBox() const;

public slots:
    void setShowDetails(bool bShow);

private:
    void appendShown(const QString& line);
    void rebuild();

    QStringList _lines;
    QPlainTextEdit* _pText;
    QCheckBox* _pchkDetails;
};
