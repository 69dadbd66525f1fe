#include "windows/frmContest.h"

#include <algorithm>

#include "engine/numbers.h"
#include "kit/background.h"
#include "kit/fonts.h"
#include "kit/pictures.h"
#include "platform/folders.h"
#include "windows/contest_flag.h"

namespace dz
{

namespace
{

// The scroll bar counts in twips, as the layout was drawn.
constexpr int TwipsPerPixel = 15;

} // namespace

frmContest::frmContest(Context& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx)
{
    ui.setupUi(this);
    setFixedSize(size());
    ui.Picture2->setPixmap(Picture(QStringLiteral("notice"), QSize(305, 546), devicePixelRatioF()));
    Form_Load();
    // Only a settled value moves the picture: a dragged thumb counts when released.
    connect(ui.VScroll, &QScrollBar::valueChanged, this, &frmContest::VScroll_Change);
    connect(ui.cmdOK, &QPushButton::clicked, this, &frmContest::cmdOK_Click);
}

void frmContest::Form_Load()
{
    const int overhang = (ui.Picture2->height() - ui.Picture1->height()) * TwipsPerPixel;
    const int max = std::clamp(overhang, 0, 32767); // a 16-bit value
    ui.VScroll->setMinimum(0);
    ui.VScroll->setMaximum(max);
    ui.VScroll->setPageStep(RoundHalfEven(max / 5.0));
    ui.VScroll->setSingleStep(RoundHalfEven(max / 25.0));
    ui.VScroll->resize(ui.VScroll->width(), ui.Picture1->height());
    if (ReadDoNotShow(ctx_.filesFolder))
        ui.chkDoNotShow->setChecked(true);
}

void frmContest::VScroll_Change(int value)
{
    ui.Picture2->move(ui.Picture2->x(), -qRound(double(value) / TwipsPerPixel));
}

void frmContest::cmdOK_Click()
{
    const bool ticked = ui.chkDoNotShow->isChecked();
    const QString failure =
        AwayFromInterface([&] { return WriteDoNotShow(ctx_.filesFolder, ticked); });
    if (!failure.isEmpty())
        ctx_.TellUnsaved(this, QStringLiteral("Your choice"),
                         FindFile(ctx_.filesFolder, SettingsFileName), failure);
    close();
}

} // namespace dz
