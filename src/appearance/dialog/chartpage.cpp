#include "appearance/dialog/chartpage.h"

#include "appearance/dialog/dialogcontrols.h"
#include "platform/platform.h"
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
    m_PSlupek = makePanel(this, "PSlupek");
    makeLabel(m_PSlupek, "LKsztaltwykresu", QStringLiteral("Kształt wykresu:"), 12, 16);
    m_Cksztalt = makeDropDown(m_PSlupek, "Cksztalt",
            {QStringLiteral("Prostopadłościan"), QStringLiteral("Prostopadłościan z gradientem"),
                    QStringLiteral("Walec"), QStringLiteral("Strzałka")},
            QRect(140, 16, 208, RowHeight));
    makeLabel(m_PSlupek, "LWartoscPoczontkowa", QStringLiteral("Wartość początkowa:"), 12, 50);
    m_EWartpoczontkowa = new QLineEdit(QStringLiteral("0"), m_PSlupek);
    m_EWartpoczontkowa->setObjectName(QStringLiteral("EWartpoczontkowa"));
    m_EWartpoczontkowa->setGeometry(140, 50, 80, RowHeight);
    makeLabel(m_PSlupek, "lszerokoscSlupka", QStringLiteral("Szerokość słupka:"), 12, 84);
    m_SSzerokoscSlupka =
            makeSpinEdit(m_PSlupek, "SSzerokoscSlupka", QRect(140, 84, 60, RowHeight), 0, 100, 5);

    m_PKola = makePanel(this, "PKola");
    m_CKreska = makeCheckBox(m_PKola, "CKreska", QStringLiteral("Kreskowane"), 12, 16);
    m_BKolorPodKreski = makeButton(
            m_PKola, "BKolorPodKreski", QStringLiteral("Kolor tła..."), QRect(160, 14, 120, 24));
    makeLabel(m_PKola, "Label15", QStringLiteral("Eksploduj największą:"), 12, 58);
    m_Seksplozja = makeSpinEdit(m_PKola, "Seksplozja", QRect(160, 58, 60, RowHeight), 0, 90, 5);
    makeLabel(m_PKola, "Label16", QStringLiteral("Obróć wykres:"), 12, 90);
    m_SObrot = makeSpinEdit(m_PKola, "SObrot", QRect(160, 90, 60, RowHeight), 0, 360, 20);

    m_PLinia = makePanel(this, "PLinia");
    m_BKolorLini = makeButton(
            m_PLinia, "BKolorLini", QStringLiteral("Kolor lini..."), QRect(12, 12, 130, 24));
    makeFrame(
            m_PLinia, "Bevel5", "Label14", QStringLiteral(" Wierzchołki "), QRect(6, 46, 348, 176));
    m_CwidoczneWierzcholki = makeCheckBox(
            m_PLinia, "CwidoczneWierzcholki", QStringLiteral("Wierzchołki zaznaczone"), 16, 68);
    m_BKolorWierzch = makeButton(m_PLinia, "BKolorWierzch", QStringLiteral("Kolor wierzchołków..."),
            QRect(196, 66, 148, 24));
    makeLabel(m_PLinia, "Label17", QStringLiteral("Długość:"), 16, 104);
    m_Sdlug = makeSpinEdit(m_PLinia, "Sdlug", QRect(96, 104, 60, RowHeight), 1, 20, 1);
    makeLabel(m_PLinia, "Label18", QStringLiteral("Szerokość:"), 16, 136);
    m_SSzer = makeSpinEdit(m_PLinia, "SSzer", QRect(96, 136, 60, RowHeight), 1, 20, 1);
    makeLabel(m_PLinia, "Label19", QStringLiteral("Kształt:"), 16, 168);
    m_Cksztaltwierzcholka = makeDropDown(m_PLinia, "Cksztaltwierzcholka",
            {QStringLiteral("Prostopadłościan"), QStringLiteral("Koło"),
                    QStringLiteral("Ostrosłup"), QStringLiteral("Gwiazdka")},
            QRect(96, 168, 170, RowHeight));

    m_PKola->hide();
    m_PLinia->hide();

    m_EWartpoczontkowa->installEventFilter(this);
    connect(m_Cksztalt, &QComboBox::activated, this, &ChartPage::CksztaltClick);
    connect(m_SSzerokoscSlupka, &SpinEdit::changed, this, &ChartPage::SSzerokoscSlupkaChange);
    connect(m_CKreska, &QCheckBox::clicked, this, &ChartPage::CKreskaClick);
    connect(m_BKolorPodKreski, &QPushButton::clicked, this, &ChartPage::BkolorPodKreskiClick);
    connect(m_Seksplozja, &SpinEdit::changed, this, &ChartPage::SeksplozjaChange);
    connect(m_SObrot, &SpinEdit::changed, this, &ChartPage::SObrotChange);
    connect(m_BKolorLini, &QPushButton::clicked, this, &ChartPage::BkolorLiniClick);
    connect(m_CwidoczneWierzcholki, &QCheckBox::clicked, this,
            &ChartPage::CwidoczneWierzcholkiClick);
    connect(m_BKolorWierzch, &QPushButton::clicked, this, &ChartPage::BKolorWierzchClick);
    connect(m_Sdlug, &SpinEdit::changed, this, &ChartPage::SdlugChange);
    connect(m_SSzer, &SpinEdit::changed, this, &ChartPage::SSzerChange);
    connect(m_Cksztaltwierzcholka, &QComboBox::activated, this,
            &ChartPage::CksztaltwierzcholkaClick);
}

void ChartPage::showPanelForKind(int kind)
{
    if (seriesIndexOfKind(kind) < 0)
        return;
    m_PSlupek->setVisible(kind == ChartKindBar);
    m_PKola->setVisible(kind == ChartKindPie);
    m_PLinia->setVisible(kind == ChartKindLine);
}

void ChartPage::FillChartPage()
{
    const TChartAppearance &r = record();
    const int kind = context().shownChartKind();
    switch (kind) {
    case ChartKindBar: {
        const QSignalBlocker b1(m_Cksztalt), b2(m_EWartpoczontkowa), b3(m_SSzerokoscSlupka);
        selectItem(m_Cksztalt, r.BarShape);
        m_EWartpoczontkowa->setText(QString::number(r.BarOrigin));
        m_SSzerokoscSlupka->setText(QString::number(r.BarWidthPercent));
        break;
    }
    case ChartKindPie: {
        const QSignalBlocker b1(m_CKreska), b2(m_Seksplozja), b3(m_SObrot);
        m_CKreska->setChecked(r.PiePatterns);
        m_Seksplozja->setText(QString::number(r.PieExplodeBiggest));
        m_SObrot->setText(QString::number(r.PieRotation));
        break;
    }
    case ChartKindLine: {
        const QSignalBlocker b1(m_Cksztaltwierzcholka), b2(m_CwidoczneWierzcholki), b3(m_Sdlug),
                b4(m_SSzer);
        selectItem(m_Cksztaltwierzcholka, r.LinePointShape);
        m_CwidoczneWierzcholki->setChecked(r.LinePointsVisible);
        m_Sdlug->setText(QString::number(r.LinePointLength));
        m_SSzer->setText(QString::number(r.LinePointWidth));
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
        const QString text = m_EWartpoczontkowa->text();
        const int origin = text.isEmpty() ? 0 : integerOf(text);
        record().BarOrigin = origin;
        chart().bar.origin = origin;
    });
}

void ChartPage::SSzerokoscSlupkaChange()
{
    handle([this] {
        record().BarWidthPercent = integerOf(m_SSzerokoscSlupka->text());
        chart().bar.widthPercent = record().BarWidthPercent;
    });
}

void ChartPage::CKreskaClick()
{
    handle([this] {
        record().PiePatterns = m_CKreska->isChecked();
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
        record().PieExplodeBiggest = integerOf(m_Seksplozja->text());
        chart().pie.explodeBiggest = record().PieExplodeBiggest;
    });
}

void ChartPage::SObrotChange()
{
    handle([this] {
        record().PieRotation = integerOf(m_SObrot->text());
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
        record().LinePointsVisible = m_CwidoczneWierzcholki->isChecked();
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
        record().LinePointLength = integerOf(m_Sdlug->text());
        chart().line.pointerHorizSize = record().LinePointLength;
    });
}

void ChartPage::SSzerChange()
{
    handle([this] {
        record().LinePointWidth = integerOf(m_SSzer->text());
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
    if (watched == m_EWartpoczontkowa) {
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
