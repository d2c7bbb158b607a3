#pragma once
// Answers the next modal dialog from a timer, as a user would.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <memory>

// Calls `answer` with the first modal widget of type T that comes up (polling
// every 20 ms, for at most `timeoutMs`), from the event loop of the dialog
// that is about to run. Returns a flag that becomes true once it ran.
template <typename T = QWidget>
std::shared_ptr<bool> answerModal(std::function<void(T *)> answer, int timeoutMs = 5000) {
  auto done = std::make_shared<bool>(false);
  auto waited = std::make_shared<int>(0);
  // The pending timer holds the poll; the poll holds itself only weakly, so
  // it is released once the last timer has run.
  auto poll = std::make_shared<std::function<void()>>();
  const std::weak_ptr<std::function<void()>> self = poll;
  *poll = [=] {
    if (T *modal = qobject_cast<T *>(QApplication::activeModalWidget())) {
      *done = true;
      answer(modal);
      return;
    }
    *waited += 20;
    if (*waited < timeoutMs) QTimer::singleShot(20, [next = self.lock()] { (*next)(); });
  };
  QTimer::singleShot(20, [poll] { (*poll)(); });
  return done;
}

// Presses the message box button `button`, remembering the box's text; any
// other dialog that comes first is cancelled.
inline std::shared_ptr<bool> answerMessageBox(QMessageBox::StandardButton button, QString *text = nullptr) {
  return answerModal<QWidget>([=](QWidget *w) {
    auto *box = qobject_cast<QMessageBox *>(w);
    if (!box) {
      if (auto *dialog = qobject_cast<QDialog *>(w)) dialog->reject();
      return;
    }
    if (text) *text = box->text();
    box->button(button)->click();
  });
}
