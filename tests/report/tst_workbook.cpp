// The workbook read back: its XML parts, as a spreadsheet reads them.

#include "../tables/analysisbuilder.h"
#include "reporttools.h"

#include "export/htmlexport.h"
#include "export/reporttables.h"
#include "export/tabletext.h"
#include "export/workbook.h"
#include "results/loader.h"
#include "tables/classcolumn.h"
#include "tables/gridmodel.h"
#include "tables/studentproblemtable.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace zavevad;
using namespace zavevad::test;
using namespace Qt::StringLiterals;

namespace {

/// The cell `reference` ("B2") of a sheet's XML: its type attribute and
/// value, or its text when it holds it inline.
struct XmlCell
{
    bool found = false;
    QString type; ///< "s" for a shared string, "inlineStr" for one in the cell, empty for a number
    QString value;
    QString inlineText;

    bool isText() const { return type == QLatin1String("s") || type == QLatin1String("inlineStr"); }
};

XmlCell cellOf(const QString &sheetXml, const QString &reference)
{
    const QRegularExpression pattern(
            QStringLiteral("<c r=\"%1\"([^>]*)>(?:<v>([^<]*)</v>|<is><t[^>]*>([^<]*)</t></is>)?")
                    .arg(reference));
    const QRegularExpressionMatch match = pattern.match(sheetXml);
    if (!match.hasMatch())
        return {};
    static const QRegularExpression typeAttribute(QStringLiteral("t=\"(\\w+)\""));
    const QRegularExpressionMatch type = typeAttribute.match(match.captured(1));
    return {true, type.hasMatch() ? type.captured(1) : QString(), match.captured(2),
            match.captured(3)};
}

QStringList sharedStrings(const QByteArray &xlsx)
{
    const QString xml = zipMember(xlsx, QStringLiteral("xl/sharedStrings.xml"));
    QStringList strings;
    static const QRegularExpression item(QStringLiteral("<t[^>]*>([^<]*)</t>"));
    for (auto it = item.globalMatch(xml); it.hasNext();)
        strings.append(it.next().captured(1));
    return strings;
}

/// The rows of a CSV file as LibreOffice writes it: fields split at commas,
/// quotes doubled inside quoted fields.
QList<QStringList> csvRows(const QString &text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                field += c;
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row.append(field);
            field.clear();
        } else if (c == u'\n') {
            row.append(field);
            field.clear();
            rows.append(row);
            row.clear();
        } else if (c != u'\r') {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty()) {
        row.append(field);
        rows.append(row);
    }
    return rows;
}

/// Each sheet of a workbook as LibreOffice Calc shows it, saved as CSV with
/// the cells' texts as shown; empty when LibreOffice is missing or fails.
QMap<QString, QList<QStringList>> sheetsAsShown(const QByteArray &xlsx)
{
    QMap<QString, QList<QStringList>> sheets;
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    QTemporaryDir dir;
    if (soffice.isEmpty() || !dir.isValid())
        return sheets;
    QFile file(dir.filePath(QStringLiteral("w.xlsx")));
    if (!file.open(QIODevice::WriteOnly) || file.write(xlsx) != xlsx.size())
        return sheets;
    file.close();
    QProcess process;
    // A profile of its own: another LibreOffice running does not take the job.
    process.start(soffice,
            {QStringLiteral("-env:UserInstallation=")
                            + QUrl::fromLocalFile(dir.filePath(QStringLiteral("profile")))
                                      .toString(),
                    QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                    // UTF-8, every sheet to a file of its own, texts as shown.
                    QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,"
                                   "true,false,false,-1"),
                    QStringLiteral("--outdir"), dir.path(), file.fileName()});
    if (!process.waitForFinished(300000) || process.exitCode() != 0)
        return sheets;
    const QStringList csvFiles = QDir(dir.path()).entryList({QStringLiteral("w-*.csv")});
    for (const QString &name : csvFiles) {
        QFile csv(dir.filePath(name));
        if (csv.open(QIODevice::ReadOnly))
            sheets.insert(name.mid(2, name.size() - 6), csvRows(QString::fromUtf8(csv.readAll())));
    }
    return sheets;
}

/// The workbook as LibreOffice Calc prints it to PDF; empty when it cannot.
QByteArray printedByCalc(const QByteArray &xlsx)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    QTemporaryDir dir;
    if (soffice.isEmpty() || !dir.isValid())
        return {};
    QFile file(dir.filePath(QStringLiteral("w.xlsx")));
    if (!file.open(QIODevice::WriteOnly) || file.write(xlsx) != xlsx.size())
        return {};
    file.close();
    QProcess process;
    process.start(soffice,
            {QStringLiteral("-env:UserInstallation=")
                            + QUrl::fromLocalFile(dir.filePath(QStringLiteral("profile")))
                                      .toString(),
                    QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                    QStringLiteral("pdf"), QStringLiteral("--outdir"), dir.path(),
                    file.fileName()});
    if (!process.waitForFinished(300000) || process.exitCode() != 0)
        return {};
    QFile pdf(dir.filePath(QStringLiteral("w.pdf")));
    return pdf.open(QIODevice::ReadOnly) ? pdf.readAll() : QByteArray();
}

/// A cell's text as a spreadsheet in an English locale shows the table's:
/// numbers with a decimal point, start and end with their dates.
bool showsTheTable(const QString &shown, const ReportCell &cell)
{
    QString text = cell.text;
    if (cell.isNumber())
        text.replace(QLocale().decimalPoint(), QStringLiteral("."));
    if (cell.kind == CellKind::DateTime)
        return shown.endsWith(QLatin1Char(' ') + text);
    return shown == text;
}

/// The style of cell `reference` of a sheet: its border's XML in the styles part.
QString borderOf(const QString &sheetXml, const QString &stylesXml, const QString &reference)
{
    const QRegularExpression cell(QStringLiteral("<c r=\"%1\"[^>]* s=\"(\\d+)\"").arg(reference));
    const qsizetype style = cell.match(sheetXml).captured(1).toInt();
    const QString xfs = stylesXml.section(QStringLiteral("<cellXfs"), 1)
                                .section(QStringLiteral("</cellXfs>"), 0, 0);
    static const QRegularExpression xf(QStringLiteral("<xf [^>]*borderId=\"(\\d+)\""));
    QStringList borderIds;
    for (auto it = xf.globalMatch(xfs); it.hasNext();)
        borderIds.append(it.next().captured(1));
    const QString borders = stylesXml.section(QStringLiteral("<borders"), 1)
                                    .section(QStringLiteral("</borders>"), 0, 0);
    const QStringList each = borders.split(QStringLiteral("<border>"));
    const qsizetype border = borderIds.value(style).toInt() + 1;
    return each.value(border);
}

} // namespace

class TestWorkbook : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        QVERIFY2(!runTool(QStringLiteral("unzip"), {QStringLiteral("-v")}).isNull(),
                "unzip reads the workbook back");
    }

    void curvesAsBorders()
    {
        // A perfect pattern: students of 3, 2 and 1 points on questions
        // answered right by 3, 2 and 1: the S curve right of D2, C3 and B4,
        // joined along the bottoms of D2 and C3; the P curve below B4, C3 and
        // D2 runs along the same edges.
        AnalysisState analysis;
        for (const std::uint32_t mask : {0b011u, 0b001u, 0b111u})
            analysis.students.push_back(makeStudent(u"Uczeń"_s, u"Ala"_s, mask, 3));
        finishAnalysis(analysis, 3);
        const std::optional<QByteArray> xlsx = workbookBytes({studentProblemTable(analysis)});
        QVERIFY(xlsx);
        const QString sheet = zipMember(*xlsx, u"xl/worksheets/sheet1.xml"_s);
        const QString styles = zipMember(*xlsx, u"xl/styles.xml"_s);
        const auto thick = [&](const QString &reference, const QString &side) {
            return borderOf(sheet, styles, reference).contains(u"<%1 style=\"thick\""_s.arg(side));
        };
        for (const QString &reference : {u"D2"_s, u"C3"_s, u"B4"_s})
            QVERIFY2(thick(reference, u"right"_s), qPrintable(reference));
        for (const QString &reference : {u"D2"_s, u"C3"_s, u"B4"_s})
            QVERIFY2(thick(reference, u"bottom"_s), qPrintable(reference));
        QVERIFY(!thick(u"C2"_s, u"bottom"_s));
        QVERIFY(!thick(u"B2"_s, u"right"_s));
        QVERIFY(!thick(u"A1"_s, u"right"_s) && !thick(u"E2"_s, u"right"_s));
    }

    void sheetsAndCells()
    {
        AnalysisState analysis = makeAnalysis(12, 20);
        analysis.students.front().Nazwisko = QStringLiteral("Łuczak");
        const std::optional<QByteArray> xlsx = workbookBytes(workbookTables(analysis));
        QVERIFY(xlsx);
        QVERIFY(xlsx->startsWith("PK"));

        const QString workbook = zipMember(*xlsx, QStringLiteral("xl/workbook.xml"));
        static const QRegularExpression sheetName(QStringLiteral("<sheet name=\"([^\"]+)\""));
        QStringList names;
        for (auto it = sheetName.globalMatch(workbook); it.hasNext();)
            names.append(it.next().captured(1));
        QCOMPARE(names,
                QStringList({QStringLiteral("Wyniki"), QStringLiteral("Czas pracy"),
                        QStringLiteral("Ilość ocen"), QStringLiteral("Analiza pytań"),
                        QStringLiteral("Progi")}));

        const QStringList strings = sharedStrings(*xlsx);
        const auto text = [&](const XmlCell &cell) {
            if (cell.type == QLatin1String("inlineStr"))
                return cell.inlineText;
            return cell.type == QLatin1String("s") ? strings.value(cell.value.toInt()) : QString();
        };

        // Results: all twenty questions in one sheet; A name, B..U answers,
        // V points, W grade; row 2 the first student, rows 14 and 15 the sums.
        const QString results = zipMember(*xlsx, QStringLiteral("xl/worksheets/sheet1.xml"));
        QCOMPARE(text(cellOf(results, QStringLiteral("A1"))), QStringLiteral("Nazwisko i imię"));
        // A question's number is a number a formula can read.
        const XmlCell lastQuestion = cellOf(results, QStringLiteral("U1"));
        QVERIFY(!lastQuestion.isText());
        QCOMPARE(lastQuestion.value, QStringLiteral("20"));
        QCOMPARE(text(cellOf(results, QStringLiteral("A2"))), QStringLiteral("Łuczak Anna"));
        const UczenAll &first = analysis.students.front();
        struct Number
        {
            const char *cell;
            double value;
        };
        const Number numbers[] = {
                {"B2", first.correct(1) ? 1.0 : 0.0},
                {"U2", first.correct(20) ? 1.0 : 0.0},
                {"V2", double(first.Suma)},
                {"P14", double(analysis.questions[14].correctCount)},
                {"Q14", double(analysis.questions[15].correctCount)},
                {"V14", double(analysis.summary.totalPoints)},
                {"U15", double(analysis.questions[19].correctPercent)},
                {"V15", analysis.summary.averagePoints100 / 100.0},
        };
        for (const Number &n : numbers) {
            const XmlCell cell = cellOf(results, QString::fromLatin1(n.cell));
            QVERIFY2(cell.found && cell.type.isEmpty(), n.cell);
            QCOMPARE(cell.value.toDouble(), n.value);
        }
        QCOMPARE(text(cellOf(results, QStringLiteral("W2"))), first.Ocena);
        // The header row stays in view, and the names with it.
        QVERIFY(results.contains(QStringLiteral("<pane xSplit=\"1\" ySplit=\"1\"")));

        // Working time: date-times and durations as numbers of days.
        const QString times = zipMember(*xlsx, QStringLiteral("xl/worksheets/sheet2.xml"));
        QCOMPARE(cellOf(times, QStringLiteral("B2")).value.toDouble(), first.Poczatek);
        QCOMPARE(cellOf(times, QStringLiteral("C2")).value.toDouble(), first.Koniec);
        // The working time in whole seconds, as the table shows it.
        QCOMPARE(cellOf(times, QStringLiteral("D2")).value.toDouble(), 20 * 60 / 86400.0);
        QVERIFY(cellOf(times, QStringLiteral("D14")).type.isEmpty());
        const QString styles = zipMember(*xlsx, QStringLiteral("xl/styles.xml"));
        QVERIFY(styles.contains(QStringLiteral("formatCode=\"hh:mm:ss\"")));
        QVERIFY(styles.contains(QStringLiteral("formatCode=\"yyyy-mm-dd hh:mm:ss\"")));
        // The header: bold, white on the grid's header colour.
        QVERIFY(styles.contains(QStringLiteral("<fgColor rgb=\"FF004040\"/>")));

        // Grade counts and thresholds: counts, average and percentages are numbers.
        const QString grades = zipMember(*xlsx, QStringLiteral("xl/worksheets/sheet3.xml"));
        QCOMPARE(cellOf(grades, QStringLiteral("B2")).value.toDouble(),
                double(analysis.summary.cel));
        QVERIFY(cellOf(grades, QStringLiteral("B8")).type.isEmpty());
        // Item analysis: the difficulty of question 1 is a number, its
        // interpretation text.
        const QString items = zipMember(*xlsx, QStringLiteral("xl/worksheets/sheet4.xml"));
        const XmlCell difficulty = cellOf(items, QStringLiteral("C2"));
        QVERIFY(difficulty.found && difficulty.type.isEmpty());
        QVERIFY(cellOf(items, QStringLiteral("D2")).isText());
        const QString thresholds = zipMember(*xlsx, QStringLiteral("xl/worksheets/sheet5.xml"));
        QCOMPARE(text(cellOf(thresholds, QStringLiteral("A2"))), QStringLiteral("Cel"));
        QCOMPARE(cellOf(thresholds, QStringLiteral("B2")).value, QStringLiteral("95"));
        QCOMPARE(cellOf(thresholds, QStringLiteral("B7")).value, QStringLiteral("0"));
    }

    // Two classes add the sheets "Klasy" and "Pytania w klasach" before
    // "Progi": numbers as numbers, the class names as text.
    void classesSheet()
    {
        AnalysisState analysis = makeAnalysis(12, 5);
        for (std::size_t i = 0; i < analysis.students.size(); ++i)
            analysis.students[i].schoolClass = i % 3 ? QStringLiteral("8b") : QStringLiteral("8a");
        const std::optional<QByteArray> xlsx = workbookBytes(workbookTables(analysis));
        QVERIFY(xlsx);
        const QString workbook = zipMember(*xlsx, QStringLiteral("xl/workbook.xml"));
        QVERIFY(workbook.contains(QStringLiteral("<sheet name=\"Analiza pytań\" sheetId=\"4\"")));
        QVERIFY(workbook.contains(QStringLiteral("<sheet name=\"Klasy\" sheetId=\"5\"")));
        QVERIFY(workbook.contains(
                QStringLiteral("<sheet name=\"Pytania w klasach\" sheetId=\"6\"")));
        QVERIFY(workbook.contains(QStringLiteral("<sheet name=\"Progi\" sheetId=\"7\"")));
        const QStringList strings = sharedStrings(*xlsx);
        const QString classes = zipMember(*xlsx, QStringLiteral("xl/worksheets/sheet5.xml"));
        const auto text = [&](const char *reference) {
            const XmlCell cell = cellOf(classes, QString::fromLatin1(reference));
            if (cell.type == QLatin1String("inlineStr"))
                return cell.inlineText;
            return cell.type == QLatin1String("s") ? strings.value(cell.value.toInt()) : QString();
        };
        QCOMPARE(text("A1"), QStringLiteral("Klasa"));
        QCOMPARE(text("A2"), QStringLiteral("8a"));
        QCOMPARE(text("A4"), QStringLiteral("Razem"));
        QCOMPARE(cellOf(classes, QStringLiteral("B2")).value, QStringLiteral("4"));
        QCOMPARE(cellOf(classes, QStringLiteral("B3")).value, QStringLiteral("8"));
        QCOMPARE(cellOf(classes, QStringLiteral("B4")).value, QStringLiteral("12"));
        // The questions in the classes: a column per class, question 1 in row 2,
        // easiness a number.
        const QString questions = zipMember(*xlsx, QStringLiteral("xl/worksheets/sheet6.xml"));
        const auto questionText = [&](const char *reference) {
            const XmlCell cell = cellOf(questions, QString::fromLatin1(reference));
            if (cell.type == QLatin1String("inlineStr"))
                return cell.inlineText;
            return cell.type == QLatin1String("s") ? strings.value(cell.value.toInt()) : QString();
        };
        QCOMPARE(questionText("A1"), QStringLiteral("Pytanie"));
        QCOMPARE(questionText("B1"), QStringLiteral("8a"));
        QCOMPARE(questionText("D1"), QStringLiteral("Razem"));
        QVERIFY(cellOf(questions, QStringLiteral("B2")).type.isEmpty());
    }

    void spreadsheetShowsTheTable_data()
    {
        QTest::addColumn<bool>("sampleClass");
        QTest::newRow("sample class") << true;
        // Working times a hair short of a whole second, one negative and one
        // past midnight: the table shows them cut to the second, of the
        // absolute value, as a time of day.
        QTest::newRow("times ending in .999") << false;
    }
    void spreadsheetShowsTheTable()
    {
        QFETCH(bool, sampleClass);
        AnalysisState analysis;
        if (sampleClass) {
            QStringList files;
            for (const QString &name :
                    QDir(examplesPath()).entryList({QStringLiteral("*.dat")}, QDir::Files)) {
                if (!name.startsWith(QLatin1String("inny_test")))
                    files.append(examplesPath(name));
            }
            QVERIFY(commitLoad(loadResults(files, analysis.thresholds), analysis));
            analysis.dataLoaded = true;
        } else {
            analysis = makeAnalysis(28, 30);
            for (std::size_t i = 0; i < analysis.students.size(); ++i) {
                UczenAll &student = analysis.students[i];
                student.Koniec = student.Poczatek + (20 * 60 + double(i) + 0.999) * kSecond;
            }
            analysis.students[3].Koniec = analysis.students[3].Poczatek - 10 * kMinute;
            analysis.students[4].Koniec = analysis.students[4].Poczatek + 1 + 5 * kMinute;
            analysis.students[5].Poczatek = kTestDay + 1 - 0.0004 * kSecond;
        }
        const std::vector<ReportTable> tables = workbookTables(analysis);
        const std::optional<QByteArray> xlsx = workbookBytes(tables);
        QVERIFY(xlsx);
        const QMap<QString, QList<QStringList>> sheets = sheetsAsShown(*xlsx);
        QVERIFY2(!sheets.isEmpty(), "LibreOffice Calc (libreoffice-calc-nogui) reads it back");

        for (const ReportTable &table : tables) {
            QVERIFY2(sheets.contains(table.sheetName), qPrintable(table.sheetName));
            const QList<QStringList> &shown = sheets[table.sheetName];
            QCOMPARE(shown.size(), qsizetype(table.rowCount()));
            for (int r = 0; r < table.rowCount(); ++r) {
                const std::vector<ReportCell> cells = TableTexts().shownRow(table, r);
                const QStringList &row = shown[qsizetype(r)];
                for (std::size_t c = 0; c < cells.size(); ++c) {
                    const QString cell = row.value(qsizetype(c));
                    QVERIFY2(showsTheTable(cell, cells[c]),
                            qPrintable(QStringLiteral("%1 row %2 column %3: %4 for %5")
                                               .arg(table.sheetName)
                                               .arg(r)
                                               .arg(c)
                                               .arg(cell, cells[c].text)));
                }
            }
        }
    }

    // Printed from a spreadsheet, every page of the students' results has
    // the header row and the names: landscape A4, the header row and the
    // name columns repeated on each page.
    void printsWithTheNamesOnEveryPage()
    {
        AnalysisState analysis = makeAnalysis(120, 30);
        for (std::size_t i = 0; i < analysis.students.size(); ++i) {
            analysis.students[i].Nazwisko = QStringLiteral("Wierzbicka-Fijałkowa%1").arg(i);
            analysis.students[i].schoolClass = i % 2 ? QStringLiteral("8b") : QStringLiteral("8a");
        }
        const std::optional<QByteArray> xlsx = workbookBytes({resultsReportTable(analysis)});
        QVERIFY(xlsx);
        const QString sheet = zipMember(*xlsx, QStringLiteral("xl/worksheets/sheet1.xml"));
        QVERIFY2(sheet.contains(QStringLiteral("paperSize=\"9\""))
                        && sheet.contains(QStringLiteral("orientation=\"landscape\"")),
                qPrintable(sheet.right(600)));
        const QString book = zipMember(*xlsx, QStringLiteral("xl/workbook.xml"));
        QVERIFY(book.contains(QStringLiteral("_xlnm.Print_Titles")));
        const QStringList pages = pdfPageTexts(printedByCalc(*xlsx));
        QVERIFY2(pages.size() > 1, "LibreOffice Calc prints the workbook");
        for (const QString &page : pages) {
            QVERIFY2(page.contains(QStringLiteral("Nazwisko i imię"))
                            && page.contains(QStringLiteral("Wierzbicka-Fijałkowa")),
                    qPrintable(page.left(300)));
        }
    }

    void everyCellKindInEveryRendering()
    {
        // One cell of each kind: the grid, the text and HTML exports and the
        // report show one text; the workbook a number where the table shows
        // one, in a format that shows the same.
        Table table(9, 2);
        table.sheetName = QStringLiteral("Rodzaje");
        for (int c = 0; c < 9; ++c) {
            table.setColumn(c, 60, ColumnRole::Text);
            table.setText(c, 0, QString::number(c));
        }
        table.setText(1, 1, QStringLiteral("Łuczak Jan"));
        table.setNumber(2, 1, CellKind::Whole, 17);
        table.setNumber(3, 1, CellKind::Decimal, 0.8449, 2);
        table.setNumber(4, 1, CellKind::Decimal, 3.5);
        table.setNumber(5, 1, CellKind::Percent, 57);
        table.setText(6, 1, QStringLiteral("Bdb"), CellKind::Grade);
        table.setNumber(7, 1, CellKind::DateTime, kTestDay + 9 * 60 * kMinute + 307.4 * kSecond);
        table.setNumber(8, 1, CellKind::Duration, -(10 * kMinute + 0.6 * kSecond));
        const QStringList texts{QString(), u"Łuczak Jan"_s, u"17"_s, u"0,84"_s, u"3,5"_s, u"57"_s,
                u"Bdb"_s, u"09:05:07"_s, u"00:10:00"_s};

        GridModel grid;
        renderHeader(grid, table);
        renderCells(grid, table, 0, 9, 0, 1, 2);
        const QString text = tableText(grid);
        const QString html = htmlPageText(grid);
        const std::vector<ReportCell> cells = TableTexts().shownRow(table, 1);
        for (int c = 0; c < 9; ++c) {
            const QString &expected = texts[c];
            QCOMPARE(grid.text(c, 1), expected);
            QCOMPARE(cells[std::size_t(c)].text, expected);
            QVERIFY(text.contains(expected));
            QVERIFY(html.contains(expected));
        }

        const std::optional<QByteArray> xlsx = workbookBytes({table});
        QVERIFY(xlsx);
        const QString sheet = zipMember(*xlsx, QStringLiteral("xl/worksheets/sheet1.xml"));
        QVERIFY(!cellOf(sheet, u"A2"_s).isText());
        QVERIFY(cellOf(sheet, u"B2"_s).isText());
        QCOMPARE(cellOf(sheet, u"C2"_s).value.toDouble(), 17.0);
        QCOMPARE(cellOf(sheet, u"D2"_s).value.toDouble(), 0.8449);
        QCOMPARE(cellOf(sheet, u"F2"_s).value.toDouble(), 57.0);
        QVERIFY(cellOf(sheet, u"G2"_s).isText());
        QCOMPARE(cellOf(sheet, u"I2"_s).value.toDouble(), 600.0 / 86400);
        const QMap<QString, QList<QStringList>> shown = sheetsAsShown(*xlsx);
        QVERIFY2(!shown.isEmpty(), "LibreOffice Calc (libreoffice-calc-nogui) reads it back");
        const QStringList row = shown.value(table.sheetName).value(1);
        for (int c = 0; c < 9; ++c)
            QVERIFY2(showsTheTable(row.value(c), cells[std::size_t(c)]), qPrintable(row.value(c)));
    }

    void valuesNoSpreadsheetHoldsStayText()
    {
        // A result file may hold any double; such a time stays the text the
        // table shows instead of making the workbook unreadable.
        AnalysisState analysis = makeAnalysis(2, 5);
        analysis.students.front().Poczatek = std::numeric_limits<double>::quiet_NaN();
        const std::optional<QByteArray> xlsx = workbookBytes(workbookTables(analysis));
        QVERIFY(xlsx);
        const QString times = zipMember(*xlsx, QStringLiteral("xl/worksheets/sheet2.xml"));
        QVERIFY(cellOf(times, QStringLiteral("B2")).isText());
        QVERIFY(!times.contains(QStringLiteral("nan"), Qt::CaseInsensitive));
    }
};

QTEST_MAIN(TestWorkbook)
#include "tst_workbook.moc"
