#include "GameGroupRecord.h"

#include <memory>

#include "TvlBlob.h"
#include "ZrGroupInfo.h"
#include "ZrItem.h"

std::vector<GameItemValue> GameGroupItems(const CGameInfo& info, const GameGroupChoice& choice,
                                          const std::string& serverClass, int logoWidth, int logoHeight) {
  std::vector<GameItemValue> items = {
      {kGameCommentItem, choice.comment},
      {kGameServerItem, serverClass},
      {kGameSecondTextItem, info.secondText},
      {kGameFirstFlagItem, info.firstFlag},
      {kGameSecondFlagItem, info.secondFlag},
  };
  if (!info.seatLayout.empty()) items.push_back({kGameSeatLayoutItem, info.seatLayout});
  items.push_back({kGameSpareFlagItem, "N"});
  if (!info.logo.empty() && logoWidth > 0 && logoHeight > 0) {
    items.push_back({kGameLogoWidthItem, std::to_string(logoWidth + 2)});
    items.push_back({kGameLogoHeightItem, std::to_string(logoHeight + 2)});
  }
  return items;
}

void FillGameGroupRecord(CZrGroupInfo& record, const CGameInfo& info, const GameGroupChoice& choice,
                         const std::string& serverClass, int logoWidth, int logoHeight) {
  record.SetName(choice.name);
  record.SetCapacity(choice.players);
  for (const GameItemValue& item : GameGroupItems(info, choice, serverClass, logoWidth, logoHeight))
    record.Items().Put(CZrItem::Text(item.code, item.text));
  if (info.logo.empty()) return;
  record.Member()->SetDataFlag(true);
  record.ReplaceMemberData(
      std::make_unique<CTvlBlob>(static_cast<uint32_t>(info.logo.size()), info.logo.data()));
}
