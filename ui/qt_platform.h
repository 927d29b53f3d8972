#pragma once
// The production Platform: Qt's dialogs and clipboard. Qt reports Control as
// one modifier, so the left and right keys are told apart from the native key
// codes of the key events this object watches application-wide; Caps Lock is
// followed the same way. Cursor confinement pulls the cursor back inside the
// rectangle on every mouse move.

#include <QObject>

#include "ui/platform.h"

namespace vorenta {

class QtPlatform : public QObject, public Platform {
  Q_OBJECT

 public:
  // Installs the key and mouse watcher on the running QApplication.
  QtPlatform();
  ~QtPlatform() override;

  void ShowMessage(QWidget* parent, const QString& text) override;
  bool RunModal(QDialog& dialog) override;
  QString ChooseOpenFile(QWidget* parent, const OpenFileRequest& request) override;
  QString ChooseSaveFile(QWidget* parent, const SaveFileRequest& request) override;
  void SetClipboardText(const QString& text) override;
  void SetClipboardImage(const QImage& image) override;
  bool IsLeftControlDown() const override;
  bool IsRightControlDown() const override;
  bool IsCapsLockOn() const override;
  void ConfineCursor(const QRect& globalRect) override;
  void ReleaseCursor() override;
  void BringForward(QWidget* window) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool leftControl_ = false;
  bool rightControl_ = false;
  bool capsLock_ = false;
  bool confined_ = false;
  QRect confinement_;
};

}  // namespace vorenta
