#pragma once

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace zavevad {

/// A framed group of radio buttons of which at most one is selected,
/// addressed by item index as a whole.
class RadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    RadioGroup(const QString &title, const QStringList &items, QWidget *parent = nullptr);

    /// The selected item, -1 when none is.
    int itemIndex() const;
    /// Selects an item without emitting itemClicked. An index past the last
    /// item selects the last one; a negative index clears the selection.
    void setItemIndex(int index);

    int count() const { return static_cast<int>(m_buttons.size()); }
    QRadioButton *button(int index) const { return m_buttons.at(index); }

    /// Lays the items out in one column from `top`, `spacing` pixels apart.
    void arrangeItems(int left, int top, int spacing);

Q_SIGNALS:
    /// The user selected an item (also the one already selected).
    void itemClicked(int index);

private:
    void updateTabStop();

    QButtonGroup *m_group = nullptr;
    QList<QRadioButton *> m_buttons;
};

} // namespace zavevad
