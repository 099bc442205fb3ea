// Drives modal dialogs from inside their own event loops: each step runs on
// the next modal window that appears (or only on message boxes), so a step
// may open another one (an error box inside a dialog) and the next step
// handles that. The script ends with its scope.
#pragma once

#include <QtWidgets>
#include <functional>
#include <memory>
#include <vector>

namespace quilmark::testing {

class ModalScript {
 public:
  using Step = std::function<void(QWidget*)>;

  explicit ModalScript(std::vector<Step> steps, bool messageBoxesOnly = false)
      : state_(std::make_shared<State>()) {
    state_->steps = std::move(steps);
    state_->boxesOnly = messageBoxesOnly;
    Poll(state_);
  }
  ~ModalScript() { state_->next = state_->steps.size(); }
  // The last step's window did not close by itself and was closed for it.
  bool StuckOpen() const { return state_->stuck; }

 private:
  struct State {
    std::vector<Step> steps;
    bool boxesOnly = false;
    std::size_t next = 0;
    QPointer<QWidget> last;
    bool stuck = false;
  };

  static void Poll(std::shared_ptr<State> state) {
    QTimer::singleShot(10, [state] {
      if (state->next >= state->steps.size()) return;
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr || modal == state->last || !modal->isVisible() ||
          (state->boxesOnly && qobject_cast<QMessageBox*>(modal) == nullptr)) {
        return Poll(state);
      }
      state->last = modal;
      // Scheduled before the step, which may block in a nested loop.
      if (++state->next < state->steps.size()) {
        Poll(state);
      } else {
        QTimer::singleShot(3000, [state] {
          if (state->last && state->last->isVisible()) {
            state->stuck = true;
            state->last->close();
          }
        });
      }
      state->steps[state->next - 1](modal);
    });
  }

  std::shared_ptr<State> state_;
};

template <typename T>
T* Child(QWidget* parent, const char* name) {
  return parent->findChild<T*>(QString::fromLatin1(name));
}

}  // namespace quilmark::testing
