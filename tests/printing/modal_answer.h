#pragma once
// Answers the next modal dialog of type T once it is up.

#include <QApplication>
#include <QTimer>
#include <functional>

template <typename T>
void answerModal(std::function<void(T *)> answer, int triesLeft = 250) {
  QTimer::singleShot(20, [answer, triesLeft] {
    if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
      answer(dialog);
      return;
    }
    if (triesLeft > 0) answerModal<T>(answer, triesLeft - 1);
  });
}
