#pragma once
// A run-time error as the component reports it: a number and a description. Procedures throw it
// (or any std::exception) inside; the procedure boundary catches it and hands it to the error
// report with the procedure's suffix. The one error that reaches the host is "Bad Setting Type".
#include <QString>
#include <stdexcept>

namespace vel {

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), number_(number), description_(description) {}

    int number() const { return number_; }
    const QString& description() const { return description_; }

    // Run-time error 5, "Invalid procedure call or argument": bad argument values and unreadable
    // registry values.
    static RuntimeError invalidCall(const QString& description) { return {5, description}; }

private:
    int number_;
    QString description_;
};

}  // namespace vel
