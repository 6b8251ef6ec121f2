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
    Cpokazwartosci = makeCheckBox(this, "Cpokazwartosci", QStringLiteral("Pokaż wartości"), 10, 12);
    CprzezrWart = makeCheckBox(this, "CprzezrWart", QStringLiteral("Pokaż przeźroczyste"), 10, 36);
    BKolorWart = makeButton(
            this, "BKolorWart", QStringLiteral("Kolor tła wartości..."), QRect(10, 72, 160, 24));
    BCzcionkaMarks = makeButton(this, "BCzcionkaMarks", QStringLiteral("Czcionka wartości..."),
            QRect(10, 104, 160, 24));

    RRodzajWartosci = new RadioGroup(QStringLiteral(" Pokaż: "),
            {QStringLiteral("Nazwy"), QStringLiteral("Wartości"), QStringLiteral("Procenty"),
                    QStringLiteral("Nazwy i wartości"), QStringLiteral("Nazwy i procenty")},
            this);
    RRodzajWartosci->setObjectName(QStringLiteral("RRodzajWartosci"));
    RRodzajWartosci->setGeometry(184, 6, 168, 148);
    RRodzajWartosci->arrangeItems(12, 24, 24);

    connect(Cpokazwartosci, &QCheckBox::clicked, this, &ValuesPage::CpokazwartosciClick);
    connect(CprzezrWart, &QCheckBox::clicked, this, &ValuesPage::CprzezrWartClick);
    connect(BKolorWart, &QPushButton::clicked, this, &ValuesPage::BkolorWartClick);
    connect(RRodzajWartosci, &RadioGroup::itemClicked, this, &ValuesPage::RRodzajWartosciClick);
    connect(BCzcionkaMarks, &QPushButton::clicked, this, &ValuesPage::BczcionkaMarksClick);
}

void ValuesPage::FillValuesPage()
{
    const TChartAppearance &r = record();
    const QSignalBlocker b1(Cpokazwartosci), b2(CprzezrWart), b3(RRodzajWartosci);
    Cpokazwartosci->setChecked(r.MarksVisible);
    CprzezrWart->setChecked(r.MarksTransparent);
    RRodzajWartosci->setItemIndex(r.MarksStyle);
}

void ValuesPage::CpokazwartosciClick()
{
    handle([this] {
        record().MarksVisible = Cpokazwartosci->isChecked();
        if (chart::Series *series = context().currentSeries())
            series->marks.visible = record().MarksVisible;
    });
}

void ValuesPage::CprzezrWartClick()
{
    handle([this] {
        record().MarksTransparent = CprzezrWart->isChecked();
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
