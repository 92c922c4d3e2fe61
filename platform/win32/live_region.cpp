// SPDX-License-Identifier: MIT
#include "platform/win32/live_region.h"

#include <oleacc.h>

#include "platform/win32/late_bound.h"

namespace platform {

namespace {

using CoInitializeExFn = HRESULT(WINAPI*)(void*, DWORD);
using CoCreateInstanceFn = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);

// UI Automation's LiveSetting property and its value Polite; MinGW's headers lack both.
constexpr GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;
// Spelled out here: no import library is needed for them, nor any that is the wrong one.
constexpr GUID kAccPropServicesClass = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID kAccPropServicesInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};

}  // namespace

// Through the accessibility property service, which both MSAA and UI Automation clients read.
// COM is loaded only here, when the first announcement is made.
bool MarkLiveRegion(HWND control) {
    static const auto initialize = LateBound<CoInitializeExFn>(L"ole32.dll", "CoInitializeEx");
    static const auto create = LateBound<CoCreateInstanceFn>(L"ole32.dll", "CoCreateInstance");
    if (initialize == nullptr || create == nullptr) return false;
    initialize(nullptr, COINIT_APARTMENTTHREADED);  // S_FALSE when it already was: fine
    IAccPropServices* services = nullptr;
    if (FAILED(create(kAccPropServicesClass,
                      nullptr,
                      CLSCTX_INPROC_SERVER,
                      kAccPropServicesInterface,
                      reinterpret_cast<void**>(&services)))) {
        return false;
    }
    VARIANT polite;
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    const HRESULT marked = services->SetHwndProp(control,
                                                 static_cast<DWORD>(OBJID_CLIENT),
                                                 static_cast<DWORD>(CHILDID_SELF),
                                                 kLiveSettingProperty,
                                                 polite);
    services->Release();
    return SUCCEEDED(marked);
}

void RaiseLiveRegionChanged(HWND control) {
    NotifyWinEvent(kLiveRegionChanged, control, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace platform
