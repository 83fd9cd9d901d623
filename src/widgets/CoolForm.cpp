#include "CoolForm.h"

#include "AppError.h"
#include "RegionData.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <QtEndian>

TCoolForm::TCoolForm(QWidget *parent) : QWidget(parent)
{
    // The picture and the parent's colour around it cover every pixel; no background is erased
    // first, so the picture does not flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    attachToParent();
}

void TCoolForm::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    m_outline = QRegion();
    m_regionData.clear();
    update();
}

void TCoolForm::setOutline(const QRegion &outline)
{
    if (outline.isEmpty())
        return;
    m_outline = outline;
    m_regionData = RegionData::write(outline);
    applyMaskToWindow();
}

QByteArray TCoolForm::Mask2() const
{
    QByteArray stored(4, '\0');
    qToLittleEndian<quint32>(quint32(m_regionData.size()), stored.data());
    return stored + m_regionData;
}

void TCoolForm::setMask2(const QByteArray &stored)
{
    if (stored.size() < 4)
        throw AppError(QStringLiteral("Invalid outline data: %1 bytes are too few for its length.")
                           .arg(stored.size()));
    const quint32 count = qFromLittleEndian<quint32>(stored.constData());
    if (qint64(count) != stored.size() - 4)
        throw AppError(QStringLiteral("Invalid outline data: its length says %1 bytes, %2 follow.")
                           .arg(count)
                           .arg(stored.size() - 4));
    if (count == 0) {
        m_outline = QRegion();
        m_regionData.clear();
        return;
    }
    const QByteArray regionData = stored.mid(4);
    const QRegion region = RegionData::parse(regionData);
    m_regionData = regionData;
    m_outline = region;
    applyMaskToWindow();
}

void TCoolForm::loadMask2(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Cannot read the outline %1.").arg(fileName));
    setMask2(file.readAll());
}

QPoint TCoolForm::pictureOrigin() const
{
    // Centred as integer halves, so a picture larger than the control starts left of it.
    return QPoint((width() - m_picture.width()) / 2, (height() - m_picture.height()) / 2);
}

void TCoolForm::attachToParent()
{
    QWidget *parent = parentWidget();
    if (parent == m_watchedParent)
        return;
    if (m_watchedParent)
        m_watchedParent->removeEventFilter(this);
    m_watchedParent = parent;
    if (!parent)
        return;
    parent->installEventFilter(this);
    // A window carrying the picture loses its border; the picture fills it.
    if (parent->isWindow() && !parent->windowFlags().testFlag(Qt::FramelessWindowHint)) {
        const bool visible = parent->isVisible();
        parent->setWindowFlag(Qt::FramelessWindowHint, true);
        if (visible)
            parent->show();
    }
    fillParent();
    applyMaskToWindow();
}

void TCoolForm::applyMaskToWindow()
{
    if (m_outline.isEmpty() || !parentWidget())
        return;
    QWidget *target = window();
    // A region handed to the window belongs to it; later picture changes leave it alone.
    target->setMask(m_outline);
    target->update();
}

void TCoolForm::fillParent()
{
    if (m_watchedParent && geometry() != m_watchedParent->rect())
        QWidget::setGeometry(m_watchedParent->rect());
}

bool TCoolForm::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ParentChange:
        attachToParent();
        break;
    case QEvent::Move:
    case QEvent::Resize:
        // The picture always stands at (0, 0) and fills its parent, whatever a form sets; a
        // hidden widget gets these events when it is first shown.
        fillParent();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool TCoolForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_watchedParent && event->type() == QEvent::Resize)
        fillParent();
    return QWidget::eventFilter(watched, event);
}

void TCoolForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QWidget *owner = parentWidget() ? parentWidget() : this;
    painter.fillRect(rect(), owner->palette().color(QPalette::Active, owner->backgroundRole()));
    if (!m_picture.isNull())
        painter.drawPixmap(pictureOrigin(), m_picture);
}

void TCoolForm::armDrag(QMouseEvent *event)
{
    m_dragArmed = true;
    m_dragManual = false;
    m_pressGlobal = event->globalPosition().toPoint();
    m_windowStart = window()->pos();
}

void TCoolForm::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        armDrag(event);
        m_clickArmed = true;
    }
    emit mouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void TCoolForm::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragArmed || !(event->buttons() & Qt::LeftButton))
        return;
    const QPoint moved = event->globalPosition().toPoint() - m_pressGlobal;
    if (m_dragManual) {
        window()->move(m_windowStart + moved);
        return;
    }
    // The move starts once the mouse has really moved, so that clicks and double clicks on the
    // picture still reach the window.
    if (moved.manhattanLength() < QApplication::startDragDistance())
        return;
    m_clickArmed = false;
    QWindow *handle = window()->windowHandle();
    if (handle && handle->startSystemMove()) {
        // The window system moves the window from here on.
        m_dragArmed = false;
        return;
    }
    m_dragManual = true;
    window()->move(m_windowStart + moved);
}

void TCoolForm::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    const bool click =
        event->button() == Qt::LeftButton && m_clickArmed && rect().contains(at);
    if (event->button() == Qt::LeftButton) {
        m_dragArmed = false;
        m_dragManual = false;
        m_clickArmed = false;
    }
    if (click)
        emit clicked();
    emit mouseUp(event->button(), event->modifiers(), at.x(), at.y());
}

void TCoolForm::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        // The second press of a double click starts no click of its own.
        armDrag(event);
        m_clickArmed = false;
        emit doubleClicked();
    }
    const QPoint at = event->position().toPoint();
    emit mouseDown(event->button(), event->modifiers(), at.x(), at.y());
}
