#include "morph_library.h"

namespace cg {

const char* const kLibraryVendor = "Stand-in Content";
const char* const kLibraryProduct = "Regional Shapes";

std::vector<const RegionalMorph*> regionalMorphs()
{
    std::vector<const RegionalMorph*> out;
    for (const RegionalMorph& m : headMorphs())
        out.push_back(&m);
    for (const RegionalMorph& m : bodyMorphs())
        out.push_back(&m);
    return out;
}

} // namespace cg
