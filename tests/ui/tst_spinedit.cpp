#include "ui/spinedit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>

using namespace zavevad;
using namespace Qt::StringLiterals;

namespace {

void leave(SpinEdit &spin, Qt::FocusReason reason = Qt::TabFocusReason)
{
    QFocusEvent out(QEvent::FocusOut, reason);
    QApplication::sendEvent(spin.lineEdit(), &out);
}

/// The up (0) or down (1) arrow.
QAbstractButton *arrow(SpinEdit &spin, int which)
{
    return spin.findChildren<QAbstractButton *>().at(which);
}

} // namespace

class TestSpinEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("digits") << u"180"_s << true << 180;
        QTest::newRow("minus") << u"-5"_s << true << -5;
        QTest::newRow("plus") << u"+7"_s << true << 7;
        QTest::newRow("leading zeros") << u"007"_s << true << 7;
        QTest::newRow("int max") << u"2147483647"_s << true << 2147483647;
        QTest::newRow("int min") << u"-2147483648"_s << true << int(-2147483647 - 1);
        QTest::newRow("empty") << QString() << false << 0;
        QTest::newRow("sign alone") << u"-"_s << false << 0;
        QTest::newRow("decimal") << u"1,5"_s << false << 0;
        QTest::newRow("space") << u" 12"_s << false << 0;
        QTest::newRow("two signs") << u"+-1"_s << false << 0;
        QTest::newRow("hex") << u"$1F"_s << false << 0;
        QTest::newRow("over int max") << u"2147483648"_s << false << 0;
        QTest::newRow("under int min") << u"-2147483649"_s << false << 0;
        QTest::newRow("very long") << u"99999999999999999999999"_s << false << 0;
        QTest::newRow("arabic-indic digits") << u"\u0661\u0662"_s << false << 0;
    }

    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const std::optional<int> parsed = parseDecimalInt(text);
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, value);
    }

    void typingKeepsNumberCharactersOnly_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("digits") << u"123"_s << u"123"_s;
        QTest::newRow("letters refused") << u"1a2b"_s << u"12"_s;
        QTest::newRow("signs") << u"-+5"_s << u"-+5"_s;
        QTest::newRow("locale separator") << u"1,5"_s << u"1,5"_s;
        QTest::newRow("other separator refused") << u"1.5"_s << u"15"_s;
        QTest::newRow("space refused") << u"1 2"_s << u"12"_s;
    }

    void typingKeepsNumberCharactersOnly()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        SpinEdit spin;
        QTest::keyClicks(spin.lineEdit(), typed);
        QCOMPARE(spin.text(), shown);
    }

    void everyTextChangeSignals()
    {
        SpinEdit spin;
        spin.setRange(0, 360);
        QSignalSpy changed(&spin, &SpinEdit::changed);
        QTest::keyClicks(spin.lineEdit(), u"45"_s);
        QCOMPARE(changed.count(), 2);
        spin.setText(u"90"_s);
        QCOMPARE(changed.count(), 3);
        QTest::keyClick(spin.lineEdit(), Qt::Key_Backspace);
        QCOMPARE(changed.count(), 4);
        // A value out of range is kept as typed while the box has the focus.
        spin.setText(u"400"_s);
        QCOMPARE(spin.text(), u"400"_s);
    }

    void arrowsStepWithinRange_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("after");
        QTest::newRow("up") << u"90"_s << 0 << u"180"_s;
        QTest::newRow("down") << u"90"_s << 1 << u"0"_s;
        QTest::newRow("up at the top") << u"360"_s << 0 << u"360"_s;
        QTest::newRow("down at the bottom") << u"0"_s << 1 << u"0"_s;
        QTest::newRow("up from a typed value beyond") << u"400"_s << 0 << u"360"_s;
        QTest::newRow("up from no number starts at the minimum") << u"1,5"_s << 0 << u"90"_s;
        QTest::newRow("up from empty") << QString() << 0 << u"90"_s;
    }

    void arrowsStepWithinRange()
    {
        QFETCH(QString, start);
        QFETCH(int, which);
        QFETCH(QString, after);
        SpinEdit spin;
        spin.setRange(0, 360);
        spin.setSingleStep(90);
        spin.resize(60, 21);
        spin.setText(start);
        arrow(spin, which)->click();
        QCOMPARE(spin.text(), after);

        // The keyboard arrows do the same.
        spin.setText(start);
        QTest::keyClick(spin.lineEdit(), which == 0 ? Qt::Key_Up : Qt::Key_Down);
        QCOMPARE(spin.text(), after);
    }

    void leavingBringsNumbersWithinRange_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("changes");
        QTest::newRow("above") << u"400"_s << u"360"_s << 1;
        QTest::newRow("below") << u"-5"_s << u"0"_s << 1;
        QTest::newRow("within") << u"180"_s << u"180"_s << 0;
        QTest::newRow("no number stays") << u"1,5"_s << u"1,5"_s << 0;
        QTest::newRow("empty stays") << QString() << QString() << 0;
        QTest::newRow("too long stays") << u"99999999999"_s << u"99999999999"_s << 0;
    }

    void leavingBringsNumbersWithinRange()
    {
        QFETCH(QString, typed);
        QFETCH(QString, after);
        QFETCH(int, changes);
        SpinEdit spin;
        spin.setRange(0, 360);
        spin.setText(typed);
        QSignalSpy changed(&spin, &SpinEdit::changed);
        leave(spin);
        QCOMPARE(spin.text(), after);
        QCOMPARE(changed.count(), changes);
    }

    void switchingWindowsIsNoLeaving()
    {
        SpinEdit spin;
        spin.setRange(0, 30);
        spin.setText(u"99"_s);
        leave(spin, Qt::ActiveWindowFocusReason);
        leave(spin, Qt::PopupFocusReason);
        QCOMPARE(spin.text(), u"99"_s);
    }

    void equalLimitsMeanNoLimits()
    {
        SpinEdit spin;
        spin.setRange(0, 0);
        spin.setText(u"-40"_s);
        leave(spin);
        QCOMPARE(spin.text(), u"-40"_s);
        spin.stepBy(1);
        QCOMPARE(spin.text(), u"-39"_s);
    }
};

QTEST_MAIN(TestSpinEdit)
#include "tst_spinedit.moc"
