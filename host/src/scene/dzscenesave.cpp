#include "dzscene.h"

#include <QFileInfo>

#include "content/dsonscenewriter.h"
#include "dzapp.h"

DzError DzScene::saveScene(const QString& filename)
{
    DzError code = DZ_NO_ERROR;
    if (filename.isEmpty()) {
        code = DZ_INVALID_ARGUMENT;
        _saveMessage = QStringLiteral("cannot save the scene: no file name was given");
    } else {
        const dson::SceneFile file = dson::sceneFileOf(*this, QFileInfo(filename).fileName());
        const QString fault = dson::writeFileWhole(filename, file.json);
        if (!fault.isEmpty()) {
            code = DZ_WRITE_FILE_ERROR;
            _saveMessage = QStringLiteral("cannot save the scene to \"%1\": %2").arg(filename, fault);
        } else if (!file.leftOut.isEmpty()) {
            _saveMessage = QStringLiteral("saved the scene to \"%1\", leaving out what it cannot refer to: %2")
                               .arg(filename, file.leftOut.join(QStringLiteral(", ")));
        } else {
            _saveMessage.clear();
        }
    }
    if (dzApp && !_saveMessage.isEmpty())
        dzApp->log(QStringLiteral("Scene: ") + _saveMessage);
    return code;
}

QString DzScene::getSaveMessage() const { return _saveMessage; }
