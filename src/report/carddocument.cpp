#include "report/carddocument.h"

#include "report/cardpainter.h"
#include "report/paper.h"

#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>

#include <algorithm>

namespace zavevad {

CardDocument::CardDocument(const AnalysisState &analysis) : m_cards(analysis)
{
    // Every card is laid out alike: the first one, painted where nothing is
    // kept, tells how many pages each takes.
    if (m_cards.count() == 0)
        return;
    QPicture scratch;
    QPainter painter(&scratch);
    m_pagesPerCard =
            std::max(CardPainter(painter).paint(m_cards.card(0), 1, 1, [] { return true; }), 1);
}

bool CardDocument::paint(QPagedPaintDevice &device) const
{
    const int count = m_cards.count();
    if (count == 0)
        return false;
    device.setPageLayout(a4Layout(device.pageLayout(), QPageLayout::Portrait));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    const int pages = pageCount();
    const auto nextPage = [&] {
        if (!device.newPage())
            return false;
        placeOnSheet(painter, device, QPageLayout::Portrait);
        return true;
    };
    CardPainter cards(painter);
    int page = 1;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !device.newPage())
            return false;
        placeOnSheet(painter, device, QPageLayout::Portrait);
        const int painted = cards.paint(m_cards.card(i), page, pages, nextPage);
        if (painted == 0)
            return false;
        page += painted;
    }
    return painter.end();
}

bool CardDocument::writePdf(QIODevice &device, const QString &title) const
{
    QPdfWriter writer(&device);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Kalmo - Zavevad"));
    writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    return paint(writer);
}

QByteArray CardDocument::toPdf(const QString &title) const
{
    return pdfDocument(title, QPageLayout::Portrait,
            [this](QPagedPaintDevice &device) { return paint(device); });
}

} // namespace zavevad
