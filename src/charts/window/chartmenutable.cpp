#include "charts/window/chartmenutable.h"

#include <array>

namespace zavevad {

namespace {

using W = TFWykres;
constexpr auto kFile = TFWykres::ChartMenu::File;
constexpr auto kEdit = TFWykres::ChartMenu::Edit;

// clang-format off
const std::array kEntries = {
    ChartMenuEntry{kFile, "LZapiszFormat", "Zapisz jako wzór...",
        [](W &w) { w.SaveFormatTemplate(); }, {}},
    ChartMenuEntry{kFile, "LWczytajFormat", "Wczytaj wzór formatu...",
        [](W &w) { w.LoadFormatTemplate(); }, Qt::CTRL | Qt::Key_O},
    ChartMenuEntry{kFile, "LZapiszObraz", "Zapisz obraz ...",
        [](W &w) { w.saveChartPicture(); }, Qt::CTRL | Qt::Key_S},
    ChartMenuEntry{kFile, "LDrukujWykres", "Drukuj wykres ...",
        [](W &w) { w.printChart(); }, Qt::CTRL | Qt::Key_P},
    ChartMenuEntry{kFile, "LZamknijWykres", "Zamknij",
        [](W &w) { w.hide(); }, Qt::CTRL | Qt::Key_W, false},

    ChartMenuEntry{kEdit, "LZapiszFormat", "Kopiuj jako BMP",
        [](W &w) { w.copyChartAsBitmap(); }, Qt::CTRL | Qt::Key_C},
    ChartMenuEntry{kEdit, "LWczytajFormat", "Kopiuj jako WMF",
        [](W &w) { w.copyChartAsMetafile(); }, Qt::CTRL | Qt::SHIFT | Qt::Key_C},
};
// clang-format on

} // namespace

std::span<const ChartMenuEntry> chartMenuEntries()
{
    return kEntries;
}

const ChartMenuEntry *chartMenuEntry(TFWykres::ChartMenu menu, const QString &label)
{
    for (const ChartMenuEntry &entry : kEntries) {
        if (entry.menu == menu && label == QLatin1StringView(entry.label))
            return &entry;
    }
    return nullptr;
}

QList<const ChartMenuEntry *> chartMenuRows(TFWykres::ChartMenu menu)
{
    QList<const ChartMenuEntry *> rows;
    for (const ChartMenuEntry &entry : kEntries) {
        if (entry.menu == menu)
            rows.append(&entry);
    }
    return rows;
}

} // namespace zavevad
