// The product's identity, read by the maker's library for titles, captions and log lines.
#include "tv_identity.h"

namespace tav {

const char* const pcszPluginName = "Tavrenik's Kelvaro";
const char* const pcszLogPrefix = "TkKVR: ";
const uint16_t uVersionMajor = 1;
const uint16_t uVersionMinor = 0;
const uint16_t uVersionPatch = 5;
const int iReleaseYear = 2023;
const int iReleaseMonth = 6;
const int iReleaseDay = 22;

} // namespace tav
