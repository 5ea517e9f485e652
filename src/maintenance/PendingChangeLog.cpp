#include "maintenance/PendingChangeLog.h"

namespace vel {

quint32 PendingChangeLog::textIndex(const QString& text) {
    // Consecutive lines mostly repeat the last text: it is compared before the look-up.
    if (!texts_.empty() && texts_.back() == text) {
        return quint32(texts_.size() - 1);
    }
    if (const auto found = textIndexes_.constFind(text); found != textIndexes_.cend()) {
        return *found;
    }
    const auto index = quint32(texts_.size());
    textIndexes_.insert(text, index);
    texts_.push_back(text);
    return index;
}

void PendingChangeLog::add(const QString& code, const QString& action, const QString& changes) {
    codes_ += code.toUtf8();
    const quint32 actionIndex = textIndex(action);
    lines_.push_back({quint32(codes_.size()), actionIndex, textIndex(changes)});
}

ChangeLogLine PendingChangeLog::line(size_t index) const {
    const Line& line = lines_[index];
    const quint32 begin = index == 0 ? 0 : lines_[index - 1].codeEnd;
    return {QString::fromUtf8(codes_.constData() + begin, line.codeEnd - begin),
            texts_[line.action], texts_[line.changes]};
}

std::vector<ChangeLogLine> PendingChangeLog::lines() const {
    std::vector<ChangeLogLine> all;
    all.reserve(lines_.size());
    for (size_t index = 0; index < lines_.size(); ++index) {
        all.push_back(line(index));
    }
    return all;
}

void PendingChangeLog::clear() {
    lines_ = {};
    codes_ = {};
    texts_ = {};
    textIndexes_ = {};
}

}  // namespace vel
