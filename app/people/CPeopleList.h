// The people list: an outline of the place's room and corridor with the
// persons and groups in them, and the "Other Observers" row whose
// expansion asks the server for the observers the place does not show.
// Rows follow the place's tree: every change of a person brings the rows
// in line with it again. Ignored people sort together and show in red.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CBitmap.h"
#include "COutlineCtrl.h"
#include "CPeopleItem.h"
#include "PeopleRules.h"
#include "VoiceRoster.h"

class CPeoplePage;
class CPersonStateList;
class CPlace;
class CZrGroup;
class CZrObject;
class CZrObjectDesc;
class IPeopleHost;

class CPeopleList : public COutlineCtrl {
 public:
  static constexpr UINT kListId = 1118;
  // Flag bits of a row for readers of the list (LB_GETITEMDATA).
  enum RowFlag : uint32_t {
    kFlagExpanded = 1,
    kFlagGreyed = 2,
    kFlagIgnored = 4,
    kFlagSelected = 8,
    kFlagHeader = 16,
    kFlagOwn = 32,
    kFlagListMade = 64,
    // The person is in the voice conference, and speaks now.
    kFlagInVoice = 128,
    kFlagSpeaking = 256,
  };
  // The kind of the observer request's answer; other kinds belong to the
  // auditorium's seat map.
  static constexpr uint32_t kAnswerKind = 0;

  explicit CPeopleList(CPeoplePage& page);
  ~CPeopleList() override;

  void SetContext(CPlace* root, CPersonStateList* states, IPeopleHost* host);
  bool Create(CWnd* parent, const RECT& rect);

  // Flag 1 builds the rows anew; 0 brings them in line with the place.
  void Rebuild(bool full);
  void AddPerson(CZrObject& object);
  void UpdatePerson(CZrObject& object);
  void ChangePerson(CZrObject& object);
  // The object is leaving: its row goes, and it is no longer looked at.
  void RemovePerson(CZrObject& object);
  void ForwardAnswer(uint32_t kind, const CZrObjectDesc& answer);
  void RedrawRows() { List().Redraw(); }

  // The speak-loud marks.
  bool IsListed(uint32_t id) const;
  void SetListed(uint32_t id, bool listed);

  CPeopleItem* SelectedItem() const;
  // The live object of a row; null for a list-made row or a gone object.
  CZrObject* ObjectOf(const CPeopleItem& item) const;
  bool IsIgnored(uint32_t id) const;
  bool IsOwnObject(const CPeopleItem& item) const;
  bool IsConnected() const;
  // The row of a person of the place, or null.
  CPeopleItem* FindPersonRow(uint32_t id);
  // The display name rule for a member's nickname.
  std::string DisplayNameOf(const std::string& nickname) const;

  // CWnd
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // COutlineCtrl
  void DrawRowContent(CDC* dc, const RECT& rect, COutlineNode* node) override;
  bool MaySelect(int32_t row) override;
  void OnExpanded(COutlineNode* node) override;
  void OnCollapsed(COutlineNode* node) override;
  void OnDoubleClicked(COutlineNode* node, int32_t x, int32_t y) override;
  void OnClicked(COutlineNode* node, int32_t x, int32_t y) override;
  void OnRightButtonDown(COutlineNode* node, int32_t x, int32_t y) override;
  std::string RowText(COutlineNode* node) override;
  uint32_t RowFlags(COutlineNode* node) override;

  // OutlineOwner
  int32_t MatchItem(void* item, void* nodeItem) override { return item == nodeItem ? 1 : 0; }
  int32_t CompareItems(void* a, void* b, int32_t insert) override;
  void OnItemDeleted(void* item) override;

 private:
  CPeopleItem* Item(COutlineNode* node) const { return static_cast<CPeopleItem*>(node->item); }
  bool IsRootSpecial(const CPeopleItem* item) const { return item == m_rootSpecial.get(); }
  people::RowFacts FactsOf(const CPeopleItem& item) const;
  people::SortTexts SortTexts() const;
  bool IsUserInside() const;
  bool IsAuditorium() const;

  // Bringing the rows in line with the place. Arrivals and updates come in
  // bursts (a crowd entering at once): they ask for one pass, run when the
  // window's queue comes to it.
  void Sync();
  void ScheduleSync();
  void PruneStale(COutlineNode* node, std::vector<COutlineNode*>& stale);
  bool IsStale(const CPeopleItem& item, const COutlineNode& node) const;
  void AddMembers(COutlineNode* node, CZrGroup& group);
  bool IsEmptyGroup(CZrObject& object) const;
  COutlineNode* FindChild(COutlineNode* node, uint32_t id) const;
  COutlineNode* AddObjectRow(CZrObject& object, COutlineNode* parent);
  COutlineNode* AddHeader(CZrGroup& group);
  void AddRootSpecial();
  void AddListMade(std::unique_ptr<CPeopleItem> item, int32_t state);

  void Activate(COutlineNode* node);
  void RequestObservers(COutlineNode* node);
  std::string HeaderText(const CPeopleItem& item) const;
  std::string GroupText(const CPeopleItem& item, CZrObject* object) const;
  UINT IconOf(const CPeopleItem& item, CZrObject* object) const;
  VoiceState VoiceStateOf(const CPeopleItem& item) const;
  void DrawIcon(CDC* dc, UINT bitmap, int32_t x, const RECT& rect);

  CPeoplePage& m_page;
  CPlace* m_root = nullptr;
  CPersonStateList* m_states = nullptr;
  IPeopleHost* m_host = nullptr;
  std::unique_ptr<CPeopleItem> m_rootSpecial;
  std::vector<std::unique_ptr<CPeopleItem>> m_items;
  std::vector<uint32_t> m_listed;
  bool m_observersRequested = false;
  uint32_t m_leaving = 0;
  bool m_syncPosted = false;
};
