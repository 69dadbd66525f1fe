// A captioned frame drawn the classic way: an etched line through the middle of the caption
// band, the caption set into the line. Its controls sit at fixed places from the window's
// design, below the band, so nothing crosses them at any scaling.
#pragma once

#include <QGroupBox>

namespace dz
{

class Frame : public QGroupBox
{
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent*) override;
};

} // namespace dz
