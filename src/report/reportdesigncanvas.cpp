#include "report/reportdesigncanvas.h"

#include "report/reportrenderer.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

constexpr double SnapMm = 0.5;
constexpr double HandlePx = 6;

double snapped(double mm, bool free)
{
    return free ? std::round(mm * 10) / 10 : std::round(mm / SnapMm) * SnapMm;
}

} // namespace

ReportDesignCanvas::ReportDesignCanvas(ReportTemplate *report, QWidget *parent)
    : QWidget(parent), m_report(report)
{
    setObjectName(QStringLiteral("designCanvas"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xd8, 0xdc, 0xe2));
    setPalette(palette);
}

double ReportDesignCanvas::pixelsPerMm() const
{
    return logicalDpiX() / 25.4 * m_zoom;
}

void ReportDesignCanvas::setZoom(double zoom)
{
    m_zoom = qBound(0.25, zoom, 4.0);
    refresh();
}

void ReportDesignCanvas::refresh()
{
    if (m_band >= m_report->bands.size()) {
        m_band = -1;
        m_element = -1;
    } else if (m_band >= 0 && m_element >= m_report->bands.at(m_band).elements.size()) {
        m_element = -1;
    }
    updateGeometry();
    resize(sizeHint());
    update();
}

void ReportDesignCanvas::select(int band, int element)
{
    if (band == m_band && element == m_element)
        return;
    m_band = band;
    m_element = element;
    update();
    emit selectionChanged();
}

QSize ReportDesignCanvas::sizeHint() const
{
    const double scale = pixelsPerMm();
    double height = 10;
    for (const ReportBand &band : m_report->bands)
        height += StripHeight + band.height * scale + 2;
    return QSize(int(2 * Gutter + m_report->contentWidth() * scale + 40), int(height + 20));
}

double ReportDesignCanvas::bandTop(int band) const
{
    const double scale = pixelsPerMm();
    double y = 10;
    for (int i = 0; i < band; ++i)
        y += StripHeight + m_report->bands.at(i).height * scale + 2;
    return y;
}

QRectF ReportDesignCanvas::bandBody(int band) const
{
    const double scale = pixelsPerMm();
    return QRectF(Gutter, bandTop(band) + StripHeight, m_report->contentWidth() * scale,
                  m_report->bands.at(band).height * scale);
}

QRectF ReportDesignCanvas::elementRect(int band, int element) const
{
    const double scale = pixelsPerMm();
    const QRectF body = bandBody(band);
    const ReportElement &e = m_report->bands.at(band).elements.at(element);
    return QRectF(body.left() + e.x * scale, body.top() + e.y * scale, e.width * scale,
                  e.height * scale);
}

QList<QRectF> ReportDesignCanvas::handles(const QRectF &r) const
{
    const double h = HandlePx / 2;
    const QPointF points[8] = {r.topLeft(),     QPointF(r.center().x(), r.top()),
                               r.topRight(),    QPointF(r.right(), r.center().y()),
                               r.bottomRight(), QPointF(r.center().x(), r.bottom()),
                               r.bottomLeft(),  QPointF(r.left(), r.center().y())};
    QList<QRectF> result;
    for (const QPointF &point : points)
        result << QRectF(point.x() - h, point.y() - h, HandlePx, HandlePx);
    return result;
}

void ReportDesignCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const double scale = pixelsPerMm();
    const QFont stripFont = font();
    for (int b = 0; b < m_report->bands.size(); ++b) {
        const ReportBand &band = m_report->bands.at(b);
        const QRectF body = bandBody(b);
        const QRectF strip(body.left(), body.top() - StripHeight, body.width(), StripHeight);
        const bool bandSelected = b == m_band && m_element < 0;
        painter.fillRect(strip, bandSelected ? QColor(0x9c, 0xc3, 0xe6) : QColor(0xc4, 0xcb, 0xd4));
        painter.setPen(QColor(0x30, 0x30, 0x30));
        painter.setFont(stripFont);
        QString caption = bandKindCaption(band.kind);
        if (!band.groupColumns.isEmpty())
            caption += QStringLiteral("  按 %1 分组").arg(band.groupColumns.join(u','));
        if (band.startNewPage)
            caption += QStringLiteral("，每组另起一页");
        if (band.minRows > 0)
            caption += QStringLiteral("  至少 %1 行").arg(band.minRows);
        painter.drawText(strip.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft, caption);

        painter.fillRect(body, Qt::white);
        painter.setPen(QPen(QColor(0xee, 0xee, 0xee), 1));
        for (double x = 10; x < m_report->contentWidth(); x += 10)
            painter.drawLine(QPointF(body.left() + x * scale, body.top()),
                             QPointF(body.left() + x * scale, body.bottom()));
        painter.save();
        painter.setClipRect(body.adjusted(-1, -1, 1, 1));
        for (int e = 0; e < band.elements.size(); ++e) {
            const ReportElement &element = band.elements.at(e);
            const QRectF r = elementRect(b, e);
            ReportRenderer::paintDesignElement(painter, *m_report, element, r.topLeft(), scale,
                                               m_zoom);
            if (element.isText() && element.borders.isEmpty()) {
                painter.setPen(QPen(QColor(0xb0, 0xb0, 0xb0), 1, Qt::DotLine));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(r);
            }
        }
        painter.restore();
        painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1, Qt::DashLine));
        painter.drawLine(body.bottomLeft(), body.bottomRight());
    }
    if (m_band >= 0 && m_element >= 0) {
        const QRectF r = elementRect(m_band, m_element);
        painter.setPen(QPen(QColor(0x1f, 0x6f, 0xb2), 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(-1, -1, 1, 1));
        painter.setPen(QColor(0x1f, 0x6f, 0xb2));
        painter.setBrush(Qt::white);
        for (const QRectF &handle : handles(r))
            painter.drawRect(handle);
    }
}

int ReportDesignCanvas::handleAt(const QPointF &point) const
{
    if (m_band < 0 || m_element < 0)
        return -1;
    const QList<QRectF> all = handles(elementRect(m_band, m_element));
    for (int i = 0; i < all.size(); ++i) {
        if (all.at(i).adjusted(-2, -2, 2, 2).contains(point))
            return i;
    }
    return -1;
}

int ReportDesignCanvas::bandEdgeAt(const QPointF &point) const
{
    for (int b = 0; b < m_report->bands.size(); ++b) {
        const QRectF body = bandBody(b);
        if (point.x() >= body.left() && point.x() <= body.right()
            && std::abs(point.y() - body.bottom()) <= 3)
            return b;
    }
    return -1;
}

std::pair<int, int> ReportDesignCanvas::hit(const QPointF &point) const
{
    for (int b = 0; b < m_report->bands.size(); ++b) {
        const QRectF body = bandBody(b);
        const QRectF withStrip = body.adjusted(0, -StripHeight, 0, 0);
        if (!withStrip.contains(point))
            continue;
        const QList<ReportElement> &elements = m_report->bands.at(b).elements;
        // The smallest element under the point wins, so a box does not hide what it frames.
        int best = -1;
        double bestArea = 0;
        for (int e = 0; e < elements.size(); ++e) {
            const QRectF r = elementRect(b, e).adjusted(-3, -3, 3, 3);
            if (!r.contains(point))
                continue;
            const double area = r.width() * r.height();
            if (best < 0 || area < bestArea) {
                best = e;
                bestArea = area;
            }
        }
        return {b, best};
    }
    return {-1, -1};
}

ReportElement *ReportDesignCanvas::current()
{
    if (m_band < 0 || m_element < 0)
        return nullptr;
    return &m_report->bands[m_band].elements[m_element];
}

void ReportDesignCanvas::mousePressEvent(QMouseEvent *event)
{
    setFocus();
    if (event->button() != Qt::LeftButton)
        return;
    const QPointF point = event->position();
    m_pressAt = point;
    m_moved = false;
    m_drag = Drag::None;
    if ((m_handle = handleAt(point)) >= 0) {
        m_drag = Drag::Resize;
        m_original = *current();
        return;
    }
    const auto [band, element] = hit(point);
    if (element < 0) {
        const int edge = bandEdgeAt(point);
        if (edge >= 0) {
            select(edge, -1);
            m_drag = Drag::BandHeight;
            m_originalHeight = m_report->bands.at(edge).height;
            return;
        }
    }
    select(band, element);
    if (element >= 0) {
        m_drag = Drag::Move;
        m_original = *current();
    }
}

void ReportDesignCanvas::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF point = event->position();
    if (m_drag == Drag::None) {
        const int handle = handleAt(point);
        if (handle >= 0) {
            static const Qt::CursorShape shapes[8] = {
                Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
                Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor};
            setCursor(shapes[handle]);
        } else if (hit(point).second < 0 && bandEdgeAt(point) >= 0) {
            setCursor(Qt::SizeVerCursor);
        } else {
            unsetCursor();
        }
        return;
    }
    const bool free = event->modifiers() & Qt::AltModifier;
    const double scale = pixelsPerMm();
    const double dx = (point.x() - m_pressAt.x()) / scale;
    const double dy = (point.y() - m_pressAt.y()) / scale;
    if (!m_moved && std::abs(point.x() - m_pressAt.x()) < 2 && std::abs(point.y() - m_pressAt.y()) < 2)
        return;
    m_moved = true;
    if (m_drag == Drag::BandHeight) {
        m_report->bands[m_band].height = qMax(0.0, snapped(m_originalHeight + dy, free));
        refresh();
        emit changed();
        return;
    }
    ReportElement *element = current();
    if (!element)
        return;
    if (m_drag == Drag::Move) {
        element->x = qMax(0.0, snapped(m_original.x + dx, free));
        element->y = snapped(m_original.y + dy, free);
    } else {
        double left = m_original.x;
        double top = m_original.y;
        double right = m_original.x + m_original.width;
        double bottom = m_original.y + m_original.height;
        const int h = m_handle;
        if (h == 0 || h == 6 || h == 7)
            left = qMin(snapped(left + dx, free), right);
        if (h == 2 || h == 3 || h == 4)
            right = qMax(snapped(right + dx, free), left);
        if (h == 0 || h == 1 || h == 2)
            top = qMin(snapped(top + dy, free), bottom);
        if (h == 4 || h == 5 || h == 6)
            bottom = qMax(snapped(bottom + dy, free), top);
        element->x = qMax(0.0, left);
        element->y = top;
        element->width = right - left;
        element->height = bottom - top;
    }
    update();
    emit changed();
}

void ReportDesignCanvas::mouseReleaseEvent(QMouseEvent *)
{
    if (m_drag == Drag::Move && m_moved)
        moveIntoBandUnder();
    m_drag = Drag::None;
}

void ReportDesignCanvas::moveIntoBandUnder()
{
    ReportElement *element = current();
    if (!element)
        return;
    const QRectF r = elementRect(m_band, m_element);
    const double middle = r.top() + std::min(r.height(), 4.0) / 2;
    int target = -1;
    for (int b = 0; b < m_report->bands.size(); ++b) {
        const QRectF body = bandBody(b).adjusted(0, -StripHeight, 0, 0);
        if (middle >= body.top() && middle < body.bottom() + 2)
            target = b;
    }
    const ReportBand &band = m_report->bands.at(m_band);
    if (target < 0 || target == m_band) {
        // Kept within its band.
        element->y = qBound(0.0, element->y, qMax(0.0, band.height - element->height));
        update();
        emit changed();
        return;
    }
    ReportElement moved = *element;
    const double scale = pixelsPerMm();
    moved.y = qMax(0.0, snapped((r.top() - bandBody(target).top()) / scale, false));
    m_report->bands[m_band].elements.removeAt(m_element);
    m_report->bands[target].elements.append(moved);
    m_band = target;
    m_element = int(m_report->bands.at(target).elements.size()) - 1;
    refresh();
    emit selectionChanged();
    emit changed();
}

void ReportDesignCanvas::mouseDoubleClickEvent(QMouseEvent *event)
{
    const auto [band, element] = hit(event->position());
    select(band, element);
    emit editRequested();
}

void ReportDesignCanvas::keyPressEvent(QKeyEvent *event)
{
    ReportElement *element = current();
    if (event->key() == Qt::Key_Delete && (element || m_band >= 0)) {
        emit deleteRequested();
        return;
    }
    if (!element) {
        QWidget::keyPressEvent(event);
        return;
    }
    const bool size = event->modifiers() & Qt::ShiftModifier;
    double dx = 0;
    double dy = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        dx = -SnapMm;
        break;
    case Qt::Key_Right:
        dx = SnapMm;
        break;
    case Qt::Key_Up:
        dy = -SnapMm;
        break;
    case Qt::Key_Down:
        dy = SnapMm;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (size) {
        element->width = qMax(0.0, element->width + dx);
        element->height = qMax(0.0, element->height + dy);
    } else {
        element->x = qMax(0.0, element->x + dx);
        element->y = qMax(0.0, element->y + dy);
    }
    update();
    emit changed();
}
