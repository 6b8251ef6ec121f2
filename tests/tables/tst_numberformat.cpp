#include "tables/numberformat.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>

using namespace zavevad;
using namespace Qt::StringLiterals;

namespace {

constexpr double kSecond = 1.0 / 86400;

} // namespace

class TestNumberFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void generalNumber_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("pl 12.3") << u"pl_PL"_s << 1230 / 100.0 << u"12,3"_s;
        QTest::newRow("pl 3.67") << u"pl_PL"_s << 367 / 100.0 << u"3,67"_s;
        QTest::newRow("pl 4.5") << u"pl_PL"_s << 450 / 100.0 << u"4,5"_s;
        QTest::newRow("pl 6") << u"pl_PL"_s << 600 / 100.0 << u"6"_s;
        QTest::newRow("pl 0") << u"pl_PL"_s << 0.0 << u"0"_s;
        QTest::newRow("pl -0") << u"pl_PL"_s << -0.0 << u"0"_s;
        QTest::newRow("pl no group separator") << u"pl_PL"_s << 123456.78 << u"123456,78"_s;
        QTest::newRow("en 12.3") << u"en_US"_s << 12.3 << u"12.3"_s;
        QTest::newRow("en 3.67") << u"en_US"_s << 3.67 << u"3.67"_s;
        QTest::newRow("en no group separator") << u"en_US"_s << 1234567.0 << u"1234567"_s;
        QTest::newRow("en 15 digits") << u"en_US"_s << 1.0 / 3 << u"0.333333333333333"_s;
        QTest::newRow("de 0.1") << u"de_DE"_s << 0.1 << u"0,1"_s;
    }
    void generalNumber()
    {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(zavevad::generalNumber(value), expected);
    }

    void longTimeFormatHasNoZone_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("pl") << u"pl_PL"_s;
        QTest::newRow("en_US") << u"en_US"_s;
        QTest::newRow("en_GB") << u"en_GB"_s;
        QTest::newRow("de") << u"de_DE"_s;
        QTest::newRow("ja") << u"ja_JP"_s;
        QTest::newRow("es: zone in brackets") << u"es_ES"_s;
        QTest::newRow("zh: zone first") << u"zh_CN"_s;
    }
    void longTimeFormatHasNoZone()
    {
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        const QString format = longTimeFormat();
        QVERIFY2(!format.contains(u't'), qPrintable(format));
        QCOMPARE(format, format.trimmed());
        QVERIFY(format.contains(u"ss"));
        QVERIFY(!format.contains(u"  "));
        QVERIFY(!format.contains(u'('));
    }

    void timeOfDay_data()
    {
        QTest::addColumn<double>("days");
        QTest::addColumn<QString>("plText");
        QTest::newRow("25:30 working time") << 25.5 * 60 * kSecond << u"00:25:30"_s;
        QTest::newRow("date part dropped")
                << 45000.0 + (10 * 3600 + 25 * 60 + 30) * kSecond << u"10:25:30"_s;
        QTest::newRow("a day and more") << 1.0 + 3600 * kSecond << u"01:00:00"_s;
        QTest::newRow("negative: no sign") << -(6 * 3600 * kSecond) << u"06:00:00"_s;
        QTest::newRow("just below a second")
                << 59 * kSecond + 0.9996 * kSecond / 1000 << u"00:00:59"_s;
        QTest::newRow("rounds to the millisecond")
                << (60 - 0.0004 / 1000) * kSecond << u"00:01:00"_s;
        QTest::newRow("rounds up to midnight") << 1.0 - 1e-12 << u"00:00:00"_s;
        QTest::newRow("nan") << std::nan("") << u"00:00:00"_s;
        QTest::newRow("inf") << std::numeric_limits<double>::infinity() << u"00:00:00"_s;
        QTest::newRow("-inf") << -std::numeric_limits<double>::infinity() << u"00:00:00"_s;
        QTest::newRow("huge") << 1e300 << u"00:00:00"_s;
        QTest::newRow("max") << std::numeric_limits<double>::max() << u"00:00:00"_s;
        QTest::newRow("denormal") << std::numeric_limits<double>::denorm_min() << u"00:00:00"_s;
    }
    void timeOfDay()
    {
        QFETCH(double, days);
        QFETCH(QString, plText);
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        QCOMPARE(timeOfDayText(days), plText);
    }

    void timeOfDayFollowsTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const QString text = timeOfDayText((13 * 3600 + 5 * 60 + 7) * kSecond);
        QCOMPARE(text, u"1:05:07 PM"_s);
        // Read back with the same format (as the chart does).
        const QTime back = QLocale().toTime(text, longTimeFormat());
        QCOMPARE(back, QTime(13, 5, 7));
    }
};

QTEST_GUILESS_MAIN(TestNumberFormat)
#include "tst_numberformat.moc"
