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

void placeFrame(QWidget *window)
{
    if (const QScreen *screen = window->screen())
        window->move(centredFramePosition(screen->geometry(),
                                          window->frameGeometry().size()));
}

// Waits until the window system has framed the window, centres the window again then, and goes.
class FrameCentring : public QObject
{
    Q_OBJECT
public:
    explicit FrameCentring(QWidget *window) : QObject(window), m_window(window)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (watched == m_window
            && (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize)
            && frameKnown(m_window)) {
            m_window->removeEventFilter(this);
            placeFrame(m_window);
            deleteLater();
        }
        return false;
    }

private:
    QWidget *m_window;
};

} // namespace

QPoint centredFramePosition(const QRect &area, QSize frameSize)
{
    return {area.x() + (area.width() - frameSize.width()) / 2,
            area.y() + (area.height() - frameSize.height()) / 2};
}

void centreFrameOnScreen(QWidget *window)
{
    placeFrame(window);
    if (!frameKnown(window) && !window->findChild<FrameCentring *>(QString(), Qt::FindDirectChildrenOnly))
        new FrameCentring(window);
}

#include "WindowPlacement.moc"
