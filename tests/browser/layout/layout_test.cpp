// The main-window layout and the three splitter drags, on the real window of a
// started program, dragged with real mouse events.
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <vector>

#include "browser/layout.h"
#include "platform/gui/test_driver.h"
#include "tests/browser/program_harness.h"

namespace vostrel::test {
namespace {

namespace driver = gui::test_driver;

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect&) const = default;
  Rect operator+(const Rect& d) const {
    return {left + d.left, top + d.top, width + d.width, height + d.height};
  }
};

std::ostream& operator<<(std::ostream& out, const Rect& r) {
  return out << "(" << r.left << ", " << r.top << ", " << r.width << " x " << r.height << ")";
}

enum Pane { kTree, kLargeBar, kList, kHorizontalBar, kSubject, kText, kHtml, kVerticalBar, kAttachments, kPaneCount };
constexpr const char* kPaneNames[kPaneCount] = {"tree", "large bar", "list", "horizontal bar", "subject",
                                                "text",  "html",      "vertical bar", "attachments"};
using Geometry = std::array<Rect, kPaneCount>;

enum class Bar { kLarge, kVertical, kHorizontal };

class Layout : public ::testing::Test {
 protected:
  void SetUp() override {
    harness_.Start();
    // Binding again is harmless: it lays the window out for the same size.
    browser::BindLayout(harness_.program());
  }

  core::MainWindow& w() { return harness_.window(); }

  std::array<gui::Control*, kPaneCount> Controls() {
    return {w().folder_tree,   w().large_vertical_splitter, w().mail_list,
            w().horizontal_splitter, w().subject_label,     w().mail_text_box,
            w().mail_html_viewer,    w().vertical_splitter, w().attachment_list};
  }

  Geometry Snapshot() {
    Geometry g;
    const auto controls = Controls();
    for (int p = 0; p < kPaneCount; ++p)
      g[p] = {controls[p]->Left(), controls[p]->Top(), controls[p]->Width(), controls[p]->Height()};
    return g;
  }

  gui::SplitterBar& BarOf(Bar bar) {
    switch (bar) {
      case Bar::kLarge:
        return *w().large_vertical_splitter;
      case Bar::kVertical:
        return *w().vertical_splitter;
      case Bar::kHorizontal:
        break;
    }
    return *w().horizontal_splitter;
  }

  void ResizeTo(int width, int height) {
    w().window->Resize(width, height);
    driver::RunEventsFor(100);
  }

  // The panes tile the window as the layout places them for its current size.
  void ExpectTiled() {
    const Geometry g = Snapshot();
    auto right = [&](Pane p) { return g[p].left + g[p].width; };
    auto bottom = [&](Pane p) { return g[p].top + g[p].height; };
    const int outer_width = w().window->Width();
    const int outer_height = w().window->Height();
    const int tool_bar = w().tool_bar->Height();
    const int status_bar = w().status_bar->Height();

    EXPECT_EQ(w().tool_bar->Left(), 0);
    EXPECT_EQ(w().tool_bar->Top(), 0);
    EXPECT_EQ(g[kTree].left, 0);
    for (Pane p : {kTree, kLargeBar, kList}) EXPECT_EQ(g[p].top, tool_bar + 5) << kPaneNames[p];
    EXPECT_EQ(g[kLargeBar].left, right(kTree));
    for (Pane p : {kList, kHorizontalBar, kSubject, kText, kHtml})
      EXPECT_EQ(g[p].left, right(kLargeBar)) << kPaneNames[p];
    EXPECT_EQ(g[kHorizontalBar].top, bottom(kList));
    for (Pane p : {kText, kHtml, kVerticalBar, kAttachments})
      EXPECT_EQ(g[p].top, bottom(kHorizontalBar)) << kPaneNames[p];
    EXPECT_EQ(g[kVerticalBar].left, right(kHtml));
    EXPECT_EQ(g[kAttachments].left, right(kVerticalBar));

    const int tree_height = outer_height - tool_bar - status_bar - 50;
    for (Pane p : {kTree, kLargeBar}) EXPECT_EQ(g[p].height, tree_height) << kPaneNames[p];
    // The reading row ends where the tree ends.
    for (Pane p : {kText, kHtml, kVerticalBar, kAttachments}) EXPECT_EQ(bottom(p), bottom(kTree)) << kPaneNames[p];

    EXPECT_EQ(right(kList), outer_width - 5);
    EXPECT_EQ(right(kHorizontalBar), outer_width);
    EXPECT_EQ(right(kAttachments), outer_width - 5);
    EXPECT_EQ(g[kText], g[kHtml]);
  }

  ProgramHarness harness_;
};

TEST_F(Layout, StartTilesTheDesignedPanes) {
  ExpectTiled();
  const Geometry g = Snapshot();
  // What the splitters own starts at its designed size.
  EXPECT_EQ(g[kTree].width, 128);
  EXPECT_EQ(g[kList].height, 154);
  EXPECT_EQ(g[kHtml].width, 368);
  EXPECT_EQ(g[kHorizontalBar].height, 20);
  // The subject label sits on the horizontal bar, at its designed top.
  EXPECT_EQ(g[kSubject].top, 217);
  EXPECT_GE(g[kSubject].top, g[kHorizontalBar].top);
  EXPECT_LE(g[kSubject].top + g[kSubject].height, g[kHorizontalBar].top + g[kHorizontalBar].height);
}

struct Change {
  Pane pane;
  Rect delta;
};

struct DragCase {
  const char* name;
  Bar bar;
  int delta;
  bool cancel;
  std::vector<Change> changes;  // panes not named keep their place
};

void PrintTo(const DragCase& c, std::ostream* out) { *out << c.name; }

class Drag : public Layout, public ::testing::WithParamInterface<DragCase> {};

TEST_P(Drag, MovesWhatTheBarSeparates) {
  const DragCase& c = GetParam();
  Geometry expected = Snapshot();
  for (const Change& change : c.changes) expected[change.pane] = expected[change.pane] + change.delta;

  driver::DragSplitter(BarOf(c.bar), c.delta, c.cancel);

  const Geometry after = Snapshot();
  for (int p = 0; p < kPaneCount; ++p) EXPECT_EQ(after[p], expected[p]) << kPaneNames[p];
  EXPECT_EQ(after[kText], after[kHtml]);
}

const Rect kShiftNarrow30{30, 0, -30, 0};
const Rect kShiftWiden30{-30, 0, 30, 0};
const Rect kDown40Shorter{0, 40, 0, -40};
const Rect kUp40Taller{0, -40, 0, 40};

INSTANTIATE_TEST_SUITE_P(
    Splitters, Drag,
    ::testing::Values(
        DragCase{"LargeRight30", Bar::kLarge, 30, false,
                 {{kTree, {0, 0, 30, 0}}, {kLargeBar, {30, 0, 0, 0}}, {kList, kShiftNarrow30},
                  {kHorizontalBar, kShiftNarrow30}, {kText, kShiftNarrow30}, {kHtml, kShiftNarrow30},
                  {kSubject, {30, 0, 0, 0}}}},
        DragCase{"LargeLeft30", Bar::kLarge, -30, false,
                 {{kTree, {0, 0, -30, 0}}, {kLargeBar, {-30, 0, 0, 0}}, {kList, kShiftWiden30},
                  {kHorizontalBar, kShiftWiden30}, {kText, kShiftWiden30}, {kHtml, kShiftWiden30},
                  {kSubject, {-30, 0, 0, 0}}}},
        DragCase{"VerticalLeft20", Bar::kVertical, -20, false,
                 {{kText, {0, 0, -20, 0}}, {kHtml, {0, 0, -20, 0}}, {kVerticalBar, {-20, 0, 0, 0}},
                  {kAttachments, {-20, 0, 20, 0}}}},
        DragCase{"VerticalRight20", Bar::kVertical, 20, false,
                 {{kText, {0, 0, 20, 0}}, {kHtml, {0, 0, 20, 0}}, {kVerticalBar, {20, 0, 0, 0}},
                  {kAttachments, {20, 0, -20, 0}}}},
        DragCase{"HorizontalDown40", Bar::kHorizontal, 40, false,
                 {{kList, {0, 0, 0, 40}}, {kHorizontalBar, {0, 40, 0, 0}}, {kSubject, {0, 40, 0, 0}},
                  {kText, kDown40Shorter}, {kHtml, kDown40Shorter}, {kVerticalBar, kDown40Shorter},
                  {kAttachments, kDown40Shorter}}},
        DragCase{"HorizontalUp40", Bar::kHorizontal, -40, false,
                 {{kList, {0, 0, 0, -40}}, {kHorizontalBar, {0, -40, 0, 0}}, {kSubject, {0, -40, 0, 0}},
                  {kText, kUp40Taller}, {kHtml, kUp40Taller}, {kVerticalBar, kUp40Taller},
                  {kAttachments, kUp40Taller}}},
        DragCase{"LargeReleasedInPlace", Bar::kLarge, 0, false, {}},
        DragCase{"VerticalReleasedInPlace", Bar::kVertical, 0, false, {}},
        DragCase{"HorizontalReleasedInPlace", Bar::kHorizontal, 0, false, {}},
        DragCase{"LargeCancelled", Bar::kLarge, 30, true, {}},
        DragCase{"VerticalCancelled", Bar::kVertical, -20, true, {}},
        DragCase{"HorizontalCancelled", Bar::kHorizontal, 40, true, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Layout, WiderWindowKeepsWhatTheSplittersSet) {
  driver::DragSplitter(*w().large_vertical_splitter, 30);
  driver::DragSplitter(*w().vertical_splitter, -20);
  driver::DragSplitter(*w().horizontal_splitter, 40);
  Geometry expected = Snapshot();
  EXPECT_EQ(expected[kTree].width, 158);
  EXPECT_EQ(expected[kHtml].width, 318);
  EXPECT_EQ(expected[kList].height, 194);
  const int wider = w().window->Width() + 100;

  ResizeTo(wider, w().window->Height());

  ASSERT_EQ(w().window->Width(), wider);
  for (Pane p : {kList, kHorizontalBar, kAttachments}) expected[p].width += 100;
  const Geometry after = Snapshot();
  for (int p = 0; p < kPaneCount; ++p) EXPECT_EQ(after[p], expected[p]) << kPaneNames[p];
  ExpectTiled();
}

TEST_F(Layout, SizesBelowZeroClampToZero) {
  const int width = w().window->Width();
  ResizeTo(width, 100);
  const int room = w().window->Height() - w().tool_bar->Height() - w().status_bar->Height() - 50;
  ASSERT_LT(room, 0) << "the window did not get small enough";
  Geometry g = Snapshot();
  for (Pane p : {kTree, kLargeBar, kText, kHtml, kVerticalBar, kAttachments})
    EXPECT_EQ(g[p].height, 0) << kPaneNames[p];
  EXPECT_EQ(g[kList].height, 154);

  // A drag far beyond the reading pane leaves it, and the list, no width.
  driver::DragSplitter(*w().large_vertical_splitter, 2000);
  g = Snapshot();
  EXPECT_EQ(g[kLargeBar].left, w().window->ClientWidth() - 5);
  for (Pane p : {kList, kText, kHtml}) EXPECT_EQ(g[p].width, 0) << kPaneNames[p];
  driver::DragSplitter(*w().horizontal_splitter, 2000);
  driver::DragSplitter(*w().vertical_splitter, -2000);
  auto expect_no_negative_size = [this] {
    for (const Rect& r : Snapshot()) {
      EXPECT_GE(r.width, 0) << r;
      EXPECT_GE(r.height, 0) << r;
    }
  };
  expect_no_negative_size();

  // Back at the designed size the tree and the bars are placed again; the
  // panes the drags squeezed keep the widths the drags left them.
  ResizeTo(800, 600);
  expect_no_negative_size();
  g = Snapshot();
  EXPECT_GT(g[kTree].height, 0);
  EXPECT_EQ(g[kLargeBar].left, g[kTree].left + g[kTree].width);
  EXPECT_EQ(g[kHorizontalBar].top, g[kList].top + g[kList].height);
  EXPECT_EQ(g[kText].top + g[kText].height, g[kTree].top + g[kTree].height);
}

}  // namespace
}  // namespace vostrel::test
