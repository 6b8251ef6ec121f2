#include "results/codepage.h"

#include <QTest>

using namespace zavevad;

class TestCodepage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTripsPolishLetters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("lower") << QStringLiteral("ąćęłńóśźż")
                               << QByteArray("\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF");
        QTest::newRow("upper") << QStringLiteral("ĄĆĘŁŃÓŚŹŻ")
                               << QByteArray("\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF");
        QTest::newRow("ascii") << QStringLiteral("Kowalski Jan") << QByteArray("Kowalski Jan");
    }
    void roundTripsPolishLetters()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(codepage::toCp1250(text), bytes);
        QCOMPARE(codepage::fromCp1250(bytes), text);
    }

    void unmappableCharacterBecomesOneQuestionMark()
    {
        QCOMPARE(codepage::toCp1250(u"a\u4e2db"), QByteArray("a?b"));
        QCOMPARE(codepage::toCp1250(u"x\U0001F600y"), QByteArray("x?y"));
        QVERIFY(!codepage::fitsCp1250(u"\u4e2d"));
        QVERIFY(codepage::fitsCp1250(u"Łuczak"));
    }

    void iso88592PlacesTheSixLettersElsewhere_data()
    {
        QTest::addColumn<uint>("ch");
        QTest::addColumn<bool>("mapped");
        QTest::addColumn<int>("byte");
        QTest::newRow("ą") << uint(u'ą') << true << 0xB1;
        QTest::newRow("Ą") << uint(u'Ą') << true << 0xA1;
        QTest::newRow("ś") << uint(u'ś') << true << 0xB6;
        QTest::newRow("Ś") << uint(u'Ś') << true << 0xA6;
        QTest::newRow("ź") << uint(u'ź') << true << 0xBC;
        QTest::newRow("Ź") << uint(u'Ź') << true << 0xAC;
        QTest::newRow("Ł") << uint(u'Ł') << true << 0xA3;
        QTest::newRow("„") << uint(0x201E) << false << 0;
    }
    void iso88592PlacesTheSixLettersElsewhere()
    {
        QFETCH(uint, ch);
        QFETCH(bool, mapped);
        QFETCH(int, byte);
        char out = 0;
        QCOMPARE(codepage::toIso88592(char32_t(ch), out), mapped);
        if (mapped)
            QCOMPARE(static_cast<unsigned char>(out), byte);
    }
};

QTEST_GUILESS_MAIN(TestCodepage)
#include "tst_codepage.moc"
