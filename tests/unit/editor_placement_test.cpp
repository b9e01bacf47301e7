// Where the editor opens, and the framework's centring and keeping inside the work area, on
// laptop screens with a 40-pixel taskbar at the bottom.
#include <gtest/gtest.h>

#include "editor/editor_placement.h"
#include "framework/window_placement.h"

namespace
{

// The windows' sizes at 96 dpi: the main window and the editor with their frames and captions.
constexpr ScreenRect kMain{0, 0, 333, 271};
constexpr ScreenRect kEditor{0, 0, 765, 650};
constexpr int kFrame = 4;
constexpr int kTaskbar = 40;

struct Screen {
    int width, height;
};

EditorPlacementInput Input(Screen screen, ScreenRect painted, ScreenRect main)
{
    return {painted,
            main,
            kEditor,
            screen.width,
            screen.height,
            kFrame,
            ScreenRect{0, 0, screen.width, screen.height - kTaskbar}};
}

bool Inside(const ScreenRect& r, const ScreenRect& area)
{
    return r.left >= area.left && r.top >= area.top && r.right <= area.right && r.bottom <= area.bottom;
}

} // namespace

TEST(WindowPlacement, CentredOverAndClampedIntoTheWorkArea)
{
    const ScreenRect work{0, 0, 1366, 728};
    EXPECT_EQ(CentredOver(kMain, work), (ScreenRect{516, 228, 849, 499}));
    EXPECT_EQ(CentredOver(MovedTo(kEditor, 900, 500), MovedTo(kMain, 1000, 600)), (ScreenRect{784, 410, 1549, 1060}));
    struct Case {
        ScreenRect r, clamped;
    };
    const Case cases[] = {
        {MovedTo(kEditor, 100, 50), MovedTo(kEditor, 100, 50)},       // already inside
        {MovedTo(kEditor, -30, 248), MovedTo(kEditor, 0, 78)},        // beyond the left and the bottom
        {MovedTo(kEditor, 784, -10), MovedTo(kEditor, 601, 0)},       // beyond the right and the top
        {ScreenRect{-5, -5, 1495, 895}, ScreenRect{0, 0, 1500, 900}}, // larger than the area: top-left kept
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClampedInto(c.r, work), c.clamped) << c.r.left << "," << c.r.top;
}

TEST(EditorPlacement, EachCaseKeepsItsRuleAndEndsInsideTheWorkArea)
{
    struct Case {
        const char* what;
        Screen screen;
        ScreenRect painted, main;
        std::optional<ScreenRect> mainAfter, editor;
    };
    const ScreenRect startOn1366 = MovedTo(kMain, 516, 228);
    const Case cases[] = {
        // Unmoved: the pair side by side, the editor pulled up from below the taskbar.
        {"pair at 1366x768",
         {1366, 768},
         startOn1366,
         startOn1366,
         MovedTo(kMain, 130, 248),
         MovedTo(kEditor, 467, 78)},
        {"pair at 1280x720", {1280, 720}, kMain, kMain, MovedTo(kMain, 87, 224), MovedTo(kEditor, 424, 30)},
        // Too narrow for the pair: both pulled onto the screen, the editor over part of the main window.
        {"pair at 1024x768", {1024, 768}, kMain, kMain, MovedTo(kMain, 0, 248), MovedTo(kEditor, 259, 78)},
        {"right of it", {1366, 768}, kMain, MovedTo(kMain, 100, 20), std::nullopt, MovedTo(kEditor, 437, 20)},
        {"right of it, pulled up",
         {1366, 768},
         kMain,
         MovedTo(kMain, 100, 300),
         std::nullopt,
         MovedTo(kEditor, 437, 78)},
        {"below it, pulled left and up",
         {1366, 768},
         kMain,
         MovedTo(kMain, 900, -165),
         std::nullopt,
         MovedTo(kEditor, 597, 78)},
        {"centred over it by the framework", {1024, 768}, kMain, MovedTo(kMain, 400, 300), std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const EditorPlacementInput in = Input(c.screen, c.painted, c.main);
        const EditorPlacement placed = PlaceEditor(in);
        EXPECT_EQ(placed.main, c.mainAfter) << c.what;
        EXPECT_EQ(placed.editor, c.editor) << c.what;
        EXPECT_TRUE(!placed.editor || Inside(*placed.editor, in.workArea)) << c.what;
    }
}
