// The scoring table: the points per result and level, drawn at run time from the scoring
// rules themselves.
#pragma once

#include <QWidget>

#include "kit/context.h"
#include "ui_frmScoring.h"

namespace dz
{

class frmScoring : public QWidget
{
    Q_OBJECT
public:
    explicit frmScoring(Context& ctx, QWidget* parent = nullptr);

    // What a cell of the grid says: the levels across row 0, the results down column 0
    // ("Win", "Loss", "Tie"), their points signed ("+0.5", "-1", "0").
    static QString CellText(int row, int column);

private:
    Ui::frmScoring ui;
};

} // namespace dz
