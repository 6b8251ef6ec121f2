#include "shell/tfabout.h"

#include "shell/artwork.h"
#include "ui/bevel.h"
#include "ui/clickablelabel.h"
#include "ui/fixedwindow.h"

#include <QLabel>

namespace zavevad {

// Kept on top like the prompt: beneath the always-on-top chart window the
// modal box would block the program out of sight.
TFAbout::TFAbout(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FAbout"));
    setUpFixedWindow(*this, QSize(258, 139), QColor(154, 154, 154));
    setModal(true);

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("Image1"));
    icon->setGeometry(16, 24, 32, 32);
    artwork::setPicture(*icon, QStringLiteral("icon"), QSize(32, 32));

    auto *version = new QLabel(QStringLiteral("Kalmo - Zavevad 1.0"), this);
    version->setObjectName(QStringLiteral("Label1"));
    QFont bold = font();
    bold.setBold(true);
    version->setFont(bold);
    version->move(69, 43);
    version->adjustSize();

    auto *description =
            new QLabel(QStringLiteral("         Program do analizy wyników testu - moduł "
                                      "wspomagający do programu \"Kalmo\"."),
                    this);
    description->setObjectName(QStringLiteral("Label2"));
    description->setGeometry(16, 64, 225, 33);
    description->setWordWrap(true);
    description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The stand-in for the original bitmap font is wider: one pixel less keeps
    // the text on the two lines its place has room for.
    QFont smaller = font();
    smaller.setPixelSize(10);
    description->setFont(smaller);

    auto *author = new QLabel(QStringLiteral("Autor: zespół Kalmo"), this);
    author->setObjectName(QStringLiteral("Label3"));
    author->move(16, 96);
    author->adjustSize();

    auto *close = new ClickableLabel(QStringLiteral("[X]"), this);
    close->setObjectName(QStringLiteral("Label4"));
    close->move(238, 6);
    close->adjustSize();
    close->setCursor(Qt::PointingHandCursor);
    connect(close, &ClickableLabel::clicked, this, &TFAbout::Label4Click);

    auto *bevel = new Bevel(QColor(0, 0, 0), Bevel::Raised, this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setGeometry(rect());
    bevel->raise();
    close->raise();
}

void TFAbout::showModal()
{
    centreOnScreen(*this);
    exec();
}

void TFAbout::Label4Click()
{
    accept();
}

} // namespace zavevad
