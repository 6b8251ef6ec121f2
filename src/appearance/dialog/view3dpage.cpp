#include "appearance/dialog/view3dpage.h"

#include "appearance/dialog/dialogcontrols.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>

namespace zavevad {

View3DPage::View3DPage(AppearanceDialogContext &context, QWidget *parent)
    : AppearancePage(context, "TabSheet5", parent)
{
    m_CWykres3d =
            makeCheckBox(this, "CWykres3d", QStringLiteral("Pokaż trójwymiarowo wykres"), 10, 12);
    m_C3dosie = makeCheckBox(this, "C3dosie", QStringLiteral("Pokaż trójwymiarowo osie"), 10, 36);
    makeLabel(this, "Label12", QStringLiteral("Pochylenie:"), 10, 74);
    m_S3dPercent = makeScrollBar(this, "S3dPercent", QRect(92, 76, 256, 17), 1, 100, 30);
    makeLabel(this, "Label13", QStringLiteral("Zoom:"), 10, 104);
    m_SZoom = makeScrollBar(this, "SZoom", QRect(92, 106, 256, 17), 0, 300, 100);

    // The perspective controls live on, hidden, for the enabling rules and the
    // `Perspective` field; the user never sees them.
    m_perspectiveFrame = new QFrame(this);
    m_perspectiveFrame->setObjectName(QStringLiteral("Bevel4"));
    m_perspectiveFrame->setFrameShape(QFrame::Box);
    m_perspectiveFrame->setGeometry(6, 134, 348, 90);
    m_Cortogonalnie = makeCheckBox(
            m_perspectiveFrame, "Cortogonalnie", QStringLiteral("Pokaż perspektywicznie"), 8, 4);
    makeLabel(m_perspectiveFrame, "Label9", QStringLiteral("Perspektywa:"), 8, 26)->hide();
    m_Sperspektywa =
            makeScrollBar(m_perspectiveFrame, "Sperspektywa", QRect(96, 28, 240, 17), 0, 100, 0);
    makeLabel(m_perspectiveFrame, "Label10", QStringLiteral("Elewacja:"), 8, 46)->hide();
    m_SElewacja = makeScrollBar(m_perspectiveFrame, "SElewacja", QRect(96, 48, 240, 17), 0, 100, 0);
    makeLabel(m_perspectiveFrame, "Label11", QStringLiteral("Obrót:"), 8, 66)->hide();
    m_SObroty = makeScrollBar(m_perspectiveFrame, "SObroty", QRect(96, 68, 240, 17), 0, 100, 0);
    for (QWidget *hidden : {static_cast<QWidget *>(m_Cortogonalnie),
                 static_cast<QWidget *>(m_Sperspektywa), static_cast<QWidget *>(m_SElewacja),
                 static_cast<QWidget *>(m_SObroty), static_cast<QWidget *>(m_perspectiveFrame)})
        hidden->hide();

    connect(m_CWykres3d, &QCheckBox::clicked, this, &View3DPage::CWykres3dClick);
    connect(m_C3dosie, &QCheckBox::clicked, this, &View3DPage::C3dosieClick);
    connect(m_Cortogonalnie, &QCheckBox::clicked, this, &View3DPage::CortogonalnieClick);
    connect(m_Sperspektywa, &QScrollBar::valueChanged, this, &View3DPage::SperspektywaChange);
    connect(m_SElewacja, &QScrollBar::valueChanged, this, &View3DPage::SElewacjaChange);
    connect(m_SObroty, &QScrollBar::valueChanged, this, &View3DPage::SObrotyChange);
    connect(m_SZoom, &QScrollBar::valueChanged, this, &View3DPage::SZoomChange);
    connect(m_S3dPercent, &QScrollBar::valueChanged, this, &View3DPage::S3dPercentChange);
}

void View3DPage::Fill3DPage()
{
    const TChartAppearance &r = record();
    const QSignalBlocker b1(m_CWykres3d), b2(m_C3dosie);
    m_C3dosie->setVisible(context().shownChartKind() != ChartKindPie);
    m_CWykres3d->setChecked(r.View3D);
    m_SZoom->setEnabled(r.View3D);
    m_S3dPercent->setEnabled(r.View3D);
    m_C3dosie->setChecked(r.View3DWalls);
}

void View3DPage::CWykres3dClick()
{
    handle([this] {
        TChartAppearance &r = record();
        r.View3D = m_CWykres3d->isChecked();
        chart().view3D.view3D = r.View3D;
        if (r.View3D) {
            m_Cortogonalnie->setEnabled(true);
            // Only the bar and line charts (Perspective set) take depth and zoom.
            if (r.Perspective) {
                m_S3dPercent->setEnabled(true);
                const bool perspective = m_Cortogonalnie->isChecked();
                m_Sperspektywa->setEnabled(perspective);
                m_SElewacja->setEnabled(perspective);
                m_SObroty->setEnabled(perspective);
                m_SZoom->setEnabled(true);
            }
        } else {
            for (QWidget *control :
                    {static_cast<QWidget *>(m_S3dPercent), static_cast<QWidget *>(m_Cortogonalnie),
                            static_cast<QWidget *>(m_Sperspektywa),
                            static_cast<QWidget *>(m_SElewacja), static_cast<QWidget *>(m_SObroty),
                            static_cast<QWidget *>(m_SZoom)})
                control->setEnabled(false);
        }
    });
}

void View3DPage::C3dosieClick()
{
    handle([this] {
        record().View3DWalls = m_C3dosie->isChecked();
        chart().view3D.walls3D = record().View3DWalls;
    });
}

void View3DPage::CortogonalnieClick()
{
    handle([this] {
        const bool ticked = m_Cortogonalnie->isChecked();
        record().Perspective = ticked;
        chart().view3D.orthogonal = !ticked;
        m_Sperspektywa->setEnabled(ticked);
        m_SElewacja->setEnabled(ticked);
        m_SObroty->setEnabled(ticked);
    });
}

void View3DPage::SperspektywaChange(int position)
{
    handle([this, position] {
        record().PerspectiveValue = position;
        chart().view3D.perspective = position;
    });
}

void View3DPage::SElewacjaChange(int position)
{
    handle([this, position] {
        record().Elevation = position;
        chart().view3D.elevation = position;
    });
}

void View3DPage::SObrotyChange(int position)
{
    handle([this, position] {
        record().Rotation = position;
        chart().view3D.rotation = position;
    });
}

void View3DPage::SZoomChange(int position)
{
    handle([this, position] {
        record().Zoom = position;
        chart().view3D.zoomPercent = position;
    });
}

void View3DPage::S3dPercentChange(int position)
{
    handle([this, position] {
        record().Chart3DPercent = position;
        chart().view3D.depthPercent = position;
    });
}

} // namespace zavevad
