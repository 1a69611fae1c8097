#pragma once

#include "platform/PlenovaError.h"

// A captured-data file that cannot be saved or loaded, with a sentence for the user. The window
// shows it in a box with an OK button only; WrongFormat is the file of another format, which the
// user may simply have picked by mistake.
class CaptureFileError : public PlenovaError {
public:
    enum class Cause {
        CannotOpen,  // the file cannot be opened or read
        WrongFormat, // the file holds the values of another format
        Damaged,     // cut short, a length that lies, a value for no field of the format
        CannotSave,  // the file cannot be created, written or put in place
    };

    CaptureFileError(Cause cause, const QString& message) : PlenovaError(message), m_cause(cause) {}

    Cause GetCause() const { return m_cause; }

private:
    Cause m_cause;
};
