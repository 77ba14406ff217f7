// An object that carries out some of the application's commands once it is
// part of the running program (the page frame, the own user, the chat
// pages...). It plugs in with CZrApp::SetCommandTarget; until it does, its
// commands stay disabled.
#pragma once
#include <windows.h>

class CCmdUI;

class ICommandTarget {
 public:
  virtual ~ICommandTarget() = default;
  // The object's own part of the enable rule: the application has enabled
  // the command by its rule before asking; the object may disable, check or
  // relabel it.
  virtual void UpdateCommand(UINT id, CCmdUI* ui) = 0;
  // Runs only while the application's part of the rule holds.
  virtual void RunCommand(UINT id) = 0;
};
