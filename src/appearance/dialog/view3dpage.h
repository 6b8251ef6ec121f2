#pragma once

#include "appearance/dialog/appearancepage.h"

class QCheckBox;
class QFrame;
class QScrollBar;

namespace zavevad {

/// "Efekty 3D" (TabSheet5): the chart's 3D view. The record's 3D fields reach
/// the chart only from here. The perspective controls are never shown; they
/// take part in the enabling rules all the same.
class View3DPage : public AppearancePage
{
    Q_OBJECT

public:
    explicit View3DPage(AppearanceDialogContext &context, QWidget *parent = nullptr);

    /// TabSheet5Show.
    void pageShown() override { Fill3DPage(); }
    /// Sets the boxes from the record; the scroll bars keep their positions.
    void Fill3DPage();

private:
    void CWykres3dClick();
    void C3dosieClick();
    void CortogonalnieClick();
    void SperspektywaChange(int position);
    void SElewacjaChange(int position);
    void SObrotyChange(int position);
    void SZoomChange(int position);
    void S3dPercentChange(int position);

    QCheckBox *m_CWykres3d = nullptr;
    QCheckBox *m_C3dosie = nullptr;
    QScrollBar *m_S3dPercent = nullptr;
    QScrollBar *m_SZoom = nullptr;
    QFrame *m_perspectiveFrame = nullptr;
    QCheckBox *m_Cortogonalnie = nullptr;
    QScrollBar *m_Sperspektywa = nullptr;
    QScrollBar *m_SElewacja = nullptr;
    QScrollBar *m_SObroty = nullptr;
};

} // namespace zavevad
