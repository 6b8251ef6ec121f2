#pragma once

#include "platform/decimalint.h"

#include <QColor>
#include <QString>
#include <QStringView>
#include <QWidget>

#include <optional>

class QLineEdit;

namespace zavevad {

/// A number box with up and down arrows. Its text is what the user typed,
/// even when that is no number or lies outside the range: handlers read the
/// text themselves on every change. Only the arrows, the Up and Down keys and
/// leaving the box keep the value within the range.
class SpinEdit : public QWidget
{
    Q_OBJECT

public:
    explicit SpinEdit(QWidget *parent = nullptr);

    /// The limits; equal limits mean no limits at all.
    void setRange(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    void setSingleStep(int step);

    QString text() const;
    /// Replaces the text as it stands; emits changed() when it differs.
    void setText(const QString &text);
    /// The text read as a decimal integer, nothing when it is not one.
    std::optional<int> value() const;
    /// Shows the value brought within the range.
    void setValue(int value);

    /// The current value (the minimum when the text is no number) moved by
    /// `steps` steps and brought within the range.
    void stepBy(int steps);

    /// Colours of the box and of its text and arrows.
    void setColors(const QColor &field, const QColor &text);

    QLineEdit *lineEdit() const { return m_edit; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    /// Every change of the text, typed or set.
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int bounded(int value) const;
    bool acceptsTyped(const QString &text) const;
    void boundOnLeave();

    QLineEdit *m_edit = nullptr;
    QWidget *m_up = nullptr;
    QWidget *m_down = nullptr;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_step = 1;
};

} // namespace zavevad
