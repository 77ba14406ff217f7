// One entry of the update list: the fields of its list line and what the
// client found out about it on this machine.
#pragma once

#include <array>
#include <string>

struct UpdateEntry
{
    enum Field
    {
        kFlags,
        kReserved,
        kVersion,
        kDirectoryUrl,
        kInstalledName,
        kDownloadName,
        kExtra,
        kDigest,
        kComponent,
        kFieldCount
    };

    // The widest text each field may hold.
    static constexpr std::array<size_t, kFieldCount> kWidths = {16, 11, 20, 256, 50, 50, 128, 512, 50};

    std::array<std::string, kFieldCount> fields;
    std::string installDirectory; // with a trailing separator; empty when not found
    std::string downloadDirectory;
    bool installedBefore = false;
    bool selected = false;

    const std::string& Text(Field field) const { return fields[field]; }
    // Character `index` of the flags; missing characters count as "0".
    char Flag(size_t index) const;
    char Location() const { return Flag(0); }
    bool IsRemoval() const { return Flag(1) == 'd' || Flag(1) == 'D'; }
    char FirstHostCode() const { return Flag(2); }
    char SecondHostCode() const { return Flag(3); }
    char Kind() const { return Flag(4); }
    bool NeedsRestart() const { return Flag(5) != '0'; }
    char DeliveryMethod() const { return Flag(6); }
    // Kinds "3" and "5" are language libraries, "6" codec components: those
    // are chosen by component name rather than by host codes.
    bool IsComponentKind() const { return Kind() == '3' || Kind() == '5' || Kind() == '6'; }
    bool IsLanguageKind() const { return Kind() == '3' || Kind() == '5'; }
};
