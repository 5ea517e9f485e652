#pragma once
// The help set: one HTML page per window and per job, in a help folder beside the program
// (share/velmor/help next to bin/, both installed and in the build folder). Every window has a
// help context number, from the table below by its form name unless the window sets its own;
// the number names the page that F1 and the window's "&Help" button open.
#include <QString>
#include <vector>

namespace vel {

class Form;

struct HelpTopic {
    int context;
    QString formName;  // the window whose F1 opens the page; empty for a job without a window
    QString page;      // file name in the help folder
    QString title;
};

// Every topic of the help set, in the order of its contents page.
const std::vector<HelpTopic>& helpTopics();
// The context number of a window by its form name; 0 when it has no page of its own.
int helpContextForForm(const QString& formName);
// The page of a context number; the contents page "index.html" for 0 or an unknown number.
QString helpPageForContext(int context);
// The context number of a page; 0 (the contents) for a page that is no topic.
int helpContextForPage(const QString& page);

// The help folder: $VELMOR_HELP_DIR when set, else share/velmor/help beside the program's
// folder, else /usr/share/velmor/help. Empty when none holds the contents page.
QString helpFolder();
// The contents page of the help folder (what the program object names as its help file); empty
// when there is no help folder.
QString helpContentsFile();
// The file a help context opens within the help set that the help file belongs to: the page
// beside it for an HTML help file, the help file itself for any other kind.
QString helpFileForContext(const QString& helpFile, int context);

// The help file that windows open with F1: the one the running operation took from the program
// object, or the contents page of the help folder when none was set.
QString helpFileInUse();
void setHelpFileInUse(const QString& helpFile);
// Sets the help file in use for the length of one operation and puts the one before back
// afterwards, so nothing of one operation's system stays for the next.
class ScopedHelpFile {
  public:
    explicit ScopedHelpFile(const QString& helpFile);
    ~ScopedHelpFile();
    ScopedHelpFile(const ScopedHelpFile&) = delete;
    ScopedHelpFile& operator=(const ScopedHelpFile&) = delete;

  private:
    QString previous_;
};
// A topic of the help file in use through the current Ui.
void showHelpTopic(int context);
// F1 in a window: its page through the current Ui.
void showWindowHelp(const Form& form);

}  // namespace vel
