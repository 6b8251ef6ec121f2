#include "appearance/dialog/dialogtheme.h"

#include "ui/gradienttabbar.h"
#include "ui/gradienttabwidget.h"
#include "ui/spinedit.h"

#include <QPalette>
#include <QWidget>

#include <initializer_list>

namespace zavevad {

namespace {

using Names = std::initializer_list<const char *>;

// Controls with the window colour behind them and text in the text colour.
constexpr Names WindowAndText = {"CWidoczny", "CTloDoTekstu", "CPrzezroczyste", "Cramka",
        "CwidocznaSiatka", "Cprzezr", "CwidocznaLegenda", "WstawObrazek", "Cgradient", "CWykres3d",
        "C3dosie", "Cortogonalnie", "CKreska", "Cpokazwartosci", "CprzezrWart", "RDowewn",
        "Rzewnontrz", "wyrownanie", "RodzajLini", "RDopasuj", "RRodzajWartosci", "Label3", "Label4",
        "Label5", "Label14", "BCzcionkaNaglowki", "BTloNaglowki", "BFontOsie", "BKolorWartosci",
        "BKolorOsie", "BKolorScianki", "BKolorSiatki", "BKolorTlaLegendy", "BKolorCienia",
        "BCzcionkaLegendy", "BKolorZewn", "BKolorPocz", "BKolorKonc", "BKolorObramowania",
        "BKolorTla", "BKolorPodKreski", "BKolorWierzch", "BKolorLini", "BCzcionkaMarks",
        "BKolorWart"};

// Surfaces in the window colour.
constexpr Names WindowOnly = {"TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4", "TabSheet5",
        "TabSheet6", "TabSheet7", "PSlupek", "PLinia", "PKola"};

// Boxes the user types or chooses in.
constexpr Names FieldAndText = {"CNaglowek", "RENaglowek", "Cosie", "EopisOsi", "SKont",
        "CPokazLegende", "SDlugCienia", "Spolozenie", "Sdlug", "SSzer", "Seksplozja", "SObrot",
        "SSzerokoscSlupka", "EWartpoczontkowa", "Cksztalt", "Cksztaltwierzcholka"};

// Texts straight on their page.
constexpr Names TextOnly = {"RCiongla", "Rprzerywana", "Label1", "Label2", "Label6", "Label7",
        "Label8", "Label12", "Label13", "Label15", "Label16", "Label17", "Label18", "Label19",
        "LKsztaltwykresu", "LWartoscPoczontkowa", "lszerokoscSlupka"};

QString rgb(const QColor &color)
{
    return color.name(QColor::HexRgb);
}

/// A text colour for disabled controls that still reads on the window colour.
QColor disabledText(const DialogTheme &theme)
{
    return QColor((theme.text.red() + theme.window.red()) / 2,
            (theme.text.green() + theme.window.green()) / 2,
            (theme.text.blue() + theme.window.blue()) / 2);
}

/// Text in the text colour, dimmed when disabled; indicators of check boxes
/// and radio buttons keep their own white box and dark mark.
void setTextColour(QPalette &palette, const DialogTheme &theme)
{
    palette.setColor(QPalette::WindowText, theme.text);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, disabledText(theme));
}

void setWindowColour(QPalette &palette, const DialogTheme &theme)
{
    palette.setColor(QPalette::Window, theme.window);
}

QString buttonSheet(const QWidget *w, const DialogTheme &theme)
{
    return QStringLiteral(
            "QPushButton#%1 { background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
            " stop:0 %2, stop:1 %3); color: %4; border: 1px solid %5; border-radius: 3px;"
            " padding: 2px 6px; }"
            "QPushButton#%1:hover { background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
            " stop:0 %6, stop:1 %2); }"
            "QPushButton#%1:pressed { background-color: qlineargradient(x1:0, y1:0, x2:0,"
            " y2:1, stop:0 %3, stop:1 %2); }"
            "QPushButton#%1:disabled { color: %7; }")
            .arg(w->objectName(), rgb(theme.window.lighter(128)), rgb(theme.window.darker(112)),
                    rgb(theme.text), rgb(theme.window.darker(165)), rgb(theme.window.lighter(140)),
                    rgb(disabledText(theme)));
}

void paintWindowAndText(QWidget *w, const DialogTheme &theme)
{
    if (w->inherits("QPushButton")) {
        w->setStyleSheet(buttonSheet(w, theme));
        return;
    }
    QPalette palette = w->palette();
    setWindowColour(palette, theme);
    setTextColour(palette, theme);
    w->setPalette(palette);
    // A frame's caption covers the frame line it sits on.
    if (w->inherits("QLabel"))
        w->setAutoFillBackground(true);
}

void paintWindowOnly(QWidget *w, const DialogTheme &theme)
{
    QPalette palette = w->palette();
    setWindowColour(palette, theme);
    w->setPalette(palette);
    w->setAutoFillBackground(true);
}

void paintField(QWidget *w, const DialogTheme &theme)
{
    if (auto *spin = qobject_cast<SpinEdit *>(w)) {
        spin->setColors(theme.field, theme.text);
        return;
    }
    QPalette palette = w->palette();
    const QColor disabled = theme.field.darker(118);
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Window})
        palette.setColor(role, theme.field);
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText}) {
        palette.setColor(role, theme.text);
        palette.setColor(QPalette::Disabled, role, disabled);
    }
    // The focus frame and the selection are drawn in the highlight: dark
    // enough to stand at least 3:1 against the field.
    palette.setColor(QPalette::Highlight, theme.window.darker(250));
    palette.setColor(QPalette::HighlightedText, theme.text);
    w->setPalette(palette);
}

void paintTextOnly(QWidget *w, const DialogTheme &theme)
{
    QPalette palette = w->palette();
    setTextColour(palette, theme);
    w->setPalette(palette);
}

template<typename Apply>
void forEachNamed(QWidget *root, Names names, Apply apply)
{
    for (const char *name : names) {
        if (auto *w = root->findChild<QWidget *>(QLatin1String(name)))
            apply(w);
    }
}

} // namespace

void applyDialogTheme(QWidget *dialog, const DialogTheme &theme)
{
    QPalette palette = dialog->palette();
    setWindowColour(palette, theme);
    dialog->setPalette(palette);
    for (auto *tabs : dialog->findChildren<GradientTabWidget *>())
        tabs->gradientTabBar()->setColors(theme.window, theme.text);

    forEachNamed(dialog, WindowAndText, [&](QWidget *w) { paintWindowAndText(w, theme); });
    forEachNamed(dialog, WindowOnly, [&](QWidget *w) { paintWindowOnly(w, theme); });
    forEachNamed(dialog, FieldAndText, [&](QWidget *w) { paintField(w, theme); });
    forEachNamed(dialog, TextOnly, [&](QWidget *w) { paintTextOnly(w, theme); });
}

QStringList themedControlNames()
{
    QStringList names;
    for (Names list : {WindowAndText, WindowOnly, FieldAndText, TextOnly}) {
        for (const char *name : list)
            names.append(QLatin1String(name));
    }
    return names;
}

} // namespace zavevad
