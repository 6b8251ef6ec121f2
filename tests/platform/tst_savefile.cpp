#include "filebytes.h"
#include "specialfiles.h"
#include "testsupport.h"

#include "platform/commanderror.h"
#include "platform/outputcheck.h"
#include "platform/savefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <functional>
#include <optional>
#include <stdexcept>

using namespace zavevad;
using namespace zavevad::test;

namespace {

QByteArray pattern(int size, char seed)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(seed + i * 31);
    return bytes;
}

} // namespace

class TestSaveFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replacesTheWholeFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("plik.txt"));
        QVERIFY(writeFile(path, pattern(50000, 'a')));
        const QByteArray bytes = pattern(100, 'b');
        QCOMPARE(test::commandErrorOf([&] { saveFile(path, bytes); }), QString());
        QCOMPARE(readAll(path), bytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    // The disk fills up part-way: below Qt's write buffer (written only when
    // flushed), at about a buffer's worth, and far beyond it.
    void fullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("throughWriter");
        for (const bool writer : {false, true}) {
            const char *how = writer ? "writer" : "bytes";
            QTest::addRow("100 bytes, room for 0, %s", how) << 100 << 0 << writer;
            QTest::addRow("100 bytes, room for 60, %s", how) << 100 << 60 << writer;
            QTest::addRow("10 KB, room for 4 KB, %s", how) << 10000 << 4096 << writer;
            QTest::addRow("100 KB, room for 16 KB, %s", how) << 100000 << 16384 << writer;
            QTest::addRow("100 KB, room for all but one byte, %s", how)
                    << 100000 << 99999 << writer;
        }
    }
    void fullDiskKeepsTheOldFile()
    {
        QFETCH(int, size);
        QFETCH(int, limit);
        QFETCH(bool, throughWriter);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tabela.txt"));
        const QByteArray old = pattern(300, 'o');
        QVERIFY(writeFile(path, old));
        const QByteArray bytes = pattern(size, 'n');

        QString message;
        {
            const FileSizeLimit full(limit);
            if (!full.active())
                QSKIP("needs a file size limit");
            message = test::commandErrorOf([&] {
                if (throughWriter)
                    // A writer that does not look at what the device took.
                    saveFile(path, [&bytes](QIODevice &device) { device.write(bytes); });
                else
                    saveFile(path, bytes);
            });
        }
        QCOMPARE(message, QStringLiteral("Cannot create file ") + QDir::toNativeSeparators(path));
        QCOMPARE(readAll(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                QStringList{QStringLiteral("tabela.txt")});
    }

    void fullDiskIsAWriteFailure()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.txt"));
        const FileSizeLimit full(10);
        if (!full.active())
            QSKIP("needs a file size limit");
        try {
            saveFile(path, pattern(100, 'x'));
            QFAIL("no error");
        } catch (const SaveFileError &error) {
            QCOMPARE(error.stage(), SaveFileError::Stage::Write);
        }
        QVERIFY(!QFile::exists(path));
    }

    void writerErrorIsPassedOnAndKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("wzor.ssw"));
        const QByteArray old = pattern(944, 'w');
        QVERIFY(writeFile(path, old));
        QCOMPARE(test::commandErrorOf([&] {
            saveFile(path, [](QIODevice &device) {
                device.write("half");
                throw CommandError(QStringLiteral("Disk full"));
            });
        }),
                QStringLiteral("Disk full"));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                saveFile(path, [](QIODevice &) { throw std::runtime_error("not ours"); }));
        QCOMPARE(readAll(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void uncreatableFileIsAnOpenFailure()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("brak/plik.txt"));
        try {
            saveFile(path, "x");
            QFAIL("no error");
        } catch (const SaveFileError &error) {
            QCOMPARE(error.stage(), SaveFileError::Stage::Open);
            QCOMPARE(error.message(),
                    QStringLiteral("Cannot create file ") + QDir::toNativeSeparators(path));
        }
    }

    // Every save is checked first: the output that would destroy a result
    // file, a loaded input (however spelled) or something that is no regular
    // file is refused, naming the file and why, and nothing is written.
    void refusesOutputsThatWouldDestroy_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("reason"); // empty: written
        const QString resultFile = QStringLiteral("to jest plik wyników testu (*.dat)");
        QTest::newRow("new result file") << QStringLiteral("nowy.DAT") << resultFile;
        // A result file of another name is named: it is no "*.dat".
        const QString input = QStringLiteral("to jest plik wczytany przez program (uczen.wyn)");
        QTest::newRow("input, another spelling")
                << QStringLiteral("klasa/../klasa/./uczen.wyn") << input;
        QTest::newRow("input through a link") << QStringLiteral("do-ucznia.txt") << input;
        QTest::newRow("link to a result file") << QStringLiteral("do-wynikow.txt") << resultFile;
        QTest::newRow("link to a missing result file")
                << QStringLiteral("wyniki.txt") << resultFile;
        QTest::newRow("blueprint through a link")
                << QStringLiteral("do-kartoteki.txt")
                << QStringLiteral("to jest plik wczytany przez program (Kartoteka.txt)");
        QTest::newRow("FIFO") << QStringLiteral("potok.txt")
                              << QStringLiteral(
                                         "to nie jest zwykły plik (urządzenie, potok lub gniazdo)");
        QTest::newRow("folder") << QStringLiteral("klasa") << QStringLiteral("to jest folder");
        QTest::newRow("new file") << QStringLiteral("tabela.txt") << QString();
        QTest::newRow("old file") << QStringLiteral("stara.txt") << QString();
        QTest::newRow("link to a plain file") << QStringLiteral("do-starej.txt") << QString();
    }
    void refusesOutputsThatWouldDestroy()
    {
        QFETCH(QString, output);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("klasa")));
        const QString input = dir.filePath(QStringLiteral("klasa/uczen.wyn"));
        const QByteArray record = pattern(128, 'r');
        QVERIFY(writeFile(input, record));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("klasa/a.dat")), record));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("stara.txt")), "stara"));
        QVERIFY(QFile::link(input, dir.filePath(QStringLiteral("do-ucznia.txt"))));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("klasa/a.dat")),
                dir.filePath(QStringLiteral("do-wynikow.txt"))));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("stara.txt")),
                dir.filePath(QStringLiteral("do-starej.txt"))));
        // A link to a file not there yet: a save through it would create a
        // result file in the class folder.
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("klasa/nowy.dat")),
                dir.filePath(QStringLiteral("wyniki.txt"))));
        const QString blueprint = dir.filePath(QStringLiteral("klasa/Kartoteka.txt"));
        QVERIFY(writeFile(blueprint, "1\tDodawanie\n"));
        QVERIFY(QFile::link(blueprint, dir.filePath(QStringLiteral("do-kartoteki.txt"))));
        const Fifo fifo(dir.filePath(QStringLiteral("potok.txt")));
        if (!fifo.made())
            QSKIP("needs a FIFO");
        const auto listing = [&dir] {
            QStringList entries;
            for (const QFileInfo &info : QDir(dir.path())
                                                 .entryInfoList(QDir::AllEntries | QDir::System
                                                         | QDir::Hidden | QDir::NoDotAndDotDot))
                entries.append(info.fileName() + QString::number(info.size())
                        + QString::number(int(info.isSymLink())));
            return entries;
        };
        const QStringList before = listing();

        const QString path = dir.filePath(output);
        setLoadedInputs({input, blueprint});
        const QString message = test::commandErrorOf([&] { saveFile(path, "nowe"); });
        setLoadedInputs({});
        QVERIFY(!fifo.releasedAReader());
        QCOMPARE(readAll(input), record);
        if (reason.isEmpty()) {
            QCOMPARE(message, QString());
            QCOMPARE(readAll(path), QByteArray("nowe"));
            QCOMPARE(QFileInfo(path).isSymLink(), output.startsWith(QStringLiteral("do-")));
            return;
        }
        // A folder fails as a save, with the message of a failed save.
        QCOMPARE(message,
                output == QStringLiteral("klasa")
                        ? QStringLiteral("Cannot create file ") + QDir::toNativeSeparators(path)
                        : QStringLiteral("Nie można zapisać pliku %1: %2")
                                  .arg(QDir::toNativeSeparators(path), reason));
        QCOMPARE(listing(), before);
        QCOMPARE(outputRefusal(path, {input, blueprint}), std::optional<QString>(reason));
        QCOMPARE(readAll(blueprint), QByteArray("1\tDodawanie\n"));
    }

    // Two outputs of one command into one file: the second would replace the
    // first, whatever the spelling.
    void tellsOutputsIntoOneFile_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("same");
        QTest::newRow("same name") << "r.pdf"
                                   << "r.pdf" << true;
        QTest::newRow("another spelling") << "r.pdf"
                                          << "klasa/../r.pdf" << true;
        QTest::newRow("link to it") << "r.pdf"
                                    << "do-r.pdf" << true;
        QTest::newRow("link to a file not there yet") << "nowy.pdf"
                                                      << "do-nowego.pdf" << true;
        QTest::newRow("two files") << "r.pdf"
                                   << "karty.pdf" << false;
    }
    void tellsOutputsIntoOneFile()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, same);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("klasa")));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("r.pdf")), "raport"));
        QVERIFY(QFile::link(
                dir.filePath(QStringLiteral("r.pdf")), dir.filePath(QStringLiteral("do-r.pdf"))));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("nowy.pdf")),
                dir.filePath(QStringLiteral("do-nowego.pdf"))));
        QCOMPARE(sameOutputFile(dir.filePath(first), dir.filePath(second)), same);
        QCOMPARE(sameOutputFile(dir.filePath(second), dir.filePath(first)), same);
    }

    // Our own messages say why in Polish; the system's text is the fallback.
    void failureSaysWhy_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("limit"); // -1: no limit
        QTest::addColumn<QString>("reason");
        QTest::newRow("full disk") << QStringLiteral("a.pdf") << qint64(100)
                                   << QStringLiteral("brak miejsca na dysku");
        QTest::newRow("missing folder") << QStringLiteral("brak/a.pdf") << qint64(-1)
                                        << QStringLiteral("folder nie istnieje");
    }
    void failureSaysWhy()
    {
        QFETCH(QString, name);
        QFETCH(qint64, limit);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        std::optional<FileSizeLimit> full;
        if (limit >= 0) {
            full.emplace(limit);
            if (!full->active())
                QSKIP("needs a file size limit");
        }
        const QString message =
                test::commandErrorOf([&] { saveFileSayingWhy(path, pattern(50000, 'p')); });
        full.reset();
        QCOMPARE(message,
                QStringLiteral("Nie można zapisać pliku %1: %2")
                        .arg(QDir::toNativeSeparators(path), reason));
        QVERIFY(!QFile::exists(path));
        QCOMPARE(systemErrorReason(EROFS), QStringLiteral("nośnik tylko do odczytu"));
        QCOMPARE(systemErrorReason(EISDIR), QStringLiteral("to jest folder"));
        QCOMPARE(systemErrorReason(EACCES), QStringLiteral("brak uprawnień"));
    }
};

QTEST_GUILESS_MAIN(TestSaveFile)
#include "tst_savefile.moc"
