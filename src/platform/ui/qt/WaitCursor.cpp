// CWaitCursor: the busy cursor over the whole program while an operation runs.
#include "platform/ui/WaitCursor.h"

#include <QApplication>
#include <QCursor>

CWaitCursor::CWaitCursor() {
    if (qApp != nullptr) {
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        m_shown = true;
    }
}

CWaitCursor::~CWaitCursor() {
    Restore();
}

void CWaitCursor::Restore() {
    if (m_shown) {
        QApplication::restoreOverrideCursor();
        m_shown = false;
    }
}
