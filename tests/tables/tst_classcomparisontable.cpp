#include "tablefixture.h"

#include "results/regrading.h"
#include "tables/analysistables.h"
#include "tables/classcomparisontable.h"
#include "tables/columnpages.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"

#include <QLocale>
#include <QTest>

using namespace zavevad;
using namespace zavevad::test;
using namespace Qt::StringLiterals;

namespace {

// Three classes of a four-question test, in list order not that of their
// names; "Ćma" sorts before "Dąb" in Polish, after it by code points.
AnalysisState threeClasses()
{
    const struct
    {
        const char16_t *schoolClass;
        const char *answers;
    } students[] = {
            {u"Dąb", "1111"},
            {u"Brzoza", "1111"},
            {u"Ćma", "0001"},
            {u"Brzoza", "1100"},
            {u"Dąb", "0000"},
            {u"Brzoza", "1110"},
    };
    AnalysisState state;
    int i = 0;
    for (const auto &s : students) {
        std::uint32_t mask = 0;
        for (int q = 0; q < 4; ++q)
            mask |= s.answers[q] == '1' ? 1u << q : 0u;
        UczenAll student = makeStudent(u"Uczeń%1"_s.arg(++i), u"Ala"_s, mask, 4);
        student.schoolClass = QString::fromUtf16(s.schoolClass);
        state.students.push_back(student);
    }
    finishAnalysis(state, 4);
    return state;
}

} // namespace

class TestClassComparisonTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // Every number worked out by hand (see the comments for the sums).
    void handComputedClasses()
    {
        Fixture f(threeClasses());
        f.tables.PokazTabele(TableClassComparison);
        QCOMPARE(f.state.tableKind, int(TableClassComparison));
        QCOMPARE(f.grid.rowCount(), 1 + 3 + 1);
        QCOMPARE(f.grid.columnCount(), 15);
        QCOMPARE(rowTexts(f.grid, 0),
                (QStringList{u"Klasa"_s, u"Liczba uczniów"_s, u"Średnia (pkt)"_s, u"Średnia (%)"_s,
                        u"Mediana (pkt)"_s, u"Odchylenie standardowe"_s, u"Łatwość testu"_s,
                        u"Cel"_s, u"Bdb"_s, u"Db"_s, u"Dst"_s, u"Dop"_s, u"Ndst"_s,
                        u"Średnia ocena"_s, u"KR-20"_s}));
        // Brzoza: X = 4, 2, 3; variance 2/3; KR-20 = 4 (6 - 4) / (3 * 6).
        QCOMPARE(rowTexts(f.grid, 1),
                (QStringList{u"Brzoza"_s, u"3"_s, u"3,00"_s, u"75,00"_s, u"3,00"_s, u"0,82"_s,
                        u"0,75"_s, u"1"_s, u"0"_s, u"1"_s, u"0"_s, u"1"_s, u"0"_s, u"4,00"_s,
                        u"0,44"_s}));
        // Ćma: one student; no KR-20.
        QCOMPARE(rowTexts(f.grid, 2),
                (QStringList{u"Ćma"_s, u"1"_s, u"1,00"_s, u"25,00"_s, u"1,00"_s, u"0,00"_s,
                        u"0,25"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"1"_s, u"1,00"_s,
                        kDash}));
        // Dąb: X = 4, 0; KR-20 = 4 (16 - 4) / (3 * 16).
        QCOMPARE(rowTexts(f.grid, 3),
                (QStringList{u"Dąb"_s, u"2"_s, u"2,00"_s, u"50,00"_s, u"2,00"_s, u"2,00"_s,
                        u"0,50"_s, u"1"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"1"_s, u"3,50"_s,
                        u"1,00"_s}));
        // All six: X sums to 14, squares to 46; V = 6 * 46 - 196 = 80, S = 34;
        // median (2 + 3) / 2; grades (12 + 4 + 2 + 2) / 6.
        QCOMPARE(rowTexts(f.grid, 4),
                (QStringList{u"Razem"_s, u"6"_s, u"2,33"_s, u"58,33"_s, u"2,50"_s, u"1,49"_s,
                        u"0,58"_s, u"2"_s, u"0"_s, u"1"_s, u"0"_s, u"1"_s, u"2"_s, u"3,33"_s,
                        u"0,77"_s}));
        QCOMPARE(classComparisonLastClassRow(f.grid), 3);

        // The questions in the classes: Ćma far below all students on the
        // first three questions, Dąb 0,17 below on the first two: not marked.
        f.tables.PokazTabele(TableClassQuestions);
        QCOMPARE(f.state.tableKind, int(TableClassQuestions));
        QCOMPARE(f.grid.rowCount(), 1 + 4);
        QCOMPARE(rowTexts(f.grid, 0),
                (QStringList{u"Pytanie"_s, u"Brzoza"_s, u"Ćma"_s, u"Dąb"_s, u"Razem"_s}));
        QCOMPARE(rowTexts(f.grid, 1),
                (QStringList{u"1"_s, u"1,00"_s, u"0,00 ▼"_s, u"0,50"_s, u"0,67"_s}));
        QCOMPARE(rowTexts(f.grid, 2),
                (QStringList{u"2"_s, u"1,00"_s, u"0,00 ▼"_s, u"0,50"_s, u"0,67"_s}));
        QCOMPARE(rowTexts(f.grid, 3),
                (QStringList{u"3"_s, u"0,67"_s, u"0,00 ▼"_s, u"0,50"_s, u"0,50"_s}));
        QCOMPARE(rowTexts(f.grid, 4),
                (QStringList{u"4"_s, u"0,33"_s, u"1,00"_s, u"0,50"_s, u"0,50"_s}));

        // The grade-count table's average is the "Razem" one.
        f.tables.PokazTabele(TableGradeCount);
        QCOMPARE(f.grid.text(1, 7), u"3,33"_s);
    }

    // A class more than 0,20 below "Razem" is marked red, bold and with a
    // sign that a grey printout keeps; one exactly 0,20 below is not, and a
    // class above it never. "Razem" stands out from the marks: black on yellow.
    void questionsMarkClassesFarBelowAll()
    {
        AnalysisState analysis;
        const struct
        {
            const char16_t *schoolClass;
            std::uint32_t mask; // bit q - 1 for question q
        } students[] = {{u"A", 0b111}, {u"A", 0b111}, {u"A", 0b111}, {u"A", 0b110}, {u"A", 0b100},
                {u"B", 0b111}, {u"B", 0b100}, {u"B", 0}, {u"B", 0}, {u"B", 0}};
        for (const auto &s : students) {
            UczenAll student = makeStudent(u"Uczeń"_s, u"Ala"_s, s.mask, 3);
            student.schoolClass = QString::fromUtf16(s.schoolClass);
            analysis.students.push_back(student);
        }
        finishAnalysis(analysis, 3);
        Fixture f(std::move(analysis));
        f.tables.PokazTabele(TableClassQuestions);
        // Razem 0,40 / 0,50 / 0,70; B 0,20 / 0,20 / 0,40.
        QCOMPARE(rowTexts(f.grid, 0), (QStringList{u"Pytanie"_s, u"A"_s, u"B"_s, u"Razem"_s}));
        QStringList shown;
        QStringList marked;
        for (int q = 1; q <= 3; ++q) {
            shown << rowTexts(f.grid, q).join(u' ');
            for (int c = 1; c <= 2; ++c) {
                const GridFont &font = f.grid.resolvedFont(c, q);
                if (font.color() == QColor(255, 0, 0)) {
                    QVERIFY(font.bold());
                    marked << u"%1:%2"_s.arg(q).arg(f.grid.text(c, q));
                }
            }
            QCOMPARE(f.grid.resolvedFont(3, q).color(), QColor(Qt::black));
            QVERIFY(f.grid.resolvedFont(3, q).bold());
            QCOMPARE(f.grid.resolvedBackground(3, q), QColor(255, 255, 200));
        }
        QCOMPARE(shown,
                (QStringList{
                        u"1 0,60 0,20 0,40"_s, u"2 0,80 0,20 ▼ 0,50"_s, u"3 1,00 0,40 ▼ 0,70"_s}));
        QCOMPARE(marked, (QStringList{u"2:0,20 ▼"_s, u"3:0,40 ▼"_s}));
        // The mark is a sign beside the number, which stays a number.
        const Table table = classQuestionsTable(f.analysis);
        QCOMPARE(table.cell(2, 2).kind, CellKind::Decimal);
        QCOMPARE(table.cell(2, 2).value, 0.2);
    }

    // The thresholds dialog regrades the students; the table rebuilt from them
    // counts the new grades, per class and in total.
    void followsTheThresholdsInForce()
    {
        Fixture f(threeClasses());
        f.tables.PokazTabele(TableClassComparison);
        regradeAnalysis(
                f.analysis, Thresholds{.cel = 100, .bdb = 75, .db = 70, .dst = 50, .dop = 25});
        f.tables.PokazTabele(TableClassComparison);
        QCOMPARE(rowTexts(f.grid, 1).mid(7, 7),
                (QStringList{u"1"_s, u"1"_s, u"0"_s, u"1"_s, u"0"_s, u"0"_s, u"4,67"_s}));
        QCOMPARE(rowTexts(f.grid, 2).mid(7, 7),
                (QStringList{u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"1"_s, u"0"_s, u"2,00"_s}));
        QCOMPARE(rowTexts(f.grid, 4).mid(7, 7),
                (QStringList{u"2"_s, u"1"_s, u"0"_s, u"1"_s, u"1"_s, u"1"_s, u"3,83"_s}));
    }

    // Many classes: a column each, paged sideways with the questions' column
    // in view; the rows page as before, and neither paging moves the other.
    void manyClassesPageBothWays()
    {
        AnalysisState analysis = makeAnalysis(60, 20);
        for (std::size_t i = 0; i < analysis.students.size(); ++i)
            analysis.students[i].schoolClass = u"Klasa %1"_s.arg(i % 20, 2, 10, QLatin1Char('0'));
        Fixture f(std::move(analysis));
        f.tables.PokazTabele(TableClassComparison);
        QCOMPARE(f.grid.rowCount(), 1 + 20 + 1);
        f.tables.PokazTabele(TableClassQuestions);
        QCOMPARE(f.grid.columnCount(), 22);
        QCOMPARE(f.grid.text(21, 0), u"Razem"_s);
        QCOMPARE(f.grid.rowCount(), 1 + 20);
        QVERIFY(f.state.tableWidth <= kShownTableWidth);
        QVERIFY(f.state.panels.PTabelaWDol.visible);
        QVERIFY(f.state.panels.PTabelawPrawo.visible);
        QVERIFY(!f.state.panels.PTabelaWLewo.visible);

        f.tables.ImTabelaWDolClick();
        const int top = f.grid.topRow();
        QVERIFY(top > 1);
        // Right to the last page: every class column comes into view once.
        std::vector<int> firstColumns{f.grid.leftColumn()};
        while (f.state.panels.PTabelawPrawo.visible && firstColumns.size() < 30) {
            f.tables.ImTabelaWPrawoClick();
            firstColumns.push_back(f.grid.leftColumn());
            QCOMPARE(f.grid.topRow(), top);
            QVERIFY(f.state.panels.PTabelaWLewo.visible);
        }
        QCOMPARE(firstColumns, columnPageStarts(f.grid));
        QVERIFY(firstColumns.size() > 1);
        f.tables.ImTabelaWPrawoClick();
        QCOMPARE(f.grid.leftColumn(), firstColumns.back());
        f.tables.ImTabelaWDolClick();
        QCOMPARE(f.grid.leftColumn(), firstColumns.back());
        while (f.state.panels.PTabelaWLewo.visible)
            f.tables.ImTabelaWLewoClick();
        QCOMPARE(f.grid.leftColumn(), 1);
        QVERIFY(f.state.panels.PTabelawPrawo.visible);

        // Another table starts on its first page of columns.
        f.tables.ImTabelaWPrawoClick();
        f.tables.PokazTabele(TableClassComparison);
        QCOMPARE(f.grid.leftColumn(), 1);
    }
};

QTEST_GUILESS_MAIN(TestClassComparisonTable)
#include "tst_classcomparisontable.moc"
