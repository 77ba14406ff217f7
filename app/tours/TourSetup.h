// CTourSetup: the choices of the "Tour Setup" dialog: which vehicle (2 or 11
// passengers, or none chosen), the tour's name and each vehicle's picture,
// and the settings they are saved as.
#pragma once

#include <optional>
#include <string>

class CTourSetup {
 public:
  static constexpr int kSmall = 2;
  static constexpr int kLarge = 11;
  static constexpr int kNone = 0;

  struct Saved {
    int capacity;
    std::string name;
    // The name was left empty: the default name stands in.
    bool noName;
    std::string smallPicture;
    std::string largePicture;
  };

  // A stored capacity above 2 selects the large vehicle, any other the
  // small one.
  CTourSetup(int storedCapacity, const std::string& name, const std::string& smallPicture,
             const std::string& largePicture);

  int Selected() const { return m_selected; }
  void Select(int capacity);
  const std::string& GetName() const { return m_name; }
  void SetName(const std::string& name) { m_name = name; }
  const std::string& PictureOf(int capacity) const;
  // The selected vehicle's picture; false when none is selected.
  bool SetPicture(const std::string& path);
  // "Tour for 2" / "Tour for 11" until the tour has a name.
  std::string CaptionOf(int capacity) const;

  // Nothing while no vehicle is selected. The name loses its trailing
  // blanks; an empty one becomes defaultName.
  std::optional<Saved> Save(const std::string& defaultName) const;

 private:
  int m_selected;
  std::string m_name;
  std::string m_smallPicture;
  std::string m_largePicture;
};
