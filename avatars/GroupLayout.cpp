#include "GroupLayout.h"

#include <algorithm>

namespace {

constexpr int32_t kMaxSeatCellWidth = 48;
constexpr int32_t kMaxBoardSide = 150;
constexpr int32_t kSmallestBoardSide = 2;
constexpr AvatarExtent kOneSeatBoard{48, 64};

int32_t ScaledBoardSide(int32_t side, bool bigAvatars)
{
    return bigAvatars ? side + 2 : static_cast<int32_t>(side * 0.75);
}

}  // namespace

AvatarExtent SeatRowCell(int32_t rowWidth, uint16_t seatCount, AvatarExtent current)
{
    if (seatCount == 0)
        return current;
    int32_t width = std::min(std::max(rowWidth, 0) / seatCount, kMaxSeatCellWidth);
    width -= width % 3;
    return {width, width / 3 * 4};
}

AvatarPoint SeatCellPosition(int32_t seat, int32_t origin, int32_t cellWidth)
{
    if (seat < 1)
        return {-1, -1};
    return {origin + (seat - 1) * cellWidth, 0};
}

int32_t SeatUnder(int32_t clientX, int32_t origin, int32_t cellWidth)
{
    if (cellWidth <= 0 || clientX < origin)
        return 0;
    return (clientX - origin) / cellWidth + 1;
}

AvatarPoint TourMemberOffset(int32_t index, int32_t columns, AvatarExtent cell)
{
    if (index < 2)
        return {0, 0};
    const int32_t perRow = std::max(columns, 1);
    return {((index - 2) % perRow + 1) * cell.width, ((index - 2) / perRow) * cell.height};
}

AvatarExtent SideBySideGroupSize(AvatarExtent avatar)
{
    return {2 * avatar.width + 2, avatar.height + 2};
}

AvatarPoint SideBySideMemberOffset(int32_t index, AvatarExtent avatar)
{
    return {avatar.width * std::max(index - 1, 0), 0};
}

AvatarExtent GameBoardSize(AvatarExtent base, bool bigAvatars, bool slotLayoutOption, bool oneSeatLayout)
{
    if (!slotLayoutOption && oneSeatLayout)
        return kOneSeatBoard;
    AvatarExtent board = base;
    if (board.width < kSmallestBoardSide || board.height < kSmallestBoardSide)
        board = {kMaxBoardSide, kMaxBoardSide};
    board.width = std::min(board.width, kMaxBoardSide);
    board.height = std::min(board.height, kMaxBoardSide);
    return {ScaledBoardSide(board.width, bigAvatars), ScaledBoardSide(board.height, bigAvatars)};
}
