#pragma once

#include <windows.h>

#include "forms/form.h"
#include "forms/win32/raised_flag.h"

namespace forms::win32 {

// What a form window's placement reads of it: the window, once there is
// one, and the DPI it is drawn at, which only the window itself changes.
class PlacedWindow {
  public:
    virtual HWND window() const = 0;
    virtual int dpi() const = 0;

  protected:
    ~PlacedWindow() = default;
};

// Where a form window is and how big, at the display's DPI: the model's
// twips turned into pixels, the user's own moves kept, a window that went off
// screen brought back, and the place a change of DPI gives.
class WindowPlacement {
  public:
    WindowPlacement(Form& form, const PlacedWindow& window) : form_(form), window_(window) {}

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
    // Where the system says after a change of DPI, for the window to be
    // drawn at `dpi` next; false when the change is ignored.
    bool moveToNewDpi(int dpi, const RECT* suggested);

  private:
    void keepUsersPosition();

    Form& form_;
    const PlacedWindow& window_;
    bool placing_ = false;
    bool adopting_ = false;
};

}  // namespace forms::win32
