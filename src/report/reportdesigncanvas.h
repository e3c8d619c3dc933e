#pragma once

#include "report/reporttemplate.h"

#include <QWidget>

// The drawing area of the report designer: the bands one below the other, each under a strip
// with its name, and their elements as they will print (fields as [column], variables as
// <name>). The user selects a band or an element with the mouse, moves and sizes elements by
// dragging (handles on the selected one, half-millimetre steps; Alt drags freely), moves an
// element into another band by dropping it there, drags a band's lower edge to change its
// height, and moves or sizes the selection with the arrow keys (Shift sizes).
class ReportDesignCanvas : public QWidget
{
    Q_OBJECT

public:
    static constexpr int StripHeight = 18;
    static constexpr int Gutter = 14;

    explicit ReportDesignCanvas(ReportTemplate *report, QWidget *parent = nullptr);

    void setZoom(double zoom);
    double zoom() const { return m_zoom; }
    double pixelsPerMm() const;

    int selectedBand() const { return m_band; }
    int selectedElement() const { return m_element; }
    void select(int band, int element = -1);
    // After a change of the template made elsewhere (property panel, toolbar).
    void refresh();

    // Geometry in widget pixels, for the tests and the designer.
    QRectF bandBody(int band) const;
    QRectF elementRect(int band, int element) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void selectionChanged();
    void changed();
    void editRequested();
    void deleteRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    enum class Drag { None, Move, Resize, BandHeight };

    double bandTop(int band) const; // top of the strip
    int handleAt(const QPointF &point) const;
    int bandEdgeAt(const QPointF &point) const;
    std::pair<int, int> hit(const QPointF &point) const;
    QList<QRectF> handles(const QRectF &rect) const;
    ReportElement *current();
    void moveIntoBandUnder();

    ReportTemplate *m_report;
    double m_zoom = 1.0;
    int m_band = -1;
    int m_element = -1;

    Drag m_drag = Drag::None;
    int m_handle = -1;
    QPointF m_pressAt;
    ReportElement m_original;
    double m_originalHeight = 0;
    bool m_moved = false;
};
