#pragma once

#include <QMainWindow>

#include "Calculation.h"
#include "RowTable.h"

class QAction;
class QFileDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;
class RowTableModel;
class TListView;

// The main window: the table of rows, the command bar with its seven picture buttons, the
// variables bar with x, y and z, the main menu and the table's context menu. Every control runs
// one command of the core, shows a secondary window or closes the window.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  numora::RowTable& table() { return table_; }
  numora::CalculationInputs calculationInputs() const;

  // Command bar.
  QWidget* CoolBar1;
  QToolButton* SpeedButton9;
  QToolButton* SpeedButton1;
  QToolButton* SpeedButton2;
  QToolButton* SpeedButton6;
  QToolButton* SpeedButton3;
  QToolButton* SpeedButton7;
  QToolButton* SpeedButton8;
  // Variables bar.
  QWidget* ToolBar1;
  QLabel* Label1;
  QLineEdit* Edit1;
  QLabel* Label3;
  QLineEdit* Edit2;
  QLabel* Label2;
  QLineEdit* Edit3;
  // The table and its menus and dialogs.
  TListView* ListView1;
  QMenu* PopupMenu1;
  QAction* Onerowup1;
  QAction* Oneowdown1;
  QFileDialog* OpenDialog1;
  QFileDialog* SaveDialog1;
  // Main menu.
  QAction* Neu1;
  QAction* ffnen1;
  QAction* Speichern1;
  QAction* Print1;
  QAction* Schlieen1;
  QAction* GanzesFormular1;
  QAction* DieseZeile1;
  QAction* Hilfe1;
  QAction* Info2;

 public slots:
  void SpeedButton9Click();  // new table
  void SpeedButton1Click();  // save table
  void SpeedButton2Click();  // open table
  void SpeedButton6Click();  // add row
  void SpeedButton3Click();  // delete row
  void SpeedButton7Click();  // calculate row
  void SpeedButton8Click();  // calculate all
  void ListView1DblClick();  // edit term
  void Onerowup1Click();
  void Oneowdown1Click();
  void Neu1Click();
  void ffnen1Click();
  void Speichern1Click();
  void Print1Click();
  void Schlieen1Click();
  void GanzesFormular1Click();
  void DieseZeile1Click();
  void Hilfe1Click();
  void Info2Click();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void createCommandBar();
  void createVariablesBar();
  void createTable();
  void createMainMenu();
  void createDialogs();
  QToolButton* pictureButton(const char* name, int left, const char* hint, const char* picture,
                             void (TForm1::*handler)());
  // Runs a row command on the selected index and selects what the command reports.
  void runRowCommand(int (*command)(numora::RowTable&, int));

  numora::RowTable table_;
  char decimalSeparator_;
  RowTableModel* model_;
};

// The main window, reachable from every handler.
extern TForm1* Form1;
