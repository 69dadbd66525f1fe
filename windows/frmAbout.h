// The about box: title, version, credits, two links and the system-information tool.
#pragma once

#include <QDialog>

#include "kit/context.h"
#include "ui_frmAbout.h"

namespace dz
{

class frmAbout : public QDialog
{
    Q_OBJECT
public:
    static const QUrl HomePage;
    static const QUrl AuthorMail;
    // Hot spot of the link cursor, in its 32 x 32 picture.
    static constexpr QPoint LinkCursorHotSpot{12, 1};

    explicit frmAbout(Context& ctx, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void Label3_Click();
    void lblEmail_Click();

    Ui::frmAbout ui;
    Context& ctx_;
};

} // namespace dz
