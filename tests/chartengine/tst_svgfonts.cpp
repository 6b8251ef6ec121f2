#include "chartsamples.h"

#include "chartengine/chartrenderer.h"
#include "chartengine/svgfonts.h"

#include <QRegularExpression>
#include <QTest>

using namespace zavevad::chart;

class TstSvgFonts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void genericFamilyFollows_data();
    void genericFamilyFollows();
    void chartCopyNamesAGenericFamily();
};

void TstSvgFonts::genericFamilyFollows_data()
{
    QTest::addColumn<QByteArray>("svg");
    QTest::addColumn<QByteArray>("expected");
    const auto row = [](const char *name, const char *family, const char *expected) {
        QTest::newRow(name) << (QByteArray("<g font-family=\"") + family + "\" font-size=\"8\">")
                            << (QByteArray("<g font-family=\"") + expected + "\" font-size=\"8\">");
    };
    row("sans", "Arial", "Arial, sans-serif");
    row("sans named serif", "MS Sans Serif", "MS Sans Serif, sans-serif");
    row("serif by name", "Times New Roman", "Times New Roman, serif");
    row("serif word", "DejaVu Serif", "DejaVu Serif, serif");
    row("mono", "DejaVu Sans Mono", "DejaVu Sans Mono, monospace");
    row("courier", "Courier New", "Courier New, monospace");
    row("quoted when CSS needs it", "3D Font", "'3D Font', sans-serif");
    row("Polish letters quoted", "Czcionka Łódź", "'Czcionka Łódź', sans-serif");
    row("generic already last", "Arial, sans-serif", "Arial, sans-serif");
    row("list gets its generic", "Arial, Helvetica", "Arial, Helvetica, sans-serif");
    row("empty left alone", "", "");

    QTest::newRow("every attribute, text untouched")
            << QByteArray("<g font-family=\"Arial\"><text>font-family=</text></g>"
                          "<g font-family=\"Courier\"/>")
            << QByteArray("<g font-family=\"Arial, sans-serif\"><text>font-family=</text></g>"
                          "<g font-family=\"Courier, monospace\"/>");
}

void TstSvgFonts::genericFamilyFollows()
{
    QFETCH(QByteArray, svg);
    QFETCH(QByteArray, expected);
    QCOMPARE(withGenericFontFamilies(svg), expected);
}

void TstSvgFonts::chartCopyNamesAGenericFamily()
{
    Chart c = test::sampleChart(test::Kind::Bar);
    c.header.visible = true;
    c.header.lines = QStringList{QStringLiteral("Wyniki")};
    const QString svg =
            QString::fromUtf8(renderToSvg(c, QSize(554, 375), QStringLiteral("Wykres")));
    static const QRegularExpression attribute(QStringLiteral("font-family=\"([^\"]*)\""));
    int count = 0;
    for (auto it = attribute.globalMatch(svg); it.hasNext(); ++count) {
        const QString families = it.next().captured(1);
        const QString last = families.section(QLatin1Char(','), -1).trimmed();
        QVERIFY2(last == QLatin1String("sans-serif") || last == QLatin1String("serif")
                        || last == QLatin1String("monospace"),
                qPrintable(families));
    }
    QVERIFY(count > 0);
}

QTEST_MAIN(TstSvgFonts)
#include "tst_svgfonts.moc"
