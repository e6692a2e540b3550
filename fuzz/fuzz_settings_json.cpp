// The tool options store read from its JSON text (DzSettings::fromString): any text is
// refused or read, what is read reads back the same after writing it out, and a refused text
// leaves the settings as they were.
#include <QString>
#include <cstdint>

#include "dzsettings.h"
#include "fuzz_support.h"

namespace {

// Every value read as every type, nested objects included: no conversion may fail hard.
void readEverything(const DzSettings& settings)
{
    for (const QString& key : settings.getKeys()) {
        settings.getStringValue(key);
        settings.getIntValue(key);
        settings.getFloatValue(key);
        settings.getBoolValue(key);
        if (const DzSettings* nested = settings.getSettingsValue(key))
            readEverything(*nested);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::startQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
    DzSettings settings;
    settings.setStringValue(QStringLiteral("Kept"), QStringLiteral("as before"));
    const QString before = settings.toJsonString();
    if (!settings.fromString(text)) {
        if (settings.toJsonString() != before)
            fuzz::fail("settings", QStringLiteral("a refused text changed the settings"));
        return 0;
    }
    readEverything(settings);
    const QString written = settings.toJsonString();
    DzSettings again;
    if (!again.fromString(written))
        fuzz::fail("settings", QStringLiteral("its own text is refused: %1").arg(written));
    if (again.toJsonString() != written)
        fuzz::fail("settings", QStringLiteral("%1 reads back as %2").arg(written, again.toJsonString()));
    return 0;
}
