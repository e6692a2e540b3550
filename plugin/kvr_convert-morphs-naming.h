#pragma once

#include <string>
#include <vector>

#include "kvr_morph-batch.h"

class DzFigure;

// How a batch names what each source morph becomes, and why a set of names cannot be made.
// The Convert morphs dialog and the scripts' batch call share these rules.

// What each new morph is called and where its dial sits, before the user changes them.
inline constexpr const char* pcszDefaultMorphNamePattern = "{label} ({source})";
inline constexpr const char* pcszDefaultMorphPathPattern = "/Kelvaro/Converted/{source}";

// A head and a body morph take the pattern's name followed by these.
inline constexpr const char* pcszHeadMorphSuffix = " Head";
inline constexpr const char* pcszBodyMorphSuffix = " Body";

// FullFigureMorph, or HeadMorph and BodyMorph.
KvrJobFlags MorphBatchFlags(bool bHeadAndBody);

// One order per chosen morph, in the given order: the name and path patterns expanded for it
// (see ExpandMorphPattern), a head and a body name with the same path when bHeadAndBody.
std::vector<KvrMorphOrder> NameMorphOrders(const std::vector<KvrSourceMorph>& chosen, const std::string& namePattern,
                                           const std::string& pathPattern, bool bHeadAndBody,
                                           const std::string& shortName);

// Why the orders cannot be made on the target, naming the morph at fault: a pattern that gives
// an empty name, a name the target already has, two orders giving one name. Empty when they can.
std::string MorphOrdersProblem(const std::vector<KvrMorphOrder>& orders, bool bHeadAndBody, DzFigure* pfigTarget);
