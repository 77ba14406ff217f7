#include "SonorelleControlClasses.h"

#include "SonorelleInterfaces.h"

namespace {

// Activate when visible, set client site first, inside-out, cannot link
// inside, recompose on resize.
constexpr DWORD kMiscStatus = 0x20191;
constexpr SIZE kInitialSize {200, 250};
constexpr UINT kToolboxBitmap = 229;

} // namespace

const char kVoiceServiceAddress[] = "http://www.sonorelle.net/";

const OleControlClass kSonorelleClass {kSonorelleClassId, &kSonorelleDispatch, &kSonorelleEvents,
    kSonorellePageId, kSonorelleLibraryId, 1, 0, kMiscStatus, kInitialSize};
const OleControlClass kSonorelle2Class {kSonorelle2ClassId, &kSonorelle2Dispatch, &kSonorelle2Events,
    kSonorelle2PageId, kSonorelleLibraryId, 1, 0, kMiscStatus, kInitialSize};
const OleControlClass kSonorelle3Class {kSonorelle3ClassId, &kSonorelle3Dispatch, &kSonorelle3Events,
    kSonorelle3PageId, kSonorelleLibraryId, 1, 0, kMiscStatus, kInitialSize};
const OleControlRegistration kSonorelleRegistration {
    kSonorelleLibraryId, L"1.0", kMiscStatus, kToolboxBitmap};
