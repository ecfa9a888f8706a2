#include "platform/gui/event_loop.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>
#include <QTimer>
#include <cstdlib>
#include <memory>
#include <vector>

namespace vostrel::gui {
namespace {

constexpr const char* kChineseFonts[] = {"WenQuanYi Micro Hei", "Noto Sans CJK SC",
                                         "Microsoft YaHei", "SimSun"};

// Exit routines live until the process ends; each runs at most once.
struct ExitRoutines {
  std::vector<std::function<void()>> routines;
  bool ran = false;

  void RunOnce() {
    if (ran) return;
    ran = true;
    for (auto& routine : routines) routine();
  }
};

ExitRoutines& Routines() {
  static auto* routines = new ExitRoutines;
  return *routines;
}

void SetChineseFont() {
  const QStringList families = QFontDatabase::families();
  for (const char* name : kChineseFonts) {
    if (families.contains(QString::fromUtf8(name))) {
      QFont font(QString::fromUtf8(name));
      font.setPointSize(9);
      QApplication::setFont(font);
      return;
    }
  }
}

}  // namespace

bool UseToolkitTranslations(const std::string& locale_name) {
  if (!qApp) return false;
  auto* translator = new QTranslator(qApp);
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!translator->load(QString::fromStdString("qtbase_" + locale_name), folder)) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

void InitApplication() {
  if (QApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "vostrel";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives for the whole process
  SetChineseFont();
}

void ProcessPendingEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

int RunEventLoop() { return QApplication::exec(); }

void QuitEventLoop() { QCoreApplication::quit(); }

void PostTask(std::function<void()> task) {
  QTimer::singleShot(0, QCoreApplication::instance(), std::move(task));
}

void RegisterExitRoutine(std::function<void()> routine) {
  ExitRoutines& routines = Routines();
  if (routines.routines.empty()) {
    std::atexit([] { Routines().RunOnce(); });
  }
  routines.routines.push_back(std::move(routine));
  static bool connected = false;
  if (!connected && QCoreApplication::instance() != nullptr) {
    connected = true;
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                     [] { Routines().RunOnce(); });
  }
}

}  // namespace vostrel::gui
