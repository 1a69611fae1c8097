#pragma once

#include <QString>

#include <cstdio>
#include <cstdlib>

// A property the harness holds the code to, beyond what the sanitizers see. When it fails, the
// fuzzer must stop and keep the input: the text that was given and what came of it are printed
// first, so that the report says which property failed without a debugger.
namespace FuzzCheck {

inline void Require(bool holds, const char* what, const QString& given, const QString& result) {
    if (holds)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n  given:  \"%s\"\n  result: \"%s\"\n", what,
                 given.toUtf8().constData(), result.toUtf8().constData());
    std::abort();
}

} // namespace FuzzCheck
