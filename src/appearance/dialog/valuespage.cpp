#include "appearance/dialog/valuespage.h"

#include "appearance/dialog/dialogcontrols.h"
#include "ui/radiogroup.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSignalBlocker>

namespace zavevad {

ValuesPage::ValuesPage(AppearanceDialogContext &context, QWidget *parent)
    : AppearancePage(context, "TabSheet7", parent)
{
    m_Cpokazwartosci =
            makeCheckBox(this, "Cpokazwartosci", QStringLiteral("Pokaż wartości"), 10, 12);
    m_CprzezrWart =
            makeCheckBox(this, "CprzezrWart", QStringLiteral("Pokaż przeźroczyste"), 10, 36);
    m_BKolorWart = makeButton(
            this, "BKolorWart", QStringLiteral("Kolor tła wartości..."), QRect(10, 72, 160, 24));
    m_BCzcionkaMarks = makeButton(this, "BCzcionkaMarks", QStringLiteral("Czcionka wartości..."),
            QRect(10, 104, 160, 24));

    m_RRodzajWartosci = new RadioGroup(QStringLiteral(" Pokaż: "),
            {QStringLiteral("Nazwy"), QStringLiteral("Wartości"), QStringLiteral("Procenty"),
                    QStringLiteral("Nazwy i wartości"), QStringLiteral("Nazwy i procenty")},
            this);
    m_RRodzajWartosci->setObjectName(QStringLiteral("RRodzajWartosci"));
    m_RRodzajWartosci->setGeometry(184, 6, 168, 148);
    m_RRodzajWartosci->arrangeItems(12, 24, 24);

    connect(m_Cpokazwartosci, &QCheckBox::clicked, this, &ValuesPage::CpokazwartosciClick);
    connect(m_CprzezrWart, &QCheckBox::clicked, this, &ValuesPage::CprzezrWartClick);
    connect(m_BKolorWart, &QPushButton::clicked, this, &ValuesPage::BkolorWartClick);
    connect(m_RRodzajWartosci, &RadioGroup::itemClicked, this, &ValuesPage::RRodzajWartosciClick);
    connect(m_BCzcionkaMarks, &QPushButton::clicked, this, &ValuesPage::BczcionkaMarksClick);
}

void ValuesPage::FillValuesPage()
{
    const TChartAppearance &r = record();
    const QSignalBlocker b1(m_Cpokazwartosci), b2(m_CprzezrWart), b3(m_RRodzajWartosci);
    m_Cpokazwartosci->setChecked(r.MarksVisible);
    m_CprzezrWart->setChecked(r.MarksTransparent);
    m_RRodzajWartosci->setItemIndex(r.MarksStyle);
}

void ValuesPage::CpokazwartosciClick()
{
    handle([this] {
        record().MarksVisible = m_Cpokazwartosci->isChecked();
        if (chart::Series *series = context().currentSeries())
            series->marks.visible = record().MarksVisible;
    });
}

void ValuesPage::CprzezrWartClick()
{
    handle([this] {
        record().MarksTransparent = m_CprzezrWart->isChecked();
        if (chart::Series *series = context().currentSeries())
            series->marks.transparent = record().MarksTransparent;
    });
}

void ValuesPage::BkolorWartClick()
{
    handle([this] {
        if (!chooseColorFor(record().MarksBackColor))
            return;
        if (chart::Series *series = context().currentSeries())
            series->marks.backColor = record().MarksBackColor.toQColor();
    });
}

void ValuesPage::RRodzajWartosciClick(int index)
{
    handle([this, index] {
        if (chart::Series *series = context().currentSeries()) {
            if (const std::optional<chart::MarksStyle> style = marksStyleFromCode(index))
                series->marks.style = *style;
        }
        record().MarksStyle = index;
    });
}

void ValuesPage::BczcionkaMarksClick()
{
    handle([this] {
        if (!chooseFontFor(record().MarksFont))
            return;
        if (chart::Series *series = context().currentSeries())
            series->marks.font = textFontOf(record().MarksFont);
    });
}

} // namespace zavevad
