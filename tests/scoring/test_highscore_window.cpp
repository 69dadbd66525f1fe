#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "play/fonts.h"
#include "play/show_window.h"
#include "scoring/frmHighScore.h"
#include "scoring/highscore_window.h"
#include "support/fakes.h"

using dz::frmHighScore;

class TestHighScoreWindow : public QObject
{
    Q_OBJECT
private slots:
    void menuViewThenEndOfRunInTheOneWindow()
    {
        QTemporaryDir dir;
        dz::test::ScriptedDialogs dialogs;
        dz::Context ctx;
        ctx.dialogs = &dialogs;
        ctx.filesFolder = dir.path();
        dz::ShowStoredHighScores(ctx);
        frmHighScore* w = dz::OpenWindow<frmHighScore>();
        const auto label = [&](const QString& name) { return w->findChild<QLabel*>(name); };
        const auto texts = [&] { // names then scores, place 1 first
            QStringList texts;
            for (const char* column : {"Name", "Score"})
                for (int place = 1; place <= 5; ++place)
                    texts << label(QString("lbl%1_%2").arg(column).arg(place))->text();
            return texts.join('|');
        };
        QCOMPARE(texts(), "|||||0|0|0|0|0");
        // The menu's view only reads: nothing is created.
        QVERIFY(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));

        QVERIFY(
            dz::WriteHighScores(dir.path(), {{{"Ann", 10}, {"Bob", 5.5}, {"", 3}, {"Di", -2.5}}}));
        dz::ShowStoredHighScores(ctx);
        QCOMPARE(texts(), "Ann|Bob||Di||10|5.5|3|-2.5|0");
        dialogs.typeNext("Zoe");
        dz::UpdateHighScores(ctx, "5.5");
        QCOMPARE(texts(), "Ann|Zoe|Bob||Di|10|5.5|5.5|3|-2.5");
        int open = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            open += qobject_cast<frmHighScore*>(window) != nullptr;
        QCOMPARE(open, 1); // refilled, never a second list window

        QCOMPARE(label("lblScore_1")->palette().color(QPalette::WindowText), QColor(Qt::red));
        QVERIFY(label("lblName_2")->palette().color(QPalette::WindowText) != QColor(Qt::red));
        QCOMPARE(label("lblName_5")->font(), dz::PresidentFont(9.75, true));
        QCOMPARE(label("lblName_2")->size(), label("lblName_2")->sizeHint()); // fits "Zoe"
        // Return presses the focused OK, as on every window of the game.
        const QPointer<frmHighScore> list(w);
        QTest::keyClick(w->findChild<QPushButton*>("cmdOK"), Qt::Key_Return);
        QVERIFY(!w->isVisible());
        delete list.data();
    }
};

QTEST_MAIN(TestHighScoreWindow)
#include "test_highscore_window.moc"
