#pragma once

#include <memory>
#include <string>
#include <vector>

#include "forms/form.h"

namespace testing_support {

// A small form: a check box, a button, and two frames of option buttons.
// Every click handler writes its control's name into `log`.
class TestForm : public forms::Form {
  public:
    struct Controls {
        explicit Controls(forms::Form& w)
            : check(w, {"check", "Check", {0, 0, 100, 100}, 0, true}, 0),
              button(w, {"button", "Button", {0, 0, 100, 100}, 1, true}),
              frameA(w, {"frameA", "A", {0, 0, 100, 100}, 2, true}),
              a1(w, {"a1", "A1", {}, 3, true}, true, &frameA),
              a2(w, {"a2", "A2", {}, 4, true}, false, &frameA),
              a3(w, {"a3", "A3", {}, 5, true}, false, &frameA),
              frameB(w, {"frameB", "B", {0, 0, 100, 100}, 6, true}),
              b1(w, {"b1", "B1", {}, 7, true}, true, &frameB),
              b2(w, {"b2", "B2", {}, 8, true}, false, &frameB) {}

        forms::CheckBox check;
        forms::CommandButton button;
        forms::Frame frameA;
        forms::OptionButton a1, a2, a3;
        forms::Frame frameB;
        forms::OptionButton b1, b2;
    };

    explicit TestForm(forms::Toolkit& toolkit) : forms::Form(toolkit, design()) {}

    Controls& c() { return *controls_; }
    std::vector<std::string> log;
    int formVariable = 0;
    int loads = 0;
    int unloads = 0;

  protected:
    static forms::FormDesign design() {
        forms::FormDesign d;
        d.name = "TestForm";
        d.clientWidth = 1000;
        d.clientHeight = 1000;
        return d;
    }
    void createControls() override {
        controls_ = std::make_unique<Controls>(*this);
        Controls& c = *controls_;
        for (forms::Control* control :
             std::vector<forms::Control*>{&c.check, &c.button, &c.a1, &c.a2, &c.a3, &c.b1, &c.b2}) {
            control->setClickHandler([this, control] { log.push_back(control->name()); });
        }
        setControls({&c.check, &c.button, &c.frameA, &c.a1, &c.a2, &c.a3, &c.frameB, &c.b1, &c.b2});
    }
    void destroyControls() override { controls_.reset(); }
    void Form_Load() override { ++loads; }
    void Form_Unload(std::int16_t& /*Cancel*/) override { ++unloads; }

  private:
    std::unique_ptr<Controls> controls_;
};

}  // namespace testing_support
