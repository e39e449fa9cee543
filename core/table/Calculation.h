#pragma once

#include <string>
#include <vector>

#include "RowTable.h"
#include "TermListener.h"

namespace numora {

// Told by a calculation, besides what its evaluations tell as a TermListener, which row each
// evaluation is for and which Results it wrote. Listening changes nothing in the calculation.
class CalculationListener : public TermListener {
 public:
  // The row at `index` is being evaluated: what the evaluator tells until the next row starts
  // concerns this row. A row whose Term is empty or only spaces is not evaluated.
  virtual void rowStarted(int index) { static_cast<void>(index); }
  // The evaluation of the row at `index` ended and its Result was written.
  virtual void resultWritten(int index) { static_cast<void>(index); }
};

// A listener that passes all it is told on to `next`, or to none: a listener that stands in
// front of another derives from it and, in each function it overrides, calls it on.
class PassingListener : public CalculationListener {
 public:
  explicit PassingListener(CalculationListener* next) : next_(next) {}

  void variableRead(int variable) override {
    if (next_ != nullptr) {
      next_->variableRead(variable);
    }
  }
  void rowRead(int position) override {
    if (next_ != nullptr) {
      next_->rowRead(position);
    }
  }
  void noted(const ReadingNote& note) override {
    if (next_ != nullptr) {
      next_->noted(note);
    }
  }
  void rowStarted(int index) override {
    if (next_ != nullptr) {
      next_->rowStarted(index);
    }
  }
  void resultWritten(int index) override {
    if (next_ != nullptr) {
      next_->resultWritten(index);
    }
  }

 private:
  CalculationListener* next_;
};

// What a calculation takes besides the table: the texts of the three variable fields x, y and
// z as the user typed them, read as whole numbers only when a row with a term is calculated,
// and the decimal separator that the number texts of this calculation use and accept.
struct CalculationInputs {
  std::string x = "1";
  std::string y = "1";
  std::string z = "1";
  char separator = '.';
  // Told of every row the calculation evaluates, or none; the calculation does not own it.
  CalculationListener* listener = nullptr;
};

// Calculates the selected row: its Term without spaces is evaluated with x, y and z and the
// number text of the value becomes its Result. Nothing happens without a selection, and a row
// whose Term is empty or only spaces keeps its Result without any field being read. A fault
// (a field that is no whole number, or one raised by the evaluation) ends the command and
// leaves the row's Result as it was.
void calculateRow(RowTable& table, int selected, const CalculationInputs& inputs);
// As above, and the Result the row had is handed to `replaced` when the row is calculated.
void calculateRow(RowTable& table, int selected, const CalculationInputs& inputs,
                  std::vector<IndexedText>& replaced);

// Calculates every row from the top to the bottom, each Result written before the next row
// is evaluated, so a reference to a row above sees this pass's value. The first fault ends
// the command: the rows above keep their new Results, the failing row and the rows below
// their old ones. `rowInProgress` tells which row index was being calculated.
void calculateAll(RowTable& table, const CalculationInputs& inputs, int& rowInProgress);
void calculateAll(RowTable& table, const CalculationInputs& inputs);
// As above, and every Result the pass replaces is handed to `replaced`, in row order, so that
// the pass can be taken back without a copy of the Results made beforehand.
void calculateAll(RowTable& table, const CalculationInputs& inputs, int& rowInProgress,
                  std::vector<IndexedText>& replaced);

}  // namespace numora
