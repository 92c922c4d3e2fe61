// SPDX-License-Identifier: MIT
#include "platform/win32/accessible_name.h"

#include <commctrl.h>
#include <oleacc.h>

#include "platform/win32/failure.h"
#include "platform/win32/late_bound.h"

namespace platform {

namespace {

using CreateStdAccessibleObjectFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using SysAllocStringFn = BSTR(WINAPI*)(const OLECHAR*);

// The system's own accessible object for the control, with its name replaced.
class NamedAccessible final : public IAccessible {
  public:
    NamedAccessible(IAccessible* standard, const std::wstring& name, SysAllocStringFn alloc)
        : standard_(standard), name_(name), alloc_(alloc) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return standard_->QueryInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            standard_->Release();
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE
    GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id,
                                     REFIID iid,
                                     LCID locale,
                                     WORD flags,
                                     DISPPARAMS* parameters,
                                     VARIANT* result,
                                     EXCEPINFO* exception,
                                     UINT* argument) override {
        return standard_->Invoke(id, iid, locale, flags, parameters, result, exception, argument);
    }

    // IAccessible: all as the system has it, but the name.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (name == nullptr) return E_POINTER;
        if (child.vt != VT_I4 || child.lVal != CHILDID_SELF)
            return standard_->get_accName(child, name);
        *name = alloc_(name_.c_str());
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override {
        return standard_->get_accChild(child, dispatch);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return standard_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE
    accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
        return standard_->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

  private:
    ~NamedAccessible() = default;

    LONG references_ = 1;
    IAccessible* standard_;
    std::wstring name_;
    SysAllocStringFn alloc_;
};

LRESULT CALLBACK AnswerScreenReader(
    HWND control, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR data) {
    const auto* name = reinterpret_cast<const std::wstring*>(data);
    if (message == WM_GETOBJECT && static_cast<LONG>(lparam) == OBJID_CLIENT) {
        static const auto create =
            LateBound<CreateStdAccessibleObjectFn>(L"oleacc.dll", "CreateStdAccessibleObject");
        static const auto result =
            LateBound<LresultFromObjectFn>(L"oleacc.dll", "LresultFromObject");
        static const auto alloc = LateBound<SysAllocStringFn>(L"oleaut32.dll", "SysAllocString");
        IAccessible* standard = nullptr;
        if (create && result && alloc &&
            SUCCEEDED(create(
                control, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&standard)))) {
            // Copying the name allocates.
            return NoThrow([&] {
                auto* named = new NamedAccessible(standard, *name, alloc);
                const LRESULT answer = result(IID_IAccessible, wparam, named);
                named->Release();
                return answer;
            });
        }
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, AnswerScreenReader, id);
        delete name;
    }
    return DefSubclassProc(control, message, wparam, lparam);
}

}  // namespace

void SetAccessibleName(HWND control, std::wstring name) {
    auto* kept = new std::wstring(std::move(name));
    if (!SetWindowSubclass(control, AnswerScreenReader, 1, reinterpret_cast<DWORD_PTR>(kept))) {
        delete kept;
    }
}

}  // namespace platform
