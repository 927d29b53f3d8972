#include "ui/qt_platform.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QWidget>

namespace vorenta {

namespace {

// X11 keysyms of the two Control keys; other platforms report Control
// without a side, which counts as the left key.
constexpr quint32 kLeftControlKeysym = 0xffe3;
constexpr quint32 kRightControlKeysym = 0xffe4;

}  // namespace

QtPlatform::QtPlatform() { qApp->installEventFilter(this); }

QtPlatform::~QtPlatform() {
  if (qApp != nullptr) qApp->removeEventFilter(this);
}

void QtPlatform::ShowMessage(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, "Vorenta", text, QMessageBox::Ok);
}

bool QtPlatform::RunModal(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

QString QtPlatform::ChooseOpenFile(QWidget* parent, const OpenFileRequest& request) {
  QFileDialog dialog(parent);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setNameFilter(request.filter);
  dialog.setDefaultSuffix(request.defaultSuffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

QString QtPlatform::ChooseSaveFile(QWidget* parent, const SaveFileRequest& request) {
  QFileDialog dialog(parent);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(request.defaultSuffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

void QtPlatform::SetClipboardText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

void QtPlatform::SetClipboardImage(const QImage& image) { QGuiApplication::clipboard()->setImage(image); }

bool QtPlatform::IsLeftControlDown() const {
  const bool control = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
  return control && (leftControl_ || !rightControl_);
}

bool QtPlatform::IsRightControlDown() const {
  const bool control = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
  return control && rightControl_;
}

bool QtPlatform::IsCapsLockOn() const { return capsLock_; }

void QtPlatform::ConfineCursor(const QRect& globalRect) {
  confinement_ = globalRect;
  confined_ = true;
}

void QtPlatform::ReleaseCursor() { confined_ = false; }

void QtPlatform::BringForward(QWidget* window) {
  if (window == nullptr) return;
  window->raise();
  window->activateWindow();
}

bool QtPlatform::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool down = type == QEvent::KeyPress;
    if (key->key() == Qt::Key_Control) {
      if (key->nativeVirtualKey() == kRightControlKeysym) {
        rightControl_ = down;
      } else if (key->nativeVirtualKey() == kLeftControlKeysym || !rightControl_) {
        leftControl_ = down;
      }
    } else if (key->key() == Qt::Key_CapsLock && down && !key->isAutoRepeat()) {
      capsLock_ = !capsLock_;
    }
  } else if (type == QEvent::MouseMove && confined_) {
    const QPoint position = QCursor::pos();
    const QPoint limited(std::clamp(position.x(), confinement_.left(), confinement_.right()),
                         std::clamp(position.y(), confinement_.top(), confinement_.bottom()));
    if (limited != position) QCursor::setPos(limited);
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace vorenta
