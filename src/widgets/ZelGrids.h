#pragma once

#include <QAbstractScrollArea>
#include <QVector>

#include <functional>

// A plain scrolling cell grid: fixed rows and columns at the top and left, per-column
// widths and per-row heights, a current cell, keyboard and mouse navigation, scroll bars
// and the wheel. It stores no cell contents; descendants paint every visible cell in
// DrawCell. Scrolling moves by whole cells (top row, left column), so painting one screen
// walks only the visible rows, whatever the row count.

enum TZelGridDrawState : int {
    gdSelected = 0x1,
    gdFocused = 0x2,
    gdFixed = 0x4,
};

class TZelCustomGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TZelCustomGrid(QWidget *parent = nullptr);
    ~TZelCustomGrid() override;

    int ColCount() const { return int(m_latimi.size()); }
    void SetColCount(int n);
    int RowCount() const { return int(m_inaltimi.size()); }
    void SetRowCount(int n);
    int FixedCols() const { return m_fixedCols; }
    void SetFixedCols(int n);
    int FixedRows() const { return m_fixedRows; }
    void SetFixedRows(int n);

    int DefaultColWidth() const { return m_latimeImplicita; }
    void SetDefaultColWidth(int w) { m_latimeImplicita = w; }
    int DefaultRowHeight() const { return m_inaltimeImplicita; }
    void SetDefaultRowHeight(int h) { m_inaltimeImplicita = h; }

    int ColWidths(int col) const;
    void SetColWidths(int col, int w);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int h);
    // Every row height at once (the vector's size becomes the row count).
    void SetAllRowHeights(QVector<int> inaltimi);
    void SetAllColWidths(QVector<int> latimi);

    // Current cell.
    int Col() const { return m_col; }
    int Row() const { return m_row; }
    // Moves the current cell after asking SelectCell; returns whether it moved.
    bool FocusCell(int col, int row);

    int TopRow() const { return m_topRow; }
    void SetTopRow(int row);
    int LeftCol() const { return m_leftCol; }
    void SetLeftCol(int col);
    // Rows and columns fully or partly shown below/right of the fixed ones.
    int VisibleRowCount() const;
    int VisibleColCount() const;

    // The cell's rectangle in viewport coordinates, null when the cell is not shown.
    QRect CellRect(int col, int row) const;
    // Left edge of a column in viewport coordinates, also for columns scrolled out of view.
    int ColumnX(int col) const;
    // The cell under a viewport point; false outside every cell.
    bool MouseToCell(const QPoint &p, int &col, int &row) const;

    void InvalidateCell(int col, int row);
    void InvalidateRow(int row);
    void InvalidateGrid();

    // Moves a column or a row and reports it through ColumnMoved / RowMoved.
    void MoveColumn(int fromIndex, int toIndex);
    void MoveRow(int fromIndex, int toIndex);

    // The only base option that is on: the user may drag column widths in the fixed rows.
    bool RedimensionareColoane = true;

    std::function<void(TZelCustomGrid *, int, int, bool &)> OnSelectCell;
    std::function<void(TZelCustomGrid *, int, int)> OnColumnMoved;
    std::function<void(TZelCustomGrid *, int, int)> OnRowMoved;
    std::function<void(TZelCustomGrid *, int, int, const QString &)> OnSetEditText;
    std::function<void(TZelCustomGrid *)> OnTopLeftChanged;

protected:
    // Paints one cell; rect is the whole cell in viewport coordinates.
    virtual void DrawCell(QPainter &p, int col, int row, const QRect &rect, int stare) = 0;
    // Paints what lies beyond the last row or column.
    virtual void DrawEmpty(QPainter &p, const QRect &rect);
    virtual bool SelectCell(int col, int row);
    virtual void ColumnMoved(int fromIndex, int toIndex);
    virtual void RowMoved(int fromIndex, int toIndex);
    virtual void TopLeftChanged();
    // Called after the layout (counts, sizes, fixed cells) changed.
    virtual void SizeChanged() {}

    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void scrollContentsBy(int dx, int dy) override;

    int FixedWidth() const;
    int FixedHeight() const;

private:
    void ActualizeazaBare();
    int MaxTopRow() const;
    int MaxLeftCol() const;
    void FaVizibila(int col, int row);
    void Limiteaza();
    int MargineColoanaLa(const QPoint &p) const;

    QVector<int> m_latimi;
    QVector<int> m_inaltimi;
    int m_fixedCols = 0;
    int m_fixedRows = 0;
    int m_latimeImplicita = 64;
    int m_inaltimeImplicita = 24;
    int m_col = 0;
    int m_row = 0;
    int m_topRow = 0;
    int m_leftCol = 0;
    bool m_actualizezBare = false;
    int m_coloanaRedimensionata = -1;
    int m_xStartRedimensionare = 0;
    int m_latimeStartRedimensionare = 0;
};

// A cell grid whose cells are painted by an event.
class TZelCustomDrawGrid : public TZelCustomGrid {
    Q_OBJECT
public:
    explicit TZelCustomDrawGrid(QWidget *parent = nullptr);

    std::function<void(TZelCustomDrawGrid *, QPainter &, int, int, const QRect &, int)> OnDrawCell;

protected:
    void DrawCell(QPainter &p, int col, int row, const QRect &rect, int stare) override;
};
