#pragma once
// The command class's operations by name, for the command line and scripts: each with its slot,
// its arguments as the host names them, and a call that takes the arguments as NAME=VALUE text.
// The window handle, the system object and the Masterfile are the caller's; every other
// argument is named ("SettingType=13", "ImportFile=assoc.csv", "Silent=True").
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace vel {

class CVelUI;
class VelmorSystem;

enum class ArgumentKind { Integer, Boolean, Date, Text, IntegerList, TableName };

struct OperationArgument {
    QString name;
    ArgumentKind kind = ArgumentKind::Text;
    bool required = false;
};

// What a call gave back: the result as text ("True", "False" or the operation's text), or, when
// an error reached the caller, its number and text; or why the call could not be made.
struct CallOutcome {
    QString result;
    int errorNumber = 0;
    QString errorText;
    QString refusal;  // unknown operation, unknown argument, a value that is not of its kind
    bool called() const { return refusal.isEmpty(); }
};

struct OperationInfo {
    int slot = 0;
    QString name;
    std::vector<OperationArgument> arguments;
    QString summary;
};

class OperationCatalog {
public:
    static const std::vector<OperationInfo>& operations();
    static const OperationInfo* find(const QString& name);  // any letter case
    // Whether a call of the operation never paints a page (no print-out, listing or chart):
    // exports, imports, backups, transfers and the command-line flag. A run of only such a
    // call can do without the graphical application. Unknown names answer false.
    static bool paintsNothing(const QString& name);
    // "EditSettings SettingType=<whole number>" lines for --help.
    static QStringList usageLines();
    static CallOutcome call(CVelUI& component, VelmorSystem& system, quintptr owner,
                            const QString& name, const QHash<QString, QString>& arguments);
};

}  // namespace vel
