#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QString>

#include <map>
#include <utility>

class QPainter;

namespace zavevad::cardpaint {

/// No card text is set smaller than this, unless it cannot fit otherwise.
constexpr double kSmallestPoints = 4;

/// Sets the cards' texts on a painter: a font made once for each size and
/// weight in use, texts measured, fitted to their room and drawn at a
/// baseline. Sizes are in points, lengths in layout units.
class CardText
{
public:
    explicit CardText(QPainter &painter) : m_painter(painter) { }

    const QFontMetricsF &metrics(double points, bool bold) { return entry(points, bold).metrics; }
    double textWidth(const QString &text, double points, bool bold);
    /// The largest size up to `points`, in half points, at which `text` fits `room`.
    double fitted(const QString &text, double points, bool bold, double room);
    /// Draws `text` with its baseline at `baseline`; `align` places it
    /// against `x` (left), around it (centre) or ending at it (right).
    void text(const QString &text, double x, double baseline, double points, bool bold,
            const QColor &colour, Qt::Alignment align = Qt::AlignLeft);

protected:
    QPainter &m_painter;

private:
    struct FontEntry
    {
        QFont font;
        QFontMetricsF metrics;
    };

    const FontEntry &entry(double points, bool bold);

    std::map<std::pair<int, bool>, FontEntry> m_fonts;
};

} // namespace zavevad::cardpaint
