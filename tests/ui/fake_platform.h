#pragma once
// A Platform with canned answers for headless tests: file names and dialog
// outcomes are queued or scripted, messages and clipboard contents recorded.

#include <QDialog>
#include <QStringList>
#include <functional>

#include "ui/platform.h"

namespace vorenta::testing {

class FakePlatform : public Platform {
 public:
  void ShowMessage(QWidget*, const QString& text) override { messages << text; }
  bool RunModal(QDialog& dialog) override {
    ++modalRuns;
    return modalAnswer ? modalAnswer(dialog) : false;
  }
  QString ChooseOpenFile(QWidget*, const OpenFileRequest& request) override {
    ++openRequests;
    lastOpenRequest = request;
    return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
  }
  QString ChooseSaveFile(QWidget*, const SaveFileRequest& request) override {
    ++saveRequests;
    lastSaveRequest = request;
    return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
  }
  void SetClipboardText(const QString& text) override { clipboardText = text; }
  void SetClipboardImage(const QImage& image) override { clipboardImage = image; }
  bool IsLeftControlDown() const override { return leftControl; }
  bool IsRightControlDown() const override { return rightControl; }
  bool IsCapsLockOn() const override { return capsLock; }
  void ConfineCursor(const QRect& rect) override { confinement = rect; }
  void ReleaseCursor() override { confinement = QRect(); }
  void BringForward(QWidget*) override { ++broughtForward; }

  QStringList messages;
  QStringList openAnswers;
  QStringList saveAnswers;
  // Decides the outcome of a modal dialog (and may operate it first);
  // unset means Cancel.
  std::function<bool(QDialog&)> modalAnswer;
  int modalRuns = 0;
  int openRequests = 0;
  int saveRequests = 0;
  OpenFileRequest lastOpenRequest;
  SaveFileRequest lastSaveRequest;
  QString clipboardText;
  QImage clipboardImage;
  bool leftControl = false;
  bool rightControl = false;
  bool capsLock = false;
  QRect confinement;
  int broughtForward = 0;
};

}  // namespace vorenta::testing
