#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "Calculation.h"
#include "ReadingNotes.h"
#include "ReadingNotesByRow.h"
#include "ResultTracker.h"
#include "RowTable.h"

namespace numora {

// The reading notes of the Results in a table, each kept with the Result its evaluation wrote:
// by the Result's stamp, which moves with its row and comes back with it on undo and redo, so
// the notes do too. A Result written again with the same text takes the notes of its last
// evaluation; a row whose evaluation failed keeps the notes of the Result it still shows.
class ResultNotes {
 public:
  // Hears one calculation (passing on whatever it hears to `next`, when there is one): the
  // notes of each row and, where `notes` keeps any, which rows it wrote a Result for, since
  // a Result written again with its text keeps its stamp and must lose its old notes.
  class Hearing : public PassingListener {
   public:
    Hearing(const RowTable& table, CalculationListener* next, const ResultNotes& notes)
        : PassingListener(next), byRow_(table), keepWritten_(!notes.notes_.empty()) {}

    void noted(const ReadingNote& note) override;
    void rowStarted(int index) override;
    void resultWritten(int index) override;

    const ReadingNotesByRow& byRow() const { return byRow_; }
    const std::vector<int>& written() const { return written_; }
    // The row whose evaluation started but wrote no Result (a fault ended it), or -1.
    int unwritten() const { return unwritten_; }

   private:
    ReadingNotesByRow byRow_;
    bool keepWritten_;
    std::vector<int> written_;
    int unwritten_ = -1;
  };

  // Takes the notes of the Results the calculation wrote, once the tracker has their stamps.
  void keep(const Hearing& hearing, const ResultTracker& tracker, int rowCount);
  // The notes of the Result with this stamp, by position in the Term as typed.
  const std::vector<ReadingNote>& notesOf(std::uint64_t stamp) const;

 private:
  void forgetResultsNoLongerShown(const ResultTracker& tracker, int rowCount);

  std::unordered_map<std::uint64_t, std::vector<ReadingNote>> notes_;
};

}  // namespace numora
