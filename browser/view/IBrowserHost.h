// The application's services that a browser view calls: the root place's
// back link, the opening of place links, the login values and the event
// interactions that pages hand over, and the local welcome page.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "CCommunityCheck.h"

class CPlaceAddress;
class IBrowserInteraction;
class IWebLoginTarget;

class IBrowserHost {
 public:
  virtual ~IBrowserHost() = default;

  // Whether the root place has a back link to go back through.
  virtual bool HasBackLink() const = 0;
  // Decides which community hosts a place link may name.
  virtual CCommunityCheck GetCommunityCheck() const = 0;
  virtual void OpenPlaceAddress(const CPlaceAddress& address, int32_t flag) = 0;
  virtual IWebLoginTarget& GetLoginTarget() = 0;
  // Starts connecting to the place.
  virtual void ConnectPlace() = 0;
  // The interaction that url asks for; null when url is not an interaction.
  virtual std::unique_ptr<IBrowserInteraction> ParseInteraction(const std::string& url) = 0;
  // The URL of the local welcome page that a closing view shows.
  virtual std::string GetWelcomeUrl() const = 0;
};
