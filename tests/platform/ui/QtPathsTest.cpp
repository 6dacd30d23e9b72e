// Folders whose names are not plain ASCII, as an operator's home folder may be ("José"): the
// paths the system hands over are opened again with the same bytes.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "platform/StdFileSystem.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/Text.h"
#include "support/qt/AnswerModal.h"

namespace fs = std::filesystem;
using platform::qt::pathFromQ;
using platform::qt::pathToQ;

TEST(QtPaths, AFolderNamedJoseIsFoundFromTheCurrentFolderTheEnvironmentAndTheFileDialog) {
    const fs::path base = fs::temp_directory_path() / ("palmetar-jos\xc3\xa9-" + std::to_string(::getpid()));
    fs::create_directories(base);
    platform::StdFileSystem files;

    // The program folder, taken from the current folder as the program starts.
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(pathToQ(base.string())));
    const std::string programFolder = pathFromQ(QDir::currentPath());
    QDir::setCurrent(saved);
    EXPECT_EQ(programFolder, base.string());
    EXPECT_TRUE(files.writeAtomic(platform::joinPath(programFolder, "QSOpref.txt"), "\"K1ABC\"\r\n"));
    EXPECT_TRUE(fs::exists(base / "QSOpref.txt"));

    // The home folder from the environment.
    qputenv("PALMETAR_TEST_FOLDER", QByteArray::fromStdString(base.string()));
    platform::qt::QtEnvironment environment;
    EXPECT_EQ(environment.get("PALMETAR_TEST_FOLDER"), base.string());
    qunsetenv("PALMETAR_TEST_FOLDER");

    // A picture in it, as the logo window loads it.
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(pathToQ((base / "splash.jpg").string()), "JPG"));
    EXPECT_TRUE(fs::exists(base / "splash.jpg"));
    EXPECT_FALSE(QImage(pathToQ((base / "splash.jpg").string())).isNull());

    // The save dialog offers the default name in that folder and hands back the chosen file.
    auto answer = testsupport::AnswerModal<QFileDialog>([](QFileDialog& dialog) { QMetaObject::invokeMethod(&dialog, "accept"); });
    platform::qt::QtDialogs dialogs;
    platform::FileDialogRequest request;
    request.defaultName = platform::joinPath(programFolder, "FL.adi");
    request.filter = "ADIF Files (*.adi) | *.adi";
    request.overwritePrompt = true;
    const auto chosen = dialogs.saveFileDialog(request);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, request.defaultName);
    EXPECT_TRUE(files.writeAtomic(*chosen, "<EOH>\r\n"));
    EXPECT_TRUE(fs::exists(base / "FL.adi"));
    fs::remove_all(base);
}
