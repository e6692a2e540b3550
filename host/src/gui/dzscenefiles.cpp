#include "dzscenefiles.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "dzapp.h"
#include "dzcontentmgr.h"
#include "dzrecentfiles.h"
#include "dzscene.h"

namespace dzscenefiles {
namespace {

bool inWindow()
{
    return dzApp && !dzApp->options().headless;
}

// The lines the content manager logs while it loads a file: why a load failed.
class ContentLogLines {
public:
    ContentLogLines()
    {
        if (dzApp)
            _connection = QObject::connect(dzApp, &DzApp::logged, [this](const QString& line) {
                static const QString prefix = QStringLiteral("Content: ");
                const int at = line.indexOf(prefix);
                if (at >= 0)
                    _lines << line.mid(at + prefix.size());
            });
    }
    ~ContentLogLines() { QObject::disconnect(_connection); }
    ContentLogLines(const ContentLogLines&) = delete;
    ContentLogLines& operator=(const ContentLogLines&) = delete;

    QString text() const { return _lines.join(QLatin1Char('\n')); }

private:
    QMetaObject::Connection _connection;
    QStringList _lines;
};

void showProblem(QWidget* parent, const QString& title, const QString& text)
{
    if (inWindow())
        QMessageBox::warning(parent, title, text.left(1).toUpper() + text.mid(1));
}

bool load(QWidget* parent, const QString& path, bool merge)
{
    DzContentMgr* content = dzApp ? dzApp->getContentMgr() : nullptr;
    if (!content)
        return false;
    const ContentLogLines lines;
    if (!content->openFile(path, merge)) {
        showProblem(parent, merge ? QObject::tr("Merge") : QObject::tr("Open Scene"),
                    QObject::tr("Could not load \"%1\".\n\n%2").arg(QFileInfo(path).fileName(), lines.text()));
        return false;
    }
    if (!merge)
        dzrecentfiles::add(path);
    return true;
}

bool replaceConfirmed(QWidget* parent, const QString& path)
{
    if (!inWindow() || !dzScene || dzScene->getNumNodes() == 0)
        return true;
    QMessageBox box(QMessageBox::Question, QObject::tr("Open Scene"),
                    QObject::tr("Open \"%1\" in place of the current scene? What is not saved is lost.")
                        .arg(QFileInfo(path).fileName()),
                    QMessageBox::Cancel, parent);
    QPushButton* open = box.addButton(QObject::tr("Open"), QMessageBox::AcceptRole);
    box.setDefaultButton(open);
    box.exec();
    return box.clickedButton() == open;
}

} // namespace

bool openScene(QWidget* parent, const QString& path)
{
    return replaceConfirmed(parent, path) && load(parent, path, false);
}

bool mergeFile(QWidget* parent, const QString& path)
{
    return load(parent, path, true);
}

bool saveSceneAs(QWidget* parent, const QString& path)
{
    if (!dzScene)
        return false;
    const bool saved = dzScene->saveScene(path) == DZ_NO_ERROR;
    if (saved)
        dzrecentfiles::add(path);
    const QString message = dzScene->getSaveMessage();
    if (!message.isEmpty())
        showProblem(parent, QObject::tr("Save Scene As"), message);
    return saved;
}

} // namespace dzscenefiles
