#include "CCmdTarget.h"

const zr::MessageMap* CCmdTarget::GetThisMessageMap() {
  static const zr::MsgEntry entries[] = {{0, 0, 0, 0, nullptr}};
  static const zr::MessageMap map = {nullptr, entries};
  return &map;
}

const zr::MessageMap* CCmdTarget::GetMessageMap() const {
  return GetThisMessageMap();
}

bool CCmdTarget::OnCmdMsg(UINT id, UINT code, zr::MsgCall* call) {
  return DispatchCommand(id, code, call);
}

bool CCmdTarget::DispatchCommand(UINT id, UINT code, zr::MsgCall* call) {
  const zr::MsgEntry* entry = zr::FindEntry(GetMessageMap(), WM_COMMAND, code, id);
  if (!entry) {
    return false;
  }
  if (call) {
    call->id = id;
    entry->thunk(this, *call);
  }
  return true;
}
