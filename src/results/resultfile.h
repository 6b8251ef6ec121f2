#pragma once

#include "results/student.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;

namespace zavevad {

/// Size of one result file record; only the first record of a file is read.
inline constexpr int kResultRecordSize = 128;

/// Why a result file was not accepted. Every kind ends a load with the same
/// structure warning; the kinds tell tests and diagnostics apart.
enum class ResultFileError {
    None,
    CannotOpen, ///< missing, not readable, not a regular file, or a device that will not open
    ReadFailed, ///< the device reported an error while reading
    TooShort, ///< fewer than 128 bytes
    BadStringLength, ///< a length byte exceeds its field (20, 20 or 30)
    BadQuestionCount, ///< `LiczbaPytan` outside 1 to 30
};

/// The outcome of reading one result file: the record, or the reason it failed.
struct ResultFileRead
{
    Uczen record; ///< valid only when ok()
    QByteArray rawTestName; ///< `NazwaTestu` as its code page bytes, for the exact comparison
    ResultFileError error = ResultFileError::None;

    bool ok() const { return error == ResultFileError::None; }
};

/// Decodes and checks the first 128 bytes of `bytes`; fewer than 128 is TooShort.
ResultFileRead parseResultRecord(QByteArrayView bytes);

/// Reads the first record from the device's current position. A device that
/// is not open yet is opened for reading and closed again afterwards.
ResultFileRead readResultFile(QIODevice &device);

/// Opens the file for reading only (a read-only file loads), reads its first
/// record and closes it. Only a regular file is opened (a FIFO or a device is
/// CannotOpen), and no more than the record is read.
ResultFileRead readResultFile(const QString &path);

} // namespace zavevad
