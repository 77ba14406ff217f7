// Base of every object that receives commands: it owns a message map and
// answers OnCmdMsg. Frames, views and documents pass commands on along the
// routing chain by overriding OnCmdMsg.
#pragma once
#include "CObject.h"
#include "MessageMap.h"

class CCmdTarget : public CObject {
 public:
  // Routes command id with notification code (0 for menus, accelerators and
  // buttons; zr::kCodeUpdateUI for command-UI updates). With a null call
  // nothing runs: the answer says whether a handler exists.
  virtual bool OnCmdMsg(UINT id, UINT code, zr::MsgCall* call);

  static const zr::MessageMap* GetThisMessageMap();

 protected:
  virtual const zr::MessageMap* GetMessageMap() const;
  // Looks the command up in this object's own map (and its bases).
  bool DispatchCommand(UINT id, UINT code, zr::MsgCall* call);
};
