// The list window: the five best names and scores, place 1 on top in bright red.
#pragma once

#include <QWidget>

#include "kit/context.h"
#include "scoring/highscores.h"
#include "ui_frmHighScore.h"

namespace dz
{

class frmHighScore : public QWidget
{
    Q_OBJECT
public:
    explicit frmHighScore(Context& ctx, QWidget* parent = nullptr);

    // Sets all ten labels; each one takes the size of its text.
    void fill(const HighScoreList& list);

    Ui::frmHighScore& controls() { return ui; }

private:
    QLabel* lblName(int place) const;  // place 1 to 5
    QLabel* lblScore(int place) const; // place 1 to 5

    Ui::frmHighScore ui;
};

} // namespace dz
