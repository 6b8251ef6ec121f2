#include "specialfiles.h"

#include "platform/readfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace zavevad;
using namespace zavevad::test;

Q_DECLARE_METATYPE(zavevad::FileHead::Failure)

class TestReadFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QFile file(m_dir.filePath(QStringLiteral("plik")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("0123456789");
        file.close();
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder")));
    }

    void readsAtMostWhatIsAsked_data()
    {
        QTest::addColumn<int>("maxBytes");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("less than the file") << 4 << QByteArray("0123");
        QTest::newRow("the whole file") << 10 << QByteArray("0123456789");
        QTest::newRow("more than the file") << 128 << QByteArray("0123456789");
        QTest::newRow("nothing") << 0 << QByteArray();
    }
    void readsAtMostWhatIsAsked()
    {
        QFETCH(int, maxBytes);
        QFETCH(QByteArray, expected);
        const FileHead head = readHead(m_dir.filePath(QStringLiteral("plik")), maxBytes);
        QVERIFY(head.ok());
        QCOMPARE(head.bytes, expected);
    }

    void followsALinkToAFile()
    {
        const QString link = m_dir.filePath(QStringLiteral("link"));
        if (!QFile::link(m_dir.filePath(QStringLiteral("plik")), link))
            QSKIP("no symbolic links here");
        QCOMPARE(readHead(link, 3).bytes, QByteArray("012"));
    }

    void opensOnlyRegularFiles_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<FileHead::Failure>("failure");
        QTest::newRow("missing") << "brak" << FileHead::Failure::NotFound;
        QTest::newRow("folder") << "folder" << FileHead::Failure::NotRegular;
        QTest::newRow("FIFO") << "fifo" << FileHead::Failure::NotRegular;
        QTest::newRow("device") << "/dev/zero" << FileHead::Failure::NotRegular;
        QTest::newRow("link to a device") << "link:/dev/zero" << FileHead::Failure::NotRegular;
        QTest::newRow("link to nothing") << "link:brak" << FileHead::Failure::NotFound;
    }
    void opensOnlyRegularFiles()
    {
        QFETCH(QString, what);
        QFETCH(FileHead::Failure, failure);
#ifdef Q_OS_UNIX
        QTemporaryDir dir;
        QString path = dir.filePath(what);
        std::unique_ptr<Fifo> fifo;
        if (what == QLatin1String("fifo")) {
            fifo = std::make_unique<Fifo>(path);
            QVERIFY(fifo->made());
        } else if (what.startsWith(QLatin1String("link:"))) {
            path = dir.filePath(QStringLiteral("link"));
            QVERIFY(QFile::link(what.mid(5), path));
        } else if (what.startsWith(QLatin1Char('/'))) {
            path = what;
        } else if (what == QLatin1String("folder")) {
            QVERIFY(QDir(dir.path()).mkdir(what));
        }
        const FileHead head = readHead(path, 1 << 20);
        QCOMPARE(head.failure, failure);
        QVERIFY(head.bytes.isEmpty());
        if (fifo)
            QVERIFY2(!fifo->releasedAReader(), "the read waited for a writer");
#else
        Q_UNUSED(what);
        Q_UNUSED(failure);
        QSKIP("FIFOs and devices are POSIX files");
#endif
    }
};

QTEST_GUILESS_MAIN(TestReadFile)
#include "tst_readfile.moc"
