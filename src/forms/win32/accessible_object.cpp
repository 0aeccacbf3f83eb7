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
    return guarded([&] {
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
    });
}

// The count they answer is for tests only, so a failure answers none.
ULONG AccessibleObject::AddRef() {
    return guarded([this] { return static_cast<ULONG>(InterlockedIncrement(&references_)); },
                   ULONG{0});
}

ULONG AccessibleObject::Release() {
    return guarded(
        [this] {
            const LONG left = InterlockedDecrement(&references_);
            if (left == 0) {
                delete this;
            }
            return static_cast<ULONG>(left);
        },
        ULONG{0});
}

HRESULT AccessibleObject::GetTypeInfoCount(UINT* count) {
    return guarded([&] {
        *count = 0;
        return S_OK;
    });
}

HRESULT AccessibleObject::GetTypeInfo(UINT /*index*/, LCID /*locale*/, ITypeInfo** info) {
    return guarded([&] {
        *info = nullptr;
        return E_NOTIMPL;
    });
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
        return (standard_->*standard)(child, out);
    }
    *out = accessibility_.SysAllocString(wide(control->accessible().*field).c_str());
    return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT AccessibleObject::get_accName(VARIANT child, BSTR* name) {
    return guarded(
        [&] { return text(child, &AccessibleText::name, name, &IAccessible::get_accName); });
}

HRESULT AccessibleObject::get_accValue(VARIANT child, BSTR* value) {
    return guarded(
        [&] { return text(child, &AccessibleText::value, value, &IAccessible::get_accValue); });
}

HRESULT AccessibleObject::get_accDescription(VARIANT child, BSTR* description) {
    return guarded([&] {
        return text(child, &AccessibleText::description, description,
                    &IAccessible::get_accDescription);
    });
}

// A shape is a picture the user looks at, never a control to act on.
HRESULT AccessibleObject::get_accRole(VARIANT child, VARIANT* role) {
    return guarded([&] {
        if (!aboutShape(child)) {
            return standard_->get_accRole(child, role);
        }
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_GRAPHIC;
        return S_OK;
    });
}

// Whether it can be seen is the system's to say, except for a control the
// window's width leaves outside its client area: the system reads that as
// on screen and focusable, though the user can neither see it nor reach it
// with the keyboard. A shape is read only, whatever else the system says.
HRESULT AccessibleObject::get_accState(VARIANT child, VARIANT* state) {
    return guarded([&] {
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
    });
}

}  // namespace forms::win32
