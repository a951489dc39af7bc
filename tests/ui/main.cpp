// The widget tests run in one application object, headless.

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Talkbase"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
