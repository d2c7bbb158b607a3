#include "measurement/thread_priority.h"

#include <pthread.h>
#include <sched.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <mutex>

namespace {

// The middle of SCHED_FIFO's 1..99.
constexpr int kFifoPriority = 50;

// The sanitizers map terabytes of shadow memory that must not be locked.
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
constexpr bool kMayLockMemory = false;
#else
constexpr bool kMayLockMemory = true;
#endif

// Kept on the processor it runs on: a wake-up then needs no call to another
// processor, which on a virtual machine can come milliseconds late.
void stayOnThisProcessor() {
  const int cpu = sched_getcpu();
  if (cpu < 0) return;
  cpu_set_t one;
  CPU_ZERO(&one);
  CPU_SET(cpu, &one);
  pthread_setaffinity_np(pthread_self(), sizeof one, &one);
}

void takeBestNiceValue() {
  const pid_t thread = static_cast<pid_t>(syscall(SYS_gettid));
  for (int nice = -20; nice < 0; ++nice)
    if (setpriority(PRIO_PROCESS, static_cast<id_t>(thread), nice) == 0) return;
}

}  // namespace

ThreadPriority raiseCurrentThreadPriority() {
  sched_param param{};
  param.sched_priority = kFifoPriority;
  if (pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0) {
    stayOnThisProcessor();
    return ThreadPriority::RealTime;
  }
  takeBestNiceValue();
  return ThreadPriority::Normal;
}

// Once per process: a lock is kept, and taking it again walks every mapping.
// Only what is mapped now, so a memory limit cannot make a later allocation fail.
void lockProcessMemory() {
  static std::once_flag once;
  if (kMayLockMemory) std::call_once(once, [] { mlockall(MCL_CURRENT); });
}

QString priorityText(ThreadPriority priority) {
  switch (priority) {
    case ThreadPriority::RealTime:
      return QStringLiteral("real-time priority");
    case ThreadPriority::Normal:
      return QStringLiteral("normal priority: points may be lost under load");
    case ThreadPriority::VirtualTime:
      break;
  }
  return QStringLiteral("virtual clock");
}
