#include "windows/frmScoring.h"

#include "kit/pictures.h"

namespace dz
{

frmScoring::frmScoring(Context&, QWidget* parent) : QWidget(parent)
{
    ui.setupUi(this);
    setFixedSize(size());
    ui.Image1->setPixmap(
        Picture(QStringLiteral("scoring"), ui.Image1->size(), devicePixelRatioF()));
    connect(ui.cmdOK, &QPushButton::clicked, this, &QWidget::close);
}

} // namespace dz
