#include "appearance/dialog/axispage.h"

#include "appearance/dialog/dialogcontrols.h"
#include "ui/spinedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace zavevad {

AxisPage::AxisPage(AppearanceDialogContext &context, QWidget *parent)
    : AppearancePage(context, "TabSheet2", parent)
{
    m_Cosie = makeDropDown(this, "Cosie", {QStringLiteral("Pionowa"), QStringLiteral("Pozioma")},
            QRect(8, 8, 166, RowHeight));

    makeFrame(this, "Bevel1", "Label3", QStringLiteral(" Dane osi "), QRect(6, 36, 168, 188));
    makeLabel(this, "Label1", QStringLiteral("Opis:"), 16, 58);
    m_EopisOsi = new QLineEdit(this);
    m_EopisOsi->setObjectName(QStringLiteral("EopisOsi"));
    m_EopisOsi->setGeometry(56, 58, 108, RowHeight);
    makeLabel(this, "Label2", QStringLiteral("Kąt:"), 16, 86);
    m_SKont = makeSpinEdit(this, "SKont", QRect(56, 86, 60, RowHeight), 0, 360, 90);
    m_BFontOsie = makeButton(
            this, "BFontOsie", QStringLiteral("Czcionka osi..."), QRect(16, 120, 148, 24));
    m_BKolorWartosci = makeButton(
            this, "BKolorWartosci", QStringLiteral("Kolor wartości..."), QRect(16, 152, 148, 24));
    m_BKolorOsie =
            makeButton(this, "BKolorOsie", QStringLiteral("Kolor osi..."), QRect(16, 184, 148, 24));

    makeFrame(this, "Bevel2", "Label4", QStringLiteral(" Dane siatki "), QRect(180, 2, 174, 140));
    m_CwidocznaSiatka = makeCheckBox(this, "CwidocznaSiatka", QStringLiteral("Widoczna"), 190, 18);
    m_RodzajLini = new QGroupBox(QStringLiteral("Rodzaj lini"), this);
    m_RodzajLini->setObjectName(QStringLiteral("RodzajLini"));
    m_RodzajLini->setGeometry(190, 40, 156, 62);
    m_RCiongla = makeRadioButton(m_RodzajLini, "RCiongla", QStringLiteral("Ciągła"), 10, 18);
    m_Rprzerywana =
            makeRadioButton(m_RodzajLini, "Rprzerywana", QStringLiteral("Przerywana"), 10, 38);
    m_BKolorSiatki = makeButton(
            this, "BKolorSiatki", QStringLiteral("Kolor siatki..."), QRect(190, 108, 156, 24));

    makeFrame(
            this, "Bevel3", "Label5", QStringLiteral(" Dane ścianki  "), QRect(180, 148, 174, 76));
    m_Cprzezr = makeCheckBox(this, "Cprzezr", QStringLiteral("Przeźroczysta"), 190, 164);
    m_BKolorScianki = makeButton(
            this, "BKolorScianki", QStringLiteral("Kolor ścianki..."), QRect(190, 192, 156, 24));

    m_EopisOsi->installEventFilter(this);
    connect(m_Cosie, &QComboBox::currentIndexChanged, this, &AxisPage::CosieChange);
    connect(m_SKont, &SpinEdit::changed, this, &AxisPage::SKontChange);
    connect(m_BFontOsie, &QPushButton::clicked, this, &AxisPage::BFontOsieClick);
    connect(m_BKolorWartosci, &QPushButton::clicked, this, &AxisPage::BKolorWartosciClick);
    connect(m_BKolorOsie, &QPushButton::clicked, this, &AxisPage::BkolorOsieClick);
    connect(m_CwidocznaSiatka, &QCheckBox::clicked, this, &AxisPage::CwidocznaSiatkaClick);
    connect(m_RCiongla, &QRadioButton::clicked, this, [this] { gridStyleClick(0); });
    connect(m_Rprzerywana, &QRadioButton::clicked, this, [this] { gridStyleClick(1); });
    connect(m_BKolorSiatki, &QPushButton::clicked, this, &AxisPage::BkolorSiatkiClick);
    connect(m_Cprzezr, &QCheckBox::clicked, this, &AxisPage::CprzezrClick);
    connect(m_BKolorScianki, &QPushButton::clicked, this, &AxisPage::BkolorSciankiClick);
}

AxisPage::Fields AxisPage::fields(int axis)
{
    TChartAppearance &r = record();
    chart::Chart &c = chart();
    if (axis == Horizontal)
        return {r.BottomAxisTitle, r.BottomAxisTitleAngle, r.BottomAxisColor, r.BottomAxisTitleFont,
                r.BottomAxisLabelsFont, r.BottomGridVisible, r.BottomGridColor, r.BottomGridDotted,
                r.BottomWallTransparent, r.BottomWallColor, c.bottomAxis, c.bottomWall};
    return {r.LeftAxisTitle, r.LeftAxisTitleAngle, r.LeftAxisColor, r.LeftAxisTitleFont,
            r.LeftAxisLabelsFont, r.LeftGridVisible, r.LeftGridColor, r.LeftGridDotted,
            r.LeftWallTransparent, r.LeftWallColor, c.leftAxis, c.leftWall};
}

AxisPage::Fields AxisPage::selected()
{
    return fields(m_Cosie->currentIndex());
}

void AxisPage::pageShown()
{
    {
        const QSignalBlocker blocker(m_Cosie);
        m_Cosie->setCurrentIndex(Vertical);
    }
    FillAxisPage(Vertical);
}

void AxisPage::FillAxisPage(int axis)
{
    const Fields f = fields(axis);
    const QSignalBlocker b1(m_EopisOsi), b2(m_SKont), b3(m_CwidocznaSiatka), b4(m_RCiongla),
            b5(m_Rprzerywana), b6(m_Cprzezr);
    m_EopisOsi->setText(f.title.text());
    m_SKont->setText(QString::number(f.titleAngle));
    m_CwidocznaSiatka->setChecked(f.gridVisible);
    if (f.gridDotted != 0)
        m_Rprzerywana->setChecked(true);
    else
        m_RCiongla->setChecked(true);
    m_Cprzezr->setChecked(f.wallTransparent);
}

void AxisPage::CosieChange()
{
    FillAxisPage(m_Cosie->currentIndex());
}

void AxisPage::EopisOsiKeyUp()
{
    handle([this] {
        const Fields f = selected();
        f.title.setText(m_EopisOsi->text());
        f.axis.title = m_EopisOsi->text();
    });
}

void AxisPage::SKontChange()
{
    handle([this] {
        const Fields f = selected();
        f.titleAngle = integerOf(m_SKont->text());
        f.axis.titleAngle = f.titleAngle;
    });
}

void AxisPage::BFontOsieClick()
{
    handle([this] {
        const Fields f = selected();
        if (chooseFontFor(f.titleFont))
            f.axis.titleFont = textFontOf(f.titleFont);
    });
}

void AxisPage::BKolorWartosciClick()
{
    handle([this] {
        const Fields f = selected();
        if (chooseFontFor(f.labelsFont))
            f.axis.labelsFont = textFontOf(f.labelsFont);
    });
}

void AxisPage::BkolorOsieClick()
{
    handle([this] {
        const Fields f = selected();
        if (chooseColorFor(f.axisColor))
            f.axis.axisColor = f.axisColor.toQColor();
    });
}

void AxisPage::CwidocznaSiatkaClick()
{
    handle([this] {
        const Fields f = selected();
        f.gridVisible = m_CwidocznaSiatka->isChecked();
        f.axis.gridVisible = f.gridVisible;
    });
}

void AxisPage::gridStyleClick(int dotted)
{
    handle([this, dotted] {
        const Fields f = selected();
        f.gridDotted = dotted;
        f.axis.gridStyle = gridStyleFromDotted(dotted);
    });
}

void AxisPage::BkolorSiatkiClick()
{
    handle([this] {
        const Fields f = selected();
        if (chooseColorFor(f.gridColor))
            f.axis.gridColor = f.gridColor.toQColor();
    });
}

void AxisPage::CprzezrClick()
{
    handle([this] {
        const Fields f = selected();
        f.wallTransparent = m_Cprzezr->isChecked();
        f.wall.brush = brushFromTransparent(f.wallTransparent);
    });
}

void AxisPage::BkolorSciankiClick()
{
    handle([this] {
        const Fields f = selected();
        if (chooseColorFor(f.wallColor))
            f.wall.color = f.wallColor.toQColor();
    });
}

bool AxisPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_EopisOsi && event->type() == QEvent::KeyRelease)
        EopisOsiKeyUp();
    return AppearancePage::eventFilter(watched, event);
}

} // namespace zavevad
