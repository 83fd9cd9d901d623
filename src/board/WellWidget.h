#pragma once

#include "CellPainter.h"
#include "WellModel.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

#include <memory>

class QPainter;
class TPreviewForm;

// The playing well: a 10 x 21 grid of coloured cells with a falling piece, painted by itself.
// The owner drives it through NewGame, StepDown, the moves, Rotate and Drop, and reads its
// counters; the board has no timer and sends no signals.
//
// The board draws into an image of its own size: single cells while a piece moves, the whole
// well on full repaints, and shows what changed before an operation returns.
class TWellWidget : public QWidget, private TWellView
{
    Q_OBJECT
    Q_PROPERTY(int NumberOfPieces READ NumberOfPieces WRITE setNumberOfPieces)
    Q_PROPERTY(int NextPiece READ NextPiece WRITE setNextPiece)
    Q_PROPERTY(int LastDeletedLine READ LastDeletedLine WRITE setLastDeletedLine)
    Q_PROPERTY(quint32 BackGroundColor READ BackGroundColor WRITE setBackGroundColor)
    Q_PROPERTY(int ScreenNumber READ ScreenNumber WRITE setScreenNumber)
    Q_PROPERTY(int SquareDimension READ SquareDimension WRITE setSquareDimension)
    Q_PROPERTY(bool ShowBorderColor READ ShowBorderColor WRITE setShowBorderColor)
    Q_PROPERTY(bool ShowFillColor READ ShowFillColor WRITE setShowFillColor)
    Q_PROPERTY(bool ShowNextpiece READ ShowNextpiece WRITE setShowNextpiece)
    Q_PROPERTY(int NumberOfType READ NumberOfType WRITE setNumberOfType)
    Q_PROPERTY(int PreviewSize READ PreviewSize WRITE setPreviewSize)
    Q_PROPERTY(QString PreviewCaption READ PreviewCaption WRITE setPreviewCaption)
    Q_PROPERTY(TBlockType Blocktype READ Blocktype WRITE setBlocktype)

public:
    // How a settled cell is drawn: a plain square, a disc, or a raised button.
    enum TBlockType { btNormal = 0, btRound = 1, btButton = 2 };
    Q_ENUM(TBlockType)

    explicit TWellWidget(QWidget *parent = nullptr);
    ~TWellWidget() override;

    // Published properties.
    int NumberOfPieces() const { return m_well.NumberOfPieces(); }
    void setNumberOfPieces(int value);
    int NextPiece() const { return m_well.NextPiece(); }
    void setNextPiece(int value);
    int LastDeletedLine() const { return m_well.LastDeletedLine(); }
    void setLastDeletedLine(int value);
    quint32 BackGroundColor() const { return m_well.BackGroundColor(); }
    void setBackGroundColor(quint32 value);
    int ScreenNumber() const { return m_well.ScreenNumber(); }
    void setScreenNumber(int value);
    int SquareDimension() const { return m_squareDimension; }
    void setSquareDimension(int value);
    bool ShowBorderColor() const { return m_showBorderColor; }
    void setShowBorderColor(bool value);
    bool ShowFillColor() const { return m_showFillColor; }
    void setShowFillColor(bool value);
    bool ShowNextpiece() const { return m_well.ShowNextpiece(); }
    void setShowNextpiece(bool value);
    int NumberOfType() const { return m_well.NumberOfType(); }
    void setNumberOfType(int value);
    int PreviewSize() const { return m_previewSize; }
    void setPreviewSize(int value);
    QString PreviewCaption() const { return m_previewCaption; }
    void setPreviewCaption(const QString &value);
    TBlockType Blocktype() const { return m_blocktype; }
    void setBlocktype(TBlockType value);

    // Play. StepDown: 0 the piece moved down, 1 it landed, 2 it landed and the next piece
    // cannot fall (the game is over). Drop returns the number of rows fallen.
    void NewGame();
    int StepDown();
    bool MoveLeft();
    bool MoveRight();
    void Rotate();
    bool TryRotate();
    int Drop();
    int FreeRowCount() const { return m_well.FreeRowCount(); }

    // Drawing: the whole well, one cell in the current style, the next piece into the preview.
    void Paint();
    void DrawCell(int column, int row, quint32 colour);
    void PaintPreview();

    // State for the owner and for tests.
    int CurrentPiece() const { return m_well.CurrentPiece(); }
    int PieceCol() const { return m_well.PieceCol(); }
    int PieceRow() const { return m_well.PieceRow(); }
    int CellWidth() const { return m_cellWidth; }
    int CellHeight() const { return m_cellHeight; }
    const TWellModel &Well() const { return m_well; }
    TWellModel &Well() { return m_well; }
    TPreviewForm *PreviewForm() const { return m_previewForm; }

    // The board's picture as last drawn, brought up to the current size first.
    const QImage &image();

protected:
    void paintEvent(QPaintEvent *event) override;
    // Every cell drawn alone and every repaint of the whole well goes through these.
    void drawCell(int column, int row, WinColor::Value colour) override;
    void repaintWell() override;

private:
    void fillArea() override;
    void paintPreview() override;

    CellPainter::Style style() const;
    template<typename Operation>
    auto drawing(Operation operation);
    // Brings the image to the board's size; true when that repainted the whole well.
    bool ensureCanvas();
    // A painter on the image, kept open while an operation draws.
    QPainter &canvas();
    void closeCanvas();
    void showChanges();

    TWellModel m_well;
    TPreviewForm *m_previewForm = nullptr;
    QString m_previewCaption;
    int m_previewSize = 0;
    int m_squareDimension = 0;
    bool m_showBorderColor = false;
    bool m_showFillColor = false;
    TBlockType m_blocktype = btNormal;
    int m_cellWidth = 0;
    int m_cellHeight = 0;
    QImage m_image;
    std::unique_ptr<QPainter> m_painter;
    QRegion m_changed;
};

using TBlockType = TWellWidget::TBlockType;
inline constexpr TBlockType btNormal = TWellWidget::btNormal;
inline constexpr TBlockType btRound = TWellWidget::btRound;
inline constexpr TBlockType btButton = TWellWidget::btButton;
