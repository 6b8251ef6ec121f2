#pragma once

#include <QStringView>

#include <optional>

namespace zavevad {

/// The text as a decimal integer: an optional sign and at least one ASCII
/// digit (leading zeros allowed), nothing else (no spaces, no separators),
/// within the 32-bit range. The one number parser of the number boxes and of
/// the thresholds file, which skips leading blanks before calling it.
std::optional<int> parseDecimalInt(QStringView text);

} // namespace zavevad
