#include "accessible_report.h"

#include <oleacc.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "window_report.h"

namespace automate {

namespace {

constexpr int kDeepest = 12;
constexpr const char* kListenerClass = "AutomateListener";

// One COM apartment for the helper's one thread, for as long as it runs.
class Apartment {
  public:
    Apartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~Apartment() { CoUninitialize(); }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;
};

template <typename Interface>
class Com {
  public:
    Com() = default;
    ~Com() {
        if (pointer_ != nullptr) {
            pointer_->Release();
        }
    }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;

    Interface* get() const { return pointer_; }
    Interface** out() { return &pointer_; }
    Interface* operator->() const { return pointer_; }

  private:
    Interface* pointer_ = nullptr;
};

class Variant {
  public:
    Variant() { VariantInit(&value_); }
    explicit Variant(LONG child) : Variant() {
        value_.vt = VT_I4;
        value_.lVal = child;
    }
    ~Variant() { VariantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    VARIANT& get() { return value_; }
    const VARIANT& get() const { return value_; }

  private:
    VARIANT value_;
};

std::string utf8(BSTR text) {
    if (text == nullptr) {
        return "";
    }
    const int length = static_cast<int>(SysStringLen(text));
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), bytes, nullptr, nullptr);
    return out;
}

// A text property, or "-" when the object has none.
template <typename Getter>
std::string textOf(Getter getter) {
    BSTR text = nullptr;
    if (FAILED(getter(&text)) || text == nullptr) {
        return "-";
    }
    std::string out = utf8(text);
    SysFreeString(text);
    return escaped(out);
}

std::string roleOf(IAccessible& object, const VARIANT& child) {
    Variant role;
    if (FAILED(object.get_accRole(child, &role.get())) || role.get().vt != VT_I4) {
        return "-";
    }
    std::array<char, 128> text{};
    GetRoleTextA(static_cast<DWORD>(role.get().lVal), text.data(), text.size());
    return text.data();
}

std::string stateOf(IAccessible& object, const VARIANT& child) {
    Variant state;
    if (FAILED(object.get_accState(child, &state.get())) || state.get().vt != VT_I4) {
        return "-";
    }
    std::string names;
    for (DWORD bit = 1; bit != 0 && bit <= STATE_SYSTEM_VALID; bit <<= 1) {
        if ((static_cast<DWORD>(state.get().lVal) & bit) != 0) {
            std::array<char, 128> text{};
            GetStateTextA(bit, text.data(), text.size());
            names += (names.empty() ? "" : "+") + std::string(text.data());
        }
    }
    return names.empty() ? "normal" : names;
}

std::string locationOf(IAccessible& object, const VARIANT& child) {
    LONG x = 0;
    LONG y = 0;
    LONG width = 0;
    LONG height = 0;
    if (FAILED(object.accLocation(&x, &y, &width, &height, child))) {
        return "-";
    }
    return box(RECT{x, y, x + width, y + height});
}

std::string describe(IAccessible& object, LONG childId, int depth) {
    const Variant child(childId);
    const VARIANT& c = child.get();
    std::string line = "depth=" + std::to_string(depth);
    line += "\trole=" + roleOf(object, c);
    line += "\tname=" + textOf([&](BSTR* t) { return object.get_accName(c, t); });
    line += "\tvalue=" + textOf([&](BSTR* t) { return object.get_accValue(c, t); });
    line += "\tdescription=" + textOf([&](BSTR* t) { return object.get_accDescription(c, t); });
    line += "\tstate=" + stateOf(object, c);
    line += "\tlocation=" + locationOf(object, c);
    line += "\tchild=" + (childId == CHILDID_SELF ? std::string("self") : std::to_string(childId));
    return line;
}

void print(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

void printTree(IAccessible& object, int depth);

// A child window's own object stands for its frame, and says little (under
// Wine, nothing); a reader goes on to its client object, and so do we.
void printChildWindow(IAccessible& object, int depth) {
    HWND window = nullptr;
    Com<IAccessible> client;
    const Variant self(CHILDID_SELF);
    Variant role;
    const bool isWindow = FAILED(object.get_accRole(self.get(), &role.get())) ||
                          (role.get().vt == VT_I4 && role.get().lVal == ROLE_SYSTEM_WINDOW);
    if (isWindow && SUCCEEDED(WindowFromAccessibleObject(&object, &window)) && window != nullptr &&
        SUCCEEDED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                             __uuidof(IAccessible),
                                             reinterpret_cast<void**>(client.out())))) {
        printTree(*client.get(), depth);
        return;
    }
    printTree(object, depth);
}

void printTree(IAccessible& object, int depth) {
    print(describe(object, CHILDID_SELF, depth));
    LONG count = 0;
    if (depth >= kDeepest || FAILED(object.get_accChildCount(&count)) || count <= 0) {
        return;
    }
    std::vector<VARIANT> children(static_cast<size_t>(count));
    LONG obtained = 0;
    if (FAILED(AccessibleChildren(&object, 0, count, children.data(), &obtained))) {
        return;
    }
    for (LONG index = 0; index < obtained; ++index) {
        VARIANT& child = children[static_cast<size_t>(index)];
        Com<IAccessible> inner;
        if (child.vt == VT_DISPATCH && child.pdispVal != nullptr &&
            SUCCEEDED(child.pdispVal->QueryInterface(__uuidof(IAccessible),
                                                     reinterpret_cast<void**>(inner.out())))) {
            printChildWindow(*inner.get(), depth + 1);
        } else if (child.vt == VT_I4) {
            print(describe(object, child.lVal, depth + 1));
        }
        VariantClear(&child);
    }
}

struct Change {
    DWORD event;
    HWND window;
    LONG object;
    LONG child;
};

// Out-of-context events arrive through the listener's message loop; each is
// queued there as a thread message and read once the callback has returned,
// so no call into the program is made from inside the hook.
constexpr UINT kChangeMessage = WM_APP + 1;

void CALLBACK onChange(HWINEVENTHOOK /*hook*/, DWORD event, HWND window, LONG object, LONG child,
                       DWORD /*thread*/, DWORD /*time*/) {
    auto* change = new Change{event, window, object, child};
    PostThreadMessageA(GetCurrentThreadId(), kChangeMessage, 0, reinterpret_cast<LPARAM>(change));
}

const char* eventName(DWORD event) {
    switch (event) {
        case EVENT_OBJECT_NAMECHANGE:
            return "namechange";
        case EVENT_OBJECT_DESCRIPTIONCHANGE:
            return "descriptionchange";
        default:
            return "valuechange";
    }
}

void printChange(const Change& change) {
    std::string line = std::string("event=") + eventName(change.event) +
                       "\thwnd=" + hex(reinterpret_cast<UINT_PTR>(change.window)) +
                       "\tobject=" + std::to_string(change.object) +
                       "\tchild=" + std::to_string(change.child);
    Com<IAccessible> object;
    Variant child;
    if (SUCCEEDED(AccessibleObjectFromEvent(change.window, static_cast<DWORD>(change.object),
                                            static_cast<DWORD>(change.child), object.out(),
                                            &child.get()))) {
        const VARIANT& c = child.get();
        line += "\tname=" + textOf([&](BSTR* t) { return object->get_accName(c, t); });
        line += "\tvalue=" + textOf([&](BSTR* t) { return object->get_accValue(c, t); });
    }
    print(line);
}

LRESULT CALLBACK listenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

void printAccessibleTree(HWND window) {
    const Apartment apartment;
    Com<IAccessible> root;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(root.out())))) {
        std::fprintf(stderr, "automate: the window gives no accessible object\n");
        return;
    }
    printTree(*root.get(), 0);
}

bool printAccessibleAt(int x, int y) {
    const Apartment apartment;
    Com<IAccessible> object;
    Variant child;
    if (FAILED(AccessibleObjectFromPoint(POINT{x, y}, object.out(), &child.get())) ||
        object.get() == nullptr) {
        return false;
    }
    const LONG id = child.get().vt == VT_I4 ? child.get().lVal : CHILDID_SELF;
    print(describe(*object.get(), id, 0));
    return true;
}

void listenForChanges(HWND window, int timeoutMs) {
    const Apartment apartment;
    WNDCLASSA listenerClass{};
    listenerClass.lpfnWndProc = listenerProc;
    listenerClass.hInstance = GetModuleHandleA(nullptr);
    listenerClass.lpszClassName = kListenerClass;
    RegisterClassA(&listenerClass);
    HWND listener = CreateWindowExA(0, kListenerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                    listenerClass.hInstance, nullptr);
    // Wine 8 passes no event to a hook that names the process it listens
    // to, so the hook hears every process and the loop keeps the program's.
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, onChange, 0, 0,
                        WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    SetTimer(listener, 1, static_cast<UINT>(timeoutMs), nullptr);
    print("listening=1");
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && message.message == kChangeMessage) {
            const std::unique_ptr<Change> change(
                reinterpret_cast<Change*>(message.lParam));  // NOLINT(performance-no-int-to-ptr)
            DWORD from = 0;
            GetWindowThreadProcessId(change->window, &from);
            if (from == process) {
                printChange(*change);
            }
        } else {
            DispatchMessageA(&message);
        }
    }
    UnhookWinEvent(hook);
}

}  // namespace automate
