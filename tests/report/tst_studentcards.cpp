// The students' result cards: the figures of a class worked out by hand, and
// the pages as a reader gets them, read back with poppler-utils.

#include "../tables/analysisbuilder.h"
#include "reporttools.h"
#include "scriptedplatform.h"

#include "report/carddocument.h"
#include "report/cardprogress.h"
#include "report/reportcommands.h"
#include "report/studentcards.h"
#include "tables/analysistables.h"
#include "tables/numberformat.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTest>

using namespace zavevad;
using namespace zavevad::test;
using namespace Qt::StringLiterals;

namespace {

/// Six students, four questions; two share a score.
AnalysisState handClass()
{
    AnalysisState analysis;
    const struct
    {
        const char *surname;
        std::uint32_t mask;
        int minutes;
    } students[] = {{"Adamska", 0b1111, 20}, {"Borek", 0b0111, 30}, {"Cichy", 0b1110, 25},
            {"Dudek", 0b0011, 40}, {"Ewert", 0b0001, 15}, {"Fijałek", 0b0000, 10}};
    for (const auto &s : students) {
        const double start = kTestDay + 8 * 60 * kMinute;
        analysis.students.push_back(makeStudent(QString::fromUtf8(s.surname),
                QStringLiteral("Zofia"), s.mask, 4, start, start + s.minutes * kMinute));
    }
    finishAnalysis(analysis, 4);
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

/// Every word of a PDF with its page and its left and right edge in points
/// (pdftotext -bbox), to see that nothing runs off its page.
struct Word
{
    int page = 0;
    double left = 0;
    double right = 0;
    QString text;
    double height = 0;
};

QList<Word> pdfWords(const QByteArray &pdf)
{
    const TempFile file(pdf, QStringLiteral("pdf"));
    const QString html = QString::fromUtf8(runTool(QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox"), file.path(), QStringLiteral("-")}));
    QList<Word> words;
    static const QRegularExpression tag(
            QStringLiteral("<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                           "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\"[^>]*>([^<]*)</word>"));
    int page = 0;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.captured(0) == QLatin1String("<page ")) {
            ++page;
            continue;
        }
        words.append({page, match.captured(1).toDouble(), match.captured(3).toDouble(),
                match.captured(5), match.captured(4).toDouble() - match.captured(2).toDouble()});
    }
    return words;
}

} // namespace

class TestStudentCards : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        QVERIFY2(!runTool(QStringLiteral("pdftotext"), {QStringLiteral("-v")}).isNull(),
                "pdftotext (poppler-utils) reads the cards back");
    }

    void handComputedClass_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QString>("grade");
        QTest::addColumn<int>("betterThan");
        // Points 4, 3, 3, 2, 1, 0 of 4: mean 13/6 = 2,17; median (2 + 3) / 2;
        // fewer points than 3: three of six.
        QTest::newRow("all right") << 0 << 4 << 100 << "Cel — celujący" << 83;
        QTest::newRow("tie, first") << 1 << 3 << 75 << "Db — dobry" << 50;
        QTest::newRow("tie, second") << 2 << 3 << 75 << "Db — dobry" << 50;
        QTest::newRow("half") << 3 << 2 << 50 << "Dop — dopuszczający" << 33;
        QTest::newRow("one") << 4 << 1 << 25 << "Ndst — niedostateczny" << 16; // 16,7 down
        QTest::newRow("none") << 5 << 0 << 0 << "Ndst — niedostateczny" << 0;
    }
    void handComputedClass()
    {
        QFETCH(int, row);
        QFETCH(int, points);
        QFETCH(int, percent);
        QFETCH(QString, grade);
        QFETCH(int, betterThan);
        const AnalysisState analysis = handClass();
        const StudentCards cards(analysis);
        QCOMPARE(cards.count(), 6);
        const StudentCard card = cards.card(row);
        const UczenAll &student = analysis.students[static_cast<std::size_t>(row)];
        QCOMPARE(card.studentName, student.displayName());
        QCOMPARE(card.points, points);
        QCOMPARE(card.questionCount, 4);
        QCOMPARE(card.percent, percent);
        QCOMPARE(card.grade + QStringLiteral(" — ") + fullGradeName(card.grade), grade);
        QCOMPARE(card.betterThanPercent, betterThan);
        QCOMPARE(card.classMeanPoints100, 217);
        QCOMPARE(card.classMedianPoints2, 5);
        // Question shares as the results table rounds them: 4, 4, 3, 2 of 6.
        const int shares[] = {67, 67, 50, 33};
        QCOMPARE(card.questions.size(), std::size_t{4});
        for (int k = 1; k <= 4; ++k) {
            const CardQuestion &question = card.questions[static_cast<std::size_t>(k - 1)];
            QCOMPARE(question.number, k);
            QCOMPARE(question.correct, student.correct(k));
            QCOMPARE(question.classPercent, shares[k - 1]);
            QCOMPARE(question.classPercent,
                    analysis.questions[static_cast<std::size_t>(k - 1)].correctPercent);
        }
        QCOMPARE(card.workingTime, student.workingTime());
        QCOMPARE(card.classAverageWorkingTime, averageWorkingTime(analysis));
        QVERIFY(card.skills.empty());
        QVERIFY(card.className.isEmpty());

        // The page says the same, and every question's mark as a mark and a word.
        const QStringList pages =
                pdfPageTexts(CardDocument(analysis).toPdf(QStringLiteral("Karty")));
        QCOMPARE(pages.size(), 6);
        const QString &text = pages.at(row);
        for (const QString &expected : {grade, QStringLiteral("2,17 pkt"),
                     QStringLiteral("2,50 pkt"), QStringLiteral("15.03.2023"),
                     QStringLiteral("Wynik lepszy niż %1 % klasy").arg(betterThan),
                     QStringLiteral("%1 z 4 pkt").arg(points),
                     QStringLiteral("Strona %1 z 6").arg(row + 1)})
            QVERIFY2(text.contains(expected), qPrintable(expected));
        // pdftotext joins a lone figure and its sign ("0 %" reads "0%").
        QVERIFY(text.contains(QStringLiteral("%1 %").arg(percent))
                || text.contains(QStringLiteral("%1%").arg(percent)));
        QCOMPARE(text.count(QStringLiteral("✓ dobrze")), points);
        QCOMPARE(text.count(QStringLiteral("✗ źle")), 4 - points);
        QVERIFY(!text.contains(QStringLiteral("Umiejętności")));
    }

    // "Lepszy niż N %" never claims more than the share below: rounded down,
    // and not said at all where there is no one else.
    void betterThanNeverOverstates_data()
    {
        QTest::addColumn<int>("below"); // students with no points; one more has 1 point
        QTest::addColumn<int>("better");
        QTest::newRow("alone in the class") << 0 << 0;
        QTest::newRow("4 of 41 below: 9,8 %") << 4 << 9;
        QTest::newRow("best of 251: 99,6 %") << 250 << 99;
    }
    void betterThanNeverOverstates()
    {
        QFETCH(int, below);
        QFETCH(int, better);
        AnalysisState analysis;
        const double start = kTestDay + 8 * 60 * kMinute;
        for (int i = 0; i < below; ++i)
            analysis.students.push_back(
                    makeStudent(QStringLiteral("Zero%1").arg(i, 3, 10, QChar(u'0')),
                            QStringLiteral("Jan"), 0b0, 2, start, start + 10 * kMinute));
        // With 4 below, 36 more share the top score: 4 of 41 are below it.
        const int top = below == 4 ? 37 : 1;
        for (int i = 0; i < top; ++i)
            analysis.students.push_back(
                    makeStudent(QStringLiteral("Adam%1").arg(i, 3, 10, QChar(u'0')),
                            QStringLiteral("Ewa"), 0b1, 2, start, start + 10 * kMinute));
        finishAnalysis(analysis, 2);
        const StudentCards cards(analysis);
        int row = 0;
        while (analysis.students[static_cast<std::size_t>(row)].Suma != 1)
            ++row;
        const StudentCard card = cards.card(row);
        QCOMPARE(card.points, 1);
        QCOMPARE(card.classSize, below + top);
        QCOMPARE(card.betterThanPercent, better);
        if (below > 0)
            return;
        const QString page =
                pdfPageTexts(CardDocument(analysis).toPdf(QStringLiteral("Karty"))).value(0);
        QVERIFY(page.contains(QStringLiteral("Mediana klasy")));
        QVERIFY(!page.contains(QStringLiteral("lepszy")));
    }

    // Forty skills with long names: never set below 7 pt, they go on over a
    // second page of the student's card, every name whole.
    void manySkillsGoOnOverASecondPage()
    {
        AnalysisState analysis = handClass();
        for (int i = 1; i <= 40; ++i) {
            const QString name = QStringLiteral("Marker%1 rozwiązuje zadania tekstowe z ułamkami "
                                                "zwykłymi i dziesiętnymi Koniec%1")
                                         .arg(i);
            analysis.blueprint.skills.push_back(
                    {name, QStringLiteral("V.%1").arg(i), 1u << ((i - 1) % 4)});
        }
        const CardDocument document(analysis);
        QCOMPARE(document.pagesPerCard(), 2);
        QCOMPARE(document.pageCount(), 12);
        const QByteArray pdf = document.toPdf(QStringLiteral("Karty"));
        writeForDocs(pdf, QStringLiteral("cards-two-pages.pdf"));
        const QStringList pages = pdfPageTexts(pdf);
        QCOMPARE(pages.size(), 12);
        for (int student = 0; student < 6; ++student) {
            const QString name = analysis.students[static_cast<std::size_t>(student)].displayName();
            static const QRegularExpression space(QStringLiteral("\\s+"));
            const QStringList words =
                    QString(pages.at(2 * student) + u' ' + pages.at(2 * student + 1))
                            .split(space, Qt::SkipEmptyParts);
            QVERIFY(pages.at(2 * student + 1).contains(name));
            QVERIFY(pages.at(2 * student + 1)
                            .contains(QStringLiteral("Umiejętności (ciąg dalszy)")));
            QVERIFY(pages.at(2 * student + 1)
                            .contains(QStringLiteral("Strona %1 z 12").arg(2 * student + 2)));
            for (int i = 1; i <= 40; ++i) {
                for (const QString &word : {QStringLiteral("Marker%1").arg(i),
                             QStringLiteral("Koniec%1").arg(i), QStringLiteral("(V.%1)").arg(i)})
                    QVERIFY2(words.count(word) == 1, qPrintable(word));
            }
            // The working time closes the card, on its last page.
            QVERIFY(pages.at(2 * student + 1).contains(QStringLiteral("Średni czas pracy klasy")));
        }
        for (const Word &word : pdfWords(pdf)) {
            QVERIFY2(word.height >= 7.0 && word.left >= 42 && word.right <= 595 - 42,
                    qPrintable(QStringLiteral("page %1: %2, %3 pt high")
                                       .arg(word.page)
                                       .arg(word.text)
                                       .arg(word.height)));
        }
    }

    void standingAndScoreBand_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("stanine");
        QTest::addColumn<QString>("band");
        // Points 4, 3, 2, 1, 0 of 4: PR 90, 70, 50, 30, 10. KR-20 = 112/150,
        // SEM = sqrt(50) / 5 * sqrt(1 - 112/150) = 0,7118; 1,96 SEM = 1,395.
        // 4 - 1,395 = 2,6 down to 2; 0 + 1,395 up to 2 (2 of 4: Dop).
        QTest::newRow("top") << 0 << u"Stanin: 8 — bardzo wysoki (na tle 5 uczniów)"_s
                             << u"Wynik w przedziale 2–4 pkt (oceny Dop–Cel)"_s;
        QTest::newRow("middle") << 1 << u"Stanin: 6 — wyżej średni (na tle 5 uczniów)"_s
                                << u"Wynik w przedziale 1–4 pkt (oceny Ndst–Cel)"_s;
        QTest::newRow("bottom") << 4 << u"Stanin: 2 — bardzo niski (na tle 5 uczniów)"_s
                                << u"Wynik w przedziale 0–2 pkt (oceny Ndst–Dop)"_s;
    }
    void standingAndScoreBand()
    {
        QFETCH(int, row);
        QFETCH(QString, stanine);
        QFETCH(QString, band);
        AnalysisState analysis;
        const char *answers[] = {"1111", "1110", "1010", "0100", "0000"};
        for (const char *line : answers) {
            std::uint32_t mask = 0;
            for (int q = 0; q < 4; ++q)
                mask |= line[q] == '1' ? 1u << q : 0u;
            analysis.students.push_back(makeStudent(u"Uczeń"_s, u"Ala"_s, mask, 4));
        }
        finishAnalysis(analysis, 4);
        StudentCard card = StudentCards(analysis).card(row);
        QCOMPARE(stanineLine(card), stanine);
        QCOMPARE(scoreBandLine(card), band);
        // The thresholds in force decide the grades, as the live dialog sets them.
        card.thresholds.dop = 40;
        card.thresholds.dst = 60;
        card.scoreBand = ScoreBand{2, 2};
        QCOMPARE(scoreBandLine(card), u"Wynik w przedziale 2–2 pkt (ocena Dop)"_s);
        card.thresholds.dop = 55;
        QCOMPARE(scoreBandLine(card), u"Wynik w przedziale 2–2 pkt (ocena Ndst)"_s);
    }

    void oneStudentAndNoBand()
    {
        AnalysisState analysis;
        analysis.students.push_back(makeStudent(u"Uczeń"_s, u"Ala"_s, 0b11, 4));
        finishAnalysis(analysis, 4);
        const StudentCard card = StudentCards(analysis).card(0);
        QCOMPARE(stanineLine(card), u"Stanin: 5 — średni (na tle 1 ucznia)"_s);
        // No KR-20 for one student: no SEM, no band, no sentence.
        QVERIFY(!card.scoreBand);
        QVERIFY(scoreBandLine(card).isEmpty());
    }

    void skillsOfTheBlueprint()
    {
        AnalysisState analysis = handClass();
        // A skill of a question the test does not have is left out.
        analysis.blueprint.skills = {{QStringLiteral("Ułamki"), QStringLiteral("V.3"), 0b0011},
                {QStringLiteral("Procenty"), QString(), 0b1100},
                {QStringLiteral("Wszystkie"), QString(), 0b1111},
                {QStringLiteral("Pytanie piąte"), QString(), 0b10000}};
        const StudentCards cards(analysis);
        // Right answers to questions 1-2: 2, 2, 1, 2, 1, 0 of 12; to 3-4:
        // 2, 1, 2, 0, 0, 0 of 12; to all: 13 of 24.
        const struct
        {
            int row;
            int student[3];
        } expected[] = {{0, {100, 100, 100}}, {2, {50, 100, 75}}, {4, {50, 0, 25}}};
        const int classShare[] = {67, 42, 54};
        for (const auto &e : expected) {
            const StudentCard card = cards.card(e.row);
            QCOMPARE(card.skills.size(), std::size_t{3});
            for (std::size_t s = 0; s < 3; ++s) {
                QCOMPARE(card.skills[s].name, analysis.blueprint.skills[s].name);
                QCOMPARE(card.skills[s].questionCount, s == 2 ? 4 : 2);
                QCOMPARE(card.skills[s].studentPercent, e.student[s]);
                QCOMPARE(card.skills[s].classPercent, classShare[s]);
            }
        }
        const QString text =
                pdfPageTexts(CardDocument(analysis).toPdf(QStringLiteral("Karty"))).value(2);
        for (const char *expectedText : {"Umiejętności", "Ułamki (V.3)", "Procenty", "Wszystkie"})
            QVERIFY2(text.contains(QString::fromUtf8(expectedText)), expectedText);
        QVERIFY(!text.contains(QStringLiteral("Pytanie piąte")));
    }

    // Classes side by side: a card names the student's class and compares
    // with it alone. Points 4, 3, 3 in "8a" and 2, 1, 0 in "8b".
    void classesCompareWithinTheClass()
    {
        AnalysisState analysis = handClass();
        for (std::size_t i = 0; i < analysis.students.size(); ++i)
            analysis.students[i].schoolClass = i < 3 ? QStringLiteral("8a") : QStringLiteral("8b");
        const StudentCards cards(analysis);
        const StudentCard first = cards.card(0);
        QCOMPARE(first.className, QStringLiteral("8a"));
        QCOMPARE(first.classMeanPoints100, 333); // 10 / 3
        QCOMPARE(first.classMedianPoints2, 6);
        QCOMPARE(first.betterThanPercent, 66); // 2 of 3, rounded down
        const StudentCard last = cards.card(5);
        QCOMPARE(last.className, QStringLiteral("8b"));
        QCOMPARE(last.classMeanPoints100, 100);
        QCOMPARE(last.betterThanPercent, 0);
        const QStringList pages =
                pdfPageTexts(CardDocument(analysis).toPdf(QStringLiteral("Karty")));
        QVERIFY(pages.at(0).contains(QStringLiteral("Klasa: 8a")));
        QVERIFY(pages.at(5).contains(QStringLiteral("Klasa: 8b")));
    }

    // Classes loaded together, their students mixed in the results table:
    // the cards come class by class, each in the table's order, and the
    // class's mean and median read with two decimals, as in the report.
    void cardsComeClassByClass()
    {
        AnalysisState analysis = handClass();
        for (std::size_t i = 0; i < analysis.students.size(); ++i)
            analysis.students[i].schoolClass = i % 2 ? QStringLiteral("8a") : QStringLiteral("8b");
        const StudentCards cards(analysis);
        const int order[] = {1, 3, 5, 0, 2, 4};
        for (int c = 0; c < cards.count(); ++c) {
            const UczenAll &student = analysis.students[static_cast<std::size_t>(order[c])];
            QCOMPARE(cards.card(c).studentName, student.displayName());
            QCOMPARE(cards.card(c).className, student.schoolClass);
        }
        const QStringList pages =
                pdfPageTexts(CardDocument(analysis).toPdf(QStringLiteral("Karty")));
        QCOMPARE(pages.size(), 6);
        const qint64 mean = cards.card(0).classMeanPoints100;
        QVERIFY2(pages.at(0).contains(twoDecimalText(mean) + QStringLiteral(" pkt")),
                qPrintable(pages.at(0)));
        QVERIFY(pages.at(0).contains(
                twoDecimalText(cards.card(0).classMedianPoints2 * 50) + QStringLiteral(" pkt")));
    }

    void pagesNameTheirStudentOnly()
    {
        AnalysisState analysis = makeAnalysis(30, 30);
        // The longest name a result file holds, and letters a ligature would join.
        analysis.students[3].Nazwisko = QStringLiteral("Wierzbicka-Fijałkowa");
        analysis.students[3].Imie = QStringLiteral("Zofia-Filomena Łucja");
        analysis.students[4].Nazwisko = QString(20, QChar(u'W'));
        analysis.students[4].Imie = QString(20, QChar(u'M'));
        analysis.students.front().NazwaTestu = QStringLiteral("Sprawdzian z fizyki i fińskiego");
        const CardDocument document(analysis);
        const QByteArray pdf = document.toPdf(QStringLiteral("Karty"));
        writeForDocs(pdf, QStringLiteral("cards-30x30.pdf"));

        QCOMPARE(document.pageCount(), 30);
        const QList<QSizeF> sizes = pdfPageSizes(pdf);
        QCOMPARE(sizes.size(), 30);
        for (const QSizeF &size : sizes)
            QCOMPARE(size.toSize(), QSize(595, 842));
        const QStringList pages = pdfPageTexts(pdf);
        QCOMPARE(pages.size(), 30);
        for (int p = 0; p < 30; ++p) {
            const QString &text = pages.at(p);
            for (int s = 0; s < 30; ++s) {
                const QString name = analysis.students[static_cast<std::size_t>(s)].displayName();
                QVERIFY2(text.contains(name) == (s == p),
                        qPrintable(QStringLiteral("page %1, %2").arg(p + 1).arg(name)));
            }
            QVERIFY(text.contains(QStringLiteral("Strona %1 z 30").arg(p + 1)));
            QVERIFY(text.contains(
                    QStringLiteral("Cel od 95%, Bdb od 85%, Db od 75%, Dst od 60%, Dop od 50%")));
            QVERIFY(!text.contains(QChar(0x2026)));
        }
        QVERIFY(pages.at(0).contains(QStringLiteral("Sprawdzian z fizyki i fińskiego")));
        // Every font is embedded: the page reads the same on any computer.
        const TempFile file(pdf, QStringLiteral("pdf"));
        const QStringList fonts =
                QString::fromUtf8(runTool(QStringLiteral("pdffonts"), {file.path()}))
                        .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                        .mid(2);
        QVERIFY(!fonts.isEmpty());
        for (const QString &font : fonts)
            QVERIFY2(font.contains(QStringLiteral(" yes ")), qPrintable(font));
        // Every word stands on its page, within the margins.
        for (const Word &word : pdfWords(pdf)) {
            QVERIFY2(word.left >= 42 && word.right <= 595 - 42,
                    qPrintable(QStringLiteral("page %1: %2").arg(word.page).arg(word.text)));
        }
    }

    // With several tests loaded each card shows the student's percentage per
    // test beside the class's mean: the student found by name whatever its
    // letter case or Polish letters, no line for a name twice in the newest
    // test (nor from an older test's row of that name), gaps where a test was
    // missed; one test alone gives no such section.
    void progressOfSeveralTests()
    {
        AnalysisState analysis = makeAnalysis(4, 10);
        const auto rename = [&](std::size_t i, const QString &surname, const QString &first) {
            analysis.students[i].Nazwisko = surname;
            analysis.students[i].Imie = first;
        };
        rename(0, u"Wójcik"_s, u"Łucja"_s);
        rename(1, u"Nowak"_s, u"Anna"_s);
        rename(2, u"Bąk"_s, u"Tomasz"_s);
        rename(3, u"Bąk"_s, u"Tomasz"_s);
        using Tenths = std::optional<std::int32_t>;
        ProgressData &progress = analysis.progress;
        for (const char16_t *name : {u"Ułamki", u"Procenty", u"Potęgi"})
            progress.tests.push_back(
                    ProgressTest{QString::fromUtf16(name), {}, 10, {}, {}, {}, {}});
        progress.tests[0].meanTenths = 500;
        progress.tests[1].meanTenths = 615;
        progress.students = {
                {u"Bąk Tomasz"_s, {Tenths(300), Tenths(), Tenths(700)}},
                {u"Bąk Tomasz"_s, {Tenths(), Tenths(), Tenths(710)}},
                {u"Nowak Anna"_s, {Tenths(512), Tenths(), Tenths(633)}},
                {u"WOJCIK  lucja"_s, {Tenths(), Tenths(400), Tenths()}},
                {u"Wojcik Lucja"_s, {Tenths(800), Tenths(900), Tenths(1000)}},
        };
        const StudentCards cards(analysis);
        const QStringList names{u"Ułamki"_s, u"Procenty"_s, u"Potęgi"_s};
        const std::vector<std::vector<Tenths>> expected{{Tenths(800), Tenths(900), Tenths(1000)},
                {Tenths(512), Tenths(), Tenths(633)}, {Tenths(), Tenths(), Tenths()},
                {Tenths(), Tenths(), Tenths()}};
        for (int c = 0; c < 4; ++c) {
            const StudentCard card = cards.card(c);
            QCOMPARE(card.progress.size(), std::size_t{3});
            for (std::size_t t = 0; t < 3; ++t) {
                QCOMPARE(card.progress[t].test, names[int(t)]);
                QVERIFY(card.progress[t].studentTenths == expected[std::size_t(c)][t]);
                QVERIFY(card.progress[t].classMeanTenths == progress.tests[t].meanTenths);
            }
        }

        // On paper: the section, every test named, the student's figures.
        const QByteArray pdf = CardDocument(analysis).toPdf(u"Karty"_s);
        writeForDocs(pdf, u"cards-progress.pdf"_s);
        const QStringList pages = pdfPageTexts(pdf);
        QCOMPARE(pages.size(), 4);
        for (const QString &word : {u"Postępy"_s, u"Ułamki"_s, u"Potęgi"_s, u"80,0 %"_s,
                     u"100,0 %"_s, u"Średnia klasy"_s})
            QVERIFY2(pages.at(0).contains(word), qPrintable(word));
        QVERIFY(!pages.at(1).contains(u"80,0 %"_s));

        progress.tests.resize(1);
        progress.students.clear();
        QVERIFY(StudentCards(analysis).card(0).progress.empty());
        QVERIFY(!pdfPageTexts(CardDocument(analysis).toPdf(u"Karty"_s))
                         .at(0)
                         .contains(u"Postępy"_s));
    }

    // The chart's marks: 0 % on the plot's bottom, 100 % on its top, one slot
    // per test from the left, no mark for a test the student missed.
    void progressChartLayout()
    {
        using Tenths = std::optional<std::int32_t>;
        const std::vector<CardProgress> tests{{u"A"_s, Tenths(0), 1000}, {u"B"_s, Tenths(), 250},
                {u"C"_s, Tenths(1000), std::nullopt}};
        const QRectF plot(100, 200, 300, 400);
        const CardProgressLayout layout = cardProgressLayout(tests, plot);
        QCOMPARE(layout.slot, 100.0);
        QCOMPARE(layout.x, (std::vector<double>{150, 250, 350}));
        QVERIFY(layout.student[0] == QPointF(150, 600));
        QVERIFY(!layout.student[1]);
        QVERIFY(layout.student[2] == QPointF(350, 200));
        QVERIFY(layout.classMean[0] == QPointF(150, 200));
        QVERIFY(layout.classMean[1] == QPointF(250, 500));
        QVERIFY(!layout.classMean[2]);
    }

    void printEqualsThePdf()
    {
        const AnalysisState analysis = handClass();
        ScriptedPlatform platform;
        platform.printAnswers.push_back(true);
        DrukujKarty(analysis);
        QCOMPARE(platform.printed.size(), 1);
        QCOMPARE(platform.printed.constFirst().title, QStringLiteral("Karty wyników uczniów"));
        const QByteArray printed = platform.printed.constFirst().pdf;
        const QByteArray saved = studentCardsPdfBytes(analysis);
        QCOMPARE(pdfPageSizes(printed), pdfPageSizes(saved));
        QCOMPARE(pdfPageTexts(printed), pdfPageTexts(saved));
    }
};

QTEST_MAIN(TestStudentCards)
#include "tst_studentcards.moc"
