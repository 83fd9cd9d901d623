#pragma once

#include <QProxyStyle>

// The application's style with its left and right arrow icons looked up when first drawn instead
// of when asked for. The calendar asks for them as it is built; finding them reads the whole icon
// theme, which a start should not pay for a calendar that is hidden until the boss screen comes
// up. What is finally drawn is the base style's own icon, unchanged.
class LazyArrowStyle : public QProxyStyle
{
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
