// The product's identity, read by the maker's library for titles, captions and log lines. The
// build passes the version in from the project's own.
#include "tv_identity.h"

namespace tav {

const char* const pcszPluginName = "Tavrenik's Kelvaro";
const char* const pcszLogPrefix = "TkKVR: ";
const uint16_t uVersionMajor = KVR_VERSION_MAJOR;
const uint16_t uVersionMinor = KVR_VERSION_MINOR;
const uint16_t uVersionPatch = KVR_VERSION_PATCH;
const int iReleaseYear = 2023;
const int iReleaseMonth = 6;
const int iReleaseDay = 22;

} // namespace tav
