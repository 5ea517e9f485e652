#include "component/OperationCatalog.h"

#include "component/CVelUI.h"
#include "data/VelmorSystem.h"
#include "services/RuntimeError.h"

#include <algorithm>
#include <optional>

namespace vel {

namespace {

using enum ArgumentKind;

std::optional<bool> parseBoolean(const QString& text) {
    const QString value = text.trimmed().toLower();
    if (value == u"true" || value == u"yes" || value == u"-1" || value == u"1") {
        return true;
    }
    if (value == u"false" || value == u"no" || value == u"0") {
        return false;
    }
    return std::nullopt;
}

QDate parseDate(const QString& text) {
    for (const QString& format : {QStringLiteral("yyyy/MM/dd"), QStringLiteral("yyyy-MM-dd")}) {
        const QDate date = QDate::fromString(text.trimmed(), format);
        if (date.isValid()) {
            return date;
        }
    }
    return {};
}

TableObject* tableNamed(VelmorSystem& system, const QString& name) {
    const QString key = name.trimmed().toLower();
    if (key == u"activities") return &system.activities();
    if (key == u"allocations") return &system.allocations();
    if (key == u"associates") return &system.associates();
    if (key == u"workcenters") return &system.workCenters();
    if (key == u"elements") return &system.elements();
    if (key == u"typesofwork") return &system.typesOfWork();
    if (key == u"mistakes") return &system.mistakes();
    if (key == u"standards") return &system.standards();
    return nullptr;
}

// The named arguments of one call, checked against the operation's list before it runs.
class Arguments {
public:
    explicit Arguments(const QHash<QString, QString>& values) {
        for (auto it = values.begin(); it != values.end(); ++it) {
            values_.insert(it.key().toLower(), it.value());
        }
    }

    QString check(const OperationInfo& operation) const {
        for (auto it = values_.begin(); it != values_.end(); ++it) {
            const OperationArgument* argument = find(operation, it.key());
            if (!argument) {
                return QStringLiteral("%1 takes no argument %2").arg(operation.name, it.key());
            }
            if (!valid(argument->kind, it.value())) {
                return QStringLiteral("%1: \"%2\" is not a valid %3")
                    .arg(operation.name, it.value(), kindName(argument->kind));
            }
        }
        for (const OperationArgument& argument : operation.arguments) {
            if (argument.required && !values_.contains(argument.name.toLower())) {
                return QStringLiteral("%1 needs %2=...").arg(operation.name, argument.name);
            }
        }
        return {};
    }

    short integer(const char* name, short fallback = 0) const {
        const QString value = text(name);
        return value.isEmpty() ? fallback : short(value.toInt());
    }
    bool boolean(const char* name, bool fallback = false) const {
        return parseBoolean(text(name)).value_or(fallback);
    }
    QDate date(const char* name) const { return parseDate(text(name)); }
    QString text(const char* name) const { return values_.value(QString::fromLatin1(name).toLower()); }
    // "1,2,3" as an array indexed from 1 (element 0 unused), as the host passes arrays.
    std::vector<short> list(const char* name) const {
        std::vector<short> values{0};
        for (const QString& part : text(name).split(u',', Qt::SkipEmptyParts)) {
            values.push_back(short(part.trimmed().toInt()));
        }
        return values;
    }

private:
    static const OperationArgument* find(const OperationInfo& operation, const QString& name) {
        for (const OperationArgument& argument : operation.arguments) {
            if (argument.name.compare(name, Qt::CaseInsensitive) == 0) {
                return &argument;
            }
        }
        return nullptr;
    }
    static bool valid(ArgumentKind kind, const QString& value) {
        bool ok = true;
        switch (kind) {
        case Integer: value.trimmed().toShort(&ok); return ok;
        case Boolean: return parseBoolean(value).has_value();
        case Date: return value.trimmed().isEmpty() || parseDate(value).isValid();
        case IntegerList:
            for (const QString& part : value.split(u',', Qt::SkipEmptyParts)) {
                part.trimmed().toShort(&ok);
                if (!ok) return false;
            }
            return true;
        case Text:
        case TableName: return true;
        }
        return true;
    }
    static QString kindName(ArgumentKind kind) {
        switch (kind) {
        case Integer: return QStringLiteral("whole number");
        case Boolean: return QStringLiteral("True or False");
        case Date: return QStringLiteral("date (YYYY/MM/DD)");
        case IntegerList: return QStringLiteral("list of whole numbers (1,2,3)");
        case TableName: return QStringLiteral("table name");
        case Text: break;
        }
        return QStringLiteral("text");
    }

    QHash<QString, QString> values_;
};

using Invoke = std::function<QString(CVelUI&, VelmorSystem&, quintptr, const Arguments&)>;

struct Entry {
    OperationInfo info;
    Invoke invoke;
};

QString text(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

const OperationArgument backupType{QStringLiteral("BackupType"), Integer};
const OperationArgument day{QStringLiteral("Day"), Date};
const OperationArgument rowsToSkip{QStringLiteral("RowstoSkip"), Integer};
const OperationArgument fieldsToSkip{QStringLiteral("FieldstoSkip"), Integer};
const OperationArgument importFile{QStringLiteral("ImportFile"), Text, true};

// Operations with only the window handle and the system object.
Entry plain(int slot, const char* name, const char* summary, bool (CVelUI::*operation)(quintptr, VelmorSystem&)) {
    return {{slot, QString::fromLatin1(name), {}, QString::fromLatin1(summary)},
            [operation](CVelUI& ui, VelmorSystem& system, quintptr owner, const Arguments&) {
                return text((ui.*operation)(owner, system));
            }};
}

const std::vector<Entry>& entries() {
    static const std::vector<Entry> list = [] {
        std::vector<Entry> e;
        e.push_back({{1, QStringLiteral("CommandLineFlag"), {{QStringLiteral("Value"), Integer}},
                      QStringLiteral("reads, or with Value= stores, how the program was started")},
                     [](CVelUI& ui, VelmorSystem&, quintptr, const Arguments& a) {
                         if (!a.text("Value").isEmpty()) {
                             ui.setCommandLineFlag(a.integer("Value"));
                         }
                         return QString::number(ui.CommandLineFlag());
                     }});
        e.push_back(plain(2, "CreateNewSystem", "new-system wizard", &CVelUI::CreateNewSystem));
        e.push_back(plain(3, "CloneSystem", "copies the system into its Clone folder", &CVelUI::CloneSystem));
        e.push_back({{4, QStringLiteral("EditTitle"), {}, QStringLiteral("title editor")},
                     [](CVelUI& ui, VelmorSystem& system, quintptr owner, const Arguments&) {
                         ui.EditTitle(owner, system);
                         return QString();
                     }});
        e.push_back(plain(5, "WeekEndProcess", "week-end processing", &CVelUI::WeekEndProcess));
        e.push_back(plain(6, "EditActivity", "activity editor", &CVelUI::EditActivity));
        e.push_back(plain(7, "EditAssociate", "associate editor", &CVelUI::EditAssociate));
        e.push_back(plain(8, "EditWorkCenter", "work-center editor", &CVelUI::EditWorkCenter));
        e.push_back(plain(9, "EditAllocation", "allocation editor", &CVelUI::EditAllocation));
        e.push_back(plain(10, "EditElement", "element editor", &CVelUI::EditElement));
        e.push_back({{11, QStringLiteral("EditSettings"), {{QStringLiteral("SettingType"), Integer, true}},
                      QStringLiteral("settings editor for one setting (0 to 12)")},
                     [](CVelUI& ui, VelmorSystem& system, quintptr owner, const Arguments& a) {
                         return text(ui.EditSettings(owner, system, a.integer("SettingType")));
                     }});
        e.push_back(plain(12, "EditTypeofWork", "type-of-work editor", &CVelUI::EditTypeofWork));
        e.push_back(plain(13, "EditMistakes", "mistake editor", &CVelUI::EditMistakes));
        e.push_back(plain(14, "PrintAssocHist", "associate history report", &CVelUI::PrintAssocHist));
        e.push_back(plain(15, "PrintAssocQual", "associate qualification report", &CVelUI::PrintAssocQual));
        e.push_back(plain(16, "PrintAssocAccountability", "associate accountability report",
                          &CVelUI::PrintAssocAccountability));
        e.push_back({{17, QStringLiteral("PrintQuickReport"),
                      {{QStringLiteral("RepType"), Integer}, {QStringLiteral("CurrentDate"), Date}},
                      QStringLiteral("quick report")},
                     [](CVelUI& ui, VelmorSystem& system, quintptr owner, const Arguments& a) {
                         QDate current = a.date("CurrentDate");
                         if (!current.isValid()) {
                             current = QDate::currentDate();
                         }
                         return text(ui.PrintQuickReport(owner, system, system.masterfile(),
                                                         a.integer("RepType"), current));
                     }});
        e.push_back({{18, QStringLiteral("SetPrefillData"),
                      {{QStringLiteral("DateRangeType"), Integer}, {QStringLiteral("DataLevel"), Integer},
                       {QStringLiteral("StartDate"), Date}, {QStringLiteral("LastDate"), Date},
                       {QStringLiteral("NumSequences"), Integer}, {QStringLiteral("SeqType"), IntegerList},
                       {QStringLiteral("SeqNum"), IntegerList}},
                      QStringLiteral("stores the quick report's prefill")},
                     [](CVelUI& ui, VelmorSystem&, quintptr, const Arguments& a) {
                         return text(ui.SetPrefillData(a.integer("DateRangeType"), a.integer("DataLevel"),
                                                       a.date("StartDate"), a.date("LastDate"),
                                                       a.integer("NumSequences"), a.list("SeqType"),
                                                       a.list("SeqNum")));
                     }});
        e.push_back(plain(19, "PrintDayInfo", "list of day information", &CVelUI::PrintDayInfo));
        e.push_back({{20, QStringLiteral("ZipandHTTP"), {backupType, day}, QStringLiteral("backup sent by HTTP")},
                     [](CVelUI& ui, VelmorSystem& system, quintptr owner, const Arguments& a) {
                         return text(ui.ZipandHTTP(owner, system, a.integer("BackupType"), a.date("Day")));
                     }});
        e.push_back({{21, QStringLiteral("ZipandFTP"), {backupType, day}, QStringLiteral("backup sent by FTP")},
                     [](CVelUI& ui, VelmorSystem& system, quintptr owner, const Arguments& a) {
                         return text(ui.ZipandFTP(owner, system, a.integer("BackupType"), a.date("Day")));
                     }});
        e.push_back(plain(22, "DownloadUpdate", "download of a program update", &CVelUI::DownloadUpdate));
        e.push_back({{23, QStringLiteral("DownloadComponent"), {{QStringLiteral("FTPFileName"), Text, true}},
                      QStringLiteral("download of one component")},
                     [](CVelUI& ui, VelmorSystem& system, quintptr owner, const Arguments& a) {
                         return ui.DownloadComponent(owner, system, a.text("FTPFileName"));
                     }});
        e.push_back({{24, QStringLiteral("Backup"), {backupType, day, {QStringLiteral("Filename"), Text}},
                      QStringLiteral("backup to a zip file")},
                     [](CVelUI& ui, VelmorSystem& system, quintptr owner, const Arguments& a) {
                         return text(ui.Backup(owner, system, a.integer("BackupType"), a.date("Day"),
                                               a.text("Filename")));
                     }});
        e.push_back(plain(25, "CreateCorporateControl", "corporate control files",
                          &CVelUI::CreateCorporateControl));
        e.push_back({{26, QStringLiteral("CreateCorporateControlEX"), {{QStringLiteral("Silent"), Boolean}},
                      QStringLiteral("corporate control files, silently when asked")},
                     [](CVelUI& ui, VelmorSystem& system, quintptr owner, const Arguments& a) {
                         return text(ui.CreateCorporateControlEX(owner, system, a.boolean("Silent")));
                     }});
        e.push_back({{27, QStringLiteral("ImportAssociates"), {importFile}, QStringLiteral("associate import")},
                     [](CVelUI& ui, VelmorSystem& system, quintptr owner, const Arguments& a) {
                         return text(ui.ImportAssociates(owner, system, a.text("ImportFile")));
                     }});
        e.push_back({{28, QStringLiteral("ImportAssociatesEX"), {importFile, rowsToSkip, fieldsToSkip},
                      QStringLiteral("associate import skipping rows and fields")},
                     [](CVelUI& ui, VelmorSystem& system, quintptr owner, const Arguments& a) {
                         return text(ui.ImportAssociatesEX(owner, system, a.text("ImportFile"),
                                                           a.integer("RowstoSkip"), a.integer("FieldstoSkip")));
                     }});
        e.push_back({{29, QStringLiteral("ImportAllocations"),
                      {importFile, rowsToSkip, fieldsToSkip, {QStringLiteral("AddtoActivities"), Boolean},
                       {QStringLiteral("SystemID"), Integer}, {QStringLiteral("DeleteNonImported"), Boolean}},
                      QStringLiteral("allocation import")},
                     [](CVelUI& ui, VelmorSystem& system, quintptr owner, const Arguments& a) {
                         return text(ui.ImportAllocations(owner, system, a.text("ImportFile"),
                                                          a.integer("RowstoSkip"), a.integer("FieldstoSkip"),
                                                          a.boolean("AddtoActivities"), a.integer("SystemID"),
                                                          a.boolean("DeleteNonImported")));
                     }});
        e.push_back({{30, QStringLiteral("ExportTables"),
                      {{QStringLiteral("OutputType"), Text}, {QStringLiteral("OutputFolder"), Text}},
                      QStringLiteral("table export")},
                     [](CVelUI& ui, VelmorSystem& system, quintptr owner, const Arguments& a) {
                         return text(ui.ExportTables(owner, system, a.text("OutputType"), a.text("OutputFolder")));
                     }});
        e.push_back({{31, QStringLiteral("AutoExportTable"), {{QStringLiteral("Obj"), TableName, true}},
                      QStringLiteral("automatic export of one table (Obj=Activities, Associates, ...)")},
                     [](CVelUI& ui, VelmorSystem& system, quintptr owner, const Arguments& a) -> QString {
                         TableObject* table = tableNamed(system, a.text("Obj"));
                         if (!table) {
                             throw RuntimeError::invalidCall(QStringLiteral("Unknown table ") + a.text("Obj"));
                         }
                         return text(ui.AutoExportTable(owner, system, *table));
                     }});
        e.push_back(plain(32, "ReindexStandards", "reindex of the standards", &CVelUI::ReindexStandards));
        e.push_back(plain(33, "ReBuildStandards", "rebuild of the standards", &CVelUI::ReBuildStandards));
        e.push_back({{34, QStringLiteral("ExportActivityDetail"), {{QStringLiteral("CurrentDate"), Date}},
                      QStringLiteral("activity-detail export")},
                     [](CVelUI& ui, VelmorSystem& system, quintptr owner, const Arguments& a) {
                         return text(ui.ExportActivityDetail(owner, system, system.masterfile(), a.date("CurrentDate")));
                     }});
        e.push_back({{35, QStringLiteral("WriteActivityDetailData"),
                      {{QStringLiteral("ExpFileName"), Text, true}, {QStringLiteral("TransExt"), Text},
                       {QStringLiteral("StartDate"), Date, true}, {QStringLiteral("EndDate"), Date, true}},
                      QStringLiteral("activity-detail file without dialogs")},
                     [](CVelUI& ui, VelmorSystem& system, quintptr owner, const Arguments& a) {
                         return text(ui.WriteActivityDetailData(owner, system, system.masterfile(),
                                                                a.text("ExpFileName"), a.text("TransExt"),
                                                                a.date("StartDate"), a.date("EndDate")));
                     }});
        e.push_back(plain(36, "CheckCorpAssocImport", "import of a newer corporate associate file",
                          &CVelUI::CheckCorpAssocImport));
        e.push_back({{37, QStringLiteral("ImportAssociatesEX1"),
                      {importFile, rowsToSkip, fieldsToSkip, {QStringLiteral("DeleteNonImported"), Boolean}},
                      QStringLiteral("associate import, deleting associates not in the file when asked")},
                     [](CVelUI& ui, VelmorSystem& system, quintptr owner, const Arguments& a) {
                         return text(ui.ImportAssociatesEX1(owner, system, a.text("ImportFile"),
                                                            a.integer("RowstoSkip"), a.integer("FieldstoSkip"),
                                                            a.boolean("DeleteNonImported")));
                     }});
        return e;
    }();
    return list;
}

}  // namespace

const std::vector<OperationInfo>& OperationCatalog::operations() {
    static const std::vector<OperationInfo> infos = [] {
        std::vector<OperationInfo> list;
        for (const Entry& entry : entries()) {
            list.push_back(entry.info);
        }
        return list;
    }();
    return infos;
}

const OperationInfo* OperationCatalog::find(const QString& name) {
    for (const OperationInfo& info : operations()) {
        if (info.name.compare(name, Qt::CaseInsensitive) == 0) {
            return &info;
        }
    }
    return nullptr;
}

bool OperationCatalog::paintsNothing(const QString& name) {
    static const char* const withoutPages[] = {
        "CommandLineFlag",    "ZipandHTTP",        "ZipandFTP",
        "DownloadComponent",  "Backup",            "ImportAssociates",
        "ImportAssociatesEX", "ImportAssociatesEX1", "ImportAllocations",
        "CheckCorpAssocImport", "ExportTables",    "AutoExportTable",
        "WriteActivityDetailData"};
    const OperationInfo* info = find(name);
    return info != nullptr &&
           std::any_of(std::begin(withoutPages), std::end(withoutPages),
                       [&](const char* operation) { return info->name == QLatin1String(operation); });
}

QStringList OperationCatalog::usageLines() {
    QStringList lines;
    for (const OperationInfo& info : operations()) {
        QString line = QStringLiteral("%1 %2").arg(info.slot, 2).arg(info.name);
        for (const OperationArgument& argument : info.arguments) {
            line += argument.required ? QStringLiteral(" %1=...").arg(argument.name)
                                      : QStringLiteral(" [%1=...]").arg(argument.name);
        }
        lines << line + QStringLiteral("  -- ") + info.summary;
    }
    return lines;
}

CallOutcome OperationCatalog::call(CVelUI& component, VelmorSystem& system, quintptr owner,
                                   const QString& name, const QHash<QString, QString>& arguments) {
    CallOutcome outcome;
    const OperationInfo* info = find(name);
    if (!info) {
        outcome.refusal = QStringLiteral("There is no operation %1").arg(name);
        return outcome;
    }
    const Arguments typed(arguments);
    outcome.refusal = typed.check(*info);
    if (!outcome.called()) {
        return outcome;
    }
    try {
        outcome.result = entries()[size_t(info->slot - 1)].invoke(component, system, owner, typed);
    } catch (const RuntimeError& error) {
        outcome.errorNumber = error.number();
        outcome.errorText = error.description();
    }
    return outcome;
}

}  // namespace vel
