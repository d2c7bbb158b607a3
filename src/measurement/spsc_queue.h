#pragma once
// A bounded queue between one producer thread and one consumer thread that
// never blocks and never allocates after construction: the acquisition
// thread hands its completed points to the window through it.

#include <atomic>
#include <cstddef>
#include <memory>

template <typename T>
class SpscQueue {
 public:
  // Room for `capacity` items, allocated (and touched) here, before any thread uses it.
  explicit SpscQueue(size_t capacity) : size_(capacity + 1), slots_(std::make_unique<T[]>(size_)) {}
  SpscQueue(const SpscQueue &) = delete;
  SpscQueue &operator=(const SpscQueue &) = delete;

  // Producer only. False when the queue is full; nothing is written then.
  bool push(const T &item) {
    const size_t tail = tail_.load(std::memory_order_relaxed);
    const size_t next = tail + 1 == size_ ? 0 : tail + 1;
    if (next == head_.load(std::memory_order_acquire)) return false;
    slots_[tail] = item;
    tail_.store(next, std::memory_order_release);
    return true;
  }

  // Consumer only. False when the queue is empty.
  bool pop(T &item) {
    const size_t head = head_.load(std::memory_order_relaxed);
    if (head == tail_.load(std::memory_order_acquire)) return false;
    item = slots_[head];
    head_.store(head + 1 == size_ ? 0 : head + 1, std::memory_order_release);
    return true;
  }

  size_t capacity() const { return size_ - 1; }

 private:
  const size_t size_;  // one slot stays free to tell full from empty
  std::unique_ptr<T[]> slots_;
  // Apart, so the two threads do not share a cache line.
  alignas(64) std::atomic<size_t> head_{0};
  alignas(64) std::atomic<size_t> tail_{0};
};
