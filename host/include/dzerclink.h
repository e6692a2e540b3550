#pragma once

#include "dzbase.h"

// A link that drives one property from another (Extended Remote Control).
class DzERCLink : public DzBase {
    Q_OBJECT
public:
    enum ERCType { ERCDeltaAdd = 0, ERCDivideInto, ERCDivideBy, ERCMultiply, ERCSubtract, ERCAdd,
                   ERCKeyed };
    Q_ENUM(ERCType)

    explicit DzERCLink(QObject* parent = nullptr);
    ~DzERCLink() override;
};
