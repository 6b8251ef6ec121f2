// Where the report puts what it adds to the tables (the stanine chart, the
// map of the questions), and how wide the columns of the tables of classes
// are in the report and in the workbook.

#include "../tables/analysisbuilder.h"
#include "reporttools.h"

#include "export/workbook.h"
#include "report/reportdocument.h"
#include "report/reportlayout.h"
#include "tables/tablekinds.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>

using namespace zavevad;
using namespace zavevad::test;

namespace {

QString sectionTitle(const ReportSection &section)
{
    if (const auto *table = std::get_if<TableSection>(&section))
        return table->table.title;
    if (const auto *chart = std::get_if<ChartSection>(&section))
        return chart->title;
    return {};
}

QStringList sectionTitles(const std::vector<ReportSection> &sections)
{
    QStringList titles;
    for (const ReportSection &section : sections)
        titles.append(sectionTitle(section));
    return titles;
}

/// Two classes of 14 whose names are longer than any other text of their tables.
AnalysisState longNamedClasses()
{
    AnalysisState analysis = makeAnalysis(28, 8);
    for (std::size_t i = 0; i < analysis.students.size(); ++i) {
        analysis.students[i].schoolClass = i % 2
                ? QStringLiteral("8b Szkoła Podstawowa im. Jana Brzechwy")
                : QStringLiteral("8a Szkoła Podstawowa im. Marii Konopnickiej");
    }
    return analysis;
}

/// Twelve students of 8 questions, question 8 right for everyone: its r is
/// undefined ("–"). So is that of questions 1, 4 and 7: whoever misses them
/// misses all three, so that every student's rest score on them is 5.
AnalysisState everyoneRightOnTheLast()
{
    AnalysisState analysis;
    for (int i = 0; i < 12; ++i) {
        std::uint32_t mask = 1u << 7;
        for (int k = 1; k <= 7; ++k) {
            if ((i + k) % 3 != 0)
                mask |= 1u << (k - 1);
        }
        analysis.students.push_back(
                makeStudent(QStringLiteral("Uczeń%1").arg(i + 1), QStringLiteral("Anna"), mask, 8));
    }
    finishAnalysis(analysis, 8);
    return analysis;
}

/// The widest text of each column of `table` in the report's cell font of `points`.
std::vector<double> widestTexts(const ReportTable &table, double points)
{
    using namespace reportlayout;
    const QFontMetricsF metrics[2] = {
            QFontMetricsF(cellFont(points, false)), QFontMetricsF(cellFont(points, true))};
    const TableTexts texts;
    std::vector<double> widest(static_cast<std::size_t>(table.columnCount()), 0);
    for (int r = 0; r < table.rowCount(); ++r) {
        const std::vector<ReportCell> cells = texts.shownRow(table, r);
        for (std::size_t c = 0; c < cells.size() && c < widest.size(); ++c) {
            const bool bold = r == 0 || cells[c].bold;
            widest[c] = std::max(widest[c], metrics[bold ? 1 : 0].horizontalAdvance(cells[c].text));
        }
    }
    return widest;
}

/// Each column's width in characters as the sheet sets it, from its `<col>` elements.
std::vector<double> sheetColumnWidths(const QString &sheet)
{
    std::vector<double> widths;
    static const QRegularExpression col(
            QStringLiteral("<col min=\"(\\d+)\" max=\"(\\d+)\" width=\"([\\d.]+)\""));
    for (auto it = col.globalMatch(sheet); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        for (int c = match.captured(1).toInt(); c <= match.captured(2).toInt(); ++c) {
            widths.resize(static_cast<std::size_t>(c), 0);
            widths[static_cast<std::size_t>(c - 1)] = match.captured(3).toDouble();
        }
    }
    return widths;
}

} // namespace

class TestReportPlaces : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    // The stanine table follows the grade counts, its distribution beside it
    // (the share's bars and the norm's line); the map of the questions stands
    // alone on a page after the item analysis. The menu keeps its order.
    void stanineChartAndMapInPlace()
    {
        const AnalysisState analysis = makeAnalysis(28, 8);
        const std::vector<ReportSection> sections = reportSections(analysis);
        const QStringList titles = sectionTitles(sections);
        const qsizetype grades = titles.indexOf(QStringLiteral("Tabela - Ilość ocen"));
        QVERIFY(grades > 0);
        QCOMPARE(titles.value(grades + 1), QStringLiteral("Tabela - Staniny"));
        QCOMPARE(titles.value(grades + 2), QStringLiteral("Wykres - Rozkład staninowy"));
        QCOMPARE(titles.count(QStringLiteral("Tabela - Staniny")), 1);
        const chart::Chart &stanines =
                std::get<ChartSection>(sections[static_cast<std::size_t>(grades + 2)]).chart;
        QCOMPARE(stanines.header.lines, QStringList{QStringLiteral("Rozkład staninowy")});
        QCOMPARE(stanines.bar.count(), 9);
        QCOMPARE(stanines.line.count(), 9);
        const double norm[] = {4, 7, 12, 17, 20, 17, 12, 7, 4};
        double shares = 0;
        for (int s = 0; s < 9; ++s) {
            QCOMPARE(stanines.line.points[s].value, norm[s]);
            shares += stanines.bar.points[s].value;
        }
        QVERIFY(std::abs(shares - 100) < 0.5);

        const qsizetype items = titles.indexOf(QStringLiteral("Tabela - Analiza pytań"));
        QCOMPARE(titles.value(items + 1), QStringLiteral("Wykres - Mapa pytań"));
        const int map = static_cast<int>(items + 1);
        QVERIFY(std::get<ChartSection>(sections[static_cast<std::size_t>(map)]).ownPage);
        const ReportDocument document(reportSections(analysis));
        int mapPages = 0;
        for (const ReportDocument::Page &page : document.pages()) {
            const bool holds = std::any_of(page.blocks.begin(), page.blocks.end(),
                    [map](const ReportDocument::Block &block) { return block.section == map; });
            if (holds) {
                ++mapPages;
                QCOMPARE(page.blocks.size(), std::size_t(1));
            }
        }
        QCOMPARE(mapPages, 1);

        std::vector<TableKind> menu;
        for (const TableKindInfo &info : tableKinds())
            menu.push_back(info.kind);
        QVERIFY(std::is_sorted(menu.begin(), menu.end()));
    }

    // A map with no question on it (one student: no r) is left out, and so
    // is nothing else.
    void noMapWithoutPoints()
    {
        const QStringList titles = sectionTitles(reportSections(makeAnalysis(1, 8)));
        QVERIFY(!titles.contains(QStringLiteral("Wykres - Mapa pytań")));
        QVERIFY(titles.contains(QStringLiteral("Tabela - Analiza pytań")));
        QVERIFY(titles.contains(QStringLiteral("Wykres - Rozkład staninowy")));
    }

    // The map's page lists under the plot the questions it cannot place.
    void mapPageListsQuestionsWithoutR()
    {
        const QByteArray pdf =
                ReportDocument(reportSections(everyoneRightOnTheLast())).toPdf(QStringLiteral("R"));
        const QStringList pages = pdfPageTexts(pdf);
        const QStringList map = pages.filter(QStringLiteral("Wykres - Mapa pytań"));
        QCOMPARE(map.size(), 1);
        const QString page = map.first().simplified();
        QVERIFY2(page.contains(
                         QStringLiteral("Bez wskaźnika r (–), poza wykresem: pytania 1, 4, 7, 8")),
                qPrintable(page));
    }

    // Each column of the tables of classes is as wide as its own texts:
    // the grade and statistic columns never take the width of the long
    // class names beside them, and no text is cut.
    void classColumnsAsWideAsTheirTexts()
    {
        using namespace reportlayout;
        const AnalysisState analysis = longNamedClasses();
        const ReportDocument document(reportSections(analysis));
        int checked = 0;
        for (std::size_t s = 0; s < document.sections().size(); ++s) {
            const auto *section = std::get_if<TableSection>(&document.sections()[s]);
            if (!section || !section->table.title.contains(QStringLiteral("klas")))
                continue;
            const ReportTable &table = section->table;
            const ReportDocument::TableLayout &layout = document.tableLayout(static_cast<int>(s));
            const std::vector<double> texts = widestTexts(table, layout.points);
            for (const ReportDocument::TableLayout::Part &part : layout.parts) {
                for (std::size_t i = 0; i < part.columns.size(); ++i) {
                    const auto c = static_cast<std::size_t>(part.columns[i]);
                    const double own = texts[c] + 2 * kCellPaddingX;
                    const QByteArray what =
                            (table.title + QStringLiteral(", column %1").arg(c)).toUtf8();
                    QVERIFY2(part.widths[i] >= own, what.constData());
                    // The column's own room on screen may add a little (a
                    // grade's room for a bold "10000"), never a class name's.
                    QVERIFY2(part.widths[i] <= own * 1.15 + 15 * kUnitsPerPoint, what.constData());
                }
            }
            ++checked;
        }
        QCOMPARE(checked, 3); // the comparison in two parts, the questions in the classes

        const std::optional<QByteArray> xlsx = workbookBytes(workbookTables(analysis));
        QVERIFY(xlsx);
        for (const char *name : {"xl/worksheets/sheet5.xml", "xl/worksheets/sheet6.xml"}) {
            const std::vector<ReportTable> tables = workbookTables(analysis);
            const ReportTable &table = tables[name[19] == '5' ? 4 : 5];
            const std::vector<double> widths =
                    sheetColumnWidths(zipMember(*xlsx, QString::fromLatin1(name)));
            QCOMPARE(widths.size(), static_cast<std::size_t>(table.columnCount()));
            const TableTexts texts;
            for (int c = 0; c < table.columnCount(); ++c) {
                qsizetype longest = 0;
                for (int r = 0; r < table.rowCount(); ++r)
                    longest = std::max(longest, texts.shown(table, c, r).text.size());
                const QByteArray what = QByteArray(name) + " column " + QByteArray::number(c);
                QVERIFY2(widths[static_cast<std::size_t>(c)] >= double(longest), what.constData());
                QVERIFY2(widths[static_cast<std::size_t>(c)] <= double(longest) + 4,
                        what.constData());
            }
        }
    }
};

QTEST_MAIN(TestReportPlaces)
#include "tst_reportplaces.moc"
