#include "forms/win32/accessible_object.h"

#include <string>

#include "forms/window_size.h"

namespace forms::win32 {

namespace {

std::wstring wide(const std::string& text) {
    const int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), length);
    return out;
}

}  // namespace

AccessibleObject* AccessibleObject::create(Accessibility& accessibility, HWND window,
                                           const Control& control) {
    IAccessible* standard = nullptr;
    if (FAILED(accessibility.CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                                       reinterpret_cast<void**>(&standard))) ||
        standard == nullptr) {
        return nullptr;
    }
    return new AccessibleObject(accessibility, standard, control);
}

AccessibleObject::AccessibleObject(Accessibility& accessibility, IAccessible* standard,
                                   const Control& control)
    : accessibility_(accessibility), standard_(standard), control_(&control) {}

AccessibleObject::~AccessibleObject() {
    standard_->Release();
}

HRESULT AccessibleObject::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(riid, __uuidof(IUnknown)) || IsEqualIID(riid, __uuidof(IDispatch)) ||
        IsEqualIID(riid, __uuidof(IAccessible))) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG AccessibleObject::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG AccessibleObject::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

// Readers ask through IAccessible itself, never by name.
HRESULT AccessibleObject::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}
HRESULT AccessibleObject::GetTypeInfo(UINT /*index*/, LCID /*locale*/, ITypeInfo** info) {
    *info = nullptr;
    return E_NOTIMPL;
}
HRESULT AccessibleObject::GetIDsOfNames(REFIID /*riid*/, LPOLESTR* /*names*/, UINT /*count*/,
                                        LCID /*locale*/, DISPID* /*ids*/) {
    return E_NOTIMPL;
}
HRESULT AccessibleObject::Invoke(DISPID /*id*/, REFIID /*riid*/, LCID /*locale*/, WORD /*flags*/,
                                 DISPPARAMS* /*params*/, VARIANT* /*result*/,
                                 EXCEPINFO* /*exception*/, UINT* /*argument*/) {
    return E_NOTIMPL;
}

const Control* AccessibleObject::aboutControl(const VARIANT& child) const {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF ? control_ : nullptr;
}

bool AccessibleObject::aboutShape(const VARIANT& child) const {
    const Control* control = aboutControl(child);
    return control != nullptr && control->kind() == ControlKind::Shape;
}

template <typename Standard>
HRESULT AccessibleObject::text(const VARIANT& child, const std::string AccessibleText::*field,
                               BSTR* out, Standard standard) {
    const Control* control = aboutControl(child);
    if (control == nullptr || (control->accessible().*field).empty()) {
        return standard();
    }
    // No exception may unwind through COM; making the text can only run out of memory.
    try {
        *out = accessibility_.SysAllocString(wide(control->accessible().*field).c_str());
    } catch (...) {
        *out = nullptr;
    }
    return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT AccessibleObject::get_accName(VARIANT child, BSTR* name) {
    return text(child, &AccessibleText::name, name,
                [&] { return standard_->get_accName(child, name); });
}

HRESULT AccessibleObject::get_accValue(VARIANT child, BSTR* value) {
    return text(child, &AccessibleText::value, value,
                [&] { return standard_->get_accValue(child, value); });
}

HRESULT AccessibleObject::get_accDescription(VARIANT child, BSTR* description) {
    return text(child, &AccessibleText::description, description,
                [&] { return standard_->get_accDescription(child, description); });
}

// A shape is a picture the user looks at, never a control to act on.
HRESULT AccessibleObject::get_accRole(VARIANT child, VARIANT* role) {
    if (!aboutShape(child)) {
        return standard_->get_accRole(child, role);
    }
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_GRAPHIC;
    return S_OK;
}

// Whether it can be seen is the system's to say, except for a control the
// window's width leaves outside its client area: the system reads that as
// on screen and focusable, though the user can neither see it nor reach it
// with the keyboard. A shape is read only, whatever else the system says.
HRESULT AccessibleObject::get_accState(VARIANT child, VARIANT* state) {
    const Control* control = aboutControl(child);
    const HRESULT result = standard_->get_accState(child, state);
    const bool clipped = control != nullptr && !liesInClientArea(*control);
    if (!clipped && !aboutShape(child)) {
        return result;
    }
    constexpr LONG kSeen = STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
    LONG bits = SUCCEEDED(result) && state->vt == VT_I4 ? state->lVal : 0;
    if (aboutShape(child)) {
        bits = STATE_SYSTEM_READONLY | (bits & kSeen);
    }
    if (clipped) {
        bits = (bits & ~STATE_SYSTEM_FOCUSABLE) | kSeen;
    }
    state->vt = VT_I4;
    state->lVal = bits;
    return S_OK;
}

HRESULT AccessibleObject::get_accParent(IDispatch** parent) {
    return standard_->get_accParent(parent);
}
HRESULT AccessibleObject::get_accChildCount(LONG* count) {
    return standard_->get_accChildCount(count);
}
HRESULT AccessibleObject::get_accChild(VARIANT child, IDispatch** object) {
    return standard_->get_accChild(child, object);
}
HRESULT AccessibleObject::get_accHelp(VARIANT child, BSTR* help) {
    return standard_->get_accHelp(child, help);
}
HRESULT AccessibleObject::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    return standard_->get_accHelpTopic(file, child, topic);
}
HRESULT AccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return standard_->get_accKeyboardShortcut(child, shortcut);
}
HRESULT AccessibleObject::get_accFocus(VARIANT* child) {
    return standard_->get_accFocus(child);
}
HRESULT AccessibleObject::get_accSelection(VARIANT* children) {
    return standard_->get_accSelection(children);
}
HRESULT AccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action) {
    return standard_->get_accDefaultAction(child, action);
}
HRESULT AccessibleObject::accSelect(LONG flags, VARIANT child) {
    return standard_->accSelect(flags, child);
}
HRESULT AccessibleObject::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                      VARIANT child) {
    return standard_->accLocation(left, top, width, height, child);
}
HRESULT AccessibleObject::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    return standard_->accNavigate(direction, start, end);
}
HRESULT AccessibleObject::accHitTest(LONG left, LONG top, VARIANT* child) {
    return standard_->accHitTest(left, top, child);
}
HRESULT AccessibleObject::accDoDefaultAction(VARIANT child) {
    return standard_->accDoDefaultAction(child);
}
HRESULT AccessibleObject::put_accName(VARIANT child, BSTR name) {
    return standard_->put_accName(child, name);
}
HRESULT AccessibleObject::put_accValue(VARIANT child, BSTR value) {
    return standard_->put_accValue(child, value);
}

}  // namespace forms::win32
