#pragma once

#include <windows.h>

#include "forms/form.h"
#include "forms/win32/control_view.h"
#include "forms/win32/handles.h"

namespace forms::win32 {

// Where a form window is and how big, at the display's DPI: the model's
// twips turned into pixels, the user's own moves kept, a window that went off
// screen brought back, and the place a change of DPI gives.
class WindowPlacement {
  public:
    WindowPlacement(Form& form, const OwnedWindow& window, ViewScale& scale)
        : form_(form), window_(window), scale_(scale) {}

    // Our own moves, not the user's, for as long as the result lives.
    [[nodiscard]] RaisedFlag placing() { return RaisedFlag(placing_); }
    // The model taking the place the window already has: nothing to move.
    bool adopting() const { return adopting_; }

    // The place and size the model says, unless the window has them already.
    void place();
    void restoreIfMinimised() const;
    // The window moved (WM_MOVE): a move of the user's becomes the model's place.
    void moved();
    void bringIntoWorkArea();
    // Where the system says after a change of DPI; false when the change is ignored.
    bool moveToNewDpi(int dpi, const RECT* suggested);

  private:
    void keepUsersPosition();

    Form& form_;
    const OwnedWindow& window_;
    ViewScale& scale_;
    bool placing_ = false;
    bool adopting_ = false;
};

}  // namespace forms::win32
