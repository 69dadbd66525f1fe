// The scoring table: the points per result and level, drawn at run time from the
// scoring rules themselves.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "kit/context.h"
#include "ui_frmScoring.h"

namespace dz
{

class frmScoring : public QWidget
{
    Q_OBJECT
public:
    static constexpr QSize PictureSize{320, 142};
    static constexpr int Rows = 4;    // the levels' header, then Win, Loss, Tie
    static constexpr int Columns = 5; // the rows' labels, then the four levels

    explicit frmScoring(Context& ctx, QWidget* parent = nullptr);

    // What a cell of the grid says: "Hard", "Loss", "+0.5", "-1", "0".
    static QString CellText(int row, int column);
    // Where it goes in the picture; every column is as wide as its widest text needs.
    static QRect CellRect(int row, int column);
    static QFont CellFont(int row, int column);
    // The table as a picture of PictureSize at the given pixel ratio.
    static QPixmap TablePicture(qreal devicePixelRatio);

private:
    Ui::frmScoring ui;
};

} // namespace dz
