#pragma once

#include <QMetaMethod>
#include <QMetaObject>
#include <array>
#include <atomic>
#include <cstddef>
#include <mutex>

#include "tv_assert.h"

class QObject;

namespace tav::daz {

// Creates a host scripting object through the class factory registered under that name.
// Throws tav::Exception when there is no factory or it creates nothing.
QObject* CreateObject(const char* pcszClassName);

// The method with that signature (normalised first); throws tav::Exception when the
// meta-object has none.
QMetaMethod ResolveMethod(const QMetaObject* pMetaObject, const char* pcszSignature);

// Invokes the method directly on the object; throws tav::Exception "failed to invoke
// QObject::<signature>" when Qt refuses the call.
void InvokeMethod(QObject* pObject, const QMetaMethod& method, QGenericReturnArgument ret,
                  QGenericArgument a0 = QGenericArgument(), QGenericArgument a1 = QGenericArgument(),
                  QGenericArgument a2 = QGenericArgument(), QGenericArgument a3 = QGenericArgument());

// The normalised signature of a method.
QByteArray MethodSignatureOf(const QMetaMethod& method);

// The methods of a host tool's class, each resolved by its signature once per process from the
// meta-object of the first object (a missing one throws then). Calls find their method by
// signature, so the list may grow or be reordered freely.
template <size_t N>
class MethodTable {
public:
    explicit MethodTable(const std::array<const char*, N>& aSignatures) : _aSignatures(aSignatures) {}

    void Resolve(const QObject* pObject)
    {
        std::call_once(_once, [&] {
            const QMetaObject* pMeta = pObject->metaObject();
            for (size_t i = 0; i < N; ++i)
                _aMethods[i] = ResolveMethod(pMeta, _aSignatures[i]);
            ++_cResolutions;
        });
    }

    // The method of a listed signature; asking for one that is not listed is a mistake of the
    // caller.
    const QMetaMethod& Method(const char* pcszSignature) const
    {
        const QByteArray normalized = QMetaObject::normalizedSignature(pcszSignature);
        for (size_t i = 0; i < N; ++i)
            if (MethodSignatureOf(_aMethods[i]) == normalized)
                return _aMethods[i];
        TV_ASSERT_AT(false, pcszSignature, "tv_daz-helpers-objects", __LINE__);
        return _aMethods[0];
    }

    // How many times the table has been resolved in this process (once at most).
    int Resolutions() const { return _cResolutions.load(); }

private:
    const std::array<const char*, N>& _aSignatures;
    std::once_flag _once;
    std::array<QMetaMethod, N> _aMethods;
    std::atomic<int> _cResolutions{0};
};

} // namespace tav::daz
