// The scoring table: the points per result and level, drawn from the same table the
// scoring rules use.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "play/context.h"
#include "ui_frmScoring.h"

namespace dz
{

class frmScoring : public QWidget
{
    Q_OBJECT
public:
    static constexpr QSize PictureSize{320, 142};

    explicit frmScoring(Context& ctx, QWidget* parent = nullptr);

    // "+0.5", "-1", "0": a sign on every non-zero number.
    static QString PointsText(double points);
    // The table as a picture of PictureSize at the given pixel ratio.
    static QPixmap TablePicture(qreal devicePixelRatio);

private:
    void cmdOK_Click();

    Ui::frmScoring ui;
};

} // namespace dz
