#pragma once

#include <QString>
#include <QStringList>
#include <algorithm>
#include <memory>
#include <sys/resource.h>
#include <vector>

#include "dzapp.h"

// What the whole-job benchmarks share: their host session and what they report besides their
// own times.

// Run before the QApplication is made: the benchmarks draw nowhere unless told.
inline void preferOffscreen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// A started window session on the real-scale content with its home in the folder; the progress
// goes to the window's bar, not to standard error.
inline std::unique_ptr<DzApp> startRealScaleHost(const QString& homeDir)
{
    DzAppOptions appOptions;
    appOptions.homeDir = homeDir;
    appOptions.contentDirs = QStringList{QStringLiteral(KVR_CONTENT_FULL_DIR)};
    appOptions.headless = false;
    auto pApp = std::make_unique<DzApp>(appOptions);
    pApp->startup();
    return pApp;
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The process's peak resident memory so far.
inline long peakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}
