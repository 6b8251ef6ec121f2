#include "appearance/dialog/chartpage.h"

#include "appearance/dialog/dialogcontrols.h"
#include "shell/platform.h"
#include "ui/spinedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace zavevad {

namespace {

QWidget *makePanel(QWidget *parent, const char *name)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setAttribute(Qt::WA_StyledBackground);
    panel->setGeometry(0, 0, 360, 230);
    return panel;
}

/// A code the list does not hold leaves no item selected.
void selectItem(QComboBox *box, int index)
{
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

} // namespace

ChartPage::ChartPage(AppearanceDialogContext &context, QWidget *parent)
    : AppearancePage(context, "TabSheet6", parent)
{
    PSlupek = makePanel(this, "PSlupek");
    makeLabel(PSlupek, "LKsztaltwykresu", QStringLiteral("Kształt wykresu:"), 12, 16);
    Cksztalt = makeDropDown(PSlupek, "Cksztalt",
            {QStringLiteral("Prostopadłościan"), QStringLiteral("Prostopadłościan z gradientem"),
                    QStringLiteral("Walec"), QStringLiteral("Strzałka")},
            QRect(140, 16, 208, RowHeight));
    makeLabel(PSlupek, "LWartoscPoczontkowa", QStringLiteral("Wartość początkowa:"), 12, 50);
    EWartpoczontkowa = new QLineEdit(QStringLiteral("0"), PSlupek);
    EWartpoczontkowa->setObjectName(QStringLiteral("EWartpoczontkowa"));
    EWartpoczontkowa->setGeometry(140, 50, 80, RowHeight);
    makeLabel(PSlupek, "lszerokoscSlupka", QStringLiteral("Szerokość słupka:"), 12, 84);
    SSzerokoscSlupka =
            makeSpinEdit(PSlupek, "SSzerokoscSlupka", QRect(140, 84, 60, RowHeight), 0, 100, 5);

    PKola = makePanel(this, "PKola");
    CKreska = makeCheckBox(PKola, "CKreska", QStringLiteral("Kreskowane"), 12, 16);
    BKolorPodKreski = makeButton(
            PKola, "BKolorPodKreski", QStringLiteral("Kolor tła..."), QRect(160, 14, 120, 24));
    makeLabel(PKola, "Label15", QStringLiteral("Eksploduj największą:"), 12, 58);
    Seksplozja = makeSpinEdit(PKola, "Seksplozja", QRect(160, 58, 60, RowHeight), 0, 90, 5);
    makeLabel(PKola, "Label16", QStringLiteral("Obróć wykres:"), 12, 90);
    SObrot = makeSpinEdit(PKola, "SObrot", QRect(160, 90, 60, RowHeight), 0, 360, 20);

    PLinia = makePanel(this, "PLinia");
    BKolorLini = makeButton(
            PLinia, "BKolorLini", QStringLiteral("Kolor lini..."), QRect(12, 12, 130, 24));
    makeFrame(PLinia, "Bevel5", "Label14", QStringLiteral(" Wierzchołki "), QRect(6, 46, 348, 176));
    CwidoczneWierzcholki = makeCheckBox(
            PLinia, "CwidoczneWierzcholki", QStringLiteral("Wierzchołki zaznaczone"), 16, 68);
    BKolorWierzch = makeButton(PLinia, "BKolorWierzch", QStringLiteral("Kolor wierzchołków..."),
            QRect(196, 66, 148, 24));
    makeLabel(PLinia, "Label17", QStringLiteral("Długość:"), 16, 104);
    Sdlug = makeSpinEdit(PLinia, "Sdlug", QRect(96, 104, 60, RowHeight), 1, 20, 1);
    makeLabel(PLinia, "Label18", QStringLiteral("Szerokość:"), 16, 136);
    SSzer = makeSpinEdit(PLinia, "SSzer", QRect(96, 136, 60, RowHeight), 1, 20, 1);
    makeLabel(PLinia, "Label19", QStringLiteral("Kształt:"), 16, 168);
    Cksztaltwierzcholka = makeDropDown(PLinia, "Cksztaltwierzcholka",
            {QStringLiteral("Prostopadłościan"), QStringLiteral("Koło"),
                    QStringLiteral("Ostrosłup"), QStringLiteral("Gwiazdka")},
            QRect(96, 168, 170, RowHeight));

    PKola->hide();
    PLinia->hide();

    EWartpoczontkowa->installEventFilter(this);
    connect(Cksztalt, &QComboBox::activated, this, &ChartPage::CksztaltClick);
    connect(SSzerokoscSlupka, &SpinEdit::changed, this, &ChartPage::SSzerokoscSlupkaChange);
    connect(CKreska, &QCheckBox::clicked, this, &ChartPage::CKreskaClick);
    connect(BKolorPodKreski, &QPushButton::clicked, this, &ChartPage::BkolorPodKreskiClick);
    connect(Seksplozja, &SpinEdit::changed, this, &ChartPage::SeksplozjaChange);
    connect(SObrot, &SpinEdit::changed, this, &ChartPage::SObrotChange);
    connect(BKolorLini, &QPushButton::clicked, this, &ChartPage::BkolorLiniClick);
    connect(CwidoczneWierzcholki, &QCheckBox::clicked, this, &ChartPage::CwidoczneWierzcholkiClick);
    connect(BKolorWierzch, &QPushButton::clicked, this, &ChartPage::BKolorWierzchClick);
    connect(Sdlug, &SpinEdit::changed, this, &ChartPage::SdlugChange);
    connect(SSzer, &SpinEdit::changed, this, &ChartPage::SSzerChange);
    connect(Cksztaltwierzcholka, &QComboBox::activated, this, &ChartPage::CksztaltwierzcholkaClick);
}

void ChartPage::showPanelForKind(int kind)
{
    if (seriesIndexOfKind(kind) < 0)
        return;
    PSlupek->setVisible(kind == ChartKindBar);
    PKola->setVisible(kind == ChartKindPie);
    PLinia->setVisible(kind == ChartKindLine);
}

void ChartPage::FillChartPage()
{
    const TChartAppearance &r = record();
    const int kind = context().shownChartKind();
    switch (kind) {
    case ChartKindBar: {
        const QSignalBlocker b1(Cksztalt), b2(EWartpoczontkowa), b3(SSzerokoscSlupka);
        selectItem(Cksztalt, r.BarShape);
        EWartpoczontkowa->setText(QString::number(r.BarOrigin));
        SSzerokoscSlupka->setText(QString::number(r.BarWidthPercent));
        break;
    }
    case ChartKindPie: {
        const QSignalBlocker b1(CKreska), b2(Seksplozja), b3(SObrot);
        CKreska->setChecked(r.PiePatterns);
        Seksplozja->setText(QString::number(r.PieExplodeBiggest));
        SObrot->setText(QString::number(r.PieRotation));
        break;
    }
    case ChartKindLine: {
        const QSignalBlocker b1(Cksztaltwierzcholka), b2(CwidoczneWierzcholki), b3(Sdlug),
                b4(SSzer);
        selectItem(Cksztaltwierzcholka, r.LinePointShape);
        CwidoczneWierzcholki->setChecked(r.LinePointsVisible);
        Sdlug->setText(QString::number(r.LinePointLength));
        SSzer->setText(QString::number(r.LinePointWidth));
        break;
    }
    default:
        return;
    }
    showPanelForKind(kind);
}

void ChartPage::CksztaltClick(int index)
{
    handle([this, index] {
        record().BarShape = index;
        chart().bar.style = barStyleFromCode(index).value_or(chart::BarStyle::bsArrow);
    });
}

bool ChartPage::EWartpoczontkowaKeyPress(const QString &typed)
{
    // Only digits, backspace and tab reach the box: no sign, no decimal point.
    for (const QChar c : typed) {
        if ((c < u'0' || c > u'9') && c != u'\b' && c != u'\t')
            return false;
    }
    return true;
}

void ChartPage::EWartpoczontkowaKeyUp()
{
    handle([this] {
        const QString text = EWartpoczontkowa->text();
        const int origin = text.isEmpty() ? 0 : integerOf(text);
        record().BarOrigin = origin;
        chart().bar.origin = origin;
    });
}

void ChartPage::SSzerokoscSlupkaChange()
{
    handle([this] {
        record().BarWidthPercent = integerOf(SSzerokoscSlupka->text());
        chart().bar.widthPercent = record().BarWidthPercent;
    });
}

void ChartPage::CKreskaClick()
{
    handle([this] {
        record().PiePatterns = CKreska->isChecked();
        chart().pie.patterns = record().PiePatterns;
    });
}

void ChartPage::BkolorPodKreskiClick()
{
    handle([this] {
        if (chooseColorFor(record().PieBackColor))
            chart().pie.backColor = record().PieBackColor.toQColor();
    });
}

void ChartPage::SeksplozjaChange()
{
    handle([this] {
        record().PieExplodeBiggest = integerOf(Seksplozja->text());
        chart().pie.explodeBiggest = record().PieExplodeBiggest;
    });
}

void ChartPage::SObrotChange()
{
    handle([this] {
        record().PieRotation = integerOf(SObrot->text());
        chart().pie.rotation = record().PieRotation;
    });
}

void ChartPage::BkolorLiniClick()
{
    handle([this] {
        // The line's colour lives in the chart only; templates do not keep it.
        const std::optional<QColor> color = Platform::current().chooseColor(chart().line.lineColor);
        if (color)
            chart().line.lineColor = *color;
    });
}

void ChartPage::CwidoczneWierzcholkiClick()
{
    handle([this] {
        record().LinePointsVisible = CwidoczneWierzcholki->isChecked();
        chart().line.pointerVisible = record().LinePointsVisible;
    });
}

void ChartPage::BKolorWierzchClick()
{
    handle([this] {
        if (chooseColorFor(record().LinePointColor))
            chart().line.pointerColor = record().LinePointColor.toQColor();
    });
}

void ChartPage::SdlugChange()
{
    handle([this] {
        record().LinePointLength = integerOf(Sdlug->text());
        chart().line.pointerHorizSize = record().LinePointLength;
    });
}

void ChartPage::SSzerChange()
{
    handle([this] {
        record().LinePointWidth = integerOf(SSzer->text());
        chart().line.pointerVertSize = record().LinePointWidth;
    });
}

void ChartPage::CksztaltwierzcholkaClick(int index)
{
    handle([this, index] {
        chart().line.pointerStyle =
                pointerStyleFromCode(index).value_or(chart::PointerStyle::psStar);
        record().LinePointShape = index;
    });
}

bool ChartPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == EWartpoczontkowa) {
        if (event->type() == QEvent::KeyPress) {
            // Delete edits without typing a character, so it stays allowed.
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() != Qt::Key_Delete && !key->text().isEmpty()
                    && !EWartpoczontkowaKeyPress(key->text()))
                return true;
        } else if (event->type() == QEvent::KeyRelease) {
            EWartpoczontkowaKeyUp();
        }
    }
    return AppearancePage::eventFilter(watched, event);
}

} // namespace zavevad
