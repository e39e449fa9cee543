#include "SEHU.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "FaultBox.h"
#include "HHU.h"
#include "ListView.h"
#include "PHU.h"
#include "PrintPage.h"
#include "RowCommands.h"
#include "RowTableModel.h"
#include "TableFile.h"
#include "UserLocale.h"
#include "WCIU.h"
#include "WindowLook.h"

TForm1* Form1 = nullptr;

namespace {

constexpr int CommandBarHeight = 33;
constexpr int VariablesBarHeight = 31;
constexpr int TermMaximumLength = 255;

// A spacer, label or field of the variables bar at its left edge.
template <typename Control>
Control* placeOnBar(Control* control, int left, int width) {
  control->setGeometry(left, 2, width, 20);
  return control;
}

QPixmap buttonPicture(const char* name) {
  QPixmap picture(QString(":/buttons/%1.png").arg(name));
  // Magenta marks the transparent pixels.
  picture.setMask(picture.createMaskFromColor(QColor(255, 0, 255), Qt::MaskInColor));
  return picture;
}

}  // namespace

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent), decimalSeparator_(numora::userDecimalSeparator()) {
  setObjectName("Form1");
  setWindowTitle("Numora");
  setWindowIcon(QIcon(":/numora.png"));
  setFont(windowLook::windowFont());
  setAutoFillBackground(true);
  createCommandBar();
  createVariablesBar();
  createTable();
  createMainMenu();
  createDialogs();

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(CoolBar1);
  layout->addWidget(ToolBar1);
  layout->addWidget(ListView1, 1);
  setCentralWidget(central);
  setTabOrder(ListView1, Edit1);
  setTabOrder(Edit1, Edit2);
  setTabOrder(Edit2, Edit3);

  windowLook::placeWindow(this, 212, 115, 702, 497);
}

TForm1::~TForm1() {
  // The table goes before the window's children do: nothing may show it any more.
  ListView1->setModel(nullptr);
  delete model_;
  if (Form1 == this) {
    Form1 = nullptr;
  }
}

numora::CalculationInputs TForm1::calculationInputs() const {
  return {Edit1->text().toStdString(), Edit2->text().toStdString(), Edit3->text().toStdString(),
          decimalSeparator_};
}

QToolButton* TForm1::pictureButton(const char* name, int left, const char* hint,
                                   const char* picture, void (TForm1::*handler)()) {
  auto* button = new QToolButton(CoolBar1);
  button->setObjectName(name);
  button->setGeometry(left, 2, 33, 25);
  button->setToolTip(hint);
  button->setIcon(buttonPicture(picture));
  button->setIconSize(QSize(16, 16));
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  connect(button, &QToolButton::clicked, this, handler);
  return button;
}

void TForm1::createCommandBar() {
  CoolBar1 = new QWidget(this);
  CoolBar1->setObjectName("CoolBar1");
  CoolBar1->setFixedHeight(CommandBarHeight);
  SpeedButton9 = pictureButton("SpeedButton9", 8, "New table", "new", &TForm1::SpeedButton9Click);
  SpeedButton1 =
      pictureButton("SpeedButton1", 48, "Save table", "save", &TForm1::SpeedButton1Click);
  SpeedButton2 =
      pictureButton("SpeedButton2", 88, "Open table", "open", &TForm1::SpeedButton2Click);
  SpeedButton6 =
      pictureButton("SpeedButton6", 128, "Add new line", "add", &TForm1::SpeedButton6Click);
  SpeedButton3 = pictureButton("SpeedButton3", 168, "Delete selected line", "delete",
                               &TForm1::SpeedButton3Click);
  SpeedButton7 =
      pictureButton("SpeedButton7", 208, "Calculate row", "row", &TForm1::SpeedButton7Click);
  SpeedButton8 =
      pictureButton("SpeedButton8", 248, "Calculate all", "all", &TForm1::SpeedButton8Click);
}

void TForm1::createVariablesBar() {
  ToolBar1 = new QWidget(this);
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setFixedHeight(VariablesBarHeight);
  const auto label = [this](const char* name, const char* caption, int left, int width) {
    auto* label = placeOnBar(new QLabel(caption, ToolBar1), left, width);
    label->setObjectName(name);
    label->setFont(windowLook::variableLabelFont());
    return label;
  };
  const auto field = [this](const char* name, int left) {
    auto* field = placeOnBar(new QLineEdit("1", ToolBar1), left, 55);
    field->setObjectName(name);
    return field;
  };
  const auto spacer = [this](const char* name, int left) {
    placeOnBar(new QWidget(ToolBar1), left, 15)->setObjectName(name);
  };
  // Each label may run on over the empty spacer panel behind it: the substitute for the
  // window's font face is wider than the original, and "=" must stay readable.
  spacer("Panel1", 32);
  spacer("Panel3", 134);
  spacer("Panel2", 237);
  Label1 = label("Label1", "  x  =", 0, 32 + 15);
  Edit1 = field("Edit1", 47);
  Label3 = label("Label3", "  y  =", 102, 32 + 15);
  Edit2 = field("Edit2", 149);
  Label2 = label("Label2", "  z  =", 204, 33 + 15);
  Edit3 = field("Edit3", 252);
}

void TForm1::createTable() {
  ListView1 = new TListView(this);
  ListView1->setObjectName("ListView1");
  model_ = new RowTableModel(table_, this);
  ListView1->setModel(model_);
  const int widths[] = {140, 400, 100, 28};
  for (int column = 0; column < RowTableModel::ColumnCount; ++column) {
    ListView1->header()->resizeSection(column, widths[column]);
  }
  connect(ListView1, &QTreeView::doubleClicked, this, &TForm1::ListView1DblClick);

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  Onerowup1 = PopupMenu1->addAction("One row up", this, &TForm1::Onerowup1Click);
  Onerowup1->setObjectName("Onerowup1");
  Oneowdown1 = PopupMenu1->addAction("One ow down", this, &TForm1::Oneowdown1Click);
  Oneowdown1->setObjectName("Oneowdown1");
  connect(ListView1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(ListView1->viewport()->mapToGlobal(at)); });
}

void TForm1::createMainMenu() {
  const auto item = [this](QMenu* menu, const char* name, const char* caption,
                           void (TForm1::*handler)()) {
    QAction* action = menu->addAction(caption, this, handler);
    action->setObjectName(name);
    return action;
  };
  QMenu* file = menuBar()->addMenu("File");
  file->setObjectName("Datei1");
  Neu1 = item(file, "Neu1", "New", &TForm1::Neu1Click);
  ffnen1 = item(file, "ffnen1", "Open", &TForm1::ffnen1Click);
  ffnen1->setShortcut(QKeySequence("Ctrl+O"));
  Speichern1 = item(file, "Speichern1", "Save", &TForm1::Speichern1Click);
  Speichern1->setShortcut(QKeySequence("Ctrl+S"));
  Print1 = item(file, "Print1", "Print", &TForm1::Print1Click);
  Schlieen1 = item(file, "Schlieen1", "Exit", &TForm1::Schlieen1Click);
  QMenu* calculate = menuBar()->addMenu("Calculate");
  calculate->setObjectName("Berechnen1");
  GanzesFormular1 = item(calculate, "GanzesFormular1", "All", &TForm1::GanzesFormular1Click);
  DieseZeile1 = item(calculate, "DieseZeile1", "Selected row", &TForm1::DieseZeile1Click);
  QMenu* info = menuBar()->addMenu("?");
  info->setObjectName("Info1");
  Hilfe1 = item(info, "Hilfe1", "Help", &TForm1::Hilfe1Click);
  Info2 = item(info, "Info2", "Info", &TForm1::Info2Click);
}

void TForm1::createDialogs() {
  const auto dialog = [this](const char* name, QFileDialog::AcceptMode mode) {
    auto* fileDialog = new QFileDialog(this);
    fileDialog->setObjectName(name);
    fileDialog->setOption(QFileDialog::DontUseNativeDialog);
    fileDialog->setAcceptMode(mode);
    fileDialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                            : QFileDialog::AnyFile);
    // "TBE": files named with the extension .TBE, in any letter case.
    fileDialog->setNameFilter("TBE (*.[Tt][Bb][Ee])");
    fileDialog->setDefaultSuffix("TBE");
    return fileDialog;
  };
  OpenDialog1 = dialog("OpenDialog1", QFileDialog::AcceptOpen);
  SaveDialog1 = dialog("SaveDialog1", QFileDialog::AcceptSave);
}

void TForm1::runRowCommand(int (*command)(numora::RowTable&, int)) {
  runCommand(this, [&] { ListView1->selectIndex(command(table_, ListView1->selectedIndex())); });
}

void TForm1::SpeedButton9Click() { runRowCommand(numora::newTable); }

void TForm1::SpeedButton1Click() {
  runCommand(this, [&] {
    if (SaveDialog1->exec() == QDialog::Accepted && !SaveDialog1->selectedFiles().isEmpty()) {
      numora::saveTable(table_, SaveDialog1->selectedFiles().front().toStdString());
    }
  });
}

void TForm1::SpeedButton2Click() {
  runCommand(this, [&] {
    if (OpenDialog1->exec() == QDialog::Accepted && !OpenDialog1->selectedFiles().isEmpty()) {
      ListView1->selectIndex(
          numora::openTable(table_, OpenDialog1->selectedFiles().front().toStdString()));
    }
  });
}

void TForm1::SpeedButton6Click() { runRowCommand(numora::addRow); }

void TForm1::SpeedButton3Click() { runRowCommand(numora::deleteRow); }

void TForm1::SpeedButton7Click() {
  runCommand(
      this, [&] { numora::calculateRow(table_, ListView1->selectedIndex(), calculationInputs()); });
}

void TForm1::SpeedButton8Click() {
  runCommand(this, [&] { numora::calculateAll(table_, calculationInputs()); });
}

// Edit term: the input box "Rechnung" preset with the selected row's Term. OK stores the text
// exactly as typed; cancel leaves the Term as it was.
void TForm1::ListView1DblClick() {
  runCommand(this, [&] {
    const int selected = ListView1->selectedIndex();
    if (selected < 0) {
      return;
    }
    const QString term = QString::fromStdString(table_.row(selected).term);
    QInputDialog box(this);
    box.setObjectName("InputBox");
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle("Rechnung");
    box.setLabelText("Rechnung:");
    box.setOkButtonText("OK");
    box.setCancelButtonText("Abbrechen");
    box.setTextValue(term);
    if (auto* field = box.findChild<QLineEdit*>()) {
      // At most 255 characters are typed; a longer Term from a file is never cut.
      field->setMaxLength(std::max<int>(TermMaximumLength, static_cast<int>(term.size())));
    }
    if (box.exec() == QDialog::Accepted && table_.isRowIndex(selected)) {
      numora::storeTerm(table_, selected, box.textValue().toStdString());
    }
  });
}

void TForm1::Onerowup1Click() { runRowCommand(numora::moveRowUp); }

void TForm1::Oneowdown1Click() { runRowCommand(numora::moveRowDown); }

void TForm1::Neu1Click() { SpeedButton9Click(); }

void TForm1::ffnen1Click() { SpeedButton2Click(); }

void TForm1::Speichern1Click() { SpeedButton1Click(); }

void TForm1::Print1Click() {
  runCommand(this, [&] {
    const std::string path = numora::printPagePath();
    numora::writePrintPage(table_, path);
    if (Form3 != nullptr) {
      Form3->showPage(QString::fromStdString(path));
    }
  });
}

void TForm1::Schlieen1Click() { close(); }

void TForm1::GanzesFormular1Click() { SpeedButton8Click(); }

void TForm1::DieseZeile1Click() { SpeedButton7Click(); }

void TForm1::Hilfe1Click() { windowLook::showBeside(Form2); }

void TForm1::Info2Click() { windowLook::showBeside(InfoForm); }

// The user's locale changed: number texts from now on use its decimal separator.
void TForm1::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LocaleChange) {
    decimalSeparator_ = numora::userDecimalSeparator();
  }
  QMainWindow::changeEvent(event);
}
