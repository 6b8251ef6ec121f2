#pragma once

#include "results/analysisstate.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace zavevad {

/// Name of the optional thresholds file in the start directory.
inline constexpr QStringView kThresholdsFileName = u"Progi.txt";

/// The thresholds that the content of `Progi.txt` (code page 1250 bytes) sets:
/// all five from the keys "Dp", "Dst", "Db", "Bdb" and "cel", or all five
/// defaults when a key is missing or a value is not a whole number.
Thresholds parseThresholds(QByteArrayView content);

/// The largest `Progi.txt` read; a bigger one is a bad file.
inline constexpr int kMaxThresholdsFileSize = 64 * 1024;

/// Reads `Progi.txt` from `directory`; a missing or unreadable file, one that
/// is not a regular file (a FIFO, a device, a folder) or one of more than
/// kMaxThresholdsFileSize bytes gives the defaults.
Thresholds loadThresholds(const QString &directory);

/// The grade name of a percentage: "Cel", "Bdb", "Db", "Dst", "Dop" or "Ndst".
/// The first grade whose range (its threshold up to the next better grade's
/// threshold minus one, "Cel" up to 100) holds the percentage wins; above 100
/// and below every threshold is "Ndst".
QString gradeName(std::int32_t percent, const Thresholds &thresholds);

} // namespace zavevad
