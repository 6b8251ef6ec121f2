#include "platform/nativename.h"
#include "resultfilewriter.h"
#include "results/loader.h"
#include "results/resultpaths.h"
#include "results/thresholds.h"
#include "specialfiles.h"
#include "testsupport.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>

using namespace zavevad;
using namespace zavevad::test;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(zavevad::ResultFileError)
Q_DECLARE_METATYPE(zavevad::test::ResultFileSpec)

namespace {

ResultFileSpec fileSpec(
        const QString &surname, const QString &firstName, const QString &testName = u"Test A"_s)
{
    ResultFileSpec s;
    s.surname = surname;
    s.firstName = firstName;
    s.testName = testName;
    return s;
}

QStringList names(const Uczniowie &students)
{
    QStringList out;
    for (const UczenAll &s : students)
        out << s.displayName();
    return out;
}

#ifdef Q_OS_UNIX
// A folder or a result file under a name given as raw bytes.
bool makeFolder(const QByteArray &path)
{
    return std::filesystem::create_directory(path.toStdString());
}

bool writeRaw(const QByteArray &path, const ResultFileSpec &record)
{
    std::ofstream file(path.toStdString(), std::ios::binary);
    const QByteArray bytes = resultFileBytes(record);
    file.write(bytes.constData(), bytes.size());
    return file.good();
}
#endif

} // namespace

class TestLoader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        QVERIFY(m_dir.isValid());
    }

    void warningTexts()
    {
        QCOMPARE(sameTestWarning(u"Ułamki"_s),
                u"Uwaga. Wczytano tylko pliki testu \"Ułamki\".\rPozostałe pominięto"_s);
        QCOMPARE(structureWarning(),
                u"Uwaga. Wystąpiły błędy podczas wczytywania wyników.\r"
                u"Niektóre z plików mają niepoprawną strukturę."_s);
    }

    void oneFileLoadsWhateverItsTest()
    {
        const QString a =
                writeResultFile(m_dir.path(), u"one.dat"_s, fileSpec(u"Nowak"_s, u"Ewa"_s));
        const LoadOutcome outcome = loadResults({a}, Thresholds{});
        QVERIFY(outcome.loaded());
        QVERIFY(!outcome.otherTestsSkipped);
        QCOMPARE(outcome.testName, u"Test A"_s);
        QCOMPARE(outcome.set.students.size(), 1u);
    }

    void firstFileDecidesTheTest_data()
    {
        QTest::addColumn<QStringList>("tests");
        QTest::addColumn<QString>("accepted");
        QTest::addColumn<QStringList>("loaded");
        QTest::newRow("A, B, A") << QStringList{u"A"_s, u"B"_s, u"A"_s} << u"A"_s
                                 << QStringList{u"Uczeń 0"_s, u"Uczeń 2"_s};
        QTest::newRow("B, A, A") << QStringList{u"B"_s, u"A"_s, u"A"_s} << u"B"_s
                                 << QStringList{u"Uczeń 0"_s};
        QTest::newRow("case differs")
                << QStringList{u"Ułamki"_s, u"UŁAMKI"_s, u"ułamki"_s, u"Ułamki"_s} << u"Ułamki"_s
                << QStringList{u"Uczeń 0"_s, u"Uczeń 3"_s};
        QTest::newRow("trailing blank differs")
                << QStringList{u"A"_s, u"A "_s} << u"A"_s << QStringList{u"Uczeń 0"_s};
    }
    void firstFileDecidesTheTest()
    {
        QFETCH(QStringList, tests);
        QFETCH(QString, accepted);
        QFETCH(QStringList, loaded);
        QTemporaryDir dir;
        QStringList paths;
        for (int i = 0; i < tests.size(); ++i) {
            paths << writeResultFile(dir.path(), u"f%1.dat"_s.arg(i),
                    fileSpec(u"Uczeń"_s, QString::number(i), tests[i]));
        }
        const LoadOutcome outcome = loadResults(paths, Thresholds{});
        QVERIFY(outcome.loaded());
        QVERIFY(outcome.otherTestsSkipped);
        QCOMPARE(outcome.testName, accepted);
        QCOMPARE(names(outcome.set.students), loaded);
        // Every file left out is named, and only those.
        QStringList skipped;
        for (int i = 0; i < tests.size(); ++i) {
            if (tests[i] != accepted)
                skipped.append(paths[i]);
        }
        QCOMPARE(outcome.otherTestFiles, skipped);
        QCOMPARE(sameTestWarning(outcome.testName),
                u"Uwaga. Wczytano tylko pliki testu \"" + accepted + u"\".\rPozostałe pominięto");
    }

    void undefinedCodePageBytesStillTellTestsApart()
    {
        // 0x81 and 0x83 have no character in code page 1250; both decode alike.
        ResultFileSpec first = fileSpec(u"A"_s, u"A"_s, u"T"_s);
        first.rawBytes[74] = 0x81;
        first.testNameLength = 2;
        ResultFileSpec second = first;
        second.rawBytes[74] = 0x83;
        QTemporaryDir dir;
        const LoadOutcome outcome =
                loadResults({writeResultFile(dir.path(), u"1.dat"_s, first),
                                    writeResultFile(dir.path(), u"2.dat"_s, second)},
                        Thresholds{});
        QVERIFY(outcome.loaded());
        QVERIFY(outcome.otherTestsSkipped);
        QCOMPARE(outcome.set.students.size(), 1u);
    }

    void badFileEndsTheReadAtOnce_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("badIndex");
        QTest::addColumn<int>("badSize");
        QTest::newRow("first, short") << 5 << 0 << 127;
        QTest::newRow("third of five, short") << 5 << 2 << 127;
        QTest::newRow("third of five, empty") << 5 << 2 << 0;
        QTest::newRow("last, short") << 5 << 4 << 50;
        // A school's many files are read on several threads: the first bad
        // one in the given order is still the one named.
        QTest::newRow("many, in the first part") << 900 << 3 << 127;
        QTest::newRow("many, near the end") << 900 << 897 << 0;
    }
    void badFileEndsTheReadAtOnce()
    {
        QFETCH(int, files);
        QFETCH(int, badIndex);
        QFETCH(int, badSize);
        QTemporaryDir dir;
        QStringList paths;
        for (int i = 0; i < files; ++i) {
            ResultFileSpec s = fileSpec(u"Uczeń"_s, QString::number(i));
            if (i == badIndex)
                s.totalSize = badSize;
            paths << writeResultFile(dir.path(), u"f%1.dat"_s.arg(i), s);
        }
        // A later file that fails differently shows whether it was opened.
        if (badIndex + 1 < paths.size())
            paths[badIndex + 1] = dir.filePath(u"missing.dat"_s);

        const ReadFilesOutcome read = readResultFiles(paths);
        QVERIFY(!read.ok);
        QCOMPARE(read.failedIndex, badIndex);
        QCOMPARE(read.error, ResultFileError::TooShort);

        const LoadOutcome outcome = loadResults(paths, Thresholds{});
        QCOMPARE(outcome.status, LoadStatus::BadFile);
        QCOMPARE(outcome.failedIndex, badIndex);
        QCOMPARE(outcome.error, ResultFileError::TooShort);
    }

    // Read on several threads, a school's files keep their order, their
    // classes and the first file's say over the test.
    void manyFilesLoadInOrder()
    {
        QTemporaryDir dir;
        QStringList paths;
        for (const QString &schoolClass : {u"7a"_s, u"7b"_s}) {
            QVERIFY(QDir(dir.path()).mkdir(schoolClass));
            for (int i = 0; i < 400; ++i) {
                const bool other = i % 97 == 50;
                paths << writeResultFile(dir.filePath(schoolClass), u"u%1.dat"_s.arg(i),
                        fileSpec(schoolClass, u"%1"_s.arg(i, 3, 10, QLatin1Char('0')),
                                other ? u"Test B"_s : u"Test A"_s));
            }
        }
        const ReadFilesOutcome read = readResultFiles(paths);
        QVERIFY(read.ok);
        QCOMPARE(read.students.size(), 800u - 8u);
        QCOMPARE(read.otherTestFiles.size(), 8);
        int i = 0;
        for (const UczenAll &student : read.students) {
            while (i % 400 % 97 == 50)
                ++i;
            const QString schoolClass = i < 400 ? u"7a"_s : u"7b"_s;
            QCOMPARE(student.schoolClass, schoolClass);
            QCOMPARE(student.displayName(),
                    schoolClass + u' ' + u"%1"_s.arg(i % 400, 3, 10, QLatin1Char('0')));
            ++i;
        }
    }

    void nonRegularFileIsABadFile()
    {
#ifdef Q_OS_UNIX
        QTemporaryDir dir;
        const Fifo fifo(dir.filePath(u"fifo.dat"_s));
        QVERIFY(fifo.made());
        const QString good =
                writeResultFile(dir.path(), u"a.dat"_s, fileSpec(u"Nowak"_s, u"Ewa"_s));
        for (const QString &odd : {dir.filePath(u"fifo.dat"_s), u"/dev/zero"_s}) {
            const LoadOutcome outcome = loadResults({good, odd}, Thresholds{});
            QCOMPARE(outcome.status, LoadStatus::BadFile);
            QCOMPARE(outcome.failedIndex, 1);
        }
        QVERIFY2(!fifo.releasedAReader(), "the load waited for a writer");
#else
        QSKIP("FIFOs and devices are POSIX files");
#endif
    }

    // A name in Latin-2 bytes under a UTF-8 locale, which Qt cannot list or
    // open by a QString: the student is loaded all the same.
    void undecodableFileNameLoadsFromAFolder()
    {
#ifdef Q_OS_UNIX
        QTemporaryDir dir;
        const TreeRemover remover(dir.path());
        writeResultFile(dir.path(), u"b.dat"_s, fileSpec(u"Nowak"_s, u"Ewa"_s));
        const QByteArray latin2 = QFile::encodeName(dir.path()) + "/\xb3\xb1ka.dat";
        {
            std::ofstream file(latin2.toStdString(), std::ios::binary);
            const QByteArray bytes = resultFileBytes(fileSpec(u"Łąka"_s, u"Jan"_s));
            file.write(bytes.constData(), bytes.size());
            QVERIFY(file.good());
        }
        const QStringList files = expandResultPaths({dir.path()});
        QCOMPARE(files.size(), 2);
        QCOMPARE(files.at(0), dir.filePath(u"b.dat"_s));
        QCOMPARE(displayFileName(files.at(1)),
                QDir::toNativeSeparators(dir.path() + u"/\uFFFD\uFFFDka.dat"_s));
        const LoadOutcome outcome = loadResults(files, Thresholds{});
        QCOMPARE(outcome.status, LoadStatus::Loaded);
        QCOMPARE(names(outcome.set.students), (QStringList{u"Łąka Jan"_s, u"Nowak Ewa"_s}));
        // Where the bytes were lost before the program got the name, the
        // warning names the file as a name problem, not a structure one.
        const QString lost = dir.filePath(u"\uFFFD\uFFFDka.dat"_s);
        QCOMPARE(badFileWarning(lost),
                u"Uwaga. Nie można odczytać nazwy pliku (znaki w nieznanym kodowaniu):\r"_s
                        + QDir::toNativeSeparators(lost));
        QCOMPARE(badFileWarning(files.at(0)), structureWarning());
#else
        QSKIP("file names are bytes only on POSIX systems");
#endif
    }

    void badFieldsEndTheLoad_data()
    {
        QTest::addColumn<ResultFileSpec>("bad");
        QTest::addColumn<ResultFileError>("error");
        ResultFileSpec s = fileSpec(u"Zły"_s, u"Plik"_s);
        s.surnameLength = 21;
        QTest::newRow("surname length 21") << s << ResultFileError::BadStringLength;
        s = fileSpec(u"Zły"_s, u"Plik"_s);
        s.testNameLength = 31;
        QTest::newRow("test name length 31") << s << ResultFileError::BadStringLength;
        s = fileSpec(u"Zły"_s, u"Plik"_s);
        s.questionCount = 0;
        QTest::newRow("no questions") << s << ResultFileError::BadQuestionCount;
        s.questionCount = 31;
        QTest::newRow("31 questions") << s << ResultFileError::BadQuestionCount;
    }
    void badFieldsEndTheLoad()
    {
        QFETCH(ResultFileSpec, bad);
        QFETCH(ResultFileError, error);
        QTemporaryDir dir;
        const QStringList paths{
                writeResultFile(dir.path(), u"good.dat"_s, fileSpec(u"Dobry"_s, u"Plik"_s)),
                writeResultFile(dir.path(), u"bad.dat"_s, bad)};
        const LoadOutcome outcome = loadResults(paths, Thresholds{});
        QCOMPARE(outcome.status, LoadStatus::BadFile);
        QCOMPARE(outcome.failedIndex, 1);
        QCOMPARE(outcome.error, error);
    }

    void failedLoadChangesNothing()
    {
        AnalysisState state;
        state.thresholds.cel = 90;
        const QString good =
                writeResultFile(m_dir.path(), u"prev.dat"_s, fileSpec(u"Poprzedni"_s, u"Uczeń"_s));
        QVERIFY(commitLoad(loadResults({good}, state.thresholds), state));
        state.dataLoaded = true;
        state.tableMode = TableGradeCount;
        const Uczniowie before = state.students;
        const ClassSummary summaryBefore = state.summary;

        ResultFileSpec shortFile = fileSpec(u"Krótki"_s, u"Plik"_s);
        shortFile.totalSize = 100;
        const QStringList paths{
                writeResultFile(m_dir.path(), u"next1.dat"_s, fileSpec(u"Nowy"_s, u"Uczeń"_s)),
                writeResultFile(m_dir.path(), u"next2.dat"_s, shortFile)};
        QVERIFY(!commitLoad(loadResults(paths, state.thresholds), state));
        QVERIFY(!commitLoad(loadResults({}, state.thresholds), state));

        QCOMPARE(names(state.students), names(before));
        QCOMPARE(state.studentCount, 1);
        QCOMPARE(state.summary, summaryBefore);
        QCOMPARE(state.tableMode, TableGradeCount);
    }

    void successfulLoadReplacesTheWholeSet()
    {
        AnalysisState state;
        state.studentCount = 99;
        state.questionCount = 30;
        state.summary.ndst = 40; // from an earlier load: must not survive
        state.questions[25] = {5, 50};
        state.startDirectory = u"/start"_s;

        ResultFileSpec a = fileSpec(u"Zając"_s, u"Ola"_s);
        a.questionCount = 12;
        a.answers = answerBytes("11111000 0000");
        ResultFileSpec b = fileSpec(u"Adamczyk"_s, u"Piotr"_s);
        b.questionCount = 12; // a file of another count is left out (otherQuestionCount...)
        b.answers = answerBytes("10000000 1111");
        const LoadOutcome outcome =
                loadResults({writeResultFile(m_dir.path(), u"z.dat"_s, a),
                                    writeResultFile(m_dir.path(), u"a.dat"_s, b)},
                        Thresholds{});
        QVERIFY(outcome.loaded());
        QVERIFY(commitLoad(LoadOutcome(outcome), state));

        QCOMPARE(state.studentCount, 2);
        QCOMPARE(state.questionCount, 12);
        QCOMPARE(names(state.students), (QStringList{u"Adamczyk Piotr"_s, u"Zając Ola"_s}));
        QCOMPARE(state.students[0].Suma, 5); // 5 of 12 -> 41.67 -> 42
        QCOMPARE(state.students[0].Procent, 42);
        QCOMPARE(state.students[1].Suma, 5);
        QCOMPARE(state.summary.ndst, 2);
        QCOMPARE(state.summary.totalPoints, 10);
        QCOMPARE(state.summary.averagePoints100, 500);
        QCOMPARE(state.questions[0].correctCount, 2);
        QCOMPARE(state.questions[0].correctPercent, 100);
        QCOMPARE(state.questions[11].correctCount, 1);
        QCOMPARE(state.questions[25].correctCount, 0); // nothing of the earlier set survives
        QCOMPARE(state.startDirectory, u"/start"_s);
    }

    void sortsByThePolishAlphabet()
    {
        Uczniowie students;
        for (const QString &name : {u"Malinowski"_s, u"Żak"_s, u"Łuczak"_s, u"Ćwik"_s, u"Śliwa"_s,
                     u"Lis"_s, u"Cieślak"_s, u"Zieliński"_s, u"Sowa"_s}) {
            UczenAll s;
            s.Nazwisko = name;
            s.Imie = u"Jan"_s;
            students.push_back(s);
        }
        sortStudents(students);
        QCOMPARE(names(students),
                (QStringList{u"Cieślak Jan"_s, u"Ćwik Jan"_s, u"Lis Jan"_s, u"Łuczak Jan"_s,
                        u"Malinowski Jan"_s, u"Sowa Jan"_s, u"Śliwa Jan"_s, u"Zieliński Jan"_s,
                        u"Żak Jan"_s}));
    }

    void caseIsIgnoredAndEqualNamesStayTogether()
    {
        Uczniowie students;
        const QList<std::pair<QString, QString>> input{{u"nowak"_s, u"Zofia"_s},
                {u"Nowak"_s, u"Adam"_s}, {u"NOWAK"_s, u"Maria"_s}, {u"Kowal"_s, u"Jan"_s},
                {u"Nowak"_s, u"Adam"_s}, {u"Adamek"_s, u"Jan"_s}};
        for (int i = 0; i < input.size(); ++i) {
            UczenAll s;
            s.Nazwisko = input[i].first;
            s.Imie = input[i].second;
            s.Suma = i; // tells the two identical names apart
            students.push_back(s);
        }
        sortStudents(students);
        QCOMPARE(names(students),
                (QStringList{u"Adamek Jan"_s, u"Kowal Jan"_s, u"Nowak Adam"_s, u"Nowak Adam"_s,
                        u"NOWAK Maria"_s, u"nowak Zofia"_s}));
        // Equal names keep the order they were read in.
        QCOMPARE(students[2].Suma, 1);
        QCOMPARE(students[3].Suma, 4);
    }

    void sortKeysAgreeWithComparison()
    {
        // Many students: the key order must be what a direct comparison gives.
        const QStringList surnames{u"Lis"_s, u"łuczak"_s, u"Łuk"_s, u"Lisowski"_s, u"Ląd"_s,
                u"Lad"_s, u"Żak"_s, u"zak"_s, u"Źrebiec"_s, u"Ćma"_s, u"cma"_s, u"Czajka"_s};
        Uczniowie students;
        for (int i = 0; i < 600; ++i) {
            UczenAll s;
            s.Nazwisko = surnames[(i * 7) % surnames.size()];
            s.Imie = QString::number(i % 13);
            students.push_back(s);
        }
        sortStudents(students);
        QCollator collator(QLocale(QLocale::Polish, QLocale::Poland));
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        for (std::size_t i = 1; i < students.size(); ++i) {
            QVERIFY2(
                    collator.compare(students[i - 1].displayName(), students[i].displayName()) <= 0,
                    qPrintable(students[i - 1].displayName() + u" > " + students[i].displayName()));
        }
    }

    void examplesLoad()
    {
        const QDir examples(examplesPath());
        const QStringList classFiles = examples.entryList({u"*.dat"_s}, QDir::Files, QDir::Name);
        QStringList ours;
        QStringList others;
        for (const QString &name : classFiles)
            (name.startsWith(u"inny_test_"_s) ? others : ours) << examples.filePath(name);
        QCOMPARE(ours.size(), 28);
        QCOMPARE(others.size(), 2);

        const Thresholds thresholds = loadThresholds(examples.path());
        QCOMPARE(thresholds, Thresholds{});

        const LoadOutcome clean = loadResults(ours, thresholds);
        QVERIFY(clean.loaded());
        QVERIFY(!clean.otherTestsSkipped);
        QCOMPARE(clean.set.students.size(), 28u);
        QCOMPARE(clean.set.questionCount, 20);
        const ClassSummary &s = clean.set.summary;
        QVERIFY(s.cel > 0 && s.bdb > 0 && s.db > 0 && s.dst > 0 && s.dop > 0 && s.ndst > 0);
        QCOMPARE(s.cel + s.bdb + s.db + s.dst + s.dop + s.ndst, 28);

        const QStringList sorted = names(clean.set.students);
        const auto at = [&](QStringView surname) {
            for (int i = 0; i < sorted.size(); ++i) {
                if (sorted[i].startsWith(surname))
                    return i;
            }
            return -1;
        };
        QVERIFY(at(u"Lis ") >= 0);
        QVERIFY(at(u"Lis ") < at(u"Łuczak "));
        QVERIFY(at(u"Łuczak ") < at(u"Malinowski "));

        // Mixed in, one of the other test's files first after a file of the class.
        QStringList mixed = ours;
        mixed.insert(3, others[0]);
        mixed.append(others[1]);
        const LoadOutcome withOthers = loadResults(mixed, thresholds);
        QVERIFY(withOthers.loaded());
        QVERIFY(withOthers.otherTestsSkipped);
        QCOMPARE(withOthers.set.students.size(), 28u);
        QCOMPARE(withOthers.testName, clean.testName);
    }

    // A folder of class folders: the classes in Polish order whatever the
    // bytes say, files at the top forming the folder's own class, a class of
    // one student, and a class of another test left out with the warning.
    void classFoldersLoadAsClasses()
    {
        QTemporaryDir dir;
        const QString top = dir.filePath(u"Szkoła"_s);
        const auto write = [&](const QString &folder, const QString &file, const QString &surname,
                                   const QString &test = u"Test A"_s) {
            const QString path = folder.isEmpty() ? top : top + u'/' + folder;
            QVERIFY(QDir().mkpath(path));
            writeResultFile(path, file, fileSpec(surname, u"Ala"_s, test));
        };
        write(u"Klasa M"_s, u"b.dat"_s, u"Mak"_s);
        write(u"Klasa M"_s, u"A.dat"_s, u"Mucha"_s);
        write(u"Klasa Ł"_s, u"z.dat"_s, u"Łoś"_s); // one student
        write(u"Klasa L"_s, u"k.dat"_s, u"Lis"_s);
        write(u"Klasa L"_s, u"m.dat"_s, u"Las"_s);
        write(u"Inny"_s, u"a.dat"_s, u"Obcy"_s, u"Test B"_s);
        write(QString(), u"t.dat"_s, u"Top"_s);
        QVERIFY(QDir().mkpath(top + u"/Pusty"_s));

        const QStringList paths = classFolderPaths(top);
        QStringList relative;
        for (const QString &path : paths)
            relative << QDir(top).relativeFilePath(path);
        // Inny < Klasa L < Klasa Ł < Klasa M < Szkoła; in a class, names case ignored.
        QCOMPARE(relative,
                (QStringList{u"Inny/a.dat"_s, u"Klasa L/k.dat"_s, u"Klasa L/m.dat"_s,
                        u"Klasa Ł/z.dat"_s, u"Klasa M/A.dat"_s, u"Klasa M/b.dat"_s, u"t.dat"_s}));

        // The first file decides the test: class "Inny" alone is kept ...
        const LoadOutcome first = loadResults(paths, Thresholds{});
        QVERIFY(first.loaded());
        QCOMPARE(first.set.students.size(), 1u);
        QCOMPARE(first.set.students.front().schoolClass, u"Inny"_s);

        // ... and without it the others load, each student with its class.
        QStringList ours = paths.mid(1);
        ours.insert(2, paths.constFirst()); // the other test after files of ours
        const LoadOutcome load = loadResults(ours, Thresholds{});
        QVERIFY(load.loaded());
        QVERIFY(load.otherTestsSkipped);
        QStringList classes;
        for (const UczenAll &student : load.set.students)
            classes << student.displayName() + u": " + student.schoolClass;
        QCOMPARE(classes,
                (QStringList{u"Las Ala: Klasa L"_s, u"Lis Ala: Klasa L"_s, u"Łoś Ala: Klasa Ł"_s,
                        u"Mak Ala: Klasa M"_s, u"Mucha Ala: Klasa M"_s, u"Top Ala: Szkoła"_s}));

        // A folder without result files, or none at all, gives no files.
        QVERIFY(classFolderPaths(top + u"/Pusty"_s).isEmpty());
        QVERIFY(classFolderPaths(dir.filePath(u"brak"_s)).isEmpty());
    }

    // Class folders named in Latin-2 bytes under a UTF-8 locale: each is its
    // own class, shown with what can be decoded, from the menu's listing and
    // from a folder of classes given on the command line or dropped.
    void classFoldersInNoValidEncodingStayApart()
    {
#ifdef Q_OS_UNIX
        QTemporaryDir dir;
        const TreeRemover remover(dir.path());
        const QByteArray top = QFile::encodeName(dir.path());
        QVERIFY(makeFolder(top
                + "/7\xb1 \xbf"
                  "abki"));
        QVERIFY(makeFolder(top + "/7\xbf"));
        QVERIFY(makeFolder(top + "/7a"));
        QVERIFY(writeRaw(top
                        + "/7\xb1 \xbf"
                          "abki/a.dat",
                fileSpec(u"Adamska"_s, u"Ala"_s)));
        QVERIFY(writeRaw(top
                        + "/7\xb1 \xbf"
                          "abki/\xb3"
                          "ad.dat",
                fileSpec(u"Bąk"_s, u"Ola"_s)));
        QVERIFY(writeRaw(top + "/7\xbf/b.dat", fileSpec(u"Cichy"_s, u"Jan"_s)));
        QVERIFY(writeRaw(top + "/7a/c.dat", fileSpec(u"Dudek"_s, u"Ewa"_s)));

        const ResultPaths listed = listClassFolders(dir.path());
        QVERIFY(listed.unreadableFolders.isEmpty());
        QCOMPARE(listed.files.size(), 4);
        QCOMPARE(expandPaths({dir.path()}).files, listed.files);
        const LoadOutcome load = loadResults(listed.files, Thresholds{});
        QCOMPARE(load.status, LoadStatus::Loaded);
        QStringList classes;
        for (const UczenAll &student : load.set.students)
            classes << student.displayName() + u": " + student.schoolClass;
        // Two names that lose their letters alike stay two classes.
        const QString lost = u"7\uFFFD"_s;
        QVERIFY2(classes
                        == (QStringList{u"Adamska Ala: 7\uFFFD \uFFFDabki"_s,
                                u"Bąk Ola: 7\uFFFD \uFFFDabki"_s, u"Cichy Jan: "_s + lost,
                                u"Dudek Ewa: 7a"_s}),
                qPrintable(classes.join(u" | ")));
        // A kept name never shows its stand-in characters.
        for (const UczenAll &student : load.set.students) {
            for (const QChar c : student.schoolClass)
                QVERIFY(!c.isSurrogate());
        }

        // Names that would look alike after the loss are numbered.
        QVERIFY(makeFolder(top + "/7\xb1"));
        QVERIFY(writeRaw(top + "/7\xb1/e.dat", fileSpec(u"Ewert"_s, u"Iza"_s)));
        const LoadOutcome both = loadResults(listClassFolders(dir.path()).files, Thresholds{});
        QSet<QString> shown;
        for (const UczenAll &student : both.set.students)
            shown.insert(student.schoolClass);
        QCOMPARE(shown.size(), 4);
        QVERIFY(shown.contains(lost));
        QVERIFY(shown.contains(lost + u" (2)"_s));
#else
        QSKIP("file names are bytes only on POSIX systems");
#endif
    }

    // A class folder the program may not read is named, and the others load.
    void unreadableClassFolderIsNamed()
    {
#ifdef Q_OS_LINUX
        QTemporaryDir dir;
        for (const QString &name : {u"8a"_s, u"8b"_s}) {
            QVERIFY(QDir(dir.path()).mkdir(name));
            writeResultFile(dir.filePath(name), name + u".dat"_s, fileSpec(u"Nowak"_s, name));
        }
        QVERIFY(QFile::setPermissions(dir.filePath(u"8a"_s),
                QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                        | QFileDevice::ReadOther | QFileDevice::ExeOther));
        QVERIFY(makeUnreadableFolder(dir.path(), dir.filePath(u"8b"_s)));
        const FilesAsNobody nobody;
        if (folderCanBeListed(dir.filePath(u"8b"_s)))
            QSKIP("this process may read every folder");

        for (const ResultPaths &paths : {listClassFolders(dir.path()), expandPaths({dir.path()})}) {
            QCOMPARE(paths.files, QStringList{dir.filePath(u"8a/8a.dat"_s)});
            QCOMPARE(paths.unreadableFolders, QStringList{dir.filePath(u"8b"_s)});
        }
        QCOMPARE(unreadableFoldersWarning({dir.filePath(u"8b"_s)}),
                u"Uwaga. Nie można odczytać folderu:\r"_s
                        + QDir::toNativeSeparators(dir.filePath(u"8b"_s))
                        + u"\rUczniów z tych folderów nie wczytano."_s);
        // A folder given alone that cannot be read is named as well.
        QCOMPARE(expandPaths({dir.filePath(u"8b"_s)}).unreadableFolders,
                QStringList{dir.filePath(u"8b"_s)});
#else
        QSKIP("needs Linux file permissions");
#endif
    }

    // Files of the test with another question count would be scored for
    // questions their students never had: they are left out and named.
    void otherQuestionCountIsLeftOutAndNamed()
    {
        QTemporaryDir dir;
        ResultFileSpec longer = fileSpec(u"Bąk"_s, u"Ola"_s);
        longer.questionCount = 12;
        longer.answers = answerBytes("111111111111");
        ResultFileSpec other = fileSpec(u"Cichy"_s, u"Jan"_s, u"Test B"_s);
        other.questionCount = 12;
        const QStringList paths{
                writeResultFile(dir.path(), u"a.dat"_s, fileSpec(u"Adam"_s, u"Ela"_s)),
                writeResultFile(dir.path(), u"b.dat"_s, longer),
                writeResultFile(dir.path(), u"c.dat"_s, other),
                writeResultFile(dir.path(), u"d.dat"_s, fileSpec(u"Dudek"_s, u"Ewa"_s))};
        const LoadOutcome load = loadResults(paths, Thresholds{});
        QCOMPARE(load.status, LoadStatus::Loaded);
        QCOMPARE(names(load.set.students), (QStringList{u"Adam Ela"_s, u"Dudek Ewa"_s}));
        QCOMPARE(load.set.questionCount, 10);
        QVERIFY(load.otherTestsSkipped);
        QCOMPARE(load.otherCountFiles, QStringList{paths.at(1)});
        for (const UczenAll &student : load.set.students)
            QCOMPARE(student.Suma, 5);
        QCOMPARE(otherCountWarning(load.testName, 10, load.otherCountFiles),
                u"Uwaga. Pominięto pliki testu \"Test A\" o liczbie pytań innej niż 10:\r"_s
                        + QDir::toNativeSeparators(paths.at(1)));
    }

    // One blueprint for all classes lives in the folder above them; one
    // beside the first class's files comes first. Both are inputs of the load.
    void blueprintBesideOrAboveTheClasses()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"8a"_s));
        const QString first =
                writeResultFile(dir.filePath(u"8a"_s), u"a.dat"_s, fileSpec(u"Nowak"_s, u"Ewa"_s));
        const auto writeText = [](const QString &path, const QByteArray &bytes) {
            QFile file(path);
            return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        };
        QVERIFY(writeText(dir.filePath(u"Kartoteka.txt"_s), "1\tDodawanie\n2\tOdejmowanie\n"));
        QVERIFY(writeText(dir.filePath(u"Progi.txt"_s), "Dop=40\n"));
        LoadOutcome load = loadResults({first}, Thresholds{});
        QCOMPARE(load.blueprint.blueprint.skills.size(), 2u);
        QCOMPARE(load.blueprint.folder, dir.path());
        // The teacher's notes count even before they are written.
        QCOMPARE(sideInputPaths(first, dir.path()),
                (QStringList{dir.filePath(u"Kartoteka.txt"_s), dir.filePath(u"Progi.txt"_s),
                        dir.filePath(u"8a/Raport.txt"_s)}));

        QVERIFY(writeText(dir.filePath(u"8a/Kartoteka.txt"_s), "1\tMnożenie\n"));
        load = loadResults({first}, Thresholds{});
        QCOMPARE(load.blueprint.blueprint.skills.size(), 1u);
        QCOMPARE(load.blueprint.folder, dir.filePath(u"8a"_s));
        QCOMPARE(sideInputPaths(first, dir.filePath(u"8a"_s)),
                (QStringList{
                        dir.filePath(u"8a/Kartoteka.txt"_s), dir.filePath(u"8a/Raport.txt"_s)}));

        // A file whose every line is wrong says so where the skills would be.
        QVERIFY(writeText(dir.filePath(u"8a/Kartoteka.txt"_s), "Mnożenie\n"));
        load = loadResults({first}, Thresholds{});
        QVERIFY(load.blueprint.blueprint.empty());
        QCOMPARE(load.blueprint.blueprint.problem, u"Kartoteka.txt: pominięto wiersz 1"_s);
        QVERIFY(QFile::remove(dir.filePath(u"8a/Kartoteka.txt"_s)));
        QVERIFY(QFile::remove(dir.filePath(u"Kartoteka.txt"_s)));
        load = loadResults({first}, Thresholds{});
        QCOMPARE(load.blueprint.folder, dir.filePath(u"8a"_s));
        QCOMPARE(load.blueprint.blueprint.problem, QString());
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestLoader)
#include "tst_loader.moc"
