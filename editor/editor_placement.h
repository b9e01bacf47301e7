// Where the editor opens beside the main window: to its right with the pair centred while the main
// window stands where it was last painted, else right of it, else below it, else (left to the
// framework) centred over it; whatever is moved ends wholly inside the work area.
#pragma once

#include <optional>

#include "framework/window_placement.h"

struct EditorPlacementInput {
    ScreenRect painted; // the main window at its last paint
    ScreenRect main;    // the main window now
    ScreenRect editor;  // the editor as created
    int screenWidth = 0;
    int screenHeight = 0;
    int frame = 0; // the width of a sizeable frame, the gap between the windows
    ScreenRect workArea;
};

struct EditorPlacement {
    std::optional<ScreenRect> main;   // the main window's new place, when it moves
    std::optional<ScreenRect> editor; // nothing: the framework centres the editor over the main window
};

EditorPlacement PlaceEditor(const EditorPlacementInput& in);
