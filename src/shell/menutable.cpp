#include "shell/menutable.h"

#include "appearance/applyappearance.h"
#include "charts/scorecharts.h"
#include "results/analysisstate.h"
#include "shell/commandhooks.h"
#include "tables/tablekinds.h"

#include <QByteArrayAlgorithms>

#include <array>
#include <vector>

namespace zavevad {

namespace {

/// Runs `hook` unless it is empty.
template<typename... Params, typename... Args>
void call(const std::function<void(Params...)> &hook, Args... args)
{
    if (hook)
        hook(args...);
}

constexpr auto kData = MenuCheck::DataLoaded;
constexpr auto kLoaded = MenuHover::WhileLoaded;
constexpr auto kAlways = MenuHover::Always;
constexpr auto kClosing = MenuRun::AfterMenuCloses;
constexpr auto kAtOnce = MenuRun::AtOnce;
constexpr QKeyCombination kNoKey = {};

using H = CommandHooks;

// clang-format off
const std::array kFixedEntries = {
    MenuEntry{TFMenu::MenuTop, "LM1minimize", "Minimalizuj", "Zminimalizuj okno", 7,
        MenuCheck::None, kAlways, kAtOnce, [](const H &h) { call(h.minimize); }, kNoKey},
    MenuEntry{TFMenu::MenuTop, "LM1Close", "Zamknij", "Zamknij program", 25,
        MenuCheck::None, kAlways, kAtOnce, [](const H &h) { call(h.quit); }, kNoKey},

    MenuEntry{TFMenu::MenuPlik, "LPlikOpen", "Wczytaj wyniki testu ...",
        "Wczytuje wyniki testu do analizy", 8,
        MenuCheck::None, kAlways, kClosing, [](const H &h) { call(h.Wczytaj); },
        Qt::CTRL | Qt::Key_O},
    // Every item below moves down by the row of the load of classes.
    MenuEntry{TFMenu::MenuPlik, "LPlikOpenKlasy", "Wczytaj klasy z folderu ...",
        "Wczytuje wyniki kilku klas: każdy podfolder to jedna klasa", 26,
        MenuCheck::None, kAlways, kClosing, [](const H &h) { call(h.WczytajKlasy); }, kNoKey},
    MenuEntry{TFMenu::MenuPlik, nullptr, nullptr, nullptr, 42},
    MenuEntry{TFMenu::MenuPlik, "LPlikSaveTxt", "Zapisz tabelę jako txt",
        "Zapisuje tabelę jako plik txt", 58,
        kData, kLoaded, kClosing, [](const H &h) { call(h.ZapiszTxt); }, Qt::CTRL | Qt::Key_S},
    MenuEntry{TFMenu::MenuPlik, "LPlikSaveHtml", "Zapisz tabelę jako html",
        "Zapisuje tabelę jako plik html", 76,
        kData, kLoaded, kClosing, [](const H &h) { call(h.ZapiszHtml); },
        Qt::CTRL | Qt::SHIFT | Qt::Key_S},
    // The whole analysis at once; the drop-down grows by their rows.
    MenuEntry{TFMenu::MenuPlik, "LPlikSavePdf", "Zapisz raport PDF ...",
        "Zapisuje pełny raport z analizy testu jako PDF", 94,
        kData, kLoaded, kClosing, [](const H &h) { call(h.ZapiszRaportPdf); }, kNoKey},
    MenuEntry{TFMenu::MenuPlik, "LPlikSaveXlsx", "Zapisz jako arkusz xlsx ...",
        "Zapisuje wszystkie tabele do skoroszytu", 112,
        kData, kLoaded, kClosing, [](const H &h) { call(h.ZapiszArkusz); }, kNoKey},
    MenuEntry{TFMenu::MenuPlik, "LPlikPrint", "Drukuj raport ...",
        "Drukuje pełny raport z analizy testu", 130,
        kData, kLoaded, kClosing, [](const H &h) { call(h.DrukujRaport); }, kNoKey},
    MenuEntry{TFMenu::MenuPlik, "LPlikSaveCards", "Zapisz karty uczniów PDF ...",
        "Zapisuje kartę wyników każdego ucznia jako PDF", 148,
        kData, kLoaded, kClosing, [](const H &h) { call(h.ZapiszKartyPdf); }, kNoKey},
    MenuEntry{TFMenu::MenuPlik, "LPlikPrintCards", "Drukuj karty uczniów ...",
        "Drukuje kartę wyników każdego ucznia", 166,
        kData, kLoaded, kClosing, [](const H &h) { call(h.DrukujKarty); }, kNoKey},
    MenuEntry{TFMenu::MenuPlik, nullptr, nullptr, nullptr, 182},
    // Quitting needs no redrawn screen: it runs at once, the menu open or not.
    MenuEntry{TFMenu::MenuPlik, "LZamknij", "Zamknij", "Kończy pracę z programem", 200,
        MenuCheck::None, kAlways, kAtOnce, [](const H &h) { call(h.quit); },
        Qt::CTRL | Qt::Key_Q},
    MenuEntry{TFMenu::MenuPlik, "LPlikSaveAnonymous", "Raport bez nazwisk ...",
        "Zapisuje raport PDF i skoroszyt z uczniami oznaczonymi numerami zamiast nazwisk", 218,
        kData, kLoaded, kClosing, [](const H &h) { call(h.ZapiszRaportBezNazwisk); }, kNoKey},
    MenuEntry{TFMenu::MenuPlik, "LPlikOpenTesty", "Wczytaj testy z folderu ...",
        "Wczytuje wszystkie testy z folderu, by pokazać postępy uczniów", 239,
        MenuCheck::None, kAlways, kClosing, [](const H &h) { call(h.WczytajTesty); }, kNoKey},

    // Ctrl+C copies the text, which every program pastes; Ctrl+Shift+C the
    // formatted table, as Ctrl+Shift+S saves the page beside Ctrl+S's text.
    MenuEntry{TFMenu::MenuEdycja, "LEdycjaCopyHTML", "Kopiuj tabelę jako html",
        "Kopiuje tabelę w formacie html", 10,
        kData, kLoaded, kClosing, [](const H &h) { call(h.KopiujHtml); },
        Qt::CTRL | Qt::SHIFT | Qt::Key_C},
    MenuEntry{TFMenu::MenuEdycja, "LEdycjaCopyCSV", "Kopiuj tabelę jako csv",
        "Kopiuje tabelę jako tekst", 32,
        kData, kLoaded, kClosing, [](const H &h) { call(h.KopiujCsv); }, Qt::CTRL | Qt::Key_C},
    MenuEntry{TFMenu::MenuEdycja, "LEdycjaProgi", "Progi ocen ...",
        "Pozwala zmienić progi ocen i od razu zobaczyć skutek", 54,
        kData, kLoaded, kClosing, [](const H &h) { call(h.editThresholds); }, kNoKey},
    MenuEntry{TFMenu::MenuEdycja, "LEdycjaKartoteka", "Kartoteka testu ...",
        "Pozwala przypisać pytania do umiejętności", 76,
        kData, kLoaded, kClosing, [](const H &h) { call(h.editBlueprint); }, kNoKey},
    MenuEntry{TFMenu::MenuEdycja, "LEdycjaRaport", "Wnioski i dane raportu ...",
        "Pozwala wpisać szkołę, nauczyciela oraz wnioski i rekomendacje do raportu", 98,
        kData, kLoaded, kClosing, [](const H &h) { call(h.editReportNotes); }, kNoKey},

    MenuEntry{TFMenu::MenuWykresy, "LWykresSlupkowy", "Wykres słupkowy",
        "Prezentuje dane z tabeli w postaci wykresu słupkowego", 9,
        kData, kLoaded, kClosing, [](const H &h) { call(h.Wykres, ChartKindBar); }, kNoKey},
    MenuEntry{TFMenu::MenuWykresy, "LWykresKolowy", "Wykres kołowy",
        "Prezentuje dane z tabeli w postaci wykresu kołowego", 30,
        kData, kLoaded, kClosing, [](const H &h) { call(h.Wykres, ChartKindPie); }, kNoKey},
    MenuEntry{TFMenu::MenuWykresy, "LWykresLiniowy", "Wykres liniowy",
        "Prezentuje dane z tabeli w postaci wykresu liniowego", 51,
        kData, kLoaded, kClosing, [](const H &h) { call(h.Wykres, ChartKindLine); }, kNoKey},
    MenuEntry{TFMenu::MenuWykresy, "LWykresRozklad", "Rozkład punktów",
        "Pokazuje, ilu uczniów zdobyło każdą liczbę punktów", 72,
        kData, kLoaded, kClosing, [](const H &h) { call(h.scoreChart, ScoreChart::Distribution); },
        kNoKey},
    MenuEntry{TFMenu::MenuWykresy, "LWykresCzasWynik", "Czas a wynik",
        "Pokazuje, czy szybkie oddanie testu szło w parze z wynikiem", 93,
        kData, kLoaded, kClosing, [](const H &h) { call(h.scoreChart, ScoreChart::TimeScore); },
        kNoKey},
    MenuEntry{TFMenu::MenuWykresy, "LWykresPostepy", "Postępy klasy",
        "Pokazuje średnią i medianę klasy w kolejnych testach", 114,
        kData, kLoaded, kClosing, [](const H &h) { call(h.scoreChart, ScoreChart::Progress); },
        kNoKey},
    MenuEntry{TFMenu::MenuWykresy, "LWykresMapaPytan", "Mapa pytań",
        "Pokazuje łatwość i moc różnicującą każdego pytania", 135,
        kData, kLoaded, kClosing, [](const H &h) { call(h.scoreChart, ScoreChart::QuestionMap); },
        kNoKey},

    MenuEntry{TFMenu::MenuAbout, "LAboutWinietka", "O programie", "O programie", 9,
        MenuCheck::None, kAlways, kClosing, [](const H &h) { call(h.showAbout); }, kNoKey},
    MenuEntry{TFMenu::MenuAbout, "LAboutPomoc", "Pomoc", "Pomoc", 30,
        MenuCheck::None, kAlways, kClosing, [](const H &h) { call(h.showHelp); }, kNoKey},
};

const std::array kPanels = {
    MenuPanel{TFMenu::MenuTop, "PMenuTop", "ImmenuTop", "menu-top", true},
    MenuPanel{TFMenu::MenuPlik, "PPlik", "ImPlik", "menu-plik"},
    MenuPanel{TFMenu::MenuEdycja, "Pedycja", "Imedycja", "menu-edycja"},
    MenuPanel{TFMenu::MenuTabele, "PTabele", "ImTabele", "menu-tabele"},
    MenuPanel{TFMenu::MenuWykresy, "PWykresy", "ImWykresy", "menu-wykresy"},
    MenuPanel{TFMenu::MenuAbout, "PAbout", "Image1", "menu-about"},
};
// clang-format on

// The table drop-down's rows, 21 pixels apart, one per kind of the registry.
constexpr int kFirstTableTop = 9;
constexpr int kTablePitch = 21;

std::vector<MenuEntry> allEntries()
{
    std::vector<MenuEntry> entries;
    for (const MenuEntry &entry : kFixedEntries) {
        // "Tabele" comes between "Edycja" and "Wykresy", as the panels are built.
        if (entry.dropDown == TFMenu::MenuWykresy && entries.back().dropDown != entry.dropDown) {
            int top = kFirstTableTop;
            for (const TableKindInfo &table : tableKinds()) {
                MenuEntry row{TFMenu::MenuTabele, table.menuItem, table.caption, table.hint, top,
                        kData, kLoaded, kClosing, nullptr, kNoKey};
                row.table = table.kind;
                entries.push_back(row);
                top += kTablePitch;
            }
        }
        entries.push_back(entry);
    }
    return entries;
}

} // namespace

void MenuEntry::execute(const CommandHooks &hooks) const
{
    if (table != TableNone)
        call(hooks.PokazTabele, table);
    else if (command)
        command(hooks);
}

std::span<const MenuEntry> menuEntries()
{
    static const std::vector<MenuEntry> entries = allEntries();
    return entries;
}

std::span<const MenuPanel> menuPanels()
{
    return kPanels;
}

const MenuEntry *menuEntry(const char *name)
{
    for (const MenuEntry &entry : menuEntries()) {
        if (!entry.isSeparator() && qstrcmp(entry.name, name) == 0)
            return &entry;
    }
    return nullptr;
}

} // namespace zavevad
