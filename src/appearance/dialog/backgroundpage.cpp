#include "appearance/dialog/backgroundpage.h"

#include "appearance/dialog/dialogcontrols.h"
#include "platform/commanderror.h"
#include "platform/platform.h"
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
    m_RadioGroup1 = new QGroupBox(this);
    m_RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    m_RadioGroup1->setGeometry(6, 6, 172, 82);
    m_WstawObrazek =
            makeCheckBox(m_RadioGroup1, "WstawObrazek", QStringLiteral("Wstaw obraz jako:"), 8, 6);
    m_RDowewn = makeRadioButton(m_RadioGroup1, "RDowewn", QStringLiteral("Tło wykresu"), 26, 30);
    m_Rzewnontrz = makeRadioButton(
            m_RadioGroup1, "Rzewnontrz", QStringLiteral("Jako tło zewnętrzne"), 26, 54);
    m_Rzewnontrz->setChecked(true);

    m_RDopasuj = new RadioGroup(
            QString(), {QStringLiteral("Wyśrodkuj"), QStringLiteral("Rozciągnij")}, this);
    m_RDopasuj->setObjectName(QStringLiteral("RDopasuj"));
    m_RDopasuj->setGeometry(184, 6, 170, 82);
    m_RDopasuj->arrangeItems(12, 18, 28);

    m_Cgradient = makeCheckBox(this, "Cgradient", QStringLiteral("Zastosuj gradient"), 10, 98);
    m_BKolorPocz = makeButton(
            this, "BKolorPocz", QStringLiteral("Kolor początkowy..."), QRect(10, 126, 136, 24));
    m_LKororPocz = makeSwatch(this, "LKororPocz", 153, 125);
    m_BKolorKonc = makeButton(
            this, "BKolorKonc", QStringLiteral("Kolor końcowy..."), QRect(10, 158, 136, 24));
    m_LKolorKonc = makeSwatch(this, "LKolorKonc", 153, 157);

    m_BKolorTla = makeButton(
            this, "BKolorTla", QStringLiteral("Kolor tła wykresu..."), QRect(196, 96, 154, 24));
    m_BKolorZewn = makeButton(
            this, "BKolorZewn", QStringLiteral("Kolor tła zewnątrz..."), QRect(196, 126, 154, 24));
    m_BKolorObramowania = makeButton(this, "BKolorObramowania",
            QStringLiteral("Kolor obramowania..."), QRect(196, 158, 154, 24));

    connect(m_WstawObrazek, &QCheckBox::clicked, this, &BackgroundPage::WstawObrazekClick);
    connect(m_RDowewn, &QRadioButton::clicked, this, &BackgroundPage::RDowewnClick);
    connect(m_Rzewnontrz, &QRadioButton::clicked, this, &BackgroundPage::RzewnontrzClick);
    connect(m_RDopasuj, &RadioGroup::itemClicked, this, &BackgroundPage::RDopasujClick);
    connect(m_Cgradient, &QCheckBox::clicked, this, &BackgroundPage::CgradientClick);
    connect(m_BKolorPocz, &QPushButton::clicked, this, &BackgroundPage::BkolorPoczClick);
    connect(m_BKolorKonc, &QPushButton::clicked, this, &BackgroundPage::BKolorKoncClick);
    connect(m_BKolorZewn, &QPushButton::clicked, this, &BackgroundPage::BKolorZewnClick);
    connect(m_BKolorObramowania, &QPushButton::clicked, this,
            &BackgroundPage::BKolorObramowaniaClick);
    connect(m_BKolorTla, &QPushButton::clicked, this, &BackgroundPage::BKolorTlaClick);
}

void BackgroundPage::FillBackgroundPage()
{
    const TChartAppearance &r = record();
    const QSignalBlocker b1(m_WstawObrazek), b2(m_Cgradient), b3(m_RDowewn), b4(m_Rzewnontrz),
            b5(m_RDopasuj);
    m_WstawObrazek->setChecked(r.BackPictureOn);
    m_Cgradient->setChecked(r.GradientVisible);
    showSwatch(m_LKororPocz, r.GradientStartColor);
    showSwatch(m_LKolorKonc, r.GradientEndColor);
    // Two exclusive buttons: "Tło wykresu" leaves the selection to its partner.
    if (r.BackPictureInside)
        m_RDowewn->setChecked(true);
    else
        m_Rzewnontrz->setChecked(true);
    m_RDopasuj->setItemIndex(r.BackPictureCentered ? 0 : 1);
}

void BackgroundPage::WstawObrazekClick()
{
    handle([this] {
        if (!m_WstawObrazek->isChecked()) {
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
        record().GradientVisible = m_Cgradient->isChecked();
        chart().panel.gradientVisible = record().GradientVisible;
    });
}

void BackgroundPage::BkolorPoczClick()
{
    handle([this] {
        if (!chooseColorFor(record().GradientStartColor))
            return;
        chart().panel.gradientStart = record().GradientStartColor.toQColor();
        showSwatch(m_LKororPocz, record().GradientStartColor);
    });
}

void BackgroundPage::BKolorKoncClick()
{
    handle([this] {
        if (!chooseColorFor(record().GradientEndColor))
            return;
        chart().panel.gradientEnd = record().GradientEndColor.toQColor();
        showSwatch(m_LKolorKonc, record().GradientEndColor);
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
