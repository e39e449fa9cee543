#pragma once

namespace numora {

struct ReadingNote;

// Told by a TermEvaluator, while one is set, what an evaluation reads and which reading rules
// it takes. Listening changes nothing in the evaluation: every value, fault and number text is
// the same with a listener set and without one.
class TermListener {
 public:
  virtual ~TermListener() = default;
  // The value of x (0), y (1) or z (2) was taken as an operand.
  virtual void variableRead(int variable) { static_cast<void>(variable); }
  // The Result of the row at this position (counted from 1) was taken as an operand.
  virtual void rowRead(int position) { static_cast<void>(position); }
  // A reading rule that a person reading the term would not guess was taken.
  virtual void noted(const ReadingNote& note) { static_cast<void>(note); }
};

}  // namespace numora
