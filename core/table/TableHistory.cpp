#include "TableHistory.h"

#include <exception>
#include <new>
#include <utility>

#include "Faults.h"
#include "ResultRecording.h"

namespace numora {

int TableHistory::addRow(int selected) {
  return run(Command::AddRow, selected, planAddRow(table_, selected));
}

int TableHistory::deleteRow(int selected) {
  return run(Command::DeleteRow, selected, planDeleteRow(table_, selected));
}

int TableHistory::moveRowUp(int selected) {
  return run(Command::MoveRowUp, selected, planMoveRowUp(table_, selected));
}

int TableHistory::moveRowDown(int selected) {
  return run(Command::MoveRowDown, selected, planMoveRowDown(table_, selected));
}

int TableHistory::newTable(int selected) {
  return run(Command::NewTable, selected, planNewTable(table_, selected));
}

int TableHistory::storeTerm(int selected, std::string term) {
  return run(Command::EditTerm, selected, planStoreTerm(table_, selected, std::move(term)));
}

void TableHistory::storeName(int index, std::string name) {
  run(Command::EditName, index, planStoreName(table_, index, std::move(name)));
}

int TableHistory::openTable(int selected, std::vector<Row> opened) {
  return run(Command::OpenTable, selected, planOpenTable(table_, selected, std::move(opened)));
}

// Does the planned command; its step, if it has one, is recorded.
int TableHistory::run(Command command, int selected, PlannedCommand planned) {
  if (planned.step) {
    tracker_.follow(table_);
    OriginChange origins = tracker_.changeFor(*planned.step);
    exchange(*planned.step, table_);
    tracker_.exchange(origins);
    record({command, std::move(*planned.step), std::move(origins), selected, planned.selected});
  }
  return planned.selected;
}

void TableHistory::calculateRow(int selected, const CalculationInputs& inputs) {
  const int rowInProgress = selected;
  calculate(Command::CalculateRow, selected, inputs, rowInProgress,
            [&](const CalculationInputs& heard, std::vector<IndexedText>& replaced) {
              numora::calculateRow(table_, selected, heard, replaced);
            });
}

void TableHistory::calculateAll(int selected, const CalculationInputs& inputs, int& rowInProgress) {
  calculate(Command::CalculateAll, selected, inputs, rowInProgress,
            [&](const CalculationInputs& heard, std::vector<IndexedText>& replaced) {
              replaced.reserve(static_cast<std::size_t>(table_.rowCount()));
              numora::calculateAll(table_, heard, rowInProgress, replaced);
            });
}

// A calculation is done in place, each Result written before the next row is evaluated, with
// the tracker listening; the Results it replaces and their origins become the step, also when
// a fault ends it, and the fault's message marks where calculate all stopped.
void TableHistory::calculate(Command command, int selected, const CalculationInputs& inputs,
                             const int& rowInProgress, const Calculate& calculation) {
  tracker_.follow(table_);
  FieldTexts results{RowField::Result, {}};
  ResultNotes::Hearing notes(table_, inputs.listener, notes_);
  CalculationInputs withNotes = inputs;
  withNotes.listener = &notes;
  ResultTracker::Recording recording(tracker_, table_, withNotes, results.texts,
                                     command == Command::CalculateAll);
  CalculationInputs heard = inputs;
  heard.listener = &recording;
  const auto recordResults = [&](OriginChange origins) {
    notes_.keep(notes, tracker_, table_.rowCount());
    if (results.changes(table_) || recording.changedStatus()) {
      record({command, std::move(results), std::move(origins), selected, selected});
    }
  };
  const auto stoppedBy = [&](std::string fault) {
    recordResults(recording.stopped(rowInProgress, std::move(fault)));
  };
  try {
    calculation(heard, results.texts);
  } catch (const Exception& fault) {
    stoppedBy(fault.boxMessage());
    throw;
  } catch (const std::bad_alloc&) {
    stoppedBy(outOfMemoryFault().message());
    throw;
  } catch (const std::exception& fault) {
    stoppedBy(fault.what());
    throw;
  } catch (...) {
    stoppedBy("");
    throw;
  }
  recordResults(recording.finished());
}

void TableHistory::record(Step step) {
  step.bytes = sizeof(Step) + bytesHeld(step.change) + bytesHeld(step.origins);
  while (steps_.size() > done_) {
    bytes_ -= steps_.back().bytes;
    tracker_.recycle(steps_.back().origins);
    steps_.pop_back();
  }
  bytes_ += step.bytes;
  steps_.push_back(std::move(step));
  ++done_;
  while (steps_.size() > 1 && (steps_.size() > limits_.mostSteps || bytes_ > limits_.mostBytes)) {
    bytes_ -= steps_.front().bytes;
    tracker_.recycle(steps_.front().origins);
    steps_.pop_front();
    --done_;
  }
}

int TableHistory::undo(int nothingDone) {
  if (!canUndo()) {
    return nothingDone;
  }
  Step& step = steps_[--done_];
  exchangeStep(step);
  return step.selectedBefore;
}

int TableHistory::redo(int nothingDone) {
  if (!canRedo()) {
    return nothingDone;
  }
  Step& step = steps_[done_++];
  exchangeStep(step);
  return step.selectedAfter;
}

void TableHistory::exchangeStep(Step& step) {
  tracker_.follow(table_);
  exchange(step.change, table_);
  tracker_.exchange(step.origins);
}

}  // namespace numora
