#include "forms/win32/form_window.h"

#include <algorithm>
#include <string>
#include <utility>

#include "forms/twips.h"
#include "forms/win32/screen_metrics.h"
#include "forms/win32/system_call.h"
#include "forms/window_size.h"

namespace forms::win32 {

namespace {

// Child window ids start clear of IDOK and IDCANCEL, which mean Enter and Escape.
constexpr int kFirstControlId = 100;

// Posted to itself by a new form window: its child windows are built when the
// message loop first gets to it, after whatever start-up work came before.
constexpr UINT kBuildControlsMessage = WM_APP + 1;

DWORD styleOf(const FormDesign& design) {
    return (design.dialogFrame ? WS_CAPTION | WS_SYSMENU : WS_OVERLAPPEDWINDOW) | WS_CLIPCHILDREN;
}

std::string classNameOf(const FormDesign& design) {
    return design.windowClass.empty() ? std::string("QuendaForm") : design.windowClass;
}

void registerClass(HINSTANCE instance, const std::string& name, WNDPROC procedure) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExA(instance, name.c_str(), &windowClass) != FALSE) {
        return;
    }
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = fromInteger<HBRUSH>(INT_PTR{COLOR_BTNFACE + 1});
    windowClass.lpszClassName = name.c_str();
    checked(RegisterClassExA(&windowClass), "Could not register the window class " + name);
}

constexpr const char* kOwnerClass = "QuendaOwner";

// The hidden owner only keeps the setup window off the task bar. A close sent
// to it from outside would destroy the setup window with it and leave the
// tray with nothing to open, so it is not for closing.
LRESULT CALLBACK ownerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A fixed dialog offers only Move and Close.
void trimSystemMenu(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    for (UINT command : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE}) {
        DeleteMenu(menu, command, MF_BYCOMMAND);
    }
}

// The image of the size its place asks for at this DPI, so nothing is stretched.
std::unique_ptr<OwnedIcon> loadIcon(HINSTANCE instance, int resource, int widthMetric,
                                    int heightMetric, int dpi) {
    return std::make_unique<OwnedIcon>(static_cast<HICON>(
        checked(LoadImageA(instance, MAKEINTRESOURCEA(resource), IMAGE_ICON,
                           metricForDpi(widthMetric, dpi), metricForDpi(heightMetric, dpi), 0),
                "Could not load icon " + std::to_string(resource))));
}

FrameExtent frameExtentOf(HWND window, int dpi) {
    const RECT frame = frameForDpi(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)),
                                   static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)), dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace

FormWindow::FormWindow(Form& form, HINSTANCE instance)
    : form_(form),
      instance_(instance),
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
    registerClass(instance, className, windowProc);
    if (!design.showInTaskbar) {
        // An owned window gets no task-bar button, and keeps a normal title bar.
        registerClass(instance, kOwnerClass, ownerProc);
        owner_.reset(checked(CreateWindowExA(0, kOwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                             nullptr, instance, nullptr),
                             "Could not create the owner window of " + design.name));
    }
    placing_ = true;
    window_.reset(CreateWindowExA(0, className.c_str(), design.caption.c_str(), styleOf(design), 0,
                                  0, 0, 0, owner_.get(), nullptr, instance, this));
    placing_ = false;
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
    font_ = std::make_unique<GdiObject<HFONT>>(createLayoutFont(scale_.dpi));
    scale_.font = font_->get();
    loadIcons();
    createControlViews(instance_);
    stackControls();
    for (const auto& view : views_) {
        view->mirror();
    }
}

void FormWindow::loadIcons() {
    const int resource = form_.design().iconResource;
    if (resource == 0) {
        return;
    }
    // The window takes the new icons before the old ones are destroyed.
    auto bigIcon = loadIcon(instance_, resource, SM_CXICON, SM_CYICON, scale_.dpi);
    auto smallIcon = loadIcon(instance_, resource, SM_CXSMICON, SM_CYSMICON, scale_.dpi);
    SendMessageA(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon->get()));
    SendMessageA(window_.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon->get()));
    bigIcon_ = std::move(bigIcon);
    smallIcon_ = std::move(smallIcon);
}

// Font, control places, shapes, icons and window size, all afresh from the
// twips at `dpi`. Before the controls are built only the window's size
// follows; they are built at the new scale.
void FormWindow::changeScale(int dpi) {
    scale_.dpi = dpi;
    if (viewsBuilt_) {
        auto font = std::make_unique<GdiObject<HFONT>>(createLayoutFont(dpi));
        scale_.font = font->get();
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

// The window went to a display of another DPI (or the display's DPI
// changed): it goes where the system says, at the size the twips give there.
void FormWindow::moveToNewDpi(int dpi, const RECT& suggested) {
    scale_.dpi = dpi;
    const DpiChangePlacement placed = placeAfterDpiChange(form_, dpi, suggested.left, suggested.top,
                                                          frameExtentOf(window_.get(), dpi));
    placing_ = true;
    SetWindowPos(window_.get(), nullptr, placed.left, placed.top, placed.size.width,
                 placed.size.height, SWP_NOZORDER | SWP_NOACTIVATE);
    placing_ = false;
    form_.setLeft(placed.leftTwips);
    form_.setTop(placed.topTwips);
    changeScale(dpi);
}

// Frames first, so that the options they hold have a window to live in.
void FormWindow::createControlViews(HINSTANCE instance) {
    const std::vector<Control*>& controls = form_.controls();
    for (bool contained : {false, true}) {
        for (size_t index = 0; index < controls.size(); ++index) {
            Control& control = *controls[index];
            if ((control.container() != nullptr) != contained) {
                continue;
            }
            ViewContext context;
            context.instance = instance;
            context.form = window_.get();
            context.parent = contained ? viewOf(control.container())->window() : window_.get();
            context.scale = &scale_;
            context.id = kFirstControlId + static_cast<int>(index);
            views_.push_back(createControlView(control, context));
        }
    }
}

// Overlapping siblings are drawn front-most first, as the form lists them.
void FormWindow::stackControls() const {
    std::vector<std::pair<HWND, HWND>> lastOfParent;
    for (const Control* control : form_.controls()) {
        HWND child = viewOf(control)->window();
        if (child == nullptr) {
            continue;
        }
        HWND parent = GetParent(child);
        auto last = std::find_if(lastOfParent.begin(), lastOfParent.end(),
                                 [parent](const auto& entry) { return entry.first == parent; });
        HWND after = last == lastOfParent.end() ? HWND_TOP : last->second;
        SetWindowPos(child, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (last == lastOfParent.end()) {
            lastOfParent.emplace_back(parent, child);
        } else {
            last->second = child;
        }
    }
}

void FormWindow::formChanged() {
    HWND window = window_.get();
    restoreIfMinimised();
    const PixelSize size = outerPixelSize(clientWidthTwips(form_), form_.design().clientHeight,
                                          scale_.dpi, frameExtentOf(window, scale_.dpi));
    const RECT wanted{twipsToPixels(form_.Left(), scale_.dpi),
                      twipsToPixels(form_.Top(), scale_.dpi), 0, 0};
    RECT now{};
    GetWindowRect(window, &now);
    // Showing a window that has not moved must not pay for a move.
    if (now.left != wanted.left || now.top != wanted.top || now.right - now.left != size.width ||
        now.bottom - now.top != size.height) {
        placing_ = true;
        SetWindowPos(window, nullptr, wanted.left, wanted.top, size.width, size.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        placing_ = false;
    }
    const bool shown = IsWindowVisible(window) != FALSE;
    if (form_.Visible() && !shown) {
        buildControlViews();
        ShowWindow(window, SW_SHOWNORMAL);
        SetForegroundWindow(window);
    } else if (!form_.Visible() && shown) {
        ShowWindow(window, SW_HIDE);
    }
}

// A minimised window has no task-bar button to come back by: showing it
// brings it back from its icon first.
void FormWindow::restoreIfMinimised() const {
    if (form_.Visible() && IsIconic(window_.get()) != FALSE) {
        ShowWindow(window_.get(), SW_RESTORE);
    }
}

// Windows lets the program take the foreground while it handles the input
// that asked for the show (the tray's, or a second start's), which is when
// this runs. The focus then lands on a control, so Tab and the arrows work
// without a click first.
void FormWindow::activate() {
    HWND window = window_.get();
    if (IsWindowVisible(window) == FALSE) {
        return;
    }
    if (GetForegroundWindow() != window) {
        SetForegroundWindow(window);
    }
    if (viewOf(GetFocus()) == nullptr) {
        restoreFocus();
    }
}

void FormWindow::controlChanged(const Control& control) {
    if (ControlView* view = viewOf(&control)) {
        view->mirror();
    }
}

NativeHandle FormWindow::handle() const {
    return reinterpret_cast<NativeHandle>(window_.get());
}

ControlView* FormWindow::viewOf(const Control* control) const {
    const auto found = std::find_if(views_.begin(), views_.end(), [control](const auto& view) {
        return &view->control() == control;
    });
    return found == views_.end() ? nullptr : found->get();
}

ControlView* FormWindow::viewOf(HWND window) const {
    if (window == nullptr) {
        return nullptr;
    }
    const auto found = std::find_if(views_.begin(), views_.end(), [window](const auto& view) {
        return view->window() == window;
    });
    return found == views_.end() ? nullptr : found->get();
}

Control* FormWindow::focusedControl() const {
    const ControlView* view = viewOf(GetFocus());
    return view == nullptr ? nullptr : &view->control();
}

FormWindow* FormWindow::fromWindow(HWND window) {
    if (window == nullptr ||
        GetClassLongPtrA(window, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&windowProc)) {
        return nullptr;
    }
    return fromInteger<FormWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK FormWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = fromInteger<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = fromInteger<FormWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    }
    Toolkit& toolkit = self->form_.toolkit();
    try {
        return self->handleMessage(window, message, wParam, lParam);
    } catch (...) {
        toolkit.reportCaught();
        return 0;
    }
}

LRESULT FormWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            ControlView* view = viewOf(fromInteger<HWND>(lParam));
            if (view == nullptr) {
                break;
            }
            if (focusing_ && view->control().kind() == ControlKind::OptionButton) {
                return 0;
            }
            view->notified(HIWORD(wParam));
            return 0;
        }
        case WM_CLOSE:
            form_.closeBox();
            return 0;
        case WM_PAINT: {
            const PaintDC paint(window);
            paintSurface(paint.get());
            return 0;
        }
        case WM_PRINTCLIENT: {
            auto* dc = fromInteger<HDC>(wParam);
            RECT client{};
            GetClientRect(window, &client);
            FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
            paintSurface(dc);
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE && viewOf(GetFocus()) != nullptr) {
                lastFocus_ = GetFocus();
            }
            break;
        case WM_SETFOCUS:
            restoreFocus();
            return 0;
        case WM_MOVE:
            // Minimising parks the window far off screen; that is no place of the user's.
            if (!placing_ && IsIconic(window) == FALSE) {
                keepUsersPosition();
            }
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
        case WM_DPICHANGED:
            moveToNewDpi(HIWORD(wParam), *fromInteger<const RECT*>(lParam));
            return 0;
        case WM_SETTINGCHANGE:
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

// Windowless controls, back-most first, under every child window.
void FormWindow::paintSurface(HDC dc) const {
    for (auto view = views_.rbegin(); view != views_.rend(); ++view) {
        (*view)->paint(dc);
    }
}

// The window moved by the user keeps its place when code changes its width.
void FormWindow::keepUsersPosition() {
    RECT where{};
    GetWindowRect(window_.get(), &where);
    form_.setLeft(pixelsToTwips(where.left, scale_.dpi));
    form_.setTop(pixelsToTwips(where.top, scale_.dpi));
}

void FormWindow::focus(const Control* control) {
    const ControlView* view = viewOf(control);
    if (view == nullptr || view->window() == nullptr) {
        return;
    }
    focusing_ = true;
    SetFocus(view->window());
    focusing_ = false;
}

// Back to the control that had the focus when the window was last left, or
// to the first in tab order.
void FormWindow::restoreFocus() {
    const ControlView* last = viewOf(lastFocus_);
    if (last != nullptr && takesFocus(last->control()) && last->control().reachable()) {
        focus(&last->control());
    } else {
        focus(nextTabStop(form_, nullptr, Direction::Forward));
    }
}

bool FormWindow::handleKey(const MSG& message) {
    if (message.message != WM_KEYDOWN) {
        return false;
    }
    switch (message.wParam) {
        case VK_RETURN:
        case VK_ESCAPE:
            return true;
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) {
                return false;
            }
            moveByTab(GetKeyState(VK_SHIFT) < 0 ? Direction::Backward : Direction::Forward);
            return true;
        case VK_LEFT:
        case VK_UP:
            return moveInGroup(Direction::Backward);
        case VK_RIGHT:
        case VK_DOWN:
            return moveInGroup(Direction::Forward);
        default:
            return false;
    }
}

void FormWindow::moveByTab(Direction direction) {
    SendMessageA(window_.get(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    focus(nextTabStop(form_, focusedControl(), direction));
}

// An arrow selects the option it moves to, as a click on it would.
bool FormWindow::moveInGroup(Direction direction) {
    auto* option = dynamic_cast<OptionButton*>(focusedControl());
    if (option == nullptr) {
        return false;
    }
    OptionButton* next = nextInGroup(form_, *option, direction);
    if (next == nullptr) {
        return true;
    }
    focus(next);
    viewOf(next)->notified(BN_CLICKED);
    return true;
}

}  // namespace forms::win32
