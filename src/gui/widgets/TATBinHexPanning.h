#pragma once

#include <QPoint>

// Middle-button panning: where it started and which way the pointer now pulls the view.
// The symbols and cursors AB_MOVE, AB_MOVE_U, AB_MOVE_D, AB_MOVE_L and AB_MOVE_R are
// the directions' pictures.
class TATBinHexPanning {
public:
    enum Direction { AB_MOVE, AB_MOVE_U, AB_MOVE_D, AB_MOVE_L, AB_MOVE_R };
    // A pointer closer than this to the start does not move the view.
    static constexpr int kDeadZone = 16;

    void start(QPoint anchor);
    void stop() { m_active = false; }
    bool isActive() const { return m_active; }
    QPoint anchor() const { return m_anchor; }

    // The dominant direction, tested up, down, right, left; AB_MOVE within the dead zone.
    Direction directionTo(QPoint pointer) const;
    // Lines to scroll vertically or pixels horizontally for one tick.
    int amountTo(QPoint pointer) const;

private:
    QPoint m_anchor;
    bool m_active = false;
};
