// Names that senders choose for their attachments, made safe to write.
#include <gtest/gtest.h>

#include "browser/safe_file_name.h"
#include "platform/text/encoding.h"

namespace vostrel::test {
namespace {

using browser::SafeFileName;

TEST(SafeFileName, HostileAndOrdinaryNames) {
  const struct {
    std::string name;
    std::string safe;
  } cases[] = {
      {"报告.pdf", "报告.pdf"},
      {"../../x", "x"},
      {"/etc/x", "x"},
      {"a\\..\\b", "b"},
      {"..", "附件"},
      {".", "附件"},
      {"", "附件"},
      {"dir/", "附件"},
      {"CON", "_CON"},
      {"con.txt", "_con.txt"},
      {"NUL .tar.gz", "_NUL .tar.gz"},
      {"LPT1", "_LPT1"},
      {"com9.log", "_com9.log"},
      {"CONSOLE", "CONSOLE"},
      {"COM10", "COM10"},
      {"a\tb\r\n.txt", "a_b__.txt"},
      {"x:y?<z>|\"*.txt", "x_y__z____.txt"},
      {"report. . ", "report"},
      {".profile", ".profile"},
  };
  for (const auto& c : cases) EXPECT_EQ(SafeFileName(c.name), c.safe) << c.name;
}

TEST(SafeFileName, LongNamesCutOnCharacterBoundaryKeepingExtension) {
  std::string chinese;
  for (int i = 0; i < 100; ++i) chinese += "名";  // 300 bytes
  const struct {
    std::string name;
    std::string extension;
  } cases[] = {
      {chinese + ".txt", ".txt"},
      {"a" + chinese, ""},  // an odd cut point inside a character
      {std::string(300, 'x') + ".pdf", ".pdf"},
      {"CON." + chinese, ""},
      {"x." + chinese, ""},  // an extension too long to keep
  };
  for (const auto& c : cases) {
    const std::string safe = SafeFileName(c.name);
    EXPECT_LE(safe.size(), browser::kMaxFileNameBytes) << c.name;
    EXPECT_GE(safe.size(), browser::kMaxFileNameBytes - 3) << c.name;
    EXPECT_TRUE(text::IsValidUtf8(safe)) << c.name;
    EXPECT_TRUE(safe.ends_with(c.extension)) << c.name;
  }
}

}  // namespace
}  // namespace vostrel::test
