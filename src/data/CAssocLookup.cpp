#include "data/CAssocLookup.h"

#include "data/HeldRecords.h"

#include "platform/xbase/TableChecker.h"
#include "services/AddSlash.h"
#include "services/ErrorReport.h"
#include "services/MessageWithSound.h"
#include "ui/MessageBoxCodes.h"

#include <QFile>
#include <algorithm>

namespace vel {

using namespace xbase;

const QString CAssocLookup::Title = QStringLiteral("Punches - Associate Validation File");

namespace {

const QString versionRefusal = QStringLiteral(
    "The CodeBase dll (c4dll.dll) on your system is not of the correct version to work with this "
    "version of Velmor. Please contact Torvane Software for assistance in updating your system.");

QByteArray local(const QString& path) {
    return QFile::encodeName(path);
}

QString tagName(int number) {
    return QStringLiteral("TBPNASSI") + QString::number(number);
}

// Expressions compare in the library's canonical spelling: upper case, no blanks.
QString canonical(const QString& expression) {
    QString text = expression.toUpper();
    text.remove(QLatin1Char(' '));
    return text;
}

}  // namespace

CAssocLookup::CAssocLookup() {
    context_ = code4initVB();
    code4errOff(context_, 1);
    code4largeOn(context_);
    if (error4set(context_, 0) != 0) {
        fits_ = false;
        MessageWithSound(versionRefusal, MB_ICONEXCLAMATION, QStringLiteral("Velmor"));
    }
    code4errOff(context_, 0);
    code4autoOpen(context_, 0);
}

CAssocLookup::~CAssocLookup() {
    CloseTable();
    code4initUndo(context_);
}

void CAssocLookup::setDataFolder(const QString& folder) {
    dataFolder_ = folder.isEmpty() ? folder : AddSlash(folder);
}

QString CAssocLookup::dataPath() const {
    return dataFolder_ + QStringLiteral("TBPNASSC.--") + sysNum_;
}

QString CAssocLookup::indexPath(int number) const {
    return dataFolder_ + tagName(number) + QStringLiteral(".--") + sysNum_;
}

QString CAssocLookup::expectedExpression(int number) {
    return number == 1 ? QStringLiteral("CODE") : QStringLiteral("LNAME+FNAME");
}

int16_t CAssocLookup::reportPending(int16_t result) const {
    const int16_t pending = error4code(context_);
    if (pending < 0) {
        MessageWithSound(error4message(context_), MB_ICONEXCLAMATION, Title);
        error4set(context_, 0);
        return pending;
    }
    return result;
}

int16_t CAssocLookup::CloseTable() {
    if (!data_) {
        return r4success;
    }
    const int16_t written = writeHeld();
    held_.reset();
    for (INDEX4*& index : indexes_) {
        if (index) {
            i4close(index);
            index = nullptr;
        }
    }
    const int16_t result = d4close(data_);
    data_ = nullptr;
    std::fill(std::begin(entryFields_), std::end(entryFields_), nullptr);
    allLocked_ = false;
    freeFrom_ = 1;
    return written < 0 ? written : reportPending(result);
}

int16_t CAssocLookup::createTable() {
    static const FIELD4INFO fields[] = {{"CODE", 'C', CodeWidth, 0, 0},
                                        {"LNAME", 'C', NameWidth, 0, 0},
                                        {"FNAME", 'C', NameWidth, 0, 0},
                                        {nullptr, 0, 0, 0, 0}};
    data_ = d4create(context_, local(dataPath()).constData(), fields, nullptr);
    return data_ ? r4success : reportPending(e4create);
}

int16_t CAssocLookup::openIndexes() {
    for (int number = 1; number <= 2; ++number) {
        const QByteArray path = local(indexPath(number));
        const QByteArray expression = expectedExpression(number).toLatin1();
        INDEX4*& index = indexes_[number - 1];
        if (QFile::exists(indexPath(number))) {
            index = i4open(data_, path.constData());
            TAG4* tag = index ? d4tag(data_, tagName(number).toLatin1().constData()) : nullptr;
            if (tag && canonical(QString::fromLatin1(t4expr(tag))) !=
                           canonical(expectedExpression(number))) {
                i4close(index);  // another key: the index is made again with the expected one
                index = nullptr;
            }
            if (!index && error4code(context_) < 0) {
                return reportPending(e4index);
            }
        }
        if (!index) {
            const TAG4INFO tags[] = {{path.constData(), expression.constData(), nullptr, 0, 0},
                                     {nullptr, nullptr, nullptr, 0, 0}};
            index = i4create(data_, path.constData(), tags);
            if (!index) {
                return reportPending(e4index);
            }
        }
    }
    return SelectIndex(selected_);
}

int16_t CAssocLookup::openShared() {
    code4accessMode(context_, OPEN4DENY_NONE);
    code4errOpen(context_, 0);
    data_ = d4open(context_, local(dataPath()).constData());
    code4errOpen(context_, 1);
    if (!data_) {
        if (error4code(context_) != r4noOpen) {
            return reportPending(e4open);
        }
        error4set(context_, 0);
        const int16_t created = createTable();
        if (created != r4success) {
            return created;
        }
    }
    return openIndexes();
}

// An index that fails its check (a crash while it was written, a copy of another site's) would
// be written into and stay wrong; it is reported through the error report and rebuilt. The check
// runs under a read lock, so that no writer is halfway between a record and its index entries;
// while another workstation holds the file (its own rebuild), the check waits for the next open.
bool CAssocLookup::indexesSound() {
    if (d4lockRead(data_) != r4success) {
        error4set(context_, 0);
        return true;
    }
    const xbase::TableChecker checker;
    bool sound = true;
    for (int number = 1; sound && number <= 2; ++number) {
        const xbase::Status status = checker.checkIndex(dataPath(), indexPath(number));
        sound = status.ok();
        if (!sound) {
            if (ErrorReporter* reporter = errorReporter()) {
                reporter->report(status.message() + QStringLiteral("; the index is rebuilt") +
                                     QStringLiteral(" - CAssocLookup:OpenTable"),
                                 GenericErrorNumber, true);
            }
        }
    }
    d4unlock(data_);
    return sound;
}

int16_t CAssocLookup::OpenTable() {
    if (!usable()) {
        return e4info;
    }
    CloseTable();
    int16_t result = openShared();
    if (result >= 0 && !indexesSound()) {
        const int16_t alone =
            openAlone(QStringLiteral(" exclusively for indexing.  It is in use by other users."));
        if (alone == r4success) {
            reportPending(d4reindex(data_));
        }
        CloseTable();
        result = openShared();  // rebuilt, or as it is while others have it open
    }
    if (result < 0) {
        CloseTable();
        return result;
    }
    // An empty table has no first record: that is no failure.
    const int16_t positioned = reportPending(d4top(data_));
    return positioned < 0 ? positioned : r4success;
}

int16_t CAssocLookup::openAlone(const QString& refusal) {
    CloseTable();
    code4accessMode(context_, OPEN4DENY_RW);
    code4errOpen(context_, 0);
    data_ = d4open(context_, local(dataPath()).constData());
    code4errOpen(context_, 1);
    code4accessMode(context_, OPEN4DENY_NONE);
    if (data_) {
        return openIndexes();
    }
    error4set(context_, 0);
    MessageWithSound(QStringLiteral("Cannot open the ") + Title + refusal, MB_ICONEXCLAMATION,
                     Title);
    return r4locked;
}

int16_t CAssocLookup::ReIndexTable() {
    if (!usable()) {
        return e4info;
    }
    int16_t result =
        openAlone(QStringLiteral(" exclusively for indexing.  It is in use by other users."));
    if (result == r4success) {
        result = reportPending(d4reindex(data_));
    }
    const int16_t reopened = OpenTable();
    return result != r4success ? result : reopened;
}

int16_t CAssocLookup::PackTable() {
    if (!usable()) {
        return e4info;
    }
    int16_t result = openAlone(QStringLiteral(" exclusively.  It could be in use by other users."));
    if (result == r4success) {
        result = reportPending(d4pack(data_));
    }
    const int16_t reopened = OpenTable();
    return result != r4success ? result : reopened;
}

QString CAssocLookup::fieldText(const char* name) const {
    if (!data_ || writeHeld() < 0 || d4eof(data_) || d4bof(data_)) {
        return {};
    }
    FIELD4* field = d4field(data_, name);
    return field ? f4text(field) : QString();
}

QString CAssocLookup::Code() const {
    return fieldText("CODE");
}

QString CAssocLookup::LName() const {
    return fieldText("LNAME");
}

QString CAssocLookup::fName() const {
    return fieldText("FNAME");
}

long CAssocLookup::NumRecords() const {
    return data_ && writeHeld() >= 0 ? d4recCount(data_) : 0;
}

long CAssocLookup::Record() const {
    return data_ && writeHeld() >= 0 ? d4recNo(data_) : 0;
}

int16_t CAssocLookup::setRecord(long number) {
    return SeekRecord(number);
}

int16_t CAssocLookup::SeekRecord(long number) {
    if (!data_) {
        return e4parm;
    }
    const int16_t written = writeHeld();
    return written < 0 ? written : reportPending(d4go(data_, number));
}

int16_t CAssocLookup::NextRecord() {
    if (!data_) {
        return e4parm;
    }
    const int16_t written = writeHeld();
    return written < 0 ? written : reportPending(d4skip(data_, 1));
}

int16_t CAssocLookup::PrevRecord() {
    if (!data_) {
        return e4parm;
    }
    const int16_t written = writeHeld();
    return written < 0 ? written : reportPending(d4skip(data_, -1));
}

bool CAssocLookup::RecordEOF() const {
    return !data_ || writeHeld() < 0 || d4eof(data_) != 0;
}

int16_t CAssocLookup::ClearRecords() {
    if (!data_) {
        return e4parm;
    }
    if (held_) {
        held_->deleteAll();
        freeFrom_ = 1;
        heldPosition_ = 0;
        return held_->count() > 0 ? r4success : r4eof;  // as the top of the table would answer
    }
    const long count = d4recCount(data_);
    for (long number = 1; number <= count; ++number) {
        int16_t result = d4go(data_, number);
        if (result == r4success && !d4deleted(data_)) {
            result = lockForChange(number);
            if (result == r4success) {
                d4delete(data_);
                result = finishChange();
            }
        }
        if (result != r4success) {
            return reportPending(result);
        }
    }
    freeFrom_ = 1;
    return reportPending(d4top(data_));
}

int16_t CAssocLookup::SeekString(const QString& text) {
    if (!data_) {
        return e4parm;
    }
    const int16_t written = writeHeld();
    if (written < 0) {
        return written;
    }
    return reportPending(d4seekText(data_, text.leftJustified(CodeWidth, QLatin1Char(' '), true)));
}

int16_t CAssocLookup::SelectIndex(int number) {
    if (number != 1 && number != 2) {
        return e4parm;
    }
    selected_ = number;
    if (!data_) {
        return r4success;
    }
    TAG4* tag = d4tag(data_, tagName(number).toLatin1().constData());
    if (!tag) {
        return reportPending(r4noTag);
    }
    d4tagSelect(data_, tag);
    return r4success;
}

long CAssocLookup::takeDeletedRecord() {
    const long count = d4recCount(data_);
    for (; freeFrom_ <= count; ++freeFrom_) {
        if (d4go(data_, freeFrom_) == r4success && d4deleted(data_)) {
            return freeFrom_++;
        }
    }
    return 0;
}

// The fields are looked up once per open: a rebuild assigns them for every associate.
void CAssocLookup::assignEntry(const QString& code, const QString& last, const QString& first) {
    if (!entryFields_[0]) {
        entryFields_[0] = d4field(data_, "CODE");
        entryFields_[1] = d4field(data_, "LNAME");
        entryFields_[2] = d4field(data_, "FNAME");
    }
    f4assignText(entryFields_[0], code);
    f4assignText(entryFields_[1], last);
    f4assignText(entryFields_[2], first);
}

int16_t CAssocLookup::AddRec(const QString& code, const QString& last, const QString& first) {
    if (!data_) {
        return e4parm;
    }
    if (held_) {
        return addHeld(code, last, first);
    }
    const int keptOrder = selected_;
    SelectIndex(1);
    int16_t result = d4seekText(data_, code.leftJustified(CodeWidth, QLatin1Char(' '), true));
    long number = result == r4success ? d4recNo(data_) : 0;
    SelectIndex(keptOrder);
    if (result < 0) {
        return reportPending(result);
    }
    if (number == 0) {
        number = takeDeletedRecord();
    }
    if (number == 0) {
        // A new entry is appended with its values: one record write and one index entry,
        // instead of a blank record appended and then changed.
        result = d4appendStart(data_, 0);
        if (result == r4success) {
            result = d4blank(data_);
        }
        if (result == r4success) {
            assignEntry(code, last, first);
            result = d4append(data_);
        }
        return reportPending(result);
    }
    result = d4go(data_, number);
    if (result == r4success) {
        result = lockForChange(number);
    }
    if (result != r4success) {
        return reportPending(result);
    }
    d4recall(data_);
    assignEntry(code, last, first);
    return reportPending(finishChange());
}

int16_t CAssocLookup::lockForChange(long number) {
    return allLocked_ ? r4success : d4lock(data_, number);
}

int16_t CAssocLookup::finishChange() {
    return allLocked_ ? d4flush(data_) : d4unlock(data_);
}

int16_t CAssocLookup::LockAll() {
    if (!data_) {
        return e4parm;
    }
    if (allLocked_) {
        return r4success;
    }
    int16_t result = reportPending(d4lockAll(data_));
    allLocked_ = result == r4success;
    if (allLocked_) {
        result = holdRecords();
        if (result < 0) {
            allLocked_ = false;
            d4unlock(data_);
        }
    }
    return result;
}

int16_t CAssocLookup::UnlockAll() {
    if (!data_) {
        return e4parm;
    }
    const int16_t written = writeHeld();
    held_.reset();
    allLocked_ = false;
    const int16_t unlocked = reportPending(d4unlock(data_));
    return written < 0 ? written : unlocked;
}

int16_t CAssocLookup::holdRecords() {
    std::vector<HeldRecords::Span> fields;
    for (const char* name : {"CODE", "LNAME", "FNAME"}) {
        FIELD4* field = d4field(data_, name);
        if (!field) {
            return reportPending(e4fieldName);
        }
        fields.push_back({int(f4ptr(field) - d4record(data_)), f4len(field)});
    }
    int16_t result = r4success;
    held_ = HeldRecords::load(data_, fields.front(), fields, &result);
    heldPosition_ = d4recNo(data_);
    return reportPending(result);
}

int16_t CAssocLookup::writeHeld() const {
    if (!held_ || !held_->pending()) {
        return r4success;
    }
    int16_t result = held_->write();
    if (result == r4success) {
        result = heldPosition_ > 0 ? d4go(data_, heldPosition_) : d4top(data_);
    }
    return reportPending(result);
}

// The entry is made in the table's buffer, as a new record would be, and placed by the held
// records; the file is written at UnlockAll.
int16_t CAssocLookup::addHeld(const QString& code, const QString& last, const QString& first) {
    int16_t result = d4appendStart(data_, 0);
    if (result == r4success) {
        result = d4blank(data_);
    }
    if (result != r4success) {
        return reportPending(result);
    }
    assignEntry(code, last, first);
    heldPosition_ = held_->place(d4record(data_), &freeFrom_);
    return reportPending(r4success);
}

}  // namespace vel
