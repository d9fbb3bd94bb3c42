#include "widgets/ZelGrids.h"

#include "widgets/UZelEditors.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

TZelCustomGrid::TZelCustomGrid(QWidget *parent) : QAbstractScrollArea(parent)
{
    m_latimi.fill(m_latimeImplicita, 1);
    m_inaltimi.fill(m_inaltimeImplicita, 1);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

TZelCustomGrid::~TZelCustomGrid() = default;

void TZelCustomGrid::SetColCount(int n)
{
    n = std::max(0, n);
    if (n == ColCount())
        return;
    m_latimi.resize(n, m_latimeImplicita);
    Limiteaza();
}

void TZelCustomGrid::SetRowCount(int n)
{
    n = std::max(0, n);
    if (n == RowCount())
        return;
    m_inaltimi.resize(n, m_inaltimeImplicita);
    Limiteaza();
}

void TZelCustomGrid::SetFixedCols(int n)
{
    m_fixedCols = std::clamp(n, 0, std::max(0, ColCount()));
    Limiteaza();
}

void TZelCustomGrid::SetFixedRows(int n)
{
    m_fixedRows = std::clamp(n, 0, std::max(0, RowCount()));
    Limiteaza();
}

int TZelCustomGrid::ColWidths(int col) const
{
    return col >= 0 && col < ColCount() ? m_latimi[col] : m_latimeImplicita;
}

void TZelCustomGrid::SetColWidths(int col, int w)
{
    if (col < 0 || col >= ColCount())
        return;
    m_latimi[col] = std::max(0, w);
    Limiteaza();
}

int TZelCustomGrid::RowHeights(int row) const
{
    return row >= 0 && row < RowCount() ? m_inaltimi[row] : m_inaltimeImplicita;
}

void TZelCustomGrid::SetRowHeights(int row, int h)
{
    if (row < 0 || row >= RowCount())
        return;
    m_inaltimi[row] = std::max(0, h);
    Limiteaza();
}

void TZelCustomGrid::SetAllRowHeights(QVector<int> inaltimi)
{
    m_inaltimi = std::move(inaltimi);
    Limiteaza();
}

void TZelCustomGrid::SetAllColWidths(QVector<int> latimi)
{
    m_latimi = std::move(latimi);
    Limiteaza();
}

// Keeps fixed counts, the current cell and the scroll position inside the grid.
void TZelCustomGrid::Limiteaza()
{
    m_fixedCols = std::clamp(m_fixedCols, 0, ColCount());
    m_fixedRows = std::clamp(m_fixedRows, 0, RowCount());
    m_col = std::clamp(m_col, m_fixedCols, std::max(m_fixedCols, ColCount() - 1));
    m_row = std::clamp(m_row, m_fixedRows, std::max(m_fixedRows, RowCount() - 1));
    m_topRow = std::clamp(m_topRow, m_fixedRows, std::max(m_fixedRows, MaxTopRow()));
    m_leftCol = std::clamp(m_leftCol, m_fixedCols, std::max(m_fixedCols, MaxLeftCol()));
    ActualizeazaBare();
    SizeChanged();
    viewport()->update();
}

int TZelCustomGrid::FixedWidth() const
{
    int w = 0;
    for (int c = 0; c < m_fixedCols; ++c)
        w += m_latimi[c];
    return w;
}

int TZelCustomGrid::FixedHeight() const
{
    int h = 0;
    for (int r = 0; r < m_fixedRows; ++r)
        h += m_inaltimi[r];
    return h;
}

// The largest top row that still fills the view to the bottom.
int TZelCustomGrid::MaxTopRow() const
{
    const int disponibil = viewport()->height() - FixedHeight();
    int h = 0;
    int r = RowCount() - 1;
    for (; r >= m_fixedRows; --r) {
        h += m_inaltimi[r];
        if (h > disponibil)
            return std::min(r + 1, RowCount() - 1);
    }
    return m_fixedRows;
}

int TZelCustomGrid::MaxLeftCol() const
{
    const int disponibil = viewport()->width() - FixedWidth();
    int w = 0;
    for (int c = ColCount() - 1; c >= m_fixedCols; --c) {
        w += m_latimi[c];
        if (w > disponibil)
            return std::min(c + 1, ColCount() - 1);
    }
    return m_fixedCols;
}

void TZelCustomGrid::ActualizeazaBare()
{
    m_actualizezBare = true;
    const int maxTop = std::max(m_fixedRows, MaxTopRow());
    verticalScrollBar()->setRange(m_fixedRows, maxTop);
    verticalScrollBar()->setPageStep(std::max(1, VisibleRowCount()));
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setValue(m_topRow);
    const int maxLeft = std::max(m_fixedCols, MaxLeftCol());
    horizontalScrollBar()->setRange(m_fixedCols, maxLeft);
    horizontalScrollBar()->setPageStep(std::max(1, VisibleColCount()));
    horizontalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setValue(m_leftCol);
    m_actualizezBare = false;
}

int TZelCustomGrid::VisibleRowCount() const
{
    const int disponibil = viewport()->height() - FixedHeight();
    int h = 0, n = 0;
    for (int r = m_topRow; r < RowCount() && h < disponibil; ++r, ++n)
        h += m_inaltimi[r];
    return n;
}

int TZelCustomGrid::VisibleColCount() const
{
    const int disponibil = viewport()->width() - FixedWidth();
    int w = 0, n = 0;
    for (int c = m_leftCol; c < ColCount() && w < disponibil; ++c, ++n)
        w += m_latimi[c];
    return n;
}

void TZelCustomGrid::SetTopRow(int row)
{
    row = std::clamp(row, m_fixedRows, std::max(m_fixedRows, MaxTopRow()));
    if (row == m_topRow)
        return;
    m_topRow = row;
    ActualizeazaBare();
    viewport()->update();
    TopLeftChanged();
}

void TZelCustomGrid::SetLeftCol(int col)
{
    col = std::clamp(col, m_fixedCols, std::max(m_fixedCols, MaxLeftCol()));
    if (col == m_leftCol)
        return;
    m_leftCol = col;
    ActualizeazaBare();
    viewport()->update();
    TopLeftChanged();
}

void TZelCustomGrid::scrollContentsBy(int, int)
{
    if (m_actualizezBare)
        return;
    const int top = verticalScrollBar()->value();
    const int left = horizontalScrollBar()->value();
    const bool schimbat = top != m_topRow || left != m_leftCol;
    m_topRow = top;
    m_leftCol = left;
    viewport()->update();
    if (schimbat)
        TopLeftChanged();
}

int TZelCustomGrid::ColumnX(int col) const
{
    if (col < m_fixedCols) {
        int x = 0;
        for (int c = 0; c < col; ++c)
            x += m_latimi[c];
        return x;
    }
    int x = FixedWidth();
    if (col >= m_leftCol) {
        for (int c = m_leftCol; c < col; ++c)
            x += m_latimi[c];
    } else {
        for (int c = col; c < m_leftCol; ++c)
            x -= m_latimi[c];
    }
    return x;
}

QRect TZelCustomGrid::CellRect(int col, int row) const
{
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount())
        return {};
    if (col >= m_fixedCols && col < m_leftCol)
        return {};
    if (row >= m_fixedRows && row < m_topRow)
        return {};
    const int x = ColumnX(col);
    int y = 0;
    if (row < m_fixedRows) {
        for (int r = 0; r < row; ++r)
            y += m_inaltimi[r];
    } else {
        y = FixedHeight();
        for (int r = m_topRow; r < row; ++r) {
            y += m_inaltimi[r];
            if (y > viewport()->height())
                return {};
        }
    }
    if (x > viewport()->width() || y > viewport()->height())
        return {};
    return QRect(x, y, m_latimi[col], m_inaltimi[row]);
}

namespace {
// The column (or row) under position p along one axis: the fixed ones counted from 0,
// then the scrolled ones from the first shown; -1 for none.
int IndiceLaPozitie(int p, const QVector<int> &marimi, int fixe, int primulDerulat, int marimeFixa)
{
    int x = 0;
    for (int i = 0; i < fixe; ++i) {
        if (p >= x && p < x + marimi[i])
            return i;
        x += marimi[i];
    }
    x = marimeFixa;
    for (int i = primulDerulat; i < int(marimi.size()) && x <= p; ++i) {
        if (p < x + marimi[i])
            return i;
        x += marimi[i];
    }
    return -1;
}
} // namespace

bool TZelCustomGrid::MouseToCell(const QPoint &p, int &col, int &row) const
{
    col = IndiceLaPozitie(p.x(), m_latimi, m_fixedCols, m_leftCol, FixedWidth());
    row = IndiceLaPozitie(p.y(), m_inaltimi, m_fixedRows, m_topRow, FixedHeight());
    if (col < 0 || row < 0) {
        col = row = -1;
        return false;
    }
    return true;
}

void TZelCustomGrid::InvalidateCell(int col, int row)
{
    const QRect r = CellRect(col, row);
    if (!r.isNull())
        viewport()->update(r);
}

void TZelCustomGrid::InvalidateRow(int row)
{
    const QRect r = CellRect(m_leftCol < ColCount() ? m_leftCol : 0, row);
    if (r.isNull() && !(row < m_fixedRows))
        return;
    int y = 0;
    if (!r.isNull())
        y = r.top();
    viewport()->update(QRect(0, y, viewport()->width(), RowHeights(row)));
}

void TZelCustomGrid::InvalidateGrid()
{
    viewport()->update();
}

bool TZelCustomGrid::SelectCell(int col, int row)
{
    bool poate = true;
    if (OnSelectCell)
        OnSelectCell(this, col, row, poate);
    return poate;
}

void TZelCustomGrid::ColumnMoved(int fromIndex, int toIndex)
{
    if (OnColumnMoved)
        OnColumnMoved(this, fromIndex, toIndex);
}

void TZelCustomGrid::RowMoved(int fromIndex, int toIndex)
{
    if (OnRowMoved)
        OnRowMoved(this, fromIndex, toIndex);
}

void TZelCustomGrid::TopLeftChanged()
{
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}

void TZelCustomGrid::MoveColumn(int fromIndex, int toIndex)
{
    if (fromIndex < 0 || toIndex < 0 || fromIndex >= ColCount() || toIndex >= ColCount() || fromIndex == toIndex)
        return;
    m_latimi.move(fromIndex, toIndex);
    viewport()->update();
    ColumnMoved(fromIndex, toIndex);
}

void TZelCustomGrid::MoveRow(int fromIndex, int toIndex)
{
    if (fromIndex < 0 || toIndex < 0 || fromIndex >= RowCount() || toIndex >= RowCount() || fromIndex == toIndex)
        return;
    m_inaltimi.move(fromIndex, toIndex);
    viewport()->update();
    RowMoved(fromIndex, toIndex);
}

bool TZelCustomGrid::FocusCell(int col, int row)
{
    if (ColCount() <= m_fixedCols || RowCount() <= m_fixedRows)
        return false;
    col = std::clamp(col, m_fixedCols, ColCount() - 1);
    row = std::clamp(row, m_fixedRows, RowCount() - 1);
    if (col == m_col && row == m_row) {
        FaVizibila(col, row);
        return true;
    }
    if (!SelectCell(col, row))
        return false;
    const int vecheC = m_col, vecheR = m_row;
    m_col = col;
    m_row = row;
    InvalidateRow(vecheR);
    InvalidateCell(vecheC, vecheR);
    FaVizibila(col, row);
    InvalidateRow(row);
    return true;
}

void TZelCustomGrid::FaVizibila(int col, int row)
{
    if (row >= m_fixedRows) {
        if (row < m_topRow) {
            SetTopRow(row);
        } else {
            // Move the top down until the row's bottom fits.
            const int disponibil = viewport()->height() - FixedHeight();
            int h = 0;
            for (int r = m_topRow; r <= row; ++r)
                h += m_inaltimi[r];
            int top = m_topRow;
            while (h > disponibil && top < row) {
                h -= m_inaltimi[top];
                ++top;
            }
            SetTopRow(top);
        }
    }
    if (col >= m_fixedCols) {
        if (col < m_leftCol) {
            SetLeftCol(col);
        } else {
            const int disponibil = viewport()->width() - FixedWidth();
            int w = 0;
            for (int c = m_leftCol; c <= col; ++c)
                w += m_latimi[c];
            int left = m_leftCol;
            while (w > disponibil && left < col) {
                w -= m_latimi[left];
                ++left;
            }
            SetLeftCol(left);
        }
    }
}

void TZelCustomGrid::DrawEmpty(QPainter &p, const QRect &rect)
{
    p.fillRect(rect, CuloriSistem::Fereastra());
}

void TZelCustomGrid::paintEvent(QPaintEvent *e)
{
    QPainter p(viewport());
    const QRect zona = e->rect();
    const int W = viewport()->width();
    const int H = viewport()->height();

    // Visible rows: the fixed ones, then from the top row until the view is full.
    int y = 0;
    int yMax = 0;
    auto randuri = [&](auto &&faRand) {
        y = 0;
        for (int r = 0; r < m_fixedRows && y < H; ++r) {
            faRand(r, y);
            y += m_inaltimi[r];
        }
        for (int r = m_topRow; r < RowCount() && y < H; ++r) {
            faRand(r, y);
            y += m_inaltimi[r];
        }
        yMax = y;
    };
    int xMax = 0;
    randuri([&](int r, int yr) {
        const int h = m_inaltimi[r];
        if (yr + h <= zona.top() || yr > zona.bottom())
            return;
        int x = 0;
        auto celula = [&](int c) {
            const int w = m_latimi[c];
            const QRect rc(x, yr, w, h);
            if (rc.intersects(zona)) {
                int stare = 0;
                if (c < m_fixedCols || r < m_fixedRows)
                    stare |= gdFixed;
                else if (c == m_col && r == m_row) {
                    stare |= gdSelected;
                    if (hasFocus())
                        stare |= gdFocused;
                }
                DrawCell(p, c, r, rc, stare);
            }
            x += w;
        };
        for (int c = 0; c < m_fixedCols && x < W; ++c)
            celula(c);
        for (int c = m_leftCol; c < ColCount() && x < W; ++c)
            celula(c);
        xMax = std::max(xMax, x);
    });
    if (xMax < W)
        DrawEmpty(p, QRect(xMax, 0, W - xMax, yMax).intersected(zona));
    if (yMax < H)
        DrawEmpty(p, QRect(0, yMax, W, H - yMax).intersected(zona));
}

void TZelCustomGrid::resizeEvent(QResizeEvent *e)
{
    QAbstractScrollArea::resizeEvent(e);
    Limiteaza();
}

void TZelCustomGrid::keyPressEvent(QKeyEvent *e)
{
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    int c = m_col, r = m_row;
    switch (e->key()) {
    case Qt::Key_Up: --r; break;
    case Qt::Key_Down: ++r; break;
    case Qt::Key_Left: --c; break;
    case Qt::Key_Right: ++c; break;
    case Qt::Key_PageUp: r -= std::max(1, VisibleRowCount() - 1); break;
    case Qt::Key_PageDown: r += std::max(1, VisibleRowCount() - 1); break;
    case Qt::Key_Home:
        c = m_fixedCols;
        if (ctrl)
            r = m_fixedRows;
        break;
    case Qt::Key_End:
        c = ColCount() - 1;
        if (ctrl)
            r = RowCount() - 1;
        break;
    default:
        QAbstractScrollArea::keyPressEvent(e);
        return;
    }
    FocusCell(c, r);
    e->accept();
}

// The column whose right edge is under the point (in a fixed row), or -1.
int TZelCustomGrid::MargineColoanaLa(const QPoint &p) const
{
    if (!RedimensionareColoane || p.y() >= FixedHeight())
        return -1;
    for (int c = 0; c < ColCount(); ++c) {
        if (c >= m_fixedCols && c < m_leftCol)
            continue;
        const int dreapta = ColumnX(c) + m_latimi[c];
        if (dreapta > viewport()->width() + 3)
            break;
        if (std::abs(p.x() - dreapta) <= 3)
            return c;
    }
    return -1;
}

void TZelCustomGrid::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(e);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint p = e->position().toPoint();
    const int margine = MargineColoanaLa(p);
    if (margine >= 0) {
        m_coloanaRedimensionata = margine;
        m_xStartRedimensionare = p.x();
        m_latimeStartRedimensionare = m_latimi[margine];
        return;
    }
    int c, r;
    if (MouseToCell(p, c, r) && c >= m_fixedCols && r >= m_fixedRows)
        FocusCell(c, r);
}

void TZelCustomGrid::mouseMoveEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    if (m_coloanaRedimensionata >= 0) {
        m_latimi[m_coloanaRedimensionata] = std::max(4, m_latimeStartRedimensionare + p.x() - m_xStartRedimensionare);
        ActualizeazaBare();
        viewport()->update();
        return;
    }
    viewport()->setCursor(MargineColoanaLa(p) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
    QAbstractScrollArea::mouseMoveEvent(e);
}

void TZelCustomGrid::mouseReleaseEvent(QMouseEvent *e)
{
    if (m_coloanaRedimensionata >= 0) {
        m_coloanaRedimensionata = -1;
        Limiteaza();
        return;
    }
    QAbstractScrollArea::mouseReleaseEvent(e);
}

TZelCustomDrawGrid::TZelCustomDrawGrid(QWidget *parent) : TZelCustomGrid(parent) {}

void TZelCustomDrawGrid::DrawCell(QPainter &p, int col, int row, const QRect &rect, int stare)
{
    if (OnDrawCell)
        OnDrawCell(this, p, col, row, rect, stare);
    else
        p.fillRect(rect, CuloriSistem::Fereastra());
}
