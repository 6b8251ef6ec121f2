#pragma once

#include <functional>
#include <memory>

class QPainter;

namespace zavevad {

struct StudentCard;

namespace cardpaint {
class Painter;
}

/// Paints students' cards on pages of upright A4 in layout units (tenths of a
/// point from the sheet's corner), with the fonts made once for every card it
/// paints.
class CardPainter
{
public:
    explicit CardPainter(QPainter &painter);
    ~CardPainter();
    CardPainter(const CardPainter &) = delete;
    CardPainter &operator=(const CardPainter &) = delete;

    /// Paints `card` from page `page` of `pages`; `nextPage` starts each
    /// further page of the card (false: the device failed). Returns the pages
    /// painted, 0 on a failure.
    int paint(const StudentCard &card, int page, int pages, const std::function<bool()> &nextPage);

private:
    std::unique_ptr<cardpaint::Painter> m_painter;
};

} // namespace zavevad
