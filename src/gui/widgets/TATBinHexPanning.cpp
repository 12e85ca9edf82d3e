#include "widgets/TATBinHexPanning.h"

#include <cstdlib>

void TATBinHexPanning::start(QPoint anchor)
{
    m_anchor = anchor;
    m_active = true;
}

TATBinHexPanning::Direction TATBinHexPanning::directionTo(QPoint pointer) const
{
    const int dx = pointer.x() - m_anchor.x();
    const int dy = pointer.y() - m_anchor.y();
    if (-dy >= kDeadZone && -dy >= std::abs(dx))
        return AB_MOVE_U;
    if (dy >= kDeadZone && dy >= std::abs(dx))
        return AB_MOVE_D;
    if (dx >= kDeadZone)
        return AB_MOVE_R;
    if (-dx >= kDeadZone)
        return AB_MOVE_L;
    return AB_MOVE;
}

// Every 16 pixels of distance scroll one line, or 8 pixels sideways.
int TATBinHexPanning::amountTo(QPoint pointer) const
{
    const QPoint distance = pointer - m_anchor;
    switch (directionTo(pointer)) {
    case AB_MOVE_U:
    case AB_MOVE_D: return std::abs(distance.y()) / kDeadZone;
    case AB_MOVE_L:
    case AB_MOVE_R: return std::abs(distance.x()) / kDeadZone * 8;
    case AB_MOVE: break;
    }
    return 0;
}
