#include "ui/fixedwindow.h"

#include "ui/clickablelabel.h"
#include "ui/shellstyle.h"

#include <QDialog>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zavevad {

void setUpFixedWindow(QWidget &window, QSize size, const QColor &background)
{
    window.setWindowTitle(shellstyle::applicationTitle());
    window.setFixedSize(size);
    window.setFont(shellstyle::windowFont());
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, Qt::black);
    window.setPalette(palette);
}

void centreOnScreen(QWidget &window)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    window.move(area.left() + (area.width() - window.width()) / 2,
            area.top() + (area.height() - window.height()) / 2);
}

ClickableLabel *addCloseMark(QDialog &dialog, const QString &objectName)
{
    auto *close = new ClickableLabel(QStringLiteral("[X]"), &dialog);
    close->setObjectName(objectName);
    close->move(dialog.width() - 22, 6);
    close->adjustSize();
    close->setCursor(Qt::PointingHandCursor);
    close->setToolTip(QStringLiteral("Zamknij bez zmian"));
    QObject::connect(close, &ClickableLabel::clicked, &dialog, &QDialog::reject);
    return close;
}

} // namespace zavevad
