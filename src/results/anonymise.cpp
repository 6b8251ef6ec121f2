#include "results/anonymise.h"

#include <QDir>
#include <QFileInfo>

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
    // Result files are often named after their students: the files left out
    // are counted, not named.
    const auto unnamed = [](QStringList &paths) {
        for (qsizetype i = 0; i < paths.size(); ++i)
            paths[i] = QFileInfo(paths[i]).dir().filePath(QStringLiteral("plik%1.dat").arg(i + 1));
    };
    unnamed(copy.otherTestFiles);
    unnamed(copy.otherCountFiles);
    return copy;
}

} // namespace zavevad
