#include "app/help.h"

#include <QFileInfo>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QMessageBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

#include "app/program_files.h"
#include "platform/paths.h"
#include "platform/version_info.h"
#include "ui/msgbox.h"

namespace quilmark {

namespace {

constexpr const char* kHelpWindowName = "quilmarkHelpWindow";
constexpr const char* kCannotShowHelp = "ヘルプが表示できません。";

// Shows the pages stored in the collection (qthelp: links).
class HelpBrowser : public QTextBrowser {
 public:
  HelpBrowser(QHelpEngine* engine, QWidget* parent) : QTextBrowser(parent), engine_(engine) {
    setObjectName("helpBrowser");
  }

  QVariant loadResource(int type, const QUrl& name) override {
    if (name.scheme() == QLatin1String("qthelp")) return engine_->fileData(name);
    return QTextBrowser::loadResource(type, name);
  }

 private:
  QHelpEngine* engine_;
};

// The help window: contents and index beside the page. One per main window;
// it lives until the main window goes, like the help viewer it stands for.
class HelpWindow : public QWidget {
 public:
  HelpWindow(QWidget* parent, std::unique_ptr<QHelpEngine> engine)
      : QWidget(parent, Qt::Window), engine_(std::move(engine)) {
    setObjectName(kHelpWindowName);
    setWindowTitle(QString::fromUtf8(kApplicationTitle) + QStringLiteral(" ヘルプ"));
    engine_->setParent(this);
    auto* splitter = new QSplitter(this);
    tabs_ = new QTabWidget(splitter);
    tabs_->setObjectName("helpTabs");
    tabs_->addTab(engine_->contentWidget(), QStringLiteral("目次"));
    tabs_->addTab(engine_->indexWidget(), QStringLiteral("キーワード"));
    browser_ = new HelpBrowser(engine_.get(), splitter);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    resize(720, 520);

    connect(engine_->contentWidget(), &QHelpContentWidget::linkActivated, browser_,
            [this](const QUrl& url) { browser_->setSource(url); });
    connect(engine_->indexWidget(), &QHelpIndexWidget::documentActivated, browser_,
            [this](const QHelpLink& link, const QString&) { browser_->setSource(link.url); });
  }

  // The page of `keyword`; the index, filtered by it, when no page has it.
  void ShowKeyword(const QString& keyword) {
    const QList<QHelpLink> links = engine_->documentsForKeyword(keyword);
    if (!links.isEmpty()) {
      tabs_->setCurrentIndex(0);
      browser_->setSource(links.front().url);
    } else {
      tabs_->setCurrentIndex(1);
      engine_->indexWidget()->filterIndices(keyword);
      if (browser_->source().isEmpty()) {
        const QStringList docs = engine_->registeredDocumentations();
        if (!docs.isEmpty()) {
          const QList<QUrl> pages = engine_->files(docs.front(), QString(), QStringLiteral("html"));
          if (!pages.isEmpty()) browser_->setSource(pages.front());
        }
      }
    }
    show();
    raise();
    activateWindow();
  }

 private:
  std::unique_ptr<QHelpEngine> engine_;
  QTabWidget* tabs_;
  HelpBrowser* browser_;
};

// A collection that loads and has documentation registered; nullptr else.
std::unique_ptr<QHelpEngine> OpenCollection(const std::string& collectionPath) {
  const QString path = QString::fromStdString(collectionPath);
  // The engine would create a missing collection; only an existing file counts.
  if (!QFileInfo(path).isFile()) return nullptr;
  auto engine = std::make_unique<QHelpEngine>(path);
  engine->setReadOnly(true);
  if (!engine->setupData() || engine->registeredDocumentations().isEmpty()) return nullptr;
  return engine;
}

}  // namespace

std::string HelpFilePath(const std::string& programPath) {
  const std::string folder = platform::FolderPart(programPath);
  std::string name = platform::FileNamePart(programPath);
  if (const auto dot = name.rfind('.'); dot != std::string::npos) name.erase(dot);
  return folder + name + ".qhc";
}

void HelpShowFile(QWidget* parent, const std::string& collectionPath, const std::string& keyword) {
  const QString word = QString::fromStdString(keyword);
  auto* existing = parent
                       ? parent->findChild<HelpWindow*>(kHelpWindowName, Qt::FindDirectChildrenOnly)
                       : nullptr;
  if (existing != nullptr) {
    existing->ShowKeyword(word);
    return;
  }
  auto engine = OpenCollection(collectionPath);
  if (!engine) {
    // Nothing is kept, so the next request tries again.
    QMessageBox::information(parent, QString::fromUtf8(kApplicationTitle),
                             QString::fromUtf8(kCannotShowHelp));
    return;
  }
  auto* window = new HelpWindow(parent, std::move(engine));
  if (parent == nullptr) window->setAttribute(Qt::WA_DeleteOnClose);
  window->ShowKeyword(word);
}

void HelpShow(QWidget* parent, const std::string& keyword) {
  const std::string program = platform::OwnProgramPath();
  HelpShowFile(parent, ProgramFile(program, platform::FileNamePart(HelpFilePath(program))),
               keyword);
}

}  // namespace quilmark
