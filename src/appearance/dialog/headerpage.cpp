#include "appearance/dialog/headerpage.h"

#include "appearance/dialog/dialogcontrols.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTextEdit>

namespace zavevad {

namespace {

/// The record keeps a text of several lines with a line break after each.
QString recordTextOfLines(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

/// The box's lines; a last empty line (after a final line break) is no line.
QStringList linesOf(const QString &plainText)
{
    QStringList lines = plainText.split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

/// The stored text as the box shows it: its line breaks as lines, without
/// the break that closes its last line.
QString boxTextOf(const QString &recordText)
{
    QString text = recordText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

} // namespace

HeaderPage::HeaderPage(AppearanceDialogContext &context, QWidget *parent)
    : AppearancePage(context, "TabSheet1", parent)
{
    m_CNaglowek = makeDropDown(this, "CNaglowek",
            {QStringLiteral("Nagłówek"), QStringLiteral("Stopka")}, QRect(10, 10, 132, RowHeight));

    m_CWidoczny = makeCheckBox(this, "CWidoczny", QStringLiteral("Widoczny"), 10, 42);
    m_CTloDoTekstu = makeCheckBox(this, "CTloDoTekstu", QStringLiteral("Tło do tekstu"), 10, 64);
    m_CPrzezroczyste =
            makeCheckBox(this, "CPrzezroczyste", QStringLiteral("Przeźroczyste"), 10, 86);
    m_Cramka = makeCheckBox(this, "Cramka", QStringLiteral("Tekst w ramce"), 10, 108);

    m_wyrownanie = new QGroupBox(QStringLiteral("Wyrównanie"), this);
    m_wyrownanie->setObjectName(QStringLiteral("wyrownanie"));
    m_wyrownanie->setGeometry(152, 6, 104, 124);
    m_RDoLewej = makeRadioButton(m_wyrownanie, "RDoLewej", QStringLiteral("Do lewej"), 10, 28);
    m_RDoSrodka = makeRadioButton(m_wyrownanie, "RDoSrodka", QStringLiteral("Do środka"), 10, 58);
    m_RDoPrawej = makeRadioButton(m_wyrownanie, "RDoPrawej", QStringLiteral("Do prawej"), 10, 88);

    m_BTloNaglowki =
            makeButton(this, "BTloNaglowki", QStringLiteral("Kolor..."), QRect(266, 10, 84, 24));
    m_BCzcionkaNaglowki = makeButton(
            this, "BCzcionkaNaglowki", QStringLiteral("Czcionka..."), QRect(266, 40, 84, 24));

    m_RENaglowek = new QTextEdit(this);
    m_RENaglowek->setObjectName(QStringLiteral("RENaglowek"));
    m_RENaglowek->setAccessibleName(QStringLiteral("Treść"));
    m_RENaglowek->setAcceptRichText(false);
    m_RENaglowek->setLineWrapMode(QTextEdit::NoWrap);
    // Tab leaves the box for the next control, as in every dialog field.
    m_RENaglowek->setTabChangesFocus(true);
    m_RENaglowek->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_RENaglowek->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_RENaglowek->document()->setDocumentMargin(2);
    m_RENaglowek->setGeometry(10, 146, 340, 26);
    m_RENaglowek->installEventFilter(this);

    connect(m_CNaglowek, &QComboBox::currentIndexChanged, this, &HeaderPage::CNaglowekChange);
    connect(m_CWidoczny, &QCheckBox::clicked, this, &HeaderPage::CWidocznyClick);
    connect(m_CTloDoTekstu, &QCheckBox::clicked, this, &HeaderPage::CTloDoTekstuClick);
    connect(m_CPrzezroczyste, &QCheckBox::clicked, this, &HeaderPage::CPrzezroczysteClick);
    connect(m_Cramka, &QCheckBox::clicked, this, &HeaderPage::CramkaClick);
    connect(m_RDoLewej, &QRadioButton::clicked, this, [this] { alignmentClick(0); });
    connect(m_RDoSrodka, &QRadioButton::clicked, this, [this] { alignmentClick(1); });
    connect(m_RDoPrawej, &QRadioButton::clicked, this, [this] { alignmentClick(2); });
    connect(m_BTloNaglowki, &QPushButton::clicked, this, &HeaderPage::BTloNaglowkiClick);
    connect(m_BCzcionkaNaglowki, &QPushButton::clicked, this, &HeaderPage::BCzcionkaNaglowkiClick);
}

HeaderPage::Fields HeaderPage::fields(int element)
{
    TChartAppearance &r = record();
    if (element == Footer)
        return {r.FootVisible, r.FootAdjustFrame, r.FootTransparent, r.FootFramed, r.FootText,
                r.FootAlignment, r.FootFont, r.FootColor, chart().footer};
    return {r.TitleVisible, r.TitleAdjustFrame, r.TitleTransparent, r.TitleFramed, r.TitleText,
            r.TitleAlignment, r.TitleFont, r.TitleColor, chart().header};
}

HeaderPage::Fields HeaderPage::selected()
{
    return fields(m_CNaglowek->currentIndex());
}

void HeaderPage::pageShown()
{
    selectHeader();
}

void HeaderPage::selectHeader()
{
    {
        const QSignalBlocker blocker(m_CNaglowek);
        m_CNaglowek->setCurrentIndex(Header);
    }
    FillHeaderPage(Header);
}

void HeaderPage::FillHeaderPage(int element)
{
    const Fields f = fields(element);
    const QSignalBlocker b1(m_CWidoczny), b2(m_CPrzezroczyste), b3(m_CTloDoTekstu), b4(m_Cramka),
            b5(m_RDoLewej), b6(m_RDoSrodka), b7(m_RDoPrawej);
    switch (f.alignment) {
    case 0:
        m_RDoLewej->setChecked(true);
        break;
    case 1:
        m_RDoSrodka->setChecked(true);
        break;
    case 2:
        m_RDoPrawej->setChecked(true);
        break;
    }
    m_CWidoczny->setChecked(f.visible);
    m_CPrzezroczyste->setChecked(f.transparent);
    m_CTloDoTekstu->setChecked(f.adjustFrame);
    showElementText(f);
    m_Cramka->setChecked(f.framed);
    showBoxColor(f.color.toQColor());

    // The page shows the record, and the chart's headers follow it, so that
    // whatever the chart went through they match when the user starts editing.
    applyHeaderGroup(record(), chart());
    context().chartChanged();
}

void HeaderPage::showElementText(const Fields &f)
{
    m_RENaglowek->clear();
    m_RENaglowek->setFont(textFontOf(f.font).font);
    m_boxTextColor = f.font.Color.toQColor();
    applyBoxColors();
    m_RENaglowek->setPlainText(boxTextOf(f.text.text()));
}

void HeaderPage::showBoxColor(const QColor &color)
{
    m_boxColor = color;
    applyBoxColors();
}

void HeaderPage::applyBoxColors()
{
    QPalette palette = m_RENaglowek->palette();
    palette.setColor(QPalette::Base, m_boxColor);
    palette.setColor(QPalette::Text, m_boxTextColor);
    m_RENaglowek->setPalette(palette);
}

void HeaderPage::CNaglowekChange()
{
    FillHeaderPage(m_CNaglowek->currentIndex());
}

void HeaderPage::CWidocznyClick()
{
    handle([this] {
        const Fields f = selected();
        f.visible = m_CWidoczny->isChecked();
        f.title.visible = f.visible;
    });
}

void HeaderPage::CTloDoTekstuClick()
{
    handle([this] {
        const Fields f = selected();
        f.adjustFrame = m_CTloDoTekstu->isChecked();
        f.title.adjustFrame = f.adjustFrame;
    });
}

void HeaderPage::CPrzezroczysteClick()
{
    handle([this] {
        const Fields f = selected();
        f.transparent = m_CPrzezroczyste->isChecked();
        f.title.brush = brushFromTransparent(f.transparent);
    });
}

void HeaderPage::CramkaClick()
{
    handle([this] {
        // The header's frame pen, whichever element is chosen.
        chart::FramePen &pen = chart().header.frame;
        pen.color = Qt::black;
        pen.style = Qt::SolidLine;
        pen.width = 1;
        const Fields f = selected();
        f.framed = m_Cramka->isChecked();
        f.title.frame.visible = f.framed;
    });
}

void HeaderPage::alignmentClick(int alignment)
{
    static constexpr chart::Alignment chartAlignments[] = {chart::Alignment::taLeftJustify,
            chart::Alignment::taCenter, chart::Alignment::taRightJustify};
    handle([this, alignment] {
        const Fields f = selected();
        f.title.alignment = chartAlignments[alignment];
        f.alignment = alignment;
    });
}

void HeaderPage::BTloNaglowkiClick()
{
    handle([this] {
        const Fields f = selected();
        if (!chooseColorFor(f.color))
            return;
        f.title.color = f.color.toQColor();
        showBoxColor(f.color.toQColor());
    });
}

void HeaderPage::BCzcionkaNaglowkiClick()
{
    handle([this] {
        const Fields f = selected();
        const std::optional<FontChoice> font = chooseFontFor(f.font);
        if (!font)
            return;
        // The chart takes the font as chosen; only the record cuts its name.
        f.title.font = chart::TextFont{font->font, font->color};
        showElementText(f);
    });
}

void HeaderPage::RENaglowekKeyUp()
{
    handle([this] {
        const Fields f = selected();
        const QStringList lines = linesOf(m_RENaglowek->toPlainText());
        f.text.setText(recordTextOfLines(lines));
        f.title.lines = lines;
    });
}

bool HeaderPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_RENaglowek && event->type() == QEvent::KeyRelease)
        RENaglowekKeyUp();
    return AppearancePage::eventFilter(watched, event);
}

} // namespace zavevad
