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
    CWykres3d =
            makeCheckBox(this, "CWykres3d", QStringLiteral("Pokaż trójwymiarowo wykres"), 10, 12);
    C3dosie = makeCheckBox(this, "C3dosie", QStringLiteral("Pokaż trójwymiarowo osie"), 10, 36);
    makeLabel(this, "Label12", QStringLiteral("Pochylenie:"), 10, 74);
    S3dPercent = makeScrollBar(this, "S3dPercent", QRect(92, 76, 256, 17), 1, 100, 30);
    makeLabel(this, "Label13", QStringLiteral("Zoom:"), 10, 104);
    SZoom = makeScrollBar(this, "SZoom", QRect(92, 106, 256, 17), 0, 300, 100);

    // The perspective controls live on, hidden, for the enabling rules and the
    // `Perspective` field; the user never sees them.
    perspectiveFrame = new QFrame(this);
    perspectiveFrame->setObjectName(QStringLiteral("Bevel4"));
    perspectiveFrame->setFrameShape(QFrame::Box);
    perspectiveFrame->setGeometry(6, 134, 348, 90);
    Cortogonalnie = makeCheckBox(
            perspectiveFrame, "Cortogonalnie", QStringLiteral("Pokaż perspektywicznie"), 8, 4);
    makeLabel(perspectiveFrame, "Label9", QStringLiteral("Perspektywa:"), 8, 26)->hide();
    Sperspektywa =
            makeScrollBar(perspectiveFrame, "Sperspektywa", QRect(96, 28, 240, 17), 0, 100, 0);
    makeLabel(perspectiveFrame, "Label10", QStringLiteral("Elewacja:"), 8, 46)->hide();
    SElewacja = makeScrollBar(perspectiveFrame, "SElewacja", QRect(96, 48, 240, 17), 0, 100, 0);
    makeLabel(perspectiveFrame, "Label11", QStringLiteral("Obrót:"), 8, 66)->hide();
    SObroty = makeScrollBar(perspectiveFrame, "SObroty", QRect(96, 68, 240, 17), 0, 100, 0);
    for (QWidget *hidden : {static_cast<QWidget *>(Cortogonalnie),
                 static_cast<QWidget *>(Sperspektywa), static_cast<QWidget *>(SElewacja),
                 static_cast<QWidget *>(SObroty), static_cast<QWidget *>(perspectiveFrame)})
        hidden->hide();

    connect(CWykres3d, &QCheckBox::clicked, this, &View3DPage::CWykres3dClick);
    connect(C3dosie, &QCheckBox::clicked, this, &View3DPage::C3dosieClick);
    connect(Cortogonalnie, &QCheckBox::clicked, this, &View3DPage::CortogonalnieClick);
    connect(Sperspektywa, &QScrollBar::valueChanged, this, &View3DPage::SperspektywaChange);
    connect(SElewacja, &QScrollBar::valueChanged, this, &View3DPage::SElewacjaChange);
    connect(SObroty, &QScrollBar::valueChanged, this, &View3DPage::SObrotyChange);
    connect(SZoom, &QScrollBar::valueChanged, this, &View3DPage::SZoomChange);
    connect(S3dPercent, &QScrollBar::valueChanged, this, &View3DPage::S3dPercentChange);
}

void View3DPage::Fill3DPage()
{
    const TChartAppearance &r = record();
    const QSignalBlocker b1(CWykres3d), b2(C3dosie);
    C3dosie->setVisible(context().shownChartKind() != ChartKindPie);
    CWykres3d->setChecked(r.View3D);
    SZoom->setEnabled(r.View3D);
    S3dPercent->setEnabled(r.View3D);
    C3dosie->setChecked(r.View3DWalls);
}

void View3DPage::CWykres3dClick()
{
    handle([this] {
        TChartAppearance &r = record();
        r.View3D = CWykres3d->isChecked();
        chart().view3D.view3D = r.View3D;
        if (r.View3D) {
            Cortogonalnie->setEnabled(true);
            // Only the bar and line charts (Perspective set) take depth and zoom.
            if (r.Perspective) {
                S3dPercent->setEnabled(true);
                const bool perspective = Cortogonalnie->isChecked();
                Sperspektywa->setEnabled(perspective);
                SElewacja->setEnabled(perspective);
                SObroty->setEnabled(perspective);
                SZoom->setEnabled(true);
            }
        } else {
            for (QWidget *control :
                    {static_cast<QWidget *>(S3dPercent), static_cast<QWidget *>(Cortogonalnie),
                            static_cast<QWidget *>(Sperspektywa), static_cast<QWidget *>(SElewacja),
                            static_cast<QWidget *>(SObroty), static_cast<QWidget *>(SZoom)})
                control->setEnabled(false);
        }
    });
}

void View3DPage::C3dosieClick()
{
    handle([this] {
        record().View3DWalls = C3dosie->isChecked();
        chart().view3D.walls3D = record().View3DWalls;
    });
}

void View3DPage::CortogonalnieClick()
{
    handle([this] {
        const bool ticked = Cortogonalnie->isChecked();
        record().Perspective = ticked;
        chart().view3D.orthogonal = !ticked;
        Sperspektywa->setEnabled(ticked);
        SElewacja->setEnabled(ticked);
        SObroty->setEnabled(ticked);
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
