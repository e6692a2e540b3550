#pragma once

#include <QString>
#include <QStringList>

class DzApp;

// What the fuzz targets share. Each target is one libFuzzer program; these are made once per
// process, in LLVMFuzzerInitialize, never per input.
namespace fuzz {

// A QApplication on the offscreen platform.
void startQt(int* argc, char*** argv);

// A host application on a temporary home folder, with the bundled content library (the
// normal build's build/content, which scripts/fuzz generates first).
DzApp* hostApp();
QString contentDir();

// Stops the run with a report when a harness finds a broken promise (a crash finds itself).
[[noreturn]] void fail(const char* what, const QString& detail);

// Text of an input, decoded as UTF-8 or, when `utf16`, as raw UTF-16 code units (so lone
// surrogates and any control character can occur).
QString textOf(const std::string& bytes, bool utf16);

} // namespace fuzz
