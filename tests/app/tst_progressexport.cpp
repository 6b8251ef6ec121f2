#include "../results/progressclass.h"
#include "app/batchexport.h"
#include "app/commandline.h"
#include "filebytes.h"
#include "results/resultpaths.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zavevad;
using namespace zavevad::test;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(zavevad::CommandLine::Action)

class TestProgressExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void newestTestEqualsALoadOfItsFiles_data()
    {
        QTest::addColumn<bool>("folderPerTest");
        QTest::addColumn<int>("kind");
        for (const bool perTest : {true, false}) {
            for (int kind = TableResults; kind <= TableClassComparison; ++kind) {
                const QByteArray name = (perTest ? "folder per test, table " : "one folder, table ")
                        + QByteArray::number(kind);
                QTest::newRow(name.constData()) << perTest << kind;
            }
        }
    }
    void newestTestEqualsALoadOfItsFiles()
    {
        QFETCH(bool, folderPerTest);
        QFETCH(int, kind);
        QTemporaryDir dir;
        writeSampleTests(dir.path(), sampleTests(), folderPerTest);
        // The newest test's blueprint beside its files; an older test's beside its own.
        const QString newestFolder = folderPerTest ? dir.filePath(u"potegi"_s) : dir.path();
        QVERIFY(writeFile(newestFolder + u"/Kartoteka.txt"_s, "1\tPotęgi\n2\tPierwiastki\n"));
        if (folderPerTest)
            QVERIFY(writeFile(dir.filePath(u"ulamki/Kartoteka.txt"_s), "3\tUłamki\n"));

        BatchExport several;
        several.files = resultFilesUnder(dir.path());
        several.severalTests = true;
        several.tableKind = TableKind(kind);
        several.txtPath = dir.filePath(u"several.txt"_s);
        const BatchOutcome severalOutcome = runBatchExport(several, Thresholds{});
        QVERIFY2(severalOutcome.ok, qPrintable(severalOutcome.error));

        // The teacher's load of the newest test: its folder, or in one folder
        // its files alone.
        BatchExport one;
        if (folderPerTest) {
            one.files = expandResultPaths({newestFolder});
        } else {
            for (const QString &file : resultFilesUnder(dir.path())) {
                if (QFileInfo(file).fileName().startsWith(u"potegi"_s))
                    one.files << file;
            }
        }
        one.tableKind = TableKind(kind);
        one.txtPath = dir.filePath(u"one.txt"_s);
        const BatchOutcome oneOutcome = runBatchExport(one, Thresholds{});
        QVERIFY2(oneOutcome.ok, qPrintable(oneOutcome.error));

        const QByteArray bytes = readAll(one.txtPath);
        QVERIFY(!bytes.isEmpty());
        QCOMPARE(readAll(several.txtPath), bytes);
        QVERIFY(severalOutcome.warning.contains(u"Zielinski piotr / Zieliński Piotr (Procenty)"_s));
    }

    void testsOption_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<CommandLine::Action>("action");
        QTest::addColumn<QString>("folder");
        using A = CommandLine::Action;
        QTest::newRow("window") << QStringList{u"--testy"_s, u"klasa"_s} << A::Window << u"klasa"_s;
        QTest::newRow("export") << QStringList{u"--testy"_s, u"klasa"_s, u"--txt"_s, u"o.txt"_s}
                                << A::Batch << u"klasa"_s;
        QTest::newRow("with files")
                << QStringList{u"--testy"_s, u"klasa"_s, u"a.dat"_s} << A::UsageError << QString();
        QTest::newRow("no folder") << QStringList{u"--testy"_s} << A::UsageError << QString();
    }
    void testsOption()
    {
        QFETCH(QStringList, arguments);
        QFETCH(CommandLine::Action, action);
        QFETCH(QString, folder);
        const CommandLine parsed = parseCommandLine(QStringList{u"zavevad"_s} + arguments);
        QCOMPARE(parsed.action, action);
        QCOMPARE(parsed.testsFolder, folder);

        std::vector<QByteArray> bytes{"zavevad"};
        for (const QString &argument : arguments)
            bytes.push_back(argument.toUtf8());
        std::vector<char *> argv;
        for (QByteArray &b : bytes)
            argv.push_back(b.data());
        // Only the load of tests alone opens the window.
        QCOMPARE(wantsWindow(int(argv.size()), argv.data()), action == CommandLine::Action::Window);
    }

    void testsFolderErrors()
    {
        QTemporaryDir dir;
        QVERIFY(testsFolderError(dir.filePath(u"brak"_s)).startsWith(u"Nie ma folderu"_s));
        QVERIFY(testsFolderError(dir.path()).contains(u"nie ma plików wyników"_s));
        writeSampleTests(dir.path(), sampleTests(), true);
        QCOMPARE(testsFolderError(dir.path()), QString());
    }
};

QTEST_GUILESS_MAIN(TestProgressExport)
#include "tst_progressexport.moc"
