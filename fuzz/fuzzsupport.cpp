#include "fuzzsupport.h"

#include "results/userlocale.h"

#include <QGuiApplication>
#include <QLocale>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace zavevad::fuzz {

namespace {

void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    // A fatal message is a finding like any crash; the rest are expected for
    // odd input (a font of size 0, an empty image) and only slow the run down.
    if (type == QtFatalMsg) {
        const QByteArray text = message.toLocal8Bit();
        std::fprintf(stderr, "Qt fatal: %s\n", text.constData());
        std::abort();
    }
}

} // namespace

void fail(const char *condition, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

void initialiseCore(int *, char ***)
{
    qInstallMessageHandler(quietMessages);
    QLocale::setDefault(userLocale());
}

void initialiseGui(int *argc, char ***argv)
{
    initialiseCore(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt keeps the references for the application's lifetime, which is the
    // whole run; its own arguments are kept apart from libFuzzer's.
    static int qtArgc = 1;
    static char qtName[] = "zavevad-fuzz";
    static char *qtArgv[] = {qtName, nullptr};
    static QGuiApplication *app = new QGuiApplication(qtArgc, qtArgv);
    (void)app;
}

} // namespace zavevad::fuzz
