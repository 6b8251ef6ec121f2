#include "specialfiles.h"
#include "testsupport.h"

#include "platform/commanderror.h"
#include "platform/savefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
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

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
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
        QVERIFY(writeAll(path, pattern(50000, 'a')));
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
        QVERIFY(writeAll(path, old));
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
        QVERIFY(writeAll(path, old));
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
};

QTEST_GUILESS_MAIN(TestSaveFile)
#include "tst_savefile.moc"
