#include "helpwin.h"

#include "winapi.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>
#include <strings.h>
#include <utility>
#include <vector>

const char kHelpContentsCommand[] = "HH.EXE mk:@MSITStore:orvlhilf5.chm";

std::string HelpCommandForPage(const std::string& page) {
    return std::string(kHelpContentsCommand) + "::html/" + page;
}

bool IsHelpContentsCommand(const char* cmdLine) {
    std::string cmd = cmdLine ? cmdLine : "";
    while (!cmd.empty() && (cmd.back() == ' ' || cmd.back() == '/' || cmd.back() == ':'))
        cmd.pop_back();
    for (const char* tail : {"", "::html"}) {
        const std::string whole = std::string(kHelpContentsCommand) + tail;
        if (strcasecmp(cmd.c_str(), whole.c_str()) == 0) return true;
    }
    return false;
}

namespace {

QString HelpDir() {
    return QString::fromStdString(GetResourceDir() + "help/html");
}

QString TitleOf(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    const auto m = title.match(QString::fromUtf8(f.read(64 * 1024)));
    return m.hasMatch() ? m.captured(1).simplified() : QString();
}

// The contents page is not a file: the browser asks for it by this name in the help folder.
const char kContentsName[] = "orvelin-inhalt.htm";

class THelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;
    QString missing;

    QVariant loadResource(int type, const QUrl& url) override {
        if (type == QTextDocument::HtmlResource && url.isLocalFile() &&
            url.fileName() == QLatin1String(kContentsName))
            return QString::fromStdString(
                HelpContentsHtml(HelpDir().toStdString(), missing.toStdString()));
        return QTextBrowser::loadResource(type, url);
    }
};

class THelpWindow : public QWidget {
public:
    THelpWindow() {
        setObjectName(QStringLiteral("orvlHelp"));
        setWindowTitle(QStringLiteral("Orvelin - Hilfe"));
        auto* back = new QPushButton(QStringLiteral("< &Zurück"), this);
        auto* forward = new QPushButton(QStringLiteral("&Vorwärts >"), this);
        auto* contents = new QPushButton(QStringLiteral("&Inhalt"), this);
        auto* close = new QPushButton(QStringLiteral("&Schließen"), this);
        back->setObjectName(QStringLiteral("back"));
        forward->setObjectName(QStringLiteral("forward"));
        contents->setObjectName(QStringLiteral("contents"));
        browser = new THelpBrowser(this);
        browser->setOpenExternalLinks(true);
        auto* bar = new QHBoxLayout;
        for (QPushButton* b : {back, forward, contents}) bar->addWidget(b);
        bar->addStretch();
        bar->addWidget(close);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(bar);
        layout->addWidget(browser);
        back->setEnabled(false);
        forward->setEnabled(false);
        connect(back, &QPushButton::clicked, browser, &QTextBrowser::backward);
        connect(forward, &QPushButton::clicked, browser, &QTextBrowser::forward);
        connect(contents, &QPushButton::clicked, this, [this] { ShowContents({}); });
        connect(close, &QPushButton::clicked, this, &QWidget::close);
        connect(browser, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
        connect(browser, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
        connect(browser, &QTextBrowser::sourceChanged, this, [this] {
            const QString t = browser->documentTitle();
            setWindowTitle(t.isEmpty() ? QStringLiteral("Orvelin - Hilfe")
                                       : QStringLiteral("Orvelin - Hilfe - ") + t);
        });
        QRect screen = QGuiApplication::primaryScreen()
                           ? QGuiApplication::primaryScreen()->availableGeometry()
                           : QRect(0, 0, 1024, 768);
        resize(std::min(760, screen.width()), std::min(620, screen.height()));
    }
    void ShowContents(const QString& missingPage) {
        browser->missing = missingPage;
        const QUrl url =
            QUrl::fromLocalFile(QDir(HelpDir()).filePath(QLatin1String(kContentsName)));
        // The same name again would not be read anew.
        if (browser->source() == url)
            browser->reload();
        else
            browser->setSource(url);
    }
    void ShowPage(const QString& file) { browser->setSource(QUrl::fromLocalFile(file)); }
    THelpBrowser* browser;
};

THelpWindow* OpenWindow() {
    static QPointer<THelpWindow> window;
    if (!window) {
        window = new THelpWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace

bool ShowHelpPage(const std::string& pageFile) {
    if (!qApp) return false;
    const QString file = QString::fromStdString(pageFile);
    if (!QFileInfo::exists(file)) {
        OpenWindow()->ShowContents(QFileInfo(file).fileName());
        return false;
    }
    OpenWindow()->ShowPage(file);
    return true;
}

void ShowHelpContents() {
    if (qApp) OpenWindow()->ShowContents({});
}

std::string HelpContentsHtml(const std::string& helpDir, const std::string& missingPage) {
    const QDir dir(QString::fromStdString(helpDir));
    std::vector<std::pair<QString, QString>> pages; // (title, relative path)
    QDirIterator it(dir.path(), {QStringLiteral("*.htm"), QStringLiteral("*.html")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString relative = dir.relativeFilePath(file);
        if (relative == QLatin1String(kContentsName)) continue;
        QString title = TitleOf(file);
        if (title.isEmpty()) title = QFileInfo(file).completeBaseName();
        pages.emplace_back(title, relative);
    }
    std::sort(pages.begin(), pages.end(), [](const auto& a, const auto& b) {
        const int c = QString::localeAwareCompare(a.first, b.first);
        return c != 0 ? c < 0 : a.second < b.second;
    });
    QString html =
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"de\">\n<head><meta charset=\"utf-8\">"
                       "<title>Inhalt</title></head>\n<body>\n<h1>Orvelin - Inhalt</h1>\n");
    if (!missingPage.empty())
        html += QStringLiteral("<p><b>Die Hilfeseite &quot;%1&quot; ist nicht vorhanden.</b> "
                               "Wählen Sie eine der folgenden Seiten.</p>\n")
                    .arg(QString::fromStdString(missingPage).toHtmlEscaped());
    if (pages.empty()) html += QStringLiteral("<p>Es sind keine Hilfeseiten installiert.</p>\n");
    html += QStringLiteral("<ul>\n");
    for (const auto& [title, relative] : pages)
        html += QStringLiteral("<li><a href=\"%1\">%2</a></li>\n")
                    .arg(relative.toHtmlEscaped(), title.toHtmlEscaped());
    html += QStringLiteral("</ul>\n</body>\n</html>\n");
    return html.toStdString();
}
