#pragma once

#include <windows.h>

#include <oleacc.h>

#include "forms/controls.h"
#include "forms/win32/accessibility.h"
#include "forms/win32/win32_platform.h"

namespace forms::win32 {

// The object a screen reader gets for one control's window (see
// AccessibleWindow): every question goes to the system's own object for the
// window, except the name, description and value where the model gives the
// control its own, and, for a shape, the role (a graphic) and state (read
// only). Held by its view and by readers; once the view is gone it answers
// as the system's object would. Like every COM object it ends only through
// its last Release, so its destructor is private.
class AccessibleObject final  // NOLINT(cppcoreguidelines-virtual-class-destructor)
    : public IAccessible {
  public:
    // nullptr when the system gives no object for the window.
    static AccessibleObject* create(Accessibility& accessibility, HWND window,
                                    const Control& control);
    void disconnect() { control_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // Readers ask through IAccessible itself, never by name.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID /*riid*/, LPOLESTR* /*names*/, UINT /*count*/,
                                            LCID /*locale*/, DISPID* /*ids*/) override {
        return guarded([] { return E_NOTIMPL; });
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID /*id*/, REFIID /*riid*/, LCID /*locale*/,
                                     WORD /*flags*/, DISPPARAMS* /*params*/, VARIANT* /*result*/,
                                     EXCEPINFO* /*exception*/, UINT* /*argument*/) override {
        return guarded([] { return E_NOTIMPL; });
    }

    // What the model may have to say.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;

    // The system's alone.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return guarded([&] { return standard_->get_accParent(parent); });
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return guarded([&] { return standard_->get_accChildCount(count); });
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return guarded([&] { return standard_->get_accChild(child, object); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return guarded([&] { return standard_->get_accHelp(child, help); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return guarded([&] { return standard_->get_accHelpTopic(file, child, topic); });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return guarded([&] { return standard_->get_accKeyboardShortcut(child, shortcut); });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return guarded([&] { return standard_->get_accFocus(child); });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return guarded([&] { return standard_->get_accSelection(children); });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return guarded([&] { return standard_->get_accDefaultAction(child, action); });
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return guarded([&] { return standard_->accSelect(flags, child); });
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return guarded([&] { return standard_->accLocation(left, top, width, height, child); });
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return guarded([&] { return standard_->accNavigate(direction, start, end); });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
        return guarded([&] { return standard_->accHitTest(left, top, child); });
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return guarded([&] { return standard_->accDoDefaultAction(child); });
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return guarded([&] { return standard_->put_accName(child, name); });
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return guarded([&] { return standard_->put_accValue(child, value); });
    }

  private:
    AccessibleObject(Accessibility& accessibility, IAccessible* standard, const Control& control);
    ~AccessibleObject();

    // No exception may pass back through COM to a reader: every method's
    // whole body runs inside the guard, and a method that failed says so.
    template <typename Body, typename Answer = HRESULT>
    static Answer guarded(Body&& body, Answer failed = E_FAIL) noexcept {
        return atEdge(MessageBoxErrors{}, body, [failed] { return failed; });
    }

    // The control itself is asked about, not one of its parts, and the
    // model still has it.
    const Control* aboutControl(const VARIANT& child) const;
    bool aboutShape(const VARIANT& child) const;
    // The model's text in place of the system's; the system's when the
    // model gives none.
    template <typename Standard>
    HRESULT text(const VARIANT& child, const std::string AccessibleText::*field, BSTR* out,
                 Standard standard);

    LONG references_ = 1;
    Accessibility& accessibility_;
    IAccessible* standard_;
    const Control* control_;
};

}  // namespace forms::win32
