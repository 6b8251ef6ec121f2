#pragma once

#include "report/studentcards.h"

#include <QByteArray>
#include <QString>

class QPagedPaintDevice;
class QPainter;

namespace zavevad {

/// The students' result cards on paper: one upright A4 page per student, in
/// the results table's order, "Strona N z M" in every footer. It paints on
/// any paged device, so that the PDF file, the print preview and the printer
/// get the same pages. Every text is set in full: one that is too long for
/// its place gets a smaller font, never an ellipsis.
class CardDocument
{
public:
    /// Keeps a reference to `analysis`, which must outlive this object.
    explicit CardDocument(const AnalysisState &analysis);

    int pageCount() const { return m_cards.count(); }
    const StudentCards &cards() const { return m_cards; }

    /// Paints every card on `device`, which is set to A4; a sheet that lies
    /// the other way gets the card turned on it. Returns false when the
    /// device could not be painted on (or there is no card).
    bool paint(QPagedPaintDevice &device) const;

    /// The cards as a PDF file, fonts embedded.
    QByteArray toPdf(const QString &title) const;

private:
    StudentCards m_cards;
};

/// Paints one card on a page of upright A4 in layout units (tenths of a
/// point from the sheet's corner), as page `page` of `pages`.
void paintStudentCard(QPainter &painter, const StudentCard &card, int page, int pages);

} // namespace zavevad
