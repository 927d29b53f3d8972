#include <QtTest>
#include <new>

#include "core/error.h"
#include "core/message_sink.h"
#include "tests/ui/fake_platform.h"
#include "ui/application.h"
#include "ui/error_display.h"

namespace {

// An object whose event handler fails, as a faulty slot or paint would.
class FailingReceiver : public QObject {
 public:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::User) throw vorenta::VorentaError("Periodogram method problem solving");
    return QObject::event(event);
  }
};

}  // namespace

class ApplicationTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void carriesTheApplicationTitle() { QCOMPARE(QApplication::applicationDisplayName(), QString("Vorenta")); }

  void anErrorEscapingAHandlerIsShownAndTheLoopGoesOn() {
    vorenta::testing::FakePlatform platform;
    auto* application = static_cast<vorenta::VorentaApplication*>(QCoreApplication::instance());
    application->SetPlatform(&platform);
    FailingReceiver receiver;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&receiver, &event);
    QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    application->SetPlatform(nullptr);
    QCOMPARE(platform.messages,
             QStringList({"Periodogram method problem solving", "Periodogram method problem solving"}));
  }

  void guardedHandlersShowTheirErrorText_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::newRow("user error") << 0 << QString("FileOpenClick: file \"x\" can't be open");
    QTest::newRow("memory") << 1 << QString::fromUtf8("Недостаточно памяти");
  }
  void guardedHandlersShowTheirErrorText() {
    QFETCH(int, kind);
    QFETCH(QString, text);
    vorenta::testing::FakePlatform platform;
    const bool finished = vorenta::RunGuarded(platform, nullptr, [kind] {
      if (kind == 0) throw vorenta::VorentaError("FileOpenClick: file \"x\" can't be open");
      throw std::bad_alloc();
    });
    QVERIFY(!finished);
    QCOMPARE(platform.messages, QStringList({text}));
    QVERIFY(vorenta::RunGuarded(platform, nullptr, [] {}));
  }
};

int main(int argc, char** argv) {
  vorenta::VorentaApplication application(argc, argv);
  ApplicationTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "application_test.moc"
