#include "appearance/dialog/backgroundpage.h"

#include "appearance/dialog/dialogcontrols.h"
#include "shell/commanderror.h"
#include "shell/platform.h"
#include "ui/radiogroup.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace zavevad {

namespace {

QLabel *makeSwatch(QWidget *parent, const char *name, int x, int y)
{
    auto *swatch = new QLabel(parent);
    swatch->setObjectName(QLatin1String(name));
    swatch->setGeometry(x, y, 25, 25);
    return swatch;
}

void showSwatch(QLabel *swatch, const AppearanceColor &color)
{
    swatch->setStyleSheet(
            QStringLiteral("QLabel { background-color: %1; }").arg(color.toQColor().name()));
}

} // namespace

BackgroundPage::BackgroundPage(AppearanceDialogContext &context, QWidget *parent)
    : AppearancePage(context, "TabSheet4", parent)
{
    RadioGroup1 = new QGroupBox(this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(6, 6, 172, 82);
    WstawObrazek =
            makeCheckBox(RadioGroup1, "WstawObrazek", QStringLiteral("Wstaw obraz jako:"), 8, 6);
    RDowewn = makeRadioButton(RadioGroup1, "RDowewn", QStringLiteral("Tło wykresu"), 26, 30);
    Rzewnontrz = makeRadioButton(
            RadioGroup1, "Rzewnontrz", QStringLiteral("Jako tło zewnętrzne"), 26, 54);
    Rzewnontrz->setChecked(true);

    RDopasuj = new RadioGroup(
            QString(), {QStringLiteral("Wyśrodkuj"), QStringLiteral("Rozciągnij")}, this);
    RDopasuj->setObjectName(QStringLiteral("RDopasuj"));
    RDopasuj->setGeometry(184, 6, 170, 82);
    RDopasuj->arrangeItems(12, 18, 28);

    Cgradient = makeCheckBox(this, "Cgradient", QStringLiteral("Zastosuj gradient"), 10, 98);
    BKolorPocz = makeButton(
            this, "BKolorPocz", QStringLiteral("Kolor początkowy..."), QRect(10, 126, 136, 24));
    LKororPocz = makeSwatch(this, "LKororPocz", 153, 125);
    BKolorKonc = makeButton(
            this, "BKolorKonc", QStringLiteral("Kolor końcowy..."), QRect(10, 158, 136, 24));
    LKolorKonc = makeSwatch(this, "LKolorKonc", 153, 157);

    BKolorTla = makeButton(
            this, "BKolorTla", QStringLiteral("Kolor tła wykresu..."), QRect(196, 96, 154, 24));
    BKolorZewn = makeButton(
            this, "BKolorZewn", QStringLiteral("Kolor tła zewnątrz..."), QRect(196, 126, 154, 24));
    BKolorObramowania = makeButton(this, "BKolorObramowania",
            QStringLiteral("Kolor obramowania..."), QRect(196, 158, 154, 24));

    connect(WstawObrazek, &QCheckBox::clicked, this, &BackgroundPage::WstawObrazekClick);
    connect(RDowewn, &QRadioButton::clicked, this, &BackgroundPage::RDowewnClick);
    connect(Rzewnontrz, &QRadioButton::clicked, this, &BackgroundPage::RzewnontrzClick);
    connect(RDopasuj, &RadioGroup::itemClicked, this, &BackgroundPage::RDopasujClick);
    connect(Cgradient, &QCheckBox::clicked, this, &BackgroundPage::CgradientClick);
    connect(BKolorPocz, &QPushButton::clicked, this, &BackgroundPage::BkolorPoczClick);
    connect(BKolorKonc, &QPushButton::clicked, this, &BackgroundPage::BKolorKoncClick);
    connect(BKolorZewn, &QPushButton::clicked, this, &BackgroundPage::BKolorZewnClick);
    connect(BKolorObramowania, &QPushButton::clicked, this,
            &BackgroundPage::BKolorObramowaniaClick);
    connect(BKolorTla, &QPushButton::clicked, this, &BackgroundPage::BKolorTlaClick);
}

void BackgroundPage::FillBackgroundPage()
{
    const TChartAppearance &r = record();
    const QSignalBlocker b1(WstawObrazek), b2(Cgradient), b3(RDowewn), b4(Rzewnontrz), b5(RDopasuj);
    WstawObrazek->setChecked(r.BackPictureOn);
    Cgradient->setChecked(r.GradientVisible);
    showSwatch(LKororPocz, r.GradientStartColor);
    showSwatch(LKolorKonc, r.GradientEndColor);
    // Two exclusive buttons: "Tło wykresu" leaves the selection to its partner.
    if (r.BackPictureInside)
        RDowewn->setChecked(true);
    else
        Rzewnontrz->setChecked(true);
    RDopasuj->setItemIndex(r.BackPictureCentered ? 0 : 1);
}

void BackgroundPage::WstawObrazekClick()
{
    handle([this] {
        if (!WstawObrazek->isChecked()) {
            record().BackPictureOn = false;
            chart().panel.backImage = QImage();
            return;
        }
        const std::optional<QString> path = Platform::current().openPicture();
        if (!path)
            return;
        record().BackPictureOn = true;
        QImageReader reader(*path);
        const QImage picture = reader.read();
        if (picture.isNull())
            throw CommandError(QStringLiteral("Nie można wczytać obrazu: %1")
                                       .arg(QDir::toNativeSeparators(*path)));
        chart().panel.backImage = picture;
    });
}

void BackgroundPage::RDowewnClick()
{
    handle([this] {
        record().BackPictureInside = true;
        chart().panel.backImageInside = true;
    });
}

void BackgroundPage::RzewnontrzClick()
{
    handle([this] {
        record().BackPictureInside = false;
        chart().panel.backImageInside = false;
    });
}

void BackgroundPage::RDopasujClick(int index)
{
    handle([this, index] {
        if (index == 0) {
            chart().panel.backImageMode = chart::PictureMode::pbmCenter;
            record().BackPictureCentered = true;
        } else if (index == 1) {
            chart().panel.backImageMode = chart::PictureMode::pbmStretch;
            record().BackPictureCentered = false;
        }
    });
}

void BackgroundPage::CgradientClick()
{
    handle([this] {
        record().GradientVisible = Cgradient->isChecked();
        chart().panel.gradientVisible = record().GradientVisible;
    });
}

void BackgroundPage::BkolorPoczClick()
{
    handle([this] {
        if (!chooseColorFor(record().GradientStartColor))
            return;
        chart().panel.gradientStart = record().GradientStartColor.toQColor();
        showSwatch(LKororPocz, record().GradientStartColor);
    });
}

void BackgroundPage::BKolorKoncClick()
{
    handle([this] {
        if (!chooseColorFor(record().GradientEndColor))
            return;
        chart().panel.gradientEnd = record().GradientEndColor.toQColor();
        showSwatch(LKolorKonc, record().GradientEndColor);
    });
}

void BackgroundPage::BKolorZewnClick()
{
    handle([this] {
        if (chooseColorFor(record().OuterColor))
            chart().panel.color = record().OuterColor.toQColor();
    });
}

void BackgroundPage::BKolorObramowaniaClick()
{
    handle([this] {
        if (chooseColorFor(record().FrameColor))
            chart().panel.frameColor = record().FrameColor.toQColor();
    });
}

void BackgroundPage::BKolorTlaClick()
{
    handle([this] {
        if (chooseColorFor(record().BackColor))
            chart().backWall.color = record().BackColor.toQColor();
    });
}

} // namespace zavevad
