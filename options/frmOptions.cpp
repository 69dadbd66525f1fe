#include "options/frmOptions.h"

#include "kit/fonts.h"

namespace dz
{

frmOptions::frmOptions(Context& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    ui.setupUi(this);
    setFixedSize(308, 173);
    UseFormFont(this);

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
        s.Level = QStringLiteral("Easy");
    else if (ui.optModerate->isChecked())
        s.Level = QStringLiteral("Moderate");
    else if (ui.optHard->isChecked())
        s.Level = QStringLiteral("Hard");
    else
        s.Level = QStringLiteral("Unbeatable");

    s.SoundOn = ui.chkSound->checkState() != Qt::Unchecked;
    accept();
}

void frmOptions::cmdCancel_Click()
{
    reject();
}

} // namespace dz
