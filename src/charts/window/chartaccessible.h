#pragma once

#include <QList>
#include <QString>

class QAccessibleInterface;
class QObject;

namespace zavevad::chart {

struct Chart;

/// What a chart says to a listener: its header as name, a sentence of what it
/// shows, and its points as rows of (label, value).
struct ChartSpeech
{
    QString name;
    QString description;
    QString labelColumn;
    QString valueColumn;
    QList<QStringList> rows;
};

/// The speech of `chart` as drawn now (the numeric plot while it is active,
/// else the active series), numbers in the user's locale.
ChartSpeech chartSpeech(const Chart &chart);

/// The accessibility factory of the chart widget: a chart named and described
/// by its speech, offering its rows as an accessible table.
QAccessibleInterface *chartAccessibleFactory(const QString &className, QObject *object);

} // namespace zavevad::chart
