#include "resultfilewriter.h"
#include "results/codepage.h"
#include "results/resultfile.h"
#include "specialfiles.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

using namespace zavevad;
using namespace zavevad::test;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(zavevad::ResultFileError)

namespace {

// A buffer that hands out its first `goodBytes` bytes, then reports an error.
class FailingBuffer : public QBuffer
{
public:
    FailingBuffer(const QByteArray &data, qint64 goodBytes) : m_goodBytes(goodBytes)
    {
        setData(data);
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 left = m_goodBytes - pos();
        if (left <= 0)
            return -1;
        return QBuffer::readData(data, std::min(maxSize, left));
    }

private:
    qint64 m_goodBytes;
};

// Hands out at most three bytes per read, as a slow device may.
class TrickleBuffer : public QBuffer
{
protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        return QBuffer::readData(data, std::min<qint64>(maxSize, 3));
    }
};

// Marks a file immutable while it lives, where the file system and the user's
// rights allow it; a file that stays writable is left as it is.
class ImmutableFile
{
public:
    explicit ImmutableFile(const QString &path) : m_path(QFile::encodeName(path))
    {
#ifdef Q_OS_LINUX
        m_set = setImmutable(true);
#endif
    }
    ~ImmutableFile()
    {
#ifdef Q_OS_LINUX
        if (m_set)
            setImmutable(false);
#endif
    }
    ImmutableFile(const ImmutableFile &) = delete;
    ImmutableFile &operator=(const ImmutableFile &) = delete;

private:
#ifdef Q_OS_LINUX
    bool setImmutable(bool on) const
    {
        const int fd = ::open(m_path.constData(), O_RDONLY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }
#endif

    QByteArray m_path;
    bool m_set = false;
};

ResultFileRead parse(const ResultFileSpec &fileSpec)
{
    return parseResultRecord(resultFileBytes(fileSpec));
}

} // namespace

class TestResultFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodesEveryField()
    {
        ResultFileSpec fileSpec;
        fileSpec.surname = u"Łuczak"_s;
        fileSpec.firstName = u"Żaneta"_s;
        fileSpec.testName = u"Ułamki zwykłe – sprawdzian"_s;
        fileSpec.answers = answerBytes("1011 0000 0000 1");
        fileSpec.questionCount = 13;
        fileSpec.start = 46342.3375;
        fileSpec.end = 46342.36;
        fileSpec.filler = char(0xEE); // the unused ends of the strings must not leak in

        const ResultFileRead read = parse(fileSpec);
        QVERIFY(read.ok());
        QCOMPARE(read.record.Nazwisko, u"Łuczak"_s);
        QCOMPARE(read.record.Imie, u"Żaneta"_s);
        QCOMPARE(read.record.NazwaTestu, u"Ułamki zwykłe – sprawdzian"_s);
        QCOMPARE(read.rawTestName, codepage::toCp1250(fileSpec.testName));
        QCOMPARE(read.record.LiczbaPytan, 13);
        QCOMPARE(read.record.Odpowiedzi[0], 1);
        QCOMPARE(read.record.Odpowiedzi[1], 0);
        QCOMPARE(read.record.Odpowiedzi[12], 1);
        QCOMPARE(read.record.Poczatek, 46342.3375);
        QCOMPARE(read.record.Koniec, 46342.36);
    }

    void fileSize_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("ok");
        QTest::newRow("empty") << 0 << false;
        QTest::newRow("127") << 127 << false;
        QTest::newRow("128") << 128 << true;
        QTest::newRow("300") << 300 << true;
    }
    void fileSize()
    {
        QFETCH(int, size);
        QFETCH(bool, ok);
        QTemporaryDir dir;
        ResultFileSpec fileSpec;
        fileSpec.totalSize = size;
        // Bytes past the first record that would break it if they were read.
        fileSpec.filler = char(0xFF);
        const QString path = writeResultFile(dir.path(), u"a.dat"_s, fileSpec);
        QCOMPARE(QFile(path).size(), size);

        const ResultFileRead read = readResultFile(path);
        QCOMPARE(read.ok(), ok);
        if (ok)
            QCOMPARE(read.record.Nazwisko, u"Kowalski"_s);
        else
            QCOMPARE(read.error, ResultFileError::TooShort);
    }

    void fullLengthNamesAreKeptWhole()
    {
        ResultFileSpec fileSpec;
        fileSpec.surname = u"Żółtkiewicz-Ślązacka"_s; // 20 characters
        fileSpec.firstName = u"Małgorzata-Bożydarka"_s;
        fileSpec.testName = QString(30, u'ś');
        QCOMPARE(fileSpec.surname.size(), 20);
        QCOMPARE(fileSpec.firstName.size(), 20);

        const ResultFileRead read = parse(fileSpec);
        QVERIFY(read.ok());
        UczenAll student(read.record);
        QCOMPARE(student.displayName(), u"Żółtkiewicz-Ślązacka Małgorzata-Bożydarka"_s);
        QCOMPARE(student.displayName().size(), 41);
        QCOMPARE(student.NazwaTestu, QString(30, u'ś'));
    }

    void lengthBytes_data()
    {
        QTest::addColumn<int>("surname");
        QTest::addColumn<int>("firstName");
        QTest::addColumn<int>("testName");
        QTest::addColumn<bool>("ok");
        QTest::newRow("all empty") << 0 << 0 << 0 << true;
        QTest::newRow("full fields") << 20 << 20 << 30 << true;
        QTest::newRow("surname 21") << 21 << 3 << 3 << false;
        QTest::newRow("first name 21") << 3 << 21 << 3 << false;
        QTest::newRow("test name 31") << 3 << 3 << 31 << false;
        QTest::newRow("test name 255") << 3 << 3 << 255 << false;
        QTest::newRow("surname 255") << 255 << 3 << 3 << false;
    }
    void lengthBytes()
    {
        QFETCH(int, surname);
        QFETCH(int, firstName);
        QFETCH(int, testName);
        QFETCH(bool, ok);
        ResultFileSpec fileSpec;
        fileSpec.filler = 'x';
        fileSpec.surnameLength = std::uint8_t(surname);
        fileSpec.firstNameLength = std::uint8_t(firstName);
        fileSpec.testNameLength = std::uint8_t(testName);

        const ResultFileRead read = parse(fileSpec);
        QCOMPARE(read.ok(), ok);
        if (ok) {
            QCOMPARE(read.record.Nazwisko.size(), surname);
            QCOMPARE(read.record.Imie.size(), firstName);
            QCOMPARE(read.record.NazwaTestu.size(), testName);
        } else {
            QCOMPARE(read.error, ResultFileError::BadStringLength);
        }
    }

    void questionCount_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("ok");
        QTest::newRow("min") << std::numeric_limits<int>::min() << false;
        QTest::newRow("-1") << -1 << false;
        QTest::newRow("0") << 0 << false;
        QTest::newRow("1") << 1 << true;
        QTest::newRow("30") << 30 << true;
        QTest::newRow("31") << 31 << false;
        QTest::newRow("256+12") << 268 << false; // only the low byte would look fine
        QTest::newRow("max") << std::numeric_limits<int>::max() << false;
    }
    void questionCount()
    {
        QFETCH(int, count);
        QFETCH(bool, ok);
        ResultFileSpec fileSpec;
        fileSpec.questionCount = count;
        const ResultFileRead read = parse(fileSpec);
        QCOMPARE(read.ok(), ok);
        if (!ok)
            QCOMPARE(read.error, ResultFileError::BadQuestionCount);
    }

    void oddDatesAreStoredAsTheyAre()
    {
        ResultFileSpec fileSpec;
        fileSpec.start = std::numeric_limits<double>::quiet_NaN();
        fileSpec.end = -std::numeric_limits<double>::infinity();
        const ResultFileRead read = parse(fileSpec);
        QVERIFY(read.ok());
        QVERIFY(std::isnan(read.record.Poczatek));
        QVERIFY(std::isinf(read.record.Koniec) && read.record.Koniec < 0);

        fileSpec.start = 1e308;
        fileSpec.end = std::numeric_limits<double>::denorm_min();
        const ResultFileRead huge = parse(fileSpec);
        QCOMPARE(huge.record.Poczatek, 1e308);
        QCOMPARE(huge.record.Koniec, std::numeric_limits<double>::denorm_min());
    }

    void readOnlyFileLoads()
    {
        QTemporaryDir dir;
        const QString path = writeResultFile(dir.path(), u"ro.dat"_s, ResultFileSpec{});
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        // Permission bits do not bind a superuser; an immutable file refuses
        // writing to everyone.
        const ImmutableFile immutable(path);
        QFile probe(path);
        if (probe.open(QIODevice::ReadWrite))
            QSKIP("this user may write to a read-only file here");
        QVERIFY(readResultFile(path).ok());
    }

    void missingFileCannotBeOpened()
    {
        QTemporaryDir dir;
        QCOMPARE(readResultFile(dir.filePath(u"none.dat"_s)).error, ResultFileError::CannotOpen);
        QCOMPARE(readResultFile(dir.path()).ok(), false); // a directory is no result file
    }

    void onlyRegularFilesAreRead()
    {
#ifdef Q_OS_UNIX
        QTemporaryDir dir;
        const Fifo fifo(dir.filePath(u"fifo.dat"_s));
        QVERIFY(fifo.made());
        QCOMPARE(readResultFile(dir.filePath(u"fifo.dat"_s)).error, ResultFileError::CannotOpen);
        QVERIFY2(!fifo.releasedAReader(), "the read waited for a writer");
        // A device would pass for a file of 128 zero bytes.
        QCOMPARE(readResultFile(u"/dev/zero"_s).error, ResultFileError::CannotOpen);
#else
        QSKIP("FIFOs and devices are POSIX files");
#endif
    }

    void failingDevice_data()
    {
        QTest::addColumn<int>("goodBytes");
        QTest::newRow("at once") << 0;
        QTest::newRow("mid record") << 64;
        QTest::newRow("last byte") << 127;
    }
    void failingDevice()
    {
        QFETCH(int, goodBytes);
        FailingBuffer device(resultFileBytes(ResultFileSpec{}), goodBytes);
        QVERIFY(device.open(QIODevice::ReadOnly));
        QCOMPARE(readResultFile(device).error, ResultFileError::ReadFailed);
    }

    void deviceIsOpenedAndClosedWhenNeeded()
    {
        QBuffer closed;
        closed.setData(resultFileBytes(ResultFileSpec{}));
        QVERIFY(readResultFile(closed).ok());
        QVERIFY(!closed.isOpen());

        QBuffer writeOnly;
        QVERIFY(writeOnly.open(QIODevice::WriteOnly));
        QCOMPARE(readResultFile(writeOnly).error, ResultFileError::CannotOpen);
    }

    void shortReadsAreJoined()
    {
        TrickleBuffer device;
        device.setData(resultFileBytes(ResultFileSpec{}));
        QVERIFY(device.open(QIODevice::ReadOnly));
        const ResultFileRead read = readResultFile(device);
        QVERIFY(read.ok());
        QCOMPARE(read.record.Koniec, ResultFileSpec{}.end);
    }
};

QTEST_GUILESS_MAIN(TestResultFile)
#include "tst_resultfile.moc"
