#pragma once

#include "dzclassfactory.h"
#include "kvr_actions.h"

// Creates the convert action for the host and publishes it to scripts.
class KvrConvertFigureActionFactory : public DzTClassFactory<KvrConvertFigureAction> {
public:
    explicit KvrConvertFigureActionFactory(const DzGuid& guid);
    ~KvrConvertFigureActionFactory() override;

    void registerClass(QScriptEngine* pEngine) override;
};

// Creates the open-manual action for the host and publishes it to scripts.
class KvrOpenManualActionFactory : public DzTClassFactory<KvrOpenManualAction> {
public:
    explicit KvrOpenManualActionFactory(const DzGuid& guid);
    ~KvrOpenManualActionFactory() override;

    void registerClass(QScriptEngine* pEngine) override;
};
