#include "tablefixture.h"

#include "tables/analysistables.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"
#include "tables/itemanalysistable.h"

#include <QLocale>
#include <QTest>

using namespace zavevad;
using namespace zavevad::test;
using namespace Qt::StringLiterals;

namespace {

// Everything a table leaves behind for the next one, the stored formats
// beyond the current size included; empty when the two grids are the same.
QString difference(const GridModel &a, const GridState &sa, const GridModel &b, const GridState &sb)
{
    if (a.columnCount() != b.columnCount() || a.rowCount() != b.rowCount())
        return u"size"_s;
    if (a.topRow() != b.topRow() || !(a.selection() == b.selection()))
        return u"top row or selection"_s;
    if (!(a.headerRowFormat() == b.headerRowFormat()))
        return u"header row format"_s;
    if (sa.tableKind != sb.tableKind || sa.firstQuestionPage != sb.firstQuestionPage
            || sa.tableWidth != sb.tableWidth || sa.tableHeight != sb.tableHeight
            || !(sa.panels == sb.panels))
        return u"grid state"_s;
    constexpr int kColumns = 40;
    constexpr int kRows = 60;
    for (int c = 0; c < kColumns; ++c) {
        if (a.columnWidth(c) != b.columnWidth(c))
            return u"width of column %1"_s.arg(c);
        if (!(a.columnFormat(c) == b.columnFormat(c)))
            return u"format of column %1"_s.arg(c);
        if (!(a.headerColumnFormat(c) == b.headerColumnFormat(c)))
            return u"header format of column %1"_s.arg(c);
    }
    for (int r = 0; r < kRows; ++r) {
        if (!(a.rowFormat(r) == b.rowFormat(r)))
            return u"format of row %1"_s.arg(r);
        for (int c = 0; c < kColumns; ++c) {
            const QString cell = u"cell (%1,%2): "_s.arg(c).arg(r);
            if (a.text(c, r) != b.text(c, r))
                return cell + a.text(c, r) + u" / "_s + b.text(c, r);
            if (!(a.cellFormat(c, r) == b.cellFormat(c, r)))
                return cell + u"format"_s;
            if (a.resolvedBackground(c, r) != b.resolvedBackground(c, r)
                    || !(a.resolvedFont(c, r) == b.resolvedFont(c, r))
                    || a.resolvedAlignment(c, r) != b.resolvedAlignment(c, r)
                    || a.resolvedFontIsSet(c, r) != b.resolvedFontIsSet(c, r))
                return cell + u"resolved look"_s;
        }
    }
    return {};
}

} // namespace

class TestItemAnalysisTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void layout_data()
    {
        QTest::addColumn<int>("questions");
        QTest::newRow("1 question") << 1;
        QTest::newRow("3 questions") << 3;
        QTest::newRow("30 questions") << 30;
    }
    void layout()
    {
        QFETCH(int, questions);
        Fixture f(makeAnalysis(12, questions));
        f.tables.PokazTabele(TableItemAnalysis);
        QCOMPARE(f.state.tableKind, int(TableItemAnalysis));
        QCOMPARE(f.grid.columnCount(), 8);
        QCOMPARE(f.grid.rowCount(), questions + 16);
        QCOMPARE(rowTexts(f.grid, 0),
                QStringList({u"Pytanie"_s, u"Dobrze"_s, u"Łatwość"_s, u"Interpretacja"_s,
                        u"Moc różn."_s, u"Górna-dolna"_s, u"KR-20 bez"_s, u"Uwagi"_s}));
        for (int q = 1; q <= questions; ++q)
            QCOMPARE(f.grid.text(0, q), QString::number(q));
        QCOMPARE(rowTexts(f.grid, questions + 1), QStringList(8, QString()));
        const QStringList labels{u"Liczba uczniów"_s, u"Średnia (pkt)"_s, u"Mediana (pkt)"_s,
                u"Odchylenie standardowe"_s, u"KR-20 (rzetelność)"_s, u"Błąd pomiaru (SEM)"_s};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(f.grid.text(0, questions + 2 + i), labels.at(i));
        QCOMPARE(f.grid.text(1, questions + 2), u"12"_s);
        QCOMPARE(itemAnalysisLastQuestionRow(f.grid), questions);

        int width = 0;
        for (int c = 0; c < 8; ++c)
            width += f.grid.columnWidth(c) + 1;
        QCOMPARE(f.state.tableWidth, width);
        QCOMPARE(f.state.tableHeight, 17 * (questions + 16) + 3);
        // All eight columns at once, arrows included, on the main card's
        // artwork (750 pixels wide) from the panel's place (36) like the
        // results table.
        QVERIFY(f.state.panels.PTabela.width() <= 750 - 36);
        QVERIFY(!f.state.panels.PTabelaWLewo.visible && !f.state.panels.PTabelawPrawo.visible);
        QCOMPARE(f.grid.topRow(), 1);
        QVERIFY(f.grid.selection().isCleared());
    }

    void smallClassTexts_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("point");
        QTest::newRow("Polish") << QLocale(QLocale::Polish, QLocale::Poland) << u","_s;
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << u"."_s;
    }
    void smallClassTexts()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, point);
        QLocale::setDefault(locale);
        auto d = [&point](const char *text) {
            return QString::fromUtf8(text).replace(u'.', point);
        };
        Fixture f(classOf({u"111"_s, u"110"_s, u"100"_s, u"000"_s}));
        f.tables.PokazTabele(TableItemAnalysis);
        QCOMPARE(rowTexts(f.grid, 1),
                QStringList({u"1"_s, u"3"_s, d("0.75"), u"łatwe"_s, d("0.52"), d("1.00"), d("0.73"),
                        QString()}));
        QCOMPARE(rowTexts(f.grid, 2),
                QStringList({u"2"_s, u"2"_s, d("0.50"), u"umiarkowanie trudne"_s, d("0.71"),
                        d("1.00"), d("0.50"), QString()}));
        QCOMPARE(rowTexts(f.grid, 3),
                QStringList({u"3"_s, u"1"_s, d("0.25"), u"trudne"_s, d("0.52"), d("1.00"),
                        d("0.73"), QString()}));
        const QStringList values{u"4"_s, d("1.50"), d("1.50"), d("1.12"), d("0.75"), d("0.56")};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(f.grid.text(1, 5 + i), values.at(i));
    }

    void undefinedAndNegativeTexts()
    {
        Fixture one(classOf({u"110"_s}));
        one.tables.PokazTabele(TableItemAnalysis);
        QCOMPARE(rowTexts(one.grid, 1),
                QStringList({u"1"_s, u"1"_s, u"1,00"_s, u"bardzo łatwe"_s, kDash, kDash, kDash,
                        u"stała"_s}));
        const QStringList values{u"1"_s, u"2,00"_s, u"2,00"_s, u"0,00"_s, kDash, kDash};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(one.grid.text(1, 5 + i), values.at(i));

        // One question that varies: r has no rest score to go by, so no flag.
        Fixture single(classOf({u"1"_s, u"0"_s, u"1"_s}));
        single.tables.PokazTabele(TableItemAnalysis);
        QCOMPARE(single.grid.text(4, 1), kDash);
        QCOMPARE(single.grid.text(7, 1), QString());

        // Equal scores: every question against its rest score is -1.
        Fixture same(classOf({u"110"_s, u"101"_s, u"011"_s}));
        same.tables.PokazTabele(TableItemAnalysis);
        QCOMPARE(rowTexts(same.grid, 3),
                QStringList({u"3"_s, u"2"_s, u"0,67"_s, u"umiarkowanie trudne"_s, u"-1,00"_s,
                        u"-1,00"_s, u"-2,00"_s, u"ujemna"_s}));
        QCOMPARE(same.grid.text(1, 9), kDash); // KR-20
        const GridFont &remark = same.grid.resolvedFont(7, 3);
        QCOMPARE(remark.color(), QColor(255, 0, 0));
        QVERIFY(remark.bold());
        QCOMPARE(same.grid.resolvedFont(4, 3).color(), QColor(255, 0, 0));
    }

    void looks()
    {
        Fixture f(makeAnalysis(12, 6));
        f.tables.PokazTabele(TableItemAnalysis);
        // The header row is the grid's own header look, as in every table.
        for (int c = 0; c < 8; ++c) {
            QCOMPARE(f.grid.resolvedBackground(c, 0), QColor(0, 64, 64));
            QVERIFY(f.grid.resolvedFont(c, 0).bold());
            QCOMPARE(f.grid.resolvedAlignment(c, 0), alCenter);
        }
        QCOMPARE(f.grid.resolvedBackground(3, 4), QColor(227, 225, 221));
        QCOMPARE(f.grid.resolvedBackground(3, 5), QColor(232, 244, 223));
        QCOMPARE(f.grid.resolvedBackground(3, 7), QColor(227, 225, 221)); // the empty row
        for (int r = 8; r <= 13; ++r) {
            QCOMPARE(f.grid.resolvedBackground(0, r), QColor(255, 255, 200));
            QCOMPARE(f.grid.resolvedFont(0, r).color(), QColor(0, 0, 128));
            QCOMPARE(f.grid.resolvedAlignment(0, r), alLeft);
            QCOMPARE(f.grid.resolvedFont(1, r).color(), QColor(255, 0, 0));
            QCOMPARE(f.grid.resolvedAlignment(1, r), alCenter);
        }
        for (int c = 0; c < 8; ++c)
            QCOMPARE(f.grid.resolvedAlignment(c, 2), alCenter);
    }

    void pagesLikeTheWorkingTimeTable()
    {
        // 30 questions: 45 body rows, paged by 16 as the working-time table
        // pages 44 students.
        Fixture f(makeAnalysis(5, 30));
        f.tables.PokazTabele(TableItemAnalysis);
        const PanelGeometry &p = f.state.panels;
        QCOMPARE(p.PPodTabele.height(), 309);
        QVERIFY(!p.PTabelaWGore.visible);
        QVERIFY(p.PTabelaWDol.visible);
        f.tables.ImTabelaWDolClick();
        QCOMPARE(f.grid.topRow(), 17);
        QVERIFY(p.PTabelaWGore.visible && p.PTabelaWDol.visible);
        f.tables.ImTabelaWDolClick();
        QCOMPARE(f.grid.topRow(), 29); // rows 29 to 45 on the last page
        QVERIFY(p.PTabelaWGore.visible && !p.PTabelaWDol.visible);
        f.tables.ImTabelaWGoreClick();
        QCOMPARE(f.grid.topRow(), 13);
        f.tables.ImTabelaWGoreClick();
        QCOMPARE(f.grid.topRow(), 1);
        QVERIFY(!p.PTabelaWGore.visible && p.PTabelaWDol.visible);
        // The question-page arrows do nothing here.
        f.tables.ImTabelaWPrawoClick();
        QCOMPARE(f.state.tableKind, int(TableItemAnalysis));

        // 1 question: its 16 body rows fit the panel, no arrows.
        Fixture small(makeAnalysis(40, 1));
        small.tables.PokazTabele(TableItemAnalysis);
        QCOMPARE(small.state.panels.PPodTabele.height(), 309);
        QVERIFY(!small.state.panels.PTabelaWGore.visible);
        QVERIFY(!small.state.panels.PTabelaWDol.visible);
    }

    void visitLeavesNoTrace_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("secondPage");
        QTest::addColumn<int>("after");
        QTest::addColumn<bool>("pageInside");
        QTest::addColumn<int>("visited");
        const struct
        {
            const char *name;
            int kind;
            bool secondPage;
        } before[] = {{"results", TableResults, false}, {"results page 2", TableResults, true},
                {"working time", TableWorkingTime, false}, {"grade count", TableGradeCount, false}};
        const struct
        {
            const char *name;
            int kind;
        } after[] = {{"results", TableResults}, {"working time", TableWorkingTime},
                {"grade count", TableGradeCount}};
        // The class comparison keeps the grid aside in the same way.
        for (const int visited : {int(TableItemAnalysis), int(TableClassComparison)}) {
            for (const auto &b : before) {
                for (const auto &a : after) {
                    for (bool paging : {false, true}) {
                        QTest::addRow(
                                "%s, %d, %s%s", b.name, visited, a.name, paging ? ", paged" : "")
                                << b.kind << b.secondPage << a.kind << paging << visited;
                    }
                }
            }
        }
    }
    void visitLeavesNoTrace()
    {
        QFETCH(int, before);
        QFETCH(bool, secondPage);
        QFETCH(int, after);
        QFETCH(bool, pageInside);
        QFETCH(int, visited);
        // 20 students and 16 questions: cell (0,7), two question pages and
        // vertical paging all come into play; the students in three classes.
        AnalysisState analysis = makeAnalysis(20, 16);
        for (std::size_t i = 0; i < analysis.students.size(); ++i)
            analysis.students[i].schoolClass = u"8%1"_s.arg(QChar(u'a' + int(i % 3)));
        auto showBefore = [&](Fixture &f) {
            f.tables.PokazTabele(TableGradeCount);
            f.tables.PokazTabele(TableKind(before));
            if (secondPage)
                f.tables.ImTabelaWPrawoClick();
        };
        Fixture plain(analysis);
        showBefore(plain);
        plain.tables.PokazTabele(TableKind(after));

        Fixture visitor(analysis);
        showBefore(visitor);
        visitor.tables.PokazTabele(TableKind(visited));
        QCOMPARE(visitor.state.tableKind, visited);
        if (pageInside) {
            // Paged, then the other added table, paged again.
            visitor.tables.ImTabelaWDolClick();
            visitor.tables.PokazTabele(
                    TableKind(TableItemAnalysis + TableClassComparison - visited));
            visitor.tables.ImTabelaWDolClick();
            visitor.tables.ImTabelaWLewoClick();
        }
        visitor.tables.PokazTabele(TableKind(after));

        const QString diff = difference(visitor.grid, visitor.state, plain.grid, plain.state);
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }

    // Showing the table again after another one gives the same table whatever
    // came between.
    void sameTableWhateverCameBefore()
    {
        const AnalysisState analysis = makeAnalysis(20, 16);
        Fixture first(analysis);
        first.tables.PokazTabele(TableItemAnalysis);
        Fixture later(analysis);
        later.tables.PokazTabele(TableGradeCount);
        later.tables.PokazTabele(TableItemAnalysis);
        later.tables.PokazTabele(TableWorkingTime);
        later.tables.PokazTabele(TableItemAnalysis);
        const QString diff = difference(later.grid, later.state, first.grid, first.state);
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }
};

QTEST_GUILESS_MAIN(TestItemAnalysisTable)
#include "tst_itemanalysistable.moc"
