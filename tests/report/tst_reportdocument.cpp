// The report's pages as a reader gets them: the PDF read back with
// poppler-utils, page by page.

#include "../tables/analysisbuilder.h"
#include "reporttools.h"
#include "scriptedplatform.h"

#include "chartengine/chartrenderer.h"
#include "report/reportcommands.h"
#include "report/reportdocument.h"
#include "report/reportlayout.h"
#include "tables/numberformat.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QtMath>

#include <algorithm>
#include <array>
#include <cmath>

using namespace zavevad;
using namespace zavevad::test;

namespace {

/// A class whose first students carry Polish letters in their names.
AnalysisState polishClass(int students, int questions)
{
    AnalysisState analysis = makeAnalysis(students, questions);
    const char16_t *surnames[] = {u"Łuczak", u"Śliwa", u"Żak", u"Kuć", u"Słoń"};
    for (int i = 0; i < students && i < 5; ++i)
        analysis.students[static_cast<std::size_t>(i)].Nazwisko = QString::fromUtf16(surnames[i]);
    return analysis;
}

/// With ZAVEVAD_SCREENSHOT_DIR set, the file goes there for the documentation.
void writeForDocs(const QByteArray &bytes, const QString &name)
{
    const QString dir = qEnvironmentVariable("ZAVEVAD_SCREENSHOT_DIR");
    QFile file(QDir(dir).filePath(name));
    if (!dir.isEmpty() && file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

bool isLandscape(const QSizeF &size)
{
    return size.width() > size.height();
}

/// The words of a text, as a reader would look them up.
QSet<QString> wordsOf(const QString &text)
{
    QSet<QString> words;
    for (const QString &word :
            text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
        words.insert(word);
    return words;
}

/// A word of a PDF page and its box in points, as `pdftotext -bbox` gives it.
struct PlacedWord
{
    QString text;
    QRectF box;
};

QList<PlacedWord> pdfWords(const QString &pdfPath, int page)
{
    const QString html = QString::fromUtf8(runTool(QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                    QStringLiteral("-l"), QString::number(page), pdfPath, QStringLiteral("-")}));
    static const QRegularExpression word(
            QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                           "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<PlacedWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words.append({m.captured(5),
                QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                        QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return words;
}

/// A page of a PDF file rendered as a reader's viewer shows it.
QImage renderPage(const QString &pdfPath, int page, int dpi)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
                    QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                    QString::number(page), QStringLiteral("-singlefile"), pdfPath, prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

/// The darkest pixel's lightness within `box` (points) of a page rendered at `dpi`.
int darkestIn(const QImage &image, const QRectF &box, int dpi)
{
    const double scale = dpi / 72.0;
    const QRect pixels = QRectF(box.topLeft() * scale, box.bottomRight() * scale)
                                 .toAlignedRect()
                                 .intersected(image.rect());
    int darkest = 255;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            darkest = std::min(darkest, QColor(image.pixel(x, y)).lightness());
    }
    return darkest;
}

/// A class of 20 questions with every grade, four to nine students each, so
/// that every slice of its grade pie is wide enough to look into.
AnalysisState everyGradeClass()
{
    AnalysisState analysis;
    // Correct answers out of 20 for Cel, Bdb, Db, Dst, Dop and Ndst.
    const int scores[][2] = {{20, 4}, {18, 6}, {16, 9}, {13, 7}, {11, 5}, {6, 8}};
    int number = 0;
    for (const auto &[correct, students] : scores) {
        for (int i = 0; i < students; ++i) {
            analysis.students.push_back(makeStudent(QStringLiteral("Uczeń%1").arg(++number),
                    QStringLiteral("Anna"), (1u << correct) - 1, 20));
        }
    }
    finishAnalysis(analysis, 20);
    return analysis;
}

/// A page of a PDF file rendered in shades of grey, as a black-and-white
/// printer or copier makes it.
QImage renderGreyPage(const QString &pdfPath, int page, int dpi)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-gray"), QStringLiteral("-png"), QStringLiteral("-r"),
                    QString::number(dpi), QStringLiteral("-f"), QString::number(page),
                    QStringLiteral("-l"), QString::number(page), QStringLiteral("-singlefile"),
                    pdfPath, prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

/// How a region of a grey picture looks: its mean grey, and how much the
/// grey changes a step away along each of four directions (a hatch changes
/// little along its lines and much across them).
struct GreyLook
{
    double mean = 0;
    std::array<double, 4> change{};

    /// The largest difference in grey level or in the hatch's direction.
    double distance(const GreyLook &other) const
    {
        double d = std::abs(mean - other.mean);
        for (std::size_t i = 0; i < change.size(); ++i)
            d = std::max(d, std::abs(change[i] - other.change[i]));
        return d;
    }
};

GreyLook greyLook(const QImage &grey, const QList<QPoint> &points)
{
    static constexpr int steps[4][2] = {{2, 0}, {2, -2}, {0, 2}, {2, 2}};
    GreyLook look;
    int counted = 0;
    for (const QPoint &p : points) {
        if (!grey.rect().adjusted(2, 2, -2, -2).contains(p))
            continue;
        const int value = grey.pixelColor(p).value();
        look.mean += value;
        for (std::size_t i = 0; i < 4; ++i) {
            const QPoint q = p + QPoint(steps[i][0], steps[i][1]);
            look.change[i] += std::abs(value - grey.pixelColor(q).value());
        }
        ++counted;
    }
    if (counted > 0) {
        look.mean /= counted;
        for (double &change : look.change)
            change /= counted;
    }
    return look;
}

} // namespace

class TestReportDocument : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        QVERIFY2(!runTool(QStringLiteral("pdftotext"), {QStringLiteral("-v")}).isNull(),
                "pdftotext (poppler-utils) reads the report back");
    }

    void pagesAndBreaks_data()
    {
        QTest::addColumn<int>("students");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("landscapePages");
        // Eight questions fit an upright page; thirty need a landscape one
        // for the results table. The summary and the conclusions stand
        // upright on page one, the key on the last page. The item analysis,
        // as narrow as on screen, fits an upright page; the student-problem
        // table, a column per question, goes landscape. The stanine chart
        // follows its table; the map of the questions has a page of its own;
        // a short table (the grade counts) goes whole to the next page.
        QTest::newRow("5 x 8") << 5 << 8 << 8 << 1;
        QTest::newRow("28 x 8") << 28 << 8 << 10 << 1;
        QTest::newRow("200 x 8") << 200 << 8 << 26 << 7;
        QTest::newRow("5 x 30") << 5 << 30 << 10 << 2;
        QTest::newRow("28 x 30") << 28 << 30 << 11 << 2;
        QTest::newRow("200 x 30") << 200 << 30 << 28 << 12;
    }
    void pagesAndBreaks()
    {
        QFETCH(int, students);
        QFETCH(int, questions);
        QFETCH(int, pages);
        QFETCH(int, landscapePages);
        const AnalysisState analysis = polishClass(students, questions);
        const ReportDocument document(reportSections(analysis));
        const QByteArray pdf = document.toPdf(QStringLiteral("Raport"));
        QVERIFY(pdf.startsWith("%PDF"));
        writeForDocs(pdf, QStringLiteral("report-%1x%2.pdf").arg(students).arg(questions));

        const QStringList texts = pdfPageTexts(pdf);
        const QList<QSizeF> sizes = pdfPageSizes(pdf);
        QCOMPARE(document.pageCount(), pages);
        QCOMPARE(texts.size(), pages);
        QCOMPARE(sizes.size(), pages);
        QCOMPARE(std::count_if(sizes.begin(), sizes.end(), isLandscape), landscapePages);

        for (int p = 0; p < pages; ++p) {
            const QString &text = texts.at(p);
            QVERIFY2(text.contains(QStringLiteral("Strona %1 z %2").arg(p + 1).arg(pages)),
                    qPrintable(QStringLiteral("footer of page %1").arg(p + 1)));
            // A page with students' rows repeats the header row above them.
            if (text.contains(QStringLiteral("Anna")))
                QVERIFY2(text.contains(QStringLiteral("Nazwisko i imię")),
                        qPrintable(QStringLiteral("header on page %1").arg(p + 1)));
        }
        // Every student stands once in each table of the students (results,
        // working time, stanines, student-problem): no row lost or repeated at
        // a page break.
        const QString all = texts.join(QChar(u'\n'));
        for (const UczenAll &student : analysis.students)
            QCOMPARE(all.count(student.displayName()), 4);
        for (const char *title : {"Tabela - Wyniki testu", "Tabela - Czas pracy",
                     "Tabela - Ilość ocen", "Wykres - Ilość ocen"}) {
            // Once as it starts; each later page of it says it continues.
            const QString start = QString::fromUtf8(title);
            QCOMPARE(all.count(start) - all.count(start + QStringLiteral(" (cd.)")), 1);
        }
        // The grade counts, a short table, are never split over two pages.
        QCOMPARE(all.count(QStringLiteral("Tabela - Ilość ocen (cd.)")), 0);
        // All questions in one table: the last question's header is there.
        QVERIFY(all.contains(QStringLiteral("Średnia (%)")));
    }

    // Two classes add the comparison; one class (every test above) does not.
    void classesGetTheirSection()
    {
        AnalysisState analysis = polishClass(28, 8);
        for (std::size_t i = 0; i < analysis.students.size(); ++i)
            analysis.students[i].schoolClass = i % 2 ? QStringLiteral("8b") : QStringLiteral("8a");
        const ReportDocument document(reportSections(analysis));
        const QStringList texts = pdfPageTexts(document.toPdf(QStringLiteral("Raport")));
        // Every text in full, in three tables after the item analysis.
        const qsizetype first =
                texts.indexOf(texts.filter(QStringLiteral("Porównanie klas")).value(0));
        QVERIFY(first > 0);
        const QString classes = texts.mid(first).join(QChar(u'\n'));
        QCOMPARE(classes.count(QStringLiteral("Porównanie klas")), 2);
        QVERIFY(!classes.contains(QChar(0x2026)));
        for (const char *expected : {"Odchylenie standardowe", "Średnia ocena", "Razem",
                     "Łatwość pytań w klasach", "Pytanie", "8a", "8b"})
            QVERIFY2(classes.contains(QString::fromUtf8(expected)), expected);
    }

    // The commands make each section as it is laid out and again as it is
    // painted, never all at once: the same pages as the sections kept whole.
    void madeAsNeededIsTheSame_data()
    {
        QTest::addColumn<int>("students");
        QTest::addColumn<int>("questions");
        QTest::newRow("28 x 30, two classes") << 28 << 30;
        QTest::newRow("200 x 8, two classes") << 200 << 8;
    }
    void madeAsNeededIsTheSame()
    {
        QFETCH(int, students);
        QFETCH(int, questions);
        AnalysisState analysis = polishClass(students, questions);
        for (std::size_t i = 0; i < analysis.students.size(); ++i)
            analysis.students[i].schoolClass = i % 2 ? QStringLiteral("8b") : QStringLiteral("8a");
        const ReportDocument kept(reportSections(analysis));
        const ReportDocument made(reportSectionMakers(analysis));
        QVERIFY(made.sections().empty());
        QCOMPARE(made.pageCount(), kept.pageCount());
        for (int p = 0; p < kept.pageCount(); ++p) {
            const ReportDocument::Page &a = kept.pages()[static_cast<std::size_t>(p)];
            const ReportDocument::Page &b = made.pages()[static_cast<std::size_t>(p)];
            QCOMPARE(b.orientation, a.orientation);
            QCOMPARE(b.blocks.size(), a.blocks.size());
            for (std::size_t i = 0; i < a.blocks.size(); ++i) {
                QCOMPARE(b.blocks[i].section, a.blocks[i].section);
                QCOMPARE(b.blocks[i].firstRow, a.blocks[i].firstRow);
                QCOMPARE(b.blocks[i].rowCount, a.blocks[i].rowCount);
                QCOMPARE(b.blocks[i].part, a.blocks[i].part);
                QCOMPARE(b.blocks[i].rect, a.blocks[i].rect);
            }
        }
        const QString title = QStringLiteral("Raport");
        QCOMPARE(pdfPageTexts(made.toPdf(title)), pdfPageTexts(kept.toPdf(title)));
    }

    void titleBlockAndPolishLetters()
    {
        AnalysisState analysis = polishClass(5, 8);
        analysis.students.front().NazwaTestu = QStringLiteral("Sprawdzian ćwiczeń");
        analysis.thresholds = Thresholds{96, 86, 71, 51, 31};
        const QString text = pdfPageTexts(
                ReportDocument(reportSections(analysis)).toPdf(QStringLiteral("Raport")))
                                     .join(QChar(u'\n'));
        for (const char *expected : {"Łuczak Anna", "Śliwa Anna", "Żak Anna", "Kuć Anna",
                     "Słoń Anna", "Sprawdzian ćwiczeń", "Liczba uczniów:", "15.03.2023",
                     "Cel od 96%, Bdb od 86%, Db od 71%, Dst od 51%, Dop od 31%",
                     "Zestawienie ocen"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
        // The numbers of the cells, as the table writes them.
        QVERIFY(text.contains(generalNumber(analysis.summary.averagePoints100 / 100.0)));
        QVERIFY(text.contains(QStringLiteral("00:22:00")));
    }

    void everyTextInFull_data()
    {
        QTest::addColumn<int>("students");
        QTest::addColumn<bool>("longNames");
        // Wide names squeeze a class of 28; 200 and 10,000 students have
        // counts of three and five digits in thirty columns.
        QTest::newRow("28, names of 40 characters") << 28 << true;
        QTest::newRow("200") << 200 << false;
        QTest::newRow("10000") << 10000 << false;
    }
    void everyTextInFull()
    {
        QFETCH(int, students);
        QFETCH(bool, longNames);
        AnalysisState analysis = polishClass(students, 30);
        analysis.students[5].Nazwisko = QStringLiteral("Sikora");
        analysis.students[5].Imie = QStringLiteral("Zofia");
        if (longNames) {
            // The longest names a result file holds: 20 characters each.
            analysis.students[1].Nazwisko = QStringLiteral("Wiśniewska-Dąbrowska");
            analysis.students[1].Imie = QStringLiteral("Małgorzata-Wiktoria");
            analysis.students[2].Nazwisko = QString(20, QLatin1Char('W'));
            analysis.students[2].Imie = QString(20, QLatin1Char('M'));
        }
        const ReportDocument document(reportSections(analysis));
        const QByteArray pdf = document.toPdf(QStringLiteral("Raport"));
        writeForDocs(pdf, QStringLiteral("report-full-%1.pdf").arg(students));
        const QString all = pdfPageTexts(pdf).join(QChar(u'\n'));
        QVERIFY(!all.isEmpty());
        QVERIFY2(!all.contains(QChar(0x2026)), "a text cut to an ellipsis");
        // As typed: no ligature glyph ("ﬁ") stands for two letters.
        QVERIFY(!all.contains(QChar(0xFB01)));
        QVERIFY(all.contains(QStringLiteral("Sikora Zofia")));

        // Every name whole, in the order of the results table.
        qsizetype at = 0;
        for (const UczenAll &student : analysis.students) {
            at = all.indexOf(student.displayName(), at);
            QVERIFY2(at >= 0, qPrintable(student.displayName()));
        }
        // Every header, count and grade of the tables.
        const QSet<QString> words = wordsOf(all);
        for (const ReportSection &section : document.sections()) {
            const auto *table = std::get_if<TableSection>(&section);
            if (!table)
                continue;
            const TableTexts texts;
            std::vector<std::vector<ReportCell>> rows{texts.shownRow(table->table, 0)};
            // The summary rows and a few students, first and last.
            const int bodyRows = table->table.bodyRowCount();
            for (int r = 0; r < bodyRows; ++r) {
                if (r < 3 || r + 12 >= bodyRows)
                    rows.push_back(texts.shownRow(table->table, r + 1));
            }
            for (const std::vector<ReportCell> &cells : rows) {
                for (const ReportCell &cell : cells) {
                    for (const QString &word : wordsOf(cell.text))
                        QVERIFY2(words.contains(word), qPrintable(word));
                }
            }
        }

        // No page break leaves fewer than three rows of a table on the next
        // page, nor splits its summary rows.
        for (const ReportDocument::Page &page : document.pages()) {
            for (const ReportDocument::Block &block : page.blocks) {
                const auto *table = std::get_if<TableSection>(&document.sections()[block.section]);
                if (!table || block.firstRow == 0)
                    continue;
                const int rows = table->table.bodyRowCount();
                QVERIFY(block.rowCount >= std::min(3, rows));
                QVERIFY(block.firstRow <= rows - table->table.summaryRows);
            }
        }
    }

    void chartTextsDarkOnPaper()
    {
        // Every word on a chart page, the axes' numbers and titles among
        // them, shows darker than the page around it.
        const ReportDocument document(reportSections(polishClass(28, 30)));
        const QByteArray pdf = document.toPdf(QStringLiteral("Raport"));
        const TempFile file(pdf, QStringLiteral("pdf"));
        const QStringList pages = pdfPageTexts(pdf);
        constexpr int dpi = 150;
        QStringList seen;
        for (int p = 1; p <= pages.size(); ++p) {
            // The charts' blocks on the page, in points: a table may share
            // the page with a chart.
            QList<QRectF> charts;
            for (const ReportDocument::Block &block :
                    document.pages()[static_cast<std::size_t>(p - 1)].blocks) {
                const auto section = static_cast<std::size_t>(block.section);
                if (std::holds_alternative<ChartSection>(document.sections()[section]))
                    charts.append(QRectF(block.rect.topLeft() / kUnitsPerPoint,
                            block.rect.size() / kUnitsPerPoint));
            }
            if (charts.isEmpty())
                continue;
            const QImage image = renderPage(file.path(), p, dpi);
            QVERIFY(!image.isNull());
            for (const PlacedWord &word : pdfWords(file.path(), p)) {
                if (std::none_of(charts.begin(), charts.end(),
                            [&](const QRectF &chart) { return chart.contains(word.box.center()); }))
                    continue;
                seen.append(word.text);
                QVERIFY2(darkestIn(image, word.box, dpi) < 120,
                        qPrintable(QStringLiteral("page %1: %2").arg(p).arg(word.text)));
            }
        }
        for (const char *expected : {"Liczba", "uczniów", "Punkty", "30", "Cel", "Ndst"})
            QVERIFY2(seen.contains(QString::fromUtf8(expected)), expected);
    }

    void pieDistinctInGrey()
    {
        // Printed in black and white, the grade pie's neighbouring slices
        // still differ: in grey level or in the direction of their hatch.
        const ReportDocument document(reportSections(everyGradeClass()));
        const TempFile file(document.toPdf(QStringLiteral("Raport")), QStringLiteral("pdf"));
        int page = -1;
        ReportDocument::Block pieBlock;
        const chart::Chart *pie = nullptr;
        for (int p = 0; p < document.pageCount(); ++p) {
            for (const ReportDocument::Block &block : document.pages()[std::size_t(p)].blocks) {
                const auto *chart =
                        std::get_if<ChartSection>(&document.sections()[std::size_t(block.section)]);
                if (chart && chart->chart.pie.active) {
                    page = p;
                    pieBlock = block;
                    pie = &chart->chart;
                }
            }
        }
        QVERIFY(pie);
        constexpr int dpi = 200;
        const QImage grey = renderGreyPage(file.path(), page + 1, dpi);
        QVERIFY(!grey.isNull());

        // Where the chart lies on the page, as the report places it.
        const QSizeF pixels = reportlayout::kChartPixels;
        const QRectF target = pieBlock.rect.adjusted(0, reportlayout::sectionTitleHeight(), 0, 0);
        const double scale =
                std::min(target.width() / pixels.width(), target.height() / pixels.height());
        const QPointF origin =
                target.center() - QPointF(pixels.width(), pixels.height()) * scale / 2;
        const double toImage = dpi / 72.0 / kUnitsPerPoint;
        const chart::ChartGeometry geometry =
                chart::chartGeometry(*pie, QRectF(QPointF(0, 0), pixels));
        QList<chart::PieSliceGeometry> slices;
        for (const chart::PieSliceGeometry &slice : geometry.pieSlices) {
            if (slice.span > 0)
                slices.append(slice);
        }
        QCOMPARE(slices.size(), 6);
        std::sort(slices.begin(), slices.end(),
                [](const auto &a, const auto &b) { return a.start < b.start; });
        QList<GreyLook> looks;
        for (const chart::PieSliceGeometry &slice : slices) {
            // The middle of the slice, away from its edges and its label's leader.
            QList<QPoint> points;
            for (double f = 0.3; f <= 0.7; f += 0.02) {
                const double angle = qDegreesToRadians(slice.start + slice.span * f);
                for (double r = 0.3; r <= 0.7; r += 0.01) {
                    const QPointF at = slice.centre
                            + QPointF(std::cos(angle) * geometry.pie.width() / 2 * r,
                                    -std::sin(angle) * geometry.pie.height() / 2 * r);
                    points.append(((origin + at * scale) * toImage).toPoint());
                }
            }
            looks.append(greyLook(grey, points));
        }
        for (qsizetype i = 0; i < looks.size(); ++i) {
            const GreyLook &a = looks.at(i);
            const GreyLook &b = looks.at((i + 1) % looks.size());
            QVERIFY2(a.distance(b) >= 8,
                    qPrintable(QStringLiteral("slices %1 and %2: grey %3 and %4")
                                       .arg(slices.at(i).point)
                                       .arg(slices.at((i + 1) % slices.size()).point)
                                       .arg(a.mean)
                                       .arg(b.mean)));
        }
    }

    void gradeColoursAgree()
    {
        // A grade has one colour in the report: the pie's slice, the score
        // distribution's columns and its legend.
        const std::vector<ReportSection> sections = reportSections(everyGradeClass());
        QHash<QString, QColor> pie;
        QHash<QString, QColor> distribution;
        for (const ReportSection &section : sections) {
            const auto *chart = std::get_if<ChartSection>(&section);
            if (chart && chart->chart.pie.active) {
                for (const chart::Point &point : chart->chart.pie.points)
                    pie.insert(point.label, point.color);
            }
            // The map of the questions colours its zones, not grades.
            if (chart && chart->chart.xy.active
                    && chart->title != QStringLiteral("Wykres - Mapa pytań")) {
                for (const chart::LegendItem &item : chart->chart.xy.legendItems)
                    distribution.insert(item.text, item.color);
            }
        }
        QCOMPARE(pie.size(), 6);
        QCOMPARE(pie, distribution);
    }

    void printerKeepsItsPaper()
    {
        // A printer cannot turn its paper between pages: it keeps the first
        // page's upright sheets, and the landscape pages come out turned on them.
        const AnalysisState analysis = polishClass(28, 30);
        ScriptedPlatform platform;
        platform.printAnswers.push_back(true);
        DrukujRaport(analysis);
        QCOMPARE(platform.printed.size(), 1);
        const QByteArray pdf = platform.printed.constFirst().pdf;
        QCOMPARE(platform.printed.constFirst().title, QStringLiteral("Raport z analizy testu"));
        writeForDocs(pdf, QStringLiteral("report-printed.pdf"));
        const QList<QSizeF> sizes = pdfPageSizes(pdf);
        QCOMPARE(sizes.size(), ReportDocument(reportSections(analysis)).pageCount());
        QCOMPARE(std::count_if(sizes.begin(), sizes.end(), isLandscape), 0);
        const QString all = pdfPageTexts(pdf).join(QChar(u'\n'));
        QVERIFY(all.contains(QStringLiteral("Łuczak Anna")));
        QVERIFY(all.contains(QStringLiteral("Strona 1 z 11")));

        // Closing the preview prints nothing.
        DrukujRaport(analysis);
        QCOMPARE(platform.printed.size(), 1);
    }
};

QTEST_MAIN(TestReportDocument)
#include "tst_reportdocument.moc"
