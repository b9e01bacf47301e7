// Where the editor opens, and the framework's centring and keeping inside the work area, on
// laptop screens with a 40-pixel taskbar at the bottom.
#include <gtest/gtest.h>

#include "editor/editor_placement.h"
#include "framework/window_placement.h"

namespace
{
// The windows' sizes at 96 dpi with their frames and captions.
constexpr ScreenRect kMain{0, 0, 333, 271};
constexpr ScreenRect kEditor{0, 0, 765, 650};
constexpr ScreenRect kWork1366{0, 0, 1366, 728};
} // namespace

TEST(WindowPlacement, CentredOverAndClampedIntoTheWorkArea)
{
    EXPECT_EQ(CentredOver(kMain, kWork1366), MovedTo(kMain, 516, 228));
    EXPECT_EQ(CentredOver(MovedTo(kEditor, 9, 9), MovedTo(kMain, 1000, 600)), MovedTo(kEditor, 784, 410));
    const std::pair<ScreenRect, ScreenRect> cases[] = {
        {MovedTo(kEditor, 100, 50), MovedTo(kEditor, 100, 50)},       // already inside
        {MovedTo(kEditor, -30, 248), MovedTo(kEditor, 0, 78)},        // beyond the left and the bottom
        {MovedTo(kEditor, 784, -10), MovedTo(kEditor, 601, 0)},       // beyond the right and the top
        {ScreenRect{-5, -5, 1495, 895}, ScreenRect{0, 0, 1500, 900}}, // larger: the top-left corner kept
    };
    for (const auto& [r, clamped] : cases)
        EXPECT_EQ(ClampedInto(r, kWork1366), clamped) << r.left << "," << r.top;
}

TEST(EditorPlacement, EachCaseKeepsItsRuleAndEndsInsideTheWorkArea)
{
    struct Case {
        const char* what;
        int width, height;
        ScreenRect painted, main;
        std::optional<ScreenRect> mainAfter, editor;
    };
    const ScreenRect start = MovedTo(kMain, 516, 228);
    const Case cases[] = {
        // Unmoved: the pair side by side, the editor pulled up from behind the taskbar.
        {"pair at 1366x768", 1366, 768, start, start, MovedTo(kMain, 130, 248), MovedTo(kEditor, 467, 78)},
        {"pair at 1280x720", 1280, 720, kMain, kMain, MovedTo(kMain, 87, 224), MovedTo(kEditor, 424, 30)},
        // Too narrow for the pair: both pulled onto the screen, the editor over part of the main window.
        {"pair at 1024x768", 1024, 768, kMain, kMain, MovedTo(kMain, 0, 248), MovedTo(kEditor, 259, 78)},
        {"right of it", 1366, 768, kMain, MovedTo(kMain, 100, 20), std::nullopt, MovedTo(kEditor, 437, 20)},
        {"right of it, pulled up", 1366, 768, kMain, MovedTo(kMain, 100, 300), std::nullopt, MovedTo(kEditor, 437, 78)},
        {"below it, pulled left and up", 1366, 768, kMain, MovedTo(kMain, 900, -165), std::nullopt,
         MovedTo(kEditor, 597, 78)},
        {"centred over it by the framework", 1024, 768, kMain, MovedTo(kMain, 400, 300), std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const ScreenRect work{0, 0, c.width, c.height - 40};
        const EditorPlacement placed = PlaceEditor({c.painted, c.main, kEditor, c.width, c.height, 4, work});
        EXPECT_EQ(placed.main, c.mainAfter) << c.what;
        EXPECT_EQ(placed.editor, c.editor) << c.what;
        EXPECT_TRUE(!placed.editor || ClampedInto(*placed.editor, work) == *placed.editor) << c.what;
    }
}
