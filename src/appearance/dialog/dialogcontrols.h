#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QWidget;

namespace zavevad {

class SpinEdit;

// Builders of the dialog's controls: each gets its control name as object
// name and a fixed place on its page, as the pages never change size.

/// Height of one row of controls.
inline constexpr int RowHeight = 21;

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, int x, int y);
QCheckBox *makeCheckBox(QWidget *parent, const char *name, const QString &text, int x, int y);
QRadioButton *makeRadioButton(QWidget *parent, const char *name, const QString &text, int x, int y);
QPushButton *makeButton(QWidget *parent, const char *name, const QString &text, const QRect &place);
QComboBox *makeDropDown(
        QWidget *parent, const char *name, const QStringList &items, const QRect &place);
SpinEdit *makeSpinEdit(
        QWidget *parent, const char *name, const QRect &place, int minimum, int maximum, int step);
QScrollBar *makeScrollBar(QWidget *parent, const char *name, const QRect &place, int minimum,
        int maximum, int position);

/// A frame with its caption on a label that sits on the frame's top edge.
QFrame *makeFrame(QWidget *parent, const char *frameName, const char *labelName,
        const QString &caption, const QRect &place);

/// The text as a decimal integer; otherwise the handler stops with the
/// run-time conversion error "'<text>' is not a valid integer value".
int integerOf(const QString &text);

} // namespace zavevad
