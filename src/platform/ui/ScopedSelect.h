// ScopedSelect: a bitmap, font or pen selected into a drawing context for one scope.
#pragma once

#include "platform/ui/DC.h"

/// Selects `object` into `dc` and, when the scope ends, selects back what was selected before, so
/// a paint handler leaves the context as it found it on every path. When the selection fails (an
/// empty object) nothing is restored.
template <class Object> class ScopedSelect {
public:
    ScopedSelect(CDC& dc, Object* object) : m_dc(dc), m_previous(dc.SelectObject(object)) {}
    ~ScopedSelect() {
        if (m_previous != nullptr) {
            m_dc.SelectObject(m_previous);
        }
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

    /// True when the object was selected.
    bool Selected() const { return m_previous != nullptr; }

private:
    CDC& m_dc;
    Object* m_previous; // what was selected before; null when the selection failed
};
