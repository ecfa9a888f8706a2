#include "platform/skin/skin_library.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cstdint>
#include <set>
#include <string>

#include "platform/skin/module/skin_image.h"
#include "tests/support/temp_folder.h"

namespace vostrel::skin {
namespace {

const unsigned char* Bytes(std::string_view image) {
  return reinterpret_cast<const unsigned char*>(image.data());
}

int Size(std::string_view image) { return static_cast<int>(image.size()); }

std::string Section(const std::string& tag, const std::string& payload) {
  std::string out = tag;
  const uint32_t length = static_cast<uint32_t>(payload.size());
  for (int i = 0; i < 4; ++i) out += static_cast<char>((length >> (8 * i)) & 0xff);
  return out + payload;
}

// Qt's complaints while a skin dresses a window, e.g. about a style sheet it
// cannot parse.
std::vector<std::string> complaints;

void RecordComplaint(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtDebugMsg && message.contains("stylesheet", Qt::CaseInsensitive)) {
    complaints.push_back(message.toStdString());
  }
}

// Draws a window with the kinds of controls the skins dress.
void DrawSampleWindow() {
  QMainWindow window;
  window.menuBar()->addMenu("File")->addAction("Exit");
  window.addToolBar("tools")->addAction("Receive");
  auto* centre = new QWidget;
  auto* layout = new QVBoxLayout(centre);
  layout->addWidget(new QTreeWidget);
  layout->addWidget(new QLineEdit("text"));
  layout->addWidget(new QPushButton("OK"));
  window.setCentralWidget(centre);
  window.statusBar()->showMessage("ready");
  window.resize(320, 240);
  window.grab();
}

// Every test writes the module out under the name the program uses and
// puts the application's look back afterwards.
class SkinLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_palette_ = QApplication::palette();
    saved_style_ = qApp->styleSheet();
    test::WriteWholeFile(module_path_, std::string(SkinModuleBytes()));
  }
  void TearDown() override {
    qApp->setStyleSheet(saved_style_);
    QApplication::setPalette(saved_palette_);
  }

  test::TempFolder folder_;
  std::string module_path_ = folder_.File("SkinH_EL.dll");
  QPalette saved_palette_;
  QString saved_style_;
};

TEST_F(SkinLibraryTest, EverySkinImageAppliesItsStyleAndPalette) {
  SkinLibrary library(module_path_);
  std::set<std::string_view> distinct;
  for (int n = 1; n <= kSkinImageCount; ++n) {
    SCOPED_TRACE(n);
    const auto image = SkinImage(n);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->substr(0, 4), ".SHE");
    distinct.insert(*image);
    const auto parsed = ParseSkinImage(*image);
    ASSERT_TRUE(parsed.has_value());

    ASSERT_TRUE(library.AttachRes(Bytes(*image), Size(*image), "", 0, 0, 0));
    EXPECT_EQ(qApp->styleSheet().toStdString(), parsed->style_sheet);
    complaints.clear();
    const auto previous = qInstallMessageHandler(RecordComplaint);
    DrawSampleWindow();
    qInstallMessageHandler(previous);
    EXPECT_EQ(complaints, std::vector<std::string>());
    for (const auto& [role, colour] : parsed->palette) {
      if (role == "Highlight") {
        EXPECT_EQ(QApplication::palette().color(QPalette::Highlight).name().toStdString(),
                  colour);
      }
    }
  }
  EXPECT_EQ(distinct.size(), static_cast<size_t>(kSkinImageCount));
  EXPECT_FALSE(SkinImage(0).has_value());
  EXPECT_FALSE(SkinImage(kSkinImageCount + 1).has_value());
}

TEST_F(SkinLibraryTest, IllFormedImagesChangeNothing) {
  const std::string good(*SkinImage(6));
  const std::string palette = Section("PALT", "Window=#123456\n");
  const std::string cases[] = {
      "",
      "garbage that is no skin image at all",
      ".SHE",
      std::string(".SHE\x02", 5) + palette,                        // unknown version
      good.substr(0, good.size() / 2),                              // cut short
      std::string(".SHE\x01", 5) + "PALT\xff\xff\xff\x7f" "x",      // length past the end
      std::string(".SHE\x01", 5) + Section("PALT", "Window #123\n"),  // no '='
      std::string(".SHE\x01", 5) + Section("PALT", "Window=#zzzzzz\n"),
      std::string(".SHE\x01", 5) + Section("NAME", "only a name"),
  };
  SkinLibrary library(module_path_);
  qApp->setStyleSheet("QWidget { color: #010203; }");
  const QColor window = QApplication::palette().color(QPalette::Window);
  for (const auto& image : cases) {
    SCOPED_TRACE(image.substr(0, 16));
    EXPECT_FALSE(library.AttachRes(Bytes(image), Size(image), "", 0, 0, 0));
  }
  EXPECT_FALSE(library.AttachRes(nullptr, 0, "", 0, 0, 0));
  EXPECT_FALSE(library.AttachRes(nullptr, 100, "", 0, 0, 0));
  EXPECT_FALSE(library.AttachRes(Bytes(good), -1, "", 0, 0, 0));
  EXPECT_EQ(qApp->styleSheet(), "QWidget { color: #010203; }");
  EXPECT_EQ(QApplication::palette().color(QPalette::Window), window);
}

TEST_F(SkinLibraryTest, UnknownSectionsAndRolesAreSkipped) {
  const std::string image = std::string(".SHE\x01", 5) + Section("XTRA", "later data") +
                            Section("PALT", "NoSuchRole=#ffffff\r\nWindow=#123456\n") +
                            Section("QSS ", "QLabel { color: red; }");
  SkinLibrary library(module_path_);
  ASSERT_TRUE(library.AttachRes(Bytes(image), Size(image), "", 0, 0, 0));
  EXPECT_EQ(qApp->styleSheet(), "QLabel { color: red; }");
  EXPECT_EQ(QApplication::palette().color(QPalette::Window), QColor("#123456"));
}

TEST_F(SkinLibraryTest, AeroAddsToTheSkinAndOutlivesTheNextSkin) {
  SkinLibrary library(module_path_);
  const auto first = *SkinImage(6);
  const auto second = *SkinImage(7);
  ASSERT_TRUE(library.AttachRes(Bytes(first), Size(first), "", 0, 0, 0));
  const QString plain = qApp->styleSheet();
  ASSERT_TRUE(library.SetAero(1));
  EXPECT_TRUE(qApp->styleSheet().startsWith(plain));
  EXPECT_GT(qApp->styleSheet().size(), plain.size());

  ASSERT_TRUE(library.AttachRes(Bytes(second), Size(second), "", 0, 0, 0));
  const std::string second_style = ParseSkinImage(second)->style_sheet;
  EXPECT_TRUE(qApp->styleSheet().startsWith(QString::fromStdString(second_style)));
  EXPECT_GT(qApp->styleSheet().size(), static_cast<qsizetype>(second_style.size()));

  ASSERT_TRUE(library.SetAero(0));
  EXPECT_EQ(qApp->styleSheet().toStdString(), second_style);
}

TEST_F(SkinLibraryTest, UnusableModuleFileFailsAndAWrittenOneIsPickedUpLater) {
  const auto image = *SkinImage(6);
  const std::string missing = folder_.File("later/SkinH_EL.dll");
  SkinLibrary library(missing);
  EXPECT_FALSE(library.AttachRes(Bytes(image), Size(image), "", 0, 0, 0));
  EXPECT_FALSE(library.SetAero(1));

  const std::string junk = folder_.File("junk.dll");
  test::WriteWholeFile(junk, "not a loadable module");
  SkinLibrary junk_library(junk);
  EXPECT_FALSE(junk_library.AttachRes(Bytes(image), Size(image), "", 0, 0, 0));
  EXPECT_FALSE(junk_library.SetAero(1));

  std::filesystem::create_directory(folder_.File("later"));
  test::WriteWholeFile(missing, std::string(SkinModuleBytes()));
  EXPECT_TRUE(library.AttachRes(Bytes(image), Size(image), "", 0, 0, 0));
}

}  // namespace
}  // namespace vostrel::skin
