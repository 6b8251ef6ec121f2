#pragma once

#include "results/analysisstate.h"

#include <QByteArray>
#include <QFont>
#include <QPageLayout>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPainter;

namespace zavevad {

// What every document the program puts on paper shares: the report and the
// student cards are laid out in the same unit, set in the same font and
// placed on the sheet the same way, so that a PDF and a printout match.

/// Every length of a paper layout is in tenths of a point.
inline constexpr double kUnitsPerPoint = 10;

/// The font of paper documents at `points`. Sized in layout units, so that
/// the text scales with the page whatever the device's resolution; unhinted;
/// and unshaped, so that no ligature replaces letters: "fi" stays two
/// letters, and a name copied out of the PDF or searched for is the name as
/// typed.
QFont reportFont(double points, bool bold = false);

/// `current` turned into an A4 layout of `orientation`, its margins kept.
QPageLayout a4Layout(const QPageLayout &current, QPageLayout::Orientation orientation);

/// Makes the painter draw a page of `orientation` in layout units on the
/// device's current sheet, from the sheet's corner: scaled to the device's
/// resolution, moved past its unprintable margin, and turned when the sheet
/// lies the other way (a printer keeps its paper's orientation for the whole
/// job).
void placeOnSheet(
        QPainter &painter, const QPagedPaintDevice &device, QPageLayout::Orientation orientation);

/// The pages `paint` draws as a PDF file titled `title`, fonts embedded, its
/// first sheet A4 of `orientation` without margins; empty when painting failed.
QByteArray pdfDocument(const QString &title, QPageLayout::Orientation orientation,
        const std::function<bool(QPagedPaintDevice &device)> &paint);

/// The thresholds in force as one line: "Cel od 95%, Bdb od 85%, ...".
QString gradeThresholdsText(const Thresholds &thresholds);

} // namespace zavevad
