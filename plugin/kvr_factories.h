#pragma once

#include "dzclassfactory.h"
#include "kvr_actions.h"

// Creates an action of class T for the host and publishes the class to scripts: the pointer
// type "T*", its conversions to and from script values, and `new T()`.
template <class T>
class KvrActionFactory : public DzTClassFactory<T> {
public:
    explicit KvrActionFactory(const DzGuid& guid);
    ~KvrActionFactory() override;

    void registerClass(QScriptEngine* pEngine) override;
};

using KvrConvertFigureActionFactory = KvrActionFactory<KvrConvertFigureAction>;
using KvrConvertMorphsActionFactory = KvrActionFactory<KvrConvertMorphsAction>;
using KvrOpenManualActionFactory = KvrActionFactory<KvrOpenManualAction>;

extern template class KvrActionFactory<KvrConvertFigureAction>;
extern template class KvrActionFactory<KvrConvertMorphsAction>;
extern template class KvrActionFactory<KvrOpenManualAction>;
