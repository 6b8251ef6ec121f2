#include "tablefixture.h"

#include "tables/analysistables.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"
#include "tables/numberformat.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>

using namespace zavevad;
using namespace zavevad::test;
using namespace Qt::StringLiterals;

namespace {

const QColor kBlackColour(0, 0, 0);
const QColor kRedColour(255, 0, 0);
const QColor kNavyColour(0, 0, 128);
const QColor kGreenColour(0, 128, 0);
const QColor kPlain(227, 225, 221);
const QColor kFifth(232, 244, 223);
const QColor kYellow(255, 255, 200);

QStringList headers(const GridModel &grid)
{
    QStringList list;
    for (int c = 0; c < grid.columnCount(); ++c)
        list << grid.text(c, 0);
    return list;
}

struct Arrows
{
    bool up, down, left, right;
    friend bool operator==(const Arrows &, const Arrows &) = default;
};

Arrows arrows(const GridState &state)
{
    const PanelGeometry &p = state.panels;
    return {p.PTabelaWGore.visible, p.PTabelaWDol.visible, p.PTabelaWLewo.visible,
            p.PTabelawPrawo.visible};
}

} // namespace

namespace QTest {
template<>
char *toString(const Arrows &a)
{
    QByteArray text;
    text.append("up ").append(a.up ? "shown" : "hidden");
    text.append(", down ").append(a.down ? "shown" : "hidden");
    text.append(", left ").append(a.left ? "shown" : "hidden");
    text.append(", right ").append(a.right ? "shown" : "hidden");
    return qstrdup(text.constData());
}
} // namespace QTest

class TestAnalysisTables : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // ---- Results table ----

    void resultsLayout_data()
    {
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("questionHeaders");
        QTest::addColumn<bool>("left");
        QTest::addColumn<bool>("right");
        auto numbers = [](int from, int to) {
            QStringList list;
            for (int k = from; k <= to; ++k)
                list << QString::number(k);
            return list;
        };
        QTest::newRow("3 questions") << 3 << 1 << numbers(1, 3) << false << false;
        QTest::newRow("15 questions") << 15 << 1 << numbers(1, 15) << false << false;
        QTest::newRow("16 questions, page 1") << 16 << 1 << numbers(1, 15) << false << true;
        QTest::newRow("16 questions, page 2") << 16 << 2 << numbers(16, 16) << true << false;
        QTest::newRow("30 questions, page 2") << 30 << 2 << numbers(16, 30) << true << false;
    }
    void resultsLayout()
    {
        QFETCH(int, questions);
        QFETCH(int, page);
        QFETCH(QStringList, questionHeaders);
        QFETCH(bool, left);
        QFETCH(bool, right);
        Fixture f(makeAnalysis(4, questions));
        f.tables.PokazTabele(TableResults);
        if (page == 2)
            f.tables.ImTabelaWPrawoClick();

        const int m = int(questionHeaders.size());
        QCOMPARE(f.state.tableKind, int(TableResults));
        QCOMPARE(f.state.firstQuestionPage, page == 1);
        QCOMPARE(f.grid.columnCount(), m + 3);
        QCOMPARE(f.grid.rowCount(), 4 + 3);
        const QStringList expectedHeaders = QStringList{u"Nazwisko i imię"_s} + questionHeaders
                + QStringList{u"Suma"_s, u"Ocena"_s};
        QCOMPARE(headers(f.grid), expectedHeaders);
        QCOMPARE(f.grid.columnWidth(0), 120);
        for (int c = 1; c <= m; ++c)
            QCOMPARE(f.grid.columnWidth(c), 26);
        QCOMPARE(f.grid.columnWidth(m + 1), 60);
        QCOMPARE(f.grid.columnWidth(m + 2), 60);
        QCOMPARE(f.state.tableWidth, 121 + 27 * m + 122);
        QCOMPARE(f.state.tableHeight, 17 * 7 + 3);
        QCOMPARE(resultsSumaColumn(f.state, f.analysis), m + 1);
        QCOMPARE(f.grid.topRow(), 1);
        QVERIFY(f.grid.selection().isCleared());
        const Arrows expected{false, false, left, right};
        QCOMPARE(arrows(f.state), expected);
        // Names stay in column 0 on both pages.
        QCOMPARE(f.grid.text(0, 1), u"Uczeń001 Anna"_s);
        QCOMPARE(f.grid.text(0, 4), u"Uczeń004 Anna"_s);
        QCOMPARE(f.grid.text(0, 5), u"Suma"_s);
        QCOMPARE(f.grid.text(0, 6), u"Średnia (%)"_s);
    }

    void answersAndSumsOnBothPages()
    {
        AnalysisState a;
        a.students.push_back(makeStudent(u"Śliwa"_s, u"Łucja"_s, 0x7fff, 20)); // 1..15 right
        a.students.push_back(makeStudent(u"Zając"_s, u"Piotr"_s, 0xfffff, 20)); // all right
        finishAnalysis(a, 20);
        Fixture f(std::move(a));
        f.tables.PokazTabele(TableResults);
        for (int c = 1; c <= 15; ++c) {
            QCOMPARE(f.grid.text(c, 1), u"1"_s);
            QCOMPARE(f.grid.resolvedFont(c, 1).color(), kBlackColour);
            QVERIFY(!f.grid.resolvedFont(c, 1).bold());
            QCOMPARE(f.grid.resolvedAlignment(c, 1), alCenter);
            QCOMPARE(f.grid.resolvedBackground(c, 1), kPlain);
        }
        QCOMPARE(f.grid.text(16, 1), u"15"_s);
        QCOMPARE(f.grid.resolvedFont(16, 1).color(), kRedColour);
        QVERIFY(f.grid.resolvedFont(16, 1).bold());
        QCOMPARE(f.grid.text(17, 1), u"Db"_s); // 15 of 20: 75 %
        QCOMPARE(f.grid.resolvedFont(17, 1).color(), kBlackColour);
        QVERIFY(f.grid.resolvedFont(17, 1).bold());

        f.tables.ImTabelaWPrawoClick();
        QCOMPARE(f.grid.columnCount(), 8);
        for (int c = 1; c <= 5; ++c) {
            QCOMPARE(f.grid.text(c, 1), u"0"_s);
            QCOMPARE(f.grid.resolvedFont(c, 1).color(), kRedColour);
            QVERIFY(!f.grid.resolvedFont(c, 1).bold());
            QCOMPARE(f.grid.text(c, 2), u"1"_s);
        }
        QCOMPARE(f.grid.text(6, 1), u"15"_s);
        QCOMPARE(f.grid.text(6, 2), u"20"_s);
        QCOMPARE(f.grid.text(0, 1), u"Śliwa Łucja"_s);
    }

    void summaryRows()
    {
        // Ten students, 20 questions, 123 points in all: average 12.3 points,
        // 61.5 % rounds to 62: "Dst".
        AnalysisState a;
        const std::uint32_t masks[] = {
                0x3fff, 0x1fff, 0xfff, 0xfff, 0xfff, 0xfff, 0xfff, 0xfff, 0xfff, 0xfff};
        for (int i = 0; i < 10; ++i)
            a.students.push_back(makeStudent(u"U%1"_s.arg(i), u"A"_s, masks[i], 20));
        finishAnalysis(a, 20);
        QCOMPARE(a.summary.totalPoints, 123);
        Fixture f(std::move(a));
        f.tables.PokazTabele(TableResults);
        const int sumRow = 11, avgRow = 12;

        QCOMPARE(f.grid.resolvedBackground(0, sumRow), kYellow);
        QCOMPARE(f.grid.resolvedFont(0, sumRow).color(), kNavyColour);
        QCOMPARE(f.grid.resolvedAlignment(0, sumRow), alLeft);
        QCOMPARE(f.grid.resolvedBackground(0, avgRow), QColor(221, 224, 216));
        QCOMPARE(f.grid.resolvedFont(0, avgRow).color(), kGreenColour);

        QCOMPARE(f.grid.text(1, sumRow), u"10"_s);
        QCOMPARE(f.grid.resolvedFont(1, sumRow).color(), kNavyColour);
        QCOMPARE(f.grid.text(1, avgRow), u"100"_s);
        QCOMPARE(f.grid.resolvedFont(1, avgRow).color(), kGreenColour);
        QCOMPARE(f.grid.text(13, sumRow), u"2"_s);
        QCOMPARE(f.grid.text(13, avgRow), u"20"_s);
        QCOMPARE(f.grid.text(14, sumRow), u"1"_s);
        QCOMPARE(f.grid.text(14, avgRow), u"10"_s);
        QCOMPARE(f.grid.text(16, sumRow), u"123"_s);
        QCOMPARE(f.grid.text(17, sumRow), QString());
        QCOMPARE(f.grid.resolvedFont(17, sumRow).color(), kRedColour);
        QCOMPARE(f.grid.text(16, avgRow), u"12,3"_s);
        QCOMPARE(f.grid.text(17, avgRow), u"Dst"_s);
        QCOMPARE(f.grid.resolvedBackground(16, avgRow), QColor(221, 224, 216));
        QCOMPARE(f.grid.resolvedAlignment(16, avgRow), alCenter);

        // Page 2: question counts black, not navy.
        f.tables.ImTabelaWPrawoClick();
        QCOMPARE(f.grid.text(1, sumRow), u"0"_s);
        QCOMPARE(f.grid.resolvedFont(1, sumRow).color(), kBlackColour);
        QVERIFY(f.grid.resolvedFont(1, sumRow).bold());

        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        f.tables.PokazTabele(TableResults);
        QCOMPARE(f.grid.text(16, avgRow), u"12.3"_s);
    }

    void threeStudentsBanding()
    {
        Fixture f(makeAnalysis(3, 5));
        f.tables.PokazTabele(TableResults);
        QCOMPARE(f.grid.rowCount(), 6);
        QCOMPARE(f.grid.text(0, 4), u"Suma"_s);
        QCOMPARE(f.grid.text(0, 5), u"Średnia (%)"_s);
        QCOMPARE(f.grid.resolvedBackground(0, 5), QColor(221, 224, 216));
        QCOMPARE(f.grid.resolvedBackground(0, 3), kPlain);
    }

    void studentBandingAfterALargerLoad()
    {
        // Formats persist: the rows that were summary rows of an earlier load
        // are banded again as student rows of a larger one.
        Fixture f(makeAnalysis(3, 5));
        f.tables.PokazTabele(TableResults);
        f.analysis = makeAnalysis(12, 5);
        f.tables.PokazTabele(TableResults);
        QCOMPARE(f.grid.resolvedBackground(1, 4), kPlain);
        QCOMPARE(f.grid.resolvedBackground(1, 5), kFifth);
        QCOMPARE(f.grid.resolvedBackground(1, 10), kFifth);
        QCOMPARE(f.grid.resolvedBackground(1, 13), kYellow);
    }

    void cellSevenAfterGradeTable_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("results") << int(TableResults);
        QTest::newRow("working time") << int(TableWorkingTime);
    }
    void cellSevenAfterGradeTable()
    {
        QFETCH(int, kind);
        Fixture f(makeAnalysis(9, 5));
        f.tables.PokazTabele(TableGradeCount);
        QCOMPARE(f.grid.resolvedFont(0, 7).color(), kRedColour);
        QVERIFY(f.grid.resolvedFont(0, 7).bold());
        f.tables.PokazTabele(TableKind(kind));
        QCOMPARE(f.grid.text(0, 7), u"Uczeń007 Anna"_s);
        QCOMPARE(f.grid.resolvedFont(0, 7).color(), kBlackColour);
        QVERIFY(!f.grid.resolvedFont(0, 7).bold());
        QCOMPARE(f.grid.resolvedAlignment(0, 7), alLeft);
        QCOMPARE(f.grid.resolvedBackground(0, 7), kPlain);
    }

    void columnZeroKeepsTheGradeTablesFormat()
    {
        // The grade-count table's column format decides column 0 from then on:
        // the summary labels are black and regular, no longer navy bold.
        Fixture f(makeAnalysis(5, 5));
        f.tables.PokazTabele(TableResults);
        QCOMPARE(f.grid.resolvedFont(0, 6).color(), kNavyColour);
        f.tables.PokazTabele(TableGradeCount);
        f.tables.PokazTabele(TableResults);
        QCOMPARE(f.grid.resolvedFont(0, 6).color(), kBlackColour);
        QVERIFY(!f.grid.resolvedFont(0, 6).bold());
        QCOMPARE(f.grid.resolvedBackground(0, 6), kYellow);
    }

    // ---- Working-time table ----

    void workingTimeTable()
    {
        AnalysisState a;
        const double start = kTestDay + 10 * 60 * kMinute;
        a.students.push_back(makeStudent(u"A"_s, u"A"_s, 1, 5, start, start + 20 * kMinute));
        a.students.push_back(makeStudent(u"B"_s, u"B"_s, 1, 5, start, start + 31 * kMinute));
        finishAnalysis(a, 5);
        Fixture f(std::move(a));
        f.tables.PokazTabele(TableWorkingTime);

        QCOMPARE(f.state.tableKind, int(TableWorkingTime));
        QCOMPARE(f.grid.columnCount(), 4);
        QCOMPARE(f.grid.rowCount(), 4);
        QCOMPARE(headers(f.grid),
                (QStringList{u"Nazwisko i imię"_s, u"Początek"_s, u"Koniec"_s, u"Czas pracy"_s}));
        QCOMPARE(f.state.tableWidth, 364);
        QCOMPARE(f.state.tableHeight, 17 * 4 + 3);
        QCOMPARE(f.grid.text(1, 1), u"10:00:00"_s);
        QCOMPARE(f.grid.text(2, 1), u"10:20:00"_s);
        QCOMPARE(f.grid.text(3, 1), u"00:20:00"_s);
        QCOMPARE(f.grid.resolvedFont(3, 1).color(), kGreenColour);
        QVERIFY(f.grid.resolvedFont(3, 1).bold());
        QCOMPARE(f.grid.resolvedFont(1, 1).color(), kBlackColour);
        QCOMPARE(f.grid.resolvedAlignment(1, 1), alCenter);
        QCOMPARE(f.grid.text(3, 2), u"00:31:00"_s);
        QCOMPARE(f.grid.text(0, 3), u"Średni (min)"_s);
        QCOMPARE(f.grid.text(3, 3), u"00:25:30"_s);
        QCOMPARE(f.grid.text(1, 3), QString());
        QCOMPARE(f.grid.resolvedFont(3, 3).color(), kRedColour);
        QCOMPARE(f.grid.resolvedBackground(1, 3), kYellow);
        QCOMPARE(f.grid.resolvedFont(0, 3).color(), kNavyColour);
        QVERIFY(f.grid.selection().isCleared());

        // Other locales use their own long time format.
        for (const QLocale &locale : {QLocale(QLocale::English, QLocale::UnitedKingdom),
                     QLocale(QLocale::German, QLocale::Germany),
                     QLocale(QLocale::Czech, QLocale::CzechRepublic)}) {
            QLocale::setDefault(locale);
            f.tables.PokazTabele(TableWorkingTime);
            QCOMPARE(f.grid.text(3, 3), locale.toString(QTime(0, 25, 30), longTimeFormat()));
            QVERIFY2(f.grid.text(3, 3) == u"00:25:30"_s || f.grid.text(3, 3) == u"0:25:30"_s,
                    qPrintable(f.grid.text(3, 3)));
        }
    }

    void workingTimeBanding()
    {
        Fixture f(makeAnalysis(16, 5));
        f.tables.PokazTabele(TableWorkingTime);
        QCOMPARE(f.grid.rowCount(), 18);
        QCOMPARE(f.grid.resolvedBackground(1, 15), kFifth);
        QCOMPARE(f.grid.resolvedBackground(1, 16), kPlain);
        QCOMPARE(f.grid.resolvedBackground(1, 17), kYellow);
        QCOMPARE(f.grid.text(0, 17), u"Średni (min)"_s);
    }

    void workingTimeOddValues()
    {
        AnalysisState a;
        const double nan = std::nan("");
        const double inf = std::numeric_limits<double>::infinity();
        a.students.push_back(makeStudent(u"A"_s, u"A"_s, 1, 5, kTestDay + 0.5, kTestDay + 0.25));
        a.students.push_back(makeStudent(u"B"_s, u"B"_s, 1, 5, nan, kTestDay));
        a.students.push_back(makeStudent(u"C"_s, u"C"_s, 1, 5, -inf, inf));
        a.students.push_back(makeStudent(u"D"_s, u"D"_s, 1, 5, -1e308, 1e308));
        finishAnalysis(a, 5);
        Fixture f(std::move(a));
        f.tables.PokazTabele(TableWorkingTime);
        QCOMPARE(f.grid.text(3, 1), u"06:00:00"_s); // -6 hours, shown without a sign
        QCOMPARE(f.grid.text(1, 2), u"00:00:00"_s);
        QCOMPARE(f.grid.text(3, 2), u"00:00:00"_s);
        QCOMPARE(f.grid.text(3, 3), u"00:00:00"_s);
        QCOMPARE(f.grid.text(3, 4), u"00:00:00"_s);
        QCOMPARE(f.grid.text(3, 5), u"00:00:00"_s);
    }

    void workingTimeSumsInExtendedPrecision()
    {
        // Many equal working times of 1 second: the average is exactly 1 second.
        AnalysisState a;
        for (int i = 0; i < 1000; ++i) {
            const double start = kTestDay + i * kMinute;
            a.students.push_back(makeStudent(u"U"_s, u"A"_s, 1, 5, start, start + kSecond));
        }
        finishAnalysis(a, 5);
        Fixture f(std::move(a));
        f.tables.PokazTabele(TableWorkingTime);
        QCOMPARE(f.grid.text(3, 1001), u"00:00:01"_s);
    }

    void workingTimeArrows()
    {
        for (int questions : {5, 20}) {
            Fixture f(makeAnalysis(20, questions));
            f.tables.PokazTabele(TableResults);
            f.tables.PokazTabele(TableWorkingTime);
            const PanelGeometry &p = f.state.panels;
            QCOMPARE(p.PPodTabele, QSize(368, 309));
            QCOMPARE(p.PTabela, QSize(396, 337));
            QCOMPARE(p.Tabela, QSize(367, 17 * 22 + 3));
            QCOMPARE(p.PTabelaWGore.pos, QPoint(370, 249));
            QCOMPARE(p.PTabelaWDol.pos, QPoint(370, 279));
            QCOMPARE(arrows(f.state), (Arrows{false, true, false, false}));
        }
    }

    // ---- Grade-count table ----

    void gradeCountTable()
    {
        Fixture f(makeGradeCounts(1, 0, 1, 0, 0, 1));
        f.tables.PokazTabele(TableGradeCount);
        QCOMPARE(f.state.tableKind, int(TableGradeCount));
        QCOMPARE(f.grid.columnCount(), 2);
        QCOMPARE(f.grid.rowCount(), 8);
        QCOMPARE(f.grid.columnWidth(0), 120);
        QCOMPARE(f.grid.columnWidth(1), 100);
        QCOMPARE(f.state.tableWidth, 222);
        QCOMPARE(f.state.tableHeight, 140);
        QCOMPARE(f.state.panels.PPodTabele, QSize(226, 140));
        QCOMPARE(f.state.panels.PTabela, QSize(226, 140));
        QCOMPARE(f.state.panels.Tabela, QSize(225, 140));
        QCOMPARE(arrows(f.state), (Arrows{false, false, false, false}));
        const QStringList labels{u"Ocena"_s, u"Cel"_s, u"Bdb"_s, u"Db"_s, u"Dst"_s, u"Dop"_s,
                u"Ndst"_s, u"Średnia z ocen"_s};
        const QStringList values{
                u"Ilość ocen"_s, u"1"_s, u"0"_s, u"1"_s, u"0"_s, u"0"_s, u"1"_s, u"3,67"_s};
        for (int r = 0; r < 8; ++r) {
            QCOMPARE(f.grid.text(0, r), labels[r]);
            QCOMPARE(f.grid.text(1, r), values[r]);
        }
        for (int r = 1; r <= 6; ++r) {
            QCOMPARE(f.grid.resolvedBackground(0, r), kPlain);
            QCOMPARE(f.grid.resolvedFont(1, r).color(), kBlackColour);
            QVERIFY(f.grid.resolvedFont(1, r).bold());
            QCOMPARE(f.grid.resolvedAlignment(1, r), alCenter);
            QVERIFY(!f.grid.resolvedFont(0, r).bold());
            QCOMPARE(f.grid.resolvedAlignment(0, r), alLeft);
        }
        QCOMPARE(f.grid.resolvedBackground(0, 7), kYellow);
        QCOMPARE(f.grid.resolvedFont(0, 7).color(), kRedColour);
        QVERIFY(f.grid.resolvedFont(0, 7).bold());
        QCOMPARE(f.grid.resolvedAlignment(0, 7), alLeft);
        QCOMPARE(f.grid.resolvedFont(1, 7).color(), kRedColour);
        QCOMPARE(f.grid.resolvedAlignment(1, 7), alCenter);
        QVERIFY(f.grid.selection().isCleared());
        QCOMPARE(f.grid.topRow(), 1);
    }

    void gradeAverage_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QList<int>>("counts");
        QTest::addColumn<QString>("expected");
        const QLocale pl(QLocale::Polish, QLocale::Poland);
        const QLocale en(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("pl Cel Db Ndst") << pl << QList<int>{1, 0, 1, 0, 0, 1} << u"3,67"_s;
        QTest::newRow("pl Bdb Db") << pl << QList<int>{0, 1, 1, 0, 0, 0} << u"4,5"_s;
        QTest::newRow("pl all Cel") << pl << QList<int>{4, 0, 0, 0, 0, 0} << u"6"_s;
        QTest::newRow("en Cel Db Ndst") << en << QList<int>{1, 0, 1, 0, 0, 1} << u"3.67"_s;
        QTest::newRow("en Bdb Db") << en << QList<int>{0, 1, 1, 0, 0, 0} << u"4.5"_s;
        // 13 / 8 = 1.625 and 17 / 8 = 2.125: halves go to the even neighbour.
        QTest::newRow("pl half to even") << pl << QList<int>{1, 0, 0, 0, 0, 7} << u"1,62"_s;
        QTest::newRow("pl 2.125") << pl << QList<int>{0, 1, 1, 1, 0, 5} << u"2,12"_s;
    }
    void gradeAverage()
    {
        QFETCH(QLocale, locale);
        QFETCH(QList<int>, counts);
        QFETCH(QString, expected);
        QLocale::setDefault(locale);
        Fixture f(
                makeGradeCounts(counts[0], counts[1], counts[2], counts[3], counts[4], counts[5]));
        f.tables.PokazOceny();
        QCOMPARE(f.grid.text(1, 7), expected);
    }

    // ---- Paging ----

    void paging_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("students");
        QTest::addColumn<QString>("clicks"); // d = down, u = up
        QTest::addColumn<QList<int>>("topRows"); // after each click
        QTest::addColumn<QString>("arrows"); // up/down after build and each click: U, D, B(oth), -
        QTest::newRow("results 40")
                << int(TableResults) << 40 << u"dduu"_s << QList<int>{16, 26, 11, 1} << u"DBUBD"_s;
        QTest::newRow("results 31")
                << int(TableResults) << 31 << u"duu"_s << QList<int>{17, 2, 1} << u"DUBD"_s;
        QTest::newRow("results 16")
                << int(TableResults) << 16 << u"du"_s << QList<int>{2, 1} << u"DUD"_s;
        QTest::newRow("working time 40") << int(TableWorkingTime) << 40 << u"dduu"_s
                                         << QList<int>{17, 25, 9, 1} << u"DBUBD"_s;
        QTest::newRow("working time 31")
                << int(TableWorkingTime) << 31 << u"du"_s << QList<int>{16, 1} << u"DUD"_s;
        QTest::newRow("working time 16")
                << int(TableWorkingTime) << 16 << u"d"_s << QList<int>{1} << u"DD"_s;
        QTest::newRow("results 15")
                << int(TableResults) << 15 << u"du"_s << QList<int>{1, 1} << u"---"_s;
        QTest::newRow("working time 15")
                << int(TableWorkingTime) << 15 << u"du"_s << QList<int>{1, 1} << u"---"_s;
        QTest::newRow("results 3") << int(TableResults) << 3 << u"d"_s << QList<int>{1} << u"--"_s;
    }
    void paging()
    {
        QFETCH(int, kind);
        QFETCH(int, students);
        QFETCH(QString, clicks);
        QFETCH(QList<int>, topRows);
        QFETCH(QString, arrows);
        Fixture f(makeAnalysis(students, 5));
        f.tables.PokazTabele(TableKind(kind));
        auto upDown = [&] {
            const Arrows a = ::arrows(f.state);
            return a.up && a.down ? u'B' : a.up ? u'U' : a.down ? u'D' : u'-';
        };
        QString seen(upDown());
        QList<int> tops;
        for (QChar click : clicks) {
            if (click == u'd')
                f.tables.ImTabelaWDolClick();
            else
                f.tables.ImTabelaWGoreClick();
            tops << f.grid.topRow();
            seen += upDown();
        }
        QCOMPARE(tops, topRows);
        QCOMPARE(seen, arrows);
    }

    void pageSwitchResetsTheTopRow()
    {
        Fixture f(makeAnalysis(40, 16));
        f.tables.PokazTabele(TableResults);
        f.tables.ImTabelaWDolClick();
        QCOMPARE(f.grid.topRow(), 16);
        f.tables.ImTabelaWPrawoClick();
        QCOMPARE(f.grid.topRow(), 1);
        QCOMPARE(resultsSumaColumn(f.state, f.analysis), 2);
        QCOMPARE(f.grid.text(1, 0), u"16"_s);
        QCOMPARE(f.grid.text(2, 0), u"Suma"_s);
        QCOMPARE(f.grid.text(3, 0), u"Ocena"_s);
        QCOMPARE(arrows(f.state), (Arrows{false, true, true, false}));
        f.tables.ImTabelaWLewoClick();
        QCOMPARE(resultsSumaColumn(f.state, f.analysis), 16);
        QCOMPARE(f.grid.text(0, 1), u"Uczeń001 Anna"_s);
        QCOMPARE(arrows(f.state), (Arrows{false, true, false, true}));
    }

    void pageArrowsOnlyForTheResultsTable()
    {
        Fixture f(makeAnalysis(5, 20));
        f.tables.PokazTabele(TableWorkingTime);
        f.tables.ImTabelaWPrawoClick();
        f.tables.ImTabelaWLewoClick();
        QCOMPARE(f.state.tableKind, int(TableWorkingTime));
        QCOMPARE(f.grid.columnCount(), 4);
    }

    void resultsArrowPositions()
    {
        Fixture f(makeAnalysis(20, 16));
        f.tables.PokazTabele(TableResults);
        const PanelGeometry &p = f.state.panels;
        QCOMPARE(p.Tabela, QSize(651, 17 * 23 + 3));
        QCOMPARE(p.PPodTabele, QSize(652, 309));
        QCOMPARE(p.PTabela, QSize(680, 337));
        QCOMPARE(p.PTabelaWGore.pos, QPoint(654, 249));
        QCOMPARE(p.PTabelaWDol.pos, QPoint(654, 279));
        QCOMPARE(p.PTabelaWLewo.pos, QPoint(592, 311));
        QCOMPARE(p.PTabelawPrawo.pos, QPoint(622, 311));
    }

    void otherKindsDoNothing()
    {
        Fixture f(makeAnalysis(5, 5));
        f.tables.PokazTabele(TableResults);
        const QString before = f.grid.text(1, 1);
        f.tables.PokazTabele(TableKind(0));
        f.tables.PokazTabele(TableKind(99));
        QCOMPARE(f.state.tableKind, int(TableResults));
        QCOMPARE(f.grid.text(1, 1), before);
    }
};

QTEST_GUILESS_MAIN(TestAnalysisTables)
#include "tst_analysistables.moc"
