#pragma once

#include "report/studentcards.h"

#include <QByteArray>
#include <QString>

class QIODevice;
class QPagedPaintDevice;

namespace zavevad {

/// The students' result cards on paper: upright A4 pages for each student, in
/// the results table's order, "Strona N z M" in every footer. A card is one
/// page unless its skills, never set below 7 pt, go on over further pages;
/// every card takes as many pages as the first. It paints on any paged
/// device, so that the PDF file, the print preview and the printer get the
/// same pages. Every text is set in full: a skill's name wraps, another text
/// that is too long for its place gets a smaller font, never an ellipsis.
class CardDocument
{
public:
    /// Keeps a reference to `analysis`, which must outlive this object.
    explicit CardDocument(const AnalysisState &analysis);

    int pageCount() const { return m_cards.count() * m_pagesPerCard; }
    int pagesPerCard() const { return m_pagesPerCard; }
    const StudentCards &cards() const { return m_cards; }

    /// Paints every card on `device`, which is set to A4; a sheet that lies
    /// the other way gets the card turned on it. Returns false when the
    /// device could not be painted on (or there is no card).
    bool paint(QPagedPaintDevice &device) const;

    /// The cards as a PDF file, fonts embedded.
    QByteArray toPdf(const QString &title) const;
    /// The same PDF written into `device` page by page, so that a school's
    /// cards never stand in memory whole; false when painting failed.
    bool writePdf(QIODevice &device, const QString &title) const;

private:
    StudentCards m_cards;
    int m_pagesPerCard = 1;
};

} // namespace zavevad
