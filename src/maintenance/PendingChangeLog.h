#pragma once
// The change-log lines of an import, held until the table is saved. An import may hold one for
// each of 100,000 records, so a line is kept small: its code goes into one buffer with the
// others, and its action and list of changed fields are kept once per distinct text (the lines
// of one file mostly share them).
#include "data/VelmorSystem.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <vector>

namespace vel {

class PendingChangeLog {
  public:
    void add(const QString& code, const QString& action, const QString& changes);
    size_t size() const { return lines_.size(); }
    bool empty() const { return lines_.empty(); }
    // The line as it was added.
    ChangeLogLine line(size_t index) const;
    std::vector<ChangeLogLine> lines() const;
    // Forgets every line and gives back their memory.
    void clear();

  private:
    quint32 textIndex(const QString& text);

    struct Line {
        quint32 codeEnd;  // in codes_, where the code of the next line begins
        quint32 action;   // in texts_
        quint32 changes;  // in texts_
    };
    std::vector<Line> lines_;
    QByteArray codes_;  // UTF-8, one after the other
    std::vector<QString> texts_;
    QHash<QString, quint32> textIndexes_;
};

}  // namespace vel
