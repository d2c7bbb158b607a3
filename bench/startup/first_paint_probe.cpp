// Preloaded (LD_PRELOAD) into an unchanged Qt Widgets program: once the first
// paint of a widget is done and flushed, it appends the wall-clock time in
// microseconds to the file STARTUP_PROBE_OUT names and ends the process, so
// nothing of the program's shutdown is timed.
#include <unistd.h>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <string>

namespace {

void reportAndEnd() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const long long micros = static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
  if (FILE *out = std::fopen(qgetenv("STARTUP_PROBE_OUT").constData(), "a")) {
    std::fputs((std::to_string(micros) + '\n').c_str(), out);
    std::fclose(out);
  }
  _exit(0);
}

class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() == QEvent::Paint && watched->isWidgetType() && !seen_) {
      seen_ = true;
      // The widgets of the window paint within this event; the backing store
      // is flushed before the event loop turns again.
      QTimer::singleShot(0, reportAndEnd);
    }
    return false;
  }

 private:
  bool seen_ = false;
};

void installProbe() { QCoreApplication::instance()->installEventFilter(new FirstPaint); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
