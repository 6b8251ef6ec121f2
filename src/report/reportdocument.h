#pragma once

#include "chartengine/chart.h"
#include "export/reporttables.h"
#include "platform/platform.h"

#include <QByteArray>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

class QIODevice;
class QPagedPaintDevice;
class QPainter;

namespace zavevad {

/// The opening block: a heading, a subheading and lines of a label and its
/// value, a long value wrapping under itself. Runs over pages between lines.
struct TitleSection
{
    QString heading;
    QString subheading;
    std::vector<std::pair<QString, QString>> lines;
    /// The line every page of the document carries at its top (the test and
    /// its classes); the first section's counts.
    QString runningHeader;
};

/// Paragraphs of running text under a title; a long section runs over pages
/// between paragraphs, its title repeated with "(cd.)".
struct TextSection
{
    QString title;
    QStringList paragraphs;
    /// Starts on a page of its own (the key, which a reader looks up).
    bool newPage = false;
};

/// A table under its title; long tables run over several pages, the header
/// row repeated on each.
struct TableSection
{
    ReportTable table;
};

/// A chart drawn by the chart engine, as vectors.
struct ChartSection
{
    QString title;
    chart::Chart chart;
    /// Stands alone on a page of its own (a chart read on its own, the map
    /// of the questions).
    bool ownPage = false;
};

using ReportSection = std::variant<TitleSection, TableSection, ChartSection, TextSection>;

/// Makes one section when the report lays it out or paints it.
using ReportSectionMaker = std::function<ReportSection()>;

/// The sections of the report on the analysis, in order: the summary, the
/// generated conclusions, the teacher's conclusions (from `Raport.txt` beside
/// the result files, when it holds any), the analysis tables in the report's
/// order of the table registry, each followed by its chart where its row
/// asks for one, the map of the questions on a page of its own after the
/// item analysis (when some question has a point on it), the grade pie, the
/// score distribution and the key.
std::vector<ReportSection> reportSections(const AnalysisState &analysis);

/// The makers of the same sections, in the same order, each making its
/// section anew whenever called. `analysis` must outlive them.
std::vector<ReportSectionMaker> reportSectionMakers(const AnalysisState &analysis);

/// The report paginated on A4: portrait pages, landscape ones where a table
/// needs the width, a running header on every page (the first section's
/// line, "Strona N z M"). Lengths are in tenths of
/// a point. It paints on any paged device, so that the PDF file, the print
/// preview and the printer get the same pages.
class ReportDocument
{
public:
    /// A part of one section on one page.
    struct Block
    {
        int section = 0;
        /// Tables: the body rows on this page, from `firstRow`; title and
        /// text sections: their lines or paragraphs.
        int firstRow = 0;
        int rowCount = 0;
        /// Whether the section's title stands above the block: on its first
        /// page, and with "(cd.)" on the next ones.
        bool withTitle = true;
        QRectF rect;
        /// Tables too wide for a page: which of their parts (column ranges) this is.
        int part = 0;
        /// Whether the block continues its section from an earlier page.
        bool continued = false;
    };

    /// How a table is set: its font size and its parts, each a page wide,
    /// each with the repeated leading columns and a run of the others.
    struct TableLayout
    {
        struct Part
        {
            std::vector<int> columns;
            std::vector<double> widths;
        };
        double points = 8;
        std::vector<Part> parts;
    };

    struct Page
    {
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        std::vector<Block> blocks;
    };

    /// The document of `sections`, kept whole.
    explicit ReportDocument(std::vector<ReportSection> sections);
    /// The document of the sections `makers` make, never more than one of
    /// them at a time: each is made to be laid out, then dropped, and made
    /// again each time the pages are painted, so that a large class's report
    /// holds one table and the measures of its pages.
    explicit ReportDocument(std::vector<ReportSectionMaker> makers);

    /// The sections kept whole; none when they are made as needed.
    const std::vector<ReportSection> &sections() const { return m_sections; }
    const std::vector<Page> &pages() const { return m_pages; }
    /// The running header's line: the first section's, when it is a title.
    const QString &runningHeader() const { return m_runningHeader; }
    /// The setting of section `section` when it is a table.
    const TableLayout &tableLayout(int section) const
    {
        return m_tables[static_cast<std::size_t>(section)];
    }
    int pageCount() const { return static_cast<int>(m_pages.size()); }

    /// Paints every page on `device`, which is set to A4 and to each page's
    /// orientation; a device that cannot turn its paper mid-document (a
    /// printer) gets the page turned on the sheet instead. Returns false when
    /// the device could not be painted on.
    bool paint(QPagedPaintDevice &device) const;

    /// Paints page `page` (from 0) alone on `painter`, in points from the
    /// page's top left corner, the page upright as it lies (A4 of its
    /// orientation); false when there is no such page. The section it needs
    /// is kept until a page of another section is painted, so that paging
    /// through a long table makes it once.
    bool paintPage(QPainter &painter, int page) const;

    /// The document as a PDF file, fonts embedded.
    QByteArray toPdf(const QString &title) const;
    /// The same written into `device` as the pages are painted, so that a
    /// large report never stands in memory whole. Returns false when the
    /// pages could not be painted.
    bool writePdf(QIODevice &device, const QString &title) const;

private:
    /// The section last made, kept while the pages need it.
    struct MadeSection
    {
        std::size_t index = 0;
        std::optional<ReportSection> section;
    };

    std::size_t sectionCount() const;
    /// Section `index`: the one kept, or the one `made` holds, made first
    /// (and the one before dropped) unless it is that one.
    const ReportSection &sectionAt(std::size_t index, MadeSection &made) const;
    void layout();
    void paintPage(QPainter &painter, int page, MadeSection &made) const;

    std::vector<ReportSection> m_sections;
    std::vector<ReportSectionMaker> m_makers;
    std::vector<Page> m_pages;
    QString m_runningHeader;
    /// Per section: how a table is set (empty for other sections).
    std::vector<TableLayout> m_tables;
    /// The section the pages painted alone last needed.
    mutable MadeSection m_previewMade;
};

/// The pages of `document` for the print preview, made one by one as they
/// are looked at. `document` must outlive them.
Platform::PreviewPages reportPreviewPages(const ReportDocument &document);

} // namespace zavevad
