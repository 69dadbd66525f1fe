// The "Enter The Draw" notice: a tall picture scrolled in a viewport, and the
// "Don't Show Again!" choice that keeps it from opening at start-up.
#pragma once

#include <QWidget>

#include "kit/context.h"
#include "ui_frmContest.h"

namespace dz
{

class frmContest : public QWidget
{
    Q_OBJECT
public:
    explicit frmContest(Context& ctx, QWidget* parent = nullptr);

private:
    void Form_Load();
    void VScroll_Change(int value);
    void cmdOK_Click();

    Ui::frmContest ui;
    Context& ctx_;
};

} // namespace dz
