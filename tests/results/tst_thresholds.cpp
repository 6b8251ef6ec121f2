#include "specialfiles.h"

#include "results/thresholds.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace zavevad;
using zavevad::test::Fifo;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(zavevad::Thresholds)

namespace {

const QByteArray kDefaultsFile = "Dp=50\r\nDst=60\r\nDb=75\r\nBdb=85\r\ncel=95\r\n";

Thresholds make(int cel, int bdb, int db, int dst, int dop)
{
    Thresholds t;
    t.cel = cel;
    t.bdb = bdb;
    t.db = db;
    t.dst = dst;
    t.dop = dop;
    return t;
}

const Thresholds kCustom = make(90, 80, 70, 55, 40);

} // namespace

class TestThresholds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void parse_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Thresholds>("expected");
        const Thresholds defaults;

        QTest::newRow("empty") << QByteArray() << defaults;
        QTest::newRow("defaults, CR LF") << kDefaultsFile << defaults;
        QTest::newRow("custom, CR LF")
                << QByteArray("Dp=40\r\nDst=55\r\nDb=70\r\nBdb=80\r\ncel=90") << kCustom;
        QTest::newRow("LF only") << QByteArray("Dp=40\nDst=55\nDb=70\nBdb=80\ncel=90\n") << kCustom;
        QTest::newRow("CR only") << QByteArray("Dp=40\rDst=55\rDb=70\rBdb=80\rcel=90\r") << kCustom;
        QTest::newRow("mixed breaks, other order, blank lines")
                << QByteArray("cel=90\n\r\nBdb=80\r\rDb=70\nDst=55\r\nDp=40") << kCustom;
        QTest::newRow("case ignored: CEL, DP, bDb")
                << QByteArray("DP=40\nDst=55\nDb=70\nbDb=80\nCEL=90") << kCustom;
        QTest::newRow("Cel") << QByteArray("Dp=40\nDst=55\nDb=70\nBdb=80\nCel=90") << kCustom;
        QTest::newRow("other lines ignored")
                << QByteArray("[Progi]\nkomentarz\nDop=1\nDp=40\nDst=55\nDb=70\nBdb=80\ncel=90")
                << kCustom;
        QTest::newRow("first matching line wins")
                << QByteArray("Dp=40\nDp=45\nDst=55\nDb=70\nBdb=80\ncel=90\ncel=1") << kCustom;
        QTest::newRow("a bad later duplicate is never looked at")
                << QByteArray("Dp=40\nDst=55\nDb=70\nBdb=80\ncel=90\ncel=x") << kCustom;
        QTest::newRow("leading blanks and signs")
                << QByteArray("Dp=  40\nDst=+55\nDb= +70\nBdb=080\ncel=90") << kCustom;
        QTest::newRow("negative and int32 bounds")
                << QByteArray("Dp=-2147483648\nDst=-1\nDb=0\nBdb=2147483647\ncel=90")
                << make(90, 2147483647, 0, -1, -2147483648);
        QTest::newRow("not validated for order")
                << QByteArray("Dp=90\nDst=80\nDb=70\nBdb=60\ncel=101") << make(101, 60, 70, 80, 90);

        // Every problem gives all five defaults, also those already read.
        QTest::newRow("Dop instead of Dp")
                << QByteArray("Dop=40\nDst=55\nDb=70\nBdb=80\ncel=90") << defaults;
        QTest::newRow("missing cel") << QByteArray("Dp=40\nDst=55\nDb=70\nBdb=80") << defaults;
        QTest::newRow("blank before =")
                << QByteArray("Dp =40\nDst=55\nDb=70\nBdb=80\ncel=90") << defaults;
        QTest::newRow("blank before key")
                << QByteArray(" Dp=40\nDst=55\nDb=70\nBdb=80\ncel=90") << defaults;
        QTest::newRow("trailing blank")
                << QByteArray("Dp=40\nDst=55\nDb=70\nBdb=80\ncel=90 ") << defaults;
        QTest::newRow("trailing tab")
                << QByteArray("Dp=40\nDst=55\nDb=70\nBdb=80\ncel=90\t") << defaults;
        QTest::newRow("empty value")
                << QByteArray("Dp=\nDst=55\nDb=70\nBdb=80\ncel=90") << defaults;
        QTest::newRow("sign alone")
                << QByteArray("Dp=-\nDst=55\nDb=70\nBdb=80\ncel=90") << defaults;
        QTest::newRow("two signs")
                << QByteArray("Dp=+-4\nDst=55\nDb=70\nBdb=80\ncel=90") << defaults;
        QTest::newRow("blank after sign")
                << QByteArray("Dp=- 4\nDst=55\nDb=70\nBdb=80\ncel=90") << defaults;
        QTest::newRow("fraction") << QByteArray("Dp=40.5\nDst=55\nDb=70\nBdb=80\ncel=90")
                                  << defaults;
        QTest::newRow("hexadecimal")
                << QByteArray("Dp=$28\nDst=55\nDb=70\nBdb=80\ncel=90") << defaults;
        QTest::newRow("above int32")
                << QByteArray("Dp=2147483648\nDst=55\nDb=70\nBdb=80\ncel=90") << defaults;
        QTest::newRow("below int32")
                << QByteArray("Dp=-2147483649\nDst=55\nDb=70\nBdb=80\ncel=90") << defaults;
        QTest::newRow("far above int32")
                << QByteArray("Dp=99999999999999999999999\nDst=55\nDb=70\nBdb=80\ncel=90")
                << defaults;
        QTest::newRow("a second = in the value")
                << QByteArray("Dp=40=\nDst=55\nDb=70\nBdb=80\ncel=90") << defaults;
        QTest::newRow("key without =")
                << QByteArray("Dp 40\nDst=55\nDb=70\nBdb=80\ncel=90") << defaults;
        QTest::newRow("lines not broken")
                << QByteArray("Dp=40 Dst=55 Db=70 Bdb=80 cel=90") << defaults;
    }
    void parse()
    {
        QFETCH(QByteArray, content);
        QFETCH(Thresholds, expected);
        QCOMPARE(parseThresholds(content), expected);
    }

    void loadsFromDirectory()
    {
        QTemporaryDir dir;
        QCOMPARE(loadThresholds(dir.path()), Thresholds{});

        QFile file(dir.filePath(u"Progi.txt"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Dp=40\r\nDst=55\r\nDb=70\r\nBdb=80\r\ncel=90\r\n");
        file.close();
        QCOMPARE(loadThresholds(dir.path()), kCustom);

        // A folder by that name cannot be read: defaults, no error.
        QTemporaryDir other;
        QVERIFY(QDir(other.path()).mkdir(u"Progi.txt"_s));
        QCOMPARE(loadThresholds(other.path()), Thresholds{});
    }

    // What would freeze the start or fill the memory gives the defaults.
    void oddProgiTxtGivesTheDefaults_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<bool>("custom");
        QTest::newRow("FIFO") << "fifo" << false;
        QTest::newRow("link to /dev/zero") << "link:/dev/zero" << false;
        QTest::newRow("64 KB") << "size:65536" << true;
        QTest::newRow("one byte over 64 KB") << "size:65537" << false;
        QTest::newRow("link to a good file") << "link:good" << true;
    }
    void oddProgiTxtGivesTheDefaults()
    {
        QFETCH(QString, what);
        QFETCH(bool, custom);
#ifdef Q_OS_UNIX
        QTemporaryDir dir;
        const QString progi = dir.filePath(u"Progi.txt"_s);
        const QByteArray good = "Dp=40\r\nDst=55\r\nDb=70\r\nBdb=80\r\ncel=90\r\n";
        std::unique_ptr<Fifo> fifo;
        if (what == u"fifo"_s) {
            fifo = std::make_unique<Fifo>(progi);
            QVERIFY(fifo->made());
        } else if (what.startsWith(u"link:"_s)) {
            QString target = what.mid(5);
            if (target == u"good"_s) {
                target = dir.filePath(u"good.txt"_s);
                QFile file(target);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(good);
            }
            QVERIFY(QFile::link(target, progi));
        } else {
            QFile file(progi);
            QVERIFY(file.open(QIODevice::WriteOnly));
            // The keys first, then filler lines up to the size.
            const int size = what.mid(5).toInt();
            file.write(good + QByteArray(size - good.size(), 'x'));
        }
        QCOMPARE(loadThresholds(dir.path()), custom ? kCustom : Thresholds{});
        if (fifo)
            QVERIFY2(!fifo->releasedAReader(), "the read waited for a writer");
#else
        Q_UNUSED(what);
        Q_UNUSED(custom);
        QSKIP("FIFOs and devices are POSIX files");
#endif
    }

    void grade_data()
    {
        QTest::addColumn<Thresholds>("thresholds");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QString>("grade");
        const Thresholds d;
        QTest::newRow("101") << d << 101 << u"Ndst"_s;
        QTest::newRow("100") << d << 100 << u"Cel"_s;
        QTest::newRow("95") << d << 95 << u"Cel"_s;
        QTest::newRow("94") << d << 94 << u"Bdb"_s;
        QTest::newRow("85") << d << 85 << u"Bdb"_s;
        QTest::newRow("84") << d << 84 << u"Db"_s;
        QTest::newRow("75") << d << 75 << u"Db"_s;
        QTest::newRow("74") << d << 74 << u"Dst"_s;
        QTest::newRow("60") << d << 60 << u"Dst"_s;
        QTest::newRow("59") << d << 59 << u"Dop"_s;
        QTest::newRow("50") << d << 50 << u"Dop"_s;
        QTest::newRow("49") << d << 49 << u"Ndst"_s;
        QTest::newRow("0") << d << 0 << u"Ndst"_s;
        QTest::newRow("-5") << d << -5 << u"Ndst"_s;
        QTest::newRow("int32 max") << d << 2147483647 << u"Ndst"_s;

        const Thresholds cel101 = make(101, 85, 75, 60, 50);
        QTest::newRow("Cel 101: 100") << cel101 << 100 << u"Bdb"_s;
        QTest::newRow("Cel 101: 101") << cel101 << 101 << u"Ndst"_s;
        QTest::newRow("Cel 101: 85") << cel101 << 85 << u"Bdb"_s;

        // Out of order: a grade whose range is empty is never given.
        const Thresholds swapped = make(95, 70, 80, 60, 50);
        QTest::newRow("swapped: 90") << swapped << 90 << u"Bdb"_s;
        QTest::newRow("swapped: 75 (Db empty)") << swapped << 75 << u"Bdb"_s;
        QTest::newRow("swapped: 69") << swapped << 69 << u"Dst"_s;
        QTest::newRow("swapped: 79") << swapped << 79 << u"Bdb"_s;
        const Thresholds reversed = make(50, 60, 75, 85, 95);
        QTest::newRow("reversed: 100") << reversed << 100 << u"Cel"_s;
        QTest::newRow("reversed: 50") << reversed << 50 << u"Cel"_s;
        QTest::newRow("reversed: 49") << reversed << 49 << u"Ndst"_s;
        const Thresholds extremes = make(-2147483647 - 1, -2147483647 - 1, 0, 0, 0);
        QTest::newRow("int32 min thresholds: 0") << extremes << 0 << u"Cel"_s;
        QTest::newRow("int32 min thresholds: min") << extremes << -2147483647 - 1 << u"Cel"_s;
    }
    void grade()
    {
        QFETCH(Thresholds, thresholds);
        QFETCH(int, percent);
        QFETCH(QString, grade);
        QCOMPARE(gradeName(percent, thresholds), grade);
    }
};

QTEST_GUILESS_MAIN(TestThresholds)
#include "tst_thresholds.moc"
