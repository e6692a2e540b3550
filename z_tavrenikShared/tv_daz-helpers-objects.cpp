#include "tv_daz-helpers-objects.h"

#include <QObject>

#include "dzapp.h"
#include "dzclassfactory.h"
#include "tv_exception.h"
#include "tv_qt-compat.h"

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

void InvokeMethod(QObject* pObject, const QMetaMethod& method, QGenericReturnArgument ret, QGenericArgument a0,
                  QGenericArgument a1, QGenericArgument a2, QGenericArgument a3)
{
    if (!method.invoke(pObject, Qt::DirectConnection, ret, a0, a1, a2, a3))
        throw Exception("failed to invoke {}::{}", "QObject", MethodSignatureOf(method).constData());
}

QByteArray MethodSignatureOf(const QMetaMethod& method)
{
    return compat::MethodSignature(method);
}

} // namespace tav::daz
