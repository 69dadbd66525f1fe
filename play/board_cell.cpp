#include "play/board_cell.h"

#include <QPainter>

namespace dz
{

BoardCell::BoardCell(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void BoardCell::setPicture(const QPixmap& picture)
{
    picture_ = picture;
    update();
}

void BoardCell::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

} // namespace dz

void dz::BoardCell::mouseDoubleClickEvent(QMouseEvent*)
{
    // Deliberately empty: the base class would take the press for a new click.
}
