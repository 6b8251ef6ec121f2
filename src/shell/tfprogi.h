#pragma once

#include "charts/sessionstate.h"
#include "results/analysisstate.h"
#include "ui/windowdrag.h"

#include <QDialog>

#include <array>
#include <optional>

class QLabel;

namespace zavevad {

class GradientButton;
class Shell;
class SpinEdit;

/// "Progi ocen ...": the five grade thresholds in percent, tried out live.
/// Every valid change regrades the loaded class at once and redraws the table
/// on display and an open chart; "Zapisz" also writes `Progi.txt` into the
/// start folder, "Zastosuj" keeps them for this run, and "Anuluj", Esc and the
/// close spot put back exactly what was in force before.
class TFProgi : public QDialog
{
    Q_OBJECT

public:
    /// Lowest and highest value of a field; 101 switches a grade off.
    static constexpr int kMinimum = 0;
    static constexpr int kMaximum = 101;

    explicit TFProgi(Shell &shell, QWidget *parent = nullptr);
    ~TFProgi() override;

    /// "Progi muszą rosnąć od dopuszczającego do celującego"
    static QString risingMessage();
    /// "Próg to liczba całkowita od 0 do 101": a field holds something else.
    static QString rangeMessage();

    /// The thresholds the fields hold; nothing while a field holds no whole
    /// number from 0 to 101.
    std::optional<Thresholds> fieldThresholds() const;
    /// Fills the fields (Dop, Dst, Db, Bdb, Cel order of the window).
    void setFields(const Thresholds &thresholds);
    /// Whether the field of the key ("Dp", "Dst", "Db", "Bdb", "cel") is shown in red.
    bool isFieldMarked(int index) const;

    void BZapiszClick();
    void BZastosujClick();
    void BDomyslneClick();
    void BAnulujClick();

    /// Esc and the close spot: the same as "Anuluj".
    void reject() override;

    /// Height of the title row, the strip by which the window is moved.
    static constexpr int kStripHeight = 30;
    /// Where the window opens: beside the chart window, or clear of the
    /// table, so that the live change can be watched.
    QPoint besideWhatItChanges() const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void addTitle();
    void addFields(const Thresholds &now);
    void addMessage();
    void addButtons();
    void fieldsChanged();
    void applyLive(const Thresholds &thresholds);
    void restore();

    Shell &m_shell;
    WindowDrag m_drag;
    /// The run's state as it was when the window opened: a change may touch
    /// any part of it, "Anuluj" puts all of it back.
    SessionState m_before;
    bool m_filling = false;
    std::array<SpinEdit *, 5> m_fields{};
    std::array<bool, 5> m_marked{};
    QLabel *m_message = nullptr;
    GradientButton *m_zapisz = nullptr;
    GradientButton *m_zastosuj = nullptr;
};

} // namespace zavevad
