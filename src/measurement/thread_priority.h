#pragma once
// The scheduling the acquisition thread gets: real-time where the process may
// have it, otherwise the best ordinary priority it may take.

#include <QString>

enum class ThreadPriority {
  RealTime,     // SCHED_FIFO
  Normal,       // the best nice value allowed
  VirtualTime,  // the instrument's clock is virtual: nothing to meet in real time
};

// Gives the calling thread SCHED_FIFO at a middle priority where that is
// allowed; otherwise the lowest nice value the process may set.
ThreadPriority raiseCurrentThreadPriority();

// Locks the process's memory, once, where that is allowed, so the real-time
// thread never waits for a page.
void lockProcessMemory();

// "real-time priority" and its like, for the status bar and the command line.
QString priorityText(ThreadPriority priority);
