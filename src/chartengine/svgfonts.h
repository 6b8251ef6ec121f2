#pragma once

#include <QByteArray>
#include <QString>

namespace zavevad::chart {

/// The CSS generic family that stands in for `family` where it is missing:
/// "monospace", "serif" or, for anything else, "sans-serif".
QString genericFontFamily(const QString &family);

/// An SVG document whose every `font-family` attribute names, after its own
/// family, the generic family that stands in for it ("Arial" becomes
/// "Arial, sans-serif"), so that programs without the font still paste text
/// in a face of the same kind. Attributes that already end in a generic
/// family are left as they are.
QByteArray withGenericFontFamilies(const QByteArray &svg);

} // namespace zavevad::chart
