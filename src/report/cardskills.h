#pragma once

#include "report/studentcards.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

namespace zavevad {

/// The width of a text at a size in points, bold or not, in layout units.
using TextWidth = std::function<double(const QString &text, double points, bool bold)>;

/// `text` in lines no wider than `room` at `points`, broken between words; a
/// word wider than a line is broken between letters. Nothing is left out.
QStringList wrappedLines(const QString &text, double points, double room, const TextWidth &width);

/// How a card's skills table lies on its pages: a value that painting reads.
/// Every card of a document gets the same layout (the figures' columns are as
/// wide as their widest possible value), so every card takes as many pages.
struct CardSkillsLayout
{
    /// The column headers: the skill, then the three figures.
    static const std::array<QString, 4> &headers();

    double points = 0; ///< the type size of the whole table
    std::array<double, 4> widths{}; ///< the name's column, then the figures'
    std::vector<QStringList> names; ///< per skill, its name (and requirement) in lines
    double lineHeight = 0;
    double headerHeight = 0; ///< also the least height of a row
    double padding = 0; ///< inside a cell

    double width() const { return widths[0] + widths[1] + widths[2] + widths[3]; }
    double rowHeight(qsizetype lines) const;

    /// How many of the `rest` lines of a row (its first part when `from` is
    /// 0) go on the page whose table starts at `top`, from `y` down to
    /// `limit`; 0: turn the page first. A row that fits a fresh page whole is
    /// not split; one taller than a page goes on over the next.
    qsizetype linesHere(qsizetype rest, qsizetype from, double top, double y, double limit) const;

    /// The pages the table takes from `top` on the first page, from `nextTop`
    /// on the next ones, always above `limit`.
    int pagesFor(double top, double nextTop, double limit) const;
};

/// The layout of `skills` in `width` at `points`; `lineHeight` is the height
/// of a line of text at that size.
CardSkillsLayout cardSkillsLayout(const std::vector<CardSkill> &skills, double width, double points,
        double lineHeight, double padding, const TextWidth &textWidth);

} // namespace zavevad
