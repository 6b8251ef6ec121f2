#include "exportclass.h"
#include "filebytes.h"
#include "scriptedplatform.h"
#include "specialfiles.h"
#include "testsupport.h"

#include "export/exportcommands.h"
#include "export/htmlexport.h"
#include "export/tabletext.h"
#include "platform/commanderror.h"
#include "tables/analysistables.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace zavevad;
using namespace zavevad::test;

namespace {

struct LoadedScreen
{
    AnalysisState analysis = exportClass();
    GridModel grid;
    GridState state;
    AnalysisTables tables{grid, state, analysis};

    LoadedScreen() { tables.PokazTabele(TableResults); }
};

using Command = void (*)(const GridModel &);

Command saveCommand(const QString &extension)
{
    return extension == QLatin1String("txt") ? &ZapiszTxt : &ZapiszHtml;
}

QByteArray expectedBytes(const QString &extension, const GridModel &grid)
{
    return extension == QLatin1String("txt") ? tableTextCp1250(grid) : htmlPageBytes(grid);
}

} // namespace

class TestExportCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void savesUnderTheChosenName_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("qtFilter");
        QTest::newRow("txt, no extension") << "txt"
                                           << "wyniki"
                                           << "wyniki.txt"
                                           << "Plik tekstowy (*.txt)";
        QTest::newRow("txt, own extension") << "txt"
                                            << "wyniki.csv"
                                            << "wyniki.csv"
                                            << "Plik tekstowy (*.txt)";
        QTest::newRow("html, no extension") << "html"
                                            << "wyniki"
                                            << "wyniki.html"
                                            << "Plik tekstowy (*.html)";
        QTest::newRow("html, dotted folder") << "html"
                                             << "klasa.3a/wyniki"
                                             << "klasa.3a/wyniki.html"
                                             << "Plik tekstowy (*.html)";
    }
    void savesUnderTheChosenName()
    {
        QFETCH(QString, extension);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(QString, qtFilter);
        LoadedScreen screen;
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("klasa.3a")));
        ScriptedPlatform platform;
        platform.setSaveFilter(QStringLiteral("Wzór formatu (*.ssw)|*.ssw"), QStringLiteral("ssw"));
        platform.saveAnswers.push_back(dir.filePath(typed));

        saveCommand(extension)(screen.grid);

        QCOMPARE(platform.calls.size(), 1);
        QCOMPARE(platform.calls.at(0).kind, ScriptedPlatform::DialogCall::Save);
        QCOMPARE(platform.calls.at(0).title, QStringLiteral("Zapisz tabelę jako..."));
        QCOMPARE(platform.calls.at(0).filter, qtFilter);
        QCOMPARE(platform.calls.at(0).defaultExtension, extension);
        // The shared dialog keeps what the command gave it.
        QCOMPARE(platform.saveFilter(), QStringLiteral("Plik tekstowy (*.%1)|*.%1").arg(extension));
        QCOMPARE(platform.saveDefaultExtension(), extension);
        QCOMPARE(readAll(dir.filePath(written)), expectedBytes(extension, screen.grid));
    }

    void replacesTheWholeOfAnExistingFile_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::newRow("txt") << "txt";
        QTest::newRow("html") << "html";
    }
    void replacesTheWholeOfAnExistingFile()
    {
        QFETCH(QString, extension);
        LoadedScreen screen;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tabela.") + extension);
        QVERIFY(writeFile(path, QByteArray(100000, 'x')));
        ScriptedPlatform platform;
        platform.saveAnswers.push_back(path);
        saveCommand(extension)(screen.grid);
        QCOMPARE(readAll(path), expectedBytes(extension, screen.grid));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void cancelledDialogWritesNothing_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::newRow("txt") << "txt";
        QTest::newRow("html") << "html";
    }
    void cancelledDialogWritesNothing()
    {
        QFETCH(QString, extension);
        LoadedScreen screen;
        ScriptedPlatform platform;
        platform.saveAnswers.push_back(std::nullopt);
        const QString before = QDir::current().entryList().join(QLatin1Char('|'));
        QCOMPARE(test::commandErrorOf([&] { saveCommand(extension)(screen.grid); }), QString());
        QCOMPARE(platform.calls.size(), 1);
        QCOMPARE(platform.clipboardWrites, 0);
        QCOMPARE(QDir::current().entryList().join(QLatin1Char('|')), before);
    }

    void failedSaveKeepsTheOldFileAndNamesTheNewOne_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen");
        for (const char *ext : {"txt", "html"}) {
            const QString e = QString::fromLatin1(ext);
            const QString dotE = QLatin1Char('.') + e;
            const QString longName = QString(250 - e.size() - 1, QLatin1Char('n'));
            QTest::addRow("missing folder, %s", ext)
                    << e << ""
                    << "brak/tabela" << QStringLiteral("brak/tabela") + dotE;
            QTest::addRow("parent is a file, %s", ext)
                    << e << "file:plik"
                    << "plik/tabela" << QStringLiteral("plik/tabela") + dotE;
            QTest::addRow("target is a folder, %s", ext)
                    << e << QStringLiteral("folder:tabela") + dotE << "tabela"
                    << QStringLiteral("tabela") + dotE;
            // The name fits the folder but its temporary sibling's does not: the
            // write fails at the very end, with the old file still in place.
            QTest::addRow("failure at commit, %s", ext)
                    << e << QStringLiteral("file:") + longName + dotE << longName
                    << longName + dotE;
            QTest::addRow("read-only folder, %s", ext)
                    << e << "readonly:ro"
                    << "ro/tabela" << QStringLiteral("ro/tabela") + dotE;
        }
    }
    void failedSaveKeepsTheOldFileAndNamesTheNewOne()
    {
        QFETCH(QString, extension);
        QFETCH(QString, setup);
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        const QByteArray oldContent = "stare dane\r\n";
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QDir root(dir.path());
        const QString what = setup.section(QLatin1Char(':'), 0, 0);
        const QString name = setup.section(QLatin1Char(':'), 1);
        if (what == QLatin1String("file"))
            QVERIFY(writeFile(dir.filePath(name), oldContent));
        if (what == QLatin1String("folder"))
            QVERIFY(root.mkdir(name));
        if (what == QLatin1String("readonly")) {
            QVERIFY(root.mkdir(name));
            QVERIFY(writeFile(
                    dir.filePath(name + QStringLiteral("/tabela.") + extension), oldContent));
            QFile::setPermissions(dir.filePath(name), QFile::ReadOwner | QFile::ExeOwner);
            // Permission bits do not stop a superuser.
            if (writeFile(dir.filePath(name + QStringLiteral("/probe")), "x")) {
                QFile::setPermissions(
                        dir.filePath(name), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                QSKIP("folder permissions do not apply to this user");
            }
        }
        const QStringList filesBefore =
                root.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

        LoadedScreen screen;
        ScriptedPlatform platform;
        platform.saveAnswers.push_back(dir.filePath(typed));
        const QString message = test::commandErrorOf([&] { saveCommand(extension)(screen.grid); });

        if (what == QLatin1String("readonly"))
            QFile::setPermissions(
                    dir.filePath(name), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(message,
                QStringLiteral("Cannot create file ")
                        + QDir::toNativeSeparators(dir.filePath(chosen)));
        // Nothing was replaced and no temporary file was left behind.
        QCOMPARE(root.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                filesBefore);
        if (QFileInfo(dir.filePath(chosen)).isFile())
            QCOMPARE(readAll(dir.filePath(chosen)), oldContent);
        if (what == QLatin1String("file"))
            QCOMPARE(readAll(dir.filePath(name)), oldContent);
    }

    // A disk that fills up part-way through a 100-byte, a 10 KB and a 100 KB
    // table: the old file stays, and the message names the file.
    void fullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<int>("rows");
        for (const char *ext : {"txt", "html"}) {
            QTest::addRow("100 bytes, %s", ext) << QString::fromLatin1(ext) << 1;
            QTest::addRow("10 KB, %s", ext) << QString::fromLatin1(ext) << 100;
            QTest::addRow("100 KB, %s", ext) << QString::fromLatin1(ext) << 1000;
        }
    }
    void fullDiskKeepsTheOldFile()
    {
        QFETCH(QString, extension);
        QFETCH(int, rows);
        GridModel grid;
        grid.setColumnCount(1);
        grid.setRowCount(rows);
        for (int r = 0; r < rows; ++r)
            grid.setText(0, r, QString(QLatin1Char(char('a' + r % 26))).repeated(98));
        const qsizetype size = expectedBytes(extension, grid).size();
        QVERIFY2(size >= rows * 100 && size < rows * 300 + 400, qPrintable(QString::number(size)));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tabela.") + extension);
        const QByteArray old = "stare dane\r\n";
        QVERIFY(writeFile(path, old));
        ScriptedPlatform platform;
        for (const qsizetype room : {qsizetype(0), size / 2, size - 1}) {
            platform.saveAnswers.push_back(path);
            QString message;
            {
                const FileSizeLimit full(room);
                if (!full.active())
                    QSKIP("needs a file size limit");
                message = test::commandErrorOf([&] { saveCommand(extension)(grid); });
            }
            QCOMPARE(message,
                    QStringLiteral("Cannot create file ") + QDir::toNativeSeparators(path));
            QCOMPARE(readAll(path), old);
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
        }
    }

    void htmlCopyHoldsHtmlAndText()
    {
        LoadedScreen screen;
        ScriptedPlatform platform;
        KopiujHtml(screen.grid);
        QCOMPARE(platform.clipboardWrites, 1);
        QVERIFY(platform.calls.isEmpty());
        const QMimeData *data = platform.clipboard();
        QVERIFY(data);
        QVERIFY(data->hasFormat(QStringLiteral("text/html")));
        QVERIFY(data->hasFormat(QStringLiteral("text/plain")));
        const QString html = data->html();
        // The bare table, without the page head of the file.
        QCOMPARE(html, htmlTableText(screen.grid));
        QVERIFY(html.startsWith(QStringLiteral("<table bgcolor=#E3DEE0>\r\n")));
        QVERIFY(html.endsWith(QStringLiteral("</table>\r\n")));
        QVERIFY(html.contains(QStringLiteral(">\r\nŚliwa Łucja  </td>")));
        QCOMPARE(data->text(), tableText(screen.grid));
        QVERIFY(data->text().startsWith(QStringLiteral("Nazwisko i imię\t1\t2\t")));
    }

    void clipboardFailureIsReported()
    {
        LoadedScreen screen;
        ScriptedPlatform platform;
        platform.clipboardFails = true;
        QCOMPARE(test::commandErrorOf([&] { KopiujCsv(screen.grid); }),
                QStringLiteral("Cannot open clipboard"));
        QCOMPARE(test::commandErrorOf([&] { KopiujHtml(screen.grid); }),
                QStringLiteral("Cannot open clipboard"));
        QCOMPARE(platform.clipboard(), nullptr);
    }
};

QTEST_GUILESS_MAIN(TestExportCommands)
#include "tst_exportcommands.moc"
