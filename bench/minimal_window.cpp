// The yardstick for start-up: a plain Qt Widgets main window about the game's size,
// with a menu bar, labels and buttons, and nothing of the game's own.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal window"));
    for (const char* title : {"&File", "&Options", "&Help"}) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromLatin1(title));
        menu->addAction(QStringLiteral("&First"));
        menu->addSeparator();
        menu->addAction(QStringLiteral("&Second"));
    }
    auto* central = new QWidget;
    central->setFixedSize(354, 318);
    const char* labels[] = {"Move #:", "Game #:", "Level:", "X Wins:", "O Wins:", "Ties:"};
    for (int i = 0; i < 6; ++i) {
        auto* label = new QLabel(QString::fromLatin1(labels[i]), central);
        label->move(8 + (i / 3) * 120, 250 + (i % 3) * 16);
    }
    const char* buttons[] = {"&New Game", "&Options", "&About...", "&Quit"};
    for (int i = 0; i < 4; ++i)
        (new QPushButton(QString::fromLatin1(buttons[i]), central))
            ->setGeometry(264, 16 + i * 32, 73, 25);
    window.setCentralWidget(central);
    window.show();
    return app.exec();
}
