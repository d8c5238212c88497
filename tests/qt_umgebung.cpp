// Drawing text needs a QGuiApplication; the tests run without a display.
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

class QtUmgebung : public ::testing::Environment {
  public:
    void SetUp() override {
        if (QCoreApplication::instance()) return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tarvello_test";
        static char* argv[] = {name, nullptr};
        app_ = new QGuiApplication(argc, argv);
    }
    void TearDown() override {
        delete app_;
        app_ = nullptr;
    }

  private:
    QGuiApplication* app_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const umgebung =
    ::testing::AddGlobalTestEnvironment(new QtUmgebung);

} // namespace

// fontconfig keeps a cache for the life of the process; the leak checker of
// sanitizer builds would report it.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
