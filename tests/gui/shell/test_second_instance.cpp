// A second start of the program ends at once with code 0; the first keeps
// running.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "shell_fixture.h"

namespace corvaline::gui::testing {
namespace {

QProcessEnvironment IsolatedEnvironment(const QString& home) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("HOME", home);
  env.insert("XDG_RUNTIME_DIR", home);
  env.insert("XDG_CONFIG_HOME", home + "/config");
  env.insert("ASAN_OPTIONS", "detect_leaks=0");
  return env;
}

TEST(SecondInstance, EndsSilentlyWithCodeZero) {
  App();
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  const QProcessEnvironment env = IsolatedEnvironment(home.path());

  QProcess first;
  first.setProcessEnvironment(env);
  first.start(CORVALINE_PROGRAM, {});
  ASSERT_TRUE(first.waitForStarted(5000));
  // The lock is taken before anything else; give the first a moment.
  ASSERT_FALSE(first.waitForFinished(3000)) << first.readAllStandardError().toStdString();

  QProcess second;
  second.setProcessEnvironment(env);
  second.start(CORVALINE_PROGRAM, {});
  ASSERT_TRUE(second.waitForFinished(15000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_EQ(first.state(), QProcess::Running);

  first.kill();
  first.waitForFinished(5000);
}

}  // namespace
}  // namespace corvaline::gui::testing
