#include "exportclass.h"
#include "scriptedplatform.h"
#include "testsupport.h"

#include "export/exportcommands.h"
#include "export/htmlexport.h"
#include "export/tabletext.h"
#include "results/codepage.h"
#include "tables/analysistables.h"
#include "tables/gridmodel.h"
#include "tables/gridoperations.h"
#include "tables/gridstate.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using namespace zavevad;
using namespace zavevad::test;
using namespace Qt::StringLiterals;

namespace {

// The tables as the program shows them after a load of the class: results
// page 1, then page 2 (right arrow), then working time, then grade count, all
// in one grid so that formats left by a table carry over as they do on screen.
enum Step { ResultsPage1, ResultsPage2, WorkingTime, GradeCount };

struct Screen
{
    AnalysisState analysis = exportClass();
    GridModel grid;
    GridState state;
    AnalysisTables tables{grid, state, analysis};

    explicit Screen(Step upTo)
    {
        tables.PokazTabele(TableResults);
        if (upTo >= ResultsPage2)
            tables.ImTabelaWPrawoClick();
        if (upTo >= WorkingTime)
            tables.PokazTabele(TableWorkingTime);
        if (upTo >= GradeCount)
            tables.PokazTabele(TableGradeCount);
    }
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<cannot read ") + path.toUtf8() + '>';
    return file.readAll();
}

// Where two byte strings part, with some text around it, for a readable failure.
QByteArray firstDifference(const QByteArray &actual, const QByteArray &expected)
{
    qsizetype at = 0;
    while (at < actual.size() && at < expected.size() && actual.at(at) == expected.at(at))
        ++at;
    const qsizetype from = std::max<qsizetype>(0, at - 60);
    return "offset " + QByteArray::number(at)
            + "\n   actual: " + actual.mid(from, 120).toPercentEncoding(" <>/=#\"")
            + "\n expected: " + expected.mid(from, 120).toPercentEncoding(" <>/=#\"");
}

#define COMPARE_BYTES(actual, expected)                                                            \
    do {                                                                                           \
        const QByteArray a_ = (actual);                                                            \
        const QByteArray e_ = (expected);                                                          \
        QVERIFY2(a_ == e_, firstDifference(a_, e_).constData());                                   \
    } while (false)

GridModel gridWithText(const QString &text)
{
    GridModel grid;
    grid.setColumnCount(1);
    grid.setRowCount(2);
    grid.setText(0, 0, QStringLiteral("H"));
    grid.setText(0, 1, text);
    return grid;
}

// The body cell (0,1) of an HTML table text: from its opening tag to its closing one.
QString bodyCell(const QString &html)
{
    const qsizetype start = html.indexOf(QStringLiteral("  <td"));
    const qsizetype end = html.indexOf(QStringLiteral("  </td>"), start);
    return html.mid(start, end + 7 - start);
}

} // namespace

class TestTableExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void savedFilesMatchExpectedBytes_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("expectedFile");
        const struct
        {
            Step step;
            const char *name;
        } tables[] = {{ResultsPage1, "results-page1"}, {ResultsPage2, "results-page2"},
                {WorkingTime, "workingtime"}, {GradeCount, "gradecount"}};
        for (const auto &table : tables) {
            for (const char *extension : {"txt", "html"}) {
                const QString file = QString::fromLatin1(table.name) + QLatin1Char('.')
                        + QString::fromLatin1(extension);
                QTest::newRow(qPrintable(file)) << int(table.step) << file;
            }
        }
    }
    void savedFilesMatchExpectedBytes()
    {
        QFETCH(int, step);
        QFETCH(QString, expectedFile);
        Screen screen(static_cast<Step>(step));
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        ScriptedPlatform platform;
        platform.saveAnswers.push_back(dir.filePath(QStringLiteral("tabela")));
        if (expectedFile.endsWith(QLatin1String(".txt")))
            ZapiszTxt(screen.grid);
        else
            ZapiszHtml(screen.grid);
        const QString saved = dir.filePath(
                QStringLiteral("tabela.") + expectedFile.section(QLatin1Char('.'), -1));
        COMPARE_BYTES(readAll(saved), readAll(dataPath(QStringLiteral("export/") + expectedFile)));
    }

    // Shown after the grade-count table, whose formats must not reach it.
    void itemAnalysisFilesMatchExpectedBytes_data()
    {
        QTest::addColumn<bool>("undefinedValues");
        QTest::addColumn<QString>("expectedFile");
        for (const char *extension : {"txt", "html"}) {
            QTest::addRow("class, %s", extension)
                    << false << u"itemanalysis."_s + QLatin1String(extension);
            QTest::addRow("undefined values, %s", extension)
                    << true << u"itemanalysis-undefined."_s + QLatin1String(extension);
        }
    }
    void itemAnalysisFilesMatchExpectedBytes()
    {
        QFETCH(bool, undefinedValues);
        QFETCH(QString, expectedFile);
        Screen screen(GradeCount);
        if (undefinedValues) {
            // Two students, both right on both questions: nothing varies.
            screen.analysis.students.resize(2);
            for (UczenAll &student : screen.analysis.students)
                student.Odpowiedzi.fill(1);
            gradeClass(screen.analysis);
            screen.analysis.questionCount = 2;
        }
        screen.tables.PokazTabele(TableItemAnalysis);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        ScriptedPlatform platform;
        platform.saveAnswers.push_back(dir.filePath(u"tabela"_s));
        const QString extension = expectedFile.section(QLatin1Char('.'), -1);
        if (extension == u"txt"_s)
            ZapiszTxt(screen.grid);
        else
            ZapiszHtml(screen.grid);
        COMPARE_BYTES(readAll(dir.filePath(u"tabela."_s + extension)),
                readAll(dataPath(u"export/"_s + expectedFile)));
    }

    void scrollingDoesNotChangeTheExport_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("results") << int(TableResults);
        QTest::newRow("working time") << int(TableWorkingTime);
    }
    void scrollingDoesNotChangeTheExport()
    {
        QFETCH(int, kind);
        // 40 students: three pages of rows, so the down arrow moves the top row twice.
        AnalysisState analysis = exportClass();
        for (int i = 0; i < 34; ++i) {
            analysis.students.push_back(exportStudent(QStringLiteral("Zając%1").arg(i + 10),
                    QStringLiteral("Ola"), "1100110011001100", atTime(9, 0, 0), atTime(9, 10, i)));
        }
        gradeClass(analysis);
        QCOMPARE(analysis.studentCount, 40);
        GridModel grid;
        GridState state;
        AnalysisTables tables(grid, state, analysis);
        tables.PokazTabele(TableKind(kind));
        const QString text = tableText(grid);
        const QString html = htmlTableText(grid);
        QCOMPARE(text.count(QStringLiteral("\r\n")), grid.rowCount());

        tables.ImTabelaWDolClick();
        QVERIFY(grid.topRow() > 1);
        QCOMPARE(tableText(grid), text);
        QCOMPARE(htmlTableText(grid), html);
        tables.ImTabelaWDolClick();
        QCOMPARE(tableText(grid), text);
        QCOMPARE(htmlTableText(grid), html);
    }

    // Names reach the page as text, never as markup, in every code page.
    void cellTextsAreEscapedAndEncoded_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("htmlBytes");
        QTest::addColumn<QString>("clipboardHtml");
        QTest::newRow("markup") << QStringLiteral("<b>O'Neil & Syn</b>")
                                << QByteArray("&lt;b&gt;O'Neil &amp; Syn&lt;/b&gt;")
                                << QStringLiteral("&lt;b&gt;O'Neil &amp; Syn&lt;/b&gt;");
        QTest::newRow("entity stays text") << QStringLiteral("&amp;") << QByteArray("&amp;amp;")
                                           << QStringLiteral("&amp;amp;");
        QTest::newRow("quotes outside ISO 8859-2")
                << QStringLiteral("„Kalmo”") << QByteArray("&#8222;Kalmo&#8221;")
                << QStringLiteral("„Kalmo”");
        QTest::newRow("beyond the basic plane")
                << QStringLiteral("x\U0001F600y") << QByteArray("x&#128512;y")
                << QStringLiteral("x\U0001F600y");
        QTest::newRow("broken surrogate")
                << QString(QChar(0xD800)) << QByteArray("&#65533;") << QString(QChar(0xD800));
        QTest::newRow("plain quote")
                << QStringLiteral("\"a\"") << QByteArray("\"a\"") << QStringLiteral("\"a\"");
    }
    void cellTextsAreEscapedAndEncoded()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, htmlBytes);
        QFETCH(QString, clipboardHtml);
        const GridModel grid = gridWithText(text);
        const QByteArray expectedCell = "  <td align=left>\r\n" + htmlBytes + "  </td>";
        QVERIFY2(htmlTableBytes(grid).contains(expectedCell), htmlTableBytes(grid).constData());
        QCOMPARE(bodyCell(htmlTableText(grid)),
                QStringLiteral("  <td align=left>\r\n") + clipboardHtml
                        + QStringLiteral("  </td>"));
        // The text export writes texts as they stand.
        QCOMPARE(tableText(grid), QStringLiteral("H\r\n") + text + QStringLiteral("\r\n"));
    }

    // Signs the code page lacks reach the text file as words, not as "?".
    void signsTheCodePageLacksBecomeWords_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("rise") << QStringLiteral("\u2191") << QByteArray("wzrost");
        QTest::newRow("fall") << QStringLiteral("\u2193") << QByteArray("spadek");
        QTest::newRow("no change") << QStringLiteral("\u2192") << QByteArray("bez zmian");
        QTest::newRow("mark") << QStringLiteral("0,29 \u25BC")
                              << QByteArray("0,29 (ni\xbf"
                                            "ej)");
    }
    void signsTheCodePageLacksBecomeWords()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(tableTextCp1250(gridWithText(text)), "H\r\n" + bytes + "\r\n");
    }

    void polishTextGetsTheSixLetterConversion()
    {
        const QString letters = QStringLiteral("aąbcćdeęfghijklłmnńoóprsśtuwyzźż"
                                               "AĄBCĆDEĘFGHIJKLŁMNŃOÓPRSŚTUWYZŹŻ 0-9,.()%:");
        QByteArray expected = codepage::toCp1250(letters);
        const std::pair<char, char> moved[] = {{'\xB9', '\xB1'}, {'\xA5', '\xA1'}, {'\x9C', '\xB6'},
                {'\x8C', '\xA6'}, {'\x9F', '\xBC'}, {'\x8F', '\xAC'}};
        for (char &byte : expected) {
            for (const auto &[cp1250, iso] : moved) {
                if (byte == cp1250) {
                    byte = iso;
                    break;
                }
            }
        }
        QCOMPARE(toIso88592Html(letters), expected);
    }

    void htmlSizeFollowsPoints_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("size");
        const int table[][2] = {{0, 1}, {5, 1}, {6, 2}, {8, 2}, {9, 2}, {10, 3}, {11, 4}, {13, 4},
                {14, 5}, {17, 5}, {18, 6}, {21, 6}, {22, 7}, {72, 7}, {-1, 7}};
        for (const auto &row : table)
            QTest::addRow("%d pt", row[0]) << row[0] << row[1];
    }
    void htmlSizeFollowsPoints()
    {
        QFETCH(int, points);
        QFETCH(int, size);
        QCOMPARE(htmlFontSize(points), size);
    }

    void gridFontsAreEightPoints()
    {
        const GridModel grid;
        QCOMPARE(fontPoints(grid.bodyFont()), 8);
        QCOMPARE(fontPoints(grid.headerFont()), 8);
        GridFont large = grid.bodyFont();
        large.setPixelHeight(16);
        QCOMPARE(fontPoints(large), 12);
    }

    void fontPartCarriesEveryStyleInOrder()
    {
        GridModel grid = gridWithText(QStringLiteral("x"));
        GridFont &font = grid.cellFormat(0, 1).ownFont(grid.bodyFont());
        font.setColor(QColor(0x12, 0xAB, 0xEF));
        font.setPixelHeight(19); // 14 points
        font.setStyle(fsBold | fsItalic | fsUnderline | fsStrikeOut);
        grid.cellFormat(0, 1).alignment = alRight;
        QCOMPARE(bodyCell(htmlTableText(grid)),
                QStringLiteral("  <td align=right>\r\n   <font color=#12ABEF size=5>"
                               "<b><i><strike><u>x</u></strike></i></b></font>  </td>"));
    }

    void unsetFontsAndBodyBackgroundAreLeftOut()
    {
        GridModel grid = gridWithText(QStringLiteral("a"));
        // A format that only aligns carries no font of its own.
        grid.rowFormat(1).alignment = alCenter;
        // A background equal to the body's is not repeated.
        grid.rowFormat(1).background = grid.bodyBackground();
        QCOMPARE(htmlTableText(grid),
                QStringLiteral("<table bgcolor=#E3DEE0>\r\n"
                               " <tr>\r\n"
                               "  <th align=center bgcolor=#004040>\r\n"
                               "   <font color=#FFFFFF size=2><b>H</b></font>  </th> </tr>\r\n"
                               " <tr>\r\n"
                               "  <td align=center>\r\n"
                               "a  </td> </tr>\r\n"
                               "</table>\r\n"));
        // A font copied from the default but never changed does not count as set.
        grid.cellFormat(0, 1).ownFont(grid.bodyFont());
        QCOMPARE(bodyCell(htmlTableText(grid)), QStringLiteral("  <td align=center>\r\na  </td>"));
    }
};

QTEST_GUILESS_MAIN(TestTableExport)
#include "tst_tableexport.moc"
