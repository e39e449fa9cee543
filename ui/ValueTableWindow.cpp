#include "ValueTableWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QSpinBox>
#include <QSplitter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include "FaultBox.h"
#include "FreedMemory.h"
#include "ResultMarks.h"
#include "ValueTableChart.h"
#include "ValueTableExport.h"
#include "ValueTableLegend.h"
#include "ValueTableModel.h"
#include "ValueTableRun.h"
#include "WholeNumber.h"
#include "WindowLook.h"

namespace {

// How often a run's finished lines are moved to the grid and its progress shown.
constexpr int ProgressIntervalMs = 50;
// The window's outer size when it first opens, title bar and frame included.
constexpr int OuterWidth = 920;
constexpr int OuterHeight = 620;
// The legend's widest: a longer label is cut, and shows whole as the entry's tooltip.
constexpr int MostLegendWidth = 200;
// What a new value table spans: From the variable's field, To that many values further.
constexpr std::int64_t FirstSpan = 10;

std::string fieldText(const numora::CalculationInputs& inputs, numora::Variable variable) {
  switch (variable) {
    case numora::Variable::X:
      return inputs.x;
    case numora::Variable::Y:
      return inputs.y;
    case numora::Variable::Z:
      break;
  }
  return inputs.z;
}

// The field's whole number, or 1 (the fields' first value) when it holds none.
std::int64_t fieldValue(const std::string& text) { return numora::wholeNumberIn(text).value_or(1); }

// The size a picture of the chart has unless the user picks another.
constexpr QSize PictureSize(1600, 1000);

QSpinBox* sizeField(QWidget* parent, const char* name, const char* accessibleName, int value) {
  auto* field = new QSpinBox(parent);
  field->setObjectName(name);
  field->setAccessibleName(accessibleName);
  field->setRange(16, 10000);
  field->setValue(value);
  field->setSuffix(" px");
  return field;
}

QLineEdit* rangeField(QWidget* parent, const char* name) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  field->setFixedWidth(80);
  return field;
}

// Draws the grid's cells as any view does, with a cell's marks; a cell too narrow for its text
// shows the whole text as its tooltip, above the cell's own tooltip.
class CutCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    resultMarks::paint(painter, option.rect, index.data(resultMarks::Role).toInt());
  }

  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override {
    if (event->type() != QEvent::ToolTip) {
      return QStyledItemDelegate::helpEvent(event, view, option, index);
    }
    const QString tip = resultMarks::cellTooltip(
        index, isCut(index.data(Qt::DisplayRole).toString(), option, view));
    if (tip.isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(event->globalPos(), tip, view, option.rect);
    }
    return true;
  }

 private:
  // Whether the text is wider than the cell's room for text: the style keeps a margin on
  // either side.
  static bool isCut(const QString& text, const QStyleOptionViewItem& option, const QWidget* view) {
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, view) + 1;
    return option.fontMetrics.horizontalAdvance(text) > option.rect.width() - 2 * margin;
  }
};

// A grid of values: one line per row, each number on one line. A word-wrapping grid would break
// "1,2345678" after its separator and show "1,…"; this one shows what fits and cuts the rest.
QTableView* valueGrid(QWidget* parent, QAbstractItemModel* model) {
  auto* grid = new QTableView(parent);
  grid->setObjectName("Grid");
  grid->setModel(model);
  grid->setWordWrap(false);
  grid->setTextElideMode(Qt::ElideRight);
  grid->setItemDelegate(new CutCellDelegate(grid));
  grid->verticalHeader()->hide();
  // Every row has the same height, so the grid never measures the lines it does not show.
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
  grid->horizontalHeader()->setDefaultSectionSize(90);
  return grid;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
  auto* made = new QPushButton(caption, parent);
  made->setObjectName(name);
  return made;
}

}  // namespace

QRect placeBeside(const QRect& opener, const QSize& size, const QRect& available) {
  const QSize fitting = size.boundedTo(available.size());
  const int roomRight = available.right() - opener.right();
  const int roomLeft = opener.left() - available.left();
  const bool toTheRight =
      roomRight >= fitting.width() || (roomLeft < fitting.width() && roomRight >= roomLeft);
  const int left = toTheRight ? opener.right() + 1 : opener.left() - fitting.width();
  return windowLook::placedWithin(QRect(QPoint(left, opener.top()), size), available);
}

ValueTableWindow::ValueTableWindow(const numora::RowTable& table,
                                   std::function<numora::CalculationInputs()> readInputs,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), table_(table), readInputs_(std::move(readInputs)) {
  setObjectName("ValueTableForm");
  setAttribute(Qt::WA_QuitOnClose, false);
  setWindowTitle("Value table");
  setWindowIcon(QIcon(":/numora.png"));
  setFont(windowLook::windowFont());

  model_ = new ValueTableModel(this);
  grid_ = valueGrid(this, model_);
  chart_ = new ValueTableChart(this);
  chart_->setObjectName("Chart");
  exportDialog_ = createExportDialog();
  progressTimer_ = new QTimer(this);
  progressTimer_->setInterval(ProgressIntervalMs);
  connect(progressTimer_, &QTimer::timeout, this, &ValueTableWindow::showProgress);

  legend_ = new ValueTableLegend(this);
  connect(legend_, &ValueTableLegend::rowToggled, chart_, &ValueTableChart::setRowShown);

  split_ = new QSplitter(Qt::Horizontal, this);
  split_->addWidget(grid_);
  split_->addWidget(chart_);
  split_->addWidget(legend_);
  split_->setChildrenCollapsible(false);
  split_->setStretchFactor(1, 1);
  split_->setSizes({330, 450, 120});
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(createSettingsBar());
  layout->addWidget(split_, 1);
  setCalculating(false);
  fillFirstRange();
}

ValueTableWindow::~ValueTableWindow() = default;

// The range on one line, the buttons and the progress on the next, so that the window fits a
// narrow or scaled screen.
QWidget* ValueTableWindow::createSettingsBar() {
  auto* bar = new QWidget(this);
  auto* lines = new QVBoxLayout(bar);
  lines->setContentsMargins(0, 0, 0, 0);
  auto* layout = new QHBoxLayout;
  auto* buttons = new QHBoxLayout;
  lines->addLayout(layout);
  lines->addLayout(buttons);
  variable_ = new QComboBox(bar);
  variable_->setObjectName("Variable");
  variable_->addItems({"x", "y", "z"});
  from_ = rangeField(bar, "From");
  to_ = rangeField(bar, "To");
  step_ = rangeField(bar, "Step");
  calculate_ = button(bar, "Calculate", "Calculate");
  cancel_ = button(bar, "Cancel", "Cancel");
  export_ = button(bar, "Export", "Export...");
  progress_ = new QProgressBar(bar);
  progress_->setObjectName("Progress");
  // The bar shows only while a run goes on; the buttons keep their places meanwhile.
  QSizePolicy keepPlace = progress_->sizePolicy();
  keepPlace.setRetainSizeWhenHidden(true);
  progress_->setSizePolicy(keepPlace);
  const auto labelled = [&](const char* caption, QWidget* control) {
    layout->addWidget(new QLabel(caption, bar));
    layout->addWidget(control);
  };
  labelled("Variable", variable_);
  labelled("From", from_);
  labelled("To", to_);
  labelled("Step", step_);
  layout->addStretch(1);
  buttons->addWidget(calculate_);
  buttons->addWidget(progress_, 1);
  buttons->addWidget(cancel_);
  buttons->addWidget(export_);
  connect(variable_, &QComboBox::currentIndexChanged, this, [this] {
    if (!calculatedOnce_) {
      fillFirstRange();
    }
  });
  connect(calculate_, &QPushButton::clicked, this, &ValueTableWindow::calculateClicked);
  for (QLineEdit* field : {from_, to_, step_}) {
    connect(field, &QLineEdit::returnPressed, this, &ValueTableWindow::calculateClicked);
  }
  connect(cancel_, &QPushButton::clicked, this, &ValueTableWindow::cancelClicked);
  connect(export_, &QPushButton::clicked, this, &ValueTableWindow::exportClicked);
  return bar;
}

QFileDialog* ValueTableWindow::createExportDialog() {
  auto* dialog = new QFileDialog(this);
  dialog->setObjectName("ExportDialog");
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setNameFilters(exportFilters());
  addPictureSizeFields(dialog);
  return dialog;
}

// Below the file type, the size of a PNG or SVG picture of the chart, in pixels.
void ValueTableWindow::addPictureSizeFields(QFileDialog* dialog) {
  auto* grid = qobject_cast<QGridLayout*>(dialog->layout());
  if (grid == nullptr) {
    return;
  }
  auto* fields = new QWidget(dialog);
  auto* layout = new QHBoxLayout(fields);
  layout->setContentsMargins(0, 0, 0, 0);
  pictureWidth_ = sizeField(fields, "ExportWidth", "Picture width", PictureSize.width());
  pictureHeight_ = sizeField(fields, "ExportHeight", "Picture height", PictureSize.height());
  layout->addWidget(pictureWidth_);
  layout->addWidget(new QLabel("x", fields));
  layout->addWidget(pictureHeight_);
  layout->addStretch(1);
  auto* label = new QLabel("Picture &size:", dialog);
  label->setBuddy(pictureWidth_);
  const int row = grid->rowCount();
  grid->addWidget(label, row, 0);
  grid->addWidget(fields, row, 1);
  const auto enableForPictures = [this](const QString& filter) {
    const bool picture = exportKind(QString(), filter) != ExportKind::Csv;
    pictureWidth_->setEnabled(picture);
    pictureHeight_->setEnabled(picture);
  };
  connect(dialog, &QFileDialog::filterSelected, this, enableForPictures);
  enableForPictures(dialog->selectedNameFilter());
}

// Until the first value table, From is the chosen variable's field and To ten values on.
void ValueTableWindow::fillFirstRange() {
  const std::int64_t from = fieldValue(fieldText(readInputs_(), chosenVariable()));
  from_->setText(QString::number(from));
  to_->setText(QString::number(from + FirstSpan));
  step_->setText("1");
}

numora::Variable ValueTableWindow::chosenVariable() const {
  return static_cast<numora::Variable>(variable_->currentIndex());
}

void ValueTableWindow::calculateClicked() {
  if (!isCalculating()) {
    runCommand(this, [this] { startRun(); });
  }
}

// Reads the range, raising its fault before anything is calculated, and starts the worker
// on the calculator's copy of the table as it is now.
void ValueTableWindow::startRun() {
  const numora::ValueRange range = numora::readValueRange(
      from_->text().toStdString(), to_->text().toStdString(), step_->text().toStdString());
  const numora::CalculationInputs inputs = readInputs_();
  const numora::Variable variable = chosenVariable();
  auto calculator = std::make_unique<numora::ValueTableCalculator>(table_, inputs, variable, range);
  std::vector<numora::Row> rows;
  for (int index = 0; index < table_.rowCount(); ++index) {
    rows.push_back(table_.row(index));
  }
  calculatedOnce_ = true;
  separator_ = inputs.separator;
  model_->startTable(variable, std::move(rows));
  showTable();
  fitColumnsAndLegend();
  progress_->setRange(0, static_cast<int>(calculator->lineCount()));
  progress_->setValue(0);
  run_ = std::make_unique<ValueTableRun>(std::move(calculator));
  setCalculating(true);
  progressTimer_->start();
}

void ValueTableWindow::showTable() {
  chart_->showTable(*model_, separator_);
  std::vector<QPen> pens;
  for (std::size_t row = 0; row < model_->rows().size(); ++row) {
    pens.push_back(rowPen(row));
  }
  legend_->showRows(rowLabels(model_->rows()), pens);
}

// The legend takes the width of its labels, up to a limit; the grid the width of the whole
// columns that fit into half of the room left, so that no column shows only its left part,
// where a right-aligned number is cut off.
void ValueTableWindow::fitColumnsAndLegend() {
  const QList<int> sizes = split_->sizes();
  const int room = sizes[0] + sizes[1] + sizes[2];
  const int legendWidth = std::min(legend_->sizeHintForColumn(0) + 2 * legend_->frameWidth() +
                                       legend_->verticalScrollBar()->sizeHint().width(),
                                   MostLegendWidth);
  const int frame = 2 * grid_->frameWidth() + grid_->verticalScrollBar()->sizeHint().width();
  const QHeaderView* columns = grid_->horizontalHeader();
  int gridWidth = frame + columns->sectionSize(0);
  for (int column = 1; column < columns->count(); ++column) {
    if (gridWidth + columns->sectionSize(column) > (room - legendWidth) / 2) {
      break;
    }
    gridWidth += columns->sectionSize(column);
  }
  split_->setSizes({gridWidth, room - legendWidth - gridWidth, legendWidth});
}

void ValueTableWindow::showProgress() {
  if (!run_) {
    return;
  }
  const bool finished = run_->finished();
  model_->appendLines(run_->takeLines());
  progress_->setValue(static_cast<int>(run_->linesDone()));
  if (finished) {
    finishRun();
  }
}

// The run has ended: the chart shows the lines finished, and a fault that ended the run is
// shown as any command's fault is.
void ValueTableWindow::finishRun() {
  progressTimer_->stop();
  const std::exception_ptr fault = run_->fault();
  run_.reset();
  setCalculating(false);
  showTable();
  if (fault) {
    runCommand(this, [fault] { std::rethrow_exception(fault); });
  }
}

void ValueTableWindow::cancelClicked() {
  if (run_) {
    run_->cancel();
  }
}

void ValueTableWindow::setCalculating(bool calculating) {
  calculate_->setEnabled(!calculating);
  cancel_->setEnabled(calculating);
  export_->setEnabled(!calculating);
  variable_->setEnabled(!calculating);
  progress_->setVisible(calculating);
}

void ValueTableWindow::exportClicked() {
  if (exportDialog_->exec() != QDialog::Accepted || exportDialog_->selectedFiles().isEmpty()) {
    return;
  }
  const QString path = exportDialog_->selectedFiles().front();
  runCommand(this, [&] { exportTo(path); });
}

QSize ValueTableWindow::pictureSize() const {
  return {pictureWidth_->value(), pictureHeight_->value()};
}

void ValueTableWindow::exportTo(const QString& path) {
  const ExportKind kind = exportKind(path, exportDialog_->selectedNameFilter());
  const std::string file = exportPath(path, kind).toStdString();
  switch (kind) {
    case ExportKind::Csv:
      exportGrid(*model_, separator_, file);
      return;
    case ExportKind::Png:
      exportChartPicture(*chart_, pictureSize(), file);
      return;
    case ExportKind::Svg:
      exportChartDrawing(*chart_, pictureSize(), file);
      return;
  }
}

// Each time the window opens, the range is ready to be typed.
void ValueTableWindow::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    placeBesideOpener();
    from_->setFocus();
  }
  QWidget::showEvent(event);
}

// The first time it opens, the window goes beside the window it is opened from, the active one,
// or near the screen's top left when none is active; later it opens where the user left it.
void ValueTableWindow::placeBesideOpener() {
  if (placed_) {
    return;
  }
  placed_ = true;
  const QWidget* opener = QApplication::activeWindow();
  if (opener == this) {
    opener = nullptr;
  }
  const QRect openerFrame = opener != nullptr ? opener->frameGeometry() : QRect(240, 140, 0, 0);
  const QScreen* shownOn = opener != nullptr ? opener->screen() : screen();
  const QRect place =
      placeBeside(openerFrame, QSize(OuterWidth, OuterHeight), shownOn->availableGeometry());
  // Until a window manager has framed this window, its frame may be unknown, and the frame is
  // then put around the position given: the opener's frame tells by how much it will grow.
  const QPoint knownFrame = geometry().topLeft() - frameGeometry().topLeft();
  const QPoint frameOffset = opener != nullptr ? opener->geometry().topLeft() -
                                                     opener->frameGeometry().topLeft() - knownFrame
                                               : QPoint();
  windowLook::placeWindow(this, place.left() + frameOffset.x(), place.top() + frameOffset.y(),
                          place.width(), place.height());
}

// Closing the window ends a run and lets go of the value table, which may hold hundreds of
// megabytes; the range stays for the next time.
void ValueTableWindow::closeEvent(QCloseEvent* event) {
  progressTimer_->stop();
  run_.reset();
  setCalculating(false);
  chart_->clearTable();
  legend_->clear();
  model_->clear();
  numora::returnFreedMemory();
  QWidget::closeEvent(event);
}
