// The main window: the board, the counters, the buttons and menus, and the turn flow
// every move passes through, the computer's included.
#pragma once

#include <QMainWindow>
#include <QPixmap>
#include <array>

#include "engine/board.h"
#include "kit/context.h"
#include "ui_frmMain.h"

class QLabel;

namespace dz
{

class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    // Runs the load handler: the first game starts, the best score is read and the
    // contest notice may open, all before the window itself is shown.
    explicit frmMain(Context& ctx, QWidget* parent = nullptr);

    // The one way a piece is placed. Re-entered by the computer's reply from inside
    // the human's click.
    void imgBoard_Click(qint16& Index);

    void NewGame();

    const Board& board() const { return board_; }
    qint16 MoveNumber() const { return MoveNumber_; }
    bool unloaded() const { return unloaded_; }
    Ui::frmMain& controls() { return ui; }

    // The cell a key places a piece in: digits 1-9 by number, the keypad's digits by
    // their place on the keypad (7 8 9 is the top row); 0 for any other key.
    static int CellForKey(int key, Qt::KeyboardModifiers modifiers);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override; // Form_Unload
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void CheckGame();
    void AnnounceWinner();
    void TieGame();
    void AskPlayAgain();
    void UpdateScore(const QString& result);
    void Unload();
    const QPixmap& picture(Piece piece);
    void setCell(int cell, Piece piece);
    void showWhoTurn(Piece piece);
    static void RaiseCounter(QLabel* label);
    static void setCaption(QLabel* label, const QString& text);

    // A menu command and its button behave alike: the menu's handler runs the button's.
    void cmdNew_Click() { NewGame(); }
    void mnuNew_Click() { cmdNew_Click(); }
    void cmdOptions_Click();
    void mnuOptionsOptions_Click() { cmdOptions_Click(); }
    void mnuOptionsHighScore_Click();
    void cmdAbout_Click();
    void mnuHelpAbout_Click() { cmdAbout_Click(); }
    void mnuHelpScoring_Click();
    void mnuEnterTheDraw_Click();
    void cmdQuit_Click();
    void mnuFileExit_Click() { cmdQuit_Click(); }

    Ui::frmMain ui;
    Context& ctx_;
    std::array<BoardCell*, 9> imgBoard_{};
    std::array<QPixmap, 4> pictures_; // indexed by Piece; Blank has none
    Board board_;
    qint16 MoveNumber_ = 0;
    Piece whoTurn_ = Piece::X;
    bool unloaded_ = false;
    bool shown_ = false;
};

} // namespace dz
