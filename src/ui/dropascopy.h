#pragma once

#include <QDropEvent>

namespace zavevad {

/// Accepts a drag or a drop of files as a copy, whatever the source proposed:
/// the program only reads dropped files, and a source told they were moved
/// may delete the originals. A source that offers no copy is refused.
inline bool acceptAsCopy(QDropEvent *event)
{
    if (!(event->possibleActions() & Qt::CopyAction)) {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

} // namespace zavevad
