#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <map>
#include <optional>

namespace zavevad::test {

/// Days since 1899-12-30 of the date and wall-clock time of `dateTime`, the
/// encoding of `Poczatek` and `Koniec`.
double toDayCount(const QDateTime &dateTime);

/// Answer bytes from a text of '0' and '1' (blanks ignored): answerBytes("1101 0").
QByteArray answerBytes(const char *zerosAndOnes);

/// A plain description of one result file. The defaults give a valid file.
struct ResultFileSpec
{
    QString surname = QStringLiteral("Kowalski");
    QString firstName = QStringLiteral("Jan");
    QString testName = QStringLiteral("Sprawdzian");
    /// Byte k-1 for question k; at most 30 are written, the rest stay zero.
    QByteArray answers = answerBytes("1111100000");
    std::int32_t questionCount = 10;
    double start = toDayCount(QDateTime(QDate(2026, 11, 16), QTime(8, 0)));
    double end = toDayCount(QDateTime(QDate(2026, 11, 16), QTime(8, 30)));

    /// Raw length bytes instead of the encoded lengths (the characters written stay).
    std::optional<std::uint8_t> surnameLength;
    std::optional<std::uint8_t> firstNameLength;
    std::optional<std::uint8_t> testNameLength;
    /// Fills the padding, the unused ends of the strings and anything past 128.
    char filler = 0;
    /// Length of the file: 127 for a short file, 300 for a long one.
    int totalSize = 128;
    /// Bytes set last, by offset: anything the fields above cannot express.
    std::map<int, std::uint8_t> rawBytes;
};

/// The bytes of a result file as described. Strings are encoded to code
/// page 1250 and cut to their fields (20, 20, 30 characters).
QByteArray resultFileBytes(const ResultFileSpec &fileSpec);

/// Writes `resultFileBytes(fileSpec)` to `directory`/`fileName` and returns the path.
/// Fails the current test (QVERIFY-like) when the file cannot be written.
QString writeResultFile(
        const QString &directory, const QString &fileName, const ResultFileSpec &fileSpec);

} // namespace zavevad::test
