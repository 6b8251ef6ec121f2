#include "ui/radiogroup.h"

#include <QButtonGroup>
#include <QRadioButton>

namespace zavevad {

RadioGroup::RadioGroup(const QString &title, const QStringList &items, QWidget *parent)
    : QGroupBox(title, parent), m_group(new QButtonGroup(this))
{
    for (const QString &item : items) {
        auto *button = new QRadioButton(item, this);
        m_group->addButton(button, static_cast<int>(m_buttons.size()));
        m_buttons.append(button);
    }
    connect(m_group, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
    connect(m_group, &QButtonGroup::idToggled, this, [this] { updateTabStop(); });
    arrangeItems(10, 20, 20);
    updateTabStop();
}

void RadioGroup::updateTabStop()
{
    // Tab enters the group on its checked button (the first when none is),
    // as on any desktop; the arrows move between the buttons.
    const int stop = qMax(m_group->checkedId(), 0);
    for (int i = 0; i < count(); ++i)
        m_buttons.at(i)->setFocusPolicy(i == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

int RadioGroup::itemIndex() const
{
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (m_buttons.isEmpty())
        return;
    if (index < 0) {
        // An exclusive group never lets its checked button go.
        m_group->setExclusive(false);
        for (QRadioButton *button : std::as_const(m_buttons))
            button->setChecked(false);
        m_group->setExclusive(true);
        updateTabStop();
        return;
    }
    m_buttons.at(qMin(index, count() - 1))->setChecked(true);
}

void RadioGroup::arrangeItems(int left, int top, int spacing)
{
    int y = top;
    for (QRadioButton *button : std::as_const(m_buttons)) {
        button->adjustSize();
        button->move(left, y);
        y += spacing;
    }
}

} // namespace zavevad
