// A skin button on a window of the test's own: the picture it shows after
// each mouse message, read back from the screen, what it tells its window,
// and its shape.

#include "tests/skin/support/ScreenPixels.h"
#include "tests/skin/support/SkinPictures.h"
#include "tests/support/RealInput.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WindowHelpers.h"
#include "ui/skin/SkinButton.h"
#include "ui/skin/SkinRegion.h"

#include <gtest/gtest.h>
#include <oleacc.h>

namespace {

using testing_support::TempFolder;

constexpr int kIndex = 3;
constexpr RECT kButtonRect = {20, 30, 80, 60};

class HostWindow : public CWnd, public SkinButtonHost {
  public:
    void OnSkinButtonHover(int index) override { hovers.push_back(index); }
    void OnSkinButtonClick(int index) override { clicks.push_back(index); }

    std::vector<int> hovers;
    std::vector<int> clicks;
};

class SkinButtonTest : public testing::Test {
  protected:
    void SetUp() override
    {
        WriteSkinFolder(folder_.File("skin"), 100, 100, 60, 30);
        for (int state = 0; state < 4; ++state) {
            paths_[state] = folder_.File("skin") + "\\button0_" + std::to_string(state) + ".bmp";
            pictures_[state] = ReadPicture(paths_[state]);
        }
        int width = 0, height = 0;
        BuildRegionFromBitmap(nullptr, paths_[0], width, height, region_);

        const RECT hostRect = {200, 150, 320, 250};
        ASSERT_TRUE(
            host_.CreateEx(WS_EX_TOPMOST, nullptr, "skin button test", WS_POPUP | WS_VISIBLE, hostRect, nullptr, 0));
        ASSERT_TRUE(button_.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, kButtonRect, &host_, 10000 + kIndex));
        ASSERT_EQ(1, button_.SetupButton(paths_, kButtonRect, region_, kIndex, "Open help"));
    }

    bool Shows(int state)
    {
        POINT topLeft = {0, 0};
        button_.ClientToScreen(&topLeft);
        return ScreenShows(topLeft, pictures_[state], pictures_[Normal]);
    }

    // The screen catches up with drawing a moment later, so each check
    // starts from a picture other than the one expected, already on screen.
    bool ShowsAfter(UINT msg, WPARAM keys, int state)
    {
        const int other = state == Normal ? Hover : Normal;
        button_.DrawState(other);
        if (!Shows(other))
            return false;
        button_.SendMessage(msg, keys, MAKELPARAM(30, 15));
        return Shows(state);
    }

    TempFolder folder_;
    std::array<std::string, kSkinButtonStates> paths_;
    std::array<PicturePixels, kSkinButtonStates> pictures_;
    std::vector<uint8_t> region_;
    HostWindow host_;
    CSkinButton button_{host_};
};

TEST_F(SkinButtonTest, ShowsEachStateAndReportsHoverAndClickWithoutCapture)
{
    EXPECT_TRUE(ShowsAfter(WM_MOUSEMOVE, 0, Hover));
    EXPECT_TRUE(ShowsAfter(WM_MOUSEMOVE, MK_LBUTTON, Pressed));
    EXPECT_TRUE(ShowsAfter(WM_LBUTTONDOWN, MK_LBUTTON, Pressed));
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_TRUE(host_.clicks.empty());
    EXPECT_TRUE(ShowsAfter(WM_LBUTTONUP, 0, Hover));
    EXPECT_EQ((std::vector<int>{kIndex, kIndex}), host_.hovers);
    EXPECT_EQ((std::vector<int>{kIndex}), host_.clicks);
}

TEST_F(SkinButtonTest, TheHoverPictureGoesWhenThePointerLeavesForAnotherWindow)
{
    POINT face = {30, 15};
    button_.ClientToScreen(&face);
    ASSERT_TRUE(testing_support::MovePointerTo(face));
    EXPECT_TRUE(Shows(Hover));
    // Straight off the host window, which therefore hears nothing.
    ASSERT_TRUE(testing_support::MovePointerTo({5, 5}));
    EXPECT_TRUE(Shows(Normal));
}

TEST_F(SkinButtonTest, ADisabledButtonShowsItsDisabledPictureAndReportsNothing)
{
    button_.DrawState(Normal);
    ASSERT_TRUE(Shows(Normal));
    button_.SetEnabled(false);
    EXPECT_TRUE(Shows(Disabled));
    for (UINT msg : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP})
        EXPECT_TRUE(ShowsAfter(msg, 0, Disabled)) << msg;
    EXPECT_TRUE(host_.hovers.empty());
    EXPECT_TRUE(host_.clicks.empty());
    button_.SetEnabled(true);
    EXPECT_TRUE(Shows(Normal));
}

TEST_F(SkinButtonTest, IsCutToItsNormalPictureAndTakesClicksOnlyThere)
{
    CRgn shape(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(ERROR, GetWindowRgn(button_, shape));
    EXPECT_TRUE(EqualRgn(shape, RegionFromData(region_)));

    POINT corner = {1, 1}; // in the transparent corner
    POINT face = {30, 15};
    button_.ClientToScreen(&corner);
    button_.ClientToScreen(&face);
    EXPECT_EQ(button_.m_hWnd, WindowFromPoint(face));
    EXPECT_EQ(host_.m_hWnd, WindowFromPoint(corner));
}

// The answer to a screen reader's question, whatever the system's proxy
// would say of the window: a push button named by its tooltip, unavailable
// while disabled, whose default action clicks it.
TEST_F(SkinButtonTest, AScreenReaderFindsAPushButtonNamedByItsTooltipThatPresses)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    IAccessible* object = nullptr;
    ASSERT_EQ(S_OK,
              AccessibleObjectFromWindow(button_, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object)));
    VARIANT self = {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT value = {};
    ASSERT_EQ(S_OK, object->get_accRole(self, &value));
    EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, value.lVal);
    for (const auto& [question, answer] : {std::pair{&IAccessible::get_accName, L"Open help"},
                                           std::pair{&IAccessible::get_accDefaultAction, L"Press"}}) {
        BSTR text = nullptr;
        EXPECT_EQ(S_OK, (object->*question)(self, &text));
        EXPECT_EQ(std::wstring(answer), text ? text : L"");
        SysFreeString(text);
    }
    SetFocus(button_);
    for (const bool enabled : {false, true}) {
        button_.SetEnabled(enabled);
        ASSERT_EQ(S_OK, object->get_accState(self, &value));
        EXPECT_EQ(enabled ? STATE_SYSTEM_FOCUSED : STATE_SYSTEM_FOCUSED | STATE_SYSTEM_UNAVAILABLE,
                  value.lVal & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_UNAVAILABLE));
        object->accDoDefaultAction(self);
        testing_support::PumpUntil([] { return false; }, 100);
        EXPECT_EQ(enabled ? 1u : 0u, host_.clicks.size());
    }
    object->Release();
    CoUninitialize();
}

} // namespace
