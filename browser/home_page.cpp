#include "browser/home_page.h"

#include "core/program.h"

namespace vostrel::browser {

// Where a browser of a fixed install path exists the command line names it;
// here the desktop's default browser is the one the user chose.
void OpenHomePage(core::Program& program) { program.desktop.StartWebBrowser(kHomePageAddress); }

}  // namespace vostrel::browser
