#pragma once
// The services of the windowing system that the handlers use and that tests
// must control: message boxes, modal dialogs, file dialogs, clipboard, key
// state, cursor confinement and bringing a window forward. Production passes
// QtPlatform; tests pass a fake with canned answers, so no real modal dialog
// ever opens under test.

#include <QImage>
#include <QRect>
#include <QString>

class QDialog;
class QWidget;

namespace vorenta {

// What an open-file dialog is asked to show. The filter uses Qt's syntax,
// entries separated by ";;"; the first is selected.
struct OpenFileRequest {
  QString filter;
  QString defaultSuffix;
};

// What a save-file dialog is asked to show; the dialog confirms overwriting.
struct SaveFileRequest {
  QString defaultSuffix;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // A modal message box titled "Vorenta" with `text` and an OK button.
  virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
  // Runs `dialog` modally; true when it closed with OK (accepted).
  virtual bool RunModal(QDialog& dialog) = 0;
  // The chosen existing file, or an empty string when cancelled.
  virtual QString ChooseOpenFile(QWidget* parent, const OpenFileRequest& request) = 0;
  // The chosen file name to write, or an empty string when cancelled.
  virtual QString ChooseSaveFile(QWidget* parent, const SaveFileRequest& request) = 0;
  virtual void SetClipboardText(const QString& text) = 0;
  virtual void SetClipboardImage(const QImage& image) = 0;
  // The state of each Control key separately, at the time of the call.
  virtual bool IsLeftControlDown() const = 0;
  virtual bool IsRightControlDown() const = 0;
  virtual bool IsCapsLockOn() const = 0;
  // Keeps the mouse cursor inside `globalRect` until ReleaseCursor.
  virtual void ConfineCursor(const QRect& globalRect) = 0;
  virtual void ReleaseCursor() = 0;
  // Raises `window` and gives it the keyboard focus.
  virtual void BringForward(QWidget* window) = 0;
};

}  // namespace vorenta
