// An in-memory settings file and a fixed application for the settings model.
#pragma once

#include <cctype>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ZrProfile.h"
#include "ZrSettingsHost.h"

struct ProfileWrite {
  std::string section;
  std::string key;
  std::string value;
  bool operator==(const ProfileWrite& other) const {
    return section == other.section && key == other.key && value == other.value;
  }
};

class FakeProfile : public IZrProfile {
 public:
  void Set(const std::string& section, const std::string& key, const std::string& value) {
    m_values[Name(section, key)] = value;
  }
  bool Has(const std::string& section, const std::string& key) const {
    return m_values.count(Name(section, key)) != 0;
  }
  std::string Get(const std::string& section, const std::string& key) const {
    auto found = m_values.find(Name(section, key));
    return found == m_values.end() ? std::string() : found->second;
  }

  std::string ReadString(const std::string&, const std::string& section,
                         const std::string& key) override {
    return Get(section, key);
  }
  int32_t ReadInt(const std::string&, const std::string& section, const std::string& key,
                  int32_t defaultValue) override {
    const std::string value = Get(section, key);
    return value.empty() ? defaultValue : static_cast<int32_t>(std::strtol(value.c_str(), nullptr, 10));
  }
  bool WriteString(const std::string&, const std::string& section, const std::string& key,
                   const std::string& value) override {
    writes.push_back({section, key, value});
    Set(section, key, value);
    return true;
  }
  bool DeleteKey(const std::string&, const std::string& section, const std::string& key) override {
    deletes.push_back({section, key, ""});
    m_values.erase(Name(section, key));
    return true;
  }
  bool HasSection(const std::string&, const std::string& section) override {
    const std::string prefix = Lower(section) + "\n";
    for (const auto& entry : m_values) {
      if (entry.first.compare(0, prefix.size(), prefix) == 0) return true;
    }
    return false;
  }

  std::vector<ProfileWrite> writes;
  std::vector<ProfileWrite> deletes;

 private:
  static std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  }
  static std::string Name(const std::string& section, const std::string& key) {
    return Lower(section) + "\n" + Lower(key);
  }
  std::map<std::string, std::string> m_values;
};

class FakeHost : public IZrSettingsHost {
 public:
  std::string ProgramFolder() override { return folder; }
  int32_t ScreenWidth() override { return width; }
  int32_t ScreenHeight() override { return height; }
  std::string ProductString(uint32_t index) override {
    switch (index) {
      case 10: return "home.lumora.example";
      case 11: return "chat.lumora.example";
      case 13: return "www.lumora.example";
      default: return "";
    }
  }
  std::string Text(uint32_t id) override {
    switch (id) {
      case 493: return "Not accepting IMs at this time.";
      case 528: return "'s ";
      case 444: return "tour";
      default: return "";
    }
  }
  bool CanSendFiles() override { return sendFiles; }
  std::string CommunityName() override { return community; }
  bool ConnectedOwnName(std::string& name) override {
    if (!connected) return false;
    name = ownName;
    return true;
  }

  std::string folder = "C:\\Zanthe\\";
  int32_t width = 1024;
  int32_t height = 768;
  bool sendFiles = true;
  std::string community;
  bool connected = false;
  std::string ownName;
};
