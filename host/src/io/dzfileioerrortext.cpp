#include "io/dzfileioerrortext.h"

namespace {

struct LastFailure {
    DzError code = DZ_NO_ERROR;
    QString detail;
};

LastFailure& lastFailure()
{
    static LastFailure failure;
    return failure;
}

QString generalText(DzError code)
{
    switch (code) {
    case DZ_NO_ERROR: return QStringLiteral("No error");
    case DZ_OPEN_FILE_ERROR: return QStringLiteral("Could not open the file");
    case DZ_WRITE_FILE_ERROR: return QStringLiteral("Could not write the file");
    case DZ_NOTHING_TO_EXPORT: return QStringLiteral("There is nothing to export");
    case DZ_ILLEGAL_FILE_FORMAT: return QStringLiteral("The file is malformed");
    case DZ_INVALID_ARGUMENT: return QStringLiteral("Invalid options");
    case DZ_FILE_LINK_ERROR: return QStringLiteral("The path is a symbolic link, which is never written through");
    case DZ_USER_CANCELLED: return QStringLiteral("Cancelled by the user");
    default: break;
    }
    return QStringLiteral("Unknown error (%1)").arg(code);
}

} // namespace

DzError dzFileIOFail(DzError code, const QString& detail)
{
    lastFailure() = LastFailure{code, detail};
    return code;
}

QString dzFileIOErrorMessage(DzError code)
{
    const LastFailure& last = lastFailure();
    if (code != DZ_NO_ERROR && last.code == code && !last.detail.isEmpty())
        return last.detail;
    return generalText(code);
}
