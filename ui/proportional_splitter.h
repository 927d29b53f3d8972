#pragma once
// A two-pane vertical splitter that keeps the first pane's share of the
// height when the splitter is resized. Moving the handle stores the share
// (first height / (first + second)); on every resize the first pane gets
// trunc(total * share) when the share exceeds 1e-10. A share of 0 is never
// applied: the pane that remains shown fills the area.

#include <QSplitter>

namespace vorenta {

class ProportionalSplitter : public QSplitter {
  Q_OBJECT

 public:
  ProportionalSplitter(const QString& objectName, double share, QWidget* parent = nullptr);

  double Share() const { return share_; }
  // Stores `share` and applies it at once (when above 1e-10).
  void SetShare(double share);
  // Shows or hides each pane (a hidden pane takes no height).
  void ShowPanes(bool first, bool second);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ApplyShare();

  double share_;
};

}  // namespace vorenta
