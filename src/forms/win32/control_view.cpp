#include "forms/win32/control_view.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "forms/form.h"
#include "forms/twips.h"
#include "forms/win32/button_views.h"
#include "forms/win32/frame_view.h"
#include "forms/win32/shape_view.h"
#include "forms/win32/system_call.h"

namespace forms::win32 {

namespace {

// Child window ids start clear of IDOK and IDCANCEL, which mean Enter and Escape.
constexpr int kFirstControlId = 100;

std::unique_ptr<ControlView> createControlView(Control& control, const ViewContext& context) {
    switch (control.kind()) {
        case ControlKind::CheckBox:
            return std::make_unique<CheckBoxView>(static_cast<CheckBox&>(control), context);
        case ControlKind::OptionButton:
            return std::make_unique<OptionButtonView>(static_cast<OptionButton&>(control), context);
        case ControlKind::CommandButton:
            return std::make_unique<WindowedView>(control, "BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0,
                                                  context);
        case ControlKind::Frame:
            return std::make_unique<FrameView>(control, context);
        case ControlKind::Label:  // both report clicks
        case ControlKind::PictureBox:
            return std::make_unique<WindowedView>(
                control, "STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY,
                control.kind() == ControlKind::PictureBox ? WS_EX_CLIENTEDGE : 0, context);
        case ControlKind::Shape:
            return std::make_unique<ShapeView>(static_cast<Shape&>(control), context);
    }
    return nullptr;
}

// Overlapping siblings are drawn front-most first, as the form lists them.
void stackControls(const Form& form, const ControlViews& views) {
    std::vector<std::pair<HWND, HWND>> lastOfParent;
    for (const Control* control : form.controls()) {
        HWND child = viewOf(views, control)->window();
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

}  // namespace

// Frames first, so that the options they hold have a window to live in.
void createControlViews(const Form& form, ViewContext context, ControlViews& views) {
    const std::vector<Control*>& controls = form.controls();
    for (bool contained : {false, true}) {
        for (size_t index = 0; index < controls.size(); ++index) {
            Control& control = *controls[index];
            if ((control.container() != nullptr) != contained) {
                continue;
            }
            context.parent =
                contained ? viewOf(views, control.container())->window() : context.form;
            context.id = kFirstControlId + static_cast<int>(index);
            views.push_back(createControlView(control, context));
        }
    }
    stackControls(form, views);
}

void ControlView::notified(int code) {
    if (code != BN_CLICKED) {
        return;
    }
    Control& clicked = control_;
    clicked.owner().toolkit().runEvent([&clicked] { clicked.userClick(); });
}

ChildWindow::ChildWindow(const char* windowClass, DWORD style, DWORD exStyle,
                         const Control& control, const ViewContext& context)
    : accessible_(*context.accessibility, control),
      toolkit_(control.owner().toolkit()),
      scale_(*context.scale) {
    const PixelRect at = toPixels(control.geometry(), scale_.dpi);
    window_.reset(CreateWindowExA(
        exStyle, windowClass, control.caption().c_str(),
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, at.left, at.top, at.width, at.height,
        context.parent, fromInteger<HMENU>(INT_PTR{context.id}), context.instance, nullptr));
    checked(window_.get(), "Could not create the control " + control.name());
    SendMessageA(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(scale_.font), FALSE);
    SetWindowSubclass(window_.get(), subclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

ChildWindow::~ChildWindow() {
    if (IsWindow(window_.get()) != FALSE) {
        RemoveWindowSubclass(window_.get(), subclassProc, 0);
    }
}

// The standard controls leave WM_GETOBJECT to the system; the model may have
// more to say.
LRESULT CALLBACK ChildWindow::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR /*id*/, DWORD_PTR self) {
    const auto systems = [&] { return DefSubclassProc(window, message, wParam, lParam); };
    if (message != WM_GETOBJECT) {
        return systems();
    }
    auto& child = *fromInteger<ChildWindow*>(self);
    return atEdge(
        child.toolkit_.errors(),
        [&] {
            const LRESULT answer = child.accessible_.answer(window, wParam, lParam);
            return answer != 0 ? answer : systems();
        },
        systems);
}

void ChildWindow::mirror(const Control& control) {
    HWND window = window_.get();
    std::string shown(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    shown.resize(
        static_cast<size_t>(GetWindowTextA(window, shown.data(), static_cast<int>(shown.size()))));
    if (shown != control.caption()) {
        SetWindowTextA(window, control.caption().c_str());
    }
    if ((IsWindowEnabled(window) != FALSE) != control.enabled()) {
        EnableWindow(window, control.enabled() ? TRUE : FALSE);
    }
    const PixelRect at = toPixels(control.geometry(), scale_.dpi);
    SetWindowPos(window, nullptr, at.left, at.top, at.width, at.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    accessible_.announceChanges(window);
}

ControlView* viewOf(const ControlViews& views, const Control* control) {
    const auto found =
        std::ranges::find(views, control, [](const auto& view) { return &view->control(); });
    return found == views.end() ? nullptr : found->get();
}

ControlView* viewOf(const ControlViews& views, HWND window) {
    // A windowless control's view has no window to be found by.
    const auto found =
        window == nullptr ? views.end() : std::ranges::find(views, window, &ControlView::window);
    return found == views.end() ? nullptr : found->get();
}

}  // namespace forms::win32
