// The file tests run with a QCoreApplication, and with the per-user settings
// store redirected to Qt's test location so that the user's real colours are
// never read or changed.
#include <QCoreApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

class DateiUmgebung : public ::testing::Environment {
  public:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        if (QCoreApplication::instance()) return;
        static int argc = 1;
        static char name[] = "test_files";
        static char* argv[] = {name, nullptr};
        app_ = new QCoreApplication(argc, argv);
    }

  private:
    QCoreApplication* app_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const umgebung =
    ::testing::AddGlobalTestEnvironment(new DateiUmgebung);

} // namespace
