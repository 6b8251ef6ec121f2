#include "tablefixture.h"

#include "results/itemanalysis.h"
#include "tables/analysistables.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"
#include "tables/itemanalysistable.h"

#include <QLocale>
#include <QTest>

using namespace zavevad;
using namespace zavevad::test;
using namespace Qt::StringLiterals;

// The four rows a staff-meeting report needs, after the reliability.
class TestItemSummary : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void summaryRows_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("category");
        QTest::newRow("every score once: all are modes")
                << QStringList{u"111"_s, u"110"_s, u"100"_s, u"000"_s}
                << QStringList{u"0"_s, u"3"_s, u"0, 1, 2, 3"_s, u"0,50"_s}
                << u"umiarkowanie trudne"_s;
        QTest::newRow("one mode") << QStringList{u"110"_s, u"101"_s, u"100"_s, u"000"_s}
                                  << QStringList{u"0"_s, u"2"_s, u"2"_s, u"0,42"_s} << u"trudne"_s;
        QTest::newRow("two modes")
                << QStringList{u"11"_s, u"00"_s, u"11"_s, u"10"_s, u"00"_s}
                << QStringList{u"0"_s, u"2"_s, u"0, 2"_s, u"0,50"_s} << u"umiarkowanie trudne"_s;
        QTest::newRow("one student")
                << QStringList{u"110"_s} << QStringList{u"2"_s, u"2"_s, u"2"_s, u"0,67"_s}
                << u"umiarkowanie trudne"_s;
        QTest::newRow("all right")
                << QStringList{u"11"_s, u"11"_s} << QStringList{u"2"_s, u"2"_s, u"2"_s, u"1,00"_s}
                << u"bardzo łatwe"_s;
    }
    void summaryRows()
    {
        QFETCH(QStringList, answers);
        QFETCH(QStringList, values);
        QFETCH(QString, category);
        GridModel grid;
        GridState state;
        const AnalysisState analysis = classOf(answers);
        AnalysisTables(grid, state, analysis).PokazTabele(TableItemAnalysis);
        const int k = analysis.questionCount;
        const QStringList labels{u"Wynik najniższy (pkt)"_s, u"Wynik najwyższy (pkt)"_s,
                u"Modalna (pkt)"_s, u"Łatwość testu"_s};
        QCOMPARE(grid.text(0, k + 7), u"Błąd pomiaru (SEM)"_s);
        QCOMPARE(grid.rowCount(), k + 16);
        for (int i = 0; i < 4; ++i) {
            const int row = k + 8 + i;
            QCOMPARE(grid.text(0, row), labels.at(i));
            QCOMPARE(grid.text(1, row), values.at(i));
            QCOMPARE(grid.text(2, row), QString());
            QCOMPARE(grid.text(3, row), i == 3 ? category : QString());
            QCOMPARE(grid.resolvedBackground(0, row), QColor(255, 255, 200));
            QCOMPARE(grid.resolvedFont(1, row).color(), QColor(255, 0, 0));
        }
    }

    void reliabilityRows_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("values");
        // KR-20 = 4 * 28 / (3 * 50) = 0,7467 with n = 5, k = 4: Feldt with
        // F(0.975; 4, 12) and F(0.025; 4, 12); split-half by hand 0,4932;
        // 4 * 4 * 19 / 56 = 5.4 questions, up to 6; SEM = sqrt(50) / 5 *
        // sqrt(1 - 0,7467) = 0,7118, times 1,96 = 1,40.
        QTest::newRow("five students") << QStringList{u"1111"_s, u"1110"_s, u"1010"_s, u"0100"_s,
                u"0000"_s} << QStringList{u"-0,04 – 0,97"_s, u"0,49"_s, u"6"_s, u"1,40"_s};
        QTest::newRow("one student")
                << QStringList{u"110"_s} << QStringList{kDash, kDash, kDash, kDash};
    }
    void reliabilityRows()
    {
        QFETCH(QStringList, answers);
        QFETCH(QStringList, values);
        const AnalysisState analysis = classOf(answers);
        const Table table = itemAnalysisTable(analysis);
        const int k = analysis.questionCount;
        const QStringList labels{u"KR-20: przedział 95 %"_s, u"Rzetelność połówkowa"_s,
                u"Pytań do rzetelności 0,80"_s, u"Przedział wyniku (±1,96 SEM)"_s};
        const TableTexts texts;
        QCOMPARE(texts.text(table, 0, k + 11), u"Łatwość testu"_s);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(texts.text(table, 0, k + 12 + i), labels.at(i));
            const bool interval = i == 0 && values.at(0) != kDash;
            QCOMPARE(texts.text(table, interval ? 3 : 1, k + 12 + i), values.at(i));
        }
        QCOMPARE(table.summaryRows, 14);
    }

    void noStudents()
    {
        AnalysisState analysis = classOf({u"11"_s});
        analysis.students.clear();
        analysis.studentCount = 0;
        const ItemAnalysis stats = computeItemAnalysis(analysis);
        QVERIFY(!stats.lowestScore && !stats.highestScore && !stats.testFacility);
        QVERIFY(stats.modes.empty());
    }
};

QTEST_GUILESS_MAIN(TestItemSummary)
#include "tst_itemsummary.moc"
