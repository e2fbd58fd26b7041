// CWaitCursor: shows the busy cursor for as long as it lives.
#pragma once

/// Shows the wait cursor from construction until Restore or destruction. Nests.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    /// Puts the previous cursor back now (the destructor then does nothing).
    void Restore();

private:
    bool m_shown = false; ///< true while this object's wait cursor is up
};
