#pragma once
// A plain paint surface with swappable handlers, as the plots use them: the
// paint handler renders into a cached image that is kept until Invalidate,
// and an overlay handler (rubber bands) is drawn over the cached image on
// every repaint, so moving a rubber band does not redraw the plot. The mouse
// handlers are replaced at run time (a zoom drag installs its own).

#include <QImage>
#include <QWidget>
#include <functional>

class QMouseEvent;

namespace vorenta {

class PaintBox : public QWidget {
  Q_OBJECT

 public:
  using PaintHandler = std::function<void(QPainter&)>;
  using MouseHandler = std::function<void(QMouseEvent&)>;

  explicit PaintBox(const QString& objectName, QWidget* parent = nullptr);

  PaintHandler OnPaint;
  PaintHandler OnOverlay;
  MouseHandler OnMouseDown;
  MouseHandler OnMouseMove;
  MouseHandler OnMouseUp;
  std::function<void()> OnResize;

  // The content changed: the paint handler runs again at the next repaint.
  void Invalidate();
  // Renders the paint handler and the overlay into an image of the current
  // size, exactly as a repaint would show them.
  QImage Render();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void RefreshCache();

  QImage cache_;
  bool cacheValid_ = false;
};

}  // namespace vorenta
