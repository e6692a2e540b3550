#pragma once

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "dzapp.h"
#include "dzcontentmgr.h"
#include "dzfigure.h"
#include "dzscene.h"
#include "test_app.h"

namespace testcontent {

// What a modal dialog looked like when it opened.
struct SeenDialog {
    QString title, objectName;
    QStringList buttons;
};

// Answers every modal dialog that opens while it lives: records it, runs `whileOpen` (what a
// person might do meanwhile), then presses the button with text `press` or, when there is
// none, closes it.
class DialogAnswerer {
public:
    explicit DialogAnswerer(QString press = QString(), std::function<void()> whileOpen = {})
        : _press(std::move(press)), _whileOpen(std::move(whileOpen))
    {
        QObject::connect(&_timer, &QTimer::timeout, [this] { poll(); });
        _timer.start(20);
    }
    const QList<SeenDialog>& seen() const { return _seen; }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == _last)
            return;
        _last = modal;
        SeenDialog seen{modal->windowTitle(), modal->objectName(), {}};
        QPushButton* chosen = nullptr;
        for (QPushButton* b : modal->findChildren<QPushButton*>()) {
            seen.buttons.append(b->text().remove(QLatin1Char('&')));
            if (!_press.isEmpty() && seen.buttons.last() == _press)
                chosen = b;
        }
        _seen.append(seen);
        if (_whileOpen)
            _whileOpen();
        if (chosen)
            chosen->click();
        else if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->buttons().size() == 1)
            box->buttons().first()->click();
        else
            modal->close();
    }

    QString _press;
    std::function<void()> _whileOpen;
    QTimer _timer;
    QWidget* _last = nullptr;
    QList<SeenDialog> _seen;
};

inline QString contentDir() { return QStringLiteral(KVR_CONTENT_DIR); }

inline DzContentMgr* contentMgr() { return dzApp->getContentMgr(); }

// Opens a content file of the bundled library, merged into the scene.
inline bool openStock(const QString& relativePath)
{
    const QString path = contentMgr()->getAbsolutePath(relativePath);
    return !path.isEmpty() && contentMgr()->openFile(path, true);
}

inline DzFigure* figureLabelled(const QString& label)
{
    return qobject_cast<DzFigure*>(dzScene->findNodeByLabel(label));
}

} // namespace testcontent
