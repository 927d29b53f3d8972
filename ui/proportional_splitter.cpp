#include "ui/proportional_splitter.h"

namespace vorenta {

ProportionalSplitter::ProportionalSplitter(const QString& objectName, double share, QWidget* parent)
    : QSplitter(Qt::Vertical, parent), share_(share) {
  setObjectName(objectName);
  setHandleWidth(3);
  setChildrenCollapsible(false);
  connect(this, &QSplitter::splitterMoved, this, [this] {
    const QList<int> heights = sizes();
    if (heights.size() == 2 && heights[0] + heights[1] > 0) {
      share_ = static_cast<double>(heights[0]) / (heights[0] + heights[1]);
    }
  });
}

void ProportionalSplitter::SetShare(double share) {
  share_ = share;
  ApplyShare();
}

void ProportionalSplitter::ShowPanes(bool first, bool second) {
  if (count() != 2) return;
  widget(0)->setVisible(first);
  widget(1)->setVisible(second);
  ApplyShare();
}

void ProportionalSplitter::resizeEvent(QResizeEvent* event) {
  QSplitter::resizeEvent(event);
  ApplyShare();
}

void ProportionalSplitter::ApplyShare() {
  if (count() != 2 || !(share_ > 1e-10)) return;
  if (widget(0)->isHidden() || widget(1)->isHidden()) return;
  const QList<int> heights = sizes();
  const int total = heights[0] + heights[1];
  if (total <= 0) return;
  const int first = static_cast<int>(total * share_);
  setSizes({first, total - first});
}

}  // namespace vorenta
