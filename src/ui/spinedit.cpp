#include "ui/spinedit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <limits>

namespace zavevad {

namespace {

/// One arrow of the box; it never takes the focus, so typing goes on.
class SpinArrow : public QAbstractButton
{
public:
    SpinArrow(bool up, QWidget *parent) : QAbstractButton(parent), m_up(up)
    {
        setFocusPolicy(Qt::NoFocus);
        setAutoRepeat(true);
        setAutoRepeatDelay(400);
        setAutoRepeatInterval(80);
        setCursor(Qt::ArrowCursor);
    }

    void setColors(const QColor &field, const QColor &text)
    {
        m_field = field;
        m_text = text;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QColor field = m_field.isValid() ? m_field : palette().color(QPalette::Button);
        const QColor text = m_text.isValid() ? m_text : palette().color(QPalette::ButtonText);
        painter.fillRect(rect(), isDown() ? field.darker(120) : field);
        painter.setPen(field.darker(140));
        painter.drawLine(0, 0, 0, height() - 1);
        if (!m_up)
            painter.drawLine(0, 0, width() - 1, 0);

        painter.setRenderHint(QPainter::Antialiasing);
        const QPointF centre = QRectF(rect()).center();
        const qreal half = qMin(width(), height()) * 0.28;
        const qreal sign = m_up ? -1.0 : 1.0;
        QPainterPath triangle;
        triangle.moveTo(centre.x() - half, centre.y() - sign * half * 0.5);
        triangle.lineTo(centre.x() + half, centre.y() - sign * half * 0.5);
        triangle.lineTo(centre.x(), centre.y() + sign * half * 0.6);
        triangle.closeSubpath();
        painter.fillPath(triangle, isEnabled() ? text : field.darker(130));
    }

private:
    bool m_up;
    QColor m_field;
    QColor m_text;
};

constexpr int ArrowWidth = 15;

} // namespace

SpinEdit::SpinEdit(QWidget *parent) : QWidget(parent), m_edit(new QLineEdit(this))
{
    m_edit->setFrame(false);
    m_edit->installEventFilter(this);
    auto *up = new SpinArrow(true, this);
    auto *down = new SpinArrow(false, this);
    m_up = up;
    m_down = down;
    up->setAccessibleName(QStringLiteral("Więcej"));
    down->setAccessibleName(QStringLiteral("Mniej"));
    setFocusProxy(m_edit);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_StyledBackground);
    setColors(palette().color(QPalette::Base), palette().color(QPalette::Text));

    connect(m_edit, &QLineEdit::textChanged, this, &SpinEdit::changed);
    connect(up, &QAbstractButton::clicked, this, [this] { stepBy(1); });
    connect(down, &QAbstractButton::clicked, this, [this] { stepBy(-1); });
}

void SpinEdit::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = qMax(minimum, maximum);
}

void SpinEdit::setSingleStep(int step)
{
    m_step = step;
}

QString SpinEdit::text() const
{
    return m_edit->text();
}

void SpinEdit::setText(const QString &text)
{
    m_edit->setText(text);
}

std::optional<int> SpinEdit::value() const
{
    return parseDecimalInt(m_edit->text());
}

void SpinEdit::setValue(int value)
{
    setText(QString::number(bounded(value)));
}

int SpinEdit::bounded(int value) const
{
    if (m_minimum == m_maximum)
        return value;
    return qBound(m_minimum, value, m_maximum);
}

void SpinEdit::stepBy(int steps)
{
    constexpr long long lowest = std::numeric_limits<int>::min();
    constexpr long long highest = std::numeric_limits<int>::max();
    const long long moved = static_cast<long long>(value().value_or(m_minimum))
            + static_cast<long long>(steps) * m_step;
    setValue(static_cast<int>(qBound(lowest, moved, highest)));
}

void SpinEdit::setColors(const QColor &field, const QColor &text)
{
    setStyleSheet(QStringLiteral("zavevad--SpinEdit { background-color: %1; border: 1px solid %2; }"
                                 "QLineEdit { background-color: %1; color: %3; border: none; }"
                                 "QLineEdit:disabled { color: %4; }")
                          .arg(field.name(), field.darker(150).name(), text.name(),
                                  field.darker(125).name()));
    static_cast<SpinArrow *>(m_up)->setColors(field, text);
    static_cast<SpinArrow *>(m_down)->setColors(field, text);
}

bool SpinEdit::acceptsTyped(const QString &text) const
{
    const QString separator = QLocale().decimalPoint();
    for (const QChar c : text) {
        // Control characters (backspace, clipboard shortcuts) act as usual,
        // except Enter, which has no meaning in a number.
        if (c.unicode() < 32 && c != u'\r')
            continue;
        if (c.isDigit() && c.unicode() < 128)
            continue;
        if (c == u'+' || c == u'-' || separator.contains(c))
            continue;
        return false;
    }
    return true;
}

void SpinEdit::boundOnLeave()
{
    // A text that is no number stays as typed; only a number is brought in range.
    const std::optional<int> current = value();
    if (current && bounded(*current) != *current)
        setValue(*current);
}

bool SpinEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_edit)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            stepBy(key->key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
        if (key->key() == Qt::Key_Delete || key->text().isEmpty())
            break;
        if (!acceptsTyped(key->text())) {
            QApplication::beep();
            return true;
        }
        break;
    }
    case QEvent::FocusOut: {
        // Leaving for another window (a message box) or a popup is no leaving the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            boundOnLeave();
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void SpinEdit::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int inner = height() - 2;
    const int upHeight = inner / 2;
    m_edit->setGeometry(2, 1, width() - ArrowWidth - 3, inner);
    m_up->setGeometry(width() - ArrowWidth - 1, 1, ArrowWidth, upHeight);
    m_down->setGeometry(width() - ArrowWidth - 1, 1 + upHeight, ArrowWidth, inner - upHeight);
}

QSize SpinEdit::sizeHint() const
{
    const QSize edit = m_edit->sizeHint();
    return {fontMetrics().horizontalAdvance(QStringLiteral("0000")) + ArrowWidth + 12,
            edit.height() + 2};
}

QSize SpinEdit::minimumSizeHint() const
{
    return {ArrowWidth + 20, m_edit->minimumSizeHint().height() + 2};
}

} // namespace zavevad
