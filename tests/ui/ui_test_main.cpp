// The window tests run the real widgets on Qt's offscreen platform, with the
// user's configuration folders pointed at a throw-away folder.

#include <QApplication>

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // QSettings' user scope and the settings folder must never touch the real ones.
    const std::filesystem::path config =
        std::filesystem::temp_directory_path() / ("clivora-ui-tests-" + std::to_string(::getpid()));
    std::filesystem::create_directories(config);
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.string()));
    std::filesystem::create_directories(config / "runtime");
    std::filesystem::permissions(config / "runtime", std::filesystem::perms::owner_all);
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString((config / "runtime").string()));
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(config, ec);
    return result;
}
