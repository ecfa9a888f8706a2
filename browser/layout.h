#pragma once

namespace vostrel::core {
class Program;
}

namespace vostrel::browser {

// Places every pane of the main window for its current outer size. The tree
// width, the mail-list height and the reading-pane width are the splitters'
// to set and are kept.
void LayoutMainWindow(core::Program& program);

// The drag events of the three splitter bars: old and new are the bar's left
// edge (vertical bars) or top edge (the horizontal bar).
void DragLargeVerticalSplitter(core::Program& program, int old_position, int new_position);
void DragVerticalSplitter(core::Program& program, int old_position, int new_position);
void DragHorizontalSplitter(core::Program& program, int old_position, int new_position);

// Binds the size-changed event and the three drags, and lays the window out
// once so the panes follow the real tool-bar and status-bar heights from the start.
void BindLayout(core::Program& program);

}  // namespace vostrel::browser
