#include "results/anonymise.h"

namespace zavevad {

AnalysisState withoutNames(const AnalysisState &analysis)
{
    AnalysisState copy = analysis;
    int number = 0;
    for (UczenAll &student : copy.students) {
        // The display name is "<surname> <first name>": "Uczeń 1".
        student.Nazwisko = QStringLiteral("Uczeń");
        student.Imie = QString::number(++number);
    }
    return copy;
}

} // namespace zavevad
