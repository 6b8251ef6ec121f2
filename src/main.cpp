#include "results/userlocale.h"
#include "shell/artwork.h"
#include "shell/shell.h"
#include "shell/translations.h"
#include "ui/shellstyle.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(zavevad::shellstyle::applicationTitle());
    QApplication::setWindowIcon(zavevad::artwork::applicationIcon());
    QLocale::setDefault(zavevad::userLocale());
    zavevad::installQtTranslations(QLocale());

    zavevad::Shell shell;
    shell.start();
    return QApplication::exec();
}
