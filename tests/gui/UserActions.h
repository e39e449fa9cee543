#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolTip>
#include <QWidget>
#include <functional>

// What a test does when a modal window opens: the window is handled from inside its own
// event loop, as a user would answer it. The handler runs on the first modal window of type
// Window that appears within five seconds.
template <typename Window>
void whenModalOpens(std::function<void(Window*)> handle) {
  auto* poll = new QTimer;
  auto* clock = new QElapsedTimer;
  clock->start();
  QObject::connect(poll, &QTimer::timeout, [poll, clock, handle] {
    if (auto* window = qobject_cast<Window*>(QApplication::activeModalWidget())) {
      poll->stop();
      poll->deleteLater();
      delete clock;
      handle(window);
    } else if (clock->elapsed() > 5000) {
      poll->stop();
      poll->deleteLater();
      delete clock;
    }
  });
  poll->start(10);
}

// Whether a modal window is open once pending events have been handled.
inline bool modalWindowOpen() {
  QApplication::processEvents();
  return QApplication::activeModalWidget() != nullptr;
}

// A control of `window` by its designer name, as the window's object names give it; the test
// fails at once when there is none.
template <typename Control>
Control* control(const QObject& window, const char* name) {
  Control* found = window.findChild<Control*>(name);
  if (found == nullptr) {
    qFatal("no control named %s", name);
  }
  return found;
}

// The top-level window with this object name, or none.
template <typename Window = QWidget>
Window* topLevelWindow(const char* name) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == name) {
      return qobject_cast<Window*>(window);
    }
  }
  return nullptr;
}

// The text of the tooltip on the screen as the user reads it, one line per paragraph; empty
// while none shows.
inline QString shownTooltip() {
  if (!QToolTip::isVisible()) {
    return {};
  }
  return Qt::mightBeRichText(QToolTip::text())
             ? QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText()
             : QToolTip::text();
}
