// The suite's own help window: the help pages of the resource directory in a browser with
// back, forward and a contents page that lists every page found there. WinExec opens it for the
// help viewer's command lines.
#pragma once

#include <string>

// Shows the page (a file of the help folder, path as on disk) in the help window, opening the
// window or bringing it to the front. A page that does not exist shows the contents with a
// line that says so; false then.
bool ShowHelpPage(const std::string& pageFile);
// Shows the contents page.
void ShowHelpContents();

// The contents page for the help folder `helpDir`: every page (also in subfolders) as a link,
// titled by its <title>, sorted by title. HTML, UTF-8. `missingPage` names a page that was
// asked for and is not there ("" for none).
std::string HelpContentsHtml(const std::string& helpDir, const std::string& missingPage = "");

// The help viewer's command line for a page ("main9vzm.htm") and for the contents.
std::string HelpCommandForPage(const std::string& page);
extern const char kHelpContentsCommand[];
// Whether a command line asks for the contents (the help file without a page).
bool IsHelpContentsCommand(const char* cmdLine);
