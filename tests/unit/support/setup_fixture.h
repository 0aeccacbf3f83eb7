#pragma once

#include "support/fakes.h"
#include "support/memory_store.h"
#include "ui/kel_setup.h"

namespace testing_support {

// A setup window on an in-memory store and a recording driver, not loaded
// yet; `load()` loads it (empty store: design values) and forgets what the
// load sent.
struct SetupFixture : ToolkitFixture {
    RecordingChannel driver;
    MemoryStore store;
    ui::KelSetup window{toolkit, driver, store};

    card::CardControls& c() { return window.card(); }
    card::PreviewControls& preview() { return window.preview(); }
    card::SetupVariables& vars() { return window.vars; }

    void load() {
        window.Load();
        driver.codes.clear();
    }
    // The preview picture's (Left, Top).
    std::pair<float, float> picture() {
        const auto& g = preview().shapeImage.geometry();
        return {g.left, g.top};
    }
};

}  // namespace testing_support
