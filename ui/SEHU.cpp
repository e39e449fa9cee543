#include "SEHU.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <iterator>

#include "FaultBox.h"
#include "HHU.h"
#include "ListView.h"
#include "PHU.h"
#include "PrintPage.h"
#include "RowCommands.h"
#include "RowTableModel.h"
#include "TableFile.h"
#include "TableFileDialog.h"
#include "TermBox.h"
#include "UndoKeys.h"
#include "UserLocale.h"
#include "ValueTableWindow.h"
#include "WCIU.h"
#include "WindowLook.h"

namespace {

constexpr int CommandBarHeight = 33;
constexpr int VariablesBarHeight = 31;

// A spacer, label or field of the variables bar at its left edge.
template <typename Control>
Control* placeOnBar(Control* control, int left, int width) {
  control->setGeometry(left, 2, width, 20);
  return control;
}

// A picture whose magenta pixels are transparent.
QPixmap maskedPicture(const QString& file) {
  QPixmap picture(file);
  picture.setMask(picture.createMaskFromColor(QColor(255, 0, 255), Qt::MaskInColor));
  return picture;
}

// A button's picture in its two drawings, 16 x 16 and 32 x 32; a screen scaled to twice the
// size shows the larger one.
QIcon buttonPicture(const char* name) {
  QIcon icon(maskedPicture(QString(":/buttons/%1.png").arg(name)));
  icon.addPixmap(maskedPicture(QString(":/buttons/%1@2x.png").arg(name)));
  return icon;
}

}  // namespace

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent), decimalSeparator_(numora::userDecimalSeparator()) {
  setObjectName("Form1");
  setWindowTitle("Numora");
  setWindowIcon(QIcon(":/numora.png"));
  setFont(windowLook::windowFont());
  setAutoFillBackground(true);
  createActions();
  createCommandBar();
  createVariablesBar();
  createTable();
  createMenus();
  createTableKeys();
  createDialogs();

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(CoolBar1);
  layout->addWidget(ToolBar1);
  layout->addWidget(ListView1, 1);
  setCentralWidget(central);
  // The table comes first in the keyboard order and has the focus when the window opens.
  setTabOrder(ListView1, Edit1);
  setTabOrder(Edit1, Edit2);
  setTabOrder(Edit2, Edit3);
  ListView1->setFocus();

  windowLook::placeWindow(this, 212, 115, 702, 497);

  help_ = std::make_unique<TForm2>();
  preview_ = std::make_unique<TForm3>();
}

TForm1::~TForm1() {
  // The table goes before the window's children do: nothing may show it any more.
  ListView1->setModel(nullptr);
  delete model_;
}

void TForm1::createInfoWindow() {
  if (!info_) {
    info_ = std::make_unique<TInfoForm>();
  }
}

numora::CalculationInputs TForm1::calculationInputs() const {
  return {Edit1->text().toStdString(), Edit2->text().toStdString(), Edit3->text().toStdString(),
          decimalSeparator_};
}

// Each command once, as an action: its menu caption, the hint its button shows, its picture
// and its shortcut. The menus and the buttons only show these actions.
void TForm1::createActions() {
  const auto action = [this](const char* name, const char* caption, void (TForm1::*command)()) {
    auto* made = new QAction(caption, this);
    made->setObjectName(name);
    connect(made, &QAction::triggered, this, command);
    return made;
  };
  const auto onButton = [](QAction* made, const char* hint, const char* picture) {
    made->setToolTip(hint);
    made->setIcon(buttonPicture(picture));
    made->setIconVisibleInMenu(false);
    return made;
  };
  newTableAction_ =
      onButton(action("Neu1", "&New", &TForm1::SpeedButton9Click), "New table", "new");
  saveTableAction_ =
      onButton(action("Speichern1", "&Save", &TForm1::SpeedButton1Click), "Save table", "save");
  saveTableAction_->setShortcut(QKeySequence("Ctrl+S"));
  openTableAction_ =
      onButton(action("ffnen1", "&Open", &TForm1::SpeedButton2Click), "Open table", "open");
  openTableAction_->setShortcut(QKeySequence("Ctrl+O"));
  addRowAction_ =
      onButton(action("AddRow", "Add new line", &TForm1::SpeedButton6Click), "Add new line", "add");
  deleteRowAction_ =
      onButton(action("DeleteRow", "Delete selected line", &TForm1::SpeedButton3Click),
               "Delete selected line", "delete");
  calculateRowAction_ = onButton(action("DieseZeile1", "&Selected row", &TForm1::SpeedButton7Click),
                                 "Calculate row", "row");
  calculateAllAction_ = onButton(action("GanzesFormular1", "&All", &TForm1::SpeedButton8Click),
                                 "Calculate all", "all");
  valueTableAction_ = action("ValueTable1", "&Value table...", &TForm1::ValueTable1Click);
  printAction_ = action("Print1", "&Print", &TForm1::Print1Click);
  exitAction_ = new QAction("E&xit", this);
  exitAction_->setObjectName("Schlieen1");
  connect(exitAction_, &QAction::triggered, this, &QWidget::close);
  helpAction_ = action("Hilfe1", "&Help", &TForm1::Hilfe1Click);
  infoAction_ = action("Info2", "&Info", &TForm1::Info2Click);
  rowUpAction_ = action("Onerowup1", "One row u&p", &TForm1::Onerowup1Click);
  rowDownAction_ = action("Oneowdown1", "One ow do&wn", &TForm1::Oneowdown1Click);
  undoAction_ = action("Undo1", "&Undo", &TForm1::Undo1Click);
  undoAction_->setShortcuts(undoKeys());
  redoAction_ = action("Redo1", "&Redo", &TForm1::Redo1Click);
  redoAction_->setShortcuts(redoKeys());
  // The window holds them too, so their keys work whichever of its controls has the focus.
  addActions({undoAction_, redoAction_});
  editTermAction_ = action("EditTerm", "Edit term", &TForm1::ListView1DblClick);
  showUndoState();
}

// The table's own keys, active only while the table itself has the focus (not its Name
// editor): Insert adds a row, Delete deletes the selected one, Return or Enter edits its Term
// as a double-click does. F2 edits the Name (TListView).
void TForm1::createTableKeys() {
  const auto tableKeys = [this](QAction* command, const QList<QKeySequence>& keys) {
    command->setShortcuts(keys);
    command->setShortcutContext(Qt::WidgetShortcut);
    ListView1->addAction(command);
  };
  tableKeys(addRowAction_, {QKeySequence(Qt::Key_Insert)});
  tableKeys(deleteRowAction_, {QKeySequence(Qt::Key_Delete)});
  tableKeys(editTermAction_, {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
}

QToolButton* TForm1::pictureButton(const char* name, int left, QAction* action) {
  auto* button = new QToolButton(CoolBar1);
  button->setObjectName(name);
  button->setDefaultAction(action);
  button->setGeometry(left, 2, 33, 25);
  button->setIconSize(QSize(16, 16));
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setAccessibleName(action->toolTip());
  return button;
}

void TForm1::createCommandBar() {
  CoolBar1 = new QWidget(this);
  CoolBar1->setObjectName("CoolBar1");
  CoolBar1->setAccessibleName("Commands");
  CoolBar1->setFixedHeight(CommandBarHeight);
  pictureButton("SpeedButton9", 8, newTableAction_);
  pictureButton("SpeedButton1", 48, saveTableAction_);
  pictureButton("SpeedButton2", 88, openTableAction_);
  pictureButton("SpeedButton6", 128, addRowAction_);
  pictureButton("SpeedButton3", 168, deleteRowAction_);
  pictureButton("SpeedButton7", 208, calculateRowAction_);
  pictureButton("SpeedButton8", 248, calculateAllAction_);
}

void TForm1::createVariablesBar() {
  ToolBar1 = new QWidget(this);
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setAccessibleName("Variables");
  ToolBar1->setFixedHeight(VariablesBarHeight);
  const auto label = [this](const char* name, const char* caption, int left, int width) {
    auto* label = placeOnBar(new QLabel(caption, ToolBar1), left, width);
    label->setObjectName(name);
    label->setFont(windowLook::variableLabelFont());
  };
  auto* undoKeysFilter = new FieldUndoFilter(this);
  const auto field = [this, undoKeysFilter](const char* name, const char* variable, int left) {
    auto* field = placeOnBar(new QLineEdit("1", ToolBar1), left, 55);
    field->setObjectName(name);
    field->setAccessibleName(variable);
    undoKeysFilter->watch(field);
    return field;
  };
  const auto spacer = [this](const char* name, int left) {
    placeOnBar(new QWidget(ToolBar1), left, 15)->setObjectName(name);
  };
  // Each label may run on over the empty spacer panel behind it, so "=" stays readable where
  // the system's face is wider than the window's.
  spacer("Panel1", 32);
  spacer("Panel3", 134);
  spacer("Panel2", 237);
  label("Label1", "  x  =", 0, 32 + 15);
  Edit1 = field("Edit1", "x", 47);
  label("Label3", "  y  =", 102, 32 + 15);
  Edit2 = field("Edit2", "y", 149);
  label("Label2", "  z  =", 204, 33 + 15);
  Edit3 = field("Edit3", "z", 252);
}

void TForm1::createTable() {
  ListView1 = new TListView(this);
  ListView1->setObjectName("ListView1");
  ListView1->setAccessibleName("Table");
  model_ = new RowTableModel(
      table_, history_, [this] { return calculationInputs(); }, this);
  connect(model_, &RowTableModel::nameStored, this, &TForm1::showUndoState);
  connect(model_, &RowTableModel::nameStored, model_, &RowTableModel::resultStatusChanged);
  // Whether a Result is current depends on the variables it was calculated with.
  for (QLineEdit* field : {Edit1, Edit2, Edit3}) {
    connect(field, &QLineEdit::textChanged, model_, &RowTableModel::resultStatusChanged);
  }
  ListView1->setModel(model_);
  constexpr int widths[] = {140, 400, 100, 28};
  static_assert(std::size(widths) == RowTableModel::ColumnCount, "every column has a width");
  for (int column = 0; column < RowTableModel::ColumnCount; ++column) {
    ListView1->header()->resizeSection(column, widths[column]);
  }
  connect(ListView1, &QTreeView::doubleClicked, this, &TForm1::ListView1DblClick);
}

void TForm1::createMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("Datei1");
  file->addActions(
      {newTableAction_, openTableAction_, saveTableAction_, printAction_, exitAction_});
  QMenu* calculate = menuBar()->addMenu("&Calculate");
  calculate->setObjectName("Berechnen1");
  calculate->addActions({calculateAllAction_, calculateRowAction_, valueTableAction_});
  QMenu* info = menuBar()->addMenu("&?");
  info->setObjectName("Info1");
  info->addActions({helpAction_, infoAction_});

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  PopupMenu1->addActions({rowUpAction_, rowDownAction_});
  PopupMenu1->addSeparator();
  PopupMenu1->addActions({undoAction_, redoAction_});
  connect(ListView1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(ListView1->viewport()->mapToGlobal(at)); });
}

void TForm1::createDialogs() {
  OpenDialog1 = tableFileDialog(this, "OpenDialog1", QFileDialog::AcceptOpen);
  SaveDialog1 = tableFileDialog(this, "SaveDialog1", QFileDialog::AcceptSave);
}

// After the command, and before a fault it raised is shown, the Result cells show what the
// command made of the Results' status and marks.
void TForm1::runTableCommand(const std::function<void()>& command) {
  runCommand(this, [&] {
    const struct ShowStatus {
      RowTableModel* model;
      ~ShowStatus() { model->resultStatusChanged(); }
    } showStatus{model_};
    command();
  });
  showUndoState();
}

void TForm1::runRowCommand(int (numora::TableHistory::*command)(int)) {
  runTableCommand([&] { ListView1->selectIndex((history_.*command)(ListView1->selectedIndex())); });
}

void TForm1::showUndoState() {
  undoAction_->setEnabled(history_.canUndo());
  undoAction_->setText(undoItemText(history_));
  redoAction_->setEnabled(history_.canRedo());
  redoAction_->setText(redoItemText(history_));
}

void TForm1::SpeedButton9Click() { runRowCommand(&numora::TableHistory::newTable); }

void TForm1::SpeedButton1Click() {
  runCommand(this, [&] {
    if (const auto file = chooseTableFile(*SaveDialog1)) {
      numora::saveTable(table_, *file);
    }
  });
}

void TForm1::SpeedButton2Click() {
  if (const auto file = chooseTableFile(*OpenDialog1)) {
    openTableFile(*file);
  }
}

void TForm1::openTableFile(const std::string& path) {
  runTableCommand([&] {
    ListView1->selectIndex(history_.openTable(ListView1->selectedIndex(), numora::readTable(path)));
  });
}

void TForm1::openTableAtStart(const std::string& path) {
  runTableCommand([&] {
    ListView1->selectIndex(
        numora::openTable(table_, ListView1->selectedIndex(), numora::readTable(path)));
  });
}

void TForm1::SpeedButton6Click() { runRowCommand(&numora::TableHistory::addRow); }

void TForm1::SpeedButton3Click() { runRowCommand(&numora::TableHistory::deleteRow); }

void TForm1::SpeedButton7Click() {
  runTableCommand([&] { history_.calculateRow(ListView1->selectedIndex(), calculationInputs()); });
}

void TForm1::SpeedButton8Click() {
  runTableCommand([&] {
    int rowInProgress = -1;
    history_.calculateAll(ListView1->selectedIndex(), calculationInputs(), rowInProgress);
  });
}

// Edit term: OK stores the typed text exactly as the row's Term; cancel leaves it as it was.
void TForm1::ListView1DblClick() {
  runTableCommand([&] {
    const int selected = ListView1->selectedIndex();
    if (selected < 0) {
      return;
    }
    const auto term = askForTerm(this, QString::fromStdString(table_.row(selected).term));
    if (term && table_.isRowIndex(selected)) {
      history_.storeTerm(selected, term->toStdString());
    }
  });
}

void TForm1::Onerowup1Click() { runRowCommand(&numora::TableHistory::moveRowUp); }

void TForm1::Oneowdown1Click() { runRowCommand(&numora::TableHistory::moveRowDown); }

void TForm1::Undo1Click() { runRowCommand(&numora::TableHistory::undo); }

void TForm1::Redo1Click() { runRowCommand(&numora::TableHistory::redo); }

void TForm1::Print1Click() {
  runCommand(this, [&] {
    const std::string path = numora::printPagePath();
    numora::writePrintPage(table_, path);
    preview_->showPage(QString::fromStdString(path));
  });
}

void TForm1::Hilfe1Click() { windowLook::showBeside(help_.get()); }

void TForm1::Info2Click() { windowLook::showBeside(info_.get()); }

// The value table window is made when first shown, so that its first range starts at the
// variable's field as it is then.
void TForm1::ValueTable1Click() {
  if (!valueTable_) {
    valueTable_ =
        std::make_unique<ValueTableWindow>(table_, [this] { return calculationInputs(); });
  }
  windowLook::showBeside(valueTable_.get());
}

// The user's locale changed: number texts from now on use its decimal separator.
void TForm1::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LocaleChange) {
    decimalSeparator_ = numora::userDecimalSeparator();
  }
  QMainWindow::changeEvent(event);
}
