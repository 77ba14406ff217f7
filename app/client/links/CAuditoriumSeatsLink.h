// The program's side of the auditorium's seat map: the audience of the
// current place, the row queries and the local user's move into a row, all
// through the root place.
#pragma once

#include "IAuditoriumSeatHost.h"

class CZrApp;

class CAuditoriumSeatsLink : public IAuditoriumSeatHost {
 public:
  explicit CAuditoriumSeatsLink(CZrApp& app) : m_app(app) {}

  AuditoriumLayout Audience() const override;
  uint32_t LocalId() const override;
  uint32_t LocalRowId() const override;
  void QueryRow(uint32_t rowId) override;
  void MoveIntoRow(uint32_t rowId, int seat) override;
  void Locate() override;

 private:
  CZrApp& m_app;
};
