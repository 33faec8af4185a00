// The help: every page the program asks for is shipped and can be reached from the contents
// page; the help window shows pages, follows links and goes back and forward.
#include "helpwin.h"
#include "winapi.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

const QString kSource = QStringLiteral(ORVELIN_SOURCE_DIR);
const QString kHelpDir = kSource + QStringLiteral("/resources/help/html");

QString Read(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Every page a help command line in the sources names.
QSet<QString> PagesAskedFor() {
    static const QRegularExpression command(
        QStringLiteral(R"(orvlhilf5\.chm::html/([A-Za-z0-9_-]+\.htm))"));
    QSet<QString> pages;
    for (const char* folder : {"platform", "controls", "companion", "print", "modules", "host"}) {
        QDirIterator it(kSource + u'/' + QLatin1String(folder), {"*.cpp", "*.h"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            auto matches = command.globalMatch(Read(it.next()));
            while (matches.hasNext()) pages.insert(matches.next().captured(1));
        }
    }
    return pages;
}

QSet<QString> Pending() {
    QSet<QString> pending;
    QString text = Read(kSource + QStringLiteral("/tests/platform/help_pending.txt"));
    for (const QString& line : text.split(u'\n')) {
        const QString t = line.trimmed();
        if (!t.isEmpty() && !t.startsWith(u'#')) pending.insert(t);
    }
    return pending;
}

QStringList LinksOf(const QString& html) {
    static const QRegularExpression href(QStringLiteral(R"re(href="([^"#]+)")re"));
    QStringList links;
    auto m = href.globalMatch(html);
    while (m.hasNext()) links << m.next().captured(1);
    return links;
}

// The pages reached from the contents page by following links, as a reader would.
QSet<QString> ReachableFromContents(const QString& dir) {
    QSet<QString> seen;
    QStringList todo = LinksOf(QString::fromStdString(HelpContentsHtml(dir.toStdString())));
    while (!todo.isEmpty()) {
        const QString page = QDir::cleanPath(todo.takeFirst());
        if (page.contains(u':') || seen.contains(page)) continue;
        seen.insert(page);
        const QString folder = QFileInfo(page).path();
        for (const QString& link : LinksOf(Read(dir + u'/' + page)))
            todo << (folder == u'.' ? link : folder + u'/' + link);
    }
    return seen;
}

TEST(Help, EveryPageTheProgramAsksForIsShippedAndReachableFromTheContents) {
    const QSet<QString> asked = PagesAskedFor();
    // The calculator's, the print dialog's and the selection dialogs' pages at least.
    ASSERT_TRUE(asked.contains(QStringLiteral("main9vzm.htm")));
    ASSERT_TRUE(asked.contains(QStringLiteral("main3mpa.htm")));
    ASSERT_GE(asked.size(), 8);
    const QSet<QString> reachable = ReachableFromContents(kHelpDir);
    const QSet<QString> pending = Pending();
    for (const QString& page : asked) {
        const bool shipped = QFileInfo::exists(kHelpDir + u'/' + page);
        if (!shipped && pending.contains(page)) {
            std::printf("help page still being written: %s\n", qPrintable(page));
            continue;
        }
        EXPECT_TRUE(shipped) << "no help page " << page.toStdString();
        EXPECT_TRUE(reachable.contains(page))
            << page.toStdString() << " cannot be reached from the contents";
    }
    // Every link of a shipped page leads to a page that is there.
    for (const QString& page : reachable)
        EXPECT_TRUE(QFileInfo::exists(kHelpDir + u'/' + page))
            << "dead link to " << page.toStdString();
}

TEST(Help, TheContentsListsPagesOfSubfoldersByTitleAndNamesAMissingPage) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkpath(QStringLiteral("stoch"));
    auto write = [&](const QString& name, const QString& title) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("<html><head><title>%1</title></head><body></body></html>")
                    .arg(title)
                    .toUtf8());
    };
    write(QStringLiteral("b.htm"), QStringLiteral("Zahlen & Basen"));
    write(QStringLiteral("stoch/a.htm"), QStringLiteral("Binomialverteilung"));
    const QString html = QString::fromStdString(HelpContentsHtml(dir.path().toStdString()));
    const int first = int(html.indexOf(QStringLiteral("href=\"stoch/a.htm\">Binomialverteilung")));
    const int second = int(html.indexOf(QStringLiteral("href=\"b.htm\">Zahlen &amp; Basen")));
    EXPECT_GE(first, 0) << html.toStdString();
    EXPECT_GT(second, first) << html.toStdString();
    EXPECT_FALSE(html.contains(QStringLiteral("nicht vorhanden")));
    const QString missing =
        QString::fromStdString(HelpContentsHtml(dir.path().toStdString(), "fehlt<1>.htm"));
    EXPECT_TRUE(
        missing.contains(QStringLiteral("&quot;fehlt&lt;1&gt;.htm&quot; ist nicht vorhanden")));
}

TEST(Help, CommandLinesForPagesAndForTheContents) {
    EXPECT_EQ(HelpCommandForPage("main9vzm.htm"),
              "HH.EXE mk:@MSITStore:orvlhilf5.chm::html/main9vzm.htm");
    EXPECT_TRUE(IsHelpContentsCommand(kHelpContentsCommand));
    EXPECT_TRUE(IsHelpContentsCommand("hh.exe mk:@MSITStore:orvlhilf5.chm::html/"));
    EXPECT_FALSE(IsHelpContentsCommand(HelpCommandForPage("main9vzm.htm").c_str()));
    EXPECT_FALSE(IsHelpContentsCommand("PRINTMAN.EXE"));
}

QWidget* HelpWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("orvlHelp") && w->isVisible()) return w;
    return nullptr;
}

TEST(Help, TheWindowShowsAPageFollowsLinksAndGoesBackAndForward) {
    const std::string page = (kHelpDir + QStringLiteral("/main3mpa.htm")).toStdString();
    ASSERT_TRUE(ShowHelpPage(page));
    QWidget* window = HelpWindow();
    ASSERT_TRUE(window);
    auto* browser = window->findChild<QTextBrowser*>();
    auto* back = window->findChild<QAbstractButton*>(QStringLiteral("back"));
    auto* forward = window->findChild<QAbstractButton*>(QStringLiteral("forward"));
    auto* contents = window->findChild<QAbstractButton*>(QStringLiteral("contents"));
    ASSERT_TRUE(browser && back && forward && contents);
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Drucken mit Vorschau"));
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral("Drucken mit Vorschau")));
    EXPECT_FALSE(back->isEnabled());

    browser->setSource(QUrl(QStringLiteral("main3psz.htm")));
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Seitengröße setzen"));
    EXPECT_TRUE(back->isEnabled());
    back->click();
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Drucken mit Vorschau"));
    EXPECT_TRUE(forward->isEnabled());
    forward->click();
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Seitengröße setzen"));

    contents->click();
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Inhalt"));
    EXPECT_TRUE(browser->toHtml().contains(QStringLiteral("Seitengröße setzen")));

    // A page that is not there: the contents, with a line that says so, in the same window.
    EXPECT_FALSE(ShowHelpPage((kHelpDir + QStringLiteral("/gibtsnicht.htm")).toStdString()));
    EXPECT_EQ(HelpWindow(), window);
    EXPECT_TRUE(
        browser->toPlainText().contains(QStringLiteral("\"gibtsnicht.htm\" ist nicht vorhanden")));
    window->close();
}

} // namespace
