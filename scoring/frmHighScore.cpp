#include "scoring/frmHighScore.h"

#include "engine/numbers.h"
#include "kit/display_text.h"
#include "kit/fonts.h"

namespace dz
{

frmHighScore::frmHighScore(Context&, QWidget* parent) : QWidget(parent, Qt::Window)
{
    ui.setupUi(this);
    UsePlainText(this);
    setFixedSize(291, 225);

    ui.Label1->setFont(PresidentFont(20.25, true));
    SetTextColour(ui.Label1, QColor(128, 0, 0));
    for (int place = 1; place <= 5; ++place) {
        for (QLabel* label : {lblName(place), lblScore(place)}) {
            label->setFont(PresidentFont(9.75, true));
            if (place == 1)
                SetTextColour(label, QColor(255, 0, 0));
        }
    }

    connect(ui.cmdOK, &QPushButton::clicked, this, &QWidget::close);
}

void frmHighScore::fill(const HighScoreList& list)
{
    for (int place = 1; place <= 5; ++place) {
        const HighScoreEntry& entry = list[place - 1];
        lblName(place)->setText(DisplayText(NameText(entry.name)));
        lblName(place)->adjustSize();
        lblScore(place)->setText(NumberText(entry.score));
        lblScore(place)->adjustSize();
    }
}

QLabel* frmHighScore::lblName(int place) const
{
    QLabel* const labels[] = {ui.lblName_1, ui.lblName_2, ui.lblName_3, ui.lblName_4, ui.lblName_5};
    return labels[place - 1];
}

QLabel* frmHighScore::lblScore(int place) const
{
    QLabel* const labels[] = {ui.lblScore_1, ui.lblScore_2, ui.lblScore_3, ui.lblScore_4,
                              ui.lblScore_5};
    return labels[place - 1];
}

} // namespace dz
