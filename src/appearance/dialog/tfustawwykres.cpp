#include "appearance/dialog/tfustawwykres.h"

#include "appearance/dialog/axispage.h"
#include "appearance/dialog/backgroundpage.h"
#include "appearance/dialog/chartpage.h"
#include "appearance/dialog/headerpage.h"
#include "appearance/dialog/legendpage.h"
#include "appearance/dialog/valuespage.h"
#include "appearance/dialog/view3dpage.h"
#include "ui/accessiblenames.h"
#include "ui/clickablelabel.h"
#include "ui/fixedwindow.h"
#include "ui/gradienttabwidget.h"
#include "ui/sharppicture.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>
#include <QWindow>

namespace zavevad {

namespace {

constexpr int DialogWidth = 360;
constexpr int DialogHeight = 262;
constexpr int StripWidth = 359;
constexpr int StripHeight = 12;

/// The title strip's artwork: a dark bar with a grip in the middle and a
/// close mark at its right end, where the close hot spot lies.
QPixmap stripArtwork(qreal ratio)
{
    QPixmap pixmap = blankPicture(QSize(StripWidth, StripHeight), ratio);
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, 0, StripHeight);
    gradient.setColorAt(0, QColor(112, 112, 112));
    gradient.setColorAt(1, QColor(72, 72, 72));
    painter.fillRect(QRect(0, 0, StripWidth, StripHeight), gradient);
    painter.setPen(QColor(150, 150, 150));
    painter.drawLine(0, 0, StripWidth - 1, 0);
    painter.setPen(QColor(50, 50, 50));
    painter.drawLine(0, StripHeight - 1, StripWidth - 1, StripHeight - 1);

    // A row of grip dots shows that the strip can be dragged.
    for (int x = StripWidth / 2 - 24; x <= StripWidth / 2 + 24; x += 4) {
        painter.fillRect(x, 4, 2, 2, QColor(40, 40, 40));
        painter.fillRect(x, 5, 1, 1, QColor(160, 160, 160));
    }

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(235, 235, 235), 1.6, Qt::SolidLine, Qt::RoundCap));
    const QRectF mark(348.5, 2.5, 6, 6);
    painter.drawLine(mark.topLeft(), mark.bottomRight());
    painter.drawLine(mark.bottomLeft(), mark.topRight());
    return pixmap;
}

} // namespace

TFUstawwykres::TFUstawwykres(
        Appearances &appearances, chart::Chart &chart, ChartKindState &kindState, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_appearances(appearances),
      m_context(appearances.CurrentAppearance, chart, kindState)
{
    buildWindow();
    FormCreate();
}

TFUstawwykres::~TFUstawwykres() = default;

void TFUstawwykres::buildWindow()
{
    setObjectName(QStringLiteral("FUstawwykres"));
    setFixedSize(DialogWidth, DialogHeight);
    QFont dialogFont = font();
    dialogFont.setPixelSize(11);
    setFont(dialogFont);

    m_PListwa = new QWidget(this);
    m_PListwa->setObjectName(QStringLiteral("PListwa"));
    m_PListwa->setGeometry(0, 0, StripWidth, StripHeight);
    m_ImListwa = new QLabel(m_PListwa);
    m_ImListwa->setObjectName(QStringLiteral("ImListwa"));
    m_ImListwa->setScaledContents(true);
    setSharpPicture(*m_ImListwa, stripArtwork);
    m_ImListwa->setGeometry(m_PListwa->rect());
    m_ImListwa->installEventFilter(this);

    m_LCloseUstawienia = new ClickableLabel(this);
    m_LCloseUstawienia->setObjectName(QStringLiteral("LCloseUstawienia"));
    m_LCloseUstawienia->setGeometry(346, 0, 10, 10);
    m_LCloseUstawienia->setCursor(Qt::PointingHandCursor);
    connect(m_LCloseUstawienia, &ClickableLabel::clicked, this,
            &TFUstawwykres::LCloseUstawieniaClick);

    m_PageControl1 = new GradientTabWidget(this);
    m_PageControl1->setObjectName(QStringLiteral("PageControl1"));
    m_PageControl1->setGeometry(0, 12, 360, 250);

    m_TabSheet6 = new ChartPage(m_context);
    m_TabSheet1 = new HeaderPage(m_context);
    m_TabSheet2 = new AxisPage(m_context);
    m_TabSheet3 = new LegendPage(m_context);
    m_TabSheet4 = new BackgroundPage(m_context);
    m_TabSheet5 = new View3DPage(m_context);
    m_TabSheet7 = new ValuesPage(m_context);
    m_PageControl1->addTab(m_TabSheet6, QStringLiteral("Wykres"));
    m_PageControl1->addTab(m_TabSheet1, QStringLiteral("Nagłówki"));
    m_PageControl1->addTab(m_TabSheet2, QStringLiteral("Osie"));
    m_PageControl1->addTab(m_TabSheet3, QStringLiteral("Legenda"));
    m_PageControl1->addTab(m_TabSheet4, QStringLiteral("Tła"));
    m_PageControl1->addTab(m_TabSheet5, QStringLiteral("Efekty 3D"));
    m_PageControl1->addTab(m_TabSheet7, QStringLiteral("Wartości"));
    connect(m_PageControl1, &QTabWidget::currentChanged, this, &TFUstawwykres::PageControl1Change);

    m_LCloseUstawienia->setAccessibleName(QStringLiteral("Zamknij"));
    // The close spot is a button of the keyboard too, the last stop of Tab.
    m_LCloseUstawienia->makeKeyboardButton();
    setTabOrder(m_PageControl1, m_LCloseUstawienia);
    // Named as the command that opens it; the strip draws no title.
    setWindowTitle(QStringLiteral("Formatuj"));
    setAccessibleName(windowTitle());
    nameControlsByLabels(this);
}

void TFUstawwykres::FormCreate()
{
    FillAppearanceDefaults(m_appearances);
}

void TFUstawwykres::setRepaint(std::function<void()> repaint)
{
    m_context.setRepaint(std::move(repaint));
}

void TFUstawwykres::showPanelForKind(int kind)
{
    m_TabSheet6->showPanelForKind(kind);
}

void TFUstawwykres::setAxesPageEnabled(bool enabled)
{
    m_PageControl1->setTabEnabled(m_PageControl1->indexOf(m_TabSheet2), enabled);
}

void TFUstawwykres::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    centreOnScreen(*this);
    FormShow();
    // The keyboard starts on the page tabs, where the arrows choose a page;
    // the dialog takes it once it is on the screen.
    m_PageControl1->setFocus(Qt::ActiveWindowFocusReason);
    QMetaObject::invokeMethod(
            this,
            [this] {
                if (isVisible())
                    activateWindow();
            },
            Qt::QueuedConnection);
}

void TFUstawwykres::FormShow()
{
    {
        const QSignalBlocker blocker(m_PageControl1);
        m_PageControl1->setCurrentWidget(m_TabSheet6);
    }
    m_TabSheet6->pageShown();
    m_drag.release();
    m_theme = DialogTheme{QColor(141, 141, 141), QColor(199, 199, 199), QColor(255, 255, 255)};
    ApplyDialogTheme();
    m_TabSheet1->selectHeader();
}

void TFUstawwykres::ApplyDialogTheme()
{
    applyDialogTheme(this, m_theme);
}

void TFUstawwykres::PageControl1Change(int index)
{
    if (auto *page = qobject_cast<AppearancePage *>(m_PageControl1->widget(index)))
        page->pageShown();
}

void TFUstawwykres::ImListwaMouseDown(const QPoint &screenPos)
{
    m_drag.press(screenPos);
}

void TFUstawwykres::ImListwaMouseMove(const QPoint &screenPos)
{
    m_drag.moveTo(*this, screenPos);
}

void TFUstawwykres::ImListwaMouseUp()
{
    m_drag.release();
}

void TFUstawwykres::LCloseUstawieniaClick()
{
    accept();
}

bool TFUstawwykres::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ImListwa) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            ImListwaMouseDown(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
            return true;
        case QEvent::MouseMove:
            ImListwaMouseMove(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
            return true;
        case QEvent::MouseButtonRelease:
            ImListwaMouseUp();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFUstawwykres::keyPressEvent(QKeyEvent *event)
{
    // The close spot on the strip closes the dialog, and the desktop's keys
    // for closing a window (also where no window manager acts on Alt+F4);
    // never Escape.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    const bool closeKey = (event->key() == Qt::Key_W && event->modifiers() == Qt::ControlModifier)
            || (event->key() == Qt::Key_F4 && event->modifiers() == Qt::AltModifier);
    if (closeKey) {
        event->accept();
        LCloseUstawieniaClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace zavevad
