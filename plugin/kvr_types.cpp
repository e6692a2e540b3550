#include "kvr_types.h"

bool SourceGenerationOf(tav::daz::FigureKind eKind, KvrSourceGeneration* peGeneration)
{
    using tav::daz::FigureKind;
    KvrSourceGeneration eGeneration;
    switch (eKind) {
    case FigureKind::Genesis3Female:
        eGeneration = KvrSourceGeneration::Genesis3Female;
        break;
    case FigureKind::Genesis8Female:
    case FigureKind::Genesis81Female:
        eGeneration = KvrSourceGeneration::Genesis8Female;
        break;
    case FigureKind::Genesis3Male:
        eGeneration = KvrSourceGeneration::Genesis3Male;
        break;
    case FigureKind::Genesis8Male:
    case FigureKind::Genesis81Male:
        eGeneration = KvrSourceGeneration::Genesis8Male;
        break;
    default:
        return false;
    }
    if (peGeneration)
        *peGeneration = eGeneration;
    return true;
}

const char* CloneProperty(KvrSourceGeneration eGeneration)
{
    switch (eGeneration) {
    case KvrSourceGeneration::Genesis3Female:
        return "CloneGenesis3Female";
    case KvrSourceGeneration::Genesis3Male:
        return "CloneGenesis3Male";
    case KvrSourceGeneration::Genesis8Female:
        return "CloneGenesis8Female";
    case KvrSourceGeneration::Genesis8Male:
        return "CloneGenesis8Male";
    }
    return "";
}

KvrStockFigure StockFigureOf(KvrSourceGeneration eGeneration)
{
    return KvrStockFigure(int(eGeneration) + 1);
}

const char* MorphKindText(KvrJobFlag eFlag)
{
    switch (eFlag) {
    case KvrJobFlag::FullFigureMorph:
        return "full";
    case KvrJobFlag::HeadMorph:
        return "head";
    case KvrJobFlag::BodyMorph:
        return "body";
    }
    return "";
}
