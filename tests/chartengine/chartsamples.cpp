#include "chartsamples.h"

#include <array>

namespace zavevad::chart::test {

QColor rowColor(int row)
{
    static const std::array<QColor, 20> colors{QColor(0, 0, 255), QColor(0, 0, 255),
            QColor(255, 0, 0), QColor(255, 255, 0), QColor(192, 192, 192), QColor(0, 128, 0),
            QColor(0, 0, 0), QColor(128, 0, 0), QColor(0, 0, 128), QColor(0, 255, 0),
            QColor(255, 0, 255), QColor(0, 255, 255), QColor(255, 255, 255), QColor(0, 128, 128),
            QColor(128, 64, 64), QColor(64, 0, 128), QColor(0, 128, 255), QColor(217, 141, 38),
            QColor(95, 163, 92), QColor(35, 118, 220)};
    return colors[std::size_t(row % 20)];
}

namespace {

TextFont baseFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    return TextFont{font, QColor(255, 255, 255)};
}

void applyFactoryAppearance(Chart &c, Series &current)
{
    const TextFont font = baseFont();
    c.header.font = font;
    c.footer.font = font;
    c.header.brush = BrushStyle::bsClear;
    c.footer.brush = BrushStyle::bsClear;
    c.header.adjustFrame = false;
    c.footer.adjustFrame = false;
    for (AxisSettings *axis : {&c.leftAxis, &c.bottomAxis}) {
        axis->titleFont = font;
        axis->labelsFont = font;
        axis->axisColor = Qt::black;
        axis->gridVisible = true;
        axis->gridStyle = GridStyle::psDot;
        axis->gridColor = Qt::black;
    }
    c.leftAxis.titleAngle = 90;
    c.bottomAxis.titleAngle = 0;
    c.leftWall = WallSettings{QColor(0, 128, 0), BrushStyle::bsSolid};
    c.bottomWall = WallSettings{QColor(0, 128, 0), BrushStyle::bsSolid};
    c.legend.color = QColor(128, 128, 128);
    c.legend.shadowColor = Qt::black;
    c.legend.font = font;
    c.legend.shadowSize = 4;
    c.legend.visible = true;
    c.legend.textStyle = LegendTextStyle::ltsPlain;
    c.legend.topPos = 12;
    c.panel.gradientVisible = true;
    c.panel.gradientStart = QColor(128, 128, 128);
    c.panel.gradientEnd = QColor(81, 81, 81);
    c.panel.color = Qt::white;
    c.panel.frameColor = Qt::black;
    c.backWall.color = QColor(128, 128, 128);
    c.bar.style = BarStyle::bsRectGradient;
    c.bar.origin = 0;
    c.bar.widthPercent = 30;
    c.pie.patterns = false;
    c.pie.backColor = QColor(255, 0, 0);
    c.pie.explodeBiggest = 15;
    c.pie.rotation = 0;
    c.view3D.depthPercent = 20;
    c.line.pointerStyle = PointerStyle::psCircle;
    c.line.pointerVisible = true;
    c.line.pointerColor = QColor(0, 0, 255);
    c.line.pointerHorizSize = 5;
    c.line.pointerVertSize = 2;
    current.marks.visible = true;
    current.marks.transparent = true;
    current.marks.backColor = QColor(255, 255, 0);
    current.marks.style = MarksStyle::smsValue;
    current.marks.font = font;
}

void activate(Chart &c, Kind kind)
{
    c.setSeriesActive(PieSeriesIndex, kind == Kind::Pie);
    c.setSeriesActive(BarSeriesIndex, kind == Kind::Bar);
    c.setSeriesActive(LineSeriesIndex, kind == Kind::Line);
    c.view3D.orthogonal = kind != Kind::Pie;
    applyFactoryAppearance(c, c.series(int(kind) - 1));
}

} // namespace

Chart sampleChart(Kind kind, int count)
{
    static const char *const names[] = {"Adamczyk Anna", "Bąk Piotr", "Czarnecka Ewa",
            "Dudek Tomasz", "Górski Michał", "Jabłońska Zofia", "Kowalski Jan", "Lewandowska Maria",
            "Łukasik Paweł", "Nowak Katarzyna", "Ostrowski Adam", "Pawlak Julia", "Sikora Kamil",
            "Wójcik Natalia", "Zając Krzysztof"};
    Chart c;
    c.header.lines = QStringList{QStringLiteral("Wyniki testu")};
    c.leftAxis.title = QStringLiteral("Nazwisko i imię");
    c.bottomAxis.title = QStringLiteral("Suma");
    for (int r = 1; r <= count; ++r) {
        const QString name = r <= int(std::size(names)) ? QString::fromUtf8(names[r - 1])
                                                        : QStringLiteral("Uczeń %1").arg(r);
        const double value = (r * 7 + 3) % 23 + 2;
        for (Series *s : {static_cast<Series *>(&c.bar), static_cast<Series *>(&c.pie),
                     static_cast<Series *>(&c.line)})
            s->addPoint(value, name, rowColor(r));
    }
    activate(c, kind);
    return c;
}

Chart gradeChart(Kind kind)
{
    Chart c;
    c.header.lines = QStringList{QStringLiteral("Zestawienie ocen")};
    c.leftAxis.title = QStringLiteral("Ocena");
    c.bottomAxis.title = QStringLiteral("Ilość ocen");
    const char *const grades[] = {"Cel", "Bdb", "Db", "Dst", "Dop", "Ndst"};
    const double counts[] = {2, 5, 7, 4, 3, 1};
    for (int r = 1; r <= 6; ++r) {
        for (Series *s : {static_cast<Series *>(&c.bar), static_cast<Series *>(&c.pie),
                     static_cast<Series *>(&c.line)})
            s->addPoint(counts[r - 1], QString::fromLatin1(grades[r - 1]), rowColor(r));
    }
    activate(c, kind);
    return c;
}

Chart classChart(Kind kind)
{
    static const char *const names[] = {"Adamczyk Oliwia", "Bąk Szymon", "Cieślak Zuzanna",
            "Ćwik Kacper", "Dąbrowska Maja", "Grabowski Filip", "Jabłońska Lena", "Kamiński Jakub",
            "Kowalczyk Amelia", "Kowalski Jan", "Król Antoni", "Lewandowska Julia", "Lis Wojciech",
            "Łuczak Małgorzata", "Malinowski Michał", "Mazur Hanna", "Nowak Aleksander",
            "Pawlak Natalia", "Pietrzak Igor", "Sikora Zofia", "Szymańska Wiktoria", "Śliwa Tymon",
            "Wiśniewski Bartosz", "Wójcik Alicja", "Woźniak Stanisław", "Zając Laura",
            "Zieliński Mikołaj", "Żak Gabriela"};
    static const int totals[] = {20, 13, 17, 6, 19, 13, 12, 5, 15, 16, 14, 11, 9, 12, 17, 11, 16, 7,
            15, 19, 8, 11, 9, 17, 18, 6, 14, 8};
    static_assert(std::size(names) == std::size(totals));
    Chart c;
    c.header.lines = QStringList{QStringLiteral("Wyniki testu")};
    c.leftAxis.title = QStringLiteral("Nazwisko i imię");
    c.bottomAxis.title = QStringLiteral("Suma");
    for (int r = 1; r <= int(std::size(names)); ++r) {
        const double value = totals[r - 1];
        for (Series *s : {static_cast<Series *>(&c.bar), static_cast<Series *>(&c.pie),
                     static_cast<Series *>(&c.line)})
            s->addPoint(value, QString::fromUtf8(names[r - 1]), rowColor(r));
    }
    activate(c, kind);
    return c;
}

} // namespace zavevad::chart::test
