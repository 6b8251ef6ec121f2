#include "resultfilewriter.h"

#include "results/codepage.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <bit>

namespace zavevad::test {

namespace {

void putString(QByteArray &out, int offset, int capacity, const QString &text,
        std::optional<std::uint8_t> rawLength)
{
    const QByteArray bytes = codepage::toCp1250(text).left(capacity);
    out[offset] = static_cast<char>(rawLength ? *rawLength : bytes.size());
    std::copy(bytes.cbegin(), bytes.cend(), out.begin() + offset + 1);
}

void putDouble(QByteArray &out, int offset, double value)
{
    qToLittleEndian(std::bit_cast<quint64>(value), out.data() + offset);
}

} // namespace

double toDayCount(const QDateTime &dateTime)
{
    const qint64 days = QDate(1899, 12, 30).daysTo(dateTime.date());
    return double(days) + dateTime.time().msecsSinceStartOfDay() / 86'400'000.0;
}

QByteArray answerBytes(const char *zerosAndOnes)
{
    QByteArray out;
    for (const char *p = zerosAndOnes; *p; ++p) {
        if (*p == '0' || *p == '1')
            out += char(*p - '0');
    }
    return out;
}

QByteArray resultFileBytes(const ResultFileSpec &fileSpec)
{
    constexpr int kRecord = 128;
    QByteArray out(std::max(kRecord, fileSpec.totalSize), fileSpec.filler);
    putString(out, 0, 20, fileSpec.surname, fileSpec.surnameLength);
    putString(out, 21, 20, fileSpec.firstName, fileSpec.firstNameLength);
    std::fill(out.begin() + 42, out.begin() + 72, char(0));
    std::copy_n(fileSpec.answers.cbegin(), std::min<qsizetype>(fileSpec.answers.size(), 30),
            out.begin() + 42);
    putString(out, 72, 30, fileSpec.testName, fileSpec.testNameLength);
    qToLittleEndian<qint32>(fileSpec.questionCount, out.data() + 104);
    putDouble(out, 112, fileSpec.start);
    putDouble(out, 120, fileSpec.end);
    for (const auto &[offset, value] : fileSpec.rawBytes) {
        if (offset >= 0 && offset < out.size())
            out[offset] = static_cast<char>(value);
    }
    out.truncate(std::max(0, fileSpec.totalSize));
    return out;
}

QString writeResultFile(
        const QString &directory, const QString &fileName, const ResultFileSpec &fileSpec)
{
    const QString path = QDir(directory).filePath(fileName);
    QFile file(path);
    const QByteArray bytes = resultFileBytes(fileSpec);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            && file.write(bytes) == bytes.size() && file.flush();
    if (!written)
        QTest::qFail(qPrintable(u"Cannot write " + path), __FILE__, __LINE__);
    return path;
}

} // namespace zavevad::test
