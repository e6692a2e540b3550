#pragma once

#include <string>
#include <string_view>

class DzNode;
class KvrConverter;

// The OBJ tools and Morph Loader Pro work in the scene's own units: no scaling either way.
constexpr float fObjUnitScale = 1.0f;

// A fresh random identifier of 8 letters and digits, as the job's temporary names carry.
std::string makeTempId();

// A temporary name: the prefix with a fresh identifier in place of "{}" ("tempg9-{}" gives
// "tempg9-x7Kq2ZpA").
std::string makeTempName(std::string_view prefix);

// Writes the selected root nodes as "<job's temporary directory>/<name>.obj" with the job's
// exporter options and returns the file's path.
std::string exportTempObj(const KvrConverter& job, std::string_view name);

// Imports the file with the job's importer options and returns the node the import added, the
// one labelled with the file's base name. Throws when there is none.
DzNode* importTempObj(std::string_view path);

// Deletes the node as a user would: selected alone, then the host's delete action.
void deleteTempNode(DzNode* pNode);
