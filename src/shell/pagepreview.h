#pragma once

#include "platform/platform.h"

#include <QCache>
#include <QDialog>
#include <QImage>
#include <QPrinter>
#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QScrollArea;

namespace zavevad {

/// The pages of a preview one under another, each as it lies on paper; a
/// page is made when it comes into view and a few are kept as pictures.
class PreviewCanvas : public QWidget
{
    Q_OBJECT

public:
    PreviewCanvas(const Platform::PreviewPages &pages, QWidget *parent);

    /// Pixels per point on the screen.
    double zoom() const { return m_zoom; }
    void setZoom(double zoom);
    /// Where page `page` stands on the canvas, in pixels.
    QRect pageRect(int page) const;
    /// Page `page` as the preview shows it at the current zoom: made now
    /// unless it is kept; a null image when it could not be painted.
    QImage pageImage(int page);
    /// The page at the canvas's height `y` (the one above when between pages).
    int pageAt(int y) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void placePages();

    const Platform::PreviewPages &m_pages;
    /// Where each page starts, for the current zoom.
    std::vector<int> m_tops;
    int m_height = 0;
    double m_zoom = 1.0;
    /// Pictures of pages at the current zoom, their cost in kilobytes.
    QCache<int, QImage> m_made;
};

/// A print preview showing every page in its own orientation, made only as
/// it is looked at, with zoom and the print dialog. Object name "PagePreview".
class PagePreview : public QDialog
{
    Q_OBJECT

public:
    /// Prints the whole job on the printer chosen; false when it failed.
    using Print = std::function<bool(QPrinter &printer)>;

    PagePreview(const Platform::PreviewPages &pages, Print print, QWidget *parent);

    PreviewCanvas &canvas() const { return *m_canvas; }
    QScrollArea &scrollArea() const { return *m_scroll; }
    QPrinter &printer() { return m_printer; }
    /// Whether the last print succeeded.
    bool printed() const { return m_printed; }

    /// Prints on printer() as it is set and closes the preview as accepted.
    void printNow();

protected:
    void showEvent(QShowEvent *event) override;

private:
    /// The zoom that shows a landscape page whole across the view.
    void fitWidth();
    void askAndPrint();
    void zoomBy(double factor);
    void showPageNumber();

    QPrinter m_printer{QPrinter::HighResolution};
    Print m_print;
    bool m_printed = false;
    bool m_fitted = false;
    int m_count = 0;
    PreviewCanvas *m_canvas = nullptr;
    QScrollArea *m_scroll = nullptr;
    QLabel *m_pageLabel = nullptr;
};

} // namespace zavevad
