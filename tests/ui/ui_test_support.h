#pragma once
// Helpers shared by the UI tests: finding controls by name (failing loudly),
// synthetic mouse events with an explicit button state, and small data files.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

namespace vorenta::testing {

// The child of `parent` called `name`; the test fails when it is missing.
template <class Widget>
Widget* Find(QObject* parent, const char* name) {
  auto* widget = parent->findChild<Widget*>(name);
  if (widget == nullptr) qFatal("control %s of the expected type is missing", name);
  return widget;
}

inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint position, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
  QMouseEvent event(type, QPointF(position), widget->mapToGlobal(QPointF(position)), button, buttons,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

// Press at `from`, moves through `to`, release at `to`, left button.
inline void Drag(QWidget* widget, QPoint from, QPoint to) {
  SendMouse(widget, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  SendMouse(widget, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
  SendMouse(widget, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

inline QString WriteFile(const QString& folder, const QString& name, const QByteArray& content) {
  const QString path = QDir(folder).filePath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
  file.write(content);
  return path;
}

}  // namespace vorenta::testing
