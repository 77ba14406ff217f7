// The program's side of the voice session: the people page shows the voice
// status and the voice marks of the rows; the person states tell who is
// ignored; errors are told once the control's event has returned.
#pragma once

#include "IVoiceView.h"

class CZrApp;

class CVoiceViewLink : public IVoiceView {
 public:
  explicit CVoiceViewLink(CZrApp& app) : m_app(app) {}

  uint32_t LocalMember() const override;
  bool IsIgnored(uint32_t member) const override;
  bool HasFloor() const override;
  void ShowVoiceStatus(const std::string& text) override;
  void RepaintVoiceMember(uint32_t member) override;
  void ShowVoiceError(const std::string& description) override;

 private:
  CZrApp& m_app;
};
