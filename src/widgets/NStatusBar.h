#pragma once

#include <QList>
#include <QStatusBar>
#include <QString>

// The main window's status bar: a row of sunken panels, each with its own text, that also holds
// child controls at fixed positions. A control made with the bar as its parent stays exactly where
// it is placed (setGeometry/move); the bar never lays it out, hides it or covers it.
class TNStatusBar : public QStatusBar
{
    Q_OBJECT
    Q_PROPERTY(bool SizeGrip READ SizeGrip WRITE setSizeGrip)
    // The panels' widths as comma-separated figures ("450,50"), so a form can lay them out.
    Q_PROPERTY(QString PanelWidths READ PanelWidths WRITE setPanelWidths)

public:
    explicit TNStatusBar(QWidget *parent = nullptr);

    struct TStatusPanel
    {
        int Width = 50;
        QString Text;
        Qt::Alignment Alignment = Qt::AlignLeft;
    };

    // Panels are laid out left to right; the last one reaches the right end of the bar.
    int AddPanel(int width, const QString &text = QString());
    int PanelCount() const { return int(m_panels.size()); }
    const TStatusPanel &Panel(int index) const { return m_panels.at(index); }
    QString PanelText(int index) const;
    void setPanelText(int index, const QString &text);
    void setPanelWidth(int index, int width);
    void setPanelAlignment(int index, Qt::Alignment alignment);

    // Sets the number of panels and their widths; texts of panels that remain are kept. Figures
    // that are not whole numbers of pixels are taken as 0.
    QString PanelWidths() const;
    void setPanelWidths(const QString &widths);

    // The rectangle a panel's frame takes on the bar.
    QRect PanelRect(int index) const;

    bool SizeGrip() const { return isSizeGripEnabled(); }
    void setSizeGrip(bool value) { setSizeGripEnabled(value); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<TStatusPanel> m_panels;
};
