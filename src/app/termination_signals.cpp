#include "app/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <csignal>

namespace {

const int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

volatile std::sig_atomic_t received = 0;
// Written by the handler, read by the event loop: the self-pipe.
int wakePipe[2] = {-1, -1};

extern "C" void noteSignal(int signal) {
  if (received == 0) received = signal;
  if (wakePipe[1] >= 0) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(wakePipe[1], &byte, 1);
  }
  // The next one of this kind ends the program at once.
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  sigaction(signal, &fallback, nullptr);
}

}  // namespace

void catchTerminationSignals() {
  if (wakePipe[0] < 0 && ::pipe(wakePipe) == 0) {
    for (int fd : wakePipe) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    for (int fd : wakePipe) ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  struct sigaction action {};
  action.sa_handler = noteSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : kSignals) sigaction(signal, &action, nullptr);
}

int terminationSignal() { return received; }

QString terminationSignalName(int signal) {
  switch (signal) {
    case SIGTERM:
      return QStringLiteral("SIGTERM");
    case SIGINT:
      return QStringLiteral("SIGINT");
    case SIGHUP:
      return QStringLiteral("SIGHUP");
    default:
      return QStringLiteral("signal %1").arg(signal);
  }
}

int terminationExitCode(int signal) { return 128 + signal; }

void onTerminationSignal(QObject *context, std::function<void(int)> handler) {
  if (wakePipe[0] < 0) return;
  // A signal that came before left its byte in the pipe, so this fires then too.
  auto *notifier = new QSocketNotifier(wakePipe[0], QSocketNotifier::Read, context);
  QObject::connect(notifier, &QSocketNotifier::activated, context, [notifier, handler] {
    char bytes[16];
    while (::read(wakePipe[0], bytes, sizeof bytes) > 0) {
    }
    notifier->setEnabled(false);
    handler(received);
  });
}
