#include "tv_daz-helpers-objects.h"

#include <QMetaObject>

#include "dzapp.h"
#include "dzclassfactory.h"
#include "tv_exception.h"

namespace tav::daz {

QObject* CreateObject(const char* pcszClassName)
{
    DzClassFactory* pFactory = dzApp ? dzApp->findClassFactory(pcszClassName) : nullptr;
    if (!pFactory)
        throw Exception("cannot find {} factory", pcszClassName);
    QObject* pObject = pFactory->createInstance();
    if (!pObject)
        throw Exception("{} factory failed to create object", pcszClassName);
    return pObject;
}

QMetaMethod ResolveMethod(const QMetaObject* pMetaObject, const char* pcszSignature)
{
    const QByteArray normalized = QMetaObject::normalizedSignature(pcszSignature);
    const int iMethod = pMetaObject->indexOfMethod(normalized.constData());
    if (iMethod < 0)
        throw Exception("failed to resolve method {}::{}", pMetaObject->className(), pcszSignature);
    return pMetaObject->method(iMethod);
}

} // namespace tav::daz
