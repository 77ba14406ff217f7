// Where the members of a group sit inside its window, as numbers: the cells
// of a seat row, the seat grid of a tour, the size of a side-by-side group
// and of a game board. Counts come from the server and may be 0: no layout
// here divides by them.
#pragma once

#include <cstdint>

#include "AvatarPlacement.h"

// The cell of one seat of a row of seatCount seats rowWidth pixels wide:
// the width shared out, capped at 48, lowered to a multiple of 3, and 4/3
// as high. A row without seats keeps the cell it had.
AvatarExtent SeatRowCell(int32_t rowWidth, uint16_t seatCount, AvatarExtent current);
// The cell position of a 1-based seat; (-1, -1) for no seat (below 1).
AvatarPoint SeatCellPosition(int32_t seat, int32_t origin, int32_t cellWidth);
// The 1-based seat under client x; 0 when the row has no cells or the point
// lies left of the first one.
int32_t SeatUnder(int32_t clientX, int32_t origin, int32_t cellWidth);

// The offset of the member with the 1-based index among a tour's children:
// the guide (1) at (0, 0), the others filling columns to its right. A tour
// without columns lays them out in one column.
AvatarPoint TourMemberOffset(int32_t index, int32_t columns, AvatarExtent cell);
// A side-by-side group holds two avatars and a border.
AvatarExtent SideBySideGroupSize(AvatarExtent avatar);
// The offset of the member with the 1-based index in a side-by-side group.
AvatarPoint SideBySideMemberOffset(int32_t index, AvatarExtent avatar);

// The board of a game: `base` is its picture's size, or the group's width
// and height properties (144 x 64 when absent); below 2 both become 150, and
// neither grows past 150. Then 2 is added with big avatars and 3/4 is taken
// without; a one-seat slot layout while the slot-layout option is off is a
// plain big avatar instead.
AvatarExtent GameBoardSize(AvatarExtent base, bool bigAvatars, bool slotLayoutOption, bool oneSeatLayout);
