// The report's first pages and its key as a staff meeting reads them: the
// PDF read back with pdftotext, its figures against the tables', each
// generated conclusion from a class built to call for it.

#include "../tables/analysisbuilder.h"
#include "reporttools.h"
#include "testsupport.h"

#include "export/reporttables.h"
#include "export/tabletext.h"
#include "report/conclusions.h"
#include "report/reportcommands.h"
#include "report/reportdocument.h"
#include "report/reportkey.h"
#include "report/reportsummary.h"
#include "results/anonymise.h"
#include "results/loader.h"
#include "results/reportnotes.h"
#include "tables/classcolumn.h"
#include "tables/itemanalysistable.h"
#include "tables/resultstables.h"
#include "tables/tablekinds.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace zavevad;
using namespace zavevad::test;

namespace {

using Masks = QList<quint32>;

/// Ten students, six questions, each question right for the students from a
/// threshold on: every question between 0,50 and 0,80, each discriminating
/// well, KR-20 0,94. No rule but the test's difficulty and the pass share
/// speaks for it.
const Masks kNeutral{0, 0, 3, 15, 31, 63, 63, 63, 63, 63};
/// The same with question 6 right for three students only (easiness 0,30).
const Masks kHardSix{0, 0, 3, 15, 31, 31, 31, 63, 63, 63};
/// Question 1 right for everyone.
const Masks kEasyOne{1, 1, 3, 15, 31, 63, 63, 63, 63, 63};
/// Question 6 right for five students of every level: r = 0,10.
const Masks kWeakSix{32, 0, 3, 47, 63, 63, 63, 31, 31, 31};
/// Question 6 right for the five weakest only: r < 0, KR-20 0,69.
const Masks kNegativeSix{32, 32, 35, 47, 63, 31, 31, 31, 31, 31};
/// The neutral class one step weaker: 10 points of percent below it exactly.
const Masks kWeaker{0, 0, 0, 3, 15, 31, 63, 63, 63, 63};
/// The neutral class with one answer less: 1,67 points of percent below it.
const Masks kSlightlyWeaker{0, 0, 3, 15, 31, 63, 63, 63, 63, 31};

void addClass(AnalysisState &analysis, const Masks &masks, const QString &name, double day)
{
    for (int i = 0; i < masks.size(); ++i) {
        UczenAll student =
                makeStudent(QStringLiteral("Nowak%1").arg(i) + name, QStringLiteral("Ewa"),
                        masks[i], 6, day + 8 * 60 * kMinute, day + 8 * 60 * kMinute + 20 * kMinute);
        student.schoolClass = name;
        analysis.students.push_back(student);
    }
}

AnalysisState classOf(const Masks &masks, const Masks &secondClass = {})
{
    AnalysisState analysis;
    addClass(analysis, masks, QStringLiteral("8a"), kTestDay);
    if (!secondClass.isEmpty())
        addClass(analysis, secondClass, QStringLiteral("8b"), kTestDay + 1);
    finishAnalysis(analysis, 6);
    return analysis;
}

QString normalised(QString text)
{
    text.replace(QChar(0x00A0), QLatin1Char(' '));
    return text.simplified();
}

/// The report's pages as pdftotext reads them, white space made single.
QStringList reportPages(const AnalysisState &analysis)
{
    QStringList pages =
            pdfPageTexts(ReportDocument(reportSections(analysis)).toPdf(QStringLiteral("Raport")));
    for (QString &page : pages)
        page = normalised(page);
    return pages;
}

QString reportText(const AnalysisState &analysis)
{
    return reportPages(analysis).join(QLatin1Char(' '));
}

/// The text of the cell right of `label` in column 0 of `table`.
QString valueBeside(const ReportTable &table, const QString &label, int column = 1)
{
    const TableTexts texts;
    for (int r = 0; r < table.rowCount(); ++r) {
        if (texts.text(table, 0, r) == label)
            return texts.text(table, column, r);
    }
    return QString();
}

} // namespace

class TestReportSummary : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        QVERIFY2(!runTool(QStringLiteral("pdftotext"), {QStringLiteral("-v")}).isNull(),
                "pdftotext (poppler-utils) reads the report back");
    }

    // Each rule from a class built to call for it; the neutral class, which
    // calls for none of these, gets none of their sentences.
    void conclusionFromItsClass_data()
    {
        QTest::addColumn<Masks>("masks");
        QTest::addColumn<quint32>("skillQuestions");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("stem");
        const auto row = [](const char *name, const Masks &masks, quint32 skill,
                                 const char *sentence, const char *stem) {
            QTest::newRow(name) << masks << skill << QString::fromUtf8(sentence)
                                << QString::fromUtf8(stem);
        };
        row("hardest", kHardSix, 0, "Najtrudniejsze okazało się pytanie 6 (łatwość 0,30).",
                "Najtrudniejsze");
        row("easiest", kEasyOne, 0, "Najłatwiejsze okazało się pytanie 1 (łatwość 1,00).",
                "Najłatwiejsze");
        row("weak discrimination", kWeakSix, 0,
                "Pytanie 6 słabo różnicuje uczniów: warto sprawdzić jego treść i klucz.",
                "słabo różnicuj");
        row("negative discrimination", kNegativeSix, 0,
                "Na pytanie 6 słabsi uczniowie odpowiadali lepiej niż lepsi: warto sprawdzić "
                "jego klucz.",
                "Na pytani");
        row("low reliability", kNegativeSix, 0,
                "Rzetelność testu jest niska (KR-20 0,69): wyniki pojedynczych uczniów należy "
                "traktować ostrożnie.",
                "Rzetelność testu");
        // Three students have question 6 right: 30 %, its facility 0,30.
        row("weak skill", kHardSix, 1u << 5,
                "Umiejętność «Zadania tekstowe» opanowało 30 % uczniów.", "opanowało");
    }
    void conclusionFromItsClass()
    {
        QFETCH(Masks, masks);
        QFETCH(quint32, skillQuestions);
        QFETCH(QString, sentence);
        QFETCH(QString, stem);
        const auto withSkill = [&](AnalysisState analysis) {
            // The neutral class has the same skill on its questions 1 and 2.
            analysis.blueprint.skills.push_back({QStringLiteral("Zadania tekstowe"), QString(),
                    skillQuestions ? skillQuestions : 3u});
            return analysis;
        };
        const QString text = reportText(withSkill(classOf(masks)));
        QVERIFY2(text.contains(sentence), qPrintable(text.left(3000)));
        // The summary and conclusions, before the tables and charts (the map
        // of the questions names its zone of weak questions in its legend).
        const QString neutral =
                reportText(withSkill(classOf(kNeutral))).section(QStringLiteral("Tabela - "), 0, 0);
        QVERIFY2(!neutral.contains(stem), qPrintable(neutral.left(3000)));
        // The sentences every class gets.
        for (const QString &always :
                {QStringLiteral("Test okazał się umiarkowanie trudny (łatwość 0,68)."),
                        QStringLiteral("Ocenę co najmniej dopuszczającą uzyskało")})
            QVERIFY2(neutral.contains(always), qPrintable(always));
    }

    // The class gap speaks from 10 points of percent, counted exactly and
    // rounded down; classes of different dates each show their own.
    void classGap_data()
    {
        QTest::addColumn<Masks>("second");
        QTest::addColumn<QString>("sentence");
        QTest::newRow("10 points")
                << kWeaker
                << QStringLiteral("Klasa 8b uzyskała wynik o 10 pkt proc. niższy niż "
                                  "8a.");
        QTest::newRow("1,67 points") << kSlightlyWeaker << QString();
        QTest::newRow("equal") << kNeutral << QString();
    }
    void classGap()
    {
        QFETCH(Masks, second);
        QFETCH(QString, sentence);
        const QStringList pages = reportPages(classOf(kNeutral, second));
        const QString text = pages.join(QLatin1Char(' '));
        if (sentence.isEmpty())
            QVERIFY(!text.contains(QStringLiteral("pkt proc. niższy")));
        else
            QVERIFY2(text.contains(sentence), qPrintable(text.left(3000)));
        QVERIFY(pages.first().contains(QStringLiteral("Data testu: 8a 15.03.2023, 8b 16.03.2023")));
        QVERIFY(pages.first().contains(QStringLiteral("Klasy: 8a, 8b")));
        QVERIFY(pages.first().contains(QStringLiteral("Najwyższa średnia klasy: 8a – 68,33 %")));
        for (int p = 0; p < pages.size(); ++p) {
            const QString &page = pages.at(p);
            QVERIFY2(page.contains(QStringLiteral("Test – klasy 8a, 8b")), qPrintable(page));
            QVERIFY(page.contains(QStringLiteral("Strona %1 z %2").arg(p + 1).arg(pages.size())));
        }
    }

    // A start that no calendar of tests holds is left out of the dates,
    // never shown as a year long past (or a year below zero).
    void badDatesLeftOut_data()
    {
        QTest::addColumn<double>("bad");
        QTest::newRow("year -18") << -697600.0;
        QTest::newRow("zero field") << 0.0;
        QTest::newRow("not a number") << std::nan("");
        QTest::newRow("huge") << 1e300;
    }
    void badDatesLeftOut()
    {
        QFETCH(double, bad);
        AnalysisState analysis = classOf(kNeutral, kNeutral);
        // One student of 8a and every student of 8b have a damaged start.
        analysis.students.front().Poczatek = bad;
        for (UczenAll &student : analysis.students) {
            if (student.schoolClass == QStringLiteral("8b"))
                student.Poczatek = bad;
        }
        const QString first = reportPages(analysis).first();
        QVERIFY2(first.contains(QStringLiteral("Data testu: 8a 15.03.2023 Data raportu:")),
                qPrintable(first));
        QVERIFY(!first.contains(QStringLiteral("8b 30.12.1899")));
        QVERIFY(!first.contains(QRegularExpression(QStringLiteral("\\.-\\d"))));
    }

    // The summary's figures are the tables' own, and shares that a reader
    // takes as a claim are rounded down: two students of three are 66 %.
    void figuresEqualTheTables()
    {
        AnalysisState analysis = classOf({63, 63, 0});
        const QString first = reportPages(analysis).first();
        const ReportTable items = itemAnalysisTable(analysis);
        QVERIFY(first.contains(QStringLiteral("Średnia: %1 pkt")
                                       .arg(valueBeside(items, QStringLiteral("Średnia (pkt)")))));
        QVERIFY(first.contains(QStringLiteral("Mediana: %1 pkt")
                                       .arg(valueBeside(items, QStringLiteral("Mediana (pkt)")))));
        QVERIFY(first.contains(
                QStringLiteral("KR-20: %1")
                        .arg(valueBeside(items, QStringLiteral("KR-20 (rzetelność)")))));
        QVERIFY(first.contains(QStringLiteral("Łatwość testu: %1")
                                       .arg(valueBeside(items, QStringLiteral("Łatwość testu")))));
        const ReportTable grades = gradeCountTable(analysis);
        for (const QString &grade : gradeNames()) {
            QVERIFY2(first.contains(
                             QStringLiteral("%1 %2 (").arg(grade, valueBeside(grades, grade))),
                    qPrintable(grade));
        }
        QVERIFY(first.contains(QStringLiteral("Cel 2 (66 %)")));
        QVERIFY(first.contains(QStringLiteral("Co najmniej Dop: 2 z 3 (66 %)")));
        QVERIFY(first.contains(QStringLiteral("uzyskało 66 % uczniów")));
    }

    // No sentence is written from a figure that is not there.
    void nothingFromUndefinedFigures()
    {
        QVERIFY(generatedConclusions(SummaryFigures{}).isEmpty());
    }

    // The teacher's notes, read from Raport.txt beside the result files.
    void teachersNotesPrinted()
    {
        QTemporaryDir dir;
        ReportNotes notes{QStringLiteral("Szkoła Podstawowa nr 3"), QStringLiteral("Jan Kos"),
                QStringLiteral("Powtórzyć ułamki.\nĆwiczyć zadania tekstowe.")};
        QFile file(QDir(dir.path()).filePath(QStringLiteral("Raport.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(reportNotesFileBytes(notes));
        file.close();
        AnalysisState analysis = classOf(kNeutral);
        analysis.blueprintFolder = dir.path();
        const QStringList pages = reportPages(analysis);
        const QString first = pages.first();
        for (const char *expected : {"Szkoła: Szkoła Podstawowa nr 3", "Nauczyciel: Jan Kos",
                     "Wnioski i rekomendacje Powtórzyć ułamki. Ćwiczyć zadania tekstowe."})
            QVERIFY2(first.contains(QString::fromUtf8(expected)), expected);
        // The generated conclusions come first.
        QVERIFY(first.indexOf(QStringLiteral("Wnioski i rekomendacje"))
                > first.indexOf(QStringLiteral("Test okazał się")));
        // Without the file, no heading for it.
        analysis.blueprintFolder.clear();
        QVERIFY(!reportText(analysis).contains(QStringLiteral("Wnioski i rekomendacje")));
    }

    void notesFileRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("school");
        QTest::addColumn<QString>("teacher");
        QTest::addColumn<QString>("conclusions");
        QTest::newRow("as written") << reportNotesFileBytes(
                {QStringLiteral("SP 1"), QStringLiteral("Ewa"), QStringLiteral("a\n\nb")})
                                    << "SP 1"
                                    << "Ewa"
                                    << "a\n\nb";
        QTest::newRow("CR LF and BOM") << QByteArray("\xEF\xBB\xBFSzko\xC5\x82"
                                                     "a: SP 2\r\n"
                                                     "Wnioski i rekomendacje:\r\nx\r\n")
                                       << "SP 2"
                                       << ""
                                       << "x";
        QTest::newRow("only text, by hand") << QByteArray("Dobrze.\n") << ""
                                            << ""
                                            << "Dobrze.";
        QTest::newRow("control characters dropped")
                << QByteArray("Nauczyciel: A\x1b[2J\x07n\n") << ""
                << "A[2Jn"
                << "";
    }
    void notesFileRoundTrip()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, school);
        QFETCH(QString, teacher);
        QFETCH(QString, conclusions);
        const ReportNotes notes = parseReportNotes(bytes);
        QCOMPARE(notes.school, school);
        QCOMPARE(notes.teacher, teacher);
        QCOMPARE(notes.conclusions, conclusions);
        QCOMPARE(parseReportNotes(reportNotesFileBytes(notes)), notes);
    }

    // Every header and summary label of every table the report holds is
    // explained in the key, which stands on the last page.
    void keyExplainsEveryHeader()
    {
        AnalysisState analysis = classOf(kNeutral, kWeaker);
        analysis.blueprint.skills.push_back({QStringLiteral("Zadania"), QString(), 3u});
        QSet<QString> terms;
        for (const KeyEntry &entry : reportKey()) {
            for (const QString &term : entry.term.split(QStringLiteral(", ")))
                terms.insert(term);
        }
        std::vector<ReportTable> tables;
        for (const TableMaker &make : outputTableMakers(analysis, Output::Report))
            tables.push_back(make());
        const TableTexts texts;
        static const QRegularExpression number(QStringLiteral("^[\\d,.\\s–-]*$"));
        for (const ReportTable &table : tables) {
            QStringList labels;
            for (int c = 0; c < table.columnCount(); ++c)
                labels.append(texts.text(table, c, 0));
            for (int r = table.rowCount() - table.summaryRows; r < table.rowCount(); ++r)
                labels.append(texts.text(table, 0, r));
            for (const QString &label : std::as_const(labels)) {
                if (label.isEmpty() || number.match(label).hasMatch()
                        || label.startsWith(QStringLiteral("8")))
                    continue;
                QVERIFY2(terms.contains(label),
                        qPrintable(table.title + QStringLiteral(": ") + label));
            }
        }
        const QStringList pages = reportPages(analysis);
        QVERIFY(pages.last().contains(QStringLiteral("Objaśnienia")));
        const qsizetype first =
                pages.indexOf(pages.filter(QStringLiteral("Objaśnienia")).constFirst());
        const QString key = pages.mid(first).join(QLatin1Char(' '));
        QVERIFY(key.contains(QStringLiteral("Moc różn. – moc różnicująca")));
        QVERIFY(key.contains(QStringLiteral("Łatwość pytań w klasach –")));
    }

    // With classes, each student's class stands beside the name in the
    // report's and the workbook's student tables; one class adds nothing.
    void classColumnBesideTheNames()
    {
        const AnalysisState classes = classOf(kNeutral, kWeaker);
        const TableTexts texts;
        for (const ReportTable &table :
                {resultsReportTable(classes), workingTimeReportTable(classes)}) {
            QCOMPARE(texts.text(table, 1, 0), QStringLiteral("Klasa"));
            QCOMPARE(table.frozenColumns, 2);
            for (int r = 1; r <= classes.studentCount; ++r) {
                const UczenAll &student = classes.students[static_cast<std::size_t>(r - 1)];
                QCOMPARE(texts.text(table, 0, r), student.displayName());
                QCOMPARE(texts.text(table, 1, r), student.schoolClass);
            }
            for (int r = classes.studentCount + 1; r < table.rowCount(); ++r)
                QVERIFY(texts.text(table, 1, r).isEmpty());
        }
        QCOMPARE(texts.text(resultsReportTable(classes), 2, 0), QStringLiteral("1"));
        const AnalysisState one = classOf(kNeutral);
        QCOMPARE(texts.text(resultsReportTable(one), 1, 0), QStringLiteral("1"));
        QCOMPARE(texts.text(workingTimeReportTable(one), 1, 0), QStringLiteral("Początek"));
        const QStringList pages = reportPages(classes);
        const QString results = pages.filter(QStringLiteral("Tabela - Wyniki testu")).value(0);
        QVERIFY(results.contains(QStringLiteral("Klasa")));
        QVERIFY(results.contains(QStringLiteral("Ewa 8a")));
        QVERIFY(results.contains(QStringLiteral("Ewa 8b")));
    }

    // The report and the workbook without names: "Uczeń 1", ... in the
    // results table's order, no student's name anywhere in either.
    void anonymousOutputsNameNoOne()
    {
        AnalysisState analysis = classOf(kNeutral, kWeaker);
        const AnalysisState anonymous = withoutNames(analysis);
        const QString text = reportText(anonymous);
        const QString sheet = zipMember(workbookFileBytes(anonymous), QStringLiteral("*"));
        QVERIFY(!sheet.isEmpty());
        for (const UczenAll &student : analysis.students) {
            QVERIFY2(!text.contains(student.Nazwisko), qPrintable(student.Nazwisko));
            QVERIFY2(!sheet.contains(student.Nazwisko), qPrintable(student.Nazwisko));
        }
        const QString first = analysis.students.front().displayName();
        QVERIFY(text.contains(QStringLiteral("Uczeń 1 8a")));
        QVERIFY(text.contains(QStringLiteral("Uczeń 20 8b")));
        QVERIFY(sheet.contains(QStringLiteral("Uczeń 20")));
        QVERIFY(!first.startsWith(QStringLiteral("Uczeń")));
    }

    void skippedFilesListed()
    {
        // A load of the sample folder leaves out the files of another test:
        // the summary says which, so that no reader takes the figures for the
        // whole class; the anonymised report names no such file.
        QStringList paths;
        for (const QString &name : QDir(examplesPath()).entryList({QStringLiteral("*.dat")}))
            paths.append(examplesPath(name));
        LoadOutcome load = loadResults(paths, Thresholds{});
        QVERIFY(load.loaded());
        AnalysisState analysis;
        QVERIFY(commitLoad(std::move(load), analysis));
        const QString first = reportPages(analysis).first();
        const QRegularExpression line(
                QStringLiteral("Pominięte pliki: \\S+/inny_test_nowak_aleksander.dat, "
                               "\\S+/inny_test_sikora_zofia.dat \\(inny test\\)"));
        QVERIFY2(line.match(first).hasMatch(), qPrintable(first));
        QVERIFY(!first.contains(QStringLiteral("inna liczba pytań")));

        const QString anonymous = reportText(withoutNames(analysis));
        QVERIFY(!anonymous.contains(QStringLiteral("inny_test")));
        QVERIFY(anonymous.contains(QStringLiteral("plik2.dat (inny test)")));

        analysis.otherTestFiles.clear();
        QVERIFY(!reportText(analysis).contains(QStringLiteral("Pominięte pliki")));
    }

    // The guide's table of rules is the program's, row by row.
    void guideListsEveryRule()
    {
        QFile guide(QStringLiteral(ZAVEVAD_EXAMPLES_DIR "/../docs/guide/pomoc.html"));
        QVERIFY(guide.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(guide.readAll());
        for (const ConclusionRule &rule : conclusionRules()) {
            const QString row =
                    QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>")
                            .arg(rule.figure.toHtmlEscaped(), rule.condition.toHtmlEscaped(),
                                    rule.pattern.toHtmlEscaped());
            QVERIFY2(text.contains(row), qPrintable(row));
        }
    }

    // The report's pie names each slice's grade with its count, readable in
    // black and white; the counts are the grade table's.
    void pieSlicesSayTheirGrade()
    {
        const AnalysisState analysis = classOf(kNeutral);
        const QString pie =
                reportPages(analysis).filter(QStringLiteral("Wykres - Ilość ocen")).value(0);
        const ReportTable grades = gradeCountTable(analysis);
        for (const QString &grade : gradeNames()) {
            const QString label = grade + QLatin1Char(' ') + valueBeside(grades, grade);
            QVERIFY2(pie.contains(label), qPrintable(label + QStringLiteral(" in ") + pie));
        }
    }

    // A table over several pages repeats its title with "(cd.)".
    void continuedTablesSayTheyAre()
    {
        const QStringList pages = reportPages(makeAnalysis(120, 8));
        int continued = 0;
        for (const QString &page : pages) {
            if (page.contains(QStringLiteral("Uczeń100 Anna"))
                    && !page.contains(QStringLiteral("Uczeń001 Anna")))
                continued += page.contains(QStringLiteral("(cd.)")) ? 1 : 0;
        }
        // The results, the working time, the stanines and the student-problem table.
        QCOMPARE(continued, 4);
    }
};

QTEST_MAIN(TestReportSummary)
#include "tst_reportsummary.moc"
