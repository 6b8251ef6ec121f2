// Writes the seed inputs of the fuzz targets that are best made from code:
// templates from the appearance record's own serialisation, result files with
// the date-times and counts at their edges, and thresholds files.
//   fuzz_seeds <corpus folder>   (writes into template/, resultfile/, thresholds/)

#include "appearance/chartappearance.h"
#include "results/codepage.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QtEndian>

#include <bit>
#include <cstdio>
#include <cstring>
#include <limits>

using namespace zavevad;
using namespace Qt::StringLiterals;

namespace {

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

void putString(QByteArray &record, int offset, const QString &text)
{
    const QByteArray bytes = codepage::toCp1250(text);
    record[offset] = static_cast<char>(bytes.size());
    std::memcpy(record.data() + offset + 1, bytes.constData(), static_cast<size_t>(bytes.size()));
}

QByteArray resultRecord(const QString &surname, const QString &name, const QString &test,
        qint32 questions, double start, double end, int correct)
{
    QByteArray record(128, '\0');
    putString(record, 0, surname);
    putString(record, 21, name);
    for (int k = 0; k < 30; ++k)
        record[42 + k] = k < correct ? char(1 + k % 3) : char(0);
    putString(record, 72, test);
    qToLittleEndian(questions, record.data() + 104);
    qToLittleEndian(std::bit_cast<quint64>(start), record.data() + 112);
    qToLittleEndian(std::bit_cast<quint64>(end), record.data() + 120);
    return record;
}

bool writeTemplates(const QDir &dir)
{
    Appearances appearances;
    FillAppearanceDefaults(appearances);
    TChartAppearance record = appearances.CurrentAppearance;
    bool ok = write(dir.filePath(u"default.ssw"_s), record.toBytes());

    // As a chart of the results table leaves it.
    record.TitleText.setText(u"Wyniki testu");
    record.LeftAxisTitle.setText(u"Nazwisko i imię");
    record.BottomAxisTitle.setText(u"Suma");
    record.Perspective = true;
    ok = write(dir.filePath(u"results-bar.ssw"_s), record.toBytes()) && ok;

    // A pie with everything that the dialog can switch on.
    record = appearances.CurrentAppearance;
    record.TitleText.setText(u"Zestawienie ocen");
    record.Perspective = false;
    record.FootVisible = true;
    record.TitleFramed = true;
    record.TitleTransparent = false;
    record.PiePatterns = true;
    record.PieExplodeBiggest = 90;
    record.PieRotation = 360;
    record.MarksStyle = 4;
    record.MarksTransparent = false;
    record.LegendTextStyle = 2;
    record.TitleFont.Style =
            FontStyleBold | FontStyleItalic | FontStyleUnderline | FontStyleStrikeOut;
    record.TitleFont.Size = 24;
    ok = write(dir.filePath(u"pie.ssw"_s), record.toBytes()) && ok;

    // A line chart with stars and the last shapes of every list.
    record = appearances.CurrentAppearance;
    record.BarShape = 3;
    record.LinePointShape = 3;
    record.LinePointLength = 20;
    record.LinePointWidth = 1;
    record.GradientVisible = false;
    record.LeftGridDotted = 0;
    record.BarOrigin = 5;
    record.BarWidthPercent = 100;
    record.View3D = false;
    ok = write(dir.filePath(u"line.ssw"_s), record.toBytes()) && ok;

    // Codes outside their ranges, which applying skips.
    record = appearances.CurrentAppearance;
    record.TitleAlignment = 7;
    record.MarksStyle = -1;
    record.BarShape = 4;
    record.LegendTextStyle = 3;
    record.LinePointShape = 99;
    ok = write(dir.filePath(u"bad-codes.ssw"_s), record.toBytes() + QByteArray(16, '\xff')) && ok;
    return ok;
}

bool writeResults(const QDir &dir)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    bool ok = write(dir.filePath(u"plain.dat"_s),
            resultRecord(u"Kowalski"_s, u"Jan"_s, u"Ułamki"_s, 12, 45000.5, 45000.52, 7));
    ok = write(dir.filePath(u"long-names.dat"_s),
                 resultRecord(u"Łuczak-Śliwińskaaaaa"_s, u"Małgorzata-Źdźisława"_s,
                         u"Sprawdzian z matematyki nr 123"_s, 30, 45000.25, 45000.75, 30))
            && ok;
    ok = write(dir.filePath(u"nan-times.dat"_s),
                 resultRecord(u"Nowak"_s, u"Ola"_s, u"T"_s, 1, nan, inf, 1))
            && ok;
    ok = write(dir.filePath(u"huge-times.dat"_s),
                 resultRecord(u"Zając"_s, u"Ala"_s, u"T"_s, 16, 1e300, -1e300, 16))
            && ok;
    ok = write(dir.filePath(u"negative-time.dat"_s),
                 resultRecord(u"Wójcik"_s, u"Ewa"_s, u"T"_s, 15, 45000.9, 45000.1, 0))
            && ok;
    // Three files of one load: two of one test, one of another.
    const QByteArray three = resultRecord(u"Lis"_s, u"Igor"_s, u"A"_s, 20, 1.5, 1.75, 10)
            + resultRecord(u"Lis"_s, u"Igor"_s, u"B"_s, 20, 1.5, 1.75, 10)
            + resultRecord(u"lis"_s, u"Adam"_s, u"A"_s, 20, 1.5, 1.5, 20);
    ok = write(dir.filePath(u"three-files.dat"_s), three) && ok;
    return ok;
}

bool writeThresholds(const QDir &dir)
{
    bool ok = write(
            dir.filePath(u"defaults.txt"_s), "Dp=50\r\nDst=60\r\nDb=75\r\nBdb=85\r\ncel=95\r\n");
    ok = write(dir.filePath(u"mixed-endings.txt"_s),
                 "CEL=101\nBdb=-2147483648\rDb=+75\r\nDst=  60\nDp=0")
            && ok;
    ok = write(dir.filePath(u"bad-value.txt"_s), "Dp=50 \nDst=6O\nDb=75\nBdb=85\ncel=95\n") && ok;
    ok = write(dir.filePath(u"duplicate-keys.txt"_s),
                 "Dp =1\nDp=2\nDp=3\nDst=2147483647\nDb=2147483648\nBdb=85\ncel=95\nZażółć=1\n")
            && ok;
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds <corpus folder>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const char *sub : {"template", "resultfile", "thresholds"}) {
        if (!root.mkpath(QString::fromLatin1(sub)))
            return 1;
    }
    const bool ok = writeTemplates(QDir(root.filePath(u"template"_s)))
            && writeResults(QDir(root.filePath(u"resultfile"_s)))
            && writeThresholds(QDir(root.filePath(u"thresholds"_s)));
    return ok ? 0 : 1;
}
