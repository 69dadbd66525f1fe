// The scoring table: the points per result and level, as one picture.
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

private:
    Ui::frmScoring ui;
};

} // namespace dz
