// The pointer-settings backends of Linux: which one a desktop gets, GSettings
// against the installed GNOME schema (GIO's memory backend, so the user's own
// settings are never touched) and the X11 core pointer on a private Xvfb.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <cstdlib>
#include <string>

#include "desktop_session.h"
#include "platform/linux/pointer_backends.h"

namespace corvaline::platform {
namespace {

using Kind = PointerBackendKind;

TEST(PointerChoice, GSettingsOnGnomeLikeDesktopsKWinOnPlasmaElseX11ElseNone) {
  struct Case {
    bool schema;
    const char* desktop;
    bool x11;
    Kind expected;
    bool kwin = false;
  } cases[] = {
      {true, "GNOME", true, Kind::GSettings},
      {true, "ubuntu:GNOME", false, Kind::GSettings},
      {true, "gnome-flashback:GNOME", true, Kind::GSettings},
      {true, "Budgie:GNOME", true, Kind::GSettings},
      {false, "GNOME", true, Kind::X11},  // schema missing
      {true, "KDE", true, Kind::X11},     // KDE keeps its own settings
      {true, "XFCE", false, Kind::NoBackend},
      {true, "", false, Kind::NoBackend},
      {true, "NOTGNOME", true, Kind::X11},      // whole names only
      {false, "KDE", false, Kind::KWin, true},  // Plasma on Wayland
      {false, "KDE", true, Kind::X11, false},   // Plasma on X11: KWin lists no devices
      {true, "GNOME", true, Kind::GSettings, true},
      {false, "XFCE", false, Kind::NoBackend, true},
  };
  for (const Case& c : cases) {
    DesktopFacts facts{c.schema, c.desktop, c.x11, c.kwin};
    EXPECT_EQ(ChoosePointerBackend(facts), c.expected) << c.desktop;
  }
}

class GSettingsBackend : public ::testing::Test {
 protected:
  void SetUp() override {
    // The test's environment selects GIO's memory backend; refuse to run
    // against a real settings store.
    const char* backend = std::getenv("GSETTINGS_BACKEND");
    ASSERT_TRUE(backend && std::string(backend) == "memory");
    if (!GnomeMouseSchemaInstalled()) GTEST_SKIP() << "gsettings-desktop-schemas is not installed";
    pointer = CreateGSettingsPointerBackend();
    ASSERT_NE(pointer, nullptr);
  }
  std::unique_ptr<PointerBackend> pointer;
};

TEST_F(GSettingsBackend, SpeedDoubleClickAndProfileRoundTripTheWheelIsNotThere) {
  EXPECT_TRUE(pointer->Supports(PointerSetting::Speed));
  EXPECT_TRUE(pointer->Supports(PointerSetting::DoubleClick));
  EXPECT_TRUE(pointer->Supports(PointerSetting::Acceleration));
  EXPECT_FALSE(pointer->Supports(PointerSetting::WheelLines));
  EXPECT_FALSE(pointer->WriteWheelLines(3));

  // The schema's defaults: speed 0.0 is 10, 'default' profile is accelerated.
  EXPECT_EQ(pointer->ReadSpeed(), 10);
  EXPECT_EQ(pointer->ReadAcceleration(), true);
  EXPECT_EQ(pointer->ReadDoubleClickMs(), 400);

  for (int speed : {1, 2, 10, 14, 20}) {
    ASSERT_TRUE(pointer->WriteSpeed(speed));
    EXPECT_EQ(pointer->ReadSpeed(), speed);
  }
  ASSERT_TRUE(pointer->WriteDoubleClickMs(550));
  EXPECT_EQ(pointer->ReadDoubleClickMs(), 550);
  ASSERT_TRUE(pointer->WriteAcceleration(false));
  EXPECT_EQ(pointer->ReadAcceleration(), false);
  ASSERT_TRUE(pointer->WriteAcceleration(true));
  EXPECT_EQ(pointer->ReadAcceleration(), true);

  // What another client of the schema sees: the -1..1 scale and the enum.
  auto again = CreateGSettingsPointerBackend();
  ASSERT_TRUE(pointer->WriteSpeed(20));
  EXPECT_EQ(again->ReadSpeed(), 20);
}

TEST(X11CoreBackend, AccelerationWrittenIsWhatTheServerReportsOnlyAccelerationIsSupported) {
  if (!testing_support::ProgramInstalled("Xvfb"))
    GTEST_SKIP() << "Xvfb is not installed (package xvfb)";
  testing_support::XServer server;
  std::string why;
  ASSERT_TRUE(server.Start("640x480x24", &why)) << why;
  auto pointer = CreateX11PointerBackend(server.Display().c_str());
  ASSERT_NE(pointer, nullptr);
  // Xvfb's pointers have no libinput driver: the core pointer it is.
  EXPECT_EQ(pointer->Name(), "X11 core pointer");
  EXPECT_TRUE(pointer->Supports(PointerSetting::Acceleration));
  EXPECT_FALSE(pointer->Supports(PointerSetting::Speed));
  EXPECT_FALSE(pointer->Supports(PointerSetting::WheelLines));
  EXPECT_FALSE(pointer->Supports(PointerSetting::DoubleClick));

  Display* probe = XOpenDisplay(server.Display().c_str());
  ASSERT_NE(probe, nullptr);
  int numerator = 0, denominator = 0, threshold = 0;
  ASSERT_TRUE(pointer->WriteAcceleration(true));
  XGetPointerControl(probe, &numerator, &denominator, &threshold);
  EXPECT_EQ(numerator, 2);
  EXPECT_EQ(denominator, 1);
  EXPECT_EQ(threshold, 4);
  EXPECT_EQ(pointer->ReadAcceleration(), true);

  ASSERT_TRUE(pointer->WriteAcceleration(false));
  XGetPointerControl(probe, &numerator, &denominator, &threshold);
  EXPECT_EQ(numerator, 1);
  EXPECT_EQ(denominator, 1);
  EXPECT_EQ(pointer->ReadAcceleration(), false);
  XCloseDisplay(probe);
}

TEST(X11CoreBackend, NoServerNoBackend) { EXPECT_EQ(CreateX11PointerBackend(":199.9"), nullptr); }

}  // namespace
}  // namespace corvaline::platform
