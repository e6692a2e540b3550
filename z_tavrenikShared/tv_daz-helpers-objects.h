#pragma once

#include <QMetaMethod>

class QMetaObject;
class QObject;

namespace tav::daz {

// Creates a host scripting object through the class factory registered under that name.
// Throws tav::Exception when there is no factory or it creates nothing.
QObject* CreateObject(const char* pcszClassName);

// The method with that signature (normalised first); throws tav::Exception when the
// meta-object has none.
QMetaMethod ResolveMethod(const QMetaObject* pMetaObject, const char* pcszSignature);

} // namespace tav::daz
