#include "platform/gui/html_viewer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QUrl>

#include "platform/gui/detail/qt_text.h"

namespace vostrel::gui {
namespace {

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

QString DecodeHtml(const QByteArray& bytes) {
  QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
  if (!decoder.isValid()) decoder = QStringDecoder(QStringDecoder::Utf8);
  return decoder.decode(bytes);
}

// Only names without a scheme or with file: are looked up on disk; every other
// scheme (http, https, ftp, ...) and any name with a host is refused.
bool IsLocalName(const QUrl& url) {
  const QString scheme = url.scheme();
  return url.host().isEmpty() && (scheme.isEmpty() || scheme == QLatin1String("file"));
}

}  // namespace

class HtmlBrowser : public QTextBrowser {
 public:
  explicit HtmlBrowser(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setReadOnly(true);
  }

  std::function<std::optional<std::string>(const std::string&)>* provider = nullptr;
  QString folder;

  QVariant loadResource(int type, const QUrl& url) override {
    // A non-null empty value stops the document from trying any source of its own.
    const QVariant nothing = QByteArray();
    if (type != QTextDocument::ImageResource && type != QTextDocument::StyleSheetResource) {
      return nothing;
    }
    if (type == QTextDocument::ImageResource && provider != nullptr && *provider) {
      const std::optional<std::string> bytes = (*provider)(detail::FromQt(url.toString()));
      if (bytes) return QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size()));
    }
    if (!IsLocalName(url) || folder.isEmpty()) return nothing;
    const QString path = url.isLocalFile() ? url.toLocalFile() : QDir(folder).filePath(url.path());
    return ReadFile(path);
  }
};

HtmlViewer::HtmlViewer(QWidget* parent, std::string name)
    : HtmlViewer(new HtmlBrowser(parent), std::move(name)) {}

HtmlViewer::HtmlViewer(HtmlBrowser* browser, std::string name)
    : Control(std::move(name), browser, browser->viewport()), browser_(browser) {
  browser_->provider = &on_resource;
  QObject::connect(browser_, &QTextBrowser::anchorClicked, [this](const QUrl& url) {
    if (on_link_clicked) on_link_clicked(detail::FromQt(url.toString()));
  });
}

bool HtmlViewer::Navigate(const std::string& path) {
  current_file_ = path;
  const QString file = detail::ToQt(path);
  QFile source(file);
  if (!source.open(QIODevice::ReadOnly)) {
    browser_->clear();
    return false;
  }
  browser_->folder = QFileInfo(file).absolutePath();
  browser_->setHtml(DecodeHtml(source.readAll()));
  return true;
}

std::string HtmlViewer::PlainText() const { return detail::FromQt(browser_->toPlainText()); }

}  // namespace vostrel::gui
