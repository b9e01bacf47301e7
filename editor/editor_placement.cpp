// The editor's placement rule on plain rectangles.
#include "editor/editor_placement.h"

EditorPlacement PlaceEditor(const EditorPlacementInput& in)
{
    const int frame = in.frame;
    const int w = in.editor.Width();
    const int h = in.editor.Height();
    const ScreenRect& main = in.main;
    EditorPlacement placed;

    if (main.left == in.painted.left && main.top == in.painted.top) {
        // Not moved since its last paint: the pair is centred on the screen, the editor on the right.
        const int x0 = (in.screenWidth - in.painted.Width() - w) / 2 - frame;
        const int y = (in.screenHeight - in.painted.Height()) / 2;
        placed.main = ClampedInto(MovedTo(in.painted, x0, y), in.workArea);
        placed.editor = MovedTo(in.editor, x0 + in.painted.Width() + frame, y);
    } else if (in.screenWidth - main.right - frame >= w + 2 * frame) {
        const int y = main.top + h + 2 * frame > in.screenHeight ? in.screenHeight - h - frame : main.top;
        placed.editor = MovedTo(in.editor, main.right + frame, y);
    } else if (in.screenHeight - main.bottom - frame >= h + 2 * frame) {
        const int x = main.left + w + 2 * frame > in.screenWidth ? in.screenWidth - w - frame : main.left;
        placed.editor = MovedTo(in.editor, x, main.bottom + frame);
    }
    if (placed.editor)
        placed.editor = ClampedInto(*placed.editor, in.workArea);
    return placed;
}
