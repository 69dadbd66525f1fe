#include "windows/frmAbout.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "kit/fonts.h"
#include "kit/pictures.h"
#include "windows/sysinfo.h"

namespace dz
{

const QUrl frmAbout::HomePage(QStringLiteral("https://www.dirizivur.example/"));
const QUrl frmAbout::AuthorMail(QStringLiteral("mailto:author@dirizivur.example"));

frmAbout::frmAbout(Context& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    ui.setupUi(this);
    setFixedSize(size());
    const qreal dpr = devicePixelRatioF();
    ui.picIcon->setPixmap(Picture(QStringLiteral("icon"), QSize(32, 32), dpr));

    ui.lblTitle->setFont(PresidentFont(20.25, true));
    SetTextColour(ui.lblTitle, QColor(128, 0, 0));
    ui.lblVersion->setFont(ArialFont(9, true));

    const QCursor linkCursor(Picture(QStringLiteral("link-cursor"), QSize(32, 32), dpr),
                             LinkCursorHotSpot.x(), LinkCursorHotSpot.y());
    for (QLabel* link : {ui.lblEmail, ui.Label3}) {
        SetTextColour(link, QColor(0, 0, 255));
        link->setCursor(linkCursor);
        link->installEventFilter(this);
    }

    // A face wider than the one drawn for must not clip a label: it grows to the right.
    for (QLabel* label : {ui.Label1, ui.Label2, ui.lblEmail, ui.Label3})
        label->resize(std::max(label->width(), label->sizeHint().width()), label->height());

    connect(ui.cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(ui.cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    Form_Load();
}

void frmAbout::Form_Load()
{
    ctx_.PlaySoundEffect(QStringLiteral("GoodDeal.Wav"));
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::cmdSysInfo_Click()
{
    if (!StartSysInfo(ctx_.desktop))
        ctx_.MsgBox(this, SysInfoUnavailable);
}

void frmAbout::Label3_Click()
{
    ctx_.desktop.openUrl(HomePage);
}

void frmAbout::lblEmail_Click()
{
    ctx_.desktop.openUrl(AuthorMail);
}

// A click is a left press and release on the same label.
bool frmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        auto* label = qobject_cast<QLabel*>(watched);
        if (label && mouse->button() == Qt::LeftButton &&
            label->rect().contains(mouse->position().toPoint())) {
            if (label == ui.Label3)
                Label3_Click();
            else if (label == ui.lblEmail)
                lblEmail_Click();
        }
    }
    return QDialog::eventFilter(watched, event);
}

// OK is the cancel button too: Esc presses it rather than rejecting the dialog.
void frmAbout::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        ui.cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace dz
