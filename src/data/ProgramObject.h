#pragma once
// The system's program object: who the program is and where the system lives.
#include <QString>

namespace vel {

class ErrorReporter;

class ProgramObject {
public:
    virtual ~ProgramObject() = default;

    virtual QString title() const = 0;       // message captions: "Velmor"
    virtual QString helpFile() const = 0;
    virtual QString dataFolder() const = 0;  // with or without a trailing separator
    virtual int systemNumber() const = 0;
    virtual ErrorReporter& errorReporter() = 0;
    virtual void showHelp(int context) = 0;
};

}  // namespace vel
