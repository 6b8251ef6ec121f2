// The workbook read back: its XML parts, as a spreadsheet reads them.

#include "../tables/analysisbuilder.h"
#include "reporttools.h"

#include "export/workbook.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTest>

using namespace zavevad;
using namespace zavevad::test;

namespace {

/// The cell `reference` ("B2") of a sheet's XML: its type attribute and value.
struct XmlCell
{
    bool found = false;
    QString type; ///< "s" for a shared string, empty for a number
    QString value;
};

XmlCell cellOf(const QString &sheetXml, const QString &reference)
{
    const QRegularExpression pattern(
            QStringLiteral("<c r=\"%1\"([^>]*)>(?:<v>([^<]*)</v>)?").arg(reference));
    const QRegularExpressionMatch match = pattern.match(sheetXml);
    if (!match.hasMatch())
        return {};
    static const QRegularExpression typeAttribute(QStringLiteral("t=\"(\\w+)\""));
    const QRegularExpressionMatch type = typeAttribute.match(match.captured(1));
    return {true, type.hasMatch() ? type.captured(1) : QString(), match.captured(2)};
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
            return cell.type == QLatin1String("s") ? strings.value(cell.value.toInt()) : QString();
        };

        // Results: all twenty questions in one sheet; A name, B..U answers,
        // V points, W grade; row 2 the first student, rows 14 and 15 the sums.
        const QString results = zipMember(*xlsx, QStringLiteral("xl/worksheets/sheet1.xml"));
        QCOMPARE(text(cellOf(results, QStringLiteral("A1"))), QStringLiteral("Nazwisko i imię"));
        QCOMPARE(text(cellOf(results, QStringLiteral("U1"))), QStringLiteral("20"));
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
        QCOMPARE(cellOf(items, QStringLiteral("D2")).type, QStringLiteral("s"));
        const QString thresholds = zipMember(*xlsx, QStringLiteral("xl/worksheets/sheet5.xml"));
        QCOMPARE(text(cellOf(thresholds, QStringLiteral("A2"))), QStringLiteral("Cel"));
        QCOMPARE(cellOf(thresholds, QStringLiteral("B2")).value, QStringLiteral("95"));
        QCOMPARE(cellOf(thresholds, QStringLiteral("B7")).value, QStringLiteral("0"));
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
        QCOMPARE(cellOf(times, QStringLiteral("B2")).type, QStringLiteral("s"));
        QVERIFY(!times.contains(QStringLiteral("nan"), Qt::CaseInsensitive));
    }
};

QTEST_MAIN(TestWorkbook)
#include "tst_workbook.moc"
