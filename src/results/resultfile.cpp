#include "results/resultfile.h"

#include "platform/readfile.h"
#include "results/codepage.h"

#include <QIODevice>
#include <QtEndian>

#include <bit>
#include <cstring>

namespace zavevad {

namespace {

// Field offsets and capacities of the record on disk.
constexpr int kSurnameOffset = 0;
constexpr int kFirstNameOffset = 21;
constexpr int kAnswersOffset = 42;
constexpr int kTestNameOffset = 72;
constexpr int kQuestionCountOffset = 104;
constexpr int kStartOffset = 112;
constexpr int kEndOffset = 120;
constexpr int kNameCapacity = 20;
constexpr int kTestNameCapacity = 30;

// The length byte of a string field, or -1 when it claims more than the field holds.
int stringLength(QByteArrayView record, int offset, int capacity)
{
    const int length = static_cast<unsigned char>(record[offset]);
    return length <= capacity ? length : -1;
}

QByteArrayView stringBytes(QByteArrayView record, int offset, int length)
{
    return record.sliced(offset + 1, length);
}

double readDouble(QByteArrayView record, int offset)
{
    // Any bit pattern is a valid double (NaN and infinities included); it is
    // stored as it is and only formatted later.
    return std::bit_cast<double>(qFromLittleEndian<quint64>(record.data() + offset));
}

} // namespace

ResultFileRead parseResultRecord(QByteArrayView bytes)
{
    ResultFileRead result;
    if (bytes.size() < kResultRecordSize) {
        result.error = ResultFileError::TooShort;
        return result;
    }
    const QByteArrayView record = bytes.first(kResultRecordSize);

    const int surnameLength = stringLength(record, kSurnameOffset, kNameCapacity);
    const int firstNameLength = stringLength(record, kFirstNameOffset, kNameCapacity);
    const int testNameLength = stringLength(record, kTestNameOffset, kTestNameCapacity);
    if (surnameLength < 0 || firstNameLength < 0 || testNameLength < 0) {
        result.error = ResultFileError::BadStringLength;
        return result;
    }
    const std::int32_t questionCount =
            qFromLittleEndian<qint32>(record.data() + kQuestionCountOffset);
    if (questionCount < 1 || questionCount > kMaxQuestions) {
        result.error = ResultFileError::BadQuestionCount;
        return result;
    }

    Uczen &r = result.record;
    r.Nazwisko = codepage::fromCp1250(stringBytes(record, kSurnameOffset, surnameLength));
    r.Imie = codepage::fromCp1250(stringBytes(record, kFirstNameOffset, firstNameLength));
    std::memcpy(r.Odpowiedzi.data(), record.data() + kAnswersOffset, r.Odpowiedzi.size());
    result.rawTestName = stringBytes(record, kTestNameOffset, testNameLength).toByteArray();
    r.NazwaTestu = codepage::fromCp1250(result.rawTestName);
    r.LiczbaPytan = questionCount;
    r.Poczatek = readDouble(record, kStartOffset);
    r.Koniec = readDouble(record, kEndOffset);
    return result;
}

ResultFileRead readResultFile(QIODevice &device)
{
    ResultFileRead failure;
    const bool openedHere = !device.isOpen();
    if (openedHere && !device.open(QIODevice::ReadOnly)) {
        failure.error = ResultFileError::CannotOpen;
        return failure;
    }
    if (!device.isReadable()) {
        failure.error = ResultFileError::CannotOpen;
        return failure;
    }

    QByteArray buffer(kResultRecordSize, Qt::Uninitialized);
    qint64 filled = 0;
    // A device may hand out fewer bytes than asked for; keep reading until the
    // record is complete, the data ends, or the device fails.
    while (filled < kResultRecordSize) {
        const qint64 got = device.read(buffer.data() + filled, kResultRecordSize - filled);
        if (got < 0) {
            if (openedHere)
                device.close();
            failure.error = ResultFileError::ReadFailed;
            return failure;
        }
        if (got == 0)
            break;
        filled += got;
    }
    if (openedHere)
        device.close();
    return parseResultRecord(QByteArrayView(buffer.constData(), filled));
}

ResultFileRead readResultFile(const QString &path)
{
    const FileHead head = readHead(path, kResultRecordSize);
    if (!head.ok()) {
        ResultFileRead failure;
        failure.error = head.failure == FileHead::Failure::ReadFailed ? ResultFileError::ReadFailed
                                                                      : ResultFileError::CannotOpen;
        return failure;
    }
    return parseResultRecord(head.bytes);
}

} // namespace zavevad
