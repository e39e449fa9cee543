#pragma once

// The set-up the tests of the main window share: before each test function a new main window,
// shown and active, as the user finds it; after it the window goes with everything it opened.

#include <QAction>
#include <QObject>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "ListView.h"
#include "MainWindowActions.h"
#include "SEHU.h"
#include "UserActions.h"

class MainWindowFixture : public QObject {
  Q_OBJECT

 protected slots:
  // Qt Test runs these around every test function of the classes derived from the fixture.
  void init() {
    window_ = openMainWindow();
    QVERIFY(window_->isActiveWindow());
    list_ = control<TListView>(*window_, "ListView1");
    prepare();
  }
  void cleanup() { window_.reset(); }

 protected:
  // What a test class puts into the new window before each of its test functions.
  virtual void prepare() {}

  QToolButton* button(const char* name) const { return control<QToolButton>(*window_, name); }
  QAction* action(const char* name) const { return control<QAction>(*window_, name); }
  void clickButton(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }

  std::unique_ptr<TForm1> window_;
  TListView* list_ = nullptr;
};
