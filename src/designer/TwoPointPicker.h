#pragma once

#include "platform/Point.h"

#include <QObject>

#include <vector>

class CFmtdesignView;

// Two marks clicked on the design view, in page units, for sizing the reference backdrop: while
// it picks, the view's clicks go to it instead of selecting controls, the cursor is a cross-hair
// and Escape gives up. The picker watches the view's surface from outside, so the view keeps
// its own mouse handling unchanged.
class TwoPointPicker : public QObject {
    Q_OBJECT
public:
    explicit TwoPointPicker(CFmtdesignView& view);

    void Start();
    void Cancel();
    bool IsPicking() const { return m_picking; }
    // The marks clicked so far in this pick.
    const std::vector<Point>& Marks() const { return m_marks; }

signals:
    void firstPicked(Point first);
    void picked(Point first, Point second);
    void cancelled();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Stop();

    CFmtdesignView& m_view;
    bool m_picking = false;
    std::vector<Point> m_marks;
};
