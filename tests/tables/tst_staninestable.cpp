#include "tablefixture.h"

#include "tables/staninestable.h"

#include <QLocale>
#include <QTest>

using namespace zavevad;
using namespace zavevad::test;
using namespace Qt::StringLiterals;

namespace {

QStringList rowOf(const Table &table, int r)
{
    const TableTexts texts;
    QStringList list;
    for (int c = 0; c < table.columnCount(); ++c)
        list << texts.text(table, c, r);
    return list;
}

/// `count` students with `points` points each on `k` questions, appended.
void addStudents(AnalysisState &state, int count, int points, int k)
{
    for (int i = 0; i < count; ++i) {
        state.students.push_back(makeStudent(
                u"Uczeń%1"_s.arg(state.students.size() + 1), u"Ala"_s, (1u << points) - 1u, k));
    }
}

} // namespace

class TestStaninesTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void smallClass()
    {
        // Points 3, 1, 3, 0 on 4 questions: PR of 0 = 0.5/4 = 12,5; of 1 =
        // (1 + 0.5)/4 = 37,5; of 3 = (2 + 1)/4 = 75,0.
        const AnalysisState analysis = classOf({u"1110"_s, u"1000"_s, u"0111"_s, u"0000"_s});
        const Table table = staninesTable(analysis);
        QCOMPARE(table.title, u"Tabela - Staniny"_s);
        QCOMPARE(table.sheetName, u"Staniny"_s);
        QCOMPARE(rowOf(table, 0),
                QStringList({u"Nazwisko i imię"_s, u"Punkty"_s, u"Procent"_s, u"Ranga centylowa"_s,
                        u"Stanin"_s, u"Opis"_s}));
        QCOMPARE(rowOf(table, 1),
                QStringList(
                        {u"Uczeń1 Ala"_s, u"3"_s, u"75"_s, u"75,0"_s, u"6"_s, u"wyżej średni"_s}));
        QCOMPARE(rowOf(table, 2),
                QStringList(
                        {u"Uczeń2 Ala"_s, u"1"_s, u"25"_s, u"37,5"_s, u"4"_s, u"niżej średni"_s}));
        QCOMPARE(rowOf(table, 3).mid(3, 2), QStringList({u"75,0"_s, u"6"_s})); // a tie
        QCOMPARE(rowOf(table, 4).mid(3, 3), QStringList({u"12,5"_s, u"3"_s, u"niski"_s}));
        QCOMPARE(rowOf(table, 5), QStringList(6, QString()));
        QCOMPARE(rowOf(table, 6).mid(0, 4),
                QStringList({u"Stanin"_s, u"Liczba uczniów"_s, u"Udział (%)"_s, u"Norma (%)"_s}));
        // Stanines 1..9 with their counts, shares and norms.
        const QStringList counts{
                u"0"_s, u"0"_s, u"1"_s, u"1"_s, u"0"_s, u"2"_s, u"0"_s, u"0"_s, u"0"_s};
        const QStringList shares{u"0,0"_s, u"0,0"_s, u"25,0"_s, u"25,0"_s, u"0,0"_s, u"50,0"_s,
                u"0,0"_s, u"0,0"_s, u"0,0"_s};
        const QStringList norms{
                u"4"_s, u"7"_s, u"12"_s, u"17"_s, u"20"_s, u"17"_s, u"12"_s, u"7"_s, u"4"_s};
        for (int s = 1; s <= 9; ++s) {
            QCOMPARE(rowOf(table, 6 + s).mid(0, 4),
                    QStringList({QString::number(s), counts.at(s - 1), shares.at(s - 1),
                            norms.at(s - 1)}));
        }
        QCOMPARE(table.rowCount(), 17);
        QCOMPARE(rowOf(table, 16).first(), u"Mała grupa: staniny są orientacyjne"_s);
        // Numbers stay numbers for the workbook.
        QCOMPARE(table.cell(3, 2).kind, CellKind::Decimal);
        QCOMPARE(table.cell(3, 2).value, 37.5);
    }

    void largeClassWithClasses()
    {
        // 30 students in two classes: no note; the "Klasa" column appears.
        AnalysisState analysis;
        addStudents(analysis, 10, 2, 5);
        addStudents(analysis, 20, 4, 5);
        for (std::size_t i = 0; i < analysis.students.size(); ++i)
            analysis.students[i].schoolClass = i % 2 == 0 ? u"3a"_s : u"3b"_s;
        finishAnalysis(analysis, 5);
        const Table table = staninesTable(analysis);
        QCOMPARE(rowOf(table, 0).mid(0, 3),
                QStringList({u"Nazwisko i imię"_s, u"Klasa"_s, u"Punkty"_s}));
        // 2 points: 5/30 = 16,7 -> 3; 4 points: (10 + 10)/30 = 66,7 -> 6.
        QCOMPARE(rowOf(table, 1),
                QStringList({u"Uczeń1 Ala"_s, u"3a"_s, u"2"_s, u"40"_s, u"16,7"_s, u"3"_s,
                        u"niski"_s}));
        QCOMPARE(rowOf(table, 30).mid(4, 2), QStringList({u"66,7"_s, u"6"_s}));
        QCOMPARE(table.rowCount(), 1 + 30 + 11);
        QCOMPARE(rowOf(table, 31 + 4).mid(0, 3), QStringList({u"3"_s, u"10"_s, u"33,3"_s}));
        QCOMPARE(rowOf(table, 31 + 7).mid(0, 3), QStringList({u"6"_s, u"20"_s, u"66,7"_s}));
    }

    void noStudents()
    {
        AnalysisState analysis;
        analysis.questionCount = 5;
        const Table table = staninesTable(analysis);
        QCOMPARE(table.rowCount(), 1 + 11 + 1);
        QCOMPARE(rowOf(table, 3).mid(0, 3), QStringList({u"1"_s, u"0"_s, u"0,0"_s}));
    }
};

QTEST_GUILESS_MAIN(TestStaninesTable)
#include "tst_staninestable.moc"
