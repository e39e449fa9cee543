#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "Calculation.h"
#include "RowTable.h"
#include "TableHistory.h"

class QAction;
class QFileDialog;
class QLineEdit;
class QMenu;
class QToolButton;
class RowTableModel;
class TForm2;
class TForm3;
class TInfoForm;
class TListView;
class ValueTableWindow;

// The main window: the table of rows, the command bar with its seven picture buttons, the
// variables bar with x, y and z, the main menu and the table's context menu. Every command is
// one action, made once in createActions() and put into the menus and onto the buttons, so a
// menu item and its button are the same command. The window owns what it shows: the row
// table with its history, and the help, print preview and info windows.
//
// Every command that changes the table goes through the history, so that Undo (Ctrl+Z) takes
// it back as one step and Redo (Ctrl+Y, Ctrl+Shift+Z) does it again; both are in the table's
// context menu and work wherever the focus is, except in a text editor with text changes of
// its own to take back (see FieldUndoFilter).
//
// Controls and actions carry their designer names as object names, by which tests find them:
// the buttons SpeedButton9, 1, 2, 6, 3, 7, 8; the fields Edit1 (x), Edit2 (y), Edit3 (z); the
// table ListView1 with its menu PopupMenu1; the dialogs OpenDialog1 and SaveDialog1; and the
// actions Neu1, ffnen1, Speichern1, Print1, Schlieen1, GanzesFormular1, DieseZeile1, ValueTable1,
// Hilfe1, Info2, Onerowup1, Oneowdown1, Undo1 and Redo1, named after the menu items that show
// them (AddRow and DeleteRow are on buttons only, EditTerm on no control). In the table,
// Insert, Delete and Return run AddRow, DeleteRow and EditTerm.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  numora::RowTable& table() { return table_; }

  // The decimal separator of the window's calculations: the user's, read again whenever the
  // user's locale changes.
  char decimalSeparator() const { return decimalSeparator_; }
  void setDecimalSeparator(char separator) { decimalSeparator_ = separator; }

  // Creates the info window, hidden; its credits start scrolling from now on.
  void createInfoWindow();
  // Opens the table file at `path` as File > Open does once a file is chosen.
  void openTableFile(const std::string& path);
  // Opens the table named on the command line: as File > Open, but as part of the start, so
  // it is no step that undo takes back.
  void openTableAtStart(const std::string& path);
  // What a calculation reads now: the texts of the fields x, y and z and the separator.
  numora::CalculationInputs calculationInputs() const;

 protected:
  void changeEvent(QEvent* event) override;

 private slots:
  void SpeedButton9Click();  // new table
  void SpeedButton1Click();  // save table
  void SpeedButton2Click();  // open table
  void SpeedButton6Click();  // add row
  void SpeedButton3Click();  // delete row
  void SpeedButton7Click();  // calculate row
  void SpeedButton8Click();  // calculate all
  void ListView1DblClick();  // edit term
  void Onerowup1Click();     // move row up
  void Oneowdown1Click();    // move row down
  void Print1Click();        // print table
  void Hilfe1Click();        // show the help window
  void Info2Click();         // show the info window
  void ValueTable1Click();   // show the value table window
  void Undo1Click();         // take back the last step
  void Redo1Click();         // do the last step taken back again

 private:
  void createActions();
  void createCommandBar();
  void createVariablesBar();
  void createTable();
  void createMenus();
  void createTableKeys();
  void createDialogs();
  QToolButton* pictureButton(const char* name, int left, QAction* action);
  // Runs a command of the history as one user command, then shows what can be undone now.
  void runTableCommand(const std::function<void()>& command);
  // Runs a row command on the selected index and selects what the command reports.
  void runRowCommand(int (numora::TableHistory::*command)(int));
  // Enables Undo and Redo as the history has a step to take back or to do again.
  void showUndoState();

  numora::RowTable table_;
  numora::TableHistory history_{table_};
  char decimalSeparator_;

  QAction* newTableAction_;
  QAction* saveTableAction_;
  QAction* openTableAction_;
  QAction* addRowAction_;
  QAction* deleteRowAction_;
  QAction* calculateRowAction_;
  QAction* calculateAllAction_;
  QAction* valueTableAction_;
  QAction* printAction_;
  QAction* exitAction_;
  QAction* helpAction_;
  QAction* infoAction_;
  QAction* rowUpAction_;
  QAction* rowDownAction_;
  QAction* undoAction_;
  QAction* redoAction_;
  QAction* editTermAction_;  // Return in the table; double-click runs the same

  QWidget* CoolBar1;
  QWidget* ToolBar1;
  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QLineEdit* Edit3;
  TListView* ListView1;
  RowTableModel* model_;
  QMenu* PopupMenu1;
  QFileDialog* OpenDialog1;
  QFileDialog* SaveDialog1;

  std::unique_ptr<TForm2> help_;
  std::unique_ptr<TForm3> preview_;
  std::unique_ptr<TInfoForm> info_;
  std::unique_ptr<ValueTableWindow> valueTable_;  // made when first shown
};
