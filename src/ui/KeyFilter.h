#pragma once
// Key filters see the Windows-1252 character code of each key typed into a text box, and return
// the code to insert: the same, another (upper-casing), or 0 to swallow the key.
#include <QChar>
#include <QString>
#include <functional>

namespace vel {

// Windows-1252 code of a character (0 when the code page has no such character), and back.
int toWindows1252(QChar character);
QChar fromWindows1252(int code);

enum KeyCode {
    KeyCtrlA = 1, KeyCtrlC = 3, KeyBackspace = 8, KeyTab = 9, KeyEnter = 13,
    KeyCtrlV = 22, KeyCtrlX = 24, KeyEscape = 27
};

class KeyFilter {
public:
    using Function = std::function<int(int code)>;

    KeyFilter() = default;
    KeyFilter(Function function) : function_(std::move(function)) {}

    int operator()(int code) const { return function_ ? function_(code) : code; }
    explicit operator bool() const { return bool(function_); }

    // Accepts only characters inside the given ranges, written as pairs of first and last
    // character ("AZ09" is A to Z and 0 to 9); upper-cases first when asked (codes 97-124,
    // 224-246 and 248-254 lose 32). Control keys 1, 3, 8, 22 and 24 always pass; Enter is
    // swallowed.
    static KeyFilter ranges(const QString& pairs, bool upperCase);

    // The two character tables of the master tables: codes (upper-cased) and names.
    static KeyFilter code();
    static KeyFilter name();
    // Digits only (with the control keys), for counts and numbers typed as text.
    static KeyFilter digits();

private:
    Function function_;
};

}  // namespace vel
