#pragma once

// The few calls whose spelling differs between Qt 4.8 and Qt 5. Everything else in the plug-in
// and this library is written in the API the two have in common, so this is the one file to
// touch when building against the other.
#include <QByteArray>
#include <QFontMetrics>
#include <QMetaMethod>
#include <QString>
#include <QtGlobal>

namespace tav::compat {

// The method's normalised signature, "name(type,type)".
inline QByteArray MethodSignature(const QMetaMethod& method)
{
#if QT_VERSION >= QT_VERSION_CHECK(5, 0, 0)
    return method.methodSignature();
#else
    return QByteArray(method.signature());
#endif
}

// How far the text advances in the font, in pixels.
inline int TextAdvance(const QFontMetrics& metrics, const QString& text)
{
#if QT_VERSION >= QT_VERSION_CHECK(5, 11, 0)
    return metrics.horizontalAdvance(text);
#else
    return metrics.width(text);
#endif
}

} // namespace tav::compat
