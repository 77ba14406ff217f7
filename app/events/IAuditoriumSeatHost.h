// What the seat map asks of the program: the current place's audience, the
// local user, the place's reports of a row's seated members and the local
// user's move into a row.
#pragma once

#include <cstdint>

#include "AuditoriumLayout.h"

class IAuditoriumSeatHost {
 public:
  // The rows and seats of the current place.
  virtual AuditoriumLayout Audience() const = 0;
  virtual uint32_t LocalId() const = 0;
  // The row the local user is in; 0 outside the rows.
  virtual uint32_t LocalRowId() const = 0;
  // Asks the place for the seated members of the row; the answer comes as a
  // seat report.
  virtual void QueryRow(uint32_t rowId) = 0;
  // Moves the local user into the row at the seat (from 1), or anywhere in
  // the row for seat 0.
  virtual void MoveIntoRow(uint32_t rowId, int seat) = 0;
  // Runs the program's command to locate people.
  virtual void Locate() = 0;

 protected:
  ~IAuditoriumSeatHost() = default;
};
