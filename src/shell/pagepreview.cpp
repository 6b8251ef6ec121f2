#include "shell/pagepreview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPageSize>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace zavevad {

namespace {

constexpr int kGap = 12;
/// Page pictures kept: a few screens' worth, however long the document.
constexpr int kKeptKilobytes = 48 * 1024;

QSizeF pagePoints(QPageLayout::Orientation orientation)
{
    const QSizeF portrait = QPageSize(QPageSize::A4).size(QPageSize::Point);
    return orientation == QPageLayout::Portrait ? portrait : portrait.transposed();
}

} // namespace

PreviewCanvas::PreviewCanvas(const Platform::PreviewPages &pages, QWidget *parent)
    : QWidget(parent), m_pages(pages), m_made(kKeptKilobytes)
{
    setObjectName(QStringLiteral("PreviewCanvas"));
    placePages();
    resize(sizeHint());
}

void PreviewCanvas::setZoom(double zoom)
{
    m_zoom = std::clamp(zoom, 0.2, 6.0);
    m_made.clear();
    placePages();
    resize(sizeHint());
    update();
}

void PreviewCanvas::placePages()
{
    // Only the orientations are asked for: no page is made to be placed.
    m_tops.assign(static_cast<std::size_t>(std::max(0, m_pages.count)), 0);
    int top = kGap;
    for (int page = 0; page < m_pages.count; ++page) {
        m_tops[static_cast<std::size_t>(page)] = top;
        top += static_cast<int>(std::ceil(pagePoints(m_pages.orientation(page)).height() * m_zoom))
                + kGap;
    }
    m_height = top;
}

QRect PreviewCanvas::pageRect(int page) const
{
    const QSizeF size = pagePoints(m_pages.orientation(page)) * m_zoom;
    const int width = static_cast<int>(std::ceil(size.width()));
    return QRect((sizeHint().width() - width) / 2, m_tops[static_cast<std::size_t>(page)], width,
            static_cast<int>(std::ceil(size.height())));
}

int PreviewCanvas::pageAt(int y) const
{
    if (m_tops.empty())
        return 0;
    const auto after = std::upper_bound(m_tops.begin(), m_tops.end(), y);
    return std::max(0, static_cast<int>(after - m_tops.begin()) - 1);
}

QSize PreviewCanvas::sizeHint() const
{
    const double width = pagePoints(QPageLayout::Landscape).width() * m_zoom;
    return QSize(static_cast<int>(std::ceil(width)) + 2 * kGap, m_height);
}

QImage PreviewCanvas::pageImage(int page)
{
    if (page < 0 || page >= m_pages.count)
        return {};
    if (const QImage *kept = m_made.object(page))
        return *kept;
    const qreal ratio = devicePixelRatioF();
    const QSize size = pageRect(page).size();
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        painter.scale(m_zoom, m_zoom);
        if (!m_pages.paint(painter, page))
            return {};
    }
    const int kilobytes = static_cast<int>(image.sizeInBytes() / 1024);
    m_made.insert(page, new QImage(image), std::max(1, kilobytes));
    return image;
}

void PreviewCanvas::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(128, 128, 128));
    if (m_pages.count == 0)
        return;
    const int first = pageAt(event->rect().top());
    const int last = pageAt(event->rect().bottom());
    for (int page = first; page <= last; ++page) {
        const QRect rect = pageRect(page);
        if (!rect.intersects(event->rect()))
            continue;
        painter.fillRect(rect.translated(3, 3), QColor(64, 64, 64));
        const QImage image = pageImage(page);
        if (image.isNull())
            painter.fillRect(rect, Qt::white);
        else
            painter.drawImage(rect.topLeft(), image);
    }
}

PagePreview::PagePreview(const Platform::PreviewPages &pages, Print print, QWidget *parent)
    : QDialog(parent), m_print(std::move(print)), m_count(pages.count)
{
    setObjectName(QStringLiteral("PagePreview"));
    m_canvas = new PreviewCanvas(pages, this);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_canvas);
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->verticalScrollBar()->setSingleStep(40);

    auto *printButton = new QPushButton(QStringLiteral("Drukuj ..."), this);
    printButton->setObjectName(QStringLiteral("PrintButton"));
    auto *smaller = new QPushButton(QStringLiteral("Pomniejsz"), this);
    auto *larger = new QPushButton(QStringLiteral("Powiększ"), this);
    auto *close = new QPushButton(QStringLiteral("Zamknij"), this);
    m_pageLabel = new QLabel(this);
    auto *bar = new QHBoxLayout;
    for (QWidget *widget : {static_cast<QWidget *>(printButton), static_cast<QWidget *>(smaller),
                 static_cast<QWidget *>(larger), static_cast<QWidget *>(m_pageLabel)})
        bar->addWidget(widget);
    bar->addStretch();
    bar->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_scroll);

    connect(printButton, &QPushButton::clicked, this, &PagePreview::askAndPrint);
    connect(smaller, &QPushButton::clicked, this, [this] { zoomBy(1 / 1.25); });
    connect(larger, &QPushButton::clicked, this, [this] { zoomBy(1.25); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_scroll->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &PagePreview::showPageNumber);
    printButton->setDefault(true);
    showPageNumber();
}

void PagePreview::zoomBy(double factor)
{
    QScrollBar *bar = m_scroll->verticalScrollBar();
    const double at = bar->maximum() > 0 ? double(bar->value()) / bar->maximum() : 0;
    m_canvas->setZoom(m_canvas->zoom() * factor);
    bar->setValue(static_cast<int>(std::lround(at * bar->maximum())));
    showPageNumber();
}

void PagePreview::fitWidth()
{
    const double width = QPageSize(QPageSize::A4).size(QPageSize::Point).height();
    m_canvas->setZoom((m_scroll->viewport()->width() - 2 * kGap - 2) / width);
    showPageNumber();
}

void PagePreview::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The first time only: a zoom the user chose stays.
    if (!m_fitted) {
        m_fitted = true;
        fitWidth();
    }
}

void PagePreview::showPageNumber()
{
    // The page in the middle of the view.
    const QScrollBar *bar = m_scroll->verticalScrollBar();
    const int page = m_canvas->pageAt(bar->value() + m_scroll->viewport()->height() / 2);
    m_pageLabel->setText(
            QStringLiteral("Strona %1 z %2").arg(m_count == 0 ? 0 : page + 1).arg(m_count));
}

void PagePreview::askAndPrint()
{
    QPrintDialog dialog(&m_printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    printNow();
}

void PagePreview::printNow()
{
    m_printed = m_print(m_printer);
    accept();
}

} // namespace zavevad
