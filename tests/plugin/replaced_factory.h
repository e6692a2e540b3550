#pragma once

#include <QObject>
#include <functional>

#include "dzapp.h"
#include "dzclassfactory.h"

// While alive, the host's factory of a class gives way to one whose objects `make` creates from
// the host's own (null when there is none); it counts those still alive.
class ReplacedFactory : public DzClassFactory {
public:
    using Make = std::function<QObject*(DzClassFactory* pHostFactory)>;

    ReplacedFactory(const QMetaObject& metaObject, Make make)
        : DzClassFactory(&metaObject, DzGuid()), _make(std::move(make)),
          _pHostFactory(dzApp->findClassFactory(metaObject.className()))
    {
        if (_pHostFactory)
            dzApp->unregisterClassFactory(_pHostFactory);
        dzApp->registerClassFactory(this);
    }
    ~ReplacedFactory() override
    {
        dzApp->unregisterClassFactory(this);
        if (_pHostFactory)
            dzApp->registerClassFactory(_pHostFactory);
    }

    QObject* createInstance() override
    {
        QObject* pObject = _make(_pHostFactory);
        if (pObject) {
            ++cLive;
            QObject::connect(pObject, &QObject::destroyed, [this] { --cLive; });
        }
        return pObject;
    }

    int cLive = 0;

private:
    Make _make;
    DzClassFactory* _pHostFactory;
};

// A factory making T, in place of the host's.
template <class T>
ReplacedFactory::Make makes()
{
    return [](DzClassFactory*) -> QObject* { return new T; };
}
