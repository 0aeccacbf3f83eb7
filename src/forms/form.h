#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "forms/control_table.h"
#include "forms/controls.h"
#include "forms/toolkit.h"

namespace forms {

// How a form's window looks; fixed at design time.
struct FormDesign {
    std::string name;
    std::string windowClass;
    std::string caption;
    float clientWidth = 0;   // twips, as laid out
    float clientHeight = 0;  // twips; the height is never changed at run time
    float left = 0;
    float top = 0;
    bool dialogFrame = false;  // fixed frame, close box, no minimise or maximise box
    bool showInTaskbar = true;
    int iconResource = 0;  // 0: no icon of its own
    // Every control, front-most first. A load makes the rows that the form's
    // own code did not, orders all of them as here and puts each option in
    // the frame its row names. Empty: the form's code lists its controls.
    std::span<const ControlRow> controls;
};

// A form: a window with controls that exist only while it is loaded, and
// form variables (members of the subclass) that outlive an unload.
class Form {
  public:
    Form(Toolkit& toolkit, FormDesign design);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the window and its controls with their design values, then runs
    // Form_Load to its end. Does nothing when the form is loaded already.
    void Load();
    // Modeless: loads first when needed, then shows, brings the window to the
    // front with the keyboard in it (also when it was shown already), and
    // returns at once.
    void Show();
    void Hide() { setVisible(false); }
    // Runs Form_Unload, then destroys the window and its controls.
    void Unload();
    bool isLoaded() const noexcept { return loaded_; }

    // The user pressed the window's close box.
    virtual void closeBox() { Unload(); }
    // Another program asked the window to close (taskkill without /f asks
    // every window of the program); by default as the close box.
    virtual void closeRequested() { closeBox(); }

    float Width() const noexcept;
    void setWidth(float twips);
    float Left() const noexcept { return left_; }
    void setLeft(float twips);
    float Top() const noexcept { return top_; }
    void setTop(float twips);
    bool Visible() const noexcept { return visible_; }
    // Showing an unloaded form loads it first; hiding one does nothing.
    void setVisible(bool visible);
    // The window handle; a failed property access when the form is not loaded.
    NativeHandle hWnd() const;
    // True once the code has set Width; until then the window has its design size.
    bool widthIsSet() const noexcept { return width_.has_value(); }

    const FormDesign& design() const noexcept { return design_; }
    Toolkit& toolkit() const noexcept { return toolkit_; }
    // Every control, front-most first; empty while the form is not loaded.
    const std::vector<Control*>& controls() const noexcept { return controls_; }

    // Called by a control whose visible state changed.
    void controlChanged(const Control& control);

  protected:
    // Makes the controls the form's code names, with their design values;
    // without a table in the design, hands them all over, front-most first,
    // through setControls.
    virtual void createControls() = 0;
    virtual void destroyControls() = 0;
    virtual void Form_Load() {}
    virtual void Form_Unload(std::int16_t& Cancel) { (void)Cancel; }

    void setControls(std::vector<Control*> frontToBack) { controls_ = std::move(frontToBack); }

  private:
    friend class Control;
    // A control made on this form is one of its controls from then on.
    void adopt(Control& control) { controls_.push_back(&control); }
    void completeFromTable();
    void formChanged();

    Toolkit& toolkit_;
    FormDesign design_;
    std::vector<Control*> controls_;
    std::vector<std::unique_ptr<Control>> madeFromTable_;
    std::unique_ptr<FormView> view_;
    std::optional<float> width_;
    float left_;
    float top_;
    bool visible_ = false;
    bool loaded_ = false;
};

}  // namespace forms
