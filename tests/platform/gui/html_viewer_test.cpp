#include "platform/gui/html_viewer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/gui/test_driver.h"
#include "platform/gui/window.h"
#include "tests/support/loopback_listener.h"
#include "tests/support/temp_folder.h"

namespace vostrel::gui {
namespace {

namespace drive = test_driver;

using Listener = vostrel::test::LoopbackListener;

class HtmlViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    viewer = window.Add<HtmlViewer>("viewer", 0, 0, 300, 200);
    viewer->on_resource = [this](const std::string& url) -> std::optional<std::string> {
      asked.push_back(url);
      if (url == "cid:logo@mail") return std::string("image bytes");
      return std::nullopt;
    };
    window.Show();
  }

  std::string Page(const std::string& body) {
    const std::string path = folder.File("temp.html");
    test::WriteWholeFile(path, "<html><body>" + body + "</body></html>");
    return path;
  }

  test::TempFolder folder;
  Window window{"html test", 0, 0, 320, 240};
  HtmlViewer* viewer = nullptr;
  std::vector<std::string> asked;
};

TEST_F(HtmlViewerTest, FetchesNothingFromNetworkAndRunsNoScript) {
  Listener listener;
  const std::string remote = "http://127.0.0.1:" + std::to_string(listener.Port());
  ASSERT_TRUE(viewer->Navigate(Page("<p>hello 你好</p><img src=\"" + remote +
                                    "/x.png\">"
                                    "<link rel=stylesheet href=\"" +
                                    remote +
                                    "/s.css\">"
                                    "<script>document.write('SCRIPTRAN')</script>")));
  drive::RunEventsFor(300);
  EXPECT_EQ(listener.Accepted(), 0);
  EXPECT_NE(viewer->PlainText().find("hello 你好"), std::string::npos);
  EXPECT_EQ(viewer->PlainText().find("SCRIPTRAN"), std::string::npos);
  EXPECT_EQ(viewer->CurrentFile(), folder.File("temp.html"));
}

TEST_F(HtmlViewerTest, InlineImagesComeFromProvider) {
  viewer->Navigate(Page("<img src=\"cid:logo@mail\"><img src=\"missing.png\">"));
  drive::RunEventsFor(50);
  EXPECT_NE(std::find(asked.begin(), asked.end(), "cid:logo@mail"), asked.end());
  EXPECT_NE(std::find(asked.begin(), asked.end(), "missing.png"), asked.end());
}

TEST_F(HtmlViewerTest, LinksAreReportedNotFollowed) {
  std::vector<std::string> clicked;
  viewer->on_link_clicked = [&](const std::string& url) { clicked.push_back(url); };
  const std::string page = Page("<a href=\"http://example.invalid/\">link</a>");
  viewer->Navigate(page);
  drive::ClickLink(*viewer, "http://example.invalid/");
  EXPECT_EQ(clicked, (std::vector<std::string>{"http://example.invalid/"}));
  EXPECT_EQ(viewer->CurrentFile(), page);
  EXPECT_NE(viewer->PlainText().find("link"), std::string::npos);
}

TEST_F(HtmlViewerTest, GbkPageWithCharsetIsDecoded) {
  const std::string path = folder.File("gbk.html");
  // "中文" in GBK.
  test::WriteWholeFile(path,
                       "<html><head><meta http-equiv=\"Content-Type\" "
                       "content=\"text/html; charset=gb2312\"></head><body>\xd6\xd0\xce\xc4"
                       "</body></html>");
  viewer->Navigate(path);
  EXPECT_NE(viewer->PlainText().find("中文"), std::string::npos);
  EXPECT_FALSE(viewer->Navigate(folder.File("none.html")));
}

}  // namespace
}  // namespace vostrel::gui
