#include "io/objaxes.h"

#include "dzsettings.h"

namespace {

int axisIndex(const QString& name)
{
    const QString n = name.trimmed().toUpper();
    if (n == QLatin1String("X"))
        return 0;
    if (n == QLatin1String("Y"))
        return 1;
    if (n == QLatin1String("Z"))
        return 2;
    return -1;
}

const char* const axisKeys[3] = {"LatAxis", "VertAxis", "DepthAxis"};
const char* const invertKeys[3] = {"InvertLat", "InvertVert", "InvertDepth"};
const char* const defaults[3] = {"X", "Y", "Z"};

} // namespace

void ObjAxes::writeDefaults(DzSettings& options, const char* invertKeySuffix)
{
    options.setStringValue(QStringLiteral("Preset"), QStringLiteral("Custom"));
    for (int i = 0; i < 3; ++i) {
        options.setStringValue(QLatin1String(axisKeys[i]), QLatin1String(defaults[i]));
        options.setBoolValue(QLatin1String(invertKeys[i]) + QLatin1String(invertKeySuffix), false);
    }
    options.setFloatValue(QStringLiteral("Scale"), 1.0);
}

bool ObjAxes::read(const DzSettings& options, const char* invertKeySuffix)
{
    bool used[3] = {false, false, false};
    for (int i = 0; i < 3; ++i) {
        const int axis = axisIndex(options.getStringValue(QLatin1String(axisKeys[i]),
                                                          QLatin1String(defaults[i])));
        if (axis < 0 || used[axis])
            return false;
        used[axis] = true;
        sceneAxis[size_t(i)] = axis;
        const QString invertKey = QLatin1String(invertKeys[i]) + QLatin1String(invertKeySuffix);
        sign[size_t(i)] = options.getBoolValue(invertKey, false) ? -1.0 : 1.0;
    }
    scale = options.getFloatValue(QStringLiteral("Scale"), 1.0);
    return scale > 0.0;
}

std::array<double, 3> ObjAxes::sceneToFile(const std::array<double, 3>& scene) const
{
    std::array<double, 3> file{};
    for (size_t i = 0; i < 3; ++i)
        file[i] = sign[i] * scene[size_t(sceneAxis[i])] * scale;
    return file;
}

std::array<double, 3> ObjAxes::fileToScene(const std::array<double, 3>& file) const
{
    std::array<double, 3> scene{};
    for (size_t i = 0; i < 3; ++i)
        scene[size_t(sceneAxis[i])] = sign[i] * file[i] * scale;
    return scene;
}
