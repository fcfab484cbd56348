// One QApplication for every test of the binary.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

int argc = 1;
char arg0[] = "orvex-qt-tests";
char* argv[] = {arg0, nullptr};

class QtEnvironment : public testing::Environment {
public:
    void SetUp() override { app = new QApplication(argc, argv); }
    void TearDown() override { delete app; }
    QApplication* app = nullptr;
};

const auto* const env = testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
