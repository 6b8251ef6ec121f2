#include "appearance/chartappearance.h"

#include <QTest>

#include <bit>
#include <cstring>

using namespace zavevad;

namespace {

QByteArray patternBytes(int size = TChartAppearance::ByteSize)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 37 + 11) & 0xFF);
    return bytes;
}

TChartAppearance defaults()
{
    TChartAppearance record{};
    FillAppearanceDefaults(record);
    return record;
}

QByteArray at(const QByteArray &bytes, int offset, int size)
{
    return bytes.mid(offset, size);
}

} // namespace

class TestChartAppearance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultsSerialiseToTheFixedImage_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("TitleVisible") << 0 << QByteArray("\x01", 1);
        QTest::newRow("TitleText") << 4 << QByteArray("\x0COto nag\xB3\xF3wek");
        QTest::newRow("TitleAlignment") << 56 << QByteArray("\x01\x00\x00\x00", 4);
        QTest::newRow("TitleFont.Name") << 60 << QByteArray("\x0DMS Sans Serif");
        QTest::newRow("TitleFont.Color") << 112 << QByteArray("\xFF\xFF\xFF\x00", 4);
        QTest::newRow("TitleFont.Size") << 116 << QByteArray("\x08\x00\x00\x00", 4);
        QTest::newRow("FootText") << 132 << QByteArray("\x0AOto stopka");
        QTest::newRow("BottomAxisTitle") << 256 << QByteArray("\x0AO\x9C pozioma");
        QTest::newRow("LeftAxisTitleAngle") << 516 << QByteArray("\x5A\x00\x00\x00", 4);
        QTest::newRow("BottomWallColor") << 460 << QByteArray("\x00\x80\x00\x00", 4);
        QTest::newRow("GradientStartColor") << 780 << QByteArray("\x80\x80\x80\x00", 4);
        QTest::newRow("GradientEndColor") << 784 << QByteArray("\x51\x51\x51\x00", 4);
        QTest::newRow("Zoom") << 812 << QByteArray("\x64\x00\x00\x00", 4);
        QTest::newRow("LinePointColor") << 904 << QByteArray("\x00\x00\xFF\x00", 4);
        QTest::newRow("BarWidthPercent") << 940 << QByteArray("\x1E\x00\x00\x00", 4);
    }
    void defaultsSerialiseToTheFixedImage()
    {
        QFETCH(int, offset);
        QFETCH(QByteArray, expected);
        const QByteArray image = defaults().toBytes();
        QCOMPARE(image.size(), 944);
        QCOMPARE(at(image, offset, expected.size()), expected);
    }

    void defaultsLeavePaddingAndTailsZero()
    {
        const QByteArray image = defaults().toBytes();
        // Tail of "Oto nagłówek" and the padding byte after the field.
        QCOMPARE(at(image, 17, 39), QByteArray(39, '\0'));
        // Padding of the last bool with three bytes of padding (PiePatterns).
        QCOMPARE(at(image, 0x399, 3), QByteArray(3, '\0'));
    }

    void fillingTheApplicationRecordsCopiesCurrentIntoDefault()
    {
        Appearances appearances;
        FillAppearanceDefaults(appearances);
        QCOMPARE(appearances.CurrentAppearance, defaults());
        QCOMPARE(appearances.DefaultAppearance, appearances.CurrentAppearance);
    }

    void defaultsKeepPaddingAndStringTailsButReplaceWholeFonts()
    {
        const QByteArray pattern = patternBytes();
        TChartAppearance record = *TChartAppearance::fromBytes(pattern);
        FillAppearanceDefaults(record);
        const QByteArray image = record.toBytes();
        QCOMPARE(at(image, 0x037, 1), at(pattern, 0x037, 1));
        QCOMPARE(at(image, 0x316, 2), at(pattern, 0x316, 2));
        // The string writes 13 bytes; the other 38 keep what was there.
        QCOMPARE(at(image, 4 + 13, 38), at(pattern, 4 + 13, 38));
        // A font field is a copy of the whole base font, its padding included.
        QCOMPARE(record.TitleFont, BaseFont());
        QCOMPARE(at(image, 60 + 51, 1), QByteArray(1, '\0'));
    }

    void shorterTextLeavesOlderCharactersBehind()
    {
        TChartAppearance record = defaults();
        record.TitleText.setText(u"Czas pracy");
        const QByteArray image = record.toBytes();
        QCOMPARE(image.at(4), char(10));
        QCOMPARE(at(image, 5, 10), QByteArray("Czas pracy"));
        QCOMPARE(image.at(15), 'e');
        QCOMPARE(image.at(16), 'k');
        QCOMPARE(record.TitleText.text(), QStringLiteral("Czas pracy"));
    }

    void longTextIsCutToFiftyCharacters()
    {
        TChartAppearance record = defaults();
        const QString sixty = QString(30, u'ż') + QString(30, u'a');
        record.LeftAxisTitle.setText(sixty);
        QCOMPARE(record.LeftAxisTitle.length(), 50);
        QCOMPARE(record.LeftAxisTitle.text(), sixty.left(50));
        // The byte after the field is padding and stays untouched.
        QCOMPARE(record.pad203[0], std::uint8_t(0));
    }

    void oversizedLengthByteReadsOnlyTheField()
    {
        QByteArray bytes = defaults().toBytes();
        bytes[4] = char(0xFF);
        const TChartAppearance record = *TChartAppearance::fromBytes(bytes);
        QCOMPARE(record.TitleText.length(), 50);
        QCOMPARE(record.TitleText.text().size(), 50);
        QCOMPARE(record.toBytes(), bytes);
    }

    void anyRecordRoundTripsByteForByte()
    {
        const QByteArray pattern = patternBytes();
        const std::optional<TChartAppearance> record = TChartAppearance::fromBytes(pattern);
        QVERIFY(record);
        QCOMPARE(record->toBytes(), pattern);
    }

    void fieldsAreReadLittleEndian()
    {
        QByteArray bytes(944, '\0');
        bytes[0] = char(2);
        const char alignment[] = {'\x07', '\x00', '\x00', '\x00'};
        const char angle[] = {'\xFF', '\xFF', '\xFF', '\xFF'};
        const char colour[] = {'\x11', '\x22', '\x33', '\x00'};
        bytes.replace(0x038, 4, alignment, 4);
        bytes.replace(0x204, 4, angle, 4);
        bytes.replace(0x30C, 4, colour, 4);
        const TChartAppearance record = *TChartAppearance::fromBytes(bytes);
        QVERIFY(record.TitleVisible);
        QCOMPARE(record.TitleAlignment, 7);
        QCOMPARE(record.LeftAxisTitleAngle, -1);
        QCOMPARE(record.GradientStartColor.toQColor(), QColor(0x11, 0x22, 0x33));
        // A non-zero boolean byte other than 1 is saved as it was loaded.
        QCOMPARE(record.toBytes().at(0), char(2));
    }

    void serialisationFollowsTheMemberLayout()
    {
        if constexpr (std::endian::native != std::endian::little)
            QSKIP("the in-memory image equals the file image only on little-endian hosts");
        const TChartAppearance record = *TChartAppearance::fromBytes(patternBytes());
        QByteArray memory(944, '\0');
        std::memcpy(memory.data(), &record, sizeof record);
        QCOMPARE(record.toBytes(), memory);
    }

    void recordNeedsAllItsBytes()
    {
        QVERIFY(!TChartAppearance::fromBytes(QByteArray()));
        QVERIFY(!TChartAppearance::fromBytes(patternBytes(943)));
        const QByteArray longer = patternBytes(1000);
        QCOMPARE(TChartAppearance::fromBytes(longer)->toBytes(), longer.left(944));
    }

    void coloursAreRedInTheLowestByte()
    {
        const AppearanceColor c = AppearanceColor::fromRgb(217, 141, 38);
        QCOMPARE(c.value, 0x00268DD9u);
        QCOMPARE(AppearanceColor::fromQColor(QColor(217, 141, 38)), c);
        QCOMPARE(c.toQColor(), QColor(217, 141, 38));
    }

    void fontConvertsToAndFromQFont_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<bool>("strikeOut");
        QTest::newRow("plain") << 0 << false << false << false << false;
        QTest::newRow("bold") << 1 << true << false << false << false;
        QTest::newRow("italic") << 2 << false << true << false << false;
        QTest::newRow("underline") << 4 << false << false << true << false;
        QTest::newRow("strikeout") << 8 << false << false << false << true;
        QTest::newRow("all") << 15 << true << true << true << true;
    }
    void fontConvertsToAndFromQFont()
    {
        QFETCH(int, style);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(bool, underline);
        QFETCH(bool, strikeOut);
        TAppearanceFont font = BaseFont();
        font.Size = 14;
        font.Style = static_cast<std::uint8_t>(style);
        const QFont qfont = font.toQFont();
        QCOMPARE(qfont.family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(qfont.pointSize(), 14);
        QCOMPARE(qfont.bold(), bold);
        QCOMPARE(qfont.italic(), italic);
        QCOMPARE(qfont.underline(), underline);
        QCOMPARE(qfont.strikeOut(), strikeOut);

        TAppearanceFont back;
        back.setFromQFont(qfont, QColor(1, 2, 3));
        QCOMPARE(back.Name.text(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(back.Size, 14);
        QCOMPARE(int(back.Style), style);
        QCOMPARE(back.Color, AppearanceColor::fromRgb(1, 2, 3));
    }

    void fontWithoutASizeKeepsTheDefaultSize()
    {
        TAppearanceFont font = BaseFont();
        font.Size = -3;
        QCOMPARE(font.toQFont().pointSize(), QFont(QStringLiteral("MS Sans Serif")).pointSize());
    }
};

QTEST_GUILESS_MAIN(TestChartAppearance)
#include "tst_chartappearance.moc"
