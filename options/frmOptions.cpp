#include "options/frmOptions.h"

#include "engine/opponent.h"

namespace dz
{

frmOptions::frmOptions(Context& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    ui.setupUi(this);
    setFixedSize(308, 173);

    connect(ui.cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(ui.cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
}

void frmOptions::cmdOK_Click()
{
    Settings& s = ctx_.settings;
    if (ui.optPlayer1->isChecked())
        s.OnePlayer = true;
    else if (ui.optPlayer2->isChecked())
        s.OnePlayer = false;

    // Unbeatable is whatever is left.
    if (ui.optEasy->isChecked())
        s.Level = Levels[0];
    else if (ui.optModerate->isChecked())
        s.Level = Levels[1];
    else if (ui.optHard->isChecked())
        s.Level = Levels[2];
    else
        s.Level = Levels[3];

    s.SoundOn = ui.chkSound->checkState() != Qt::Unchecked;
    accept();
}

void frmOptions::cmdCancel_Click()
{
    reject();
}

} // namespace dz
