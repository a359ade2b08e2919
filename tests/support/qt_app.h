// The one application object of a desktop test binary, made on first use. Tests run on the
// off-screen platform unless QT_QPA_PLATFORM already names one, so no display is needed.
// Header only: the support library itself does not link Qt.
#pragma once
#include <QApplication>
#include <QTimer>

#include <chrono>
#include <cstdlib>
#include <functional>

namespace rondix::fixture {

inline QApplication& TestApplication() {
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "rondix-test";
    static char* argv[] = {name, nullptr};
    return new QApplication(argc, argv);  // kept to the end: widgets may outlive tests
  }();
  return *app;
}

// Runs `step` every few milliseconds from the event loop (also inside modal windows) until
// it returns true; gives up after `limit`. The timer belongs to the caller's scope.
class Repeater {
 public:
  Repeater(std::function<bool()> step, std::chrono::milliseconds every = std::chrono::milliseconds(5)) {
    timer_.setInterval(every);
    QObject::connect(&timer_, &QTimer::timeout, [this, step = std::move(step)] {
      if (step()) timer_.stop();
    });
    timer_.start();
  }
  bool done() const { return !timer_.isActive(); }

 private:
  QTimer timer_;
};

}  // namespace rondix::fixture
