#pragma once

#include <QString>
#include <benchmark/benchmark.h>

class DzFloatProperty;
class DzNode;

// The host session every benchmark runs in: one offscreen application on a temporary home with
// the real-scale content library. main() creates it before the benchmarks run.
namespace bench {

extern const char* const kGenesis9File;
extern const char* const kGenesis81FemaleFile;

// Empties the scene and deletes its nodes now, so their memory is not counted against the next
// load.
void clearScene();
// Clears the scene and loads a file of the content library; null (and the benchmark skipped
// with the reason) when the file is missing or does not give a node with that label.
DzNode* loadFresh(benchmark::State& state, const QString& relativePath, const QString& label);
// Base resolution for level 0, otherwise high resolution at that subdivision level.
void setResolution(DzNode* node, int level);
// The value dial of a morph on the node's object, null when it has none.
DzFloatProperty* morphDial(const DzNode* node, const QString& morphName);
// A folder for files the benchmarks write, removed at exit.
QString scratchPath(const QString& fileName);

} // namespace bench
