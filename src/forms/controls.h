#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace forms {

class Form;
class Frame;

// A 16-bit truth value: True is -1, and only exactly -1 counts as True.
using Flag = std::int16_t;
inline constexpr Flag True = -1;
inline constexpr Flag False = 0;

// A check box's value: 0 clear, 1 set, 2 greyed.
using CheckValue = std::int16_t;

enum class ControlKind { CheckBox, OptionButton, Frame, CommandButton, Label, Shape, PictureBox };

// Twips, held in single precision like every toolkit coordinate.
struct Geometry {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

// What a screen reader is told of a control beyond what its window says
// itself; an empty text tells nothing more. A shape with a name is read as a
// graphic of its own.
struct AccessibleText {
    std::string name;
    std::string description;
    std::string value;

    bool operator==(const AccessibleText&) const = default;
};

// What a control is when its form loads.
struct ControlDesign {
    std::string name;
    std::string caption;
    Geometry geometry;
    std::optional<int> tabIndex;
    bool enabled = true;
};

// A control made on a form is one of that form's controls from then on.
class Control {
  public:
    Control(Form& owner, ControlKind kind, ControlDesign design, Frame* container = nullptr);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const noexcept { return name_; }
    ControlKind kind() const noexcept { return kind_; }
    Form& owner() const noexcept { return owner_; }
    // The frame whose group this control belongs to; nullptr for the form itself.
    Frame* container() const noexcept { return container_; }
    std::optional<int> tabIndex() const noexcept { return tabIndex_; }
    const Geometry& geometry() const noexcept { return geometry_; }

    const std::string& caption() const noexcept { return caption_; }
    void setCaption(std::string caption);
    bool enabled() const noexcept { return enabled_; }
    void setEnabled(bool enabled);
    // Enabled itself and not inside a disabled frame: what the user can reach.
    bool reachable() const noexcept;

    const AccessibleText& accessible() const noexcept { return accessible_; }
    // One of those texts; only a change is news to the view, which tells readers.
    void setAccessible(std::string AccessibleText::*field, std::string text);

    // The control's one click handler: setting a second throws, as it would
    // silently drop the first. Code that means to swap it replaces it.
    void setClickHandler(std::function<void()> handler);
    void replaceClickHandler(std::function<void()> handler) { onClick_ = std::move(handler); }
    bool hasClickHandler() const noexcept { return static_cast<bool>(onClick_); }
    // A click by the user, as the view reports it. Ignored on an unreachable control.
    void userClick();

  protected:
    virtual void clickedByUser() { raiseClick(); }
    void raiseClick();
    void changed();
    Geometry geometry_;

  private:
    friend class Form;  // puts a control made from a table in its frame
    Form& owner_;
    ControlKind kind_;
    std::string name_;
    std::string caption_;
    std::optional<int> tabIndex_;
    bool enabled_;
    Frame* container_;
    AccessibleText accessible_;
    std::function<void()> onClick_;
};

// A click handler written in one place: the member that declares it names
// its control and says what it does, and is that control's handler from then
// on. A copy would look like a handler while the control stays wired to the
// original, so there is none.
class ClickHandler {
  public:
    ClickHandler(Control& control, std::function<void()> body) {
        control.setClickHandler(std::move(body));
    }
    ClickHandler(const ClickHandler&) = delete;
    ClickHandler& operator=(const ClickHandler&) = delete;
};

class CheckBox final : public Control {
  public:
    CheckBox(Form& owner, ControlDesign design, CheckValue value, Frame* container = nullptr);

    CheckValue value() const noexcept { return value_; }
    // 0, 1 and 2 are accepted; a change raises the click handler, nested.
    void setValue(CheckValue value);

  private:
    void clickedByUser() override;
    CheckValue value_;
};

class OptionButton final : public Control {
  public:
    OptionButton(Form& owner, ControlDesign design, bool selected, Frame* container = nullptr);

    Flag value() const noexcept { return selected_ ? True : False; }
    bool selected() const noexcept { return selected_; }
    // Selecting clears the rest of the group and raises the click handler;
    // clearing raises nothing and may leave the group with no selection.
    void setValue(bool selected);

  private:
    void clickedByUser() override;
    void clearOthersInGroup();
    bool selected_;
};

class Frame final : public Control {
  public:
    Frame(Form& owner, ControlDesign design);
};

class CommandButton final : public Control {
  public:
    CommandButton(Form& owner, ControlDesign design);
};

class Label final : public Control {
  public:
    Label(Form& owner, ControlDesign design);
};

class PictureBox final : public Control {
  public:
    PictureBox(Form& owner, ControlDesign design);
};

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// A windowless rectangle drawn on the form's own surface.
class Shape final : public Control {
  public:
    Shape(Form& owner, ControlDesign design, Rgb fill);

    Rgb fill() const noexcept { return fill_; }
    // Omitted values keep their current ones; one move, one repaint.
    void move(float left, std::optional<float> top = std::nullopt,
              std::optional<float> width = std::nullopt,
              std::optional<float> height = std::nullopt);

  private:
    Rgb fill_;
};

}  // namespace forms
