#include "platform/gui/html_viewer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/gui/test_driver.h"
#include "platform/gui/window.h"
#include "tests/support/temp_folder.h"

namespace vostrel::gui {
namespace {

namespace drive = test_driver;

// A listener on 127.0.0.1 that only counts the connections it gets.
class Listener {
 public:
  Listener() {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(fd_, 8);
    socklen_t length = sizeof address;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
  }
  ~Listener() { close(fd_); }

  int Port() const { return port_; }
  int Accepted() {
    int count = 0;
    for (int client; (client = accept(fd_, nullptr, nullptr)) >= 0; ++count) close(client);
    return count;
  }

 private:
  int fd_ = -1;
  int port_ = 0;
};

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
