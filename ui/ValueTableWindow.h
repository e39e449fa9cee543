#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "Calculation.h"
#include "RowTable.h"
#include "ValueTable.h"

class QComboBox;
class QRect;
class QSize;
class QFileDialog;
class QLineEdit;
class QProgressBar;
class QSpinBox;
class QSplitter;
class QPushButton;
class QTableView;
class QTimer;
class ValueTableChart;
class ValueTableLegend;
class ValueTableModel;
class ValueTableRun;

// The value table window: the user chooses the variable (x, y or z), From, To and Step, and
// "Calculate", or Return in From, To or Step, calculates every row of the table once for each
// value, on a worker thread, while a progress bar shows and "Cancel" stops it; the lines
// finished so far stay. The window opens with the focus in From. The values show
// in a grid and a chart with its legend beside it, and "Export..." writes the grid as CSV or
// the chart as PNG or SVG at the picture size chosen in the export dialog (1600 x 1000 unless
// the user picks another).
// The window reads the variable fields and the decimal separator from the main window when
// "Calculate" is pressed, through `readInputs`, and never changes the table. Closing it only
// hides it: it ends a run and lets go of the value table's memory.
//
// The window opens beside the window it was opened from, within the screen's available area.
//
// Controls carry object names by which tests find them: Variable, From, To, Step, Calculate,
// Cancel, Export, Progress, Grid, Chart, Legend and the dialog ExportDialog with its fields
// ExportWidth and ExportHeight.
// Where a window of this outer size goes beside `opener`'s frame: right of it, else left of it,
// else overlapping it as little as the available area allows; never beyond that area, shrunk to
// it where it is smaller.
QRect placeBeside(const QRect& opener, const QSize& size, const QRect& available);

class ValueTableWindow : public QWidget {
  Q_OBJECT

 public:
  ValueTableWindow(const numora::RowTable& table,
                   std::function<numora::CalculationInputs()> readInputs,
                   QWidget* parent = nullptr);
  ~ValueTableWindow() override;

  ValueTableModel* model() const { return model_; }
  ValueTableChart* chart() const { return chart_; }
  // Whether a run is going on.
  bool isCalculating() const { return run_ != nullptr; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private slots:
  void calculateClicked();
  void cancelClicked();
  void exportClicked();
  void showProgress();

 private:
  QWidget* createSettingsBar();
  void placeBesideOpener();
  QFileDialog* createExportDialog();
  void addPictureSizeFields(QFileDialog* dialog);
  QSize pictureSize() const;
  void showTable();
  void fitColumnsAndLegend();
  void fillFirstRange();
  numora::Variable chosenVariable() const;
  void startRun();
  void finishRun();
  void setCalculating(bool calculating);
  void exportTo(const QString& path);

  const numora::RowTable& table_;
  std::function<numora::CalculationInputs()> readInputs_;
  bool calculatedOnce_ = false;
  bool placed_ = false;
  char separator_ = ',';  // of the values shown

  QComboBox* variable_;
  QLineEdit* from_;
  QLineEdit* to_;
  QLineEdit* step_;
  QPushButton* calculate_;
  QPushButton* cancel_;
  QPushButton* export_;
  QProgressBar* progress_;
  QTableView* grid_;
  ValueTableModel* model_;
  ValueTableChart* chart_;
  ValueTableLegend* legend_;
  QSplitter* split_;
  QSpinBox* pictureWidth_ = nullptr;
  QSpinBox* pictureHeight_ = nullptr;
  QFileDialog* exportDialog_;
  QTimer* progressTimer_;
  std::unique_ptr<ValueTableRun> run_;
};
