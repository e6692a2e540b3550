#include "kvr_types.h"

const std::string& KvrMorphTexts::of(KvrMorphKind eKind) const
{
    switch (eKind) {
    case KvrMorphKind::FullFigure:
        return full;
    case KvrMorphKind::Head:
        return head;
    case KvrMorphKind::Body:
        break;
    }
    return body;
}

std::string& KvrMorphTexts::of(KvrMorphKind eKind)
{
    return const_cast<std::string&>(static_cast<const KvrMorphTexts&>(*this).of(eKind));
}

const char* MorphKindKey(KvrMorphKind eKind)
{
    for (const KvrMorphKindInfo& kind : aMorphKinds) {
        if (kind.eKind == eKind)
            return kind.pcszKey;
    }
    return "";
}
