#pragma once

namespace ui {

// The pictures built into the program (the about picture, the icon); they
// live in a static library, so they are registered explicitly.
void loadResources();

} // namespace ui
