#pragma once

class QLineEdit;
class QPlainTextEdit;

// An entry that accepts capitals only: every letter typed or pasted into it becomes a capital
// as it arrives. Capture fields and grid cells share this one behaviour.
class UpperCaseInput {
public:
    static void Apply(QLineEdit* edit);
    static void Apply(QPlainTextEdit* edit);
    // Lets the entry take small letters again (an entry reused for fields of both kinds).
    static void Remove(QLineEdit* edit);
    static bool IsApplied(const QLineEdit* edit);
};
