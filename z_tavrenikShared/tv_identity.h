#pragma once

#include <cstdint>

// The product's identity. The product defines these; the library only reads them.
namespace tav {

extern const char* const pcszPluginName;  // display name, "%PLUGINNAME%"
extern const char* const pcszLogPrefix;   // start of every log line
extern const uint16_t uVersionMajor;
extern const uint16_t uVersionMinor;
extern const uint16_t uVersionPatch;
extern const int iReleaseYear;
extern const int iReleaseMonth;
extern const int iReleaseDay;

} // namespace tav
