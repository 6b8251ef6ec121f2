#include "platform/decimalint.h"

#include <QLocale>

namespace zavevad {

std::optional<int> parseDecimalInt(QStringView text)
{
    // The shape is checked here, since Qt's conversion also takes spaces and
    // other scripts' digits; Qt does the value and the range.
    const QStringView digits =
            text.startsWith(u'+') || text.startsWith(u'-') ? text.sliced(1) : text;
    if (digits.isEmpty())
        return std::nullopt;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const int value = QLocale::c().toInt(text, &ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace zavevad
