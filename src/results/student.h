#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace zavevad {

/// Highest number of questions a test can have; also the size of the answer field.
inline constexpr int kMaxQuestions = 30;

/// A question count brought into 0..kMaxQuestions. A load guarantees 1 to 30;
/// the clamp keeps a stray value from reading past the answers or the
/// question statistics.
constexpr int usableQuestionCount(int questionCount)
{
    return questionCount < 0 ? 0 : (questionCount > kMaxQuestions ? kMaxQuestions : questionCount);
}

/// The first record of a result file (*.dat), decoded. Strings are held as
/// QStrings; on disk they are length-prefixed code page 1250 bytes.
struct Uczen
{
    QString Nazwisko; ///< surname, at most 20 characters
    QString Imie; ///< first name, at most 20 characters
    std::array<std::uint8_t, kMaxQuestions>
            Odpowiedzi{}; ///< element k-1 for question k; nonzero = correct
    QString NazwaTestu; ///< test name, at most 30 characters; identifies the test
    std::int32_t LiczbaPytan = 0; ///< question count, 1 to 30
    double Poczatek = 0; ///< start, days since 1899-12-30
    double Koniec = 0; ///< end, days since 1899-12-30

    friend bool operator==(const Uczen &, const Uczen &) = default;
};

/// One loaded student: the file record plus what grading computes.
struct UczenAll : Uczen
{
    std::int32_t Suma = 0; ///< points: correct answers among questions 1..question count
    std::int32_t Procent = 0; ///< Suma as a percentage of the question count, rounded half to even
    QString Ocena; ///< grade name: "Cel", "Bdb", "Db", "Dst", "Dop" or "Ndst"
    /// The student's class: the name of the folder the result file was read
    /// from, so that classes loaded together can be compared.
    QString schoolClass;

    UczenAll() = default;
    explicit UczenAll(const Uczen &record) : Uczen(record) { }

    /// `Nazwisko`, one blank, `Imie`: the sort key and row label.
    QString displayName() const { return Nazwisko + QLatin1Char(' ') + Imie; }
    /// `Koniec` minus `Poczatek`, in days.
    double workingTime() const { return Koniec - Poczatek; }
    /// Whether question k (1-based) was answered correctly.
    bool correct(int k) const { return k >= 1 && k <= kMaxQuestions && Odpowiedzi[k - 1] != 0; }

    friend bool operator==(const UczenAll &, const UczenAll &) = default;
};

using Uczniowie = std::vector<UczenAll>;

} // namespace zavevad
