// The options dialog: players, level and sound for the rest of the run. It opens with
// the same choices every time, whatever is in force, and changes the settings only
// when confirmed.
//
//     frmOptions dlg(ctx, this);
//     if (dlg.exec() == QDialog::Accepted) { /* show ctx.settings.Level */ }
#pragma once

#include <QDialog>

#include "kit/context.h"
#include "ui_frmOptions.h"

namespace dz
{

class frmOptions : public QDialog
{
    Q_OBJECT
public:
    frmOptions(Context& ctx, QWidget* parent);

    // Writes all three settings from the controls and accepts the dialog.
    void cmdOK_Click();
    // Rejects the dialog; Esc and the window's close button do the same.
    void cmdCancel_Click();

private:
    Context& ctx_;
    Ui::frmOptions ui;
};

} // namespace dz
