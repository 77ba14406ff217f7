// The automation interfaces of the voice control module's three controls,
// the identities of their classes and pages, and the module's type library.
#pragma once

#include "CTypeLibBuilder.h"
#include "DispatchMember.h"

extern const GUID kSonorelleLibraryId;
extern const CLSID kSonorelleClassId;
extern const CLSID kSonorellePageId;
extern const CLSID kSonorelle2ClassId;
extern const CLSID kSonorelle2PageId;
extern const CLSID kSonorelle3ClassId;
extern const CLSID kSonorelle3PageId;

extern const DispatchInterface kSonorelleDispatch;
extern const DispatchInterface kSonorelleEvents;
extern const DispatchInterface kSonorelle2Dispatch;
extern const DispatchInterface kSonorelle2Events;
extern const DispatchInterface kSonorelle3Dispatch;
extern const DispatchInterface kSonorelle3Events;

const TypeLibDescription& SonorelleTypeLibrary();
