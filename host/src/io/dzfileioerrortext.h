#pragma once

#include <QString>

#include "dzfileioerror.h"

// Records the detailed text of a file tool's failure and returns the code, so the managers'
// getErrorMessage can name the file and line of the most recent failure with that code.
DzError dzFileIOFail(DzError code, const QString& detail);

// The detailed text of the most recent failure with that code, else the code's general text.
QString dzFileIOErrorMessage(DzError code);
