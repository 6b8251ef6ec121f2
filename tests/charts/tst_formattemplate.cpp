#include "specialfiles.h"
#include "testsupport.h"

#include "charts/formattemplate.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace zavevad;

namespace {

QByteArray patternBytes(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 53 + 7) & 0xFF);
    return bytes;
}

TChartAppearance defaults()
{
    TChartAppearance record{};
    FillAppearanceDefaults(record);
    return record;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

/// Accepts only the first `capacity` bytes written to it.
class ShortDevice : public QIODevice
{
public:
    explicit ShortDevice(qint64 capacity) : m_capacity(capacity) { open(WriteOnly | Unbuffered); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 len) override
    {
        const qint64 n = qMin(len, m_capacity);
        m_capacity -= n;
        return n;
    }

private:
    qint64 m_capacity;
};

} // namespace

class TestFormatTemplate : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void saveAndLoadGiveTheSameBytes()
    {
        const TChartAppearance saved = *TChartAppearance::fromBytes(patternBytes(944));
        const QString file = path(QStringLiteral("wzór.ssw"));
        QCOMPARE(test::commandErrorOf([&] { saveFormatTemplateFile(file, saved); }), QString());
        QCOMPARE(readFile(file), saved.toBytes());

        TChartAppearance loaded = defaults();
        QCOMPARE(test::commandErrorOf([&] { loadFormatTemplateFile(file, loaded); }), QString());
        QCOMPARE(loaded.toBytes(), saved.toBytes());
    }

    void savingReplacesAnExistingFile()
    {
        const QString file = path(QStringLiteral("stary.ssw"));
        writeFile(file, patternBytes(3000));
        QCOMPARE(
                test::commandErrorOf([&] { saveFormatTemplateFile(file, defaults()); }), QString());
        QCOMPARE(readFile(file), defaults().toBytes());
    }

    void longerFileLoadsItsFirstRecord()
    {
        const QString file = path(QStringLiteral("dlugi.ssw"));
        const QByteArray bytes = patternBytes(1500);
        writeFile(file, bytes);
        TChartAppearance loaded = defaults();
        QCOMPARE(test::commandErrorOf([&] { loadFormatTemplateFile(file, loaded); }), QString());
        QCOMPARE(loaded.toBytes(), bytes.left(944));
    }

    void shortFileLeavesTheRecordAlone_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("empty") << 0;
        QTest::newRow("one byte") << 1;
        QTest::newRow("943 bytes") << 943;
    }
    void shortFileLeavesTheRecordAlone()
    {
        QFETCH(int, size);
        const QString file = path(QStringLiteral("krotki%1.ssw").arg(size));
        writeFile(file, patternBytes(size));
        TChartAppearance record = defaults();
        QCOMPARE(test::commandErrorOf([&] { loadFormatTemplateFile(file, record); }),
                QStringLiteral("Read beyond end of file"));
        QCOMPARE(record, defaults());
    }

    void loadFailuresGiveTheRunTimeMessages_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file")
                << QStringLiteral("brak.ssw") << QStringLiteral("File not found");
        QTest::newRow("missing folder")
                << QStringLiteral("brak/wzor.ssw") << QStringLiteral("Invalid filename");
        QTest::newRow("file as a folder")
                << QStringLiteral("plik.txt/wzor.ssw") << QStringLiteral("Invalid filename");
        QTest::newRow("folder") << QStringLiteral("folder") << QStringLiteral("File access denied");
    }
    void loadFailuresGiveTheRunTimeMessages()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        writeFile(path(QStringLiteral("plik.txt")), "x");
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder")));
        TChartAppearance record = defaults();
        QCOMPARE(
                test::commandErrorOf([&] { loadFormatTemplateFile(path(name), record); }), message);
        QCOMPARE(record, defaults());
    }

    void nonRegularFileIsAccessDenied()
    {
#ifdef Q_OS_UNIX
        const test::Fifo fifo(path(QStringLiteral("fifo.ssw")));
        QVERIFY(fifo.made());
        for (const QString &file :
                {path(QStringLiteral("fifo.ssw")), QStringLiteral("/dev/zero")}) {
            TChartAppearance record = defaults();
            QCOMPARE(test::commandErrorOf([&] { loadFormatTemplateFile(file, record); }),
                    QStringLiteral("File access denied"));
            QCOMPARE(record, defaults());
        }
        QVERIFY2(!fifo.releasedAReader(), "the load waited for a writer");
#else
        QSKIP("FIFOs and devices are POSIX files");
#endif
    }

    void saveFailuresNameTheFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing folder")
                << QStringLiteral("brak/wzor.ssw") << QStringLiteral("Invalid filename");
        QTest::newRow("folder") << QStringLiteral("folder") << QStringLiteral("File access denied");
    }
    void saveFailuresNameTheFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder")));
        const QString file = path(name);
        QCOMPARE(test::commandErrorOf([&] { saveFormatTemplateFile(file, defaults()); }),
                message + QStringLiteral(": ") + QDir::toNativeSeparators(file));
    }

    void saveIntoAnUnwritableFolderKeepsTheOldFile()
    {
#ifdef Q_OS_UNIX
        if (::geteuid() == 0)
            QSKIP("folder permissions do not bind the superuser");
#endif
        const QString folder = path(QStringLiteral("zamkniety"));
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + QStringLiteral("/wzor.ssw");
        const QByteArray old = patternBytes(944);
        writeFile(file, old);
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        const QString message =
                test::commandErrorOf([&] { saveFormatTemplateFile(file, defaults()); });
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(message.startsWith(QStringLiteral("File access denied: ")));
        QCOMPARE(readFile(file), old);
    }

    void shortWriteIsDiskFullAndKeepsTheOldFile()
    {
#ifdef Q_OS_UNIX
        const QString file = path(QStringLiteral("pelny.ssw"));
        const QByteArray old = patternBytes(500);
        writeFile(file, old);

        // A file size limit below 944 bytes makes the write come up short, as a
        // full disk does, and works for the superuser too.
        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit limited = saved;
        limited.rlim_cur = 600;
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limited), 0);
        const QString message =
                test::commandErrorOf([&] { saveFormatTemplateFile(file, defaults()); });
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        QCOMPARE(message, QStringLiteral("Disk full: ") + QDir::toNativeSeparators(file));
        QCOMPARE(readFile(file), old);
        QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("pelny.ssw*")}, QDir::Files),
                QStringList{QStringLiteral("pelny.ssw")});
#else
        QSKIP("needs a file size limit");
#endif
    }

    void deviceTakingFewerBytesIsDiskFull()
    {
        ShortDevice device(943);
        QCOMPARE(test::commandErrorOf([&] { writeFormatTemplate(device, defaults()); }),
                QStringLiteral("Disk full"));
    }

    void deviceRecordIsReadWhole()
    {
        QByteArray bytes = patternBytes(944);
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        TChartAppearance record = defaults();
        QCOMPARE(test::commandErrorOf([&] { readFormatTemplate(buffer, record); }), QString());
        QCOMPARE(record.toBytes(), bytes);
    }
};

QTEST_GUILESS_MAIN(TestFormatTemplate)
#include "tst_formattemplate.moc"
