// One cell of the board: an image that can be clicked, showing its piece's picture at
// its top-left corner.
#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace dz
{

class BoardCell : public QAbstractButton
{
    Q_OBJECT
public:
    explicit BoardCell(QWidget* parent = nullptr);
    void setPicture(const QPixmap& picture);
    QSize sizeHint() const override { return {57, 57}; }

protected:
    void paintEvent(QPaintEvent*) override;
    // The second press of a double-click is no second click: it would land on the piece
    // the first one placed.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
};

} // namespace dz
