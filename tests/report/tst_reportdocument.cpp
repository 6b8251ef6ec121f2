// The report's pages as a reader gets them: the PDF read back with
// poppler-utils, page by page.

#include "../tables/analysisbuilder.h"
#include "reporttools.h"
#include "scriptedplatform.h"

#include "report/reportcommands.h"
#include "report/reportdocument.h"
#include "tables/numberformat.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTest>

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
        // for the results table, and the title block shares its first page.
        // The item analysis, as narrow as on screen, fits an upright page.
        QTest::newRow("5 x 8") << 5 << 8 << 3 << 0;
        QTest::newRow("28 x 8") << 28 << 8 << 4 << 0;
        QTest::newRow("200 x 8") << 200 << 8 << 10 << 0;
        QTest::newRow("5 x 30") << 5 << 30 << 4 << 1;
        QTest::newRow("28 x 30") << 28 << 30 << 5 << 2;
        QTest::newRow("200 x 30") << 200 << 30 << 13 << 7;
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
        // Every student stands once in the results and once in the
        // working-time table: no row lost or repeated at a page break.
        const QString all = texts.join(QChar(u'\n'));
        for (const UczenAll &student : analysis.students)
            QCOMPARE(all.count(student.displayName()), 2);
        for (const char *title : {"Tabela - Wyniki testu", "Tabela - Czas pracy",
                     "Tabela - Ilość ocen", "Wykres - Ilość ocen"})
            QCOMPARE(all.count(QString::fromUtf8(title)), 1);
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

    void printerKeepsItsPaper()
    {
        // A printer cannot turn its paper between pages: it keeps the first
        // page's landscape sheets, and the upright pages come out turned on them.
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
        QCOMPARE(std::count_if(sizes.begin(), sizes.end(), isLandscape), sizes.size());
        const QString all = pdfPageTexts(pdf).join(QChar(u'\n'));
        QVERIFY(all.contains(QStringLiteral("Łuczak Anna")));
        QVERIFY(all.contains(QStringLiteral("Strona 1 z 5")));

        // Closing the preview prints nothing.
        DrukujRaport(analysis);
        QCOMPARE(platform.printed.size(), 1);
    }
};

QTEST_MAIN(TestReportDocument)
#include "tst_reportdocument.moc"
