#pragma once

// Result codes of the host's file tools (importers, exporters, asset filters). 0 is success;
// the managers' getErrorMessage gives the text of a code.
typedef int DzError;

enum DzFileIOErrorCode {
    DZ_NO_ERROR = 0,
    DZ_OPEN_FILE_ERROR = 1,       // the file is missing or cannot be read
    DZ_WRITE_FILE_ERROR = 2,      // the file cannot be created or written
    DZ_NOTHING_TO_EXPORT = 3,     // the options select no node with geometry
    DZ_ILLEGAL_FILE_FORMAT = 4,   // the file's contents are malformed
    DZ_INVALID_ARGUMENT = 5,      // missing settings or an unusable option value
    DZ_FILE_LINK_ERROR = 6,       // the path is, or passes through, a symbolic link: never written through
    DZ_USER_CANCELLED = 100
};
