#include "play/frmMain.h"

#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLayout>
#include <QPointer>
#include <QTimer>
#include <utility>

#include "engine/numbers.h"
#include "engine/opponent.h"
#include "kit/display_text.h"
#include "kit/fonts.h"
#include "kit/pictures.h"
#include "kit/show_window.h"
#include "options/frmOptions.h"
#include "scoring/highscore_window.h"
#include "scoring/highscores.h"
#include "scoring/score_rules.h"
#include "windows/contest_flag.h"
#include "windows/frmAbout.h"
#include "windows/frmContest.h"
#include "windows/frmScoring.h"

namespace dz
{

frmMain::frmMain(Context& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx)
{
    ui.setupUi(this);
    UsePlainText(this);
    imgBoard_ = {ui.imgBoard_1, ui.imgBoard_2, ui.imgBoard_3, ui.imgBoard_4, ui.imgBoard_5,
                 ui.imgBoard_6, ui.imgBoard_7, ui.imgBoard_8, ui.imgBoard_9};

    const QFont president = PresidentFont(9.75, false);
    for (QLabel* heading : {ui.Label7, ui.Label9}) {
        heading->setFont(president);
        SetTextColour(heading, QColor(128, 0, 0));
    }
    for (QLabel* caption : {ui.Label1, ui.Label2, ui.Label3, ui.Label4, ui.Label5, ui.Label6})
        caption->adjustSize();
    // Screen readers read each value label's text as its name; say what it counts.
    const std::pair<QLabel*, const char*> counts[] = {
        {ui.lblMove, "Move number"},     {ui.lblGame, "Game number"},
        {ui.lblLevel, "Level"},          {ui.lblXWins, "X wins"},
        {ui.lblOWins, "O wins"},         {ui.lblTie, "Ties"},
        {ui.lblHighScore, "High score"}, {ui.lblCurrentScore, "Current score"}};
    for (const auto& [label, what] : counts)
        label->setAccessibleDescription(tr(what));

    for (int i = 0; i < 9; ++i) {
        // The keypad's digits stand for cells in mirror rows, so a cell's key is its own too.
        const int keypad = CellForKey(Qt::Key_1 + i, Qt::KeypadModifier);
        imgBoard_[i]->setToolTip(tr("Cell %1: key %1, or %2 on the keypad").arg(i + 1).arg(keypad));
        connect(imgBoard_[i], &QAbstractButton::clicked, this, [this, i] {
            qint16 index = qint16(i + 1);
            imgBoard_Click(index);
        });
    }
    connect(ui.cmdNew, &QPushButton::clicked, this, &frmMain::cmdNew_Click);
    connect(ui.cmdOptions, &QPushButton::clicked, this, &frmMain::cmdOptions_Click);
    connect(ui.cmdAbout, &QPushButton::clicked, this, &frmMain::cmdAbout_Click);
    connect(ui.cmdQuit, &QPushButton::clicked, this, &frmMain::cmdQuit_Click);
    connect(ui.mnuNew, &QAction::triggered, this, &frmMain::mnuNew_Click);
    connect(ui.mnuFileExit, &QAction::triggered, this, &frmMain::mnuFileExit_Click);
    connect(ui.mnuOptionsOptions, &QAction::triggered, this, &frmMain::mnuOptionsOptions_Click);
    connect(ui.mnuOptionsHighScore, &QAction::triggered, this, &frmMain::mnuOptionsHighScore_Click);
    connect(ui.mnuHelpScoring, &QAction::triggered, this, &frmMain::mnuHelpScoring_Click);
    connect(ui.mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);
    connect(ui.mnuEnterTheDraw, &QAction::triggered, this, &frmMain::mnuEnterTheDraw_Click);

    // "&Options" names both a menu and a button; as on the platform the window was
    // designed for, Alt+O opens the menu rather than alternating between the two.
    ui.cmdOptions->setShortcut(QKeySequence());

    setAttribute(Qt::WA_DeleteOnClose);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ui.cmdNew->setFocus();

    Form_Load();
}

void frmMain::Form_Load()
{
    setCaption(ui.lblGame, QStringLiteral("0"));
    setCaption(ui.lblXWins, QStringLiteral("0"));
    setCaption(ui.lblOWins, QStringLiteral("0"));
    setCaption(ui.lblCurrentScore, NumberText(0));
    setCaption(ui.lblTie, QStringLiteral("0"));
    setCaption(ui.lblLevel, ctx_.settings.Level);

    NewGame();

    if (const auto best = ReadStartupBestScore(ctx_.filesFolder))
        ui.lblHighScore->setText(*best);

    if (!ReadDoNotShow(ctx_.filesFolder))
        ShowModeless<frmContest>(ctx_);
}

void frmMain::NewGame()
{
    QDir::setCurrent(ctx_.programFolder);
    ctx_.PlaySoundEffect(QStringLiteral("NewGame.Wav"));
    MoveNumber_ = 1;
    showWhoTurn(Piece::X);
    for (int cell = 1; cell <= 9; ++cell)
        setCell(cell, Piece::Blank);
    setCaption(ui.lblMove, QStringLiteral("1"));
    RaiseCounter(ui.lblGame);
}

void frmMain::imgBoard_Click(qint16& Index)
{
    if (unloaded_ || !Board::isCell(Index))
        return;
    if (board_.CellOf(Index) != Piece::Blank) {
        ctx_.PlaySoundEffect(QStringLiteral("Error.Wav"));
        return;
    }
    setCell(Index, whoTurn_);
    ++MoveNumber_;
    setCaption(ui.lblMove, QString::number(MoveNumber_));
    showWhoTurn(MoveNumber_ % 2 == 0 ? Piece::O : Piece::X);

    // The end of game may unload this window; nothing below may touch it then.
    const QPointer<frmMain> self(this);
    CheckGame();
    if (!self || unloaded_)
        return;

    if (MoveNumber_ % 2 == 0 && ctx_.settings.OnePlayer) {
        qint16 reply = qint16(ComputerMove(ctx_.settings.Level, board_, MoveNumber_, ctx_.random));
        if (reply != 0)
            imgBoard_Click(reply);
    }
}

void frmMain::CheckGame()
{
    switch (FindOutcome(board_, MoveNumber_)) {
    case Outcome::Line:
        AnnounceWinner();
        break;
    case Outcome::Tie:
        TieGame();
        break;
    case Outcome::Running:
        break;
    }
}

void frmMain::TieGame()
{
    ctx_.PlaySoundEffect(QStringLiteral("TieGame.Wav"));
    ctx_.MsgBox(this, QStringLiteral("Yeap, another game for the cats!"), vbInformation,
                QStringLiteral("Tie Game"));
    RaiseCounter(ui.lblTie);
    UpdateScore(QStringLiteral("Tie"));
    AskPlayAgain();
}

void frmMain::AnnounceWinner()
{
    const bool xWon = MoveNumber_ % 2 == 0;
    ctx_.PlaySoundEffect(xWon ? QStringLiteral("PlayerWin.Wav")
                              : QStringLiteral("ComputerWin.Wav"));
    const QString winner = QStringLiteral("We have a Winner");
    if (ctx_.settings.OnePlayer) {
        if (xWon)
            ctx_.MsgBox(this, QStringLiteral("Congradulations you won!"), vbInformation, winner);
        else
            ctx_.MsgBox(this, QStringLiteral("The computer has defeated you!"), vbInformation,
                        QStringLiteral("You have faced Defeat"));
        UpdateScore(xWon ? QStringLiteral("Win") : QStringLiteral("Lost"));
    } else {
        ctx_.MsgBox(this,
                    xWon ? QStringLiteral("Player X Wins!") : QStringLiteral("Player O Wins!"),
                    vbInformation, winner);
    }
    RaiseCounter(xWon ? ui.lblXWins : ui.lblOWins);
    AskPlayAgain();
}

void frmMain::AskPlayAgain()
{
    if (ctx_.MsgBox(this, QStringLiteral("Do you care to play again?"), vbYesNo,
                    QStringLiteral("Play Again?")) == vbYes) {
        NewGame();
        return;
    }
    UpdateHighScores(ctx_, this, ui.lblCurrentScore->text());
    Unload();
}

void frmMain::UpdateScore(const QString& result)
{
    QString current = ui.lblCurrentScore->text();
    QString best = ui.lblHighScore->text();
    dz::UpdateScore(result, ctx_.settings.Level, current, best);
    ui.lblCurrentScore->setText(current);
    ui.lblHighScore->setText(best);
}

void frmMain::Unload()
{
    close();
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (std::exchange(shown_, true))
        return;
    // Once the window is on screen: the icon is no part of the first sight of it, and a
    // notice that opened first must not stay hidden beneath it.
    QTimer::singleShot(0, this, [] {
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.svg")));
        if (frmContest* notice = OpenWindow<frmContest>()) {
            notice->raise();
            notice->activateWindow();
        }
    });
}

void frmMain::closeEvent(QCloseEvent*)
{
    if (!std::exchange(unloaded_, true))
        ctx_.PlaySoundEffect(QStringLiteral("EndProgram.Wav"));
}

namespace
{

QString PieceName(Piece piece)
{
    return piece == Piece::X   ? QStringLiteral("X")
           : piece == Piece::O ? QStringLiteral("O")
                               : frmMain::tr("empty");
}

} // namespace

const QPixmap& frmMain::picture(Piece piece)
{
    QPixmap& rendered = pictures_[int(piece)];
    if (rendered.isNull() && piece != Piece::Blank) {
        // Rendered when first shown: O is not needed before the first window is.
        const bool x = piece == Piece::X;
        rendered = Picture(x ? QStringLiteral("x") : QStringLiteral("o"),
                           x ? QSize(57, 57) : QSize(57, 49), devicePixelRatioF());
        (x ? ui.imgPiece_1 : ui.imgPiece_2)->setPixmap(rendered);
    }
    return rendered;
}

void frmMain::setCell(int cell, Piece piece)
{
    board_.place(cell, piece);
    BoardCell* image = imgBoard_[size_t(cell - 1)];
    image->setPicture(picture(piece));
    image->setAccessibleName(tr("Cell %1, %2").arg(cell).arg(PieceName(piece)));
}

void frmMain::showWhoTurn(Piece piece)
{
    whoTurn_ = piece;
    ui.imgWhoTurn->setPixmap(picture(piece));
    ui.imgWhoTurn->setAccessibleName(tr("%1 to move").arg(PieceName(piece)));
}

int frmMain::CellForKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (key < Qt::Key_1 || key > Qt::Key_9)
        return 0;
    const int digit = key - Qt::Key_0;
    if (modifiers == Qt::KeypadModifier)
        return digit >= 7 ? digit - 6 : digit >= 4 ? digit : digit + 6;
    return modifiers == Qt::NoModifier ? digit : 0;
}

void frmMain::keyPressEvent(QKeyEvent* event)
{
    if (qint16 cell = qint16(CellForKey(event->key(), event->modifiers()))) {
        imgBoard_Click(cell);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void frmMain::RaiseCounter(QLabel* label)
{
    setCaption(label, NumberText(TextNumber(label->text()) + 1));
}

void frmMain::setCaption(QLabel* label, const QString& text)
{
    label->setText(text);
    if (label->objectName() != QLatin1String("lblXWins") &&
        label->parentWidget()->objectName() == QLatin1String("Frame2"))
        label->adjustSize();
}

void frmMain::cmdOptions_Click()
{
    frmOptions dialog(ctx_, this);
    if (dialog.exec() == QDialog::Accepted) {
        activateWindow();
        setCaption(ui.lblLevel, ctx_.settings.Level);
    }
}
void frmMain::mnuOptionsHighScore_Click()
{
    ShowStoredHighScores(ctx_);
}

void frmMain::cmdAbout_Click()
{
    ShowModeless<frmAbout>(ctx_);
}
void frmMain::mnuHelpScoring_Click()
{
    ShowModeless<frmScoring>(ctx_);
}
void frmMain::mnuEnterTheDraw_Click()
{
    ShowModeless<frmContest>(ctx_);
}

void frmMain::cmdQuit_Click()
{
    UpdateHighScores(ctx_, this, ui.lblCurrentScore->text());
    Unload();
}
} // namespace dz
