#include "ui/paint_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace vorenta {

PaintBox::PaintBox(const QString& objectName, QWidget* parent) : QWidget(parent) {
  setObjectName(objectName);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaintBox::Invalidate() {
  cacheValid_ = false;
  update();
}

void PaintBox::RefreshCache() {
  if (cacheValid_ && cache_.size() == size()) return;
  cache_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  cache_.fill(palette().color(backgroundRole()));
  if (OnPaint) {
    QPainter painter(&cache_);
    painter.setFont(font());
    OnPaint(painter);
  }
  cacheValid_ = true;
}

QImage PaintBox::Render() {
  RefreshCache();
  QImage image = cache_.copy();
  if (OnOverlay) {
    QPainter painter(&image);
    OnOverlay(painter);
  }
  return image;
}

void PaintBox::paintEvent(QPaintEvent*) {
  RefreshCache();
  QPainter painter(this);
  painter.drawImage(0, 0, cache_);
  if (OnOverlay) OnOverlay(painter);
}

void PaintBox::resizeEvent(QResizeEvent* event) {
  cacheValid_ = false;
  QWidget::resizeEvent(event);
  if (OnResize) OnResize();
}

void PaintBox::mousePressEvent(QMouseEvent* event) {
  if (OnMouseDown) OnMouseDown(*event);
}

void PaintBox::mouseMoveEvent(QMouseEvent* event) {
  if (OnMouseMove) OnMouseMove(*event);
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event) {
  if (OnMouseUp) OnMouseUp(*event);
}

}  // namespace vorenta
