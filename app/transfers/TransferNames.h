// Names that arrive with an offer come from another user: they decide
// nothing about where a file goes. These rules turn such a name into one
// that stays inside the folder the user chose, and give the kind of object
// an offered name stands for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum class TransferObjectKind { kFile = 0, kGesture = 1, kAvatar = 2 };

constexpr uint32_t kMaxTransferSize = 130048;   // 127 K
constexpr uint32_t kMaxAvatarSize = 16384;
constexpr uint32_t kAskAboveSize = 10240;
constexpr uint32_t kMaxOffersHeld = 50;

// The offered name reduced to a plain file name: the part after the last
// folder separator (backslash, slash or drive colon), without characters
// that no file name may hold or control characters, without trailing dots
// and blanks; a name left empty, made of dots, or naming a device becomes
// "received file".
std::string SafeFileName(const std::string& offered);

// The extension of the offered name (from its last dot, the dot included)
// when it is 1 to 8 letters or digits; otherwise empty.
std::string SafeExtension(const std::string& offered);

// File, gesture (".zra") or avatar (".gif" or ".bmp" of at most 16,384
// bytes), the extension compared without regard to case.
TransferObjectKind TransferKindOf(const std::string& name, uint32_t size);

// A dropped file is sent only when its path has at most this many
// characters; a longer one is refused, never cut short.
constexpr size_t kMaxDroppedPathLength = 120;

// Why a send to a person cannot start; kNone when it can.
enum class SendRefusal { kNone, kIgnored, kDialogOpen, kOnStage, kPathTooLong };

// What decides whether the user may start sending to a person: the person
// is ignored, a Send Object dialog is open, the person stands on an
// auditorium's stage, the length of the preset path (0: none).
struct SendTargetState {
  bool ignored = false;
  bool dialogOpen = false;
  bool onStage = false;
  size_t presetPathLength = 0;
};

// The first reason, in that order, that refuses the send.
SendRefusal SendRefusalFor(const SendTargetState& state);

// (size + 1024) / 1024: the K shown to users.
inline uint32_t TransferKilobytes(uint32_t size) { return (size + 1024) / 1024; }
