#pragma once

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "dzapp.h"
#include "dzcontentmgr.h"
#include "dzfigure.h"
#include "dzscene.h"
#include "test_app.h"
#include "test_files.h"

namespace testcontent {

// What a modal dialog looked like when it opened.
struct SeenDialog {
    QString title, objectName, text;
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
        auto* box = qobject_cast<QMessageBox*>(modal);
        SeenDialog seen{modal->windowTitle(), modal->objectName(), box ? box->text() : QString(), {}};
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
        else if (box && box->buttons().size() == 1)
            box->buttons().first()->click();
        else
            modal->close();
    }

    QString _press;
    std::function<void()> _whileOpen;
    QTimer _timer;
    QPointer<QWidget> _last;  // a later dialog may take the address of one gone
    QList<SeenDialog> _seen;
};

inline QString contentDir() { return QStringLiteral(KVR_CONTENT_DIR); }

// A one-quad figure asset "<id>" with a hip bone, for a file "/data/<folder>/<name>.dsf".
inline QByteArray quadFigure(const QString& id)
{
    return QStringLiteral(R"({"asset_info": {"id": "/quad.dsf", "type": "figure"},
 "geometry_library": [{"id": "g", "type": "polygon_mesh",
  "vertices": {"count": 4, "values": [[0,0,0],[1,0,0],[1,1,0],[0,1,0]]},
  "polygon_groups": {"count": 1, "values": ["Body"]},
  "polylist": {"count": 1, "values": [[0,0,0,1,2,3]]}}],
 "node_library": [{"id": "%1", "label": "%1", "type": "figure", "geometry": "#g"},
  {"id": "hip", "type": "bone", "parent": "#%1"}]})")
        .arg(id)
        .toUtf8();
}

// A morph asset "<id>" for the figure at `figureUrl`, moving vertex 2 by dy.
inline QByteArray quadMorph(const QString& id, const QString& figureUrl, float dy)
{
    return QStringLiteral(R"({"asset_info": {"id": "/morph.dsf", "type": "modifier"},
 "modifier_library": [{"id": "%1", "parent": "%2", "channel": {"id": "value", "value": 0},
  "morph": {"vertex_count": 4, "deltas": {"count": 1, "values": [[2, 0, %3, 0]]}}}]})")
        .arg(id, figureUrl)
        .arg(double(dy))
        .toUtf8();
}

inline DzContentMgr* contentMgr() { return dzApp->getContentMgr(); }

// Opens a content file of the bundled library, merged into the scene.
inline bool openStock(const QString& relativePath)
{
    const QString path = contentMgr()->getAbsolutePath(relativePath);
    return !path.isEmpty() && contentMgr()->openFile(path, true);
}

// The labels of the scene's root nodes, in order.
inline QStringList rootLabels()
{
    QStringList labels;
    for (DzNode* node : dzScene->nodeList())
        if (node->isRootNode())
            labels << node->getLabel();
    return labels;
}

inline DzFigure* figureLabelled(const QString& label)
{
    return qobject_cast<DzFigure*>(dzScene->findNodeByLabel(label));
}

// The bundled Genesis 9, loaded and selected; null when it cannot be loaded.
inline DzFigure* loadGenesis9()
{
    if (!openStock("People/Genesis 9/Genesis 9.duf"))
        return nullptr;
    DzFigure* figure = figureLabelled("Genesis 9");
    dzScene->setPrimarySelection(figure);
    return figure;
}

} // namespace testcontent
