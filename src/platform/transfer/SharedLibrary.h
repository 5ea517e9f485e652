#pragma once
// Outside libraries loaded when first used instead of with the program. Each library and the
// libraries under it would otherwise be loaded and bound at every start of the program, a
// sizeable share of the start-up of a short unattended call that never uses them (an export to
// CSV needs neither the zip nor the spreadsheet library).
//
// A library's functions are a struct of function pointers with
//     static constexpr const char* fileName;   // "libzip.so.4"
//     static QString what();                   // "the zip library", for messages
//     static QString resolve(SharedLibrary&, Functions&);  // the problem of starting it, or empty
// and loadLibrary<Functions>() gives them, loaded once for the program's life.
#include <QString>

namespace vel {

class SharedLibrary {
  public:
    SharedLibrary(const char* fileName, const QString& what);
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // Sets function to the library's function of that name; a missing one is the problem.
    template <class Function>
    void resolve(const char* name, Function& function) {
        function = reinterpret_cast<Function>(symbol(name));
    }
    // Why the library or one of its functions could not be loaded; empty when all were.
    const QString& problem() const { return problem_; }

  private:
    void* symbol(const char* name);

    void* handle_ = nullptr;
    QString what_;
    QString problem_;
};

// The library's functions, loaded at the first call (also with calls on several threads) and
// kept; null when the library cannot be loaded or started, with the reason in problem.
template <class Functions>
const Functions* loadLibrary(QString* problem = nullptr) {
    struct Loaded {
        Functions functions{};
        QString problem;
    };
    static const Loaded loaded = [] {
        Loaded result;
        SharedLibrary library(Functions::fileName, Functions::what());
        const QString starting = Functions::resolve(library, result.functions);
        result.problem = library.problem().isEmpty() ? starting : library.problem();
        return result;
    }();
    if (!loaded.problem.isEmpty() && problem) {
        *problem = loaded.problem;
    }
    return loaded.problem.isEmpty() ? &loaded.functions : nullptr;
}

}  // namespace vel
