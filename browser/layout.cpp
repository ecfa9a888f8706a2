#include "browser/layout.h"

#include <initializer_list>

#include "core/program.h"

namespace vostrel::browser {
namespace {

using core::MainWindow;
using gui::Control;

// The window's outer height less the bars and the frame allowance.
constexpr int kFrameAllowance = 50;
// The gap left at the right edge of the mail list and the attachment list.
constexpr int kRightMargin = 5;

int RightOf(const Control& c) { return c.Left() + c.Width(); }
int BottomOf(const Control& c) { return c.Top() + c.Height(); }

void SetLefts(std::initializer_list<Control*> controls, int left) {
  for (Control* c : controls) c->SetLeft(left);
}
void SetTops(std::initializer_list<Control*> controls, int top) {
  for (Control* c : controls) c->SetTop(top);
}
void SetHeights(std::initializer_list<Control*> controls, int height) {
  for (Control* c : controls) c->SetHeight(height);
}

// One value at a time: the left edge moves, then the width shrinks, so a
// width clamped at zero is what the next step sees.
void ShiftThenNarrow(Control& c, int x) {
  c.SetLeft(c.Left() + x);
  c.SetWidth(c.Width() - x);
}
void ShiftThenShorten(Control& c, int x) {
  c.SetTop(c.Top() + x);
  c.SetHeight(c.Height() - x);
}
// In one call: the far edge stays where it is.
void MoveKeepingRight(Control& c, int x) { c.MoveHorizontally(c.Left() + x, c.Width() - x); }
void MoveKeepingBottom(Control& c, int x) { c.MoveVertically(c.Top() + x, c.Height() - x); }

void ShiftLeft(Control& c, int x) { c.SetLeft(c.Left() + x); }
void ShiftTop(Control& c, int x) { c.SetTop(c.Top() + x); }
void Widen(Control& c, int x) { c.SetWidth(c.Width() + x); }
void Heighten(Control& c, int x) { c.SetHeight(c.Height() + x); }

// The HTML viewer reaches exactly to the vertical bar.
void FitHtmlViewerToBar(MainWindow& w) {
  w.mail_html_viewer->SetWidth(w.vertical_splitter->Left() - w.mail_html_viewer->Left());
}

}  // namespace

void LayoutMainWindow(core::Program& program) {
  MainWindow& w = program.main_window;
  const int outer_width = w.window->Width();
  const int outer_height = w.window->Height();
  const int tool_bar_height = w.tool_bar->Height();
  const int status_bar_height = w.status_bar->Height();

  w.tool_bar->SetLeft(0);
  w.tool_bar->SetTop(0);
  w.folder_tree->SetLeft(0);

  SetTops({w.folder_tree, w.mail_list, w.large_vertical_splitter}, tool_bar_height + 5);
  w.large_vertical_splitter->SetLeft(RightOf(*w.folder_tree));
  SetHeights({w.folder_tree, w.large_vertical_splitter},
             outer_height - tool_bar_height - status_bar_height - kFrameAllowance);

  SetLefts({w.mail_list, w.horizontal_splitter, w.mail_text_box, w.mail_html_viewer, w.subject_label},
           RightOf(*w.large_vertical_splitter));
  w.horizontal_splitter->SetTop(BottomOf(*w.mail_list));
  SetTops({w.attachment_list, w.mail_text_box, w.mail_html_viewer, w.vertical_splitter},
          BottomOf(*w.horizontal_splitter));
  w.vertical_splitter->SetLeft(RightOf(*w.mail_html_viewer));
  w.attachment_list->SetLeft(RightOf(*w.vertical_splitter));
  SetHeights({w.mail_text_box, w.mail_html_viewer, w.vertical_splitter, w.attachment_list},
             outer_height - tool_bar_height - w.mail_list->Height() - w.horizontal_splitter->Height() -
                 status_bar_height - kFrameAllowance);

  w.mail_list->SetWidth(outer_width - w.mail_list->Left() - kRightMargin);
  w.horizontal_splitter->SetWidth(outer_width - w.horizontal_splitter->Left());
  w.attachment_list->SetWidth(outer_width - w.attachment_list->Left() - kRightMargin);
}

// Controls clamp a size below zero to zero, so the order of the steps decides
// the result of a long drag: in each direction the panes that shrink go first.
void DragLargeVerticalSplitter(core::Program& program, int old_position, int new_position) {
  MainWindow& w = program.main_window;
  const int x = new_position - old_position;
  if (x < 0) {
    Widen(*w.folder_tree, x);
    w.large_vertical_splitter->SetLeft(new_position);
    MoveKeepingRight(*w.mail_list, x);
    ShiftLeft(*w.mail_text_box, x);
    ShiftThenNarrow(*w.horizontal_splitter, x);
    Widen(*w.mail_text_box, -x);
    ShiftLeft(*w.mail_html_viewer, x);
    FitHtmlViewerToBar(w);
    ShiftLeft(*w.subject_label, x);
  } else if (x > 0) {
    MoveKeepingRight(*w.mail_list, x);
    ShiftThenNarrow(*w.mail_text_box, x);
    ShiftThenNarrow(*w.horizontal_splitter, x);
    ShiftLeft(*w.mail_html_viewer, x);
    ShiftLeft(*w.subject_label, x);
    FitHtmlViewerToBar(w);
    w.large_vertical_splitter->SetLeft(new_position);
    Widen(*w.folder_tree, x);
  }
}

void DragVerticalSplitter(core::Program& program, int old_position, int new_position) {
  MainWindow& w = program.main_window;
  const int x = new_position - old_position;
  if (x < 0) {
    Widen(*w.mail_text_box, x);
    Widen(*w.mail_html_viewer, x);
    w.vertical_splitter->SetLeft(new_position);
    MoveKeepingRight(*w.attachment_list, x);
  } else if (x > 0) {
    MoveKeepingRight(*w.attachment_list, x);
    w.vertical_splitter->SetLeft(new_position);
    Widen(*w.mail_text_box, x);
    Widen(*w.mail_html_viewer, x);
  }
}

// The horizontal bar moves by x from where it stands, carrying the subject label.
void DragHorizontalSplitter(core::Program& program, int old_position, int new_position) {
  MainWindow& w = program.main_window;
  const int x = new_position - old_position;
  if (x < 0) {
    Heighten(*w.mail_list, x);
    ShiftTop(*w.horizontal_splitter, x);
    ShiftTop(*w.subject_label, x);
    ShiftThenShorten(*w.mail_html_viewer, x);
    ShiftThenShorten(*w.mail_text_box, x);
    MoveKeepingBottom(*w.attachment_list, x);
    ShiftThenShorten(*w.vertical_splitter, x);
  } else if (x > 0) {
    ShiftThenShorten(*w.mail_html_viewer, x);
    ShiftThenShorten(*w.mail_text_box, x);
    MoveKeepingBottom(*w.attachment_list, x);
    ShiftThenShorten(*w.vertical_splitter, x);
    ShiftTop(*w.horizontal_splitter, x);
    ShiftTop(*w.subject_label, x);
    Heighten(*w.mail_list, x);
  }
}

void BindLayout(core::Program& program) {
  MainWindow& w = program.main_window;
  w.window->on_size_changed = [&program] { LayoutMainWindow(program); };
  w.large_vertical_splitter->on_drag = [&program](int old_position, int new_position) {
    DragLargeVerticalSplitter(program, old_position, new_position);
  };
  w.vertical_splitter->on_drag = [&program](int old_position, int new_position) {
    DragVerticalSplitter(program, old_position, new_position);
  };
  w.horizontal_splitter->on_drag = [&program](int old_position, int new_position) {
    DragHorizontalSplitter(program, old_position, new_position);
  };
  LayoutMainWindow(program);
}

}  // namespace vostrel::browser
