#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalmo - Zavevad"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kalmo - Zavevad"));
    window.show();
    return QApplication::exec();
}
