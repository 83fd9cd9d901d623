#include "WindowPlacement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

bool frameKnown(const QWidget *window)
{
    const QWindow *handle = window->windowHandle();
    return handle && !handle->frameMargins().isNull();
}

// Once the frame is known the window system's handle is asked for its margins: the widget learns
// its frame only later, and until then counts the client area as its frame. The size is the
// widget's own: a handle whose window is still being mapped may not know it yet.
void placeFrame(QWidget *window, const QRect &area)
{
    if (QWindow *handle = window->windowHandle(); handle && !handle->frameMargins().isNull())
        handle->setFramePosition(
            centredFramePosition(area, window->size().grownBy(handle->frameMargins())));
    else
        window->move(centredFramePosition(area, window->frameGeometry().size()));
}

// Waits until the window system has framed the window, centres the window again then, and goes.
class FrameCentring : public QObject
{
    Q_OBJECT
public:
    FrameCentring(QWidget *window, const QRect &area) : QObject(window), m_window(window), m_area(area)
    {
        window->installEventFilter(this);
    }
    void setArea(const QRect &area) { m_area = area; }

    // The frame may become known without any move or resize of the window (a window manager
    // that keeps the client where it was asked to be and builds the frame around it), so every
    // event of the window is a chance to look; the window is moved once the event is done.
    bool eventFilter(QObject *watched, QEvent *) override
    {
        if (watched == m_window && frameKnown(m_window)) {
            m_window->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this, [this] { placeFrame(m_window, m_area); deleteLater(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget *m_window;
    QRect m_area;
};

} // namespace

QPoint centredFramePosition(const QRect &area, QSize frameSize)
{
    return {area.x() + (area.width() - frameSize.width()) / 2,
            area.y() + (area.height() - frameSize.height()) / 2};
}

void centreFrameIn(QWidget *window, const QRect &area)
{
    placeFrame(window, area);
    // A window without a frame is placed for good.
    if (frameKnown(window) || window->windowFlags().testFlag(Qt::FramelessWindowHint))
        return;
    if (auto *waiting = window->findChild<FrameCentring *>(QString(), Qt::FindDirectChildrenOnly))
        waiting->setArea(area);
    else
        new FrameCentring(window, area);
}

void centreFrameOnScreen(QWidget *window)
{
    if (const QScreen *screen = window->screen())
        centreFrameIn(window, screen->geometry());
}

#include "WindowPlacement.moc"
