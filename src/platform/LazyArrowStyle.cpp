#include "LazyArrowStyle.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QPointer>

#include <functional>
#include <optional>

namespace {

// An icon that asks for the real one the first time it is drawn or measured.
class DeferredIconEngine : public QIconEngine
{
public:
    using Source = std::function<QIcon()>;

    explicit DeferredIconEngine(Source source) : m_source(std::move(source)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }

    QString iconName() override { return icon().name(); }

    // Answered without looking: the base style always has an arrow, a built-in one at worst.
    bool isNull() override { return false; }

    QString key() const override { return QStringLiteral("DeferredIconEngine"); }

    QIconEngine *clone() const override
    {
        auto *copy = new DeferredIconEngine(m_source);
        copy->m_icon = m_icon;
        return copy;
    }

private:
    const QIcon &icon()
    {
        if (!m_icon)
            m_icon = m_source();
        return *m_icon;
    }

    Source m_source;
    std::optional<QIcon> m_icon;
};

} // namespace

QIcon LazyArrowStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                                   const QWidget *widget) const
{
    if (standardIcon != SP_ArrowLeft && standardIcon != SP_ArrowRight)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    // The option and the widget may be gone by the time the icon is drawn; the arrows do not
    // depend on them.
    const QPointer<const QStyle> base = baseStyle();
    return QIcon(new DeferredIconEngine([base, standardIcon] {
        return base ? base->standardIcon(standardIcon, nullptr, nullptr) : QIcon();
    }));
}
