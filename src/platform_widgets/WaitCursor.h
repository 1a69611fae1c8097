#pragma once

// The busy cursor for as long as the object lives: a window wraps a long piece of work (reading
// a large picture, printing a sheet) in one. They nest; without an application that shows a
// cursor it does nothing.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool m_shown;
};
