#include "forms/win32/form_window.h"

#include <string>
#include <utility>

#include "forms/win32/newer_windows.h"
#include "forms/win32/own_windows.h"
#include "forms/win32/program_names.h"
#include "forms/win32/screen_metrics.h"
#include "forms/win32/system_call.h"
#include "forms/win32/win32_platform.h"

namespace forms::win32 {

namespace {

// Posted to itself by a new form window: its child windows are built when the
// message loop first gets to it, after whatever start-up work came before.
constexpr UINT kBuildControlsMessage = WM_APP + 1;

DWORD styleOf(const FormDesign& design) {
    return (design.dialogFrame ? WS_CAPTION | WS_SYSMENU : WS_OVERLAPPEDWINDOW) | WS_CLIPCHILDREN;
}

std::string classNameOf(const FormDesign& design) {
    return design.windowClass.empty() ? std::string(programNames().formClass) : design.windowClass;
}

// The hidden owner only keeps the setup window off the task bar. A close sent
// to it from outside would destroy the setup window with it and leave the
// tray with nothing to open, so it is not for closing.
LRESULT CALLBACK ownerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto systems = [&] { return DefWindowProcA(window, message, wParam, lParam); };
    return atEdge(
        MessageBoxErrors{}, [&] { return message == WM_CLOSE ? LRESULT{0} : systems(); }, systems);
}

// The image of the size its place asks for at this DPI, so nothing is stretched.
OwnedIcon loadIcon(HINSTANCE instance, int resource, int widthMetric, int heightMetric, int dpi) {
    return OwnedIcon(static_cast<HICON>(
        checked(LoadImageA(instance, MAKEINTRESOURCEA(resource), IMAGE_ICON,
                           metricForDpi(widthMetric, dpi), metricForDpi(heightMetric, dpi), 0),
                "Could not load icon " + std::to_string(resource))));
}

// A fixed dialog offers only Move and Close.
void trimSystemMenu(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    for (UINT command : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE}) {
        DeleteMenu(menu, command, MF_BYCOMMAND);
    }
}

}  // namespace

FormWindow::FormWindow(Form& form, HINSTANCE instance, Accessibility& accessibility)
    : form_(form),
      instance_(instance),
      accessibility_(accessibility),
      scale_{screenDpi(), nullptr} {
    try {
        createWindow(instance);
    } catch (...) {
        // The half-built window goes with the members; it must not find us.
        SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
        throw;
    }
    PostMessageA(window_.get(), kBuildControlsMessage, 0, 0);
    formChanged();
    // Where the system tells each window its display's DPI, the one the
    // window opened on may differ from the display's at log-on.
    if (windowDpi(window_.get()) != scale_.dpi) {
        changeScale(windowDpi(window_.get()));
    }
}

FormWindow::~FormWindow() {
    // Whatever the window still receives while it goes is no business of ours.
    SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
    while (!views_.empty()) {
        views_.pop_back();
    }
    window_.reset();
    owner_.reset();
}

void FormWindow::createWindow(HINSTANCE instance) {
    const FormDesign& design = form_.design();
    const std::string className = classNameOf(design);
    registerWindowClass(instance, className, ownWindowProc<FormWindow>);
    if (!design.showInTaskbar) {
        // An owned window gets no task-bar button, and keeps a normal title bar.
        const char* ownerClass = programNames().ownerClass;
        registerWindowClass(instance, ownerClass, ownerProc);
        owner_.reset(checked(CreateWindowExA(0, ownerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                             nullptr, instance, nullptr),
                             "Could not create the owner window of " + design.name));
    }
    {
        const RaisedFlag ours = placement_.placing();
        window_.reset(CreateWindowExA(0, className.c_str(), design.caption.c_str(), styleOf(design),
                                      0, 0, 0, 0, owner_.get(), nullptr, instance, this));
    }
    checked(window_.get(), "Could not create the window " + design.name);
    if (design.dialogFrame) {
        trimSystemMenu(window_.get());
    }
}

// Once, when the message loop is free or before the window first shows,
// whichever comes first: the controls come up with the values the model has
// by then.
void FormWindow::buildControlViews() {
    if (viewsBuilt_) {
        return;
    }
    viewsBuilt_ = true;
    font_.reset(createLayoutFont(scale_.dpi));
    scale_.font = font_.get();
    loadIcons();
    createControlViews(form_,
                       {.instance = instance_,
                        .form = window_.get(),
                        .scale = &scale_,
                        .accessibility = &accessibility_},
                       views_);
    for (const auto& view : views_) {
        view->mirror();
    }
    placement_.place();
}

void FormWindow::controlChanged(const Control& control) {
    if (ControlView* view = viewOf(&control)) {
        view->mirror();
    }
}

NativeHandle FormWindow::handle() const {
    return reinterpret_cast<NativeHandle>(window_.get());
}

FormWindow* FormWindow::fromWindow(HWND window) {
    if (window == nullptr || GetClassLongPtrA(window, GCLP_WNDPROC) !=
                                 reinterpret_cast<ULONG_PTR>(&ownWindowProc<FormWindow>)) {
        return nullptr;
    }
    return fromInteger<FormWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT FormWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            ControlView* view = viewOf(fromInteger<HWND>(lParam));
            if (view == nullptr) {
                break;
            }
            if (focus_.actedOn(*view)) {
                view->notified(HIWORD(wParam));
            }
            return 0;
        }
        case WM_SYSCOMMAND:
            // The close box and Alt+F4 are the user's; a bare WM_CLOSE comes
            // from another program.
            if ((wParam & 0xFFF0) == SC_CLOSE) {
                form_.closeBox();
                return 0;
            }
            break;
        case WM_CLOSE:
            form_.closeRequested();
            return 0;
        case WM_PAINT:
            paintSurface(beginPaint(window).get());
            return 0;
        case WM_PRINTCLIENT: {
            auto* dc = fromInteger<HDC>(wParam);
            RECT client{};
            GetClientRect(window, &client);
            FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
            paintSurface(dc);
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                focus_.windowLeft();
            }
            // Activated by the keyboard or by another program, perhaps where
            // it cannot be seen; a click found it in view already, and must
            // land where it was aimed.
            if (LOWORD(wParam) == WA_ACTIVE) {
                placement_.bringIntoWorkArea();
            }
            break;
        case WM_SETFOCUS:
            // Back to the control that had the focus when the window was last left.
            focus_.windowFocused();
            return 0;
        case WM_MOVE:
            placement_.moved();
            break;
        case kBuildControlsMessage:
            buildControlViews();
            return 0;
        case WM_SHOWWINDOW:
            // However the window comes to be shown, its controls are there first.
            if (wParam != FALSE) {
                buildControlViews();
            }
            break;
        case WM_DISPLAYCHANGE:
            if (IsWindowVisible(window) != FALSE) {
                placement_.bringIntoWorkArea();
            }
            break;
        case kDpiChangedMessage:
            if (placement_.moveToNewDpi(HIWORD(wParam), fromInteger<const RECT*>(lParam))) {
                changeScale(HIWORD(wParam));
            }
            return 0;
        case WM_SYSCOLORCHANGE:
            repaintAll();
            break;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETHIGHCONTRAST) {
                repaintAll();
            }
            // The task bar moved or grew, or the work area caught up with a
            // change of display mode.
            if (wParam == SPI_SETWORKAREA && IsWindowVisible(window) != FALSE) {
                placement_.bringIntoWorkArea();
            }
            // A new message font, or a new DPI where the system tells no
            // window about it, redraws the window at what holds now.
            if (wParam == SPI_SETNONCLIENTMETRICS || windowDpi(window) != scale_.dpi) {
                changeScale(windowDpi(window));
            }
            break;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void FormWindow::formChanged() {
    if (placement_.adopting()) {
        return;
    }
    HWND window = window_.get();
    placement_.restoreIfMinimised();
    // A window loaded hidden is placed with its controls, once the message
    // loop runs: every move costs, and nobody sees it before.
    if (viewsBuilt_ || form_.Visible()) {
        placement_.place();
        focus_.keepInView();
    }
    const bool shown = IsWindowVisible(window) != FALSE;
    if (form_.Visible() && !shown) {
        buildControlViews();
        placement_.bringIntoWorkArea();
        ShowWindow(window, SW_SHOWNORMAL);
        SetForegroundWindow(window);
    } else if (!form_.Visible() && shown) {
        ShowWindow(window, SW_HIDE);
    }
}

// Windows lets the program take the foreground while it handles the input
// that asked for the show (the tray's, or a second start's), which is when
// this runs. Every show starts the keyboard at the first control the user
// can see, so Tab and the arrows work without a click first, and a key
// pressed at once acts on something in view. A window shown already may
// have been moved off screen since: it comes into view before the keyboard
// goes to it.
void FormWindow::activate() {
    HWND window = window_.get();
    if (IsWindowVisible(window) == FALSE) {
        return;
    }
    placement_.bringIntoWorkArea();
    if (GetForegroundWindow() != window) {
        SetForegroundWindow(window);
    }
    focus_.toFirst();
}

void FormWindow::loadIcons() {
    const int resource = form_.design().iconResource;
    if (resource == 0) {
        return;
    }
    // The window takes the new icons before the old ones are destroyed.
    auto bigIcon = loadIcon(instance_, resource, SM_CXICON, SM_CYICON, scale_.dpi);
    auto smallIcon = loadIcon(instance_, resource, SM_CXSMICON, SM_CYSMICON, scale_.dpi);
    SendMessageA(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon.get()));
    SendMessageA(window_.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
    bigIcon_ = std::move(bigIcon);
    smallIcon_ = std::move(smallIcon);
}

// Font, control places, shapes, icons and window size, all afresh from the
// twips at `dpi`. Before the controls are built only the window's size
// follows; they are built at the new scale.
void FormWindow::changeScale(int dpi) {
    scale_.dpi = dpi;
    if (viewsBuilt_) {
        GdiObject<HFONT> font(createLayoutFont(dpi));
        scale_.font = font.get();
        for (const auto& view : views_) {
            if (HWND child = view->window()) {
                SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(scale_.font), FALSE);
            }
            view->mirror();
        }
        font_ = std::move(font);
        loadIcons();
    }
    formChanged();
    InvalidateRect(window_.get(), nullptr, TRUE);
}

// Windowless controls, back-most first, under every child window.
void FormWindow::paintSurface(HDC dc) const {
    for (auto view = views_.rbegin(); view != views_.rend(); ++view) {
        (*view)->paint(dc);
    }
}

// The shapes follow the system's colours once high contrast goes on or off.
void FormWindow::repaintAll() const {
    RedrawWindow(window_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace forms::win32
