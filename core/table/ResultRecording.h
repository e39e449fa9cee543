#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Calculation.h"
#include "ResultOrigins.h"
#include "ResultTracker.h"
#include "RowTable.h"

namespace numora {

// Listens to one calculation for the tracker: what each evaluation reads and, as each Result is
// written, the row's new origin, the old one kept to take the calculation back. Whatever it
// hears it passes on to the calculation's own listener, if there is one.
//
// Calculate all builds the new origins of all rows beside the old ones, in row order as the
// pass goes, and then exchanges the two at once; its step keeps the old ones whole, so that
// undo is one exchange too. Calculate row exchanges the one origin.
class ResultTracker::Recording : public PassingListener {
 public:
  // `replaced` is where the calculation hands the Results it replaces; `all` tells calculate
  // all from calculate row.
  Recording(ResultTracker& tracker, const RowTable& table, const CalculationInputs& inputs,
            const std::vector<IndexedText>& replaced, bool all);

  void variableRead(int variable) override;
  void rowRead(int position) override;
  void rowStarted(int index) override;
  void resultWritten(int index) override;

  // The calculation ended without a fault, or it stopped at the row at `index` with the fault's
  // message. Each gives the change that takes back what the calculation did to the origins.
  OriginChange finished();
  OriginChange stopped(int index, std::string fault);
  // Whether the calculation changed the status of a Result or the stop mark.
  bool changedStatus() const { return changedStatus_; }

 private:
  std::uint64_t stampAt(int index) const;
  void passRowsUpTo(int index);
  void pass(ResultOrigin origin);
  ResultOrigin originOfRow(int index, const ResultOrigin& before);
  bool sameStatus(int index, const ResultOrigin& before, const ResultOrigin& after) const;
  OriginChange endOfAll(std::optional<StopMark> stop);

  ResultTracker& tracker_;
  const RowTable& table_;
  const std::vector<IndexedText>& replaced_;
  std::uint32_t calculation_;
  bool all_;
  bool changedStatus_ = false;
  // What the evaluation of the row being calculated read so far.
  std::uint8_t variablesRead_ = 0;
  std::vector<RowReading> readings_;
  // Calculate all: the new origins from the top row down as far as the pass has come (the
  // first `passedCount_`; after them the old origins of a dropped step, whose room is used
  // again), and the rows it passed without writing, whose origins it moved over as they were.
  std::vector<ResultOrigin> passed_;
  std::size_t passedCount_ = 0;
  std::vector<int> kept_;
  // Calculate row: the origin it replaced, and the stop mark it took away.
  ChangedOrigins replacedOrigin_;
};

}  // namespace numora
