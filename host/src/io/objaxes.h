#pragma once

#include <array>

class DzSettings;

// How file coordinates relate to scene coordinates: the file's lateral, vertical and depth
// components are the scene axes named by LatAxis / VertAxis / DepthAxis ("X", "Y", "Z"),
// each optionally negated, times Scale. Exporting maps scene to file, importing file to scene.
struct ObjAxes {
    std::array<int, 3> sceneAxis{0, 1, 2};  // scene axis of each file component
    std::array<double, 3> sign{1.0, 1.0, 1.0};
    double scale = 1.0;

    // Reads the options; the inversion keys differ by tool ("InvertLatAxis" for the
    // exporter, "InvertLat" for the importer). False when the axes are not a permutation
    // of X, Y, Z or the scale is not positive.
    bool read(const DzSettings& options, const char* invertKeySuffix);

    // Writes the defaults both tools share: the "Custom" preset, X/Y/Z axes, none inverted,
    // scale 1.
    static void writeDefaults(DzSettings& options, const char* invertKeySuffix);

    std::array<double, 3> sceneToFile(const std::array<double, 3>& scene) const;
    std::array<double, 3> fileToScene(const std::array<double, 3>& file) const;
};
