#include "reports/frmQuickReport.h"

#include "data/ProgramObject.h"
#include "data/VelmorSystem.h"
#include "data/records/ActivityRecord.h"
#include "data/records/TypeOfWorkRecord.h"
#include "reports/ReportTables.h"
#include "services/ErrorReport.h"
#include "services/MessageWithSound.h"
#include "services/ShowLikeModal.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/ListView.h"

#include <QDir>

#include <algorithm>

namespace vel {

namespace {

const QString noTypeOfWork = QStringLiteral("(No Type of Work)");

}  // namespace

frmQuickReport::frmQuickReport()
    : Form(QStringLiteral("frmQuickReport"), QStringLiteral("Quick Report")) {
    subjectLabel_ = &label(QStringLiteral("lblActivity"), QStringLiteral("&Activity:"));
    subjects_ = &listView(QStringLiteral("lvActivity"));
    reportLabel_ = &label(QStringLiteral("lblReport"), QStringLiteral("Single Activity Reports"));
    templates_ = &listView(QStringLiteral("lstBox")).multiSelect(true);
    AddColumn(*templates_, QStringLiteral("Title"));
    AddColumn(*templates_, QStringLiteral("Number"), true);
    elements_ = &checkBox(QStringLiteral("chkElements"),
                          QStringLiteral("Show all Element's units on report"));
    auto& buttons = line();
    buttons.button(QStringLiteral("Command1"), 0, QStringLiteral("&Export")).clicked([this] {
        run(ReportOutput::Export);
    });
    buttons.button(QStringLiteral("Command1"), 1, QStringLiteral("&View"))
        .makeDefault()
        .clicked([this] { run(ReportOutput::Preview); });
    buttons.button(QStringLiteral("Command1"), 2, QStringLiteral("&Print")).clicked([this] {
        run(ReportOutput::Print);
    });
    buttons.button(QStringLiteral("cmdClose"), QStringLiteral("&Close"))
        .makeCancel()
        .clicked([this] { unload(); });
}

void frmQuickReport::AddColumn(ListView& list, const QString& caption, bool rightAligned) {
    list.column(caption, std::max(10, int(caption.size()) + 2), rightAligned);
}

int frmQuickReport::AddItem(ListView& list, const QString& text, long long tag) {
    QStringList texts{text};
    while (texts.size() < qsizetype(list.columns().size())) {
        texts << QString();
    }
    return list.addItem(texts, tag);
}

void frmQuickReport::SetSubItem(ListView& list, int row, int column, const QString& text) {
    QStringList texts = list.item(row).texts;
    while (texts.size() <= column) {
        texts << QString();
    }
    texts[column] = text;
    list.setItem(row, texts);
}

int frmQuickReport::templateNumber(const QString& fileName) {
    const QString rest = fileName.mid(4).trimmed();
    qsizetype digits = 0;
    while (digits < rest.size() && rest[digits].isDigit()) {
        ++digits;
    }
    return digits == 0 ? 0 : rest.left(digits).toInt();
}

QString frmQuickReport::earnedHoursMethod(int method) {
    switch (method) {
        case 1:
            return QStringLiteral("Individual");
        case 2:
            return QStringLiteral("Team");
        case 3:
        case 4:
        case 5:
            return QStringLiteral("Reflective");
        case 6:
            return QStringLiteral("Past Average");
        default:
            return QStringLiteral("UnMeasured");
    }
}

void frmQuickReport::SetPrefillData(short DateRangeType, short DataLevel, const QDate& StartDate,
                                    const QDate& LastDate, short NumSequences,
                                    const std::vector<short>& SeqType,
                                    const std::vector<short>& SeqNum) {
    prefill_ = ReportRange{DateRangeType, DataLevel, StartDate, LastDate, {}, {}};
    if (NumSequences > 0) {
        prefill_.sequenceTypes.assign(size_t(NumSequences) + 1, 0);
        prefill_.sequenceNumbers.assign(size_t(NumSequences) + 1, 0);
        for (size_t index = 1; index <= size_t(NumSequences); ++index) {
            prefill_.sequenceTypes[index] = index < SeqType.size() ? SeqType[index] : short(0);
            prefill_.sequenceNumbers[index] = index < SeqNum.size() ? SeqNum[index] : short(0);
        }
    }
    prefilled_ = DateRangeType != 0;
}

bool frmQuickReport::PrintReport(quintptr hwndOwner, VelmorSystem& Velmor, Masterfile&,
                                 short RepType, QDate& CurrentDate) {
    system_ = &Velmor;
    owner_ = hwndOwner;
    mode_ = RepType == 1 ? Mode::Activity : Mode::TypeOfWork;
    currentDate_ = CurrentDate.isValid() ? CurrentDate : QDate::currentDate();
    bool shown = false;
    guarded(QStringLiteral(" - frmQuickReport:PrintReport"), shown, [&] {
        module_ = Velmor.reportModule();
        if (!module_) {
            MessageWithSound(QStringLiteral("This system has no report module."),
                             MB_OK | MB_ICONEXCLAMATION, Velmor.Program().title());
            return;
        }
        Velmor.StatusText(QStringLiteral("Loading Report Module"));
        try {
            fillSubjects();
        } catch (const ReportTableError& failure) {
            Velmor.StatusDone();
            MessageWithSound(failure.message(), MB_OK | MB_ICONEXCLAMATION,
                             Velmor.Program().title());
            return;
        }
        fillTemplates();
        Velmor.StatusDone();
        shown = true;
        ShowLikeModal(*this, hwndOwner);
        unload();
    });
    CurrentDate = currentDate_;
    system_ = nullptr;
    module_ = nullptr;
    return shown;
}

void frmQuickReport::fillSubjects() {
    const bool activityMode = mode_ == Mode::Activity;
    subjectLabel_->setCaption(activityMode ? QStringLiteral("&Activity:")
                                           : QStringLiteral("&Type of Work:"));
    reportLabel_->setCaption(activityMode ? QStringLiteral("Single Activity Reports")
                                          : QStringLiteral("Single Type of Work Reports"));
    ReportTables tables;
    tables.use(system_->activities());
    tables.use(system_->typesOfWork());
    Table<ActivityRecord>& activities = system_->activities();
    Table<TypeOfWorkRecord>& types = system_->typesOfWork();
    subjects_->clear();
    subjectNumbers_.clear();
    tracksQuality_.clear();
    activityCounts_.clear();
    const auto addRow = [&](const QStringList& texts, int number, bool quality, int count) {
        const int row = AddItem(*subjects_, texts.value(0), qlonglong(subjectNumbers_.size()));
        for (qsizetype column = 1; column < texts.size(); ++column) {
            SetSubItem(*subjects_, row, int(column), texts[column]);
        }
        subjectNumbers_.push_back(number);
        tracksQuality_.push_back(quality);
        activityCounts_.push_back(count);
    };
    if (activityMode) {
        for (const char* caption : {"Code", "Description", "Type of Work", "Earned Hours"}) {
            AddColumn(*subjects_, QLatin1String(caption));
        }
        AddColumn(*subjects_, QStringLiteral("Number"), true);
        for (int number = 1; number <= activities.recordCount(); ++number) {
            if (!activities.isActive(number)) {
                continue;
            }
            const ActivityRecord activity = activities.record(number);
            const bool hasType = activity.TOW > 0 && types.isActive(activity.TOW);
            const TypeOfWorkRecord type = hasType ? types.record(activity.TOW) : TypeOfWorkRecord();
            addRow({activity.Code.trimmed(), activity.Desc.trimmed(),
                    hasType ? type.Desc.trimmed() : QStringLiteral("(none)"),
                    earnedHoursMethod(activity.EarnedHrsCalc), QString::number(number)},
                   number, hasType && type.TrackQuality, 1);
        }
    } else {
        for (const char* caption : {"Code", "Description"}) {
            AddColumn(*subjects_, QLatin1String(caption));
        }
        AddColumn(*subjects_, QStringLiteral("Number"), true);
        AddColumn(*subjects_, QStringLiteral("Tracking Quality"));
        std::vector<int> counts(size_t(types.recordCount()) + 1, 0);
        for (int number = 1; number <= activities.recordCount(); ++number) {
            if (activities.isActive(number)) {
                const int type = activities.record(number).TOW;
                counts[type > 0 && size_t(type) < counts.size() ? size_t(type) : 0] += 1;
            }
        }
        addRow({noTypeOfWork, QString(), QStringLiteral("0"), QStringLiteral("No")}, 0, false,
               counts[0]);
        for (int number = 1; number <= types.recordCount(); ++number) {
            if (!types.isActive(number)) {
                continue;
            }
            const TypeOfWorkRecord type = types.record(number);
            addRow({type.Code.trimmed(), type.Desc.trimmed(), QString::number(number),
                    type.TrackQuality ? QStringLiteral("Yes") : QStringLiteral("No")},
                   number, type.TrackQuality, counts[size_t(number)]);
        }
    }
    if (subjects_->count() > 0) {
        subjects_->select(0);
    }
}

void frmQuickReport::fillTemplates() {
    const QString letter = mode_ == Mode::Activity ? QStringLiteral("A") : QStringLiteral("T");
    const QDir folder(module_->reportFolder());
    const QString mask =
        QStringLiteral("TB") + letter + module_->reportSetCode() + QStringLiteral("*.TPL");
    const bool costTracking = system_->features().costTracking;
    templateFiles_.clear();
    for (const QString& name : folder.entryList({mask}, QDir::Files, QDir::Name)) {
        const QString path = folder.filePath(name);
        const QString title = module_->templateTitle(path);
        if (title.isEmpty() ||
            (!costTracking && title.toUpper().contains(QStringLiteral("COST")))) {
            continue;
        }
        templateFiles_.push_back({path, title, templateNumber(name)});
    }
    std::stable_sort(templateFiles_.begin(), templateFiles_.end(),
                     [](const Template& a, const Template& b) { return a.number < b.number; });
    templates_->clear();
    for (size_t index = 0; index < templateFiles_.size(); ++index) {
        const int row = AddItem(*templates_, templateFiles_[index].title, qlonglong(index));
        SetSubItem(*templates_, row, 1, QString::number(templateFiles_[index].number));
    }
}

void frmQuickReport::run(ReportOutput output) {
    const QString title = system_->Program().title();
    const std::vector<int> chosen = templates_->selectedLines();
    if (chosen.empty()) {
        MessageWithSound(QStringLiteral("No Report Selected."), MB_OK | MB_ICONINFORMATION, title);
        return;
    }
    const int row = subjects_->selectedLine();
    if (row < 0) {
        MessageWithSound(mode_ == Mode::Activity ? QStringLiteral("No Activity Selected.")
                                                 : QStringLiteral("No Type of Work Selected."),
                         MB_OK | MB_ICONINFORMATION, title);
        return;
    }
    const size_t subjectIndex = size_t(subjects_->item(row).data);
    ReportSubject subject;
    subject.kind =
        mode_ == Mode::Activity ? ReportSubject::Kind::Activity : ReportSubject::Kind::TypeOfWork;
    subject.number = subjectNumbers_[subjectIndex];
    if (subject.kind == ReportSubject::Kind::TypeOfWork && activityCounts_[subjectIndex] == 0) {
        MessageWithSound(QStringLiteral("There are no Activities assigned to this Type of Work."),
                         MB_OK | MB_ICONEXCLAMATION, title);
        return;
    }
    const QString subjectName =
        subject.kind == ReportSubject::Kind::TypeOfWork && subject.number == 0
            ? QStringLiteral("No Type of Work")
            : subjects_->item(row).texts.value(1).trimmed();
    guarded(QStringLiteral(" - frmQuickReport:Command1_Click"), [&] {
        for (int line : chosen) {
            const Template& report = templateFiles_[size_t(templates_->item(line).data)];
            if (report.title.startsWith(QStringLiteral("Quality")) &&
                !tracksQuality_[subjectIndex]) {
                MessageWithSound(
                    QStringLiteral("Quality has not been activated for this Type of Work"),
                    MB_OK | MB_ICONEXCLAMATION, title);
                continue;
            }
            if (!runTemplate(report, subject, subjectName, output)) {
                break;
            }
        }
    });
    system_->StatusDone();
}

bool frmQuickReport::runTemplate(const Template& report, const ReportSubject& subject,
                                 const QString& subjectName, ReportOutput output) {
    system_->StatusText(QStringLiteral("Building Report..."));
    bool done = module_->selectReport(report.path);
    if (done) {
        module_->setTitle(module_->title() + QStringLiteral(" - ") + subjectName);
        done = module_->build(subject, currentDate_, elements_->checked());
    }
    if (done && prefilled_) {
        module_->setRange(prefill_);
    }
    done = done && module_->output(output, owner_);
    if (!done) {
        MessageWithSound(module_->lastError(), MB_OK | MB_ICONEXCLAMATION,
                         system_->Program().title());
        return false;
    }
    currentDate_ = module_->range().lastDate;
    return true;
}

}  // namespace vel
