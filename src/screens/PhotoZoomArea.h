#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QWidget>

class QTouchEvent;

// The zoom scale at which a view of viewSize shows whole in an area of
// areaSize: the smaller of the width and height ratios, in single precision.
float fitZoomScale(const QSizeF& areaSize, const QSizeF& viewSize);

// Where a zoomed view of viewSize stands in a zoom area whose bounds are
// boundsSize: centred on each axis where it is smaller than the area, at 0
// where it is not; its size stays.
QRectF centeredFrameForScrollViewAndUIView(const QSizeF& boundsSize, const QSizeF& viewSize);

// An area that shows one view zoomed between a smallest and a largest scale.
// The mouse wheel, a touchpad's pinch and two fingers spread or pinched on a
// touch screen zoom (fingers about the point between them); dragging by
// mouse or finger pans a view larger than the area. After every change of
// zoom the view is re-centred.
class PhotoZoomArea : public QWidget {
    Q_OBJECT
  public:
    explicit PhotoZoomArea(QWidget* parent = nullptr);

    // Shows view (taking it as a child) with its unzoomed size.
    void setZoomingView(QWidget* view, const QSizeF& contentSize);
    QWidget* viewForZooming() const { return view_; }
    QSizeF contentSize() const { return content_; }

    float minimumZoomScale() const { return minimum_; }
    float maximumZoomScale() const { return maximum_; }
    void setMinimumZoomScale(float scale) { minimum_ = scale; }
    void setMaximumZoomScale(float scale) { maximum_ = scale; }
    float zoomScale() const { return scale_; }
    // Sets the scale, held within the smallest and largest.
    void setZoomScale(float scale);
    // Zooms by factor about the point at (in the area's coordinates), which
    // keeps showing the same part of the view where the view can move.
    void zoomBy(float factor, const QPointF& at);

  signals:
    void didZoom();

  protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void layoutView();
    // Pans by one finger, zooms and pans by two; returns true when taken.
    bool touch(QTouchEvent* event);
    void panBy(const QPointF& moved);

    QWidget* view_ = nullptr;
    QSizeF content_;
    float minimum_ = 1;
    float maximum_ = 1;
    float scale_ = 1;
    QPointF offset_; // how far a view larger than the area is scrolled
    QPointF dragFrom_;
    qreal pinchSpan_ = 0; // the distance between two fingers, or 0
};
